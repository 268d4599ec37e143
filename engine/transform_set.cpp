// Sections: [random Kleinian set] [chain helpers] [generator rows] [requests]
// [from the fractal type]
#include "engine/transform_set.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_groups.h"
#include "engine/quaternion.h"
#include "engine/status_line.h"
#include "engine/transform_record.h"

TransformSetHooks gTransformSetHooks;
int32_t gFractalGeneratorRow = 0;
const char* const gFractalGeneratorNames[kFractalGeneratorRowCount + 1] = {
    "Spirals",         "Spirals II",       "Random",          "Planes I",           "Planes II",
    "Hedra",           "Apollonian I",     "Apollonian II",   "Hyp. Tessellations.", "Mobius",
    "Q. Indra",        "Mobius Z",         "Loxodromes",      "Steiner Chain",      "Q Steiner Chain",
    "Spiral Flames I", "Medusa",           "Julia_Like",      "Reflection",         "Fan",
    "Julia Boxes",     "Tree",             "Julia 2",         "Q. Indra II",        "Combination",
    "Lines and Curves", "Spiral Flames II", "Symmetric Flames", "Flames and Trees",  "Triangles and Tetras",
    "Spirals III",     "Crown",            "Julia Set Flames", nullptr};

// ---- [random Kleinian set] --------------------------------------------------------

namespace {

constexpr uint32_t kHalfWord = 0x80000000u;

float Diff(const RandomSources& s)
{
    const float a = s.uniform();
    return a - s.uniform();
}

struct Traces {
    Complex a, b;
};

Traces DrawTraces(const RandomSources& s)
{
    for (int i = 0; i < 8; ++i) s.uniform();
    Traces t{};
    if (s.uniform() <= 0.33f) {
        t.a.re = 1.87f + 0.25f * s.uniform();
        t.a.im = 2.0f * Diff(s);
        t.b.re = t.a.re;
        t.b.im = 2.0f * Diff(s);
    } else if (s.coin()) {
        t.a = Complex{1.87f, 2.0f * s.uniform() - 1.0f};
        t.b = Complex{1.87f, 0.0f};
        if (s.coin()) t.b.im = 2.0f * s.uniform() - 1.0f;
    } else {
        t.a = Complex{2.0f, 2.0f * Diff(s)};
        t.b = Complex{2.0f, 0.0f};
    }
    if (gFractalType == 45) {
        t.a.re = 1.8f + 1.3f * s.uniform();
        t.a.im = s.uniform() > 0.75f ? 1.0f : 0.5f;
        if (s.coin()) t.a.re = -t.a.re;
        t.b = Complex{s.coin() ? -2.0f : 2.0f, 0.0f};
    }
    return t;
}

// The map of a walk of u over the pick weights; the four maps are all
// there are, so a longer walk stops at the last of them.
int PickMap(float u)
{
    const int count = std::clamp(gPickTransformCount, 1, kMaxTransforms);
    float sum = 0.0f;
    int picked = count - 1;
    for (int i = 0; i < count; ++i) {
        sum += gTransformWeights[i];
        if (u < sum) {
            picked = i;
            break;
        }
    }
    return std::min(picked, 3);
}

// (q0, q1, q2, q3) -> (q3, -q2, q1, -q0)
void Partner(float* out, const float* q)
{
    const float t[4] = {q[3], -q[2], q[1], -q[0]};
    std::memcpy(out, t, sizeof t);
}

}  // namespace

double MobiusOrbitExponent(const RandomSources& s)
{
    s.uniform();
    const MobiusCoefficients& m = gMobiusCoefficients;
    Complex z{0.1f, 0.2f}, near{0.100001f, 0.2f};
    double sum = 0.0;
    int count = 0;
    for (int step = 0; step < 40000; ++step) {
        const int k = PickMap(s.uniform());
        Complex nz, nn;
        ComplexMobius(&nz, &m.a[k], &m.b[k], &m.c[k], &m.d[k], &z);
        ComplexMobius(&nn, &m.a[k], &m.b[k], &m.c[k], &m.d[k], &near);
        z = nz;
        const double dx = static_cast<double>(nn.re) - nz.re, dy = static_cast<double>(nn.im) - nz.im;
        const double d2 = dx * dx + dy * dy;
        if (!(d2 > 0.0) || !std::isfinite(d2)) {
            near = nn;
            continue;
        }
        const double scaled = d2 * 1e12;
        sum += std::log(scaled);
        ++count;
        const double k2 = 1.0 / std::sqrt(scaled);
        near = Complex{static_cast<float>(nz.re + dx * k2), static_cast<float>(nz.im + dy * k2)};
    }
    return count > 0 ? 0.721347 * sum / count : std::nan("");
}

