// Symmetry modes. Sections:
//   [tables]      constants, list captions, the mode table
//   [helpers]     slice loop, hash and word draws, weighted pick, common turns
//   [group]       modes 0..5, one hash-chosen rotation of a polyhedral group
//   [per point]   modes 6 and 7, non-linear maps
//   [tiling]      modes 8..19, weighted copies
//   [entry]       ApplySymmetry, SetSymmetryCopyWeights
#include "render/symmetry_modes.h"

#include <cmath>

#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "engine/random.h"

// ---- [tables] -------------------------------------------------------------------

std::atomic<int32_t> gSymmetryMode{kSymmetryModeNormal};
std::atomic<uint8_t> gSymmetryOn{0};
std::atomic<float> gSymmetryFoldCount{6.0f};
std::atomic<float> gSymmetrySeparation{1.0f};
std::atomic<float> gSymmetryCopyWeights[kSymmetryCopyWeightCount];
uint8_t gMirrorCopy = 0;

const float gSymmetryFoldAngles[kSymmetryMaxFolds + 1] = {
    6.2831855f, 6.2831855f / 1, 6.2831855f / 2,  6.2831855f / 3,  6.2831855f / 4,  6.2831855f / 5,
    6.2831855f / 6, 6.2831855f / 7, 6.2831855f / 8, 6.2831855f / 9, 6.2831855f / 10, 6.2831855f / 11,
    6.2831855f / 12, 6.2831855f / 13, 6.2831855f / 14, 6.2831855f / 15, 6.2831855f / 16,
};

// 0..8: the 3 x 3 grid (ring, then centre); 9..24: the outer ring of 5 x 5.
const float gSymmetryTileOffsets[kSymmetryCopyWeightCount][2] = {
    {0, -1}, {1, -1}, {1, 0},  {1, 1},   {0, 1},  {-1, 1}, {-1, 0}, {-1, -1}, {0, 0},
    {-2, -2}, {-2, -1}, {-2, 0}, {-2, 1}, {-2, 2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2},
    {-1, 2}, {0, 2},   {1, 2},  {2, 2},   {2, -1}, {2, 0},  {2, 1},
};

const uint8_t gSymmetryOctantSigns[8][3] = {
    {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1},
};

const char* const kSymmetryListItems[kSymmetryModeCount + 1] = {
    "Normal",      "Tetrahedron",   "Octahedron",   "Hexahedron",        "Dodecahedron",   "Icosahedron",
    "Penta",       "Loxodrome",     "Sphere",       "Array 3x3",         "Array 5x5",      "Rotation XZ",
    "Rotation XY", "Combined Rotation", "XYZ Reflection", "X Reflection", "Y Reflection",   "Z Reflection",
    "Dihedral XZ", "Dihedral XY",   "Dihedral XZ Ref. Y",
};

