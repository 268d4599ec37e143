// "New Fractal", step by step: undo copies, attempts of the type's recipe
// until the test orbit stays bounded, the view reset, the slots' start
// points and the transformations' colours.
//
// Sections: [recipes] [orbit test] [new fractal]
#include "editors/random_fractal.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "editors/baseshape_editor.h"
#include "editors/transformation_presets.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_record.h"
#include "engine/color_conversion.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_chain_presets.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/random_helpers.h"
#include "engine/script_program.h"
#include "engine/transform_record.h"
#include "engine/transform_set.h"
#include "engine/vector_math.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

RandomFractalHooks gRandomFractalHooks;

void InstallTransformationPresets() { gTransformSetHooks.applyPreset = ApplyTransformationPreset; }

// ---- [recipes] ----------------------------------------------------------------------

namespace {

void P(int index) { ApplyTransformationPreset(index); }
void R(int i) { ResetTransformation(gTransformEdit.baseRotation, i); }
void C(int i) { ComposeTransformation(i); }
uint32_t W() { return GlobalRandomU32B(); }
float U() { return GlobalRandomFloatB(); }
void A1(float degrees) { gCameraAngleX = degrees; }
void A2Random() { gCameraAngleY = static_cast<float>(W() % 360u); }

// trunc(k u^2), kept below k (u may be 1.0).
int SquaredPick(int k)
{
    const float u = U();
    const int i = static_cast<int>(static_cast<float>(k) * u * u);
    return i < k ? i : k - 1;
}

// The planes of preset 8 are seen from above and turned.
void Planes()
{
    P(8);
    A1(45.0f);
    A2Random();
}

// The first picks of types 2, 23, 42 and 47, and five of type 0.
void SpiralsOrPlanes(int k, int last)
{
    switch (k) {
    case 0: P(19); break;
    case 1: P(0); break;
    case 2: P(1); break;
    case 3: P(17); break;
    case 4: Planes(); break;
    default: P(last); break;
    }
}

void Ifs()
{
    const uint32_t k = W() % 10u;
    switch (k) {
    case 0: case 1: case 2: case 3: case 4: SpiralsOrPlanes(static_cast<int>(k), 0); break;
    case 5: case 6: case 7:
        P(80 + static_cast<int>(k - 5));
        A1(45.0f);
        gCameraAngleY = 20.0f;
        break;
    case 8: P(83); break;
    default: P(84), A1(45.0f); break;
    }
    if (U() < 0.2f) P(42);
}

void Nothing() {}

void Flames() { SpiralsOrPlanes(SquaredPick(6), 30); }

void Kleinian()
{
    A1(45.0f);
    R(0);
    R(1);
    RandomizeTransforms();
}

void PopCorn()
{
    gPickTransformCount = 1;
    A1(45.0f);
}

void QuaternionJulia()
{
    R(0);
    P(4);
    gTransforms[1].position[2] = 0.0f;
    C(1);
}

void TwoAndAHalfD()
{
    static constexpr int kPresets[8] = {0, 19, 1, 17, 8, 80, 81, 82};
    const uint32_t k = W() & 7u;
    P(kPresets[k]);
    if (k >= 5) gCameraAngleY = 20.0f;
    A1(45.0f);
}

void Julia()
{
    A1(45.0f);
    R(0);
    P(4);
}

void JuliaQuotient()
{
    R(0);
    P(4);
    Vec3Pack(gTransforms[0].position, -1.0f, 0.0f, 0.0f);
    C(0);
    A1(225.0f);
}

void CubicJulia()
{
    P(2);
    A1(45.0f);
}

void QuaternionIfs()
{
    P(0);
    A1(45.0f);
    A2Random();
}

void Apollonian()
{
    P(W() <= 0x80000000u ? 5 : 3);
    A1(15.0f);
}

void SphericalJulia()
{
    A1(90.0f);
    R(0);
    P(4);
    gTransformCount = 1;
}

// The constants of the quotient are transformations 0 and 1: the second
// stays where the scatter put it, the first moves to (-1, 0, 0).
void SphericalJuliaQuotient()
{
    R(0);
    P(4);
    Vec3Pack(gTransforms[0].position, -1.0f, 0.0f, 0.0f);
    C(0);
    A1(90.0f);
}

void SpiralsPlanesOrRandom()
{
    static constexpr int kPresets[4] = {0, 1, 17, 19};
    P(kPresets[W() & 3u]);
    A1(45.0f);
}

void JuliaThree()
{
    R(0);
    P(6);
    C(0);
    A1(225.0f);
}

void GumowskiMira()
{
    R(0);
    P(4);
    gTransformCount = gPickTransformCount = 1;
    A1(225.0f);
}

void ThreeDKleinian()
{
    R(0);
    P(14);
    A1(225.0f);
}

void HyperbolicTessellation()
{
    P(7);
    if (U() < 0.25f) P(42);
    A1(45.0f);
}

// The transformations of a script come from the script itself.
void Script()
{
    const int n = static_cast<int8_t>(gScriptProgram.tformCountCopy);
    gPickTransformCount = n < 1 ? 1 : (n > kScriptMaxTforms ? kScriptMaxTforms : n);
    if (n > 0)
        for (int t = 0; t < gPickTransformCount; ++t)
            gTransformWeights[t] = gTransforms[t].weight = gScriptProgram.tformWeight[t];
}

void Reflection()
{
    static constexpr int kPresets[3] = {0, 1, 19};
    P(kPresets[W() % 3u]);
}

void JuliaFour()
{
    R(0);
    P(10);
    C(0);
    A1(45.0f);
}

void JuliaFive()
{
    P(12);
    A1(45.0f);
}

void JuliaSix()
{
    static constexpr int kPresets[5] = {11, 12, 0, 1, 32};
    P(kPresets[SquaredPick(5)]);
    A1(45.0f);
}

void Radiolarian()
{
    P(13);
    A1(15.0f);
}

void TessellationTwo()
{
    P(16);
    A1(45.0f);
}

void QuaternionJuliaTwo()
{
    P(15);
    A1(static_cast<float>(W() % 360u));
}

void Rings()
{
    P(20);
    A1(45.0f);
}

void ReflectionTwo() { SpiralsOrPlanes(SquaredPick(6), 32); }

void Trilobites() { P(32); }

void StarsAndHedras()
{
    static constexpr int kPresets[3] = {30, 43, 8};
    P(kPresets[W() % 3u]);
    A1(45.0f);
    A2Random();
}

void QuaternionKleinian()
{
    A2Random();
    Kleinian();
}

void Mandelbrot()
{
    A1(45.0f);
    P(45);
}

// At least three transformations; a few more rounds at worst.
void Towers()
{
    for (int round = 0; round < 64; ++round) {
        SpiralsOrPlanes(static_cast<int>(W() % 6u), 30);
        if (U() < 0.2f) P(42);
        if (gPickTransformCount >= 3) break;
    }
    gPickTransformCount = 3;
}

void Blocks()
{
    gTransformEdit.selectedBlock = 0;
    const int row = gFractalGeneratorRow;
    if (row < 24) {
        EditTransformSet(0);
    } else if (row == 24) {
        CreateRandomGeneratorChains();
    } else {
        SetupGeneratorChainPreset(row - 24);
    }
    A1(static_cast<float>(static_cast<int>(W() % 90u) - 45));
    A2Random();
}

using Recipe = void (*)();

// One recipe per fractal type, in type order.
constexpr Recipe kRecipes[kFractalTypeCount] = {
    Ifs,             Nothing,           Flames,           Kleinian,         PopCorn,           // 0..4
    QuaternionJulia, QuaternionJulia,   TwoAndAHalfD,     Julia,            JuliaQuotient,     // 5..9
    CubicJulia,      QuaternionIfs,     Apollonian,       SphericalJulia,   SphericalJuliaQuotient,  // 10..14
    SpiralsPlanesOrRandom, Julia,       JuliaThree,       GumowskiMira,     Kleinian,          // 15..19
    ThreeDKleinian,  HyperbolicTessellation, Script,      Flames,           Reflection,        // 20..24
    JuliaFour,       JuliaFive,         JuliaSix,         SpiralsPlanesOrRandom, SpiralsPlanesOrRandom,  // 25..29
    JuliaFive,       Julia,             Radiolarian,      Radiolarian,      Radiolarian,       // 30..34
    Radiolarian,     Radiolarian,       TessellationTwo,  CubicJulia,       QuaternionJuliaTwo,  // 35..39
    Rings,           JuliaFive,         ReflectionTwo,    Trilobites,       StarsAndHedras,    // 40..44
    QuaternionKleinian, Mandelbrot,     Towers,           Blocks,           Mandelbrot,        // 45..49
};

}  // namespace

