// The 50 fractal-type icons: each type's own kernel draws a model chosen so
// the picture shows what the type is about. Sections:
//   [model helpers]  maps, variations, sphere sets, seeds
//   [recipes]        one row per type, in type order
//   [icons]          the kernel picture, or a numbered tile when it fails
#include <cmath>
#include <cstdio>

#include "assets/glyph_raster.h"
#include "assets/kernel_pictures.h"
#include "assets/pictures.h"
#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/random.h"
#include "engine/script_program.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kIconSize = 128;
constexpr uint32_t kSeed = 11;

// [model helpers] ---------------------------------------------------------

// Uniform scale s and a turn of deg about the axis (ax, ay, az), then (tx, ty, tz).
AffineMap Map(float s, float ax, float ay, float az, float deg, float tx, float ty, float tz, float w = 1.0f)
{
    const float axis[3] = {ax, ay, az}, t[3] = {tx, ty, tz};
    return MakeMap(axis, deg, s, t, w);
}

// The 2 by 2 block (a b; c d) that the planar kernels read from m00, m01,
// m10, m11, then (tx, tz).
AffineMap Planar(float a, float b, float c, float d, float tx, float tz, float w = 1.0f)
{
    AffineMap m{};
    m.m[0][0] = a, m.m[0][1] = b, m.m[1][0] = c, m.m[1][1] = d;
    m.m[2][2] = 1.0f;
    m.t[0] = tx, m.t[2] = tz;
    m.weight = w;
    return m;
}

// Only the position (tx, ty, tz) and m00 matter: a constant, a centre, a
// squared radius.
AffineMap At(float m00, float tx, float ty, float tz, float w = 1.0f) { return Map(m00, 0, 1, 0, 0, tx, ty, tz, w); }

void Variation(int t, int k, float amount)
{
    gTransforms[t].variationOn[k] = 1;
    gTransforms[t].variationAmount[k] = amount;
}

// A seeded random set: maps scaled 0.35 to 0.8, turned about random axes,
// shifted up to `reach`, equal weights. Many types show their character with
// almost any set (flame filaments, Julia sets of the positions as constants,
// mirrored halves); their recipes name the seed whose picture read best.
std::vector<AffineMap> RandomMaps(uint32_t seed, int count, float reach)
{
    RandomState rnd;
    SeedRandomState(rnd, seed);
    std::vector<AffineMap> maps;
    for (int i = 0; i < count; ++i) {
        const float s = 0.35f + 0.45f * RandomUniform(rnd);
        const float ax = RandomSignedUniform(rnd), ay = RandomSignedUniform(rnd), az = RandomSignedUniform(rnd);
        const float deg = 180.0f * RandomSignedUniform(rnd);
        const float tz = reach * RandomSignedUniform(rnd), ty = reach * RandomSignedUniform(rnd);
        const float tx = reach * RandomSignedUniform(rnd);
        maps.push_back(Map(s, ax, ay, az + 0.01f, deg, tx, ty, tz));
    }
    return maps;
}

// Linear plus one more seeded variation (1..9) on each transformation.
void RandomVariations(uint32_t seed, int count)
{
    RandomState rnd;
    SeedRandomState(rnd, seed + 1000u);
    for (int t = 0; t < count; ++t) {
        Variation(t, 0, 0.5f + 0.5f * RandomUniform(rnd));
        Variation(t, 1 + static_cast<int>(RandomStep(rnd) % 9u), 0.2f + 0.6f * RandomUniform(rnd));
    }
}

bool RandomModel(uint32_t seed, int count, float reach, float hue, bool variations)
{
    if (!SetUpKernelModel(RandomMaps(seed, count, reach), kSeed, hue)) return false;
    if (variations) RandomVariations(seed, count);
    return true;
}

// Transformation t may not follow itself (inversions undo themselves).
void NoRepeats(int count)
{
    for (int t = 0; t < count; ++t) gForbiddenSuccessors[t][0] = t;
    ExpandTransformTransitions();
}

