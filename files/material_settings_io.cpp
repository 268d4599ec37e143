// Sections: [layouts] [writer] [reader].
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "files/material_settings.h"
#include "platform/picture_file.h"

namespace {

constexpr size_t kNameSize = 260;
constexpr int kSwitchBytes = 7;

// The seven per-material values in their stored order.
template <class Values>
auto MaterialValueArray(Values& v, int k)
{
    decltype(&v.ambient[0]) arrays[7] = {v.ambient, v.diffuse,    v.specularExponent, v.specular,
                                         v.fresnelExt, v.fresnelInt, v.shadowDepth};
    return arrays[k];
}

// Stored colour map order: side A (maps 0, 2, 4 of the model), then side B.
constexpr int kMapOfSide[2][3] = {{0, 2, 4}, {1, 3, 5}};

}  // namespace

// ---- [layouts] ----------------------------------------------------------------------
MaterialLayout BmatLayout() { return MaterialLayout{}; }

MaterialLayout FractalFileLayout(bool versionWord, uint32_t layoutFlag)
{
    MaterialLayout l;
    l.fractalFile = true;
    l.solidColors = versionWord && layoutFlag > 0;
    l.oldFlagBytes = !versionWord;
    l.blendGate = 5;
    l.glowGate = 6;
    l.fogSourceGate = 7;
    l.gradientGate = 8;
    l.angleGate = 10;
    return l;
}

int32_t ClampRow(int32_t row, int32_t count) { return std::clamp(row, 0, count - 1); }

// ---- [writer] -----------------------------------------------------------------------
namespace {

void WriteName(BinaryWriter& out)
{
    out.Value(uint8_t{'#'});
    out.Zeros(kNameSize - 1);
}

// The slot's size; a slot without pixels goes out as an 8 x 8 grey stand-in,
// so every file written reads back.
void WriteSize(BinaryWriter& out, const TextureSlot& slot)
{
    const SlotImageHold image = slot.Image();
    const bool has = image && image->width > 0 && image->height > 0 &&
                     image->pixels.size() >= size_t{image->width} * image->height * 3;
    out.Value(has ? image->width : 8u);
    out.Value(has ? image->height : 8u);
}

void WritePixels(BinaryWriter& out, const TextureSlot& slot)
{
    const SlotImageHold image = slot.Image();
    const size_t bytes = image ? size_t{image->width} * image->height * 3 : 0;
    if (image && bytes > 0 && image->pixels.size() >= bytes) {
        out.Bytes(image->pixels.data(), bytes);
        return;
    }
    uint8_t grey[8 * 8 * 3];
    std::memset(grey, 128, sizeof grey);
    out.Bytes(grey, sizeof grey);
}

void WriteFlags10(BinaryWriter& out, const uint8_t* flags)
{
    for (int m = 0; m < kMaterials; ++m) out.Value(static_cast<uint8_t>(flags[m] != 0));
}

}  // namespace