namespace {

// ---- [helpers] ------------------------------------------------------------------

inline constexpr uint32_t kHalfWord = 2147483648u;

template <class F>
inline void ForSlice(uint8_t slot, F f)
{
    const int32_t last = gSlotBatchLast[slot];
    for (int32_t j = gSlotBatchStart[slot]; j < last; ++j) f(gPointX[j], gPointY[j], gPointZ[j]);
}

inline float Separation() { return gSymmetrySeparation.load(std::memory_order_relaxed); }

inline uint32_t NextWord(uint8_t slot) { return RandomStep(gSlotRandom[slot]); }
inline float WordUniform(uint32_t w) { return static_cast<float>(w) * kRandomWordToFloat; }

// k hash results in a row; only the last is stored back.
template <int K>
inline void HashChain(uint8_t slot, uint32_t (&s)[K])
{
    uint32_t h = gSlotHash[slot];
    for (int i = 0; i < K; ++i) s[i] = h = HashStep(h);
    gSlotHash[slot] = h;
}

// The live weight, or that of the tuner's trial the slot is scoring.
inline float CopyWeight(uint8_t slot, int k)
{
    const float* trial = gSlotPickModel[slot].copyWeights;
    return trial ? trial[k] : gSymmetryCopyWeights[k].load(std::memory_order_relaxed);
}

// Copies K down to 1 take their weight from the draw; copy 0 the rest.
inline int WeightedPick(uint8_t slot, int highest)
{
    float u = WordUniform(NextWord(slot));
    for (int k = highest; k >= 1; --k) {
        u -= CopyWeight(slot, k);
        if (u < 0.0f) return k;
    }
    return 0;
}

// Y(a, b): the turn in the x-z plane; Z(a, b): in the x-y plane.
inline void TurnY(float& x, float& z, float a, float b)
{
    const float nx = a * x - b * z;
    const float nz = b * x + a * z;
    x = nx;
    z = nz;
}

inline void TurnZ(float& x, float& y, float a, float b)
{
    const float nx = a * x - b * y;
    const float ny = b * x + a * y;
    x = nx;
    y = ny;
}

void ThreeFoldStage(uint8_t slot, uint32_t s1, float c)
{
    switch (s1 % 3u) {
    case 0: ForSlice(slot, [c](float& x, float& y, float& z) { y += c; TurnY(x, z, -0.5f, -0.866025f); }); break;
    case 1: ForSlice(slot, [c](float& x, float& y, float& z) { y += c; TurnY(x, z, -0.5f, 0.866025f); }); break;
    default: ForSlice(slot, [c](float&, float& y, float&) { y += c; }); break;
    }
}

void FiveFoldStage(uint8_t slot, uint32_t r)
{
    static const float kTurns[4][2] = {
        {0.309017f, -0.951057f}, {-0.809017f, -0.587785f}, {-0.809017f, 0.587785f}, {0.309017f, 0.951057f}};
    r %= 5u;
    if (r == 4) return;
    const float a = kTurns[r][0], b = kTurns[r][1];
    ForSlice(slot, [a, b](float& x, float&, float& z) { TurnY(x, z, a, b); });
}

void NegateXY(uint8_t slot)
{
    ForSlice(slot, [](float& x, float& y, float&) {
        x = -x;
        y = -y;
    });
}

// Turns about y by r quarter steps as mode 1 numbers them: 1 half turn,
// 2 (x, z) -> (-z, x), 3 (x, z) -> (z, -x).
void QuarterTurnY(uint8_t slot, uint32_t r)
{
    switch (r) {
    case 1: ForSlice(slot, [](float& x, float&, float& z) { x = -x; z = -z; }); break;
    case 2: ForSlice(slot, [](float& x, float&, float& z) { const float ox = x; x = -z; z = ox; }); break;
    case 3: ForSlice(slot, [](float& x, float&, float& z) { const float ox = x; x = z; z = -ox; }); break;
    default: break;
    }
}

}  // namespace

// ---- [group] --------------------------------------------------------------------

void ApplySymmetryMode0(uint8_t slot)
{
    uint32_t s[2];
    HashChain(slot, s);
    ThreeFoldStage(slot, s[0], Separation());
    const uint32_t r = s[1] & 3u;
    if (r == 3) return;
    ForSlice(slot, [r](float& x, float& y, float& z) {
        const float a = 0.5f * x + 0.866025f * z;
        const float b = 0.5f * z - 0.866025f * x;
        const float oy = y;
        if (r == 0) {
            x = -0.33335f * a - 0.942803f * oy;
            y = 0.942803f * a - 0.33335f * oy;
            z = b;
        } else if (r == 1) {
            x = 0.666667f * a + 0.471405f * oy - 0.57735f * b;
            y = -0.471405f * a - 0.333333f * oy - 0.816497f * b;
            z = -0.57735f * a + 0.816497f * oy;
        } else {
            x = 0.666667f * a + 0.471405f * oy + 0.57735f * b;
            y = -0.471405f * a - 0.333333f * oy + 0.816497f * b;
            z = 0.57735f * a - 0.816497f * oy;
        }
    });
}

void ApplySymmetryMode1(uint8_t slot)
{
    uint32_t s[3];
    HashChain(slot, s);
    ThreeFoldStage(slot, s[0], Separation());
    if (s[1] & 1u)
        ForSlice(slot, [](float& x, float& y, float& z) {
            TurnZ(x, y, 0.57735f, 0.816497f);
            y = -y;
            z = -z;
        });
    else
        ForSlice(slot, [](float& x, float& y, float&) { TurnZ(x, y, 0.57735f, 0.816497f); });
    QuarterTurnY(slot, s[2] & 3u);
}

