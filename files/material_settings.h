// The shading side of a scene as the material file (".bmat") and the
// fractal data file (".zdat", ".zb3f") store it: the ten materials with
// their colour maps and textures, the environment and shader switches, the
// fog gradient and the point-colouring settings.
//
// Both files hold the same fields in the same order and widths; they differ
// in a few places (the byte beside the fog source, which version added what,
// where the colouring fields sit), which MaterialLayout names. Reading goes
// into a MaterialSettings first; only a file that parsed whole is installed.
//
// A list's selection is stored as the model keeps it, the row counted from
// the bottom, except where the file names the list's items from the top
// ("Drawing Type", "Background Type"; the fractal file's "Image Type"): those
// go through ListItemOfRow. A reader clamps every stored value into its list.
#pragma once

#include <cstdint>
#include <string>

#include "engine/byte_sink.h"
#include "engine/window_ranges.h"
#include "files/binary_reader.h"
#include "files/binary_writer.h"
#include "materials/shader.h"

inline constexpr uint32_t kMaterialFileVersion = 31;
inline constexpr int kMaterials = kMaterialCount;

// Every material value of the model, as plain data.
struct MaterialValues {
    // The switch bytes.
    uint8_t drawingShadersOn = 0, backgroundOn = 0, volumetricFogOn = 0, fogOn = 0;
    int32_t fogColor[3] = {};
    int32_t drawingType = 0, backgroundType = 0;
    uint8_t useBackgroundImage = 0;
    // "Parameters" A and B, "Sun Turbidity", "Volumetric Fog Color".
    float fog[2] = {}, turbidity = 0, volumetricFogColor[3] = {};
    int32_t lightDistribution = 0, shadowType = 0;
    uint8_t occlusion[2] = {};
    float averagedOcclusion[2] = {}, perPixelOcclusion[2] = {};
    // The seven values of each material.
    float ambient[kMaterials] = {}, diffuse[kMaterials] = {}, specularExponent[kMaterials] = {};
    float specular[kMaterials] = {}, fresnelExt[kMaterials] = {}, fresnelInt[kMaterials] = {};
    float shadowDepth[kMaterials] = {};
    uint8_t useColorMapA[kMaterials] = {}, useColorMapB[kMaterials] = {};
    uint8_t colorMaps[6][kMaterials][kColorMapSize] = {};  // as Shader::materialColorMaps
    uint8_t useTextureA[kMaterials] = {}, useTextureB[kMaterials] = {};
    uint8_t textureFlagC[kMaterials] = {}, textureFlagD[kMaterials] = {};
    uint8_t solidA[kMaterials] = {}, solidB[kMaterials] = {};
    uint32_t solidColorA[kMaterials][3] = {}, solidColorB[kMaterials][3] = {};
    int32_t materialBlend = 0;
    float gamma = 1.0f;
    uint8_t glowOn = 0;
    float glow[3] = {};
    int32_t occlusionOption = 0;
    uint8_t backgroundFog = 0, panelByte = 0;
    uint8_t fogGradient[3][kColorMapEntries] = {};
    float angleA[kMaterials] = {}, angleB[kMaterials] = {}, angleC[kMaterials] = {};
    uint8_t surfaceOn[kMaterials] = {};
    uint32_t materialType[kMaterials] = {};
    uint8_t reflectionsOn = 0;
    float reflectivity = 0;
    uint32_t curveModeA[kMaterials] = {}, curveModeB[kMaterials] = {};
    uint8_t preview[3][kMaterials] = {};
    // Point colouring and the last switches.
    uint8_t rayCasting = 0;
    int32_t coloringMode = 0;
    float colorKeep = 0, colorMix = 0;
    int32_t colorBlendMode = 0;
    float shadowSampling[2] = {};
    uint8_t finalSwitches[4] = {};  // enhanced darkening, glow background, background reflection, affected by fog
    uint8_t materialFinalFlag[kMaterials] = {};

    bool operator==(const MaterialValues&) const = default;
};

// The values with the images that travel with them; an image is null where
// the file holds none (the slot keeps its own).
struct MaterialSettings {
    MaterialValues v;
    SlotImagePtr background;
    SlotImagePtr textureA[kMaterials], textureB[kMaterials];
};