void WriteMaterialRun1(BinaryWriter& out, const MaterialValues& v, const MaterialLayout& layout)
{
    const uint8_t flags[kSwitchBytes] = {v.drawingShadersOn, 0, v.backgroundOn, v.volumetricFogOn, 0, 0, v.fogOn};
    out.Bytes(flags, sizeof flags);
    for (int c = 0; c < 3; ++c) out.Value(static_cast<uint32_t>(std::clamp(v.fogColor[c], 0, 255)));
    // Stored as the items are named: "Drawing Type" 0 "Grayscale" .. 6
    // "Stipple", "Background Type" 0 "SkyLight", 1 "Images or textures".
    out.Value(ListItemOfRow(ClampRow(v.drawingType, kDrawingTypeRows), kDrawingTypeRows));
    out.Value(ListItemOfRow(ClampRow(v.backgroundType, kBackgroundTypeRows), kBackgroundTypeRows));
    out.Value(v.useBackgroundImage);
    const TextureSlot& background = gShader.slots[kBackgroundSlot];
    WriteName(out);
    WriteSize(out, background);
    WritePixels(out, background);
    const float sliders[6] = {v.fog[0], v.fog[1], v.turbidity, v.volumetricFogColor[0], v.volumetricFogColor[1],
                              v.volumetricFogColor[2]};
    for (float s : sliders) {
        out.Value(s);
        out.Value(0.0f);
    }
    out.Value(v.lightDistribution);
    out.Value(v.lightDistribution);
    out.Value(v.shadowType);
    out.Bytes(v.occlusion, 2);
    out.Values(v.averagedOcclusion, 2);
    out.Values(v.perPixelOcclusion, 2);
    for (int m = 0; m < kMaterials; ++m) {
        for (int k = 0; k < 7; ++k) out.Value(MaterialValueArray(v, k)[m]);
    }
    WriteFlags10(out, v.useColorMapA);
    WriteFlags10(out, v.useColorMapB);
    for (int side = 0; side < 2; ++side) {
        for (int m = 0; m < kMaterials; ++m) {
            uint8_t entries[kColorMapSize * 3];
            for (int k = 0; k < kColorMapSize; ++k) {
                for (int c = 0; c < 3; ++c) entries[3 * k + c] = v.colorMaps[kMapOfSide[side][c]][m][k];
            }
            out.Bytes(entries, sizeof entries);
        }
    }
    for (const uint8_t* flags10 : {v.useTextureA, v.useTextureB, v.textureFlagC, v.textureFlagD}) WriteFlags10(out, flags10);
    const uint8_t* used[2] = {v.useTextureA, v.useTextureB};
    for (int side = 0; side < 2; ++side)
        for (int m = 0; m < kMaterials; ++m)
            if (used[side][m]) out.Value(static_cast<uint32_t>(kNameSize));
    for (int side = 0; side < 2; ++side)
        for (int m = 0; m < kMaterials; ++m)
            if (used[side][m]) WriteName(out);
    for (int side = 0; side < 2; ++side)
        for (int m = 0; m < kMaterials; ++m)
            if (used[side][m]) WriteSize(out, gShader.slots[side * kMaterials + m]);
    for (int side = 0; side < 2; ++side)
        for (int m = 0; m < kMaterials; ++m)
            if (used[side][m]) WritePixels(out, gShader.slots[side * kMaterials + m]);
    if (layout.solidColors) {
        WriteFlags10(out, v.solidA);
        WriteFlags10(out, v.solidB);
        for (const auto* colors : {v.solidColorA, v.solidColorB}) {
            for (int c = 0; c < 3; ++c)
                for (int m = 0; m < kMaterials; ++m) out.Value(static_cast<int32_t>(std::min(colors[m][c], 255u)));
        }
    }
    out.Value(v.materialBlend);
    out.Value(v.gamma);
    out.Value(1.0f);
    out.Value(v.glowOn);
    out.Value(v.glowOn);
    out.Values(v.glow, 2);
    out.Value(v.occlusionOption);
    if (layout.fractalFile) {
        out.Value(uint8_t{0});
        out.Value(v.backgroundFog);
    } else {
        out.Value(v.backgroundFog);
        out.Value(v.panelByte);
    }
    uint8_t gradient[kColorMapEntries * 3];
    for (int k = 0; k < kColorMapEntries; ++k)
        for (int c = 0; c < 3; ++c) gradient[3 * k + c] = v.fogGradient[c][k];
    out.Bytes(gradient, sizeof gradient);
    out.Value(v.glow[2]);
    out.Values(v.angleA, kMaterials);
    out.Values(v.angleB, kMaterials);
    out.Values(v.angleC, kMaterials);
}

void WriteMaterialRun2(BinaryWriter& out, const MaterialValues& v)
{
    WriteFlags10(out, v.surfaceOn);
    out.Values(v.materialType, kMaterials);
    out.Value(v.reflectionsOn);
    out.Value(v.reflectivity);
}

void WriteCurveModesAndPreviews(BinaryWriter& out, const MaterialValues& v)
{
    for (int m = 0; m < kMaterials; ++m) {
        out.Value(static_cast<int32_t>(v.curveModeA[m]));
        out.Value(static_cast<int32_t>(v.curveModeB[m]));
    }
    for (int m = 0; m < kMaterials; ++m)
        for (int c = 0; c < 3; ++c) out.Value(v.preview[c][m]);
}