void ApplyRandomFractalRecipe()
{
    const int type = gFractalType;
    if (type >= 0 && type < kFractalTypeCount) kRecipes[type]();
}

// ---- [orbit test] -------------------------------------------------------------------

namespace {

// Types 8 and 16 draw the Julia set of z^2 + C (of conj(z)^2 + C for 16),
// C the position of transformation 0, by its inverse orbit. Outside the
// connectedness locus that set is a sparse dust the user sees as a few
// specks, so such a C is turned down like an unbounded orbit.
bool JuliaSetConnected()
{
    if (gFractalType != 8 && gFractalType != 16) return true;
    const float cr = gTransformCoefficients.tx[0], ci = gTransformCoefficients.tz[0];
    const float sign = gFractalType == 16 ? -1.0f : 1.0f;
    float x = 0.0f, y = 0.0f;
    for (int n = 0; n < 64; ++n) {
        const float nx = x * x - y * y + cr;
        y = sign * 2.0f * x * y + ci;
        x = nx;
        if (x * x + y * y > 4.0f) return false;
    }
    return true;
}

}  // namespace

bool RandomFractalOrbitBounded()
{
    gMirrorCopy = 0;
    gMirrorY = 0;
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        gSlotTransform[s] = 0;
        gSlotPoint.x[s] = kRandomFractalStart[0];
        gSlotPoint.y[s] = kRandomFractalStart[1];
        gSlotPoint.z[s] = kRandomFractalStart[2];
        gSlotQuaternionPoint[s] = QuaternionPoint{kRandomFractalStart[0], kRandomFractalStart[1],
                                                  kRandomFractalStart[2], 0.0f};
        gSlotHash[s] = RandomStep(gSlotRandom[s]);
    }
    const int last = gSlotBatchLast[0];
    gPointX[last] = kRandomFractalStart[0];
    gPointY[last] = kRandomFractalStart[1];
    gPointZ[last] = kRandomFractalStart[2];
    gPointColorIndex[last] = 1;
    if (!JuliaSetConnected()) return false;
    gFractalTypeKernel.load()(0);
    if (gSymmetryOn.load()) ApplySymmetry(0);
    float low[3] = {1e30f, 1e30f, 1e30f}, high[3] = {-1e30f, -1e30f, -1e30f};
    for (int i = gSlotBatchStart[0]; i <= last; ++i) {
        const float p[3] = {gPointX[i], gPointY[i], gPointZ[i]};
        const float r = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        // Not-a-number fails both comparisons.
        if (!(r >= 0.0001f && r <= 50.0f)) return false;
        if (i - gSlotBatchStart[0] < 500) continue;
        for (int k = 0; k < 3; ++k) low[k] = std::fmin(low[k], p[k]), high[k] = std::fmax(high[k], p[k]);
    }
    // An orbit that settles on one point draws a dot wherever it lies, and
    // is rejected like one that settles on the origin (judged on its second
    // half, once it has left its start).
    const float extent = std::fmax(std::fmax(high[0] - low[0], high[1] - low[1]), high[2] - low[2]);
    if (extent < kRandomFractalMinExtent) return false;
    // So is one that cycles through a few points: its second half must fall
    // into enough cells of a 64^3 grid over its box.
    uint32_t cells[500];
    int n = 0;
    for (int i = gSlotBatchStart[0] + 500; i <= last && n < 500; ++i) {
        const float p[3] = {gPointX[i], gPointY[i], gPointZ[i]};
        uint32_t key = 0;
        for (int k = 0; k < 3; ++k) {
            const int c = static_cast<int>((p[k] - low[k]) / extent * 63.0f);
            key = key * 64u + static_cast<uint32_t>(c < 0 ? 0 : (c > 63 ? 63 : c));
        }
        cells[n++] = key;
    }
    std::sort(cells, cells + n);
    return std::unique(cells, cells + n) - cells >= kRandomFractalMinCells;
}

