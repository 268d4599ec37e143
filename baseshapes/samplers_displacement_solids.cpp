// Each sampler draws a cell of the displacement map (DrawDisplacementCell:
// bilinear height, holes rejected, height 0 for a map of holes only) and
// pushes the shape's point by it; the filled twins draw their interior
// factor first and scale only the relief by it, so the bare shape stays.
//
// Sections: [shared] [prism, arc and wall] [dome] [octahedron and cube]
#include "baseshapes/samplers_displacement_solids.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/sampler_finite_point.h"
#include "baseshapes/samplers_polygons.h"

namespace {

constexpr float kInv255 = 0.003921569f;

// [shared] -----------------------------------------------------------------

inline const BaseshapeImage* SlotDisplacementMap(uint8_t slot)
{
    const int b = gSlotBaseshape[slot];
    if (b < 0 || b >= kMaxBaseshapes) return nullptr;
    const BaseshapeImage& map = gBaseshapeDMaps[b];
    return map.pixels && map.width != 0 && map.height != 0 ? &map : nullptr;
}

// Without a map the shape is drawn bare (height 0) over uniform (u, v), one
// draw each, so a baseshape whose map is not loaded still shows its shape.
inline DisplacementCell DrawCell(uint8_t slot, RandomState& rs, bool wrapRows)
{
    if (SlotDisplacementMap(slot)) return DrawDisplacementCell(slot, true, wrapRows);
    DisplacementCell cell{};
    cell.u = cell.fx = RandomUniform(rs);
    cell.v = cell.fy = RandomUniform(rs);
    return cell;
}

// The cell's position across the map's rows, centred on 0:
// (row + fy + 0.5) / H - 0.5; v - 0.5 when drawn bare.
inline float RowPosition(const DisplacementCell& cell, uint8_t slot)
{
    const BaseshapeImage* map = SlotDisplacementMap(slot);
    if (!map) return cell.v - 0.5f;
    return (static_cast<float>(cell.row) + cell.fy + 0.5f) / static_cast<float>(map->height) - 0.5f;
}

// Places the point from the drawn cell; f scales the relief (1 on the surface).
using PlaceFn = void (*)(BaseshapePoint*, RandomState&, const DisplacementCell&, float f, uint8_t slot);

template <PlaceFn Place, bool WrapRows>
inline void SampleSurface(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const DisplacementCell cell = DrawCell(slot, rs, WrapRows);
    Place(point, rs, cell, 1.0f, slot);
    ApplyBaseshapeColorTail(point, cell.u, cell.v, slot);
}

// u0 comes before the cell and is not redrawn when a cell is rejected.
template <PlaceFn Place, bool WrapRows>
inline void SampleFilled(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float f = FilledFalloff(RandomUniform(rs));
    const DisplacementCell cell = DrawCell(slot, rs, WrapRows);
    Place(point, rs, cell, f, slot);
    ApplyBaseshapeColorTail(point, cell.u, cell.v, slot);
}

// [prism, arc and wall] ----------------------------------------------------

// One copy of the map per side of a regular prism; a coin sinks the relief
// into the side or raises it out of it.
void PrismPoint(BaseshapePoint* point, RandomState& rs, const DisplacementCell& cell, float f, uint8_t slot)
{
    const float* p = point->p;
    const float s = point->size;
    const int sides = ParameterToInt(p[2], 3, kMaxPolygonSides);
    const float d = cell.height * kInv255 * p[0] * f;
    const float r = (RandomCoin(rs) ? p[1] + d : p[1] - d) * s;
    const uint32_t m = RandomStep(rs) % static_cast<uint32_t>(sides);
    const float k = 4.0f / static_cast<float>(sides);
    const float q = (static_cast<float>(m) + cell.u) * kHalfPi * k;
    const float rr = r * PolygonRadius(sides, q);
    StoreFinitePoint(point, std::sin(q) * rr, RowPosition(cell, slot) * s * k * p[3], std::cos(q) * rr);
}

// Relief on either face of a flat piece: the sign is a coin.
inline float FaceRelief(RandomState& rs, const DisplacementCell& cell, float depth, float size, float f)
{
    const float z = cell.height * kInv255 * depth * size * f;
    return RandomCoin(rs) ? z : -z;
}

// An annular arc in the x-y plane, N copies of the map along it.
void ArcPoint(BaseshapePoint* point, RandomState& rs, const DisplacementCell& cell, float f, uint8_t slot)
{
    const float* p = point->p;
    const float s = point->size;
    const int copies = ParameterToInt(p[2], 3, kMaxPolygonSides);
    const uint32_t m = RandomStep(rs) % static_cast<uint32_t>(copies);
    const float k = 4.0f / static_cast<float>(copies);
    const float r = (RowPosition(cell, slot) * p[3] * k + p[1]) * s;
    const float q = (static_cast<float>(m) + cell.u) * kHalfPi * k * p[4] - kHalfPi;
    const float z = FaceRelief(rs, cell, p[0], s, f);
    StoreFinitePoint(point, std::sin(q) * r, std::cos(q) * r, z);
}

// A wall in the x-y plane, N copies of the map side by side across
// [-pi/2, pi/2] times the length.
void WallPoint(BaseshapePoint* point, RandomState& rs, const DisplacementCell& cell, float f, uint8_t slot)
{
    const float* p = point->p;
    const float s = point->size;
    const int copies = ParameterToInt(p[2], 1, kMaxPolygonSides);
    const uint32_t m = RandomStep(rs) % static_cast<uint32_t>(copies);
    const float k = 4.0f / static_cast<float>(copies);
    const float x = ((static_cast<float>(m) + cell.u) * 0.7853982f * k - kHalfPi) * p[1] * s;
    const float y = RowPosition(cell, slot) * p[3] * s * k;
    StoreFinitePoint(point, x, y, FaceRelief(rs, cell, p[0], s, f));
}

// [dome] -------------------------------------------------------------------

// A spherical cap from the top pole down p0 quarter turns, spanning p1 of a
// turn with N copies of the map around.
void DomePoint(BaseshapePoint* point, RandomState& rs, const DisplacementCell& cell, float f, uint8_t)
{
    const float* p = point->p;
    const int copies = ParameterToInt(p[3], 1, kMaxPolygonSides);
    const uint32_t m = RandomStep(rs) % static_cast<uint32_t>(copies);
    const float r = (1.0f + cell.height * kInv255 * p[2] * f) * point->size;
    const float a = kHalfPi - (1.0f - cell.v) * p[0] * kHalfPi;
    const float b = (static_cast<float>(m) + cell.u) * (kTwoPi / static_cast<float>(copies)) * p[1] - kHalfPi;
    const float ring = std::cos(a) * r;
    StoreFinitePoint(point, std::sin(b) * ring, std::sin(a) * r, std::cos(b) * ring);
}

// [octahedron and cube] ----------------------------------------------------

// The sphere's angles turned into triangle waves: |x| + |y| + |z| = radius.
void OctahedronPoint(BaseshapePoint* point, RandomState&, const DisplacementCell& cell, float f, uint8_t)
{
    const float r = (1.0f + cell.height * kInv255 * point->p[0] * f) * point->size;
    const float a = (cell.v - 0.5f) * kPi;
    const float b = kTwoPi * cell.u;
    const float ring = TriangleWave(std::cos(a)) * r;
    StoreFinitePoint(point, TriangleWave(std::sin(b)) * ring, TriangleWave(std::sin(a)) * r,
                     TriangleWave(std::cos(b)) * ring);
}

// The sphere squashed toward a cube by tanh of three times its direction.
void CubePoint(BaseshapePoint* point, RandomState&, const DisplacementCell& cell, float f, uint8_t)
{
    const float r = (cell.height * kInv255 * point->p[0] * f + 1.0f) * point->size;
    const float a = (cell.v - 0.5f) * kPi;
    const float b = kTwoPi * cell.u;
    const float ring = std::tanh(3.0f * std::cos(a)) * r;
    StoreFinitePoint(point, std::tanh(3.0f * std::sin(b)) * ring, std::tanh(3.0f * std::sin(a)) * r,
                     std::tanh(3.0f * std::cos(b)) * ring);
}

}  // namespace

