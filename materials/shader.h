// The Shader: everything the image shading needs beyond the render buffers.
// Ten surface materials and ten additional lights as parallel arrays, the
// texture slots, one daylight sky per shading worker, the 75 texture
// presets, the neon planes, the material colour maps and the material and
// light panel's widgets. One instance, gShader, lives for the whole run.
//
// Sections of shader.h:
//   [tables]   curve modes and Material Types
//   [lights]   LightSource
//   [shader]   the object, its member groups in their fixed order
//
// Threads: the window thread writes materials, lights and textures; up to 24
// shading workers read them at the same time. Fields the workers read are
// written and read with relaxed atomic accesses (SharedStore / SharedLoad),
// texture images are swapped through TextureSlot; worker i uses skies[i] only.
#pragma once

#include <cstdint>

#include "materials/color_maps.h"
#include "materials/material_panel.h"
#include "ui/balls.h"
#include "ui/button.h"
#include "ui/color_panels.h"
#include "ui/option_lists.h"
#include "ui/picture_pickers.h"
#include "ui/scroll_lists.h"
#include "ui/slider_windows.h"
#include "ui/texture_box.h"
#include "materials/skylight.h"
#include "materials/texture_presets.h"
#include "materials/texture_slot.h"

inline constexpr int kMaterialCount = 10;
inline constexpr int kLightCount = 10;
inline constexpr int kSkyCount = 24;
inline constexpr int kTexturePresetCount = 75;
inline constexpr int kPresetsPerPanel = 15;
inline constexpr int kTexturePanelCount = 5;
inline constexpr int kTextureSlotCount = 21;
inline constexpr int kBackgroundSlot = 20;
inline constexpr int kNeonPlaneSize = 512;
inline constexpr int kThumbnailSize = 128;
inline constexpr int kCurveModeCount = 7;
inline constexpr int kMaterialTypeCount = 17;
inline constexpr int kColorMapSize = 256;

// ---- [tables] ---------------------------------------------------------------

using CurveFunction = float (*)(float t);

// Transfer curve of a curve mode; the "Shading Model" lists show its name.
struct CurveModeRow {
    int mode;
    const char* name;
    CurveFunction curve;
};
extern const CurveModeRow kCurveModes[kCurveModeCount];

// A Material Type: family picks the domain warp of the point, sub-mode the
// height function, shaping its transfer and strength its scale.
struct MaterialTypeRow {
    int type;
    const char* name;
    int family;
    int subMode;
    int shaping;
    float strength;
};
extern const MaterialTypeRow kMaterialTypes[kMaterialTypeCount];

// The curve of mode m at t; a mode outside 0..6 leaves t unchanged.
float ApplyCurveMode(uint32_t mode, float t);

// ---- [lights] ---------------------------------------------------------------

struct LightSource {
    float position[3] = {0.0f, 0.0f, 0.0f};
    float color[3] = {1.0f, 1.0f, 1.0f};
    uint32_t colorBytes[3] = {255, 255, 255};
    float radius = 0.5f;
    float cutOff = 0.001f;
    float orientation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // row-major
    uint8_t enabled = 0;
    uint8_t textured = 0;
};

// ---- [shader] ---------------------------------------------------------------

class Shader {
public:
    Shader() = default;
    virtual ~Shader() = default;
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    // Start-up: background, skies, material and light defaults, grey colour
    // maps. No shading thread runs yet.
    void InitializeTextures();

    // Stores d as sky i's request, (x, y, -z) as its sun, and recomputes it.
    void SetSunDirection(const float* d, int sky);
    // Recomputes sky i from its stored sun direction and turbidity.
    void RefreshSky(int sky);
    // Light i to its defaults, its gel a 16 x 16 white image.
    void ResetLight(int light);
    void ResetLightGelWhite(int light);
    // Material i to its start values (flags, floats, curve modes, grey maps).
    void ResetMaterial(int material);
    // Builds every panel widget at a provisional place with its start value
    // (start-up step 9; needs the GL context).
    void BuildMaterialPanel();