// Where the two files differ. The version gates are the first version that
// holds the fields (0: every version does).
struct MaterialLayout {
    bool fractalFile = false;    // the byte before the fog source is reserved, and no panelByte follows
    bool solidColors = true;     // false: the solid colours are absent and stay as they are
    bool oldFlagBytes = false;   // files without a version word: eight switch bytes
    uint32_t blendGate = 0, glowGate = 0, fogSourceGate = 0, gradientGate = 0, angleGate = 0;
};
MaterialLayout BmatLayout();
MaterialLayout FractalFileLayout(bool versionWord, uint32_t layoutFlag);

// ---- From and into the model (material_settings.cpp) ------------------------------
MaterialValues CaptureMaterialValues();
// Values, images, thumbnails and solid colours into the model, the colouring
// mode installed. Images are taken over.
void InstallMaterialSettings(MaterialSettings& s);
// The shading ball of the edited material, lit from the light ball.
void RenderEditedShadingBall();

// ---- Writing (material_settings_io.cpp) -----------------------------------------------
// Steps 3 to 16: switches to the angles, images from the model's slots.
void WriteMaterialRun1(BinaryWriter& out, const MaterialValues& v, const MaterialLayout& layout);
// The surface materials, then reflections.
void WriteMaterialRun2(BinaryWriter& out, const MaterialValues& v);
void WriteCurveModesAndPreviews(BinaryWriter& out, const MaterialValues& v);
void WriteFinalSwitches(BinaryWriter& out, const MaterialValues& v);

// ---- Reading -------------------------------------------------------------------------
enum class FileParseStatus : uint8_t {
    kRead,
    kNewerVersion,  // written by a newer program: nothing was read
    kDamaged,       // short, inconsistent or out of range: see the reason
    kNoMemory,
};

// Reading state shared by the readers of both files: the first failure is
// kept with its reason.
class FileParser {
public:
    explicit FileParser(BinaryReader& reader) : in(reader) {}
    BinaryReader& in;
    bool noMemory = false;
    std::string why;

    bool Damaged(const std::string& reason)
    {
        if (why.empty()) why = reason;
        return false;
    }
    bool Short() { return Damaged("the file ends early"); }
    bool NoMemory()
    {
        noMemory = true;
        return Damaged("Insufficient System Memory!");
    }
    // A stored row of a list of count rows; one past the list refuses the
    // file (no window could have set it).
    bool Row(int64_t row, int32_t count, const char* list)
    {
        if (row >= 0 && row < count) return true;
        return Damaged("row " + std::to_string(row) + " of \"" + list + "\", which has " + std::to_string(count));
    }
    // A value for row `row` of a window (engine/window_ranges.h), taken as
    // the window takes a typed one; one that is not a number refuses the file.
    bool Window(const float* rows, int row, float& value, const char* what)
    {
        if (TakeWindowValue(rows, row, value)) return true;
        return Damaged(std::string("a value of \"") + what + "\" that is not a number");
    }
    // Values that no window edits but that must be numbers.
    bool Finite(const float* values, size_t n, const char* what);
    // A stored RGB image of width x height (each 1..16384, at most 2^26
    // pixels, held by the file) into a new image.
    bool Image(uint32_t width, uint32_t height, const char* what, SlotImagePtr* image);
};

// Steps 3 to 16 with the gates of version v.
bool ReadMaterialRun1(FileParser& p, uint32_t v, const MaterialLayout& layout, MaterialSettings& s);
// The defaults a file without the colouring block gives; modeWithout is the
// colouring mode (7 for a material file, 8 for a fractal file).
void SetColoringDefaults(MaterialValues& v, int32_t modeWithout);
bool ReadCurveModesAndPreviews(FileParser& p, MaterialValues& v);
bool ReadFinalSwitches(FileParser& p, MaterialValues& v);
// The values a window edits, taken as the windows take typed ones (after
// the whole file was read, in either file).
bool TakeMaterialWindowValues(FileParser& p, MaterialValues& v);
// A selection of a list of count rows, clamped into it (the writers: the
// readers refuse a row past its list).
int32_t ClampRow(int32_t row, int32_t count);
// The item index, counted from the top, of a row counted from the bottom in
// a list of count rows; the same turns an item index back into a row.
inline constexpr int32_t ListItemOfRow(int32_t row, int32_t count) { return count - 1 - row; }
inline constexpr int32_t kDrawingTypeRows = 7;
inline constexpr int32_t kBackgroundTypeRows = 2;
