#include "materials/texture_randomiser.h"

#include <cmath>
#include <new>
#include <vector>

#include "engine/color_conversion.h"
#include "engine/random_helpers.h"
#include "materials/patterns.h"
#include "materials/shader.h"
#include "materials/texture_generation.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr double kWordToUnit = 2.3283064365386963e-10;  // 2^-32
constexpr double kAngleStep = 7.3145906e-10;             // pi / 2^32
constexpr int kSpreadIterations = 1000;
constexpr double kMinSpreadStep = 1e-10;

// The even spread's step lives as long as the program, as each spread
// starts from where the last one ended.
double gSpreadStep = 1e-5;

uint32_t Word() { return GlobalRandomU32A(); }

// A generator that never left its all-zero start (one nobody seeded) repeats
// itself: retrying would only draw the same preset again.
bool GeneratorStuck()
{
    const RandomState& s = gGlobalRandomA;
    return (s.word[0] | s.word[1] | s.word[2] | s.word[3] | s.carry) == 0;
}
float Unit() { return GlobalRandomFloatA(); }
uint8_t Bit() { return GlobalRandomBoolA() ? 1 : 0; }

void AxisRotation(float* m, const float* a, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle), k = 1.0f - c;
    m[0] = c + k * a[0] * a[0];
    m[1] = -s * a[2] + k * a[0] * a[1];
    m[2] = s * a[1] + k * a[0] * a[2];
    m[3] = s * a[2] + k * a[1] * a[0];
    m[4] = c + k * a[1] * a[1];
    m[5] = -s * a[0] + k * a[1] * a[2];
    m[6] = -s * a[1] + k * a[2] * a[0];
    m[7] = s * a[0] + k * a[2] * a[1];
    m[8] = c + k * a[2] * a[2];
}

void DrawLayerColor(float* rgb)
{
    float hsv[3];
    switch (Word() & 3u) {
    case 0:
        hsv[2] = 1.0f + 3.5f * Unit();
        hsv[0] = static_cast<float>(Word() % 360u);
        hsv[1] = 0.0f;
        break;
    case 1:
        hsv[2] = 1.0f + 3.5f * Unit();
        hsv[1] = Unit();
        hsv[0] = static_cast<float>(Word() % 360u);
        break;
    case 2:
        hsv[0] = static_cast<float>(Word() % 360u);
        hsv[1] = 1.0f;
        hsv[2] = 1.0f;
        break;
    default:
        hsv[2] = 1.0f + 3.5f * Unit();
        hsv[0] = static_cast<float>(Word() % 360u);
        hsv[1] = 1.0f;
        break;
    }
    HsvToRgb(rgb, hsv);
}

void DrawLayer(TexturePreset& p, int l)
{
    float axis[3];
    RandomUnitVector(axis);
    const uint32_t w1 = Word(), w2 = Word();
    const float angle = static_cast<float>((static_cast<double>(w1) - static_cast<double>(w2)) * kAngleStep);
    AxisRotation(p.patternRotation[l], axis, angle);
    RandomUnitVector(p.layerAxis[l]);
    DrawLayerColor(p.layerColor[l]);
    p.falloffExponent[l] = std::floor(1.0f + 100.0f * Unit());
    p.detailOff[l] = Bit();
    p.detailMode[l] = static_cast<int32_t>(Word() % 6u);
    p.patternOn[l] = Bit();
    for (float& o : p.patternOffset[l]) o = 100.0f + 1000.0f * Unit();
    p.patternScale[l] = 0.125f + 5.0f * Unit();
    p.warpMode[l] = (Word() & 1u) == 0 ? 0 : static_cast<int32_t>(Word() % 3u);
    p.warpPositive[l] = Bit();
    p.warpTurns[l] = static_cast<int32_t>(Word() % 5u + 1u);
    p.patternKind[l] = static_cast<int32_t>(Word() % 13u);

    p.grainOn[l] = Unit() < 0.333f ? 1 : 0;
    uint8_t* t = p.grainTargets[l];
    if (p.grainOn[l]) {
        for (int attempt = 0; attempt < kMaxPresetRetries; ++attempt) {
            t[0] = Bit();
            if (!t[0]) {
                t[1] = Bit();
                t[2] = Bit();
                t[3] = Bit();
            } else {
                t[1] = t[2] = t[3] = 0;
            }
            if (t[0] | t[1] | t[2] | t[3]) break;
        }
        // A generator that only gives zero bits leaves the grain on the value.
        if (!(t[0] | t[1] | t[2] | t[3])) t[0] = 1;
        p.grainAmount[l][0] = 0.02f * Unit();
        for (int i = 1; i < 4; ++i) p.grainAmount[l][i] = 0.125f * Unit();
    } else {
        for (int i = 0; i < 4; ++i) {
            t[i] = 0;
            p.grainAmount[l][i] = 1.0f;
        }
    }

    switch (p.patternKind[l]) {
    case 3: p.patternVariant[l] = static_cast<int32_t>(Word() % 3u); break;
    case 7: p.patternVariant[l] = static_cast<int32_t>(Word() % 5u); break;
    case 8: p.patternVariant[l] = static_cast<int32_t>(Word() % 19u); break;
    case 9: p.patternVariant[l] = static_cast<int32_t>(Word() & 1u); break;
    case 10: p.patternVariant[l] = static_cast<int32_t>(Word() % 5u); break;
    default: break;  // the other kinds keep their variant
    }
    p.starOn[l] = Unit() >= 0.95f ? 1 : 0;
    p.shapeMode[l] = static_cast<int32_t>(Word() % 6u);
    p.shapeFrequency[l] = Word() % 3u < 2u ? 1.0f : static_cast<float>((Word() & 7u) + 1u);
    p.absoluteFalloff[l] = Bit();
    p.invertFalloff[l] = Bit();
    p.patternParameter[l] = kPi * static_cast<float>(1u << (Word() & 3u));
}