// The Barnsley fern in the x-z plane, for the planar IFS types.
std::vector<AffineMap> FernMaps()
{
    return {Planar(0.0f, 0.0f, 0.0f, 0.16f, 0.0f, 0.0f, 0.02f), Planar(0.85f, 0.04f, -0.04f, 0.85f, 0.0f, 1.6f, 0.76f),
            Planar(0.2f, -0.26f, 0.23f, 0.22f, 0.0f, 1.6f, 0.11f),
            Planar(-0.15f, 0.28f, 0.26f, 0.24f, 0.0f, 0.44f, 0.11f)};
}

// A Julia constant c as transformation 0's position; two maps pick the roots.
bool JuliaModel(float cr, float ci, float hue)
{
    return SetUpKernelModel({At(1, cr, 0, ci), At(1, cr, 0, ci)}, kSeed, hue);
}

// Two Julia constants: transformations 0 and 1.
bool JuliaPairModel(float c0r, float c0i, float c1r, float c1i, float hue)
{
    return SetUpKernelModel({At(1, c0r, 0, c0i), At(1, c1r, 0, c1i)}, kSeed, hue);
}

// Four Möbius generators from two traces; a generator never meets its inverse.
bool KleinianModel(float reA, float imA, float reB, float imB)
{
    if (!SetUpKernelModel({At(1, 0, 0, 0), At(1, 0, 0, 0), At(1, 0, 0, 0), At(1, 0, 0, 0)}, kSeed)) return false;
    ComputeTransformCoefficients({reA, imA}, {reB, imB});
    for (int t = 0; t < 4; ++t) gForbiddenSuccessors[t][0] = (t + 2) % 4;
    ExpandTransformTransitions();
    return true;
}

// Spheres on the corners of a polyhedron (unit circumradius), each with the
// squared radius r2.
std::vector<AffineMap> SphereSet(const float (*v)[3], int count, float r2, float scale = 1.0f)
{
    std::vector<AffineMap> maps;
    for (int i = 0; i < count; ++i) maps.push_back(At(r2, scale * v[i][0], scale * v[i][1], scale * v[i][2]));
    return maps;
}

constexpr float kTetra[4][3] = {
    {0, 1, 0}, {0.943f, -0.333f, 0}, {-0.471f, -0.333f, 0.816f}, {-0.471f, -0.333f, -0.816f}};
constexpr float kOcta[6][3] = {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 0, -1}, {0, -1, 0}};

// A script tform: operations (code, operands...) appended to the program.
struct ScriptWriter {
    ScriptProgram& p = gScriptProgram;
    int operation = 0, parameter = 0;

    void Tform(float weight)
    {
        p.tformWeight[p.tformCount] = weight;
        p.tformFirstOperation[p.tformCount] = static_cast<uint8_t>(operation);
        p.tformOperationCount[p.tformCount] = 0;
        ++p.tformCount;
    }
    void Op(ScriptOpCode code, std::initializer_list<float> operands)
    {
        p.operationCode[operation] = code;
        p.operationFirstParameter[operation] = static_cast<uint8_t>(parameter);
        for (float f : operands) p.parameters[parameter++] = f;
        ++operation;
        ++p.tformOperationCount[p.tformCount - 1];
        p.operationCount = operation;
        p.parameterCount = parameter;
    }
};

// A group of type 48: blocks of the given types, the parameters of each.
void Chain(int group, float weight, std::initializer_list<uint8_t> types,
           std::initializer_list<std::initializer_list<float>> parameters)
{
    const std::vector<uint8_t> t(types);
    AllocateGeneratorGroup(group, weight, static_cast<int32_t>(t.size()), t[0], t.size() > 1 ? t[1] : 0,
                           t.size() > 2 ? t[2] : 0, t.size() > 3 ? t[3] : 0, t.size() > 4 ? t[4] : 0);
    int k = 0;
    for (const auto& values : parameters) {
        int e = 0;
        for (float v : values) gGeneratorGroups[group].parameters[k][e++] = v;
        ++k;
    }
}