    // Panel settings the shading reads while the window thread edits them.
    bool GlowOn() const { return glowShader.Flag(0); }
    bool GlowIncludesBackground() const { return glowBackground.Flag(0); }
    float GlowParameter(int row) const { return glowParameters.value ? glowParameters.Value(row) : 0.0f; }
    bool ReflectionsOn() const { return reflections.Flag(0); }
    float Reflectivity() const { return reflectivity.value ? reflectivity.Value(0) : 0.0f; }
    bool BackgroundIsFogSource() const { return backgroundFog.Flag(0); }

    // ---- Per-pixel helpers of the shading passes (material_helpers.cpp,
    // environment_helpers.cpp). Colours 0..1, written through out and
    // returned. Every sky read takes the calling worker's index.
    float* SampleImageBilinear(float* out, float u, float v, uint32_t width, uint32_t height,
                               const uint8_t* pixels) const;
    float* SampleSlotBilinear(float* out, float u, float v, const TextureSlot& slot) const;
    float ApplyMaterialCurve(float t, int material) const;   // curve mode 2
    float ApplyMaterialCurve2(float t, int material) const;  // curve mode 1
    float* EvaluateSurfaceMaterial(float* out, int material, float* point, float* normal) const;
    float* SampleLightGel(float* out, float u, float v, int light) const;
    float* SampleEnvironment(float* out, const float* d, int worker) const;
    float* ShadeReflection(float* out, const float* d, int worker) const;
    float* EnvironmentLight(float* out, const float* incident, float* normal, float na, float nb,
                            int worker) const;
    float* GetFogGradientColor(float* out, float t) const;
    static float* BlendColors(float* out, const float* a, const float* b, uint32_t mode);
    float* LookupMaterialColorMap(float* out, float t, int material, int side) const;
    float* SampleMaterialTexture(float* out, float* uv, int material, int side) const;
    float* SampleBackgroundPreviewPixel(float* out, int x, int y, int worker) const;
    float* SampleBackgroundPixel(float* out, int x, int y, int worker) const;
    // The sky of worker w along e with the horizon fold, scaled by
    // factor x the fold's darkening.
    float* FoldedSkyColor(float* out, float* e, float factor, int worker) const;

    // ---- Neon planes (neon_planes.cpp).
    bool AnyNeonBaseshape() const;
    void SetMaskPlanesEnabled(uint8_t on);
    // From the render's baseshape index bytes (W x H, 0 none, else
    // |index| - 1 the baseshape).
    void BuildMaskPlanes(const int8_t* index, int width, int height, int baseshapeCount);
    void BuildMaskPlanes();
    void BlurMaskPlanes();
    float* SampleMaskPlanes(float* out, int x, int y) const;
    float* SampleMaskPlanes(float* out, int x, int y, int width) const;

    // ---- Texture presets (texture_presets.cpp); index is the preset's
    // number, which every caller passes together with the preset itself.
    float* EvaluateTexturePreset(float* out, const TexturePreset& preset, int index, const float* p) const;
    float* ApplyCellWarp(float* out, int index, const float* p) const;

    // ---- Procedural textures (texture_generation.cpp, texture_randomiser.cpp).
    // Fills an n x n image of the preset through mapping mode 0..7 (mode 7
    // one grey byte a pixel, the others RGB).
    void GenerateProceduralTexture(uint8_t* pixels, int n, int mode, int index);
    float* SampleTexturePresetHemisphere(float* out, float x, float y, int n, int index) const;
    float* SampleTexturePresetDome(float* out, float x, float y, int n, int index) const;
    float* SampleTexturePresetUV(float* out, float x, float y, int n, int index) const;
    void RandomizeTexturePreset(TexturePreset& preset, int index);
    // Presets first..last - 1 with their thumbnails rendered in mode.
    void RegenerateTexturePresets(int first, int last, int mode);
    void BuildCellSites(int index, int count);
    void SpreadCellSitesEvenly(int count, int index);
    // Renders preset index into the thumbnail buffer in mode and uploads it
    // into the preset's texture.
    void RenderPresetThumbnail(int index, int mode);
    // Start-up images (startup_textures.cpp).
    void MakeShadingModelThumbnails();
    void LoadBuiltInTextures();
    // The 75 presets and their thumbnail textures; start-up step 6 runs it
    // right after InitializeTextures.
    void MakeStartupPresets();