void DrawSkyFields(TexturePreset& p)
{
    p.skyMode = Unit() < 0.25f ? 1 : 0;
    RandomUnitVector(p.sunDirection);
    p.sunDirection[1] = std::fabs(p.sunDirection[1]);
    for (float* c : {p.skyColor1, p.skyColor2, p.skyColor3, p.skyColor4}) {
        for (int i = 2; i >= 0; --i) c[i] = Unit();
    }
    p.skyDarkenBelowHorizon = 1;
    p.skySwapYZ = Unit() <= 0.75f ? 1 : 0;
    const double cube = static_cast<double>(Word()) * kWordToUnit;
    p.skyExponents[2] = static_cast<float>(2.0 + 100.0 * cube * cube * cube);
    p.skyExponents[1] = 20.0f + 2000.0f * Unit();
    p.skyExponents[0] = 10.0f + 190.0f * Unit();
    p.skyHorizontalScale = 1.0f;
    p.saturationBoost = 1.1f + 0.9f * Unit();
}

double PairEnergy(const std::vector<double>& pts)
{
    const size_t n = pts.size() / 3;
    double e = 0.0;
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            const double dx = pts[3 * i] - pts[3 * j], dy = pts[3 * i + 1] - pts[3 * j + 1],
                         dz = pts[3 * i + 2] - pts[3 * j + 2];
            const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
            // Coinciding points repel without bound; a huge energy keeps any
            // step that parts them.
            e += d > 0.0 ? 1.0 / d : 1e300;
        }
    }
    return e;
}

}  // namespace

bool PresetIsWhite(const TexturePreset& preset)
{
    int white = 0;
    for (const auto& d : gPatternDirections) {
        float c[3];
        EvaluateTexturePreset(c, preset, d);
        if (c[0] == 1.0f && c[1] == 1.0f && c[2] == 1.0f) ++white;
    }
    return white >= 19;
}

void RandomizePreset(TexturePreset& p)
{
    for (int attempt = 0; attempt < kMaxPresetRetries; ++attempt) {
        p.cylinderMapping = Bit();
        p.cellWarpOn = Unit() > 0.97f ? 1 : 0;
        p.cellPull = Unit();
        p.cellKeep = 1.0f - p.cellPull;
        p.cellEvenSpread = Bit();
        p.cellMetric = static_cast<int32_t>(Word() % 3u);
        if (p.cellWarpOn) BuildPresetCellSites(p, static_cast<int>(Word() % 290u + 10u));
        for (int l = 0; l < kPresetLayers; ++l) DrawLayer(p, l);
        p.layerAxis[0][0] = 0.0f;
        p.layerAxis[0][1] = 0.0f;
        p.layerAxis[0][2] = 1.0f;
        p.falloffExponent[0] = 1.0f;
        for (int round = 0; round < 10; ++round) {
            if ((Word() & 1u) == 0) continue;
            const uint32_t from = Word() % 10u, to = Word() % 10u;
            for (int i = 0; i < 3; ++i) p.layerAxis[to][i] = p.layerAxis[from][i];
        }
        p.layerCount = static_cast<int32_t>(Word() % 9u + 1u);
        if (!PresetIsWhite(p) || GeneratorStuck()) break;
    }
    DrawSkyFields(p);
}

void BuildPresetCellSites(TexturePreset& p, int count)
{
    count = count < kMinCellSites ? kMinCellSites : (count > kMaxCellSites ? kMaxCellSites : count);
    std::vector<CellSite> sites;
    try {
        sites.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        p.cellSites.clear();
        p.cellWarpOn = 0;
        return;
    }
    p.cellSites.swap(sites);
    if (p.cellEvenSpread) {
        SpreadSitesEvenly(p, count);
        return;
    }
    for (CellSite& s : p.cellSites) {
        const double theta = static_cast<double>(Word()) * 6.283185307179586 * kWordToUnit;
        const double y = static_cast<double>(Word()) * (2.0 * kWordToUnit) - 1.0;
        const double r = std::cos(std::asin(y));
        s.v[0] = static_cast<float>(r * std::sin(theta));
        s.v[1] = static_cast<float>(y);
        s.v[2] = static_cast<float>(r * std::cos(theta));
    }
}

