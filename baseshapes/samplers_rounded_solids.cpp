// Every sampler here draws u1 and u2 first (the texture coordinates unless a
// cap says otherwise); the filled twins add one interior draw after them.
//
// Sections: [column and blob] [tori] [harmonic box] [heart]
//           [frustums: cone, rounded trapezoid, gear III] [shell piece]
#include "baseshapes/samplers_rounded_solids.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/sampler_finite_point.h"

namespace {

constexpr double kInvPi = 0.3183098861837907;

// An interior draw as the cube root the tori use for an even fill.
inline float CubeRoot(float w) { return std::pow(w, 0.33333334f); }

// [column and blob] --------------------------------------------------------

// The wave (a sine blended with its triangle by p3) tapers from twice the
// radius at the bottom to 0 at the top; the section blends a circle and a
// diamond by p2. f pulls x and z in.
void SineColumnPoint(BaseshapePoint* point, float u1, float u2, float f)
{
    const float* p = point->p;
    const float s = point->size;
    const float a = kTwoPi * u1;
    const float t = kTwoPi * u2 - kPi;
    const float wave = std::sin(t * p[0]);
    const double taper = 1.0 - static_cast<double>(t) * kInvPi;
    const float r = static_cast<float>(
        std::fabs(static_cast<double>(p[3] * wave - TriangleWave(wave) * (1.0f - p[3])) * taper) * p[1] * s);
    const float y = static_cast<float>(s * static_cast<double>(t) * kInvPi);
    const float sa = std::sin(a);
    const float ca = std::cos(a);
    StoreFinitePoint(point, (p[2] * sa - TriangleWave(sa) * (1.0f - p[2])) * r * f, y,
                     (p[2] * ca - TriangleWave(ca) * (1.0f - p[2])) * r * f);
}

// A sphere whose radius carries three harmonics of the longitude, weighted
// by the height (so the equator keeps radius S).
void BlobPoint(BaseshapePoint* point, float u1, float u2, float f)
{
    const float* p = point->p;
    const float s = point->size;
    const float a = kTwoPi * u1;
    const float h = 2.0f * u2 - 1.0f;
    const float c = std::sqrt(std::fmax(0.0f, 1.0f - h * h));
    const float harmonics = p[0] * std::sin(a + a + p[3]) + p[1] * std::sin(u1 * 18.849556f + p[4]) +
                            p[2] * std::sin(u1 * 25.132742f + p[5]);
    const float r = (harmonics * h + 1.0f) * s * c * f;
    StoreFinitePoint(point, std::sin(a) * r, s * h, std::cos(a) * r);
}

// [tori] -------------------------------------------------------------------

// Ring about z whose plan is squared by tanh(p1 * direction); the tube is
// round (kind 95) or squared too (kind 106). k scales the tube in the ring
// radius only.
template <bool SquaredTube>
void SquaredTorusPoint(BaseshapePoint* point, float u1, float u2, float k, float zScale)
{
    const float* p = point->p;
    const float s = point->size;
    const float a = kTwoPi * u2 + kPi;
    const float b = kTwoPi * u1;
    const double across = SquaredTube ? std::tanh(3.0 * std::cos(a)) : std::cos(a);
    const double up = SquaredTube ? std::tanh(3.0 * std::sin(a)) : std::sin(a);
    const float r = static_cast<float>((across * p[0] * k + s) * s);
    StoreFinitePoint(point, std::tanh(std::cos(b) * p[1]) * r, std::tanh(std::sin(b) * p[1]) * r,
                     static_cast<float>(up * p[0] * zScale * s));
}

// A ring about y with a rounded-square tube and a rippled height; k scales the
// tube's width in the ring radius.
void GearIIPoint(BaseshapePoint* point, float u1, float u2, float k)
{
    const float* p = point->p;
    const float s = point->size;
    const float a = kTwoPi * u2 + kPi;
    const float b = kTwoPi * u1;
    const float r = static_cast<float>((std::tanh(3.0 * std::cos(a)) * p[0] * k + s) * s);
    const double ripple = std::tanh(1.75 * std::sin(kTwoPi * u1 * p[1])) * p[2] * 0.1;
    const float y = static_cast<float>(ripple + std::tanh(3.0 * std::sin(a)) * p[0] * s);
    StoreFinitePoint(point, std::cos(b) * r, y, std::sin(b) * r);
}

// [harmonic box] -----------------------------------------------------------

// A rounded box (tanh of three times the sphere's direction) whose radius
// carries four tanh waves, each raised to a truncated exponent.
void HarmonicBoxPoint(BaseshapePoint* point, float u1, float u2, float f)
{
    const float* p = point->p;
    const float s = point->size;
    const float t = kPi * u2 + 1.5707964f;
    const float q = kTwoPi * u1;
    // A wave raised to the exponent 0 is 1 whatever its value (even not a
    // number), so its tanh and its cosine or sine are not computed.
    auto wave = [](float exponent, auto value) {
        const int n = ParameterToInt(exponent, -64, 64);
        return n == 0 ? 1.0 : std::pow(static_cast<double>(std::tanh(3.0f * value())), n);
    };
    const double sum =
        wave(p[3], [&] { return std::cos(p[2] * t); }) + wave(p[1], [&] { return std::sin(p[0] * t); }) +
        wave(p[7], [&] { return std::cos(p[6] * q); }) + wave(p[5], [&] { return std::sin(p[4] * q); });
    const float r = static_cast<float>(sum * p[8] + s) * f;
    const float ring = std::tanh(3.0f * std::cos(t)) * r;
    StoreFinitePoint(point, std::tanh(3.0f * std::cos(q)) * ring, std::tanh(3.0f * std::sin(t)) * r,
                     std::tanh(3.0f * std::sin(q)) * ring);
}

// [heart] ------------------------------------------------------------------

// A tube of radius p0 (f times in the plane) around the heart curve of
// radius p2, its depth scaled by p1.
void HeartPoint(BaseshapePoint* point, float u1, float u2, float f)
{
    const float* p = point->p;
    const float s = point->size;
    const float t = kTwoPi * u1;
    const float a = kTwoPi * u2;
    const float r = (std::cos(a) * p[0] * f + p[2]) * s;
    const float st = std::sin(t);
    const float curve =
        13.0f * std::cos(t) - 5.0f * std::cos(2.0f * t) - 2.0f * std::cos(3.0f * t) - std::cos(4.0f * t);
    StoreFinitePoint(point, 4.0f * st * st * st * r, curve * 0.25f * r, std::sin(a) * p[0] * s * p[1]);
}

// [frustums: cone, rounded trapezoid, gear III] ----------------------------

// A frustum of half height p0 and radii p2 (bottom) to p1 (top); (sx, sz) is
// its section at unit radius.
struct Section {
    float sx, sz;
};

void FrustumSide(BaseshapePoint* point, Section sec, float u2, float radialScale, uint8_t slot, float u1)
{
    const float s = point->size;
    const float rho = ((1.0f - u2) * point->p[2] + u2 * point->p[1]) * s * radialScale;
    StoreFinitePoint(point, sec.sx * rho, s * (2.0f * u2 - 1.0f) * point->p[0], sec.sz * rho);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// A cap at y = -p0 S (v = 0) or +p0 S (v = 1); f is the radial factor times
// the size, the cap's radius parameter supplies the rest.
void FrustumCap(BaseshapePoint* point, Section sec, bool top, float f, uint8_t slot, float u1)
{
    const float s = point->size;
    const float r = f * (top ? point->p[1] : point->p[2]);
    StoreFinitePoint(point, sec.sx * r, top ? point->p[0] * s : -point->p[0] * s, sec.sz * r);
    ApplyBaseshapeColorTail(point, u1, top ? 1.0f : 0.0f, slot);
}

// The rounded trapezoid's and gear's caps: two draws choose the cap in
// proportion to its radius (a rt <= b rb: the bottom). The cap radius then
// comes from |p1| or |p2|.
void CapByRadius(BaseshapePoint* point, RandomState& rs, Section sec, float f, uint8_t slot, float u1)
{
    const float rt = std::fabs(point->p[1]) * f;
    const float rb = std::fabs(point->p[2]) * f;
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    const bool top = !(a * rt <= b * rb);
    const float r = top ? rt : rb;
    const float s = point->size;
    StoreFinitePoint(point, sec.sx * r, top ? point->p[0] * s : -point->p[0] * s, sec.sz * r);
    ApplyBaseshapeColorTail(point, u1, top ? 1.0f : 0.0f, slot);
}

inline Section RoundSection(float q) { return {std::sin(q), std::cos(q)}; }

inline Section RoundedSquareSection(float q)
{
    return {static_cast<float>(std::tanh(2.0 * std::sin(q))), static_cast<float>(std::tanh(2.0 * std::cos(q)))};
}

inline Section GearSection(const BaseshapePoint* point, float u1)
{
    const float q = kTwoPi * u1;
    const float g = static_cast<float>(std::tanh(3.0 * std::sin(kTwoPi * u1 * point->p[3])) * point->p[4] + 1.0);
    return {std::sin(q) * g, std::cos(q) * g};
}

// [shell piece] ------------------------------------------------------------

// Between radii S and p2 S, longitude within +-pi p0, sine of latitude within
// +-p1. cos(asin(s)) is written as a root clamped at 0, so a p1 beyond 1
// closes the piece at the poles instead of failing.
struct ShellPiece {
    float theta, s, c, inner;
};

inline ShellPiece ShellPieceOf(const BaseshapePoint* point, float u1, float u2)
{
    const float* p = point->p;
    const float s = (2.0f * u2 - 1.0f) * p[1];
    return {(kTwoPi * u1 - kPi) * p[0], s, std::sqrt(std::fmax(0.0f, 1.0f - s * s)), p[2] * point->size};
}

inline void ShellPoint(BaseshapePoint* point, float theta, float c, float y, float rho)
{
    StoreFinitePoint(point, std::sin(theta) * c * rho, y * rho, -std::cos(theta) * c * rho);
}

void SquaredTorusRound(BaseshapePoint* point, float u1, float u2, float f)
{
    SquaredTorusPoint<false>(point, u1, u2, f, f);
}

// Kind 106 shrinks the tube in the ring radius only; its z keeps the full p0.
void SquaredTorusSquare(BaseshapePoint* point, float u1, float u2, float k)
{
    SquaredTorusPoint<true>(point, u1, u2, k, 1.0f);
}

inline float SquareRoot(float w) { return std::sqrt(w); }

using PlaceFn = void (*)(BaseshapePoint*, float, float, float);
using InteriorFn = float (*)(float);

template <PlaceFn Place>
void SampleSurface(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    Place(point, u1, u2, 1.0f);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The surface twin's draws, then the interior draw.
template <PlaceFn Place, InteriorFn Interior>
void SampleFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    Place(point, u1, u2, Interior(RandomUniform(rs)));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeSineCol(BaseshapePoint* point, uint8_t slot) { SampleSurface<SineColumnPoint>(point, slot); }
void SampleBaseshapeSineColFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<SineColumnPoint, FilledFalloff>(point, slot);
}
void SampleBaseshapeBlob(BaseshapePoint* point, uint8_t slot) { SampleSurface<BlobPoint>(point, slot); }
void SampleBaseshapeBlobFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<BlobPoint, FilledFalloff>(point, slot);
}
void SampleBaseshapeSquaredTorus(BaseshapePoint* point, uint8_t slot) { SampleSurface<SquaredTorusRound>(point, slot); }
void SampleBaseshapeSquaredTorusFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<SquaredTorusRound, FilledFalloff>(point, slot);
}
void SampleBaseshapeSphericalHBox(BaseshapePoint* point, uint8_t slot) { SampleSurface<HarmonicBoxPoint>(point, slot); }
void SampleBaseshapeSphericalHBoxFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<HarmonicBoxPoint, FilledFalloff>(point, slot);
}
void SampleBaseshapeHeartII(BaseshapePoint* point, uint8_t slot) { SampleSurface<HeartPoint>(point, slot); }
void SampleBaseshapeHeartIIFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<HeartPoint, FilledFalloff>(point, slot);
}
void SampleBaseshapeSquaredTorusII(BaseshapePoint* point, uint8_t slot)
{
    SampleSurface<SquaredTorusSquare>(point, slot);
}
void SampleBaseshapeSquaredTorusIIFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<SquaredTorusSquare, CubeRoot>(point, slot);
}
void SampleBaseshapeGearII109(BaseshapePoint* point, uint8_t slot) { SampleSurface<GearIIPoint>(point, slot); }
void SampleBaseshapeGearII109Filled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<GearIIPoint, SquareRoot>(point, slot);
}