void RandomizeTransforms(const RandomSources& s)
{
    Traces t{};
    for (int attempt = 0; attempt < kRandomTraceAttempts; ++attempt) {
        t = DrawTraces(s);
        ComputeMobiusGenerators(t.a, t.b);
        // Not-a-number (no usable step) is not below the bound either.
        if (MobiusOrbitExponent(s) < -0.161) break;
    }
    gTransforms[0].position[0] = t.a.re;
    gTransforms[0].position[2] = t.a.im;
    gTransforms[1].position[0] = t.b.re;
    gTransforms[1].position[2] = t.b.im;
    for (int k = 0; k < 4; ++k) ComposeTransformMatrices(k);

    for (int k = 0; k < 4; ++k) PublishMobiusMap(k);
    int n = 4;
    if (s.coin()) {
        const float q[4] = {1, 0, 0, 0}, e[4] = {0, 1, 0, 0};
        MakeQuaternionMobiusEntries(q, e, gTransformQuaternionA[4], gTransformQuaternionB[4], gTransformQuaternionC[4],
                                    gTransformQuaternionD[4]);
        n = 5;
    }
    const float minusK[4] = {0, 0, 0, -1};
    for (int k = 0; k < n; ++k) {
        Partner(gTransformQuaternionA[k + n], gTransformQuaternionA[k]);
        Partner(gTransformQuaternionB[k + n], gTransformQuaternionB[k]);
        MultiplyQuaternions(gTransformQuaternionC[k + n], gTransformQuaternionC[k], minusK);
        MultiplyQuaternions(gTransformQuaternionD[k + n], gTransformQuaternionD[k], minusK);
    }
    gPickTransformCount = 2 * n;
}

// ---- [chain helpers] --------------------------------------------------------------

namespace {

int PickCount() { return std::clamp(gPickTransformCount, 1, kMaxTransforms); }

// The kernel of type 48 reads the live array without a lock.
void StopIfChainsRun()
{
    if (gFractalType == 48 && gTransformSetHooks.stopRender) gTransformSetHooks.stopRender();
}

uint8_t BlockType(float v)
{
    const float t = std::trunc(v);
    return t >= 0.0f && t < static_cast<float>(kGeneratorBlockTypes) ? static_cast<uint8_t>(t) : 0;
}

void SetAllWeights(int n, float w)
{
    for (int t = 0; t < n; ++t) gTransforms[t].weight = gTransformWeights[t] = w;
}

float& Amount0(int k) { return gTransforms[0].variationAmount[k]; }

// The group takes new blocks; block k keeps the parameters of old block
// from[k] when that has the same type (-1: a fresh block).
void Reshape(GeneratorGroup& group, const uint8_t* types, const int* from, int count)
{
    GeneratorGroup old{};
    CopyGeneratorGroup(old, group);
    if (BuildGeneratorGroup(group, old.weight, count, types)) {
        for (int k = 0; k < count; ++k) {
            const int f = from[k];
            if (f < 0 || f >= old.blockCount || old.blockTypes[f] != group.blockTypes[k]) continue;
            std::memcpy(group.parameters[k], old.parameters[f],
                        sizeof(float) * static_cast<size_t>(gGeneratorParameterCounts[group.blockTypes[k]]));
        }
    }
    ReleaseGeneratorGroup(old);
}

// A fresh live array of count empty groups.
GeneratorGroup* NewLiveGroups(int count)
{
    StopIfChainsRun();
    GeneratorGroup* groups = NewGeneratorGroupArray(count);
    ReplaceGeneratorGroups(groups, count);
    return groups;
}

void SelectFirstBlock()
{
    gTransformEdit.selectedBlock = 0;
    gTransformEdit.selected = std::clamp(gTransformEdit.selected, 0, PickCount() - 1);
    SelectGeneratorBlock();
}

}  // namespace

// ---- [generator rows] -------------------------------------------------------------

