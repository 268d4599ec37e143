// Sections: [wizard hat] [distorted round box] [box structures] [tri circle]
#include "baseshapes/samplers_round_boxes.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/shape_profiles.h"

namespace {

// [wizard hat] -------------------------------------------------------------

// f scales the radius only: the filled hat is a shell from two thirds of the
// radius to the surface.
template <bool Filled>
inline void WizardHat(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = Filled ? 1.0f - (0.3333f - static_cast<float>(RandomStep(rs)) * 7.760245e-11f) : 1.0f;
    const float s = point->size;
    const float r = SumCosineOctaves(std::asin(0.5f * u2)) * f * s;
    const float theta = u1 * kTwoPi;
    point->x = std::sin(theta) * r;
    point->z = std::cos(theta) * r;
    const float drop = 0.5f * u2 - 0.5f;
    point->y = (drop * drop * 6.0f - 0.5f) * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// [distorted round box] ----------------------------------------------------

// The rounded box mirrored into all octants, then pushed out by L^3 * s / 4,
// so a point ends at L^4 * s / 4 from the centre.
template <bool Filled>
inline void DistortedRoundBox(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    float x, y, z;
    RoundedBoxPoint(rs, x, y, z);
    x = KeepOnCoin(rs, x);
    y = KeepOnCoin(rs, y);
    z = KeepOnCoin(rs, z);
    const float l2 = x * x + y * y + z * z;
    const float l = std::sqrt(l2);
    float f = l * l2 * point->size * 0.25f;
    if (Filled && RandomCoin(rs)) f *= FilledFalloff(RandomUniform(rs));
    point->x = x * f;
    point->y = y * f;
    point->z = z * f;
    ApplyBaseshapeColorTail(point, 0.5f, 0.5f * l, slot);
}

// [box structures] ---------------------------------------------------------

// Cell centres of width 0.25 across [-1, 1].
constexpr float kBlockOffsets[8] = {-0.875f, -0.625f, -0.375f, -0.125f, 0.125f, 0.375f, 0.625f, 0.875f};

// The rounded-box point, and for a filled twin one more word that pulls it
// towards the box centre.
template <bool Filled>
inline void StructureBox(RandomState& rs, float& x, float& y, float& z)
{
    RoundedBoxPoint(rs, x, y, z);
    if (Filled) {
        const float f = FilledFalloff(RandomUniform(rs));
        x *= f, y *= f, z *= f;
    }
}

// Moves a block coordinate to the frame's near or far edge by a coin.
inline float ToFrameEdge(RandomState& rs, float c) { return RandomCoin(rs) ? c + 0.875f : -c - 0.875f; }

// Six posts between a floor ring and a roof ring, half the blocks each.
template <bool Filled>
inline void Gazebo(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    float x, y, z;
    StructureBox<Filled>(rs, x, y, z);
    x = KeepOnCoin(rs, x);
    y = KeepOnCoin(rs, y);
    z = KeepOnCoin(rs, z);
    const bool post = RandomCoin(rs);
    const float step = post ? 1.0471976f : 0.34906584f;
    const float angle = static_cast<float>(RandomStep(rs) % (post ? 6u : 18u)) * step + x * 0.17453292f;
    const float r = z * 0.25f + 1.0f;
    x = std::sin(angle) * r;
    z = std::cos(angle) * r;
    if (post) {
        y = 2.0f * kBlockOffsets[(RandomStep(rs) & 3u) + 2u] + y * 0.25f;
    } else {
        y = RandomCoin(rs) ? y * 0.25f + 1.25f : y * 0.25f - 1.25f;
    }
    const float scale = point->size * 0.75f;
    point->x = x * scale;
    point->y = y * scale;
    point->z = z * scale;
}

// A cube frame: one block at each corner (a tenth of the points) and six
// along each edge.
template <bool Filled>
inline void Blocks(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    float x, y, z;
    StructureBox<Filled>(rs, x, y, z);
    x = KeepOnCoin(rs, x) * 0.125f;
    y = KeepOnCoin(rs, y) * 0.125f;
    z = KeepOnCoin(rs, z) * 0.125f;
    if (RandomUniform(rs) < 0.1f) {
        y = ToFrameEdge(rs, y);
        z = ToFrameEdge(rs, z);
        x = ToFrameEdge(rs, x);
    } else {
        const uint32_t edge = RandomStep(rs) % 3u;
        const float along = kBlockOffsets[RandomStep(rs) % 6u + 1u];
        if (edge == 0) {
            x += along;
            y = ToFrameEdge(rs, y);
            z = ToFrameEdge(rs, z);
        } else if (edge == 1) {
            z += along;
            y = ToFrameEdge(rs, y);
            x = ToFrameEdge(rs, x);
        } else {
            y += along;
            z = ToFrameEdge(rs, z);
            x = ToFrameEdge(rs, x);
        }
    }
    const float s = point->size;
    point->x = x * s;
    point->y = y * s;
    point->z = z * s;
}

// Thirty-six steps, 20 degrees and 0.1 size apart, winding twice round y.
template <bool Filled>
inline void CircularStairs(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    float x, y, z;
    StructureBox<Filled>(rs, x, y, z);
    // Which coordinates to negate (bits x, y, z) for each eighth of the word;
    // the top word rounds to an index of 8, which negates none.
    constexpr uint8_t kNegate[9] = {3, 1, 2, 4, 7, 5, 6, 0, 0};
    const uint8_t negate = kNegate[static_cast<int>(static_cast<float>(RandomStep(rs)) * 1.8626451e-9f)];
    if (negate & 4) x = -x;
    if (negate & 2) y = -y;
    if (negate & 1) z = -z;
    const float big_x = RandomCoin(rs) ? 2.0f * x + 2.0f : 2.0f * x - 2.0f;
    const float r = static_cast<float>(big_x * 0.1 + 1.0);
    const float a = static_cast<float>(2 * static_cast<int>(RandomStep(rs) % 36u) - 35);
    const float s = point->size;
    const float angle = (a + z) * 0.17453292f;
    point->x = std::sin(angle) * r * s;
    point->z = std::cos(angle) * r * s;
    point->y = static_cast<float>((a * 0.5 + y) * 0.1 * s);
}

// [tri circle] -------------------------------------------------------------

// A diamond-sectioned body bent round the z axis, three copies 120 degrees
// apart.
template <bool Filled>
inline void TriCircle(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float g = Filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float theta = u1 * kTwoPi;
    const float phi = (1.0f - u2) * kPi;
    const float q = std::sin(phi) * (1.0f - std::cos(phi)) * g;
    const float bx = std::asin(std::cos(theta)) * 0.31830987f * q;
    const float bz = std::asin(std::sin(theta)) * 0.31830987f * q;
    const float by = Filled ? std::cos(phi) * 0.99f * g : static_cast<float>(std::cos(phi) * 0.99);
    const float copy = static_cast<float>(RandomStep(rs) % 3u);
    const float rho = std::fabs(bx - 2.0f) + by * 0.75f;
    const float angle = copy * 2.0943952f + by * kHalfPi;
    const float f = point->size * 0.35f;
    point->x = std::sin(angle) * rho * f;
    point->y = std::cos(angle) * rho * f;
    point->z = bz * f;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

void SampleBaseshapeWizardHat(BaseshapePoint* point, uint8_t slot) { WizardHat<false>(point, slot); }
void SampleBaseshapeWizardHatFilled(BaseshapePoint* point, uint8_t slot) { WizardHat<true>(point, slot); }
void SampleBaseshapeDistortedRoundBox(BaseshapePoint* point, uint8_t slot) { DistortedRoundBox<false>(point, slot); }
void SampleBaseshapeDistortedRoundBoxFilled(BaseshapePoint* point, uint8_t slot)
{
    DistortedRoundBox<true>(point, slot);
}
void SampleBaseshapeGazebo(BaseshapePoint* point, uint8_t slot) { Gazebo<false>(point, slot); }
void SampleBaseshapeGazeboFilled(BaseshapePoint* point, uint8_t slot) { Gazebo<true>(point, slot); }
void SampleBaseshapeBlocks(BaseshapePoint* point, uint8_t slot) { Blocks<false>(point, slot); }
void SampleBaseshapeBlocksFilled(BaseshapePoint* point, uint8_t slot) { Blocks<true>(point, slot); }
void SampleBaseshapeCircularStairs(BaseshapePoint* point, uint8_t slot) { CircularStairs<false>(point, slot); }
void SampleBaseshapeCircularStairsFilled(BaseshapePoint* point, uint8_t slot) { CircularStairs<true>(point, slot); }
void SampleBaseshapeTriCircle(BaseshapePoint* point, uint8_t slot) { TriCircle<false>(point, slot); }
void SampleBaseshapeTriCircleFilled(BaseshapePoint* point, uint8_t slot) { TriCircle<true>(point, slot); }