// The prism, arc and wall have two ends along the map's rows (edge-weighted
// rows); the dome, octahedron and cube wrap both ways.
void SampleBaseshapeDCylinderPol(BaseshapePoint* point, uint8_t slot) { SampleSurface<PrismPoint, false>(point, slot); }
void SampleBaseshapeDCylinderPolFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<PrismPoint, false>(point, slot);
}
void SampleBaseshapeDDome(BaseshapePoint* point, uint8_t slot) { SampleSurface<DomePoint, true>(point, slot); }
void SampleBaseshapeDDomeFilled(BaseshapePoint* point, uint8_t slot) { SampleFilled<DomePoint, true>(point, slot); }
void SampleBaseshapeDArc(BaseshapePoint* point, uint8_t slot) { SampleSurface<ArcPoint, false>(point, slot); }
void SampleBaseshapeDArcFilled(BaseshapePoint* point, uint8_t slot) { SampleFilled<ArcPoint, false>(point, slot); }
void SampleBaseshapeDWall(BaseshapePoint* point, uint8_t slot) { SampleSurface<WallPoint, false>(point, slot); }
void SampleBaseshapeDWallFilled(BaseshapePoint* point, uint8_t slot) { SampleFilled<WallPoint, false>(point, slot); }
void SampleBaseshapeDOctahedron(BaseshapePoint* point, uint8_t slot)
{
    SampleSurface<OctahedronPoint, true>(point, slot);
}
void SampleBaseshapeDOctahedronFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleFilled<OctahedronPoint, true>(point, slot);
}
void SampleBaseshapeDCube(BaseshapePoint* point, uint8_t slot) { SampleSurface<CubePoint, true>(point, slot); }
void SampleBaseshapeDCubeFilled(BaseshapePoint* point, uint8_t slot) { SampleFilled<CubePoint, true>(point, slot); }