void WriteFinalSwitches(BinaryWriter& out, const MaterialValues& v)
{
    out.Bytes(v.finalSwitches, 4);
    WriteFlags10(out, v.materialFinalFlag);
}

// ---- [reader] -----------------------------------------------------------------------
bool FileParser::Image(uint32_t width, uint32_t height, const char* what, SlotImagePtr* image)
{
    const uint64_t pixels = uint64_t{width} * height;
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide || pixels > kMaxImagePixels) {
        return Damaged(std::string(what) + " of " + std::to_string(width) + " by " + std::to_string(height) + " pixels");
    }
    if (!in.Holds(pixels, 3)) return Short();
    try {
        auto next = std::make_unique<SlotImage>();
        next->width = width;
        next->height = height;
        next->pixels.resize(static_cast<size_t>(pixels) * 3);
        if (!in.Bytes(next->pixels.data(), next->pixels.size())) return Short();
        *image = std::move(next);
    } catch (const std::bad_alloc&) {
        return NoMemory();
    }
    return true;
}

namespace {

bool ReadFlags10(BinaryReader& in, uint8_t* flags)
{
    uint8_t bytes[kMaterials];
    if (!in.Bytes(bytes, sizeof bytes)) return false;
    for (int m = 0; m < kMaterials; ++m) flags[m] = bytes[m] != 0;
    return true;
}

// The switch bytes: 0 drawing shaders, 1 the old per-material flag, 2
// background, 3 volumetric fog, 4 and 5 old drawing-type flags, 6 fog.
void ApplySwitchBytes(const uint8_t* b, MaterialValues& v)
{
    v.drawingShadersOn = (b[0] || b[4] || b[5]) ? 1 : 0;
    v.backgroundOn = b[2] != 0;
    v.volumetricFogOn = b[3] != 0;
    v.fogOn = b[6] != 0;
    std::memset(v.materialFinalFlag, b[1] != 0, sizeof v.materialFinalFlag);
}

bool ReadTextures(FileParser& p, MaterialSettings& s)
{
    MaterialValues& v = s.v;
    BinaryReader& in = p.in;
    for (uint8_t* flags : {v.useTextureA, v.useTextureB, v.textureFlagC, v.textureFlagD})
        if (!ReadFlags10(in, flags)) return p.Short();
    const uint8_t* used[2] = {v.useTextureA, v.useTextureB};
    // Every name field is 260 bytes; a file that says otherwise is not one of ours.
    for (int side = 0; side < 2; ++side) {
        for (int m = 0; m < kMaterials; ++m) {
            if (!used[side][m]) continue;
            uint32_t length = 0;
            if (!in.Read(length)) return p.Short();
            if (length != kNameSize) return p.Damaged("a texture name of " + std::to_string(length) + " bytes");
        }
    }
    for (int side = 0; side < 2; ++side)
        for (int m = 0; m < kMaterials; ++m)
            if (used[side][m] && !in.Skip(kNameSize)) return p.Short();
    uint32_t sizes[2][kMaterials][2] = {};
    for (int side = 0; side < 2; ++side)
        for (int m = 0; m < kMaterials; ++m)
            if (used[side][m] && !in.ReadArray(sizes[side][m], 2)) return p.Short();
    for (int side = 0; side < 2; ++side) {
        for (int m = 0; m < kMaterials; ++m) {
            if (!used[side][m]) continue;
            SlotImagePtr& image = side == 0 ? s.textureA[m] : s.textureB[m];
            if (!p.Image(sizes[side][m][0], sizes[side][m][1], side == 0 ? "texture A" : "texture B", &image)) return false;
        }
    }
    return true;
}

}  // namespace

