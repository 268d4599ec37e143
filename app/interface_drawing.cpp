// The interface of every frame: the fixed texts and pictures of each page
// and every control of the page on screen, drawn from the control tables.
//
// Sections: [texts] [notices] [frame]
#include "app/interface_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/screen_state.h"
#include "app/status_line_drawing.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/material_panel.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "shading/export_image.h"
#include "engine/status_line.h"
#include "editors/baseshape_editor.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "materials/shader.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/platform_events.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/shading_settings.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/icons.h"
#include "ui/widget.h"
#include "app/input_clicks.h"
#include "app/screen_lists.h"
#include "editors/xforms_editor.h"
#include "app/render_control.h"
#include "app/view_zoom.h"
#include "engine/baseshape_seed_pick.h"

void RenderSizeText(char* out, size_t size, const char* plain, const char* antiAliased)
{
    const int w = SharedLoad(gImageWidth), h = SharedLoad(gImageHeight);
    if (SharedLoad(gAntiAlias2x)) {
        std::snprintf(out, size, antiAliased, w / 2, h / 2);
    } else {
        std::snprintf(out, size, plain, w, h);
    }
}

uint64_t (*gFrameTicks)() = TickCount;

// ---- [texts] --------------------------------------------------------------------

namespace {

void DrawFractalsTexts()
{
    const int type = gFractalType;
    if (gOpengl.infoPanelList) glCallList(gOpengl.infoPanelList);
    if (type >= 0 && type < kFractalTypeCount) DrawText(176, 686, kFractalTypes[type].name, 1);
    DrawIntText(176, 670, SharedLoad(gPickTransformCount), 1);
    DrawIntText(176, 654, SharedLoad(gBaseshapeCount), 1);
    char size[64];
    RenderSizeText(size, sizeof size, "%d x %d", "%d x %d 2X AA");
    DrawText(176, 638, size, 1);
    DrawFractalTypeIcon();
    DrawFractalTypeHelp();
}

void DrawMaterialsTexts()
{
    gMaterialPanel.slotNumber.Draw();
    if (gPanel.materialTab == kMaterialAmbient) DrawShadingModelThumbnail(static_cast<int>(gShader.curveMode1[CurrentMaterial()]));
    if (gPanel.materialTab == kMaterialDiffuse) DrawShadingModelThumbnail(static_cast<int>(gShader.curveMode2[CurrentMaterial()]));
}

void DrawShadersTexts()
{
    DrawFramedTextF(32, 812, "%s", "Important: Shaders are only visible when the fractal is exported");
    const int w = SharedLoad(gImageWidth);
    const ShadingSettings& s = gShadingSettings;
    if (gInterface.shadowSampling.visible && w >= 1)
        DrawTextF(452, 52, "%2.2f %%", SharedLoad(s.shadowSampling[1]) / static_cast<float>(w) * 100.0f);
    if (gAveragedOcclusionWindow.visible)
        DrawTextF(452, 554, "%2.2f %%", SharedLoad(s.averagedOcclusion[1]) * 0.1953125f);
    if (gPerPixelOcclusionWindow.visible && w >= 1)
        DrawTextF(452, 630, "%2.2f %%", SharedLoad(s.perPixelOcclusion[1]) / static_cast<float>(w) * 100.0f);
}

void DrawCameraTexts()
{
    DrawResolutionReminder();
    DrawSymmetryNotice();
    char size[64];
    RenderSizeText(size, sizeof size, " %d x %d ", " %d x %d 2X AA");
    DrawText(176, 886, size, 1);
}

void DrawEditorsTexts()
{
    switch (gPanel.editorPage) {
    case kPageBaseshapes:
        DrawBaseshapeNotice();
        gBaseShapeEditor.DrawReadout();
        break;
    case kPageTransformations:
        gParamHelpWindow.DrawFractalParamHelp();
        gXFormsEditor.DrawReadout();
        gXFormsEditor.DrawTransformationOverlay();
        break;
    case kPageObjects: DrawLightEditorLabels(); break;
    default: break;
    }
}

void DrawVoxelsTexts()
{
    const unsigned frame = SharedLoad(gVoxelEngineOn) ? gOpengl.voxelExportPanelList : gOpengl.voxelPanelList;
    if (frame) glCallList(frame);
    if (gInterface.sideLength.visible) DrawText(90, 388, SideLengthReadout(gPanel.sideLength), 1);
}

void DrawPageTexts()
{
    switch (gCurrentTab) {
    case kTabFractals: DrawFractalsTexts(); break;
    case kTabRender:
        if (gPanel.renderPage == kPageMaterials) DrawMaterialsTexts();
        if (gPanel.renderPage == kPageShaders) DrawShadersTexts();
        break;
    case kTabCamera: DrawCameraTexts(); break;
    case kTabEditors: DrawEditorsTexts(); break;
    case kTabAbout:
        if (gOpengl.aboutList) glCallList(gOpengl.aboutList);
        break;
    case kTabVoxels: DrawVoxelsTexts(); break;
    case kTabAnimation: gInterface.DrawAnimationPage(); break;
    default: break;
    }
}

}  // namespace