    // ---- The material and light panel (material_panel_input.cpp,
    // material_panel_drawing.cpp); x, y in virtual-screen units, y up.
    void DrawLightSourceLabel();
    void DrawGlowAndFogPanel(int page);
    void DrawSurfaceMaterialControls();
    void DrawTextureThumbnail(int mode);
    void HandlePanelCommand(int x, int y);
    void HandlePanelClick(int x, int y, int page);
    void HandlePanelMouseMove(int x, int y);
    bool UpdateLightFromPanel(int x, int y, float delta);
    void SelectMaterial(int material);
    void SelectLight(int light);
    void RenderShadingBall(const float* d, float intensity, float exponent);

    // ---- Texture slots (texture_slots.cpp).
    bool LoadTextureFromFile(int fileIndex, int side, int material, bool useDialog);
    void SetTextureFromColorMap(int side, int material);
    void SetSlotSolidColor(uint8_t r, uint8_t g, uint8_t b, int side, int material);
    bool LoadBackgroundImage();
    void ResetBackgroundImage();
    bool LoadLightGelDialog(int light);
    void ResetLightGel(int light);
    void ShowLightGelThumbnail(int light);
    void UploadSlotThumbnail(uint32_t texture, const TextureSlot& slot);
    void ScaleSlotToThumbnail(const TextureSlot& slot);
    void ClearPreviewTexture(uint32_t texture);
    bool SaveTextureBitmap(int n, int mode, int index);