void ApplySymmetryMode2(uint8_t slot)
{
    uint32_t s[2];
    HashChain(slot, s);
    const float c = Separation();
    ForSlice(slot, [c](float&, float& y, float&) { y += c; });
    // The cube's quarter turns run the other way round from mode 1's.
    const uint32_t r = s[0] & 3u;
    QuarterTurnY(slot, r == 2 ? 3u : r == 3 ? 2u : r);
    switch (s[1] % 6u) {
    case 0: ForSlice(slot, [](float&, float& y, float& z) { y = -y; z = -z; }); break;
    case 1: ForSlice(slot, [](float& x, float& y, float& z) { const float ox = x, oy = y; x = z; y = ox; z = oy; }); break;
    case 2: ForSlice(slot, [](float& x, float& y, float& z) { const float ox = x, oy = y; x = z; y = -ox; z = -oy; }); break;
    case 3: ForSlice(slot, [](float& x, float& y, float& z) { const float ox = x; x = y; y = z; z = ox; }); break;
    case 4: ForSlice(slot, [](float& x, float& y, float& z) { const float ox = x; x = -y; y = -z; z = ox; }); break;
    default: break;
    }
}

void ApplySymmetryMode3(uint8_t slot)
{
    uint32_t s[3];
    HashChain(slot, s);
    const float c = Separation();
    ForSlice(slot, [c](float&, float& y, float&) { y += c; });
    FiveFoldStage(slot, s[0]);
    const uint32_t r = s[1] % 6u;
    if (r != 5)
        ForSlice(slot, [r](float& x, float& y, float& z) {
            const float a = 0.809017f * x + 0.587785f * z;
            const float b = 0.809017f * z - 0.587785f * x;
            const float oy = y;
            switch (r) {
            case 0:
                x = 0.638197f * a - 0.723607f * oy - 0.262866f * b;
                y = 0.723607f * a + 0.447214f * oy + 0.525731f * b;
                z = -0.262866f * a - 0.525731f * oy + 0.809017f * b;
                break;
            case 1:
                x = 0.947214f * a + 0.276393f * oy + 0.16246f * b;
                y = -0.276393f * a + 0.447214f * oy + 0.850651f * b;
                z = 0.16246f * a - 0.850651f * oy + 0.5f * b;
                break;
            case 2:
                x = 0.947214f * a + 0.276393f * oy - 0.16246f * b;
                y = -0.276393f * a + 0.447214f * oy - 0.850651f * b;
                z = -0.16246f * a + 0.850651f * oy + 0.5f * b;
                break;
            case 3:
                x = 0.447214f * a + 0.894427f * oy;
                y = -0.894427f * a + 0.447214f * oy;
                z = b;
                break;
            default:
                x = 0.638197f * a - 0.723607f * oy + 0.262866f * b;
                y = 0.723607f * a + 0.447214f * oy - 0.525731f * b;
                z = 0.262866f * a + 0.525731f * oy + 0.809017f * b;
                break;
            }
        });
    if (s[2] & 1u) NegateXY(slot);
}

void ApplySymmetryMode4(uint8_t slot)
{
    uint32_t s[4];
    HashChain(slot, s);
    ThreeFoldStage(slot, s[0], Separation());
    if (s[1] & 1u)
        ForSlice(slot, [](float& x, float& y, float& z) {
            const float ox = x;
            x = -0.187592f * ox - 0.982247f * y;
            y = -0.982247f * ox + 0.187592f * y;
            z = -z;
        });
    else
        ForSlice(slot, [](float& x, float& y, float&) { TurnZ(x, y, 0.794654f, 0.607062f); });
    FiveFoldStage(slot, s[2]);
    if ((s[3] & 1u) == 0) NegateXY(slot);
}

void ApplySymmetryMode5(uint8_t slot)
{
    uint32_t s[2];
    HashChain(slot, s);
    ThreeFoldStage(slot, s[0], Separation());
    ForSlice(slot, [](float& x, float& y, float&) { TurnZ(x, y, 0.794654f, 0.607062f); });
    FiveFoldStage(slot, s[1]);
}

// ---- [per point] ----------------------------------------------------------------

void ApplySymmetryMode6(uint8_t slot)
{
    const float c = Separation();
    // Two words a point: the generator stays in a local for the slice, off
    // the cache line it shares with the other slots' generators.
    RandomState rnd = gSlotRandom[slot];
    ForSlice(slot, [&rnd, c](float& x, float& y, float& z) {
        const uint32_t w1 = RandomStep(rnd);
        const uint32_t w2 = RandomStep(rnd);
        const float v = w1 > kHalfWord ? 1.0f + static_cast<float>(w2) * 1.14087015e-8f
                                       : static_cast<float>(w2) * -1.16415322e-8f;
        const float n = static_cast<float>(static_cast<int32_t>(v));  // |v| <= 50
        const float a = 0.6665f * c * x + n;
        const float b = 1.0f + 0.25f * c * y;
        const float t = 0.125f * (a - 4.187743f * c * z);
        const float ch = std::cosh(t);
        x = b * std::cos(a) / ch;
        z = b * std::sin(a) / ch;
        y = b * std::tanh(t);
    });
    gSlotRandom[slot] = rnd;
}

