#include "baseshapes/samplers_contour_rings.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

enum class Contour { kCylinder, kCircle, kBox };

// Every ring is picked with the same chance whatever its length, so short
// rings are denser.
template <Contour Shape, bool Filled>
inline void ContourRing(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const uint32_t rings = Shape == Contour::kCylinder ? 11u : 19u;
    const float k = static_cast<float>(RandomStep(rs) % rings);
    float tube = point->p[0];
    if (Filled) tube *= FilledFalloff(RandomUniform(rs));
    const float beta = u1 * kTwoPi;
    const float alpha = u2 * kTwoPi + kPi;
    const float h = Shape == Contour::kCylinder ? k * 0.2f - 1.0f : k * 0.1f - 0.9f;
    float r = 1.0f;
    if (Shape == Contour::kCircle) r = std::cos(std::asin(h));
    if (Shape == Contour::kBox) r = std::tanh(5.0f * std::cos(std::asin(h)));
    const float s = point->size;
    const float big_r = (r + tube * std::cos(alpha)) * s;
    const float cb = std::cos(beta);
    const float sb = std::sin(beta);
    if (Shape == Contour::kBox) {
        point->x = std::tanh(5.0f * cb) * big_r;
        point->z = std::tanh(5.0f * sb) * big_r;
    } else {
        point->x = cb * big_r;
        point->z = sb * big_r;
    }
    point->y = (tube * std::sin(alpha) + h) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeContourCylinder(BaseshapePoint* point, uint8_t slot)
{
    ContourRing<Contour::kCylinder, false>(point, slot);
}
void SampleBaseshapeContourCylinderFilled(BaseshapePoint* point, uint8_t slot)
{
    ContourRing<Contour::kCylinder, true>(point, slot);
}
void SampleBaseshapeContourCircle(BaseshapePoint* point, uint8_t slot)
{
    ContourRing<Contour::kCircle, false>(point, slot);
}
void SampleBaseshapeContourCircleFilled(BaseshapePoint* point, uint8_t slot)
{
    ContourRing<Contour::kCircle, true>(point, slot);
}
void SampleBaseshapeContourBox(BaseshapePoint* point, uint8_t slot) { ContourRing<Contour::kBox, false>(point, slot); }
void SampleBaseshapeContourBoxFilled(BaseshapePoint* point, uint8_t slot)
{
    ContourRing<Contour::kBox, true>(point, slot);
}