bool ReadMaterialRun1(FileParser& p, uint32_t v, const MaterialLayout& layout, MaterialSettings& s)
{
    MaterialValues& m = s.v;
    BinaryReader& in = p.in;
    uint8_t flags[8] = {};
    if (!in.Bytes(flags, layout.oldFlagBytes ? 8 : kSwitchBytes)) return p.Short();
    ApplySwitchBytes(flags, m);
    // The oldest files knew no switch for the drawing shaders: they drew with them.
    if (layout.oldFlagBytes) m.drawingShadersOn = 1;
    uint32_t fog[3];
    if (!in.ReadArray(fog, 3)) return p.Short();
    for (int c = 0; c < 3; ++c) m.fogColor[c] = static_cast<int32_t>(std::min(fog[c], 255u));
    int32_t drawingType = 0;
    uint32_t width = 0, height = 0;
    if (!(in.Read(drawingType) && in.Read(m.backgroundType) && in.Read(m.useBackgroundImage) && in.Skip(kNameSize) &&
          in.Read(width) && in.Read(height))) {
        return p.Short();
    }
    if (!p.Row(m.backgroundType, kBackgroundTypeRows, "Background Type")) return false;
    m.backgroundType = ListItemOfRow(m.backgroundType, kBackgroundTypeRows);
    m.useBackgroundImage = m.useBackgroundImage != 0;
    // Item numbers: two items joined the list since, each above the ones it
    // had; the old flag bytes name "Stipple" (6) and "Color Shaded" (5).
    // Counted in 64 bits: a damaged number near the top of 32 does not wrap.
    int64_t drawingRow = drawingType;
    if (v < 11) ++drawingRow;
    if (v < 27) ++drawingRow;
    if (flags[5]) drawingRow = 6;
    if (flags[4]) drawingRow = 5;
    if (!p.Row(drawingRow, kDrawingTypeRows, "Drawing Type")) return false;
    m.drawingType = ListItemOfRow(static_cast<int32_t>(drawingRow), kDrawingTypeRows);
    if (!p.Image(width, height, "the background image", &s.background)) return false;
    float sliders[12];
    if (!in.ReadArray(sliders, 12)) return p.Short();
    m.fog[0] = sliders[0], m.fog[1] = sliders[2], m.turbidity = sliders[4];
    for (int c = 0; c < 3; ++c) m.volumetricFogColor[c] = sliders[6 + 2 * c];
    int32_t light = 0, copy = 0;
    if (!(in.Read(light) && in.Read(copy))) return p.Short();
    const int64_t lightRow = v < 13 ? int64_t{light} + 1 : light;
    if (!p.Row(lightRow, 8, "Light Distribution Shader")) return false;
    m.lightDistribution = static_cast<int32_t>(lightRow);
    int32_t shadow = 3;  // the oldest files shadow the classic way
    if (v >= 4 && !in.Read(shadow)) return p.Short();
    const int64_t shadowRow = v >= 4 && v < 8 ? int64_t{shadow} + 1 : shadow;
    if (!p.Row(shadowRow, 4, "Shadow Type")) return false;
    m.shadowType = static_cast<int32_t>(shadowRow);
    if (!(in.Bytes(m.occlusion, 2) && in.ReadArray(m.averagedOcclusion, 2) && in.ReadArray(m.perPixelOcclusion, 2)))
        return p.Short();
    for (uint8_t& o : m.occlusion) o = o != 0;
    float values[kMaterials * 7];
    if (!in.ReadArray(values, kMaterials * 7)) return p.Short();
    for (int mat = 0; mat < kMaterials; ++mat)
        for (int k = 0; k < 7; ++k) MaterialValueArray(m, k)[mat] = values[7 * mat + k];
    if (!(ReadFlags10(in, m.useColorMapA) && ReadFlags10(in, m.useColorMapB))) return p.Short();
    for (int side = 0; side < 2; ++side) {
        for (int mat = 0; mat < kMaterials; ++mat) {
            const uint8_t* entries = in.Take(kColorMapSize * 3);
            if (!entries) return p.Short();
            uint8_t* red = m.colorMaps[kMapOfSide[side][0]][mat];
            uint8_t* green = m.colorMaps[kMapOfSide[side][1]][mat];
            uint8_t* blue = m.colorMaps[kMapOfSide[side][2]][mat];
            for (int k = 0; k < kColorMapSize; ++k, entries += 3) red[k] = entries[0], green[k] = entries[1], blue[k] = entries[2];
        }
    }
    if (!ReadTextures(p, s)) return false;
    if (layout.solidColors) {
        int32_t colors[6][kMaterials];
        if (!(ReadFlags10(in, m.solidA) && ReadFlags10(in, m.solidB) && in.ReadArray(&colors[0][0], 6 * kMaterials)))
            return p.Short();
        for (int mat = 0; mat < kMaterials; ++mat) {
            for (int c = 0; c < 3; ++c) {
                m.solidColorA[mat][c] = static_cast<uint32_t>(std::clamp(colors[c][mat], 0, 255));
                m.solidColorB[mat][c] = static_cast<uint32_t>(std::clamp(colors[3 + c][mat], 0, 255));
            }
        }
    }
    float gamma[2] = {1.0f, 1.0f};
    m.materialBlend = 7;
    if (v >= layout.blendGate && !(in.Read(m.materialBlend) && in.ReadArray(gamma, 2))) return p.Short();
    if (!p.Row(m.materialBlend, 9, "Material Color Blend")) return false;
    m.gamma = gamma[0];
    m.glowOn = 0;
    m.glow[0] = 0.5f, m.glow[1] = 4.0f;
    m.occlusionOption = 2;
    if (v >= layout.glowGate) {
        uint8_t glow[2];
        if (!(in.Bytes(glow, 2) && in.ReadArray(m.glow, 2) && in.Read(m.occlusionOption))) return p.Short();
        m.glowOn = glow[1] != 0;  // both bytes land in the same switch: the second stays
    }
    if (!p.Row(m.occlusionOption, 3, "Ambient Occlusion Options")) return false;
    m.backgroundFog = 0;
    if (v >= layout.fogSourceGate) {
        uint8_t pair[2];
        if (!in.Bytes(pair, 2)) return p.Short();
        m.backgroundFog = (layout.fractalFile ? pair[1] : pair[0]) != 0;
        if (!layout.fractalFile) m.panelByte = pair[1];
    }
    std::memset(m.fogGradient, 0, sizeof m.fogGradient);
    m.glow[2] = 1.0f;
    if (v >= layout.gradientGate) {
        uint8_t gradient[kColorMapEntries * 3];
        if (!(in.Bytes(gradient, sizeof gradient) && in.Read(m.glow[2]))) return p.Short();
        for (int k = 0; k < kColorMapEntries; ++k)
            for (int c = 0; c < 3; ++c) m.fogGradient[c][k] = gradient[3 * k + c];
    }
    std::fill(m.angleA, m.angleA + kMaterials, 0.0f);
    std::fill(m.angleB, m.angleB + kMaterials, 0.0f);
    std::fill(m.angleC, m.angleC + kMaterials, 0.0f);
    if (v >= layout.angleGate && !(in.ReadArray(m.angleA, kMaterials) && in.ReadArray(m.angleB, kMaterials)))
        return p.Short();
    if (v >= 30 && !in.ReadArray(m.angleC, kMaterials)) return p.Short();
    return true;
}

