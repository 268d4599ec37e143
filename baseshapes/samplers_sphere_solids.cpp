#include "baseshapes/samplers_sphere_solids.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

constexpr double kGolden = 1.618033988749895;

// Six axes of the icosahedron's symmetry (not normalised): cosine waves along
// them add up to the dodecahedral patterns.
constexpr double kIcosahedralAxes[6][3] = {
    {-kGolden, 0, 1}, {kGolden, 0, 1}, {0, 1, -kGolden}, {0, 1, kGolden}, {1, -kGolden, 0}, {1, kGolden, 0},
};

// q = (3 - sum) / 2 passes at 0.75 and below: a sum of 1.5 or more, less a
// margin far wider than the rounding of six cosines and the cast to float.
constexpr double kDodecahedralSumNeeded = 1.5 - 1e-6;

struct Direction {
    float x, y, z;
};

// Point of the unit sphere at longitude 2 pi u1 about y and height 2 u2 - 1.
Direction SphereDirection(float u1, float u2)
{
    const float phi = kTwoPi * u1;
    const float t = 2.0f * u2 - 1.0f;
    const float c = std::cos(std::asin(t));
    return {c * std::sin(phi), t, c * std::cos(phi)};
}

double Projection(const double* e, Direction d) { return e[0] * d.x + e[1] * d.y + e[2] * d.z; }

template <bool Filled>
void SampleLensT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = Filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float phi = kTwoPi * u1;
    const float h = 1.0f - 0.5f * u2;  // the cap above height 0.5, even in area
    const float c = std::cos(std::asin(h));
    const float s = point->size * f;
    point->x = s * c * std::sin(phi);
    point->y = s * (h - 0.5f);
    point->z = s * c * std::cos(phi);
    if (RandomCoin(rs)) point->y = -point->y;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The radius is a sum of triangle waves along the six axes; it can go
// negative, which puts the point on the far side of the centre.
template <bool Filled>
void SampleCrystalCoreT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    Direction d = SphereDirection(u1, u2);
    if (Filled) {
        const float f = FilledFalloff(RandomUniform(rs));
        d = {d.x * f, d.y * f, d.z * f};
    }
    const double k = kTwoPi * point->p[0];
    float sum = 0.0f;
    for (const double* e : kIcosahedralAxes) {
        sum += std::asin(std::cos(static_cast<float>(k * Projection(e, d))));
    }
    const float r = (0.5f - 0.15915494f * sum + 0.25f) * point->size;
    point->x = r * d.x;
    point->y = r * d.y;
    point->z = r * d.z;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// A sphere stretched along y by a rippled factor that is never below 1.