    // 1. Texture presets; entry e of texture panel t is preset 15 t + e.
    TexturePreset presets[kTexturePresetCount];
    // 2. The material and light panel's widgets (material_panel.cpp).
    SimpleBall textureDirection;  // "Texture  Dir.": turns the edited light
    ListBox rotationList;         // "Rot"
    OptionsBox glowShader;        // "Enable the Glow Shader"
    OptionsBox glowBackground;    // "Include the background brighness in the shader"
    SLWindow glowParameters;      // "Glow Parameters"
    OptionsBox reflections;       // "Enable Reflections"
    SLWindow reflectivity;        // "Reflectivity Index (0.0 .. 1.0)"
    OptionsBox backgroundFog;     // "Use Background as Fog source"
    OptionsBox editBox;           // "Edit"
    OptionsBox lightEnabledBox;   // "Enable Light"
    OptionsBox surfaceMaterialBox;  // "Enable Surface Material"
    ListBox objectToEdit;         // "Object to Edit:"
    Button lightButtons[6];       // "#", "$", "Load", "Clear", "New Textures", "Select"
    ListBox shadingModel[2];      // "Shading Model": curve mode 1, curve mode 2
    TextureBox textureBoxes[2];
    ListBox windowList;           // "Window"
    ListBox controlsList;         // "Controls"
    ListBox transList;            // "Trans"
    ColorPanel lightColor;        // "Color    R       G       B "
    // 3. One sky per shading worker.
    Skylight skies[kSkyCount];
    // 4. The fog colour (floats added to the fog gradient) and gradient browser.
    FogColorPanel fogPanel;
    // 5.
    STWindow lightParameters;  // "Light Parameters"
    // 6.
    TexturePanel texturePanels[kTexturePanelCount];
    // 7.
    uint32_t presetThumbnails[kTexturePresetCount] = {};
    // 8.
    OptionsBox useTextureBox;  // "Use Texture"
    ColorPanel specular;       // "Specular  R       G       B "
    // 9.
    int32_t editedLight = 0;
    uint8_t textureDialogFlag = 0;
    // 10. Slots 0..9 texture A of materials 0..9, 10..19 texture B, 20 the background.
    TextureSlot slots[kTextureSlotCount];
    // 11. Per-material flags.
    uint8_t useTextureA[kMaterialCount] = {};
    uint8_t useTextureB[kMaterialCount] = {};
    uint8_t customTextureA[kMaterialCount] = {};
    uint8_t customTextureB[kMaterialCount] = {};
    uint8_t solidColorA[kMaterialCount] = {};
    uint8_t solidColorB[kMaterialCount] = {};
    // The Fresnel flag ("Enable Fresnel Equation"): the shading adds the
    // environment light for materials that have it; 0 at start.
    uint8_t fresnelOn[kMaterialCount] = {};
    // 12.
    uint32_t solidColorsA[kMaterialCount][3] = {};
    uint32_t solidColorsB[kMaterialCount][3] = {};
    // 13. Per-material values edited through the main panel's slider windows.
    float ambientIntensity[kMaterialCount] = {};
    float diffuseIntensity[kMaterialCount] = {};
    float specularMagnitude[kMaterialCount] = {};
    float specularIntensity[kMaterialCount] = {};
    float fresnelInt[kMaterialCount] = {};
    float fresnelExt[kMaterialCount] = {};
    float shadowDepth[kMaterialCount] = {};
    float rotationA[kMaterialCount] = {};  // degrees, whole numbers
    float rotationB[kMaterialCount] = {};
    float ambientRoughness[kMaterialCount] = {};
    // 14. 1: the background image is the environment; 0: the sky is.
    uint8_t backgroundImageOn = 0;
    // 15.
    uint8_t useColorMapA[kMaterialCount] = {};
    uint8_t useColorMapB[kMaterialCount] = {};
    // 16.
    uint8_t neonPlanesOn = 0;
    // 17.
    LightSource lights[kLightCount];
    TextureSlot gels[kLightCount];
    // 18. Scratch plane, then red, green and blue: colour sums in byte units.
    float neonScratch[kNeonPlaneSize * kNeonPlaneSize] = {};
    float neonPlanes[3][kNeonPlaneSize * kNeonPlaneSize] = {};
    // 19.
    uint8_t lightPageShown = 0;
    // R of side A, R of B, G of A, G of B, B of A, B of B.
    uint8_t materialColorMaps[6][kMaterialCount][kColorMapSize] = {};
    // 20. The per-baseshape neon colour and intensity live with the
    // baseshape records (gBaseshapeNeonColor, gBaseshapeNeonStrength).
    uint8_t previewRed[kMaterialCount] = {};
    uint8_t previewGreen[kMaterialCount] = {};
    uint8_t previewBlue[kMaterialCount] = {};
    // 21.
    int32_t currentMaterial = 0;
    // 23. Thumbnail textures of material sides A and B.
    uint32_t thumbnailA[kMaterialCount] = {};
    uint32_t thumbnailB[kMaterialCount] = {};
    // 24.
    uint32_t curveMode1[kMaterialCount] = {};
    uint32_t curveMode2[kMaterialCount] = {};
    uint8_t surfaceMaterialOn[kMaterialCount] = {};
    uint32_t materialType[kMaterialCount] = {};
    // 25.
    BoolBox materialTypeList;  // "Material Type"
    // 26. The thumbnail work buffer and the textures of the gel thumbnail, the
    // shading ball and the seven shading-model thumbnails.
    uint8_t thumbnailBuffer[kThumbnailSize * kThumbnailSize * 3] = {};
    uint32_t gelThumbnail = 0;
    uint32_t shadingBallThumbnail = 0;
    uint32_t shadingModelThumbnails[kCurveModeCount] = {};
    // Set by the procedural texture thread while it generates, with the kind
    // of texture it makes (0, 1 material A, B; 2 background; 3 surface
    // texture; 4 displacement map; 5 light gel); written by that thread.
    uint8_t generationShown = 0;
    int32_t generationTarget = 0;
};

extern Shader gShader;

// Baseshape i's surface texture becomes an empty 512 x 512 image named "#",
// the target the procedural texture thread fills.
void ResetBaseshapeTexture(int i);
// The 128 x 128 grey thumbnail of curve mode m: a ball lit (1 - r^2)^0.9
// through the curve, black outside.
void MakeShadingModelPicture(uint8_t* rgb, int mode);

// The neon planes' on byte under the name the shading passes use.
extern uint8_t& gMaskPlanesOn;
// Weight of the blur's 7 x 7 kernel at offset (dx, dy); 0 outside it.
float NeonBlurWeight(int dx, int dy);