namespace {

// The transformation preset of each row below 24 (-1: a random set).
constexpr int kRowPresets[24] = {0, 19, 1, 17, 8, 30, 3, 5, 7, 44, -1, 46, 47, 48, 49, 0, 7, 50, 50, 46, 51, 52, 53, -1};

void RandomRow(int row)
{
    const int n = row == 23 ? 3 : (GlobalRandomBoolB() ? 6 : 4);
    gTransformCount = gPickTransformCount = n;
    SetAllWeights(n, 1.0f / static_cast<float>(n));
    RandomizeTransforms();
    Amount0(0) = 1.0f + GlobalRandomFloatB();
    const float u1 = GlobalRandomFloatB();
    Amount0(1) = 0.5f + u1 / 2.0f;
    if (GlobalRandomU32B() <= kHalfWord) {
        const float u3 = GlobalRandomFloatB();
        Amount0(1) += u1 * u3 / 4.0f + u3 / 4.0f;
    }
    gTransformCount = n;
}

int BlockCount(int row, int k)
{
    switch (row) {
    case 15: return 2;
    case 16: return 3;
    case 17:
    case 18: return k == 0 ? 2 : 1;
    case 20: return k < 2 ? (Amount0(2) == 0.0f ? 2 : 3) : 1;
    case 21: {
        static const int kCounts[4] = {1, 4, 3, 1};
        return k < 4 ? kCounts[k] : 1;
    }
    case 22: return Amount0(3) == 0.0f ? 2 : (k < 2 ? 3 : 2);
    default: return 1;
    }
}

// Block j of transformation k's chain for the row (draws where the row says).
uint8_t RowBlockType(int row, int k, int j, int blocks)
{
    const TransformRecord& r = gTransforms[std::min(k, kMaxTransforms - 1)];
    switch (row) {
    case 0:
    case 4:
        if (row == 0 && k >= 1) GlobalRandomBoolB();
        return r.variationOn[0] ? BlockType(r.variationAmount[GlobalRandomU32B() % 6u]) : 0;
    case 6: case 7: case 8: case 13: return 4;
    case 9: return k >= gTransformCount - 1 && Amount0(0) != 0.0f ? 4 : 25;
    case 10: return k <= 3 ? 25 : 4;
    case 11: return 18;
    case 12: return 20;
    case 14: return 25;
    case 15: return j == 0 ? 0 : static_cast<uint8_t>(31u + GlobalRandomU32B() % 18u);
    case 16: {
        static const uint8_t kTypes[3] = {24, 1, 3};
        return kTypes[std::min(j, 2)];
    }
    case 17:
    case 18:
        if (k == 0) return j == 0 ? 6 : 2;
        return k == 1 ? (row == 17 ? 7 : 8) : 0;
    case 19: return k < 2 ? 25 : 24;
    case 20:
        if (k < 2 && blocks == 2) return j == 0 ? 30 : 1;
        if (k < 2) return j == 0 ? (Amount0(3) != 0.0f ? 15 : 11) : (j == 1 ? 30 : 1);
        return k == 2 ? 19 : 1;
    case 21: return BlockType(r.variationAmount[std::min(4 * j, 12)]);
    case 22:
        if (blocks == 3) return j == 0 ? (Amount0(3) == 1.0f ? 11 : 15) : (j == 1 ? 30 : 1);
        if (k < 2) return j == 0 ? 30 : 1;
        return j == 0 ? 2 : 1;
    case 23:
        if (k == 0) return 25;
        if (k == 1) return 6;
        if (k == 2) return GlobalRandomU32B() > kHalfWord ? 25 : 7;
        return 0;
    default: return 0;
    }
}

void ApplyGeneratorRow()
{
    const int row = gFractalGeneratorRow;
    if (row < 0 || row >= 24) return;
    StopIfChainsRun();
    ReplaceGeneratorGroups(nullptr, 0);
    const bool planes = GlobalRandomBoolB();  // row 4: planes of preset 8 or 84
    if (kRowPresets[row] < 0) {
        RandomRow(row);
    } else if (gTransformSetHooks.applyPreset) {
        gTransformSetHooks.applyPreset(row == 4 && !planes ? 84 : kRowPresets[row]);
    }
    if (row == 9 || row == 23) {
        if (GlobalRandomU32B() > kHalfWord && row == 9 && gTransformCount < kMaxTransforms) {
            const int n = std::max(gTransformCount, 0) + 1;
            gTransformCount = gPickTransformCount = n;
            ResetTransformation(gTransformEdit.baseRotation, n - 1);
            ComposeTransformation(n - 1);
            SetAllWeights(n, 1.0f / static_cast<float>(n));
            Amount0(0) = 1.0f;
        } else {
            Amount0(0) = 0.0f;
        }
    }
    if (row == 16) {
        const float u = GlobalRandomFloatB();
        Amount0(0) = GlobalRandomBoolB() ? -1.0f - 2.0f * u : 1.0f + 2.0f * u;
        const float a = GlobalRandomFloatB();
        Amount0(1) = 2.0f * (a - GlobalRandomFloatB());
    }
    if (row == 19) {
        gTransformCount = gPickTransformCount = 4;
        SetAllWeights(4, 0.25f);
    }
    const int count = PickCount();
    GeneratorGroup* groups = NewLiveGroups(count);
    for (int k = 0; k < count; ++k) {
        const int blocks = BlockCount(row, k);
        uint8_t types[kMaxGeneratorBlocks] = {};
        for (int j = 0; j < blocks; ++j) types[j] = RowBlockType(row, k, j, blocks);
        BuildGeneratorGroup(groups[k], gTransformWeights[k], blocks, types);
        for (int j = 0; j < blocks; ++j) InitGeneratorBlock(types[j], k, j);
    }
    SelectFirstBlock();
}

}  // namespace

