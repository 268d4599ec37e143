#include "baseshapes/samplers_displacement.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

// Sections: [shared steps] [planes and disc] [columns and cylinders]
//           [sphere and torus] [entry points]

namespace {

constexpr float kInv255 = 0.003921569f;

// [shared steps] -----------------------------------------------------------

// How a filled twin scales the relief: by u0 or by 1 - u0^2.
enum class Interior { kLinear, kSquare };

// The filled twin's factor, drawn before the cell and only once per call
// (a rejected cell does not redraw it); 1 for the surface twin.
template <bool Filled, Interior I>
inline float InteriorFactor(RandomState& rs)
{
    if constexpr (!Filled) {
        return 1.0f;
    } else {
        const float u0 = RandomUniform(rs);
        return I == Interior::kLinear ? u0 : 1.0f - u0 * u0;
    }
}

// No map, no cell to place: the origin, the colour left alone.
inline bool PlacedAtOriginWithoutMap(const DisplacementCell& c, BaseshapePoint* p)
{
    if (c.mapWidth != 0) return false;
    p->x = p->y = p->z = 0.0f;
    return true;
}

// The sign coin: the relief goes inwards (or down) on the lower half.
inline float ReliefSign(RandomState& rs) { return RandomCoin(rs) ? 1.0f : -1.0f; }

// The quadrant draw: the map's width spans a quarter turn, so relief and
// texture repeat four times around the axis.
inline float QuadrantAngle(RandomState& rs, const DisplacementCell& c)
{
    const uint32_t q = RandomStep(rs) & 3u;
    return (static_cast<float>(q) + c.u) * kHalfPi;
}

// Cell position from -0.5 to 0.5 along the columns and the rows.
inline float CentredColumn(const DisplacementCell& c)
{
    return (static_cast<float>(c.col) + c.fx + 0.5f) / static_cast<float>(c.mapWidth) - 0.5f;
}
inline float CentredRow(const DisplacementCell& c)
{
    return (static_cast<float>(c.row) + c.fy + 0.5f) / static_cast<float>(c.mapHeight) - 0.5f;
}

// [planes and disc] --------------------------------------------------------

// Surface: three points in four lifted to the relief, the rest on the base
// plane. Filled: lifted by u0 of the relief.
template <bool Filled>
void DPlane(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = InteriorFactor<Filled, Interior::kLinear>(rs);
    const DisplacementCell c = DrawDisplacementCell(slot, false, false);
    if (PlacedAtOriginWithoutMap(c, p)) return;
    float relief = c.height * kInv255 * f;
    if constexpr (!Filled) {
        if (!(RandomUniform(rs) <= 0.75f)) relief = 0.0f;
    }
    const float s = p->size;
    p->x = CentredColumn(c) * s;
    p->y = CentredRow(c) * s;
    p->z = relief * s * p->p[0];
    ApplyBaseshapeColorTail(p, c.u, c.v, slot);
}

// Relief on both faces of the plane, by the sign coin.
template <bool Filled>
void DDPlane(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = InteriorFactor<Filled, Interior::kLinear>(rs);
    const DisplacementCell c = DrawDisplacementCell(slot, false, false);
    if (PlacedAtOriginWithoutMap(c, p)) return;
    const float sign = ReliefSign(rs);
    const float s = p->size;
    p->x = CentredColumn(c) * s;
    p->y = CentredRow(c) * s;
    p->z = s * f * p->p[0] * (sign * c.height * kInv255);
    ApplyBaseshapeColorTail(p, c.u, c.v, slot);
}

// A flat ring in y = 0 with the relief as height. The radial coordinate
// divides the row by the map's width, not its height, so on a map wider
// than high the ring is narrower than p2; kept as is, the look of existing
// disc baseshapes depends on it.
template <bool Filled>
void DDisc(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = InteriorFactor<Filled, Interior::kLinear>(rs);
    const DisplacementCell c = DrawDisplacementCell(slot, true, false);
    if (PlacedAtOriginWithoutMap(c, p)) return;
    const float sign = ReliefSign(rs);
    const float theta = QuadrantAngle(rs, c);
    const float s = p->size;
    const float r = p->p[1] + ((static_cast<float>(c.row) + c.fy) / static_cast<float>(c.mapWidth) - 0.5f) * p->p[2];
    p->x = std::sin(theta) * r * s;
    p->z = std::cos(theta) * r * s;
    p->y = f * p->p[0] * (sign * c.height * kInv255) * s;
    ApplyBaseshapeColorTail(p, c.u, c.v, slot);
}

// [columns and cylinders] --------------------------------------------------

// Relief outwards from a base radius p2; p1 is the height.
template <bool Filled>
void DColumn(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = InteriorFactor<Filled, Interior::kSquare>(rs);
    const DisplacementCell c = DrawDisplacementCell(slot, true, false);
    if (PlacedAtOriginWithoutMap(c, p)) return;
    const float theta = QuadrantAngle(rs, c);
    const float s = p->size;
    const float radius = (c.height * kInv255 * f * p->p[0] + p->p[2]) * s;
    p->x = std::sin(theta) * radius;
    p->z = std::cos(theta) * radius;
    p->y = CentredRow(c) * s * p->p[1];
    ApplyBaseshapeColorTail(p, c.u, c.v, slot);
}

// Relief on the outer or inner wall of radius p1 (sign coin); p2 is the
// height. The square twin stands the section on a corner: |x| + |z| is
// 0.9 * pi/2 * size * R'.
template <bool Filled, bool SquareSection>
void DCylinder(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = InteriorFactor<Filled, SquareSection ? Interior::kLinear : Interior::kSquare>(rs);
    const DisplacementCell c = DrawDisplacementCell(slot, true, false);
    if (PlacedAtOriginWithoutMap(c, p)) return;
    const float sign = ReliefSign(rs);
    const float theta = QuadrantAngle(rs, c);
    const float s = p->size;
    const float radius = p->p[1] + sign * c.height * kInv255 * f * p->p[0];
    if constexpr (SquareSection) {
        p->x = std::asin(std::sin(theta)) * 0.9f * s * radius;
        p->z = std::asin(std::cos(theta)) * 0.9f * s * radius;
    } else {
        p->x = std::sin(theta) * radius * s;
        p->z = std::cos(theta) * radius * s;
    }
    p->y = CentredRow(c) * s * p->p[2];
    ApplyBaseshapeColorTail(p, c.u, c.v, slot);
}

// A square column with sides on the axes, corners at R from the axis,
// standing on y = 0. A zero height is no hole here: the cell is kept and
// the point lies on the bare column.
template <bool Filled>
void DColumnSQ(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = InteriorFactor<Filled, Interior::kSquare>(rs);
    const DisplacementCell c = DrawDisplacementCell(slot, true, false, false);
    if (PlacedAtOriginWithoutMap(c, p)) return;
    const float theta = QuadrantAngle(rs, c);
    const float s = p->size;
    const float radius = (c.height * kInv255 * f * p->p[0] + p->p[2]) * s;
    // 0.45015812 * pi/2 = 1/sqrt(2): the diamond turned by 45 degrees.
    const float a = std::asin(std::cos(theta)) * 0.45015812f * radius;
    const float b = std::asin(std::sin(theta)) * 0.45015812f * radius;
    p->x = a + b;
    p->z = a - b;
    p->y = c.v * s * p->p[1];
    ApplyBaseshapeColorTail(p, c.u, c.v, slot);
}

// [sphere and torus] -------------------------------------------------------

// Both axes wrap: the map's columns run around the equator, its rows from
// pole to pole; the relief p0 is relative to the unit radius.
template <bool Filled>
void DSphere(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = InteriorFactor<Filled, Interior::kLinear>(rs);
    const DisplacementCell c = DrawDisplacementCell(slot, true, true);
    if (PlacedAtOriginWithoutMap(c, p)) return;
    const float lat = (c.v - 0.5f) * kPi;
    const float lon = c.u * kTwoPi;
    const float radius = (c.height * kInv255 * f * p->p[0] + 1.0f) * p->size;
    p->x = radius * std::cos(lat) * std::sin(lon);
    p->y = radius * std::sin(lat);
    p->z = radius * std::cos(lat) * std::cos(lon);
    ApplyBaseshapeColorTail(p, c.u, c.v, slot);
}

// Tube radius p0 swollen by the relief p1. The size enters the ring term
// twice (ring radius size * size), as in the other tori of this family.
template <bool Filled>
void BumpTorus(BaseshapePoint* p, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = InteriorFactor<Filled, Interior::kLinear>(rs);
    const DisplacementCell c = DrawDisplacementCell(slot, true, true);
    if (PlacedAtOriginWithoutMap(c, p)) return;
    const float a = c.v * kTwoPi + kPi;
    const float b = c.u * kTwoPi;
    const float d = 1.0f + c.height * kInv255 * f * p->p[1];
    const float s = p->size;
    const float ring = (std::cos(a) * p->p[0] * d + s) * s;
    p->y = std::sin(a) * p->p[0] * d * s;
    p->x = std::cos(b) * ring;
    p->z = std::sin(b) * ring;
    ApplyBaseshapeColorTail(p, c.u, c.v, slot);
}

}  // namespace