void EscapeModel(double cr, double ci, double scale, int function, float distance, float height, float hue)
{
    gMandelbrotCentre[0] = cr, gMandelbrotCentre[1] = ci;
    gMandelbrotScale = scale;
    gEscapeFunction = function;
    gEscapeIterationLimit = 120;
    gTransforms[0].variationAmount[0] = distance;
    gTransforms[0].variationAmount[4] = height;
    for (int i = 0; i < 256; ++i) {
        const float t = static_cast<float>(i % 64) / 64.0f + hue;
        gEscapeGradient.r[i] = static_cast<uint8_t>(255.0f * (0.5f + 0.5f * std::cos(2 * kPi * t)));
        gEscapeGradient.g[i] = static_cast<uint8_t>(255.0f * (0.5f + 0.5f * std::cos(2 * kPi * (t - 0.3f))));
        gEscapeGradient.b[i] = static_cast<uint8_t>(255.0f * (0.5f + 0.5f * std::cos(2 * kPi * (t - 0.6f))));
    }
}

// [recipes] ----------------------------------------------------------------

struct TypeIconRecipe {
    int type;
    bool (*setUp)();  // the model the type's kernel draws from; false when it cannot be built
    PointView view;
    int batches = 120;
};

constexpr PointView kKernelColours{30, 20, 0.06f, PointColour::kKernel};
constexpr PointView kFromAbove{20, 60, 0.06f, PointColour::kKernel};
constexpr PointView kReachFromAbove{20, 75, 0.06f, PointColour::kReach};
constexpr PointView kHeights{30, 25, 0.06f, PointColour::kHeight};
constexpr PointView kReach{30, 20, 0.06f, PointColour::kReach};

