// Sections: [helpers] [layouts] [recipes] [combinations] [copies]
#include "engine/generator_chain_presets.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/random_helpers.h"
#include "engine/transform_set.h"
#include "engine/vector_math.h"

GeneratorGroup gGeneratorBackup[kGeneratorBackupSize] = {};

// ---- [helpers] --------------------------------------------------------------------

namespace {

constexpr float kTwoPi = 6.2831855f;

float U() { return GlobalRandomFloatB(); }
float S() { return GlobalRandomSignedFloatB(); }
bool Coin() { return GlobalRandomBoolB(); }
uint32_t W() { return GlobalRandomU32B(); }

// Block b of live group g when its type holds n parameters; else a scratch
// array nobody reads, so a layout never writes out of bounds.
float* P(int g, int b, int n = 1)
{
    static float scratch[32];
    float* p = GeneratorBlockParameters(g, b, n);
    return p ? p : scratch;
}

void Set3(int g, int b, float x, float y, float z) { SetGeneratorValues3(g, b, x, y, z); }
void Set4(int g, int b, float x, float y, float z, float w)
{
    float* p = P(g, b, 4);
    p[0] = x, p[1] = y, p[2] = z, p[3] = w;
}
void Rot(int g, int b, float ax, float ay, float az, float degrees)
{
    const float axis[3] = {ax, ay, az};
    SetGeneratorRotation(g, b, axis, degrees);
}
// Three values of f(), each drawn in turn.
template <class F>
void Draw3(int g, int b, F f)
{
    const float x = f(), y = f();
    Set3(g, b, x, y, f());
}
void Affine(int g, int b, const float* translation, const float* axis, float sx, float sy, float sz, float radians)
{
    const float scale[3] = {sx, sy, sz};
    SetGeneratorAffine(translation, axis, scale, radians, P(g, b, 30));
}
// Copies the whole parameter array of block (g, b) into block (h, c) of the same type.
void CopyBlock(int h, int c, int g, int b, int count)
{
    std::memcpy(P(h, c, count), P(g, b, count), sizeof(float) * static_cast<size_t>(count));
}
float HalfUp() { return (U() + 1.0f) / 2.0f; }

// A fresh live array of count empty groups (the render is stopped first:
// the type-48 kernel reads the live array without a lock).
void NewLiveGroups(int count)
{
    if (gFractalType == 48 && gTransformSetHooks.stopRender) gTransformSetHooks.stopRender();
    count = std::clamp(count, 1, kMaxTransforms);
    ReplaceGeneratorGroups(NewGeneratorGroupArray(count), count);
}

// The pick weights in proportion to the group weights, in the records too.
void WeightsFromGroups()
{
    const int n = std::min(std::clamp(gPickTransformCount, 1, kMaxTransforms), gGeneratorGroupCount);
    float sum = 0.0f;
    for (int i = 0; i < n; ++i) sum += gGeneratorGroups[i].weight;
    const bool divisible = sum != 0.0f && std::isfinite(sum);
    for (int i = 0; i < n; ++i) {
        const float w = divisible ? gGeneratorGroups[i].weight * (1.0f / sum) : 1.0f / static_cast<float>(n);
        gTransformWeights[i] = gTransforms[i].weight = w;
    }
    if (n == 1) gTransformWeights[0] = gTransforms[0].weight = 1.0f;
}

void ShowRow(int row)
{
    gTransformEdit.selected = 0;
    gFractalGeneratorRow = row;
    SelectGeneratorBlock();
    WeightsFromGroups();
}

}  // namespace

// ---- [layouts] --------------------------------------------------------------------

