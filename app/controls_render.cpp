// The "Render" tab: its four pages ("Materials", "Environment", "Shaders",
// "Advanced") and the export buttons every page shows.
//
// Sections: [values] [materials] [environment] [shaders] [advanced] [table]
#include <cstring>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/interface_panel.h"
#include "app/material_panel.h"
#include "app/panel_state.h"
#include "app/point_preview.h"
#include "engine/status_line.h"
#include "engine/point_coloring.h"
#include "engine/transform_record.h"
#include "materials/shader.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/preview_target.h"
#include "render/projection_passes.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "shading/shading_settings.h"

// ---- [values] -------------------------------------------------------------------

namespace {

ShadingSettings& S() { return gShadingSettings; }
Shader& Sh() { return gShader; }

// Rows of the current material's windows.
void* AmbientRow(int row)
{
    float* rows[] = {Sh().ambientIntensity, Sh().rotationA, Sh().ambientRoughness};
    return row >= 0 && row < 3 ? &rows[row][CurrentMaterial()] : nullptr;
}
void* DiffuseRow(int row)
{
    float* rows[] = {Sh().diffuseIntensity, Sh().rotationB};
    return row >= 0 && row < 2 ? &rows[row][CurrentMaterial()] : nullptr;
}
void* SpecularRow(int row)
{
    float* rows[] = {Sh().specularMagnitude, Sh().specularIntensity};
    return row >= 0 && row < 2 ? &rows[row][CurrentMaterial()] : nullptr;
}
void* FresnelRow(int row)
{
    float* rows[] = {Sh().fresnelExt, Sh().fresnelInt};
    return row >= 0 && row < 2 ? &rows[row][CurrentMaterial()] : nullptr;
}
void* ShadowDepthRow(int row) { return row == 0 ? &Sh().shadowDepth[CurrentMaterial()] : nullptr; }
void* CurveMode1(int row) { return row == 0 ? &Sh().curveMode1[CurrentMaterial()] : nullptr; }
void* CurveMode2(int row) { return row == 0 ? &Sh().curveMode2[CurrentMaterial()] : nullptr; }
void* SurfaceFlag(int row) { return row == 0 ? &Sh().surfaceMaterialOn[CurrentMaterial()] : nullptr; }
void* MaterialType(int row) { return row == 0 ? &Sh().materialType[CurrentMaterial()] : nullptr; }
void* FresnelFlag(int row) { return row == 0 ? &Sh().fresnelOn[CurrentMaterial()] : nullptr; }
void* PreviewColor(int row)
{
    uint8_t* rows[] = {Sh().previewRed, Sh().previewGreen, Sh().previewBlue};
    return row >= 0 && row < 3 ? &rows[row][CurrentMaterial()] : nullptr;
}
void* PageColor(int row) { return row >= 0 && row < 3 ? &gPanel.colorPanelRgb[gPanel.materialTab == 1][row] : nullptr; }

// ---- [materials] ----------------------------------------------------------------

bool OnMaterialTab(int tab) { return gPanel.materialTab == tab; }
bool AmbientTab() { return OnMaterialTab(kMaterialAmbient); }
bool DiffuseTab() { return OnMaterialTab(kMaterialDiffuse); }
bool SpecularTab() { return OnMaterialTab(kMaterialSpecular); }
bool AdvancedTab() { return OnMaterialTab(kMaterialAdvanced); }
bool TextureTab() { return AmbientTab() || DiffuseTab(); }
int TexturePage() { return gPanel.materialTab == kMaterialDiffuse ? 1 : 0; }
bool GeneratorShown() { return TextureTab() && gPanel.generatorOn[TexturePage()] != 0; }
bool ChoicesShown() { return TextureTab() && gPanel.generatorOn[TexturePage()] == 0; }
bool ColorPanelShown() { return ChoicesShown() && gPanel.colorPanelShown[TexturePage()] != 0; }
bool AmbientChoices() { return AmbientTab() && ChoicesShown(); }
bool DiffuseChoices() { return DiffuseTab() && ChoicesShown(); }
bool AmbientColorShown() { return AmbientTab() && ColorPanelShown(); }
bool DiffuseColorShown() { return DiffuseTab() && ColorPanelShown(); }
bool SurfaceMaterialOn() { return AdvancedTab() && SharedLoad(Sh().surfaceMaterialOn[CurrentMaterial()]) != 0; }
bool FresnelShown() { return AdvancedTab() && SharedLoad(Sh().fresnelOn[CurrentMaterial()]) != 0; }

void MaterialTabChosen()
{
    if (gPanel.materialTab == kMaterialSpecular) RenderCurrentShadingBall();
}

// ---- [environment] --------------------------------------------------------------

bool FogOn() { return S().FogOn(); }
bool BackgroundOn() { return S().BackgroundOn(); }
bool SkyShown() { return BackgroundOn() && SharedLoad(S().backgroundType) == kBackgroundSky; }
bool ImagesShown() { return BackgroundOn() && SharedLoad(S().backgroundType) != kBackgroundSky; }
bool DrawingOn() { return S().DrawingShadersOn(); }
bool VolumetricFogOn() { return gVolumetricFogOn.load() != 0; }

void BackgroundSwitched()
{
    if (BackgroundOn()) return;
    SharedStore(S().backgroundReflection, uint8_t{0});
    SharedStore(S().affectedByFog, uint8_t{0});
}

void DrawingShadersSwitched() { SharedStore(S().drawingType, kDrawingStandard); }

void VolumetricFogSwitched()
{
    if (!VolumetricFogOn()) return;
    // A zero scale (no fractal fitted yet) keeps the radius.
    if (gViewScale != 0.0f) gFogJitterRadius = 0.5f / gViewScale;
    SetDefaultTransformationCount();
}

// The fog's two parameters suit the source it takes its colour from.
void FogSourceSwitched()
{
    const bool background = Sh().BackgroundIsFogSource();
    SharedStore(S().fog[0], background ? 0.004f : 0.3f);
    SharedStore(S().fog[1], background ? 10.0f : 1.0f);
}

void FogColorChanged() { Sh().SetFogColor(Sh().fogColor); }

// ---- [shaders] ------------------------------------------------------------------

bool ShadowTypeShown() { return SharedLoad(gFastShadowUpdate) != 0; }
bool ShadowSamplingShown()
{
    const int type = SharedLoad(S().shadowType);
    return ShadowTypeShown() && (type == 0 || type == 2);
}
bool AnyOcclusion() { return SharedLoad(S().occlusion[0]) != 0 || SharedLoad(S().occlusion[1]) != 0; }
bool AveragedOcclusion() { return SharedLoad(S().occlusion[0]) != 0; }
bool PerPixelOcclusion() { return SharedLoad(S().occlusion[1]) != 0; }
bool GlowOn() { return Sh().GlowOn(); }

// The environment is the sky, or the picture of the background slot (the
// loaded image, a generated background, or the plain grey one).
void BackgroundTypeChosen()
{
    SharedStore(Sh().backgroundImageOn, static_cast<uint8_t>(SharedLoad(S().backgroundType) == kBackgroundSky ? 0 : 1));
}
bool ReflectionsOn() { return Sh().ReflectionsOn(); }

// Switching the glow off puts its values back to their start.
void GlowSwitched()
{
    if (GlowOn()) return;
    for (int i = 0; i < 3; ++i) SharedStore(Sh().glow[i], kGlowStart[i]);
}

void MapFogToAlphaSwitched()
{
    if (S().mapFogToAlpha) SetStatusText("Map the Fog depth values to the Alpha Channel.");
}

void ExcludeBackgroundSwitched()
{
    if (S().excludeBackground) SetStatusText("Only Export the Fractal. The Background is transparent.");
}

// ---- [advanced] -----------------------------------------------------------------

bool WeightShown() { return gColoringMode.load() == 0; }
bool BlendingShown()
{
    const int mode = gColoringMode.load();
    return mode == 2 || mode == 4;
}

// A gamma this close to 1 is 1.
void GammaChanged()
{
    const float gamma = S().Gamma();
    if (gamma > 0.99f && gamma < 1.01f) SharedStore(S().gamma, 1.0f);
}

void ColoringChanged()
{
    SetColoringMode(gColoringMode.load());
    ClearPreviewPlanes();
}

void WeightChanged() { gColorMixFactor = 1.0f - gColorKeepFactor; }

// ---- [table] --------------------------------------------------------------------

constexpr uint8_t kReshade = kEffectReshade;

Control Page(Control c, int page) { return c.On(kTabRender, page); }
Control Button(ActionButtonId id, const char* name, int page)
{
    return Page(Bind(gActionButtons[id], name).Value(&gActionButtonEnabled[id]), page);
}

Interface& I() { return gInterface; }
MaterialPanel& M() { return gMaterialPanel; }

const Control kRender[] = {
    Bind(gRenderTab, "Materials").On(kTabRender).Value(&gPanel.renderPage).Then(UpdateControlPage),

    // "Materials"
    Page(Bind(I().textureTab, "Ambient"), kPageMaterials).Value(&gPanel.materialTab).Then(MaterialTabChosen),
    Button(kActionResetParameters, "Reset Parameters", kPageMaterials),
    Page(Bind(I().ambientParameters, "Ambient Parameters"), kPageMaterials)
        .When(AmbientTab)
        .Rows(ValueKind::Float, AmbientRow, 3)
        .Whole()
        .Effects(kReshade)
        .Wheel(1, true)
        .Draw(130),
    Page(Bind(I().diffuseParameters, "Diffuse Parameters"), kPageMaterials)
        .When(DiffuseTab)
        .Rows(ValueKind::Float, DiffuseRow, 2)
        .Whole()
        .Effects(kReshade)
        .Wheel(1, true)
        .Draw(130),
    Page(Bind(M().textureBoxes[0], "Texture"), kPageMaterials).When(TextureTab),
    Page(Bind(M().shadingModel[0], "Shading Model"), kPageMaterials)
        .When(AmbientTab)
        .Rows(ValueKind::UInt, CurveMode1, 1)
        .Effects(kReshade),
    Page(Bind(M().shadingModel[1], "Shading Model (Diffuse)"), kPageMaterials)
        .When(DiffuseTab)
        .Rows(ValueKind::UInt, CurveMode2, 1)
        .Effects(kReshade),
    Page(Bind(M().texturePanels[0], "Texture Presets"), kPageMaterials)
        .When(GeneratorShown)
        .Value(&gPanel.presetEntry[0])
        .Wheel(5),
    Button(kActionNewTextures, "New Textures", kPageMaterials).When(GeneratorShown),
    Button(kActionExportTexture, "Export", kPageMaterials).When(GeneratorShown),
    Page(Bind(I().format, "Format"), kPageMaterials).When(GeneratorShown).Value(&gPanel.format),
    Page(Bind(I().ambientColor, "Ambient  R       G       B "), kPageMaterials)
        .When(AmbientColorShown)
        .Rows(ValueKind::Int, PageColor, 3)
        .Wheel(1),
    Page(Bind(I().diffuseColor, "Diffuse  R       G       B "), kPageMaterials)
        .When(DiffuseColorShown)
        .Rows(ValueKind::Int, PageColor, 3)
        .Wheel(1),
    Page(Bind(I().textureFolders[0], "Textures"), kPageMaterials)
        .When(AmbientChoices)
        .Value(&gPanel.textureListEntry)
        .Wheel(5),
    Page(Bind(I().textureFolders[1], "Textures (Diffuse)"), kPageMaterials)
        .When(DiffuseChoices)
        .Value(&gPanel.textureListEntry)
        .Wheel(5),
    Button(kActionColorA, "Color", kPageMaterials).When(AmbientChoices),
    Button(kActionGradientA, "Gradient", kPageMaterials).When(AmbientChoices),
    Button(kActionExternalTextureA, "Ext.Text.", kPageMaterials).When(AmbientChoices),
    Button(kActionCancelA, "Cancel (Ambient)", kPageMaterials).When(AmbientChoices),
    Button(kActionColorB, "Color (Diffuse)", kPageMaterials).When(DiffuseChoices),
    Button(kActionGradientB, "Gradient (Diffuse)", kPageMaterials).When(DiffuseChoices),
    Button(kActionExternalTextureB, "Ext.Text. (Diffuse)", kPageMaterials).When(DiffuseChoices),
    Button(kActionCancelB, "Cancel (Diffuse)", kPageMaterials).When(DiffuseChoices),
    Button(kActionSelectA, "Select (Ambient)", kPageMaterials).When(AmbientTab),
    Button(kActionSelectB, "Select (Diffuse)", kPageMaterials).When(DiffuseTab),
    Button(kActionTextureGenerator, "Texture Generator", kPageMaterials).When(TextureTab),
    Page(Bind(M().specular, "Specular  R       G       B "), kPageMaterials)
        .When(SpecularTab)
        .Rows(ValueKind::Byte, PreviewColor, 3)
        .Effects(kReshade)
        .Then(RenderCurrentShadingBall)
        .Wheel(1),
    Page(Bind(M().textureBoxes[2], "Shading Ball"), kPageMaterials).When(SpecularTab),
    Page(Bind(I().specularParameters, "Specular Parameters"), kPageMaterials)
        .When(SpecularTab)
        .Rows(ValueKind::Float, SpecularRow, 2)
        .Effects(kReshade)
        .Then(RenderCurrentShadingBall)
        .Wheel(1, true)
        .Draw(126),
    Page(Bind(M().surfaceMaterialBox, "Enable Surface Material"), kPageMaterials)
        .When(AdvancedTab)
        .ActiveWhen(FileThreadIdle)
        .Rows(ValueKind::Byte, SurfaceFlag, 1),
    Page(Bind(M().materialTypeList, "Material Type"), kPageMaterials)
        .When(SurfaceMaterialOn)
        .ActiveWhen(FileThreadIdle)
        .Rows(ValueKind::UInt, MaterialType, 1)
        .Wheel(1),
    Page(Bind(I().shadowDepth, "Shadow Depth"), kPageMaterials)
        .When(AdvancedTab)
        .Rows(ValueKind::Float, ShadowDepthRow, 1)
        .Effects(kReshade)
        .Wheel(0.1f)
        .Draw(130),
    Page(Bind(I().enableFresnel, "Enable Fresnel Equation"), kPageMaterials)
        .When(AdvancedTab)
        .Rows(ValueKind::Byte, FresnelFlag, 1)
        .Effects(kReshade),
    Page(Bind(I().fresnelParameters, "Fresnel Parameters"), kPageMaterials)
        .When(FresnelShown)
        .Rows(ValueKind::Float, FresnelRow, 2)
        .Effects(kReshade)
        .Wheel(0.5f)
        .Draw(130),
    Button(kActionPreviousSlot, "#", kPageMaterials),
    Button(kActionNextSlot, "$", kPageMaterials),

    // "Environment"
    Button(kActionResetEnvParameters, "Reset Env. Parameters", kPageEnvironment),
    Page(Bind(I().enableFog, "Enable Fog"), kPageEnvironment).Value(&S().fogOn).Effects(kReshade),
    Page(Bind(I().enableBackground, "Enable Background"), kPageEnvironment)
        .Value(&S().backgroundOn)
        .Effects(kReshade)
        .Then(BackgroundSwitched),
    Page(Bind(I().enableDrawingShaders, "Enable Drawing Shaders"), kPageEnvironment)
        .Value(&S().drawingShadersOn)
        .Effects(kReshade)
        .Then(DrawingShadersSwitched),
    Page(Bind(I().enableVolumetricFog, "Enable Volumetric Fog"), kPageEnvironment)
        .Value(&gVolumetricFogOn)
        .Then(VolumetricFogSwitched),
    Page(Bind(M().fogPanel, "Fog Color R       G       B "), kPageEnvironment)
        .Value(Sh().fogColor, 3)
        .Effects(kReshade)
        .Then(FogColorChanged)
        .Wheel(1),
    Page(Bind(I().fogParameters, "Parameters"), kPageEnvironment)
        .When(FogOn)
        .Value(S().fog, 2)
        .Effects(kReshade)
        .Wheel(1, true)
        .Draw(72),
    Page(Bind(I().sunTurbidity, "Sun Turbidity"), kPageEnvironment)
        .When(SkyShown)
        .Value(&S().turbidity)
        .Effects(kReshade)
        .Wheel(0.1f)
        .Draw(72),
    Page(Bind(I().volumetricFogColor, "Volumetric Fog Color"), kPageEnvironment)
        .When(VolumetricFogOn)
        .Value(S().volumetricFogColor, 3)
        .Wheel(0.1f)
        .Draw(72),
    Page(Bind(I().drawingType, "Drawing Type"), kPageEnvironment)
        .When(DrawingOn)
        .Value(&S().drawingType)
        .Effects(kReshade),
    Page(Bind(I().backgroundType, "Background Type"), kPageEnvironment)
        .When(BackgroundOn)
        .Value(&S().backgroundType)
        .Effects(kReshade)
        .Then(BackgroundTypeChosen),
    Page(Bind(I().backgroundReflection, "Background Reflection"), kPageEnvironment)
        .When(BackgroundOn)
        .Value(&S().backgroundReflection)
        .Effects(kReshade),
    Page(Bind(I().affectedByFog, "Affected by Fog"), kPageEnvironment)
        .When(BackgroundOn)
        .Value(&S().affectedByFog)
        .Effects(kReshade),
    Button(kActionLoadImage, "Load Img.", kPageEnvironment).When(ImagesShown),
    Button(kActionNewSet, "New Set", kPageEnvironment).When(ImagesShown),
    Button(kActionSelectBackground, "Select (Background)", kPageEnvironment).When(ImagesShown),
    Page(Bind(M().texturePanels[1], "Background Presets"), kPageEnvironment)
        .When(ImagesShown)
        .Value(&gPanel.presetEntry[1])
        .Wheel(5),
    Page(Bind(M().backgroundFog, "Use Background as Fog source"), kPageEnvironment)
        .Value(&Sh().backgroundFog)
        .Effects(kReshade)
        .Then(FogSourceSwitched),

    // "Shaders"
    Page(Bind(gShadowTypeList, "Shadow Type"), kPageShaders)
        .When(ShadowTypeShown)
        .ActiveWhen(FileThreadIdle)
        .Value(&S().shadowType),
    Page(Bind(I().shadowSampling, "Shadow Sampling Parameters"), kPageShaders)
        .When(ShadowSamplingShown)
        .ActiveWhen(FileThreadIdle)
        .Value(S().shadowSampling, 2)
        .Wheel(1)
        .Draw(140),
    Page(Bind(gAmbientOcclusionBox, "Ambient Occlusion"), kPageShaders)
        .ActiveWhen(FileThreadIdle)
        .Value(S().occlusion, 2)
        .Draw(1),
    Page(Bind(gOcclusionOptionsList, "Ambient Occlusion Options"), kPageShaders)
        .When(AnyOcclusion)
        .ActiveWhen(FileThreadIdle)
        .Value(&S().occlusionOption),
    Page(Bind(I().enhancedDarkening, "Enhanced Darkening FX"), kPageShaders)
        .When(AnyOcclusion)
        .ActiveWhen(FileThreadIdle)
        .Value(S().enhancedDarkening, 2)
        .Draw(1),
    Page(Bind(gAveragedOcclusionWindow, "Averaged Ambient Occlusion (Fast)"), kPageShaders)
        .When(AveragedOcclusion)
        .ActiveWhen(FileThreadIdle)
        .Value(S().averagedOcclusion, 2)
        .Wheel(1)
        .Draw(140),
    Page(Bind(gPerPixelOcclusionWindow, "Per Pixel Ambient Occlusion (Slow)"), kPageShaders)
        .When(PerPixelOcclusion)
        .ActiveWhen(FileThreadIdle)
        .Value(S().perPixelOcclusion, 2)
        .Wheel(1)
        .Draw(140),
    Page(Bind(M().glowShader, "Enable the Glow Shader"), kPageShaders)
        .ActiveWhen(FileThreadIdle)
        .Value(&Sh().glowOn)
        .Then(GlowSwitched),
    Page(Bind(M().glowParameters, "Glow Parameters"), kPageShaders)
        .When(GlowOn)
        .ActiveWhen(FileThreadIdle)
        .Value(Sh().glow, 3)
        .Wheel(1, true)
        .Draw(140),
    Page(Bind(M().glowBackground, "Include the background brighness in the shader"), kPageShaders)
        .When(GlowOn)
        .ActiveWhen(FileThreadIdle)
        .Value(&Sh().glowBackground),
    Page(Bind(M().reflections, "Enable Reflections"), kPageShaders)
        .ActiveWhen(FileThreadIdle)
        .Value(&Sh().reflectionsOn),
    Page(Bind(M().reflectivity, "Reflectivity Index (0.0 .. 1.0)"), kPageShaders)
        .When(ReflectionsOn)
        .ActiveWhen(FileThreadIdle)
        .Value(&Sh().reflectivity)
        .Wheel(0.1f)
        .Draw(140),

    // "Advanced"
    Page(Bind(I().lightDistribution, "Light Distribution Shader"), kPageAdvanced)
        .Value(&S().lightDistribution)
        .Effects(kReshade),
    Page(Bind(I().gammaCorrection, "Gamma Correction"), kPageAdvanced)
        .Value(&S().gamma)
        .Effects(kReshade)
        .Then(GammaChanged)
        .Wheel(0.1f)
        .Draw(140),
    Page(Bind(I().colorInterpolationWeight, "Color Interpolation Weight"), kPageAdvanced)
        .When(WeightShown)
        .ActiveWhen(NoRenderOnScreen)
        .Value(&gColorKeepFactor)
        .Effects(kEffectClearPreviewTarget)
        .Then(WeightChanged)
        .Wheel(0.1f)
        .Draw(140),
    Page(Bind(I().materialColorBlend, "Material Color Blend"), kPageAdvanced)
        .Value(&S().materialColorBlend)
        .Effects(kReshade),
    Page(Bind(I().colorFunction, "Color Function (Baseshapes and Trasformations)"), kPageAdvanced)
        .ActiveWhen(NoRenderOnScreen)
        .Value(&gColoringMode)
        .Effects(kReshade | kEffectClearPreviewTarget)
        .Then(ColoringChanged),
    Page(Bind(I().blendingFunction, "Blending Function"), kPageAdvanced)
        .When(BlendingShown)
        .ActiveWhen(NoRenderOnScreen)
        .Value(&gColorBlendMode)
        .Effects(kReshade | kEffectClearPreviewTarget)
        .Then(ColoringChanged),

    // Every page
    Button(kActionSaveBitmap, "Save Bitmap", kEveryPage),
    Button(kActionSavePng, "Save PNG", kEveryPage),
    Button(kActionSaveMaterial, "Save Material", kEveryPage),
    Button(kActionLoadMaterial, "Load Material", kEveryPage),
    Button(kActionClearFog, "Clear Fog", kEveryPage),
    Button(kActionClearShadows, "Clr. Shadows", kEveryPage),
    Page(Bind(gMapFogToAlphaBox, "Map Fog to Alpha (PNG)"), kEveryPage)
        .ActiveWhen(FileThreadIdle)
        .Value(&S().mapFogToAlpha)
        .Then(MapFogToAlphaSwitched),
    Page(Bind(gExcludeBackgroundBox, "Exclude Background (PNG)"), kEveryPage)
        .ActiveWhen(FileThreadIdle)
        .Value(&S().excludeBackground)
        .Then(ExcludeBackgroundSwitched),
};

}  // namespace

ControlTable RenderControls() { return kRender; }