const TypeIconRecipe kTypeIcons[] = {
    // A trunk and three turned branches: a bushy tree.
    {0, [] {
         return SetUpKernelModel({Map(0.84f, 0.2f, 1, 0.1f, 28, 0, 0.22f, 0, 0.73f),
                                  Map(0.33f, 1, 0.3f, 0, 40, 0.9f, -0.5f, 0, 0.09f),
                                  Map(0.33f, 0.3f, 0, 1, -35, -0.6f, -0.5f, 0.7f, 0.09f),
                                  Map(0.33f, 0.2f, 1, 0.1f, 60, -0.3f, -0.5f, -0.8f, 0.09f)},
                                 kSeed, 0.05f);
     }, kKernelColours},
    // The inverse-tree maps read no coefficients: four of them.
    {1, [] {
         return SetUpKernelModel({At(1, 0, 0, 0), At(1, 0, 0, 0), At(1, 0, 0, 0), At(1, 0, 0, 0, 0.4f)}, kSeed, 0.3f);
     }, {35, 25, 0.06f, PointColour::kKernel}},
    {2, [] { return RandomModel(5, 3, 0.7f, 0.6f, true); }, kKernelColours},
    // Nearly parabolic traces: the limit set curls into spirals of circles.
    {3, [] { return KleinianModel(1.91f, 0.05f, 1.91f, 0.05f); }, kReachFromAbove},
    {4, [] { return SetUpKernelModel({At(1, 0, 0, 0)}, kSeed); }, {30, 35, 0.06f, PointColour::kHeight}},
    // c = (tx0, tz0, tx1, tz1) with parts off the complex plane: a 3D shell.
    {5, [] { return JuliaPairModel(0.3f, 0.5f, 0.2f, 0.0f, 0.15f); }, kKernelColours},
    {6, [] { return JuliaPairModel(-0.2f, 0.6f, 0.2f, 0.0f, 0.45f); }, kKernelColours},
    // Runs from seeds stack the fern in height layers, one a step.
    {7, [] {
         if (!SetUpKernelModel(FernMaps(), kSeed, 0.3f)) return false;
         SeedRunsFromSphere(0.05f, 14);
         return true;
     }, kHeights},
    {8, [] { return JuliaModel(-0.12f, 0.75f, 0.55f); }, kFromAbove},  // the rabbit
    {9, [] { return RandomModel(4, 2, 0.8f, 0.75f, false); }, kFromAbove},
    // One planar map against the three cube roots.
    {10, [] {
         return SetUpKernelModel({Planar(0.45f, -0.2f, 0.2f, 0.45f, 0.6f, 0.2f), At(1, 0, 0, 0), At(1, 0, 0, 0),
                                  At(1, 0, 0, 0)},
                                 kSeed, 0.9f);
     }, {30, 40, 0.06f, PointColour::kKernel}},
    {11, [] { return RandomModel(3, 3, 0.7f, 0.2f, false); }, kKernelColours},
    // Four touching spheres on a tetrahedron's corners.
    {12, [] {
         if (!SetUpKernelModel(SphereSet(kTetra, 4, 0.667f), kSeed)) return false;
         NoRepeats(4);
         return true;
     }, kReach},
    {13, [] { return RandomModel(16, 2, 0.8f, 0.1f, false); }, kKernelColours},
    {14, [] { return RandomModel(4, 2, 0.8f, 0.65f, false); }, kKernelColours},
    // The fern with Swirl3D, whose y part lifts it into a curved sheet.
    {15, [] {
         if (!SetUpKernelModel(FernMaps(), kSeed, 0.0f)) return false;
         for (int t = 0; t < 4; ++t) Variation(t, 0, 1.0f), Variation(t, 3, 0.3f);
         return true;
     }, kKernelColours},
    {16, [] { return JuliaModel(0.28f, 0.53f, 0.35f); }, kFromAbove},
    {17, [] { return RandomModel(7, 2, 0.8f, 0.85f, false); }, kFromAbove},
    {18, [] { return SetUpKernelModel({At(1, 0.31f, 0, 1.0f)}, kSeed); }, kReachFromAbove},  // mu 0.31: five petals
    {19, [] { return KleinianModel(1.91f, 0.05f, 1.91f, 0.05f); }, kHeights},
    {20, [] { return RandomModel(4, 4, 1.5f, 0.0f, false); }, kReach},
    // Six spheres at right angles to the unit sphere; short runs from a ball
    // at the middle show its images nesting towards the limit set.
    {21, [] {
         if (!SetUpKernelModel(SphereSet(kOcta, 6, 0.69f, 1.3f), kSeed)) return false;
         NoRepeats(6);
         SeedRunsFromSphere(0.6f, 4);
         return true;
     }, kReach},
    // A script of four tforms: a Sierpinski tetrahedron, each copy swirled.
    {22, [] {
         if (!SetUpKernelModel({At(1, 0, 0, 0), At(1, 0, 0, 0), At(1, 0, 0, 0), At(1, 0, 0, 0)}, kSeed, 0.15f))
             return false;
         ScriptWriter w;
         for (int i = 0; i < 4; ++i) {
             w.Tform(0.25f);
             w.Op(kScriptScale, {0.5f, 0.5f, 0.5f});
             w.Op(kScriptTranslate, {0.5f * kTetra[i][0], 0.5f * kTetra[i][1], 0.5f * kTetra[i][2]});
             w.Op(kScriptFlame2Swirl3D, {0.08f});
         }
         return true;
     }, kKernelColours},
    {23, [] { return RandomModel(6, 3, 0.7f, 0.85f, true); }, kKernelColours},
    {24, [] { return RandomModel(14, 3, 0.8f, 0.25f, false); }, {0, 15, 0.06f, PointColour::kKernel}},
    {25, [] { return RandomModel(8, 2, 0.8f, 0.5f, false); }, kFromAbove},
    {26, [] { return SetUpKernelModel({Map(0.95f, 1, 0, 0, 40, -0.4f, 0, 0.5f), At(1, 0, 0, 0)}, kSeed, 0.7f); },
     kKernelColours},
    {27, [] {
         return SetUpKernelModel({Map(0.9f, 1, 0, 0, 30, -0.3f, 0, 0.4f), Map(0.9f, 0, 0, 1, -40, 0.4f, 0, -0.2f)},
                                 kSeed, 0.95f);
     }, kKernelColours},
    {28, [] { return RandomModel(2, 3, 0.7f, 0.1f, false); }, kKernelColours},
    {29, [] { return RandomModel(6, 3, 0.7f, 0.4f, false); }, kKernelColours},
    {30, [] { return SetUpKernelModel({Map(0.95f, 1, 0, 0, 35, -0.3f, 0, 0.6f), At(1, 0, 0, 0)}, kSeed, 0.6f); },
     kKernelColours},
    {31, [] { return JuliaModel(-0.3f, 0.65f, 0.8f); }, kFromAbove},
    // Radiolarians: m00 is the copies' scale, tx0 the filter; coloured by vertex.
    {32, [] { return SetUpKernelModel({At(0.42f, 0.1f, 0, 0)}, kSeed, 0.0f); }, kKernelColours},
    {33, [] { return SetUpKernelModel({At(0.38f, 0.1f, 0, 0)}, kSeed, 0.2f); }, kKernelColours},
    {34, [] { return SetUpKernelModel({At(0.38f, 0.1f, 0, 0)}, kSeed, 0.4f); }, kKernelColours},
    {35, [] { return SetUpKernelModel({At(0.3f, 0.0f, 0, 0)}, kSeed, 0.6f); }, kKernelColours},
    {36, [] { return SetUpKernelModel({At(0.3f, 0.0f, 0, 0)}, kSeed, 0.8f); }, kKernelColours},
    {37, [] {
         // m11 is the squared radius; with m00 equal to it the centre is the position.
         std::vector<AffineMap> maps = SphereSet(kOcta, 6, 0.5f, 1.1f);
         if (!SetUpKernelModel(maps, kSeed, 0.15f)) return false;
         NoRepeats(6);
         SeedRunsFromSphere(0.3f, 6);
         return true;
     }, kKernelColours},
    // A halving planar map against the two roots of the complex sine.
    {38, [] {
         return SetUpKernelModel({Planar(0.5f, 0, 0, 0.5f, 0.5f, 0.5f), At(1, 0, 0, 0), At(1, 0, 0, 0)}, kSeed, 0.5f);
     }, kKernelColours},
    // Orbits leaving radius 20 end their run: seeds start new ones.
    {39, [] {
         if (!SetUpKernelModel({At(1, -0.2f, 0.4f, 0.3f), At(1, 0, 0, 0)}, kSeed, 0.2f)) return false;
         SeedRunsFromSphere(0.5f, 60);
         return true;
     }, kKernelColours},
    {40, [] {
         if (!RandomModel(7, 5, 1.0f, 0.55f, false)) return false;
         NoRepeats(5);
         return true;
     }, kKernelColours},
    {41, [] { return RandomModel(4, 2, 0.8f, 0.3f, false); }, kKernelColours},
    {42, [] { return RandomModel(7, 3, 0.8f, 0.65f, false); }, kKernelColours},
    {43, [] {
         if (!RandomModel(4, 4, 1.0f, 0.9f, false)) return false;
         NoRepeats(4);
         return true;
     }, kKernelColours},
    {44, [] { return RandomModel(8, 3, 0.7f, 0.0f, false); }, kKernelColours},
    // Its four maps: two generators and their turned quaternion copies.
    {45, [] {
         if (!SetUpKernelModel({At(1, 0, 0, 0), At(1, 0, 0, 0), At(1, 0, 0, 0), At(1, 0, 0, 0)}, kSeed)) return false;
         gFractalType = 45;
         ComputeTransformCoefficients({1.95f, 0.1f}, {2.0f, 0.0f});
         for (int t = 0; t < 4; ++t) gForbiddenSuccessors[t][0] = (t + 2) % 4;
         ExpandTransformTransitions();
         return true;
     }, {30, 60, 0.06f, PointColour::kReach}},
    // The whole set seen from above, the rim lifted by the distance heights.
    {46, [] {
         if (!SetUpKernelModel({At(1, 0, 0, 0)}, kSeed)) return false;
         EscapeModel(-0.6, 0.0, 1.3, 0, 10.0f, 0.02f, 0.0f);
         return true;
     }, {0, 80, 0.04f, PointColour::kKernel}},
    {47, [] { return RandomModel(8, 3, 0.7f, 0.8f, false); }, kKernelColours},
    {48, [] {
         // A turning, shrinking chain makes a spiral arm; a small swirled copy
         // far out hangs curls on it.
         if (!SetUpKernelModel({At(1, 0, 0, 0, 0.85f), At(1, 0, 0, 0, 0.15f)}, kSeed, 0.1f)) return false;
         ReplaceGeneratorGroups(NewGeneratorGroupArray(2), 2);
         const float up[3] = {0.2f, 1, 0.3f};
         Chain(0, 0.85f, {1, 2, 3}, {{0.88f, 0.88f, 0.88f}, {}, {0.4f, 0.05f, 0}});
         SetGeneratorRotation(0, 1, up, 25.0f);
         Chain(1, 0.15f, {1, 3, 33}, {{0.3f, 0.3f, 0.3f}, {1, 0, 0}, {0.3f, 0.3f, 0.3f}});
         return true;
     }, {20, 75, 0.06f, PointColour::kKernel}},
    // Turned upright, with the layered "Tiles" heights of triangle waves.
    {49, [] {
         if (!SetUpKernelModel({At(1, 0, 0, 0)}, kSeed)) return false;
         EscapeModel(-0.6, 0.0, 1.3, 3, 20.0f, 0.02f, 0.45f);
         return true;
     }, {90, 70, 0.04f, PointColour::kKernel}},
};

