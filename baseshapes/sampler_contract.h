// What every baseshape sampler shares: its random source, the texel lookups
// and colour tail, the displacement-map cell rule and the mesh triangle pick.
//
// Sections: [draws] [texels and colour tail] [displacement maps] [meshes]
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/baseshape_model.h"
#include "engine/random.h"

// [draws] ------------------------------------------------------------------

// The angles every sampler draws with, as single-precision constants.
inline constexpr float kTwoPi = 6.2831855f;
inline constexpr float kPi = 3.1415927f;
inline constexpr float kHalfPi = 1.5707964f;

// The slot's own generator; samplers step it inline through engine/random.h
// (RandomStep, RandomUniform, RandomCoin). Every sampler draws only from it,
// also the kinds that once shared the interface's generator across workers
// (41, 81, 84, 86, 87): a shared state drawn from several threads at once
// would be corrupted and would make runs irreproducible.
inline RandomState& SamplerRandom(uint8_t slot) { return gBaseshapeRandom[slot].State(); }

// asin(s) * 2/pi: turns a sine or cosine into a triangle wave in [-1, 1].
inline float TriangleWave(float s) { return std::asin(s) * 0.63661975f; }

// A shape parameter used as a count or index: truncated toward zero and
// clamped to [low, high] before the conversion, NaN giving low, so a hostile
// parameter never makes an out-of-range conversion, loop or index.
inline int ParameterToInt(float value, int low, int high)
{
    if (!(value >= static_cast<float>(low))) return low;
    if (value >= static_cast<float>(high)) return high;
    return static_cast<int>(value);
}

// Filled-twin radial factor 1 - w^4 of the basic solids: denser towards the
// surface, w = 0 on the surface itself.
inline float FilledFalloff(float w)
{
    const float w2 = w * w;
    return 1.0f - w2 * w2;
}

// Upper bound of a side count read from a parameter; far above any shape a
// user can tell apart, and keeps the sector angle a normal float.
inline constexpr int kMaxPolygonSides = 1 << 20;

// Distance from the centre to the boundary of a regular polygon of
// circumradius 1 with a vertex at angle 0, along the given angle:
// cos(pi/P) / cos(angle mod 2pi/P - pi/P). The angle is reduced into
// [0, 2pi/P) also when negative, so the divisor never falls below cos(pi/P);
// a non-finite angle gives 1. sides must be at least 3.
inline float PolygonRadius(int sides, float angle)
{
    const float halfSector = 3.1415927f / static_cast<float>(sides);
    const float sector = 2.0f * halfSector;
    float a = std::fmod(angle, sector);
    if (a < 0.0f) a += sector;
    const float c = std::cos(a - halfSector);
    return c > 0.0f ? std::cos(halfSector) / c : 1.0f;
}

// [texels and colour tail] -------------------------------------------------

// Texel lookups in the texture of the slot's baseshape; the result goes to
// the slot's gSlotTexelColor. A missing or empty texture leaves it unchanged.
// Column and row are clamped to the image, so u or v = 1.0 (a draw can round
// up to exactly 1) reads the last column or row.
void SampleBaseshapeTextureNearest(const float* u, const float* v, uint8_t slot);
void SampleBaseshapeTextureBilinear(const float* u, const float* v, uint8_t slot);

// The slot's baseshape texture, or null when the slot names no baseshape or
// the texture is missing or empty.
const BaseshapeImage* SlotTexture(uint8_t slot);

// Looks up (u, v) by the slot's colour mode and copies the texel colour into
// the point; mode 0 (or no texture) leaves the point's colour alone.
void ApplyTexelColor(BaseshapePoint* point, float u, float v, uint8_t slot);

// The colour tail of a texturable sampler, after x, y, z are written.
inline void ApplyBaseshapeColorTail(BaseshapePoint* point, float u, float v, uint8_t slot)
{
    if (gSlotColorMode[slot] != 0) ApplyTexelColor(point, u, v, slot);
}

// [displacement maps] ------------------------------------------------------

// One drawn cell of a displacement map and the bilinear height in it.
struct DisplacementCell {
    uint32_t col, row;    // the cell's texel
    uint32_t col1, row1;  // its neighbours (wrapped or next)
    float fx, fy;         // position inside the cell
    float height;         // 0..255
    float u, v;           // (col + fx) / W, (row + fy) / H: texture coordinates
    uint32_t mapWidth;    // the map's size; 0 by 0 when there is no map
    uint32_t mapHeight;
};

// Tries before a map full of holes gives up and returns a height of 0.
inline constexpr int kDisplacementTries = 64;

// Draws a cell of the slot's displacement map (columns first, then rows, then
// fx, fy), rejecting cells whose top and bottom heights are both 0. An axis
// that wraps takes w mod N with neighbour index + 1 (0 past the end); an axis
// with two ends is edge-weighted (an axis one texel long there gives index
// 0). A missing or empty map gives the cell (0, 0) at height 0 without
// drawing; an all-zero map gives the last try's cell at height 0. Without
// rejectHoles the first cell is kept whatever its height (one try).
DisplacementCell DrawDisplacementCell(uint8_t slot, bool wrapColumns, bool wrapRows, bool rejectHoles = true);

// [meshes] -----------------------------------------------------------------

// Draws a triangle (w mod the count) of the slot's baseshape mesh and
// returns its nine floats V0, V1, V2; null, without drawing, for a missing or
// empty mesh (the sampler then returns the origin).
const float* DrawMeshTriangle(uint8_t slot);