namespace {

// A translation and a scale per group, and a sphere inversion in the last.
void Layout0()
{
    AllocateGeneratorGroup(0, 0.3f, 2, 3, 1);
    AllocateGeneratorGroup(1, 0.3f, 2, 3, 1);
    AllocateGeneratorGroup(2, 0.3f, 3, 3, 1, 4);
    for (int k = 0; k < 3; ++k) {
        Draw3(k, 0, [] { return 4.0f * U() - 2.0f; });
        const float v = 0.25f + 0.7f * U();
        Set3(k, 1, v, v, v);
    }
    Set4(2, 2, 0.25f + U(), 0, 0, 0);
}

void Layout1()
{
    if (Coin()) {
        AllocateGeneratorGroup(0, 0.9f, 1, 0);
    } else {
        AllocateGeneratorGroup(0, 0.9f, 2, 0, RandomWarpBlockType());
    }
    {
        const float sx = 0.9f + 0.1f * U(), sy = 0.9f + 0.1f * U(), sz = 0.9f + 0.1f * U();
        float axis[3];
        RandomUnitVector(axis);
        const float move[3] = {-1, 0, 0};
        Affine(0, 0, move, axis, sx, sy, sz, kTwoPi * S());
    }
    if (gGeneratorGroups[0].blockCount == 2) Draw3(0, 1, HalfUp);
    AllocateGeneratorGroup(1, 0.1f, 2, 0, RandomWarpBlockType());
    float r = 0.25f + 0.5f * U();
    if (Coin()) r = -r;
    float axis[3];
    RandomUnitVector(axis);
    float move[3];
    for (float& m : move) m = 2.0f * S();
    Affine(1, 0, move, axis, r, r, r, kTwoPi * S());
    Draw3(1, 1, HalfUp);
}

void Layout2()
{
    const uint8_t warp = RandomWarpBlockType();
    AllocateGeneratorGroup(0, 0.5f, 2, 0, warp);
    const float r = 0.25f + 0.5f * U();
    float axis[3];
    RandomUnitVector(axis);
    float move[3];
    for (float& m : move) m = 2.0f * S();
    Affine(0, 0, move, axis, r, r, r, kTwoPi * U());
    Draw3(0, 1, HalfUp);
    AllocateGeneratorGroup(1, 0.5f, 3, 0, warp, static_cast<uint8_t>(7u + W() % 3u));
    CopyBlock(1, 0, 0, 0, 30);
    CopyBlock(1, 1, 0, 1, 3);
}

// Three groups turned a third of a turn apart about y.
void Layout3()
{
    const uint8_t warp = RandomWarpBlockType();
    float r = 0.25f + 0.65f * U();
    if (Coin()) r = -r;
    AllocateGeneratorGroup(0, 1.0f / 3.0f, 2, 0, warp);
    AllocateGeneratorGroup(1, 1.0f / 3.0f, 3, 0, warp, 2);
    AllocateGeneratorGroup(2, 1.0f / 3.0f, 3, 0, warp, 2);
    float axis[3];
    RandomUnitVector(axis);
    const float move[3] = {1.0f + U(), 0, 0};
    Affine(0, 0, move, axis, r, r, r, kTwoPi * S());
    Draw3(0, 1, [] { return 0.5f + 0.5f * U(); });
    for (int g = 1; g < 3; ++g) {
        CopyBlock(g, 0, 0, 0, 30);
        CopyBlock(g, 1, 0, 1, 3);
    }
    Rot(1, 2, 0, 1, 0, -120.0f);
    Rot(2, 2, 0, 1, 0, 120.0f);
}

// A trunk and branches.
void Layout4()
{
    AllocateGeneratorGroup(0, 0.1f, 1, 1);
    AllocateGeneratorGroup(1, 0.4f, 4, 3, 1, 2, 3);
    AllocateGeneratorGroup(2, 0.1f, 3, 2, 1, 3);
    AllocateGeneratorGroup(3, 0.4f, 5, 3, 1, 2, RandomWarpBlockType(), 3);
    Set3(0, 0, 0.1f, 0.2f, 0.1f);
    Set3(1, 0, 0, -2, 0);
    Set3(1, 1, 0.9f, 0.8f, 0.9f);
    Rot(1, 2, 0, 1, 0, static_cast<float>(static_cast<int>(W() % 720u) - 360));
    Set3(1, 3, 0, 2, 0);
    Rot(2, 0, 0, 0, 1, 360.0f * S());
    Set3(2, 1, 0.3f, 0.3f, 0.3f);
    Set3(2, 2, 0, 0.4f, 0);
    Set3(3, 0, 0, -2, 0);
    Set3(3, 1, 0.9f, 0.8f, 0.9f);
    Rot(3, 2, 0, 1, 0, static_cast<float>(static_cast<int>(W() % 720u) - 360));
    Draw3(3, 3, [] { return 0.25f * U(); });
    Set3(3, 4, 0, 2, 0);
}

void Layout5()
{
    static constexpr uint8_t kTypes[3] = {4, 5, 24};
    const uint8_t T = kTypes[W() % 3u];
    AllocateGeneratorGroup(0, 0.5f, 2, 0, T);
    AllocateGeneratorGroup(1, 0.5f, 3, 0, T, static_cast<uint8_t>(8u + (W() & 1u)));
    const float r = HalfUp();
    float axis[3];
    RandomUnitVector(axis);
    const float move[3] = {-1.5f - U(), 0, 0};
    Affine(0, 0, move, axis, r, r, r, kTwoPi * S());
    const float* a = P(0, 0, 30);
    Set4(0, 1, 2.0f + U(), 0.25f * a[9], 0.25f * a[10], 0.25f * a[11]);
    CopyBlock(1, 0, 0, 0, 30);
    CopyBlock(1, 1, 0, 1, 4);
    P(1, 2)[0] = 0.0f;
}

// Three spheres around the y axis and one affine map.
void Layout6()
{
    const uint8_t T = Coin() ? 5 : 24;
    for (int g = 0; g < 3; ++g) AllocateGeneratorGroup(g, 1.0f, 1, T);
    AllocateGeneratorGroup(3, 1.0f, 1, 0);
    {
        const float radius = 1.0f + U();
        const float x = 2.0f * S(), y = 2.0f * S();
        Set4(0, 0, radius, x, y, 2.0f * S());
    }
    const float up[3] = {0, 1, 0};
    for (int g = 1; g < 3; ++g) {
        CopyBlock(g, 0, 0, 0, 4);
        float* p = P(g, 0, 4);
        float turned[3];
        RotateAroundAxis(turned, P(0, 0, 4) + 1, up, g == 1 ? kTwoPi / 3.0f : -kTwoPi / 3.0f);
        std::memcpy(p + 1, turned, sizeof turned);
    }
    const float r = 0.45f + 0.5f * U();
    const float move[3] = {0, S(), 0};
    Affine(3, 0, move, up, r, r, r, kTwoPi * S());
}

// Four spheres at the corners of a tetrahedron.
void Layout7()
{
    const uint8_t T = Coin() ? 5 : 24;
    for (int g = 0; g < 4; ++g) AllocateGeneratorGroup(g, 1.0f, 1, T);
    const float r = 1.0f + U(), d = 2.0f * U();
    Set4(0, 0, r, 0, 0, d);
    Set4(1, 0, r, 0.943f * d, 0, -0.333f * d);
    Set4(2, 0, r, -0.471f * d, 0.816f * d, -0.333f * d);
    Set4(3, 0, r, -0.471f * d, -0.816f * d, -0.333f * d);
}

void Layout8()
{
    const float weights[3] = {1, 10, 1};
    for (int g = 0; g < 3; ++g) AllocateGeneratorGroup(g, weights[g], 4, 3, 1, 2, 3);
    Set3(0, 0, -2, -1, 0);
    Set3(1, 0, 0, -2, 0);
    Set3(2, 0, 2, -1, 0);
    const float a = 0.05f + 0.5f * U(), b = 0.05f + 0.5f * U();
    Set3(0, 1, a, a, a);
    Set3(1, 1, 0.9f, 0.9f, 0.9f);
    Set3(2, 1, b, b, b);
    const float k = static_cast<float>(W() % 91u);
    Rot(0, 2, 0, 0, 1, -k);
    Rot(1, 2, 0, 1, 0, 360.0f * S());
    Rot(2, 2, 0, 0, 1, k);
    Set3(0, 3, 2, 1, 0);
    Set3(1, 3, 0, 2, 0);
    Set3(2, 3, -2, 1, 0);
}

void Layout9()
{
    const uint8_t T1 = Coin() ? 19 : 2;
    const uint8_t warp = RandomWarpBlockType();
    const uint8_t T0 = Coin() ? 30 : 49;
    for (int g = 0; g < 2; ++g) AllocateGeneratorGroup(g, 1.0f, 3, T0, T1, warp);
    const float x = 1.5f * S();
    Set3(0, 0, x, 1.5f * S() - 0.75f, 0);
    Set3(1, 0, P(0, 0, 3)[0], P(0, 0, 3)[1], 180.0f);
    if (T1 == 2) {
        const bool aboutZ = Coin();
        for (int g = 0; g < 2; ++g) {
            if (aboutZ) {
                Rot(g, 1, 0, 0, 1, 90.0f);
            } else {
                Rot(g, 1, 1, 0, 0, 90.0f);
            }
        }
    }
    Draw3(0, 2, [] { return 0.5f * U(); });
    CopyBlock(1, 2, 0, 2, 3);
}

void Layout10()
{
    const uint8_t T2 = Coin() ? 6 : 24;
    const uint8_t T0 = Coin() ? 30 : 49;
    AllocateGeneratorGroup(0, 1.0f, 2, T0, 1);
    AllocateGeneratorGroup(1, 1.0f, 2, T0, 1);
    AllocateGeneratorGroup(2, 1.0f, 1, T2);
    Set3(0, 0, 0, 0, 0);
    Set3(0, 1, 0.5f, 0.5f, 0.5f);
    Set3(1, 0, 0, 0, 180.0f);
    Set3(1, 1, 0.5f, 0.5f, 0.5f);
    const float u = U();
    if (T2 == 24) {
        const float a = 0.5f * S();
        Set4(2, 0, 1.0f + u, a, 1.0f, 0.5f * S());
    } else {
        float* p = P(2, 0, 6);
        p[0] = -0.25f - 1.75f * u;
        p[1] = 0.5f * S();
        p[2] = HalfUp();
        p[3] = 0.5f * S();
        p[4] = std::sqrt(p[1] * p[1] + p[2] * p[2] + p[3] * p[3] + 1e-8f);
        p[5] = 1.0f / p[4];
    }
}

struct GeneratorLayout {
    int groups;
    void (*fill)();
};

// Layout 5 is offered here and chosen by none of the recipes.
constexpr GeneratorLayout kLayouts[kGeneratorLayoutCount] = {
    {3, Layout0}, {2, Layout1}, {2, Layout2}, {3, Layout3}, {4, Layout4}, {2, Layout5},
    {4, Layout6}, {4, Layout7}, {3, Layout8}, {2, Layout9}, {3, Layout10},
};

}  // namespace