// [icons] --------------------------------------------------------------------

Canvas NumberedTile(int n)
{
    Canvas c(kIconSize, kIconSize);
    ShadeBox(c, 0, 0, kIconSize, kIconSize, [&](float, float y) {
        return Mix(Rgb{0.16f, 0.1f, 0.1f}, Rgb{0.04f, 0.03f, 0.03f}, y / kIconSize);
    });
    // A ring of spokes whose count follows the number, so neighbouring
    // types differ at a glance.
    const int spokes = 3 + (n % 9);
    const float hue = (n * 37 % 100) / 100.0f;
    const Rgb tint{0.5f + 0.5f * std::cos(2 * kPi * hue), 0.5f + 0.5f * std::cos(2 * kPi * (hue - 0.33f)),
                   0.5f + 0.5f * std::cos(2 * kPi * (hue - 0.67f))};
    for (int k = 0; k < spokes; ++k) {
        const float a = 2 * kPi * k / spokes;
        DrawLine(c, 64 + 20 * std::cos(a), 64 + 20 * std::sin(a), 64 + 56 * std::cos(a), 64 + 56 * std::sin(a), 2.0f,
                 Scale(tint, 0.45f));
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", n);
    GlyphFace face(DejaVuPath("DejaVuSans-Bold.ttf"), DejaVuPath("DejaVuSansMono.ttf"));
    face.SetPixelSize(56);
    face.DrawCentred(c, text, 64, 84, Mix(tint, Rgb{1, 1, 1}, 0.5f));
    return c;
}

// Kernels that leave fewer finite points than this draw no picture of theirs.
constexpr size_t kFewestPoints = 2000;

}  // namespace