template <bool Filled>
void SampleLampT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size * (Filled ? FilledFalloff(RandomUniform(rs)) : 1.0f);
    const Direction d = SphereDirection(u1, u2);
    point->x = s * d.x;
    point->z = s * d.z;
    point->y = s * d.y * (1.0f + std::fabs(point->p[1] * std::cos(kTwoPi * point->p[0] * d.y)));
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// A thin leaf of p1 lobes curving downwards: a shallow inner sheet and a
// deeper outer one meeting along the rim.
template <bool Filled>
void SampleLeafT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float phi = kTwoPi * u1;
    const float t = 2.0f * u2 - 1.0f;
    const float S = std::sin(point->p[0] * phi);
    const float C = std::cos(point->p[0] * phi);
    const float lobes =
        static_cast<float>(static_cast<double>(3.0f - std::sqrt(std::fabs(C)) + S) + static_cast<double>(S) * S * S);
    const float g = lobes * std::asin(std::cos(std::asin(t))) * 0.63661975f;
    const float s = point->size;
    point->x = 0.375f * s * g * std::sin(phi);
    point->z = 0.375f * s * g * std::cos(phi);
    if (Filled) {
        point->y = -std::fabs(t) * (0.28125f + 0.09375f * RandomUniform(rs)) * s;
    } else {
        point->y = t > 0.0f ? -0.28125f * s * t : 0.375f * s * t;
    }
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Islands of the sphere where a sum of six cosine waves is large, each closed
// by an outer and an inner sheet meeting on its border at 1.03125 s. The
// directions are drawn by rejection, at most kDodecahedralSurfaceTries times;
// after that the point stays on the sphere of radius s.
template <bool Filled>
void SampleDodecahedralSurfaceT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float k = point->p[0] > 0.0f ? point->p[0] + 3.5f : 3.5f;
    float u1 = 0.0f, q = 0.0f;
    Direction d{};
    bool found = false;
    for (int i = 0; i < kDodecahedralSurfaceTries && !found; ++i) {
        u1 = RandomUniform(rs);
        d = SphereDirection(u1, RandomUniform(rs));
        const Direction X{k * d.x, k * d.y, k * d.z};
        // A try whose waves still to come cannot lift the sum to the
        // threshold is given up early; the last try is summed whole, since
        // its q colours the point when no try passes.
        const bool last = i == kDodecahedralSurfaceTries - 1;
        double sum = 0.0;
        int axis = 0;
        for (; axis < 6; ++axis) {
            sum += std::cos(Projection(kIcosahedralAxes[axis], X));
            if (!last && sum + (5 - axis) < kDodecahedralSumNeeded) break;
        }
        if (axis < 6) continue;
        q = static_cast<float>(((2.0 - sum) + 1.0) * 0.5);
        found = q <= 0.75f;  // a NaN never passes
    }
    const float s = point->size;
    float r = s;
    if (found) {
        float h = 0.5f * (1.0f - q) * (1.0f - q);
        if (Filled) h *= RandomUniform(rs);
        r = RandomCoin(rs) ? (1.0f + h) * s : (1.0625f - h) * s;
    }
    point->x = r * d.x;
    point->y = r * d.y;
    point->z = r * d.z;
    ApplyBaseshapeColorTail(point, u1, q > 1.0f ? 1.0f : (q < 0.0f ? 0.0f : q), slot);
}

// A sphere whose girth swells and pinches with the polar angle.
template <bool Filled>
void SampleStrangeSphereT(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float phi = kTwoPi * u1;
    const float theta = kPi * (1.0f - u2);
    const float m = static_cast<float>(std::tanh(3.0 * std::cos(static_cast<double>(point->p[0]) * theta)));
    float rho = (1.0f - m) * std::sin(theta);
    if (Filled) rho *= std::sqrt(RandomUniform(rs));
    const float s = point->size;
    point->x = 0.5f * s * rho * std::cos(phi);
    point->y = s * std::cos(theta);
    point->z = 0.5f * s * rho * std::sin(phi);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeLens(BaseshapePoint* point, uint8_t slot) { SampleLensT<false>(point, slot); }
void SampleBaseshapeLensFilled(BaseshapePoint* point, uint8_t slot) { SampleLensT<true>(point, slot); }
void SampleBaseshapeCrystalCore(BaseshapePoint* point, uint8_t slot) { SampleCrystalCoreT<false>(point, slot); }
void SampleBaseshapeCrystalCoreFilled(BaseshapePoint* point, uint8_t slot) { SampleCrystalCoreT<true>(point, slot); }
void SampleBaseshapeLamp(BaseshapePoint* point, uint8_t slot) { SampleLampT<false>(point, slot); }
void SampleBaseshapeLampFilled(BaseshapePoint* point, uint8_t slot) { SampleLampT<true>(point, slot); }
void SampleBaseshapeLeaf(BaseshapePoint* point, uint8_t slot) { SampleLeafT<false>(point, slot); }
void SampleBaseshapeLeafFilled(BaseshapePoint* point, uint8_t slot) { SampleLeafT<true>(point, slot); }
void SampleBaseshapeDodecahedralSurface(BaseshapePoint* point, uint8_t slot)
{
    SampleDodecahedralSurfaceT<false>(point, slot);
}
void SampleBaseshapeDodecahedralSurfaceFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleDodecahedralSurfaceT<true>(point, slot);
}
void SampleBaseshapeStrangeSphere(BaseshapePoint* point, uint8_t slot) { SampleStrangeSphereT<false>(point, slot); }
void SampleBaseshapeStrangeSphereFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleStrangeSphereT<true>(point, slot);
}