// ---- [notices] ------------------------------------------------------------------

bool StatusTextContains(const char* part)
{
    char text[kStatusTextSize];
    int width = 0;
    CopyStatusText(text, sizeof text, &width);
    return std::strstr(text, part) != nullptr;
}

void DrawSymmetryNotice()
{
    if (!StatusTextContains("activated")) return;
    DrawText(28, 372, "Symmetry Activated!", 1);
    DrawText(28, 350, "Please, use the SCALE and RESET POSITION Buttons", 1);
}

void DrawBaseshapeNotice()
{
    // Left with the editor closed; with it open its widgets have the place.
    if (gBaseShapeEditorOpen || !StatusTextContains("is out ")) return;
    DrawText(106, 650, "A Baseshape is out of the calculated corners.", 1);
    DrawText(106, 600, "Please use the SCALE button.", 1);
}

bool ResolutionReminderDue()
{
    const bool aa = gPanel.antiAlias2x != 0;
    const int factor = aa ? 2 : 1;
    const int w = CheckedTruncToInt(gPanel.renderSize[0]) * factor;
    const int h = CheckedTruncToInt(gPanel.renderSize[1]) * factor;
    return w != SharedLoad(gImageWidth) || h != SharedLoad(gImageHeight) || aa != (SharedLoad(gAntiAlias2x) != 0);
}

bool ResolutionReminderShown() { return gInterfaceBuilt && gCurrentTab == kTabCamera && ResolutionReminderDue(); }

void DrawResolutionReminder()
{
    if (!ResolutionReminderDue()) return;
    const float pulse = (std::sin(static_cast<float>(gFrameTicks()) * 0.005f) + 1.0f) * 0.5f;
    // Whatever was drawn before, over the frame or over a kept copy of it:
    // the loop replaces its pixels, a line of one pixel.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_LINE_STIPPLE);
    glLineWidth(1.0f);
    glColor3f(pulse, 0.0f, 0.0f);
    OutlineQuad(kReminderLoop[0], kReminderLoop[1], kReminderLoop[2], kReminderLoop[3], 30);
    glPopAttrib();
}

// ---- [frame] --------------------------------------------------------------------

void DrawInterface()
{
    if (gOpengl.titleList) glCallList(gOpengl.titleList);
    if (gInterfaceBuilt) {
        UpdateControlPage();
        gMaterialPanel.UpdateTextures();
        for (ControlTable table : ControlTables()) ShowControls(table);
        DrawControls(WindowTopControls());
        if (gOpengl.statusPanelList) glCallList(gOpengl.statusPanelList);
        if (SharedLoad(gVoxelEngineOn)) DrawFramedTextF(936, 134, "%s", "Voxel Mode");
    }
    DrawStatusLine();
    if (gInterfaceBuilt) {
        if (gRenderInBuffers) {
            DrawText(864, 132, "&", 1);
        } else {
            DrawToolIcons(gRotateMode, gMoveMode);
        }
        DrawPageTexts();
        for (ControlTable table : ControlTables())
            if (table.data() != WindowTopControls().data() && table.data() != WindowBottomControls().data())
                DrawControls(table);
    }
    DrawEraseQuestion();
    if (gInterfaceBuilt) {
        DrawControls(WindowBottomControls());
        gZoom3DSlider.value = gFocal;  // the 3-D preview's slider shows its zoom
        (gScreenState.load() == kScreenPreview3D ? gZoom3DSlider : gZoomSlider).Draw();
    }
}

// The bar follows the export (and the mesh export, whose progress the
// export view copies in); the markers for "ended" and "idle" show empty.
void DrawExportProgressBox()
{
    const int progress = gExportProgress.load();
    gSliderBox.SetValue(static_cast<float>(std::clamp(progress, 0, 100)));
    gSliderBox.Draw();
}