// [entry points] -----------------------------------------------------------

void SampleBaseshapeDPlane(BaseshapePoint* point, uint8_t slot) { DPlane<false>(point, slot); }
void SampleBaseshapeDPlaneFilled(BaseshapePoint* point, uint8_t slot) { DPlane<true>(point, slot); }
void SampleBaseshapeDDPlane(BaseshapePoint* point, uint8_t slot) { DDPlane<false>(point, slot); }
void SampleBaseshapeDDPlaneFilled(BaseshapePoint* point, uint8_t slot) { DDPlane<true>(point, slot); }
void SampleBaseshapeDColumn(BaseshapePoint* point, uint8_t slot) { DColumn<false>(point, slot); }
void SampleBaseshapeDColumnFilled(BaseshapePoint* point, uint8_t slot) { DColumn<true>(point, slot); }
void SampleBaseshapeDCylinder(BaseshapePoint* point, uint8_t slot) { DCylinder<false, false>(point, slot); }
void SampleBaseshapeDCylinderFilled(BaseshapePoint* point, uint8_t slot) { DCylinder<true, false>(point, slot); }
void SampleBaseshapeDDisc(BaseshapePoint* point, uint8_t slot) { DDisc<false>(point, slot); }
void SampleBaseshapeDDiscFilled(BaseshapePoint* point, uint8_t slot) { DDisc<true>(point, slot); }
void SampleBaseshapeDSphere(BaseshapePoint* point, uint8_t slot) { DSphere<false>(point, slot); }
void SampleBaseshapeDSphereFilled(BaseshapePoint* point, uint8_t slot) { DSphere<true>(point, slot); }
void SampleBaseshapeDCylinderSQ(BaseshapePoint* point, uint8_t slot) { DCylinder<false, true>(point, slot); }
void SampleBaseshapeDCylinderSQFilled(BaseshapePoint* point, uint8_t slot) { DCylinder<true, true>(point, slot); }
void SampleBaseshapeDColumnSQ(BaseshapePoint* point, uint8_t slot) { DColumnSQ<false>(point, slot); }
void SampleBaseshapeDColumnSQFilled(BaseshapePoint* point, uint8_t slot) { DColumnSQ<true>(point, slot); }
void SampleBaseshapeBumpTorus(BaseshapePoint* point, uint8_t slot) { BumpTorus<false>(point, slot); }
void SampleBaseshapeBumpTorusFilled(BaseshapePoint* point, uint8_t slot) { BumpTorus<true>(point, slot); }