int GeneratorLayoutGroups(int layout)
{
    return layout >= 0 && layout < kGeneratorLayoutCount ? kLayouts[layout].groups : 0;
}

void ApplyGeneratorPreset(int layout)
{
    if (layout < 0 || layout >= kGeneratorLayoutCount) return;
    if (!gGeneratorGroups || gGeneratorGroupCount != kLayouts[layout].groups) return;
    kLayouts[layout].fill();
}

// ---- [recipes] --------------------------------------------------------------------

namespace {

// Recipe n: its live array and layout (the coins of recipes 3 and 5 drawn here).
void BuildRecipe(int n)
{
    int groups = 0, layout = 0;
    switch (n) {
    case 1: groups = 3, layout = 0; break;
    case 2: groups = 2, layout = 1; break;
    case 3: groups = layout = Coin() ? 2 : 3; break;
    case 4: groups = 4, layout = 4; break;
    case 5: groups = 4, layout = Coin() ? 6 : 7; break;
    case 6: groups = 3, layout = 8; break;
    case 7: groups = 3, layout = 10; break;
    case 8: groups = 2, layout = 9; break;
    default: return;
    }
    gPickTransformCount = gTransformCount = groups;
    NewLiveGroups(groups);
    ApplyGeneratorPreset(layout);
}

}  // namespace

