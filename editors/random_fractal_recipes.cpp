// The recipe of each fractal type for "New Fractal": the presets it
// applies, the records it resets and the camera angles it sets, one
// function per recipe and one table row per type. Every draw steps
// gGlobalRandomB.
#include "editors/random_fractal.h"

#include <cstdint>

#include "editors/transformation_presets.h"
#include "editors/xforms_editor.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_chain_presets.h"
#include "engine/kernel_framework.h"
#include "engine/random_helpers.h"
#include "engine/script_program.h"
#include "engine/transform_record.h"
#include "engine/transform_set.h"
#include "engine/vector_math.h"
#include "render/view_camera.h"

void InstallTransformationPresets() { gTransformSetHooks.applyPreset = ApplyTransformationPreset; }

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
    const int n = gScriptProgram.tformCount;
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