// ---- [requests] -------------------------------------------------------------------

namespace {

// Rebuilds the live array at the pick count from copies of the old groups
// (the deleted transformation's left out), then changes the selected chain.
void RebuildChains(int code)
{
    StopIfChainsRun();
    const int count = PickCount();
    const int oldCount = gGeneratorGroupCount;
    GeneratorGroup* fresh = NewGeneratorGroupArray(count);
    for (int src = 0, dst = 0; src < oldCount && dst < count; ++src) {
        if (code == 1 && src == gTransformEdit.argument) continue;
        CopyGeneratorGroup(fresh[dst++], gGeneratorGroups[src]);
    }
    ReplaceGeneratorGroups(fresh, count);

    const int t = gTransformEdit.selected;
    if (code == 0) {
        const uint8_t affine[1] = {0};
        BuildGeneratorGroup(fresh[count - 1], 0.1f, 1, affine);
        EditGeneratorParameters(0, count - 1, 0);
        return;
    }
    if (t < 0 || t >= count) return;
    GeneratorGroup& group = fresh[t];
    const int b = gTransformEdit.selectedBlock;
    if (b < 0 || b >= group.blockCount) return;
    uint8_t types[kMaxGeneratorBlocks] = {};
    int from[kMaxGeneratorBlocks] = {};
    int n = 0;
    for (int k = 0; k < group.blockCount; ++k) {
        if (code == 2 && k == b && group.blockCount > 1) continue;
        types[n] = code == 3 && k == b ? BlockType(static_cast<float>(gTransformEdit.blockType)) : group.blockTypes[k];
        from[n++] = code == 3 && k == b ? -1 : k;
        if (code == 4 && k == b && group.blockCount < kMaxGeneratorBlocks) {
            types[n] = 0;
            from[n++] = -1;
        }
    }
    const int before = group.blockCount;
    Reshape(group, types, from, n);
    if (code == 2 && n < before) gTransformEdit.selectedBlock = std::max(b - 1, 0);
    if (code == 3) EditGeneratorParameters(types[b], t, b);
    if (code == 4 && n > b + 1 && from[b + 1] < 0) EditGeneratorParameters(0, t, b + 1);
}

void RunChainRequest()
{
    if (!gTransformEdit.pending) return;
    gTransformEdit.pending = 0;
    const int code = gTransformEdit.code;
    if (code == 6) return;
    if (code >= 0 && code <= 4) RebuildChains(code);
    if (code == 5) {
        float* p = GeneratorBlockParameters(gTransformEdit.selected, gTransformEdit.selectedBlock,
                                            gTransformEdit.parameter + 1);
        if (p && gTransformSetHooks.openParameterField) gTransformSetHooks.openParameterField(p + gTransformEdit.parameter);
        SetStatusText("Talvoran");
    }
    SelectGeneratorBlock();
}

}  // namespace

// ---- [from the fractal type] ------------------------------------------------------

namespace {

void ChainsFromFractalType()
{
    uint8_t types[2] = {0, 0};
    int blocks = 1;
    switch (gFractalType) {
    case 3: types[0] = 22; break;
    case 12:
    case 21: types[0] = 4; break;
    case 18:
        types[0] = 21;
        types[1] = 13;
        blocks = 2;
        break;
    case 37: types[0] = 6; break;
    case 40: types[0] = 5; break;
    case 43: types[0] = 24; break;
    case 44: types[0] = 23; break;
    case 45: types[0] = 25; break;
    default: break;
    }
    const int count = PickCount();
    GeneratorGroup* groups = NewLiveGroups(count);
    for (int k = 0; k < count; ++k) {
        BuildGeneratorGroup(groups[k], gTransformWeights[k], blocks, types);
        for (int j = 0; j < blocks; ++j) SetGeneratorBlockType(types[j], k, j);
        if (gFractalType == 45) {
            float* p = groups[k].parameters[0];
            std::memcpy(p, gTransformQuaternionA[k], 4 * sizeof(float));
            std::memcpy(p + 4, gTransformQuaternionB[k], 4 * sizeof(float));
            std::memcpy(p + 8, gTransformQuaternionC[k], 4 * sizeof(float));
            std::memcpy(p + 12, gTransformQuaternionD[k], 4 * sizeof(float));
        }
    }
    SelectFirstBlock();
}

}  // namespace

int EditTransformSet(int op)
{
    switch (op) {
    case 0: ApplyGeneratorRow(); break;
    case 1: RunChainRequest(); break;
    case 3: ChainsFromFractalType(); break;
    default: break;
    }
    return 1;
}