void SpreadSitesEvenly(TexturePreset& preset, int count)
{
    if (count <= 0) return;
    const size_t n = static_cast<size_t>(count);
    std::vector<double> pts(3 * n), next(3 * n), force(3 * n);
    for (size_t i = 0; i < n; ++i) {
        double len = 0.0;
        while (len == 0.0) {
            for (int c = 0; c < 3; ++c) {
                const double a = Unit(), b = Unit();
                pts[3 * i + static_cast<size_t>(c)] = a - b;
            }
            len = std::sqrt(pts[3 * i] * pts[3 * i] + pts[3 * i + 1] * pts[3 * i + 1] + pts[3 * i + 2] * pts[3 * i + 2]);
        }
        for (int c = 0; c < 3; ++c) pts[3 * i + static_cast<size_t>(c)] /= len;
    }
    double best = PairEnergy(pts);
    for (int iteration = 0; iteration < kSpreadIterations; ++iteration) {
        for (size_t i = 0; i < n; ++i) {
            double f[3] = {0, 0, 0};
            for (size_t j = 0; j < n; ++j) {
                if (j == i) continue;
                double d[3];
                for (int c = 0; c < 3; ++c) d[c] = pts[3 * i + static_cast<size_t>(c)] - pts[3 * j + static_cast<size_t>(c)];
                const double r = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
                if (r == 0.0) continue;
                const double r3 = r * r * r;
                for (int c = 0; c < 3; ++c) f[c] += d[c] / r3;
            }
            const double* p = &pts[3 * i];
            const double radial = f[0] * p[0] + f[1] * p[1] + f[2] * p[2];
            double q[3];
            for (int c = 0; c < 3; ++c) q[c] = p[c] + gSpreadStep * (f[c] - radial * p[c]);
            const double len = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]);
            for (int c = 0; c < 3; ++c) next[3 * i + static_cast<size_t>(c)] = len > 0.0 ? q[c] / len : p[c];
        }
        const double energy = PairEnergy(next);
        if (energy < best) {
            best = energy;
            pts.swap(next);
            gSpreadStep *= 2.0;
        } else {
            gSpreadStep *= 0.5;
            if (gSpreadStep < kMinSpreadStep) break;
        }
    }
    preset.cellSites.resize(n);
    for (size_t i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) preset.cellSites[i].v[c] = static_cast<float>(pts[3 * i + static_cast<size_t>(c)]);
    }
}

double CellSpreadStep() { return gSpreadStep; }
void SetCellSpreadStep(double step) { gSpreadStep = step; }

double SiteEnergy(const TexturePreset& preset)
{
    std::vector<double> pts;
    for (const CellSite& s : preset.cellSites) pts.insert(pts.end(), {s.v[0], s.v[1], s.v[2]});
    return PairEnergy(pts);
}

void Shader::RandomizeTexturePreset(TexturePreset& preset, int) { RandomizePreset(preset); }

void Shader::BuildCellSites(int index, int count)
{
    if (index >= 0 && index < kTexturePresetCount) BuildPresetCellSites(presets[index], count);
}

void Shader::SpreadCellSitesEvenly(int count, int index)
{
    if (index >= 0 && index < kTexturePresetCount) SpreadSitesEvenly(presets[index], count);
}

void Shader::RenderPresetThumbnail(int index, int mode)
{
    GenerateProceduralTexture(thumbnailBuffer, kThumbnailSize, mode, index);
    presetThumbnails[index].Set(thumbnailBuffer);
}

void Shader::RegenerateTexturePresets(int first, int last, int mode)
{
    if (first < 0) first = 0;
    if (last > kTexturePresetCount) last = kTexturePresetCount;
    constexpr int kPixels = kThumbnailSize * kThumbnailSize;
    for (int i = first; i < last; ++i) {
        if (mode == 0 || mode == 4) {
            // Too bright a thumbnail is drawn again: a disc for the material
            // textures, the whole square for the backgrounds.
            const double limit = mode == 0 ? 64516.0 : 64009.0;
            for (int attempt = 0; attempt < kMaxPresetRetries; ++attempt) {
                RandomizePreset(presets[i]);
                GenerateProceduralTexture(thumbnailBuffer, kThumbnailSize, mode, i);
                double sum[3] = {0, 0, 0};
                int counted = 0;
                for (int k = 0; k < kPixels; ++k) {
                    const int dx = k % kThumbnailSize - 64, dy = k / kThumbnailSize - 64;
                    if (mode == 0 && dx * dx + dy * dy >= 4096) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += thumbnailBuffer[3 * k + c];
                    ++counted;
                }
                double energy = 0.0;
                for (double s : sum) energy += (s / counted) * (s / counted);
                if (energy <= limit || GeneratorStuck()) break;
            }
        } else {
            if (i >= 3 * kPresetsPerPanel && i < 4 * kPresetsPerPanel) {
                presets[i] = presets[i - kPresetsPerPanel];
            } else {
                RandomizePreset(presets[i]);
            }
            GenerateProceduralTexture(thumbnailBuffer, kThumbnailSize, mode, i);
        }
        presetThumbnails[i].Set(thumbnailBuffer);
    }
}
