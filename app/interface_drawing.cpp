// Sections: [tabs] [notices] [frame] [clicks].
#include "app/interface_drawing.h"

#include <cmath>
#include <cstring>

#include "app/action_buttons.h"
#include "app/action_widgets.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/interface_layout.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/param_help.h"
#include "app/screen_lists.h"
#include "app/pending_services.h"
#include "app/render_control.h"
#include "app/status_line.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "materials/shader.h"
#include "platform/desktop/gl_api.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "ui/font.h"
#include "ui/icons.h"
#include "ui/gl_shapes.h"
#include "ui/widget.h"

namespace {

Interface& P() { return gInterface; }
void DrawButton(MainButtonId id) { Live(gMainButtons[id]).Draw(); }

}  // namespace

void RenderSizeText(char* out, size_t size, const char* plain, const char* antiAliased)
{
    const int w = SharedLoad(gImageWidth), h = SharedLoad(gImageHeight);
    if (SharedLoad(gAntiAlias2x)) {
        std::snprintf(out, size, antiAliased, w / 2, h / 2);
    } else {
        std::snprintf(out, size, plain, w, h);
    }
}

namespace {

// ---- [tabs] ---------------------------------------------------------------------

void DrawFractalsTab()
{
    gFractalTypeBox.Draw();
    const int type = gFractalType;
    if (type >= 0 && type < kFractalTypeCount) DrawText(176, 686, kFractalTypes[type].name, 1);
    DrawText(32, 686, "Fractal Type:", 1);
    DrawText(32, 670, "Transformations:", 1);
    DrawText(32, 654, "Baseshapes:", 1);
    DrawText(32, 638, "Render Size:", 1);
    DrawIntText(176, 670, SharedLoad(gPickTransformCount), 1);
    DrawIntText(176, 654, SharedLoad(gBaseshapeCount), 1);
    char size[64];
    RenderSizeText(size, sizeof size, "%d x %d", "%d x %d 2X AA");
    DrawText(176, 638, size, 1);
    DrawFractalTypeIcon();
    DrawFractalTypeHelp();
    DrawButton(kButtonResetPaths);
    gKeepDefaultPathsBox.Draw();
    Live(P().saveBuffers).Draw();
    Live(P().loadBuffers).Draw();
    DrawButton(kButtonLoadScript);
    DrawButton(kButtonSaveScript);
    P().sendToBlocks.Draw();
    if (P().CanExportKavrolinScene()) Live(P().kavrolin).Draw();
    ShowFractalGenerator(type);
    gFractalGeneratorList.Draw();
    Live(P().saveFractal).Draw();
    Live(P().loadFractal).Draw();
    gRenderThreadsWindow.DrawAtOffset(10);
    gExportThreadsWindow.DrawAtOffset(10);
    gThreadsList.Draw();
    P().colorByTransformation.Draw();
}

void DrawEnvironmentPage()
{
    Interface& p = P();
    for (OptionsBox* box : {&p.enableFog, &p.enableBackground, &p.enableDrawingShaders, &p.enableVolumetricFog})
        box->Draw();
    p.fogParameters.DrawAtOffset(72);
    p.sunTurbidity.DrawAtOffset(72);
    p.volumetricFogColor.DrawAtOffset(72);
    p.drawingType.Draw();
    p.backgroundType.Draw();
    p.backgroundReflection.Draw();
    p.affectedByFog.Draw();
    if (p.backgroundType.visible && p.backgroundType.selectedFromTop == 0) DrawButton(kButtonLoadImage);
    Live(p.newSet).Draw();
    Live(p.select).Draw();
    DrawButton(kButtonResetEnvParameters);
    gShader.backgroundFog.Draw();
    gShader.DrawGlowAndFogPanel(1);
}

void DrawShadersPage()
{
    Interface& p = P();
    DrawFramedTextF(32, 812, "%s", "Important: Shaders are only visible when the fractal is exported");
    const bool fast = SharedLoad(gFastShadowUpdate) != 0;
    gShadowTypeList.visible = fast ? 1 : 0;
    const int shadowType = gShadowTypeList.selected;
    p.shadowSampling.visible = fast && (shadowType == 0 || shadowType == 2) ? 1 : 0;
    gShadowTypeList.Draw();
    const int w = SharedLoad(gImageWidth);
    if (p.shadowSampling.visible) {
        p.shadowSampling.DrawAtOffset(140);
        if (w >= 1) DrawTextF(452, 52, "%2.2f %%", p.shadowSampling.Value(1) / static_cast<float>(w) * 100.0f);
    }
    gAmbientOcclusionBox.DrawBase();
    const bool averaged = gAmbientOcclusionBox.Flag(0), everyPixel = gAmbientOcclusionBox.Flag(1);
    if (averaged || everyPixel) {
        gOcclusionOptionsList.Draw();
        p.enhancedDarkening.DrawBase();
    }
    if (averaged) {
        gAveragedOcclusionWindow.DrawAtOffset(140);
        DrawTextF(452, 554, "%2.2f %%", gAveragedOcclusionWindow.Value(1) * 0.1953125f);
    }
    if (everyPixel) {
        gPerPixelOcclusionWindow.DrawAtOffset(140);
        if (w >= 1) DrawTextF(452, 630, "%2.2f %%", gPerPixelOcclusionWindow.Value(1) / static_cast<float>(w) * 100.0f);
    }
}

void DrawAdvancedPage()
{
    Interface& p = P();
    p.lightDistribution.Draw();
    p.gammaCorrection.visible = 1;
    p.gammaCorrection.DrawAtOffset(140);
    p.colorInterpolationWeight.visible = p.colorFunction.selectedFromTop == 0 ? 1 : 0;
    p.colorInterpolationWeight.DrawAtOffset(140);
    p.materialColorBlend.Draw();
    p.colorFunction.Draw();
    const int f = p.colorFunction.selectedFromTop;
    p.blendingFunction.visible = f == 2 || f == 4 ? 1 : 0;
    p.blendingFunction.Draw();
}

// The material tab bar's pages: "Ambient" and "Diffuse" show texture A or
// B of the current material with its shading model, "Specular" the specular
// colour, "Advanced" the surface-material controls.
void DrawMaterialsPage()
{
    Shader& s = gShader;
    Interface& p = P();
    p.ShowMaterialValues();
    p.textureTab.Draw();
    DrawButton(kButtonResetParameters);
    const int page = p.textureTab.selected;
    const int m = s.currentMaterial >= 0 && s.currentMaterial < kMaterialCount ? s.currentMaterial : 0;
    switch (page) {
    case 0:
    case 1: {
        (page == 0 ? p.ambientParameters : p.diffuseParameters).DrawAtOffset(130);
        TextureBox& box = s.textureBoxes[page];
        box.texture = page == 0 ? s.thumbnailA[m] : s.thumbnailB[m];
        box.Draw();
        ListBox& model = s.shadingModel[page];
        model.visible = 1;
        model.Draw();
        s.DrawTextureThumbnail(model.selected);
        // The generator's presets, or the colour and file choices.
        const ActionWidgets& w = gActionWidgets;
        ColorPanel& panel = page == 0 ? p.ambientColor : p.diffuseColor;
        panel.visible = w.generatorOn[page] ? 0 : w.colorPanelShown[page];
        if (w.generatorOn[page]) {
            s.texturePanels[0].Draw();
            gActionButtons[kActionNewTextures].Draw();
            Live(p.exportTexture).Draw();
            p.format.Draw();
        } else {
            const uint8_t* rgb = w.colorPanelRgb[page];
            panel.SetColor(rgb[0], rgb[1], rgb[2]);
            panel.Draw();
            for (int k = 0; k < 4; ++k) gActionButtons[kTextureChoiceButtons[page][k]].Draw();
            s.texturePanels[0].Draw();
        }
        gActionButtons[kTextureChoiceButtons[page][4]].Draw();
        gActionButtons[kActionTextureGenerator].Draw();
        break;
    }
    case 2:
        s.specular.Draw();
        p.specularParameters.DrawAtOffset(126);
        break;
    case 3:
        s.DrawSurfaceMaterialControls();
        p.shadowDepth.DrawAtOffset(130);
        p.enableFresnel.visible = 1;
        p.enableFresnel.Draw();
        if (p.fresnelParameters.visible) p.fresnelParameters.DrawAtOffset(130);
        break;
    default: break;
    }
    DrawButton(kButtonPreviousSlot);
    DrawButton(kButtonNextSlot);
}

void DrawRenderTab()
{
    P().SyncRenderFlags();
    gRenderTab.Draw();
    switch (gRenderTab.selected) {
    case 0: DrawMaterialsPage(); break;
    case 1: DrawEnvironmentPage(); break;
    case 2: DrawShadersPage(); break;
    case 3: DrawAdvancedPage(); break;
    default: break;
    }
    for (MainButtonId id : {kButtonSaveBitmap, kButtonSavePng, kButtonSaveMaterial, kButtonLoadMaterial, kButtonClearFog,
                            kButtonClearShadows})
        DrawButton(id);
    gMapFogToAlphaBox.Draw();
    gExcludeBackgroundBox.Draw();
}

void DrawCameraTab()
{
    Interface& p = P();
    DrawButton(kButtonChange);
    DrawButton(kButtonResetPosition);
    DrawButton(kButtonResetRotation);
    DrawButton(kButtonScale);
    p.projection.Draw();
    gEnable2xAABox.Draw();
    gPerspectiveWindow.DrawAtOffset(140);
    p.separation.DrawWithLayers(1, 90, 1);
    p.resolutionPresets.Draw();
    DrawResolutionReminder();
    gRenderResolutionWindow.DrawAtOffset(64);
    p.timesTwo.Draw();
    gLightTrackBall.Draw();
    p.controlSensitivity.Draw();
    p.grid.Draw();
    p.shadows.Draw();
    p.fixedView.Draw();
    p.symmetry.Draw();
    p.sides.DrawWithLayers(1, 64, 1);
    DrawSymmetryNotice();
    char size[64];
    RenderSizeText(size, sizeof size, " %d x %d ", " %d x %d 2X AA");
    DrawText(176, 886, size, 1);
    std::memset(p.viewPageFlags, 0, sizeof p.viewPageFlags);
}

void DrawEditorsTab()
{
    gEditorTab.Draw();
    switch (gEditorTab.selected) {
    case 0: DrawBaseshapeNotice(); break;
    case 1: gParamHelpWindow.DrawFractalParamHelp(); break;
    case 2: gShader.DrawLightSourceLabel(); break;
    default: break;
    }
    gPanelList.Draw();
}

void DrawVoxelsTab()
{
    Interface& p = P();
    for (MainButtonId id : {kButtonStartVoxelEngine, kButtonStlMesh, kButtonObjMesh, kButtonRawFile,
                            kButtonStopVoxelEngine})
        DrawButton(id);
    Live(p.pngSlices).Draw();
    p.voxelResolution.Draw();
    p.interpolationType.Draw();
    p.densityThreshold.DrawAtOffset(110);
    p.sideLength.DrawAtOffset(8);
    p.interiorWall.Draw();
    p.scaleMesh.Draw();
    p.fillBaseshapes.Draw();
    p.wallThickness.DrawAtOffset(110);
}

void DrawCurrentTab()
{
    // The light editor takes clicks only while its page is on screen.
    gShader.lightPageShown = gCurrentTab == 3 && gEditorTab.selected == 2 ? 1 : 0;
    switch (gCurrentTab) {
    case 0: DrawFractalsTab(); break;
    case 1: DrawRenderTab(); break;
    case 2: DrawCameraTab(); break;
    case 3: DrawEditorsTab(); break;
    case 4:
        if (gOpengl.aboutList) glCallList(gOpengl.aboutList);
        P().news.Draw();
        break;
    case 5: DrawVoxelsTab(); break;
    case 6: P().DrawAnimationPage(); break;
    default: break;
    }
}

// The buttons of gMainButtons beyond the render row, by the tab that shows
// them (-1 every tab): a press hits only what the current tab shows.
struct TabButton {
    MainButtonId id;
    int tab;
};
const TabButton kTabButtons[] = {
    {kButtonHelp, -1},         {kButtonNewFractal, -1},     {kButtonSaveBitmap, 1},       {kButtonSavePng, 1},
    {kButtonResetPosition, 2}, {kButtonResetRotation, 2},   {kButtonScale, 2},            {kButtonClearFog, 1},
    {kButtonResetPaths, 0},    {kButtonClearShadows, 1},    {kButtonChange, 2},           {kButtonSaveMaterial, 1},
    {kButtonLoadMaterial, 1},  {kButtonResetParameters, 1}, {kButtonResetEnvParameters, 1}, {kButtonLoadImage, 1},
    {kButtonPreviousSlot, 1},  {kButtonNextSlot, 1},        {kButtonLoadScript, 0},       {kButtonSaveScript, 0},
    {kButtonStartVoxelEngine, 5}, {kButtonStopVoxelEngine, 5}, {kButtonStlMesh, 5},       {kButtonRawFile, 5},
    {kButtonObjMesh, 5},
};

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
    if (!StatusTextContains("is out ")) return;
    DrawText(106, 650, "A Baseshape is out of the calculated corners.", 1);
    DrawText(106, 600, "Please use the SCALE button.", 1);
}