void SetColoringDefaults(MaterialValues& v, int32_t modeWithout)
{
    std::fill(v.curveModeA, v.curveModeA + kMaterials, 6u);
    std::fill(v.curveModeB, v.curveModeB + kMaterials, 5u);
    std::memset(v.preview, 255, sizeof v.preview);
    v.rayCasting = 0;
    v.coloringMode = modeWithout;
    v.colorKeep = 0.75f;
    v.colorMix = 0.25f;
    v.colorBlendMode = 6;
    v.shadowSampling[0] = 20.0f;
    v.shadowSampling[1] = 60.0f;
}

bool ReadCurveModesAndPreviews(FileParser& p, MaterialValues& v)
{
    int32_t modes[kMaterials][2];
    uint8_t colors[kMaterials][3];
    if (!(p.in.ReadArray(&modes[0][0], 2 * kMaterials) && p.in.Bytes(colors, sizeof colors))) return p.Short();
    for (int m = 0; m < kMaterials; ++m) {
        if (!p.Row(modes[m][0], kCurveModeCount, "curve mode") || !p.Row(modes[m][1], kCurveModeCount, "curve mode"))
            return false;
        v.curveModeA[m] = static_cast<uint32_t>(modes[m][0]);
        v.curveModeB[m] = static_cast<uint32_t>(modes[m][1]);
        for (int c = 0; c < 3; ++c) v.preview[c][m] = colors[m][c];
    }
    return true;
}

