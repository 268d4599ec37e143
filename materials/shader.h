// The Shader: everything the image shading needs beyond the render buffers.
// Ten surface materials and ten additional lights as parallel arrays, the
// texture slots, one daylight sky per shading worker, the 75 texture
// presets, the neon planes, the material colour maps and the values the
// material and light panel edits (the panel itself is the shell's). One
// instance, gShader, lives for the whole run.
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

#include "engine/shared_access.h"
#include "materials/color_maps.h"
#include "materials/skylight.h"
#include "materials/texture_generation.h"
#include "materials/texture_presets.h"
#include "materials/texture_slot.h"
#include "materials/thumbnail.h"
#include "engine/window_ranges.h"

inline constexpr int kMaterialCount = 10;
inline constexpr int kLightCount = 10;
inline constexpr int kSkyCount = 24;
inline constexpr int kTexturePresetCount = 75;
inline constexpr int kPresetsPerPanel = 15;
inline constexpr int kTexturePanelCount = 5;
inline constexpr int kTextureSlotCount = 21;
inline constexpr int kBackgroundSlot = 20;
inline constexpr int kNeonPlaneSize = 512;
inline constexpr int kCurveModeCount = 7;
inline constexpr int kMaterialTypeCount = 17;
inline constexpr int kColorMapSize = 256;
// The five preset panels: material textures, backgrounds, surface textures,
// displacement maps, light gels.
inline constexpr int kBaseshapeTexturePanel = 2;
inline constexpr int kBaseshapeDMapPanel = 3;
inline constexpr int kLightGelPanel = 4;
// Start values of the glow window's rows: threshold, smoothing steps, intensity.
inline constexpr float kGlowStart[3] = {kGlowRows[2], kGlowRows[8], kGlowRows[14]};

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

    // Stores d as sky i's request, (x, y, -z) as its sun, and recomputes it.
    void SetSunDirection(const float* d, int sky);
    // Recomputes sky i from its stored sun direction and turbidity.
    void RefreshSky(int sky);
    // Light i to its defaults, its gel a 16 x 16 white image.
    void ResetLight(int light);
    void ResetLightGelWhite(int light);
    // Material i to its start values (flags, floats, curve modes, grey maps).
    void ResetMaterial(int material);
    // The glow, reflection and fog values the panel starts with.
    void ResetPanelValues();
    // The fog colour as 0..255 values; the floats the shading adds follow.
    void SetFogColor(const int* rgb);

    // Settings the shading reads while the window thread edits them.
    bool GlowOn() const { return SharedLoad(glowOn) != 0; }
    bool GlowIncludesBackground() const { return SharedLoad(glowBackground) != 0; }
    float GlowParameter(int row) const { return row >= 0 && row < 3 ? SharedLoad(glow[row]) : 0.0f; }
    bool ReflectionsOn() const { return SharedLoad(reflectionsOn) != 0; }
    float Reflectivity() const { return SharedLoad(reflectivity); }
    bool BackgroundIsFogSource() const { return SharedLoad(backgroundFog) != 0; }
    float FogColor(int c) const { return SharedLoad(fogColorFloat[c]); }

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
    // ---- Start-up (startup_textures.cpp).
    // Background, skies, material and light defaults, grey colour maps. No
    // shading thread runs yet.
    void InitializeTextures();
    void MakeShadingModelThumbnails();
    void LoadBuiltInTextures();
    // The 75 presets and their thumbnail textures; start-up step 6 runs it
    // right after InitializeTextures.
    void MakeStartupPresets();

    // ---- The panel's pictures (material_pictures.cpp).
    // The shading ball of the current material for light direction d.
    void RenderShadingBall(const float* d, float intensity, float exponent);
    // The edited light's gel thumbnail made from preset entry e of the
    // light-gel panel.
    void RenderGelPreset(int entry);

    // ---- Texture slots (texture_slots.cpp).
    bool LoadTextureFromFile(int fileIndex, int side, int material, bool useDialog);
    void SetTextureFromColorMap(int side, int material);
    void SetSlotSolidColor(uint8_t r, uint8_t g, uint8_t b, int side, int material);
    bool LoadBackgroundImage();
    void ResetBackgroundImage();
    bool LoadLightGelDialog(int light);
    void ResetLightGel(int light);
    void ShowLightGelThumbnail(int light);
    void ShowSlotThumbnail(Thumbnail& thumbnail, const TextureSlot& slot);
    void ScaleSlotToThumbnail(const TextureSlot& slot);
    bool SaveTextureBitmap(int n, int mode, int index);

    // 1. Texture presets; entry e of texture panel t is preset 15 t + e.
    TexturePreset presets[kTexturePresetCount];
    // 2. The glow and reflection switches and the fog source; zero until the
    // panel is built (ResetPanelValues gives them their start values).
    uint8_t glowOn = 0;              // "Enable the Glow Shader"
    uint8_t glowBackground = 0;      // "Include the background brighness in the shader"
    float glow[3] = {};              // "Glow Parameters": threshold, steps, intensity
    uint8_t reflectionsOn = 0;       // "Enable Reflections"
    float reflectivity = 0.0f;       // "Reflectivity Index (0.0 .. 1.0)"
    uint8_t backgroundFog = 0;       // "Use Background as Fog source"
    // Carried by the material and fractal files for the shading; nothing
    // reads them yet: the byte beside the fog source and one final flag per
    // material.
    uint8_t panelByte = 0;
    uint8_t materialFinalFlag[kMaterialCount] = {};
    // 3. One sky per shading worker.
    Skylight skies[kSkyCount];
    // 4. The fog colour: 0..255 values and the floats added to the fog gradient.
    int32_t fogColor[3] = {};
    float fogColorFloat[3] = {};
    // 7.
    Thumbnail presetThumbnails[kTexturePresetCount];
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
    // 19. R of side A, R of B, G of A, G of B, B of A, B of B.
    uint8_t materialColorMaps[6][kMaterialCount][kColorMapSize] = {};
    // 20. The per-baseshape neon colour and intensity live with the
    // baseshape records (gBaseshapeNeonColor, gBaseshapeNeonStrength).
    uint8_t previewRed[kMaterialCount] = {};
    uint8_t previewGreen[kMaterialCount] = {};
    uint8_t previewBlue[kMaterialCount] = {};
    // 21.
    int32_t currentMaterial = 0;
    // 23. Thumbnails of material sides A and B.
    Thumbnail thumbnailA[kMaterialCount];
    Thumbnail thumbnailB[kMaterialCount];
    // 24.
    uint32_t curveMode1[kMaterialCount] = {};
    uint32_t curveMode2[kMaterialCount] = {};
    uint8_t surfaceMaterialOn[kMaterialCount] = {};
    uint32_t materialType[kMaterialCount] = {};
    // 26. The thumbnail work buffer, the edited light's gel, the shading ball
    // and the seven shading models.
    uint8_t thumbnailBuffer[kThumbnailBytes] = {};
    Thumbnail gelThumbnail;
    Thumbnail shadingBallThumbnail;
    Thumbnail shadingModelThumbnails[kCurveModeCount];
    // Set by the procedural texture thread while it generates, with the kind
    // of texture it makes (0, 1 material A, B; 2 background; 3 surface
    // texture; 4 displacement map; 5 light gel); written by that thread.
    uint8_t generationShown = 0;
    int32_t generationTarget = 0;
    // The progress each preset panel shows.
    GenerationProgress generation[kTexturePanelCount];
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

