#include "baseshapes/samplers_axial.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/samplers_tubes.h"

namespace {

enum class Axial { kSphere, kOctahedron, kBox };

// Ring of centre-line radius I (parameter 1) and tube radius T (parameter 2)
// in one of the three coordinate planes. A filled point lies on the chord of
// the section parallel to the ring's plane, the radial part scaled by the
// folded factor.
template <Axial Shape, bool Filled>
void SampleAxial(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float fold = Filled ? RandomFoldedTriangular(slot) : 1.0f;
    const uint32_t plane = RandomStep(rs) % 3;

    const float s = point->size;
    const float I = point->p[0];
    const float T = point->p[1];
    const float a = u1 * kTwoPi;
    const float b = u2 * kTwoPi + kPi;
    // The sphere's diamond section: 1 at its four vertices, cos(pi/4) on its sides.
    const float m = Shape == Axial::kSphere ? 0.70710677f / std::cos(std::fmod(b, 1.5707964f) - 0.7853982f) : 1.0f;
    const float rho = (fold * std::cos(b) * m * T + I) * s;
    const float h = std::sin(b) * T * m * s;

    float e1, e2;
    const float ca = std::cos(a), sa = std::sin(a);
    if (Shape == Axial::kBox) {
        e1 = static_cast<float>(std::tanh(static_cast<double>(3.0f * ca)) * rho);
        e2 = static_cast<float>(std::tanh(static_cast<double>(3.0f * sa)) * rho);
    } else if (Shape == Axial::kOctahedron) {
        e1 = TriangleWave(ca) * rho;
        e2 = TriangleWave(sa) * rho;
    } else {
        e1 = ca * rho;
        e2 = sa * rho;
    }
    if (plane == 0) {
        point->x = e1, point->y = e2, point->z = h;
    } else if (plane == 1) {
        point->y = e1, point->z = e2, point->x = h;
    } else {
        point->z = e1, point->x = e2, point->y = h;
    }
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeAxialSphere(BaseshapePoint* point, uint8_t slot)
{
    SampleAxial<Axial::kSphere, false>(point, slot);
}
void SampleBaseshapeAxialSphereFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleAxial<Axial::kSphere, true>(point, slot);
}
void SampleBaseshapeAxialOctahedron(BaseshapePoint* point, uint8_t slot)
{
    SampleAxial<Axial::kOctahedron, false>(point, slot);
}
void SampleBaseshapeAxialOctahedronFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleAxial<Axial::kOctahedron, true>(point, slot);
}
void SampleBaseshapeAxialBox(BaseshapePoint* point, uint8_t slot) { SampleAxial<Axial::kBox, false>(point, slot); }
void SampleBaseshapeAxialBoxFilled(BaseshapePoint* point, uint8_t slot) { SampleAxial<Axial::kBox, true>(point, slot); }