// A coin picks the side; else the cap radius factor 1 - w^2 and a second
// coin the bottom (v = 0) or top (v = 1).
void SampleBaseshapeCone(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const Section sec = RoundSection(kTwoPi * u1);
    if (RandomCoin(rs)) return FrustumSide(point, sec, u2, 1.0f, slot, u1);
    const float w = RandomUniform(rs);
    const float f = (1.0f - w * w) * point->size;
    FrustumCap(point, sec, RandomCoin(rs), f, slot, u1);
}

void SampleBaseshapeConeFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float w = RandomUniform(rs);
    const Section sec = RoundSection(kTwoPi * u1);
    if (RandomCoin(rs)) return FrustumSide(point, sec, u2, FilledFalloff(w), slot, u1);
    const float a = RandomUniform(rs);
    const float b = RandomUniform(rs);
    FrustumCap(point, sec, RandomCoin(rs), (1.0f - a * b) * point->size, slot, u1);
}

void SampleBaseshapeRoundedTrapezoid(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const Section sec = RoundedSquareSection(kTwoPi * u1);
    if (RandomCoin(rs)) return FrustumSide(point, sec, u2, 1.0f, slot, u1);
    const float w = RandomUniform(rs);
    CapByRadius(point, rs, sec, (1.0f - w * w) * point->size, slot, u1);
}

void SampleBaseshapeRoundedTrapezoidFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    FrustumSide(point, RoundedSquareSection(kTwoPi * u1), u2, std::sqrt(RandomUniform(rs)), slot, u1);
}

// The caps reuse u2 for their radial factor: no fresh draw.
void SampleBaseshapeGearIII(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const Section sec = GearSection(point, u1);
    if (RandomCoin(rs)) return FrustumSide(point, sec, u2, 1.0f, slot, u1);
    CapByRadius(point, rs, sec, (1.0f - u2 * u2) * point->size, slot, u1);
}

void SampleBaseshapeGearIIIFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    FrustumSide(point, GearSection(point, u1), u2, std::sqrt(RandomUniform(rs)), slot, u1);
}

// Six faces, a sixth each: outer and inner sphere, the two meridian walls
// and the two latitude walls.
void SampleBaseshapeSphereCapII(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const ShellPiece sp = ShellPieceOf(point, u1, u2);
    const float p0 = point->p[0];
    const float p1 = point->p[1];
    const float s = point->size;
    const uint32_t face = RandomStep(rs) % 6;
    if (face < 2) {
        ShellPoint(point, sp.theta, sp.c, sp.s, face == 0 ? s : sp.inner);
    } else if (face < 4) {
        const float wall = face == 2 ? -kPi * p0 : kPi * p0;
        ShellPoint(point, wall, sp.c, sp.s, (1.0f - u1) * s + u1 * sp.inner);
    } else {
        const float c = std::sqrt(std::fmax(0.0f, 1.0f - p1 * p1));
        ShellPoint(point, sp.theta, c, face == 4 ? p1 : -p1, (1.0f - u2) * s + u2 * sp.inner);
    }
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The third draw runs from the smaller radius to the larger.
void SampleBaseshapeSphereCapIIFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const ShellPiece sp = ShellPieceOf(point, u1, u2);
    const float f = RandomUniform(rs);
    const float s = point->size;
    const float rho = s <= sp.inner ? s * (1.0f - f) + f * sp.inner : s * f + (1.0f - f) * sp.inner;
    ShellPoint(point, sp.theta, sp.c, sp.s, rho);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}
