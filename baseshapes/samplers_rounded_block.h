// The rounded block shared by Column III and the Stair: the surface of a
// cube of half-size 1 whose edges and corners are rounded with radius 0.15
// about a core of half-size 0.85, drawn in the positive octant and
// mirrored. 75 % of the points go to faces, 23.75 % to edges, 1.25 % to
// corners.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/random.h"

enum class RoundedBlockForm {
    kColumn,  // selectors floor(n * u); a frame band on the y faces
    kStair,   // selectors word mod 3 and the low three bits; full faces
};

// Face, edge (n = 3) or mirror (n = 8) selector. The column's floor(n * u)
// of a draw that rounds to 1.0 would name a selector past the last one; it
// takes the last.
template <RoundedBlockForm Form>
inline uint32_t RoundedBlockSelector(RandomState& rs, uint32_t n)
{
    if constexpr (Form == RoundedBlockForm::kStair) {
        return n == 8 ? (RandomStep(rs) & 7u) : RandomStep(rs) % n;
    } else {
        const uint32_t k = static_cast<uint32_t>(static_cast<float>(n) * RandomUniform(rs));
        return k < n ? k : n - 1;
    }
}

// core: the centre of the rounded parts (0.85 on the surface; the Stair's
// filled twin pulls it in). Flat faces and positions along an edge keep 0.85.
template <RoundedBlockForm Form>
inline void RoundedBlockPoint(RandomState& rs, float core, float* out)
{
    constexpr float kCore = 0.85f;
    float x, y, z;
    if (RandomUniform(rs) < 0.75f) {
        const uint32_t face = RoundedBlockSelector<Form>(rs, 3);
        const uint32_t pWord = RandomStep(rs);
        const float p = static_cast<float>(pWord) * kRandomWordToFloat;
        const float q = RandomUniform(rs);
        if (face == 0) {
            z = 1.0f, x = kCore * p, y = kCore * q;
        } else if (face == 2) {
            x = 1.0f, z = kCore * p, y = kCore * q;
        } else if constexpr (Form == RoundedBlockForm::kStair) {
            y = 1.0f, z = kCore * p, x = kCore * q;
        } else {
            // A frame band: the centre of the end face stays open.
            const float band = kCore - 0.2f * q;
            const float along = kCore * RandomUniform(rs);
            y = 1.0f;
            if (pWord <= 0x80000000u) {
                x = band, z = along;
            } else {
                z = band, x = along;
            }
        }
    } else if (static_cast<double>(RandomUniform(rs)) < 0.95) {
        const uint32_t edge = RoundedBlockSelector<Form>(rs, 3);
        const float alpha = static_cast<float>(RandomStep(rs)) * 3.6572953e-10f;
        const float along = kCore * RandomUniform(rs);
        const float a = core + 0.15f * std::sin(alpha);
        const float b = core + 0.15f * std::cos(alpha);
        if (edge == 0) {
            x = a, z = b, y = along;
        } else if (edge == 1) {
            y = a, z = b, x = along;
        } else {
            y = a, x = b, z = along;
        }
    } else {
        const float alpha = 1.5707964f * RandomUniform(rs);
        const float c = RandomUniform(rs);
        const float rho = std::sqrt(std::fmax(0.0f, 1.0f - c * c));  // cos(asin c)
        x = core + 0.15f * rho * std::sin(alpha);
        y = kCore + 0.15f * c;
        z = core + 0.15f * rho * std::cos(alpha);
    }
    // Bit per negated axis, by mirror selector.
    constexpr uint8_t kNegate[8] = {6, 4, 2, 1, 7, 5, 3, 0};  // 1 x, 2 y, 4 z
    const uint8_t negate = kNegate[RoundedBlockSelector<Form>(rs, 8)];
    out[0] = (negate & 1) ? -x : x;
    out[1] = (negate & 2) ? -y : y;
    out[2] = (negate & 4) ? -z : z;
}
