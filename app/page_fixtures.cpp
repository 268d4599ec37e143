// Sections: [every page] [fractals] [render] [camera] [editors] [voxels]
// [animation]
#include "app/page_fixtures.h"

#include <algorithm>
#include <cstring>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/status_line_drawing.h"
#include "app/interface_drawing.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/material_panel.h"
#include "app/panel_state.h"
#include "app/param_help.h"
#include "app/render_control.h"
#include "app/screen_lists.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/fractal_model.h"
#include "engine/status_line.h"
#include "ui/font.h"
#include "ui/panel_pages.h"
#include "ui/progress_box.h"
#include "ui/thumb_wheel.h"

void TextRect(int x, int y, int glyphs, float* rect)
{
    rect[0] = static_cast<float>(x);
    rect[1] = static_cast<float>(y);
    rect[2] = static_cast<float>(x + TextAdvance(static_cast<size_t>(std::max(glyphs, 0))));
    rect[3] = static_cast<float>(y + kGlyphQuadSize);
}

namespace {

int One(FixtureRects out, const float* r)
{
    std::copy(r, r + 4, out[0]);
    return 1;
}

int Text(FixtureRects out, int at, int x, int y, const char* text)
{
    TextRect(x, y, static_cast<int>(std::strlen(text)), out[at]);
    return at + 1;
}

bool OnMaterials(int tab) { return gPanel.renderPage == kPageMaterials && gPanel.materialTab == tab; }

// A read-out that stands beside its control shows with it.
bool Drawn(ControlTable table, const char* name)
{
    const Control* c = FindControl(table, name);
    return c != nullptr && ControlShown(*c);
}

// ---- [every page] -------------------------------------------------------------

const char* const kQuestionButtons[] = {"Yes", "No", nullptr};

int StatusLineRects(FixtureRects out)
{
    char text[kStatusTextSize];
    int width = 0;
    CopyStatusText(text, sizeof text, &width);
    const StatusLinePlace place = PlaceStatusLine(text, width);
    return One(out, place.rect);
}

bool StatusLineShown() { return gStatusText[0] != '\0'; }

// The thumb wheel's frame reaches past its rectangle: a quarter of its
// height to the sides, its caption above and 32 more to the right.
int ZoomRects(FixtureRects out)
{
    const YSlider& z = gZoomSlider.visible ? gZoomSlider : gZoom3DSlider;
    const float m = (z.y1 - z.y0) * 0.25f;
    const float r[4] = {z.x0 - m, z.y0 - 1, z.x1 + m + 32, z.y1 + 17};
    return One(out, r);
}

int BusyMarkRects(FixtureRects out)
{
    const BusyMarkPlace c = BusyMarkCentre();
    const float r[4] = {c.x - kBusyMarkRadius, c.y - kBusyMarkRadius, c.x + kBusyMarkRadius, c.y + kBusyMarkRadius};
    return One(out, r);
}

int ProgressRects(FixtureRects out)
{
    const SliderBox& b = gSliderBox;
    const float r[4] = {b.x0 - 2, b.y0 - 2, b.x1 + 2, b.y1 + 2};
    return One(out, r);
}

int ViewIconRects(FixtureRects out)
{
    if (gRenderInBuffers) return Text(out, 0, 864, 132, "&");
    const float r[4] = {1536, 800, 1600, 992};
    return One(out, r);
}

int TitleRects(FixtureRects out) { return Text(out, Text(out, 0, 24, 972, "TALVORAN VANE"), 502, 972, "Version 1.0 x64"); }

int VoxelModeRects(FixtureRects out)
{
    // Framed: the frame reaches one glyph past the text.
    Text(out, 0, 936, 134, "Voxel Mode");
    out[0][2] += kGlyphAdvance;
    return 1;
}

int ParamFieldRects(FixtureRects out)
{
    const float r[4] = {gInputBox.x0, gInputBox.y0, gInputBox.x1, gInputBox.y1};
    return One(out, r);
}

// ---- [fractals] -----------------------------------------------------------------

int CpuCountRects(FixtureRects out)
{
    return Text(out, 0, kCpuCountTextX, kCpuCountTextY, "Number of CPU Cores: 256");
}

// ---- [render] -------------------------------------------------------------------

// "%2.2f %%" of a share up to 100: "100.00 %".
constexpr const char* kPercentText = "100.00 %";

int ShadersNoticeRects(FixtureRects out)
{
    Text(out, 0, 32, 812, "Important: Shaders are only visible when the fractal is exported");
    out[0][2] += kGlyphAdvance;
    return 1;
}

int ThumbnailRects(FixtureRects out)
{
    const float r[4] = {kShadingModelThumbnailRect[0], kShadingModelThumbnailRect[1], kShadingModelThumbnailRect[2],
                        kShadingModelThumbnailRect[3]};
    return One(out, r);
}

int SlotNumberRects(FixtureRects out)
{
    const TextBox& b = gMaterialPanel.slotNumber;
    const float r[4] = {b.left, b.bottom, b.right, b.top};
    return One(out, r);
}

// ---- [camera] -------------------------------------------------------------------

int RenderSizeRects(FixtureRects out) { return Text(out, 0, 176, 886, " 3072 x 3072 2X AA"); }
int ReminderRects(FixtureRects out)
{
    const float r[4] = {280, 798, 354, 826};
    return One(out, r);
}
int SymmetryNoticeRects(FixtureRects out)
{
    return Text(out, Text(out, 0, 28, 372, "Symmetry Activated!"), 28, 350,
                "Please, use the SCALE and RESET POSITION Buttons");
}

// ---- [editors] ------------------------------------------------------------------

int BaseshapeNoticeRects(FixtureRects out)
{
    return Text(out, Text(out, 0, 106, 650, "A Baseshape is out of the calculated corners."), 106, 600,
                "Please use the SCALE button.");
}

bool TransformationsOpen() { return gXFormsEditorOpen != 0; }
bool BaseshapesOpen() { return gBaseShapeEditorOpen != 0; }

// An editor's number box, with the caption before it.
int NumberBoxRects(FixtureRects out, const TextBox& box, const char* caption)
{
    const float r[4] = {box.left, box.bottom, box.right, box.top};
    return Text(out, One(out, r), 32, 856, caption);
}

bool ParamHelpFramed()
{
    const int type = gFractalType;
    int count = 0;
    return gParamHelpWindow.visible && ParamHelpLines(type, &count) != nullptr && count > 0 &&
           !(type >= 32 && type <= 36);
}

int ParamHelpRects(FixtureRects out)
{
    const SLWindow2& w = gParamHelpWindow;
    const float r[4] = {w.x0 - 1, w.y0 - 1, w.x1 + 2, w.y1 + 1};
    return One(out, r);
}

int ChainViewRects(FixtureRects out) { return gXFormsEditor.ChainViewRects(out, kMaxFixtureRects); }

bool PositionBoxShown() { return gXFormsEditorOpen && gFractalType != 48 && gXFormsEditor.enabled[kXfShear]; }
int PositionBoxRects(FixtureRects out)
{
    const float r[4] = {48, 348, 182, 412};
    return One(out, r);
}

bool LightLabelsShown() { return gPanel.lightEditOn && gPanel.objectToEdit == 1; }
int LightLabelRects(FixtureRects out) { return Text(out, Text(out, 0, 32, 512, "Light Source:"), 180, 512, "9"); }

// ---- [voxels] -------------------------------------------------------------------

bool EngineOn() { return gVoxelEngineOn != 0; }

int VoxelFrameRects(FixtureRects out)
{
    const float r[4] = {kVoxelFrameLeft, EngineOn() ? kVoxelFrameBottomOn : kVoxelFrameBottomOff, kVoxelFrameRight,
                        kVoxelFrameTop};
    return One(out, r);
}
int VoxelTitleRects(FixtureRects out) { return Text(out, 0, kVoxelTitleX, kVoxelTitleY, "Voxel Mesh Generator"); }
int ExportGroupRects(FixtureRects out)
{
    const float* g = kVoxelExportGroupRect;
    const float r[4] = {g[0], g[1], g[2], kVoxelExportCaptionBottom};
    return One(out, r);
}
int ExportCaptionRects(FixtureRects out)
{
    const float* g = kVoxelExportGroupRect;
    const float r[4] = {g[0], kVoxelExportCaptionBottom, g[2], g[3]};
    return One(out, r);
}
bool SideLengthShown() { return Drawn(VoxelsControls(), "Side Length of the Voxel Volume:"); }
int SideLengthRects(FixtureRects out) { return Text(out, 0, 90, 388, " in (99999.999 cm)"); }

// ---- [animation] ----------------------------------------------------------------

int AnimationTextRects(FixtureRects out)
{
    int n = Text(out, 0, 32, 860, "Animation Parameters");
    n = Text(out, n, 32, 492, "Fractal Rotation Controls");
    const float line[4] = {24, 525, 664, 527};
    std::copy(line, line + 4, out[n++]);
    n = Text(out, n, 32, 644, "Base FileName:");
    TextRect(kBaseFileNameX, 644, kBaseFileNameGlyphs, out[n++]);
    return n;
}
bool AnimationRunning() { return !ActionButtonEnabled(kActionRenderAnimation) && SharedLoad(gAnimationOn) != 0; }
int RenderingFrameRects(FixtureRects out) { return Text(out, Text(out, 0, 288, 604, "Rendering Frame:"), 420, 604, "99999"); }

// Rectangles and looks, in drawing order.
constexpr int8_t kAll = kEveryPage;
const Fixture kFixtures[] = {
    // every page
    {"title", kAll, kAll, FixtureLook::Solid, nullptr, TitleRects},
    {"preview frame", kAll, kAll, FixtureLook::Frame, nullptr, [](FixtureRects out) { return One(out, kPreviewFrameRect); }},
    {"status panel", kAll, kAll, FixtureLook::Frame, nullptr, [](FixtureRects out) { return One(out, kStatusPanelRect); }},
    {"export progress", kAll, kAll, FixtureLook::Solid, [] { return gSliderBox.visible != 0; }, ProgressRects},
    {"Voxel Mode", kAll, kAll, FixtureLook::Solid, EngineOn, VoxelModeRects},
    {"status line", kAll, kAll, FixtureLook::Solid, StatusLineShown, StatusLineRects},
    {"render mark", kAll, kAll, FixtureLook::Solid, BusyMarkShown, BusyMarkRects},
    {"view icons", kAll, kAll, FixtureLook::Solid, nullptr, ViewIconRects},
    {"Zoom", kAll, kAll, FixtureLook::Solid, [] { return gZoomSlider.visible || gZoom3DSlider.visible; }, ZoomRects},
    {"erase question", kAll, kAll, FixtureLook::Solid, [] { return ButtonEnabled(kButtonNo); },
     [](FixtureRects out) { return One(out, kWarningBoxRect); }, kQuestionButtons},
    // "Fractals"
    {"information frame", kTabFractals, kAll, FixtureLook::Frame, nullptr,
     [](FixtureRects out) { return One(out, kInfoFrameRect); }},
    {"threads frame", kTabFractals, kAll, FixtureLook::Frame, nullptr,
     [](FixtureRects out) { return One(out, kThreadsFrameRect); }},
    {"Number of CPU Cores", kTabFractals, kAll, FixtureLook::Solid, nullptr, CpuCountRects},
    // "Render"
    {"shading model thumbnail", kTabRender, kPageMaterials, FixtureLook::Solid,
     [] { return OnMaterials(kMaterialAmbient) || OnMaterials(kMaterialDiffuse); }, ThumbnailRects},
    {"slot number", kTabRender, kPageMaterials, FixtureLook::Solid, [] { return gMaterialPanel.slotNumber.visible != 0; },
     SlotNumberRects},
    {"shaders notice", kTabRender, kPageShaders, FixtureLook::Solid, nullptr, ShadersNoticeRects},
    {"shadow sampling share", kTabRender, kPageShaders, FixtureLook::Solid,
     [] { return Drawn(RenderControls(), "Shadow Sampling Parameters"); },
     [](FixtureRects out) { return Text(out, 0, 452, 52, kPercentText); }},
    {"averaged occlusion share", kTabRender, kPageShaders, FixtureLook::Solid,
     [] { return Drawn(RenderControls(), "Averaged Ambient Occlusion (Fast)"); },
     [](FixtureRects out) { return Text(out, 0, 452, 554, kPercentText); }},
    {"per pixel occlusion share", kTabRender, kPageShaders, FixtureLook::Solid,
     [] { return Drawn(RenderControls(), "Per Pixel Ambient Occlusion (Slow)"); },
     [](FixtureRects out) { return Text(out, 0, 452, 630, kPercentText); }},
    // "Camera"
    {"render size", kTabCamera, kAll, FixtureLook::Solid, nullptr, RenderSizeRects},
    {"resolution reminder", kTabCamera, kAll, FixtureLook::Frame, ResolutionReminderDue, ReminderRects},
    {"symmetry notice", kTabCamera, kAll, FixtureLook::Solid, [] { return StatusTextContains("activated"); },
     SymmetryNoticeRects},
    // "Editors"
    {"baseshape number", kTabEditors, kPageBaseshapes, FixtureLook::Solid, BaseshapesOpen,
     [](FixtureRects out) { return NumberBoxRects(out, gBaseShapeEditor.numberBox, "Baseshape:"); }},
    {"transformation number", kTabEditors, kPageTransformations, FixtureLook::Solid, TransformationsOpen,
     [](FixtureRects out) { return NumberBoxRects(out, gXFormsEditor.numberBox, "Transformation:"); }},
    {"baseshape notice", kTabEditors, kPageBaseshapes, FixtureLook::Solid,
     [] { return !gBaseShapeEditorOpen && StatusTextContains("is out "); },
     BaseshapeNoticeRects},
    {"parameter help", kTabEditors, kPageTransformations, FixtureLook::Frame, ParamHelpFramed, ParamHelpRects},
    {"parameter field", kTabEditors, kPageTransformations, FixtureLook::Solid, ParamFieldOpen, ParamFieldRects},
    {"generator chain", kTabEditors, kPageTransformations, FixtureLook::Solid, TransformationsOpen, ChainViewRects},
    {"position box", kTabEditors, kPageTransformations, FixtureLook::Frame, PositionBoxShown, PositionBoxRects},
    {"light source label", kTabEditors, kPageObjects, FixtureLook::Solid, LightLabelsShown, LightLabelRects},
    // "Voxels"
    {"voxel frame", kTabVoxels, kAll, FixtureLook::Frame, nullptr, VoxelFrameRects},
    {"voxel title", kTabVoxels, kAll, FixtureLook::Solid, nullptr, VoxelTitleRects},
    {"export group", kTabVoxels, kAll, FixtureLook::Frame, EngineOn, ExportGroupRects},
    {"export caption", kTabVoxels, kAll, FixtureLook::Solid, EngineOn, ExportCaptionRects},
    {"side length", kTabVoxels, kAll, FixtureLook::Solid, SideLengthShown, SideLengthRects},
    // "Animation"
    {"animation captions", kTabAnimation, kAll, FixtureLook::Solid, nullptr, AnimationTextRects},
    {"rendering frame", kTabAnimation, kAll, FixtureLook::Solid, AnimationRunning, RenderingFrameRects},
};

}  // namespace

std::span<const Fixture> PageFixtures() { return kFixtures; }

bool FixtureShown(const Fixture& f)
{
    UpdateControlPage();
    if (f.tab != kEveryPage && f.tab != gControlContext.tab) return false;
    if (f.page != kEveryPage && f.page != gControlContext.page) return false;
    return f.shown == nullptr || f.shown();
}