// ---- [new fractal] ------------------------------------------------------------------

namespace {

void TakeUndoCopies()
{
    gXFormsEditor.SnapshotTransformations();
    gBaseShapeEditor.Snapshot();
    for (int i = 0; i < gBaseshapeCount && i < kMaxBaseshapes; ++i) ComputeBaseshapeMatrix(i);
}

// The generator chains are replaced under the type-48 kernel only once no
// render thread runs: the stop joins them, so nothing waits on the frame.
void EnsureRenderStopped()
{
    if (gRenderActive.load() == 0) return;
    if (gRandomFractalHooks.stopRender) {
        gRandomFractalHooks.stopRender();
    } else {
        StopRender();
    }
}

void OneAttempt()
{
    const float u = U();
    gPickTransformCount = static_cast<int>(5.0f * u + 2.0f);
    if (gPickTransformCount > 6) gPickTransformCount = 6;
    gCameraAngleX = gCameraAngleY = gCameraAngleZ = 0.0f;
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    ApplyRandomFractalRecipe();
    gXFormsEditor.SetDefaultTransformationCount();
    if (gXFormsEditor.hooks.updateTypeButtons) gXFormsEditor.hooks.updateTypeButtons();
    UpdateCameraMatrix();
}

void ResetView()
{
    gPanX = gPanY = 0.0f;
    gPerspectiveFocal = 1.0f;
    const float halfWidth = 0.5f * static_cast<float>(gImageWidth), halfHeight = 0.5f * static_cast<float>(gImageHeight);
    gImageScale = gImageWidth <= gImageHeight ? halfWidth : halfHeight;
    gImageOffsetX = halfWidth;
    gImageOffsetY = halfHeight;
    FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
    std::memset(gPreviewPlanes, 0, sizeof gPreviewPlanes);
    std::memset(gPreviewDepth, 0, sizeof gPreviewDepth);
    if (gRandomFractalHooks.resetView) gRandomFractalHooks.resetView();
    if (gXFormsEditor.hooks.buildPointCloud) gXFormsEditor.hooks.buildPointCloud();
}

void SeedSlots()
{
    for (int s = 0; s < 8; ++s) {
        const int i = gSlotBatchLast[s];
        const float dx = (2.0f * U() - 1.0f) * 0.0001f, dy = (2.0f * U() - 1.0f) * 0.0001f;
        const float dz = (2.0f * U() - 1.0f) * 0.0001f;
        gPointX[i] = kRandomFractalStart[0] + dx;
        gPointY[i] = kRandomFractalStart[1] + dy;
        gPointZ[i] = kRandomFractalStart[2] + dz;
        gPointColorIndex[i] = 1;
    }
}

// One in four a random colour, else a bright hue.
void NewColors()
{
    for (int t = 0; t < kMaxTransforms; ++t) {
        int rgb[3];
        if ((W() & 3u) == 0) {
            for (int& c : rgb) c = static_cast<int>(W() & 0xFFu);
        } else {
            const float value = 0.75f + 0.25f * U();
            const float hsv[3] = {static_cast<float>(W() % 360u), 1.0f, value};
            HsvToRgb255(rgb, hsv);
        }
        gTransformColors.r[t] = rgb[0];
        gTransformColors.g[t] = rgb[1];
        gTransformColors.b[t] = rgb[2];
    }
}

}  // namespace

void CreateRandomFractal()
{
    gMirrorCopy = 0;
    gMirrorY = 0;
    gRenderPaused.store(0);
    if (gSymmetryOn.load() && gSymmetryMode.load() >= 8) SetSymmetryCopyWeights();
    TakeUndoCopies();
    if (gFractalType == 48) EnsureRenderStopped();

    const auto start = std::chrono::steady_clock::now();
    for (int attempt = 0; attempt < kRandomFractalAttempts; ++attempt) {
        OneAttempt();
        if (RandomFractalOrbitBounded()) break;
        const auto spent = std::chrono::steady_clock::now() - start;
        if (spent > std::chrono::milliseconds(kRandomFractalBudgetMs)) break;
    }

    const int n = gPickTransformCount;
    gTransformCount = gPickTransformCount = n < 1 ? 1 : (n > kMaxTransforms ? kMaxTransforms : n);
    // Types that keep the earlier weights with fewer transformations get
    // them normalised too: the weights in use always sum to 1.
    NormalizeTransformWeights();
    gTransformEdit.selected = 0;
    ResetView();
    SeedSlots();
    NewColors();
}
