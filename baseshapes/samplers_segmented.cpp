#include "baseshapes/samplers_segmented.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

enum class Segmented { kSphere, kBicone, kOctahedron };

// Parameters: 1 the bulge E, 2 the band frequency along y, 3 the lobe
// frequency about y. Only the horizontal extent bulges.
template <Segmented Shape, bool Filled>
void SampleSegmented(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float R = Filled ? RandomCubeRoot(slot) : 1.0f;
    const float E = point->p[0];
    const float lat = point->p[1];
    const float lon = point->p[2];
    const float a = u1 * kTwoPi;
    const float y0 = 2.0f * u2 - 1.0f;
    const float sR = point->size * R;
    const float sa = std::sin(a), ca = std::cos(a);

    if (Shape == Segmented::kSphere) {
        const double yl = y0 * lat, al = a * lon;
        const float fLat = static_cast<float>(1.0 + E * std::sqrt(std::fabs(std::cos(yl))));
        const float fLon = static_cast<float>(1.0 + E * std::sqrt(std::fabs(std::sin(al))));
        const float r = std::cos(std::asin(y0));
        point->x = sa * fLon * r * fLat * sR;
        point->y = y0 * sR;
        point->z = ca * fLon * r * fLat * sR;
    } else {
        const float fLat = static_cast<float>(1.0 + E * std::fabs(std::tanh(3.0 * std::cos(y0 * lat))));
        const float fLon = static_cast<float>(1.0 + E * std::fabs(std::tanh(3.0 * std::sin(a * lon))));
        const float q = std::asin(y0);
        const float cone = std::asin(std::cos(q));  // pi/2 at the waist, 0 at the apexes
        point->y = TriangleWave(std::sin(q)) * sR;
        if (Shape == Segmented::kBicone) {
            const float rho = fLat * cone * (fLon * 0.63661975f);
            point->x = sa * rho * sR;
            point->z = ca * rho * sR;
        } else {
            const float rho8 = fLat * cone * (fLon * 0.4052847f);  // 4 / pi^2
            point->x = std::asin(sa) * rho8 * sR;
            point->z = std::asin(ca) * rho8 * sR;
        }
    }
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

float RandomCubeRoot(uint8_t slot) { return std::pow(RandomUniform(SamplerRandom(slot)), 0.33333334f); }

void SampleBaseshapeSegmentedSphere(BaseshapePoint* point, uint8_t slot)
{
    SampleSegmented<Segmented::kSphere, false>(point, slot);
}
void SampleBaseshapeSegmentedSphereFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleSegmented<Segmented::kSphere, true>(point, slot);
}
void SampleBaseshapeSegmentedBicone(BaseshapePoint* point, uint8_t slot)
{
    SampleSegmented<Segmented::kBicone, false>(point, slot);
}
void SampleBaseshapeSegmentedBiconeFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleSegmented<Segmented::kBicone, true>(point, slot);
}
void SampleBaseshapeSegmentedOctahedron(BaseshapePoint* point, uint8_t slot)
{
    SampleSegmented<Segmented::kOctahedron, false>(point, slot);
}
void SampleBaseshapeSegmentedOctahedronFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleSegmented<Segmented::kOctahedron, true>(point, slot);
}