namespace {

// Mode 7 pulls every point onto a ball by tanh(r2) / r2, the overflow-free
// form of sinh(r2) / (cosh(r2) r2). The origin, a non-number and an infinite
// radius map to the origin.
void ApplySymmetrySphere(uint8_t slot)
{
    const double c = Separation();
    ForSlice(slot, [c](float& x, float& y, float& z) {
        const double px = x, py = y + c, pz = z;
        const double r2 = px * px + py * py + pz * pz;
        if (r2 > 0.0 && std::isfinite(r2)) {
            const double f = std::tanh(r2) / r2;
            x = static_cast<float>(f * px);
            y = static_cast<float>(f * py);
            z = static_cast<float>(f * pz);
        } else {
            x = y = z = 0.0f;
        }
    });
}

// ---- [tiling] -------------------------------------------------------------------

void ApplyTiling(uint8_t slot, int highest)
{
    const int k = WeightedPick(slot, highest);
    const float c = Separation();
    const float dx = gSymmetryTileOffsets[k][0] * c;
    const float dz = gSymmetryTileOffsets[k][1] * c;
    ForSlice(slot, [dx, dz](float& x, float&, float& z) {
        x += dx;
        z += dz;
    });
}

struct FoldTurn {
    float s, c;
};

// Copy k of N: the angle (k + 1) 2 pi / N. Modes 10 and 11 take the step from
// the angle table, the combined and dihedral modes from a double quotient.
FoldTurn PickFoldTurn(uint8_t slot, bool doubleStep)
{
    const int n = SymmetryFoldCount();
    const int k = WeightedPick(slot, n - 1);
    // The double step starts from the decimal 6.2831855, not from its float
    // rounding: the two give different angles for some (k, N), e.g. k = 4 of 6.
    const float theta = doubleStep ? static_cast<float>((k + 1) * (6.2831855 / n))
                                   : static_cast<float>(k + 1) * gSymmetryFoldAngles[n];
    return {std::sin(theta), std::cos(theta)};
}

// (a + c, b) turned: a' = (a + c) S - b C, b' = (a + c) C + b S.
inline void FoldTurnPoint(float& a, float& b, float shifted, FoldTurn f)
{
    const float ob = b;
    a = shifted * f.s - ob * f.c;
    b = shifted * f.c + ob * f.s;
}

// Mode 10 on (x, z) or mode 11 on (x, y); mirror turns (-x, .) instead.
template <int Axis>
void TurnSlice(uint8_t slot, FoldTurn f, bool mirror)
{
    const float c = Separation();
    ForSlice(slot, [c, f, mirror](float& x, float& y, float& z) {
        float& b = Axis == 2 ? z : y;
        FoldTurnPoint(x, b, mirror ? c - x : x + c, f);
    });
}

void ReflectAxis(uint8_t slot, int axis, bool mirror)
{
    const float c = Separation();
    const float sign = mirror ? -1.0f : 1.0f;
    const float shift = mirror ? -c : c;
    ForSlice(slot, [axis, sign, shift](float& x, float& y, float& z) {
        float& a = axis == 0 ? x : axis == 1 ? y : z;
        a = sign * a + shift;
    });
}

}  // namespace

void ApplySymmetryMode8(uint8_t slot) { ApplyTiling(slot, 8); }
void ApplySymmetryMode9(uint8_t slot) { ApplyTiling(slot, 24); }
void ApplySymmetryMode10(uint8_t slot) { TurnSlice<2>(slot, PickFoldTurn(slot, false), false); }
void ApplySymmetryMode11(uint8_t slot) { TurnSlice<1>(slot, PickFoldTurn(slot, false), false); }

void ApplySymmetryMode12(uint8_t slot)
{
    const FoldTurn f = PickFoldTurn(slot, true);
    if (NextWord(slot) > kHalfWord) {
        TurnSlice<2>(slot, f, false);
        return;
    }
    const float c = Separation();
    ForSlice(slot, [c, f](float& x, float& y, float& z) {
        const float oz = z;
        FoldTurnPoint(x, y, x + c, f);
        z = y;
        y = oz;
    });
}