bool ReadFinalSwitches(FileParser& p, MaterialValues& v)
{
    if (!(p.in.Bytes(v.finalSwitches, 4) && ReadFlags10(p.in, v.materialFinalFlag))) return p.Short();
    for (uint8_t& s : v.finalSwitches) s = s != 0;
    return true;
}

bool FileParser::Finite(const float* values, size_t n, const char* what)
{
    for (size_t k = 0; k < n; ++k) {
        if (!std::isfinite(values[k])) return Damaged(std::string("a value of ") + what + " that is not a number");
    }
    return true;
}

bool TakeMaterialWindowValues(FileParser& p, MaterialValues& v)
{
    struct Single {
        const float* rows;
        int row;
        float* value;
        const char* what;
    };
    const Single singles[] = {
        {kFogRows, 0, &v.fog[0], "Parameters A"},
        {kFogRows, 1, &v.fog[1], "Parameters B"},
        {kTurbidityRows, 0, &v.turbidity, "Sun Turbidity"},
        {kVolumetricFogRows, 0, &v.volumetricFogColor[0], "Volumetric Fog Color"},
        {kVolumetricFogRows, 1, &v.volumetricFogColor[1], "Volumetric Fog Color"},
        {kVolumetricFogRows, 2, &v.volumetricFogColor[2], "Volumetric Fog Color"},
        {kAveragedRows, 0, &v.averagedOcclusion[0], "Averaged Ambient Occlusion (Fast)"},
        {kAveragedRows, 1, &v.averagedOcclusion[1], "Averaged Ambient Occlusion (Fast)"},
        {kPerPixelRows, 0, &v.perPixelOcclusion[0], "Per Pixel Ambient Occlusion (Slow)"},
        {kPerPixelRows, 1, &v.perPixelOcclusion[1], "Per Pixel Ambient Occlusion (Slow)"},
        {kGammaRows, 0, &v.gamma, "Gamma Correction"},
        {kGlowRows, 0, &v.glow[0], "Glow Parameters"},
        {kGlowRows, 1, &v.glow[1], "Glow Parameters"},
        {kGlowRows, 2, &v.glow[2], "Glow Parameters"},
        {kReflectivityRows, 0, &v.reflectivity, "Reflectivity Index (0.0 .. 1.0)"},
        {kColorWeightRows, 0, &v.colorKeep, "Color Interpolation Weight"},
        {kColorWeightRows, 0, &v.colorMix, "Color Interpolation Weight"},
        {kShadowSamplingRows, 0, &v.shadowSampling[0], "Shadow Sampling Parameters"},
        {kShadowSamplingRows, 1, &v.shadowSampling[1], "Shadow Sampling Parameters"},
    };
    for (const Single& s : singles)
        if (!p.Window(s.rows, s.row, *s.value, s.what)) return false;
    struct PerMaterial {
        const float* rows;
        int row;
        float* values;
        const char* what;
    };
    const PerMaterial materials[] = {
        {kAmbientRows, 0, v.ambient, "Ambient Parameters"},       {kAmbientRows, 1, v.angleA, "Ambient Parameters"},
        {kAmbientRows, 2, v.angleC, "Ambient Parameters"},        {kDiffuseRows, 0, v.diffuse, "Diffuse Parameters"},
        {kDiffuseRows, 1, v.angleB, "Diffuse Parameters"},        {kSpecularRows, 0, v.specularExponent, "Specular Parameters"},
        {kSpecularRows, 1, v.specular, "Specular Parameters"},    {kShadowDepthRows, 0, v.shadowDepth, "Shadow Depth"},
    };
    for (const PerMaterial& m : materials)
        for (int k = 0; k < kMaterials; ++k)
            if (!p.Window(m.rows, m.row, m.values[k], m.what)) return false;
    // The materials start outside the Fresnel window's range (8 and 0.001):
    // those two are only checked to be numbers.
    return p.Finite(v.fresnelExt, kMaterials, "Fresnel Parameters") &&
           p.Finite(v.fresnelInt, kMaterials, "Fresnel Parameters");
}