bool ResolutionReminderDue()
{
    if (!gRenderResolutionWindow.value) return false;
    const bool aa = gEnable2xAABox.Flag(0);
    const int factor = aa ? 2 : 1;
    const int w = CheckedTruncToInt(gRenderResolutionWindow.Value(0)) * factor;
    const int h = CheckedTruncToInt(gRenderResolutionWindow.Value(1)) * factor;
    return w != SharedLoad(gImageWidth) || h != SharedLoad(gImageHeight) || aa != (SharedLoad(gAntiAlias2x) != 0);
}

void DrawResolutionReminder()
{
    if (!ResolutionReminderDue()) return;
    const float pulse = (std::sin(static_cast<float>(gFrameTicks()) * 0.005f) + 1.0f) * 0.5f;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(pulse, 0.0f, 0.0f);
    OutlineQuad(280, 798, 354, 826, 30);
    glPopAttrib();
}

// ---- [frame] --------------------------------------------------------------------

void DrawInterface()
{
    if (gInterfaceBuilt) {
        gMainTab.Draw();
        P().cancel.Draw();
        Live(P().rnd).Draw();
        Live(P().clr).Draw();
        if (SharedLoad(gVoxelEngineOn)) DrawFramedTextF(936, 134, "%s", "Voxel Mode");
    }
    if (gInterfaceBuilt) {
        gRotateList.Draw();
        gMoveList.Draw();
    }
    DrawStatusLine();
    if (gInterfaceBuilt) {
        if (gRenderInBuffers) {
            DrawText(864, 132, "&", 1);
        } else {
            DrawToolIcons(gRotateMode, gMoveMode);
        }
        DrawCurrentTab();
        DrawParamInputBox();
    }
    DrawMainButtons();
    if (gInterfaceBuilt) {
        DrawButton(kButtonHelp);
        DrawButton(kButtonNewFractal);
        (gScreenState.load() == kScreenPreview3D ? gZoom3DSlider : gZoomSlider).Draw();
    }
    DrawEraseQuestion();
}

void DrawExportProgressBox() { gSliderBox.Draw(); }