void ApplySymmetryMode13(uint8_t slot)
{
    const uint8_t* flags = gSymmetryOctantSigns[WeightedPick(slot, 7)];
    ReflectAxis(slot, 1, flags[0] != 0);
    ReflectAxis(slot, 0, flags[1] != 0);
    ReflectAxis(slot, 2, flags[2] != 0);
}

namespace {

void ApplyAxisReflection(uint8_t slot, int axis)
{
    const bool mirror = WordUniform(NextWord(slot)) > CopyWeight(slot, 0);
    ReflectAxis(slot, axis, mirror);
}

}  // namespace

void ApplySymmetryMode14(uint8_t slot) { ApplyAxisReflection(slot, 0); }
void ApplySymmetryMode15(uint8_t slot) { ApplyAxisReflection(slot, 1); }
void ApplySymmetryMode16(uint8_t slot) { ApplyAxisReflection(slot, 2); }

void ApplySymmetryMode17(uint8_t slot)
{
    const FoldTurn f = PickFoldTurn(slot, true);
    TurnSlice<2>(slot, f, NextWord(slot) <= kHalfWord);
}

void ApplySymmetryMode18(uint8_t slot)
{
    const FoldTurn f = PickFoldTurn(slot, true);
    TurnSlice<1>(slot, f, NextWord(slot) <= kHalfWord);
}

void ApplySymmetryMode19(uint8_t slot)
{
    ApplySymmetryMode17(slot);
    ReflectAxis(slot, 1, NextWord(slot) > kHalfWord);
}

// ---- [entry] --------------------------------------------------------------------

namespace {

struct SymmetryModeRow {
    int32_t mode;
    void (*apply)(uint8_t slot);
    int32_t copyWeights;  // weighted copies; 0: the fold count; 1: none
};

const SymmetryModeRow kSymmetryModes[kSymmetryModeCount] = {
    {0, ApplySymmetryMode0, 1},   {1, ApplySymmetryMode1, 1},   {2, ApplySymmetryMode2, 1},
    {3, ApplySymmetryMode3, 1},   {4, ApplySymmetryMode4, 1},   {5, ApplySymmetryMode5, 1},
    {6, ApplySymmetryMode6, 1},   {7, ApplySymmetrySphere, 1},  {8, ApplySymmetryMode8, 9},
    {9, ApplySymmetryMode9, 25},  {10, ApplySymmetryMode10, 0}, {11, ApplySymmetryMode11, 0},
    {12, ApplySymmetryMode12, 0}, {13, ApplySymmetryMode13, 8}, {14, ApplySymmetryMode14, 2},
    {15, ApplySymmetryMode15, 2}, {16, ApplySymmetryMode16, 2}, {17, ApplySymmetryMode17, 0},
    {18, ApplySymmetryMode18, 0}, {19, ApplySymmetryMode19, 0},
};

}  // namespace

int32_t SymmetryFoldCount()
{
    const float v = gSymmetryFoldCount.load(std::memory_order_relaxed);
    // A fold count from a file is not clamped; it indexes the tables here.
    if (!(v >= static_cast<float>(kSymmetryMinFolds))) return kSymmetryMinFolds;
    if (v >= static_cast<float>(kSymmetryMaxFolds)) return kSymmetryMaxFolds;
    return static_cast<int32_t>(v);
}

void ApplySymmetry(uint8_t slot)
{
    const int32_t mode = gSymmetryMode.load(std::memory_order_relaxed);
    if (mode < 0 || mode >= kSymmetryModeCount) return;
    kSymmetryModes[mode].apply(slot);
}

int32_t SetSymmetryCopyWeights()
{
    gMirrorCopy = 0;
    const int32_t mode = gSymmetryMode.load(std::memory_order_relaxed);
    if (mode < 8) return 1;
    int32_t n = 1;  // "Normal" and unknown modes: weight 0 = 1
    if (mode < kSymmetryModeCount) {
        n = kSymmetryModes[mode].copyWeights;
        if (n == 0) n = SymmetryFoldCount();
    }
    for (int32_t k = 0; k < n; ++k)
        gSymmetryCopyWeights[k].store(1.0f / static_cast<float>(n), std::memory_order_relaxed);
    return n;
}