void SetupGeneratorChainPreset(int n)
{
    BuildRecipe(n);
    if (n >= 1 && n <= 8) {
        ShowRow(n + 24);
    } else {
        ShowRow(gFractalGeneratorRow);
    }
}

// ---- [combinations] ---------------------------------------------------------------

namespace {

void ApplyRow(int row)
{
    gFractalGeneratorRow = row;
    EditTransformSet(0);
}

int PickCount() { return std::clamp(std::min(gPickTransformCount, gGeneratorGroupCount), 1, kMaxTransforms); }

// A new live array of n groups from backup entries 0 .. n - 1.
void LiveFromBackup(int n)
{
    gPickTransformCount = gTransformCount = n;
    NewLiveGroups(n);
    for (int i = 0; i < n; ++i) CopyGeneratorGroupFromBackup(i, i);
}

// 2 to 4 transformations, each from a random transformation-set row.
void CombineRows()
{
    const int n = static_cast<int>(W() % 3u) + 2;
    for (int i = 0; i < n; ++i) {
        if (i == 0) {
            ApplyRow(0);
            CopyGeneratorGroupToBackup(0, 0);
            continue;
        }
        ApplyRow(static_cast<int>(W() % 24u));
        CopyGeneratorGroupToBackup(i, static_cast<int>(W() % static_cast<uint32_t>(PickCount())));
    }
    LiveFromBackup(n);
}

// Up to 4 transformations from random rows of both kinds.
void CombineRowsAndRecipes()
{
    for (int i = 0; i < 4; ++i) {
        const int r = static_cast<int>(W() & 31u);
        if (r < 24) {
            ApplyRow(r);
        } else {
            gFractalGeneratorRow = r + 1;
            SetupGeneratorChainPreset(r - 23);
        }
        CopyGeneratorGroupToBackup(i, static_cast<int>(W() % static_cast<uint32_t>(PickCount())));
    }
    const int n = std::min(4, PickCount());
    for (int i = 0; i < n; ++i) CopyGeneratorGroupFromBackup(i, i);
    gPickTransformCount = gTransformCount = n;
}

// "Spirals" and two neighbouring chains of one row of a short list.
void CombineWithSpirals()
{
    ApplyRow(0);
    CopyGeneratorGroupToBackup(0, 0);
    static constexpr int kRows[6] = {14, 16, 20, 17, 21, 31};
    const int r = kRows[W() % 6u];
    gFractalGeneratorRow = r;
    if (r == 31) {
        SetupGeneratorChainPreset(7);
    } else {
        EditTransformSet(0);
    }
    // The rows of the list build two transformations or more; one alone
    // lends its chain twice.
    const int pairs = std::max(PickCount() - 1, 1);
    const int k = static_cast<int>(W() % static_cast<uint32_t>(pairs));
    CopyGeneratorGroupToBackup(1, std::min(k, PickCount() - 1));
    CopyGeneratorGroupToBackup(2, std::min((k + 1) % pairs, PickCount() - 1));
    LiveFromBackup(3);
}

}  // namespace

void CreateRandomGeneratorChains()
{
    switch (W() % 3u) {
    case 0: CombineRows(); break;
    case 1: CombineRowsAndRecipes(); break;
    default: CombineWithSpirals(); break;
    }
    ShowRow(24);
}

// ---- [copies] ---------------------------------------------------------------------

void CopyGeneratorGroupFromBackup(int live, int backup)
{
    if (!gGeneratorGroups || live < 0 || live >= gGeneratorGroupCount) return;
    if (backup < 0 || backup >= kGeneratorBackupSize) return;
    CopyGeneratorGroup(gGeneratorGroups[live], gGeneratorBackup[backup]);
}

void CopyGeneratorGroupToBackup(int backup, int live)
{
    if (!gGeneratorGroups || live < 0 || live >= gGeneratorGroupCount) return;
    if (backup < 0 || backup >= kGeneratorBackupSize) return;
    CopyGeneratorGroup(gGeneratorBackup[backup], gGeneratorGroups[live]);
}