Canvas TypeIconFromPoints(int n, const std::vector<KernelPoint>& points, const PointView& view, bool* drawnByKernel)
{
    if (drawnByKernel) *drawnByKernel = false;
    if (points.size() < kFewestPoints) return NumberedTile(n);
    Canvas c = DrawKernelPoints(points, kIconSize, view);
    char text[16];
    std::snprintf(text, sizeof text, "%d", n);
    GlyphFace face(DejaVuPath("DejaVuSans-Bold.ttf"), DejaVuPath("DejaVuSansMono.ttf"));
    face.SetPixelSize(16);
    face.DrawCentred(c, text, 14, 22, {0.95f, 0.2f, 0.12f});
    if (drawnByKernel) *drawnByKernel = true;
    return c;
}

Canvas MakeFractalTypeIcon(int n, bool* drawnByKernel)
{
    const int type = n - 1;
    for (const TypeIconRecipe& recipe : kTypeIcons) {
        if (recipe.type != type || !HasOwnKernel(type)) continue;
        const bool ready = recipe.setUp();
        const std::vector<KernelPoint> points =
            ready ? RunTypeKernel(type, recipe.batches) : std::vector<KernelPoint>{};
        // The chains of type 48 are ours: nothing else may run them.
        ReplaceGeneratorGroups(nullptr, 0);
        return TypeIconFromPoints(n, points, recipe.view, drawnByKernel);
    }
    return TypeIconFromPoints(n, {}, {}, drawnByKernel);
}

}  // namespace assetgen
