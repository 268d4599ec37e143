#include "baseshapes/samplers_columns_temples.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/samplers_rounded_block.h"
#include "baseshapes/samplers_sphere_tori.h"

namespace {

// A round shaft whose axis winds ten times on a small helix over the height
// [-s/2, s/2].
void ColumnI(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float f = filled ? FilledFalloff(RandomUniform(rs)) : 1.0f;
    const float theta = kTwoPi * u1;
    const float h = kTwoPi * u2 - kPi;
    const float k = point->size * 0.15915494f;
    const double x = 0.05 * std::sin(10.0f * h) + 0.5 * std::sin(theta);
    const double z = 0.05 * std::cos(10.0f * h) + 0.5 * std::cos(theta);
    point->x = static_cast<float>(x * k) * f;
    point->z = static_cast<float>(z * k) * f;
    point->y = h * k;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// The outer flute profile at unit radius.
inline void OuterFlute(float theta, float& x, float& z)
{
    x = std::sin(theta) + 0.05f * std::cos(16.0f * theta);
    z = std::cos(theta) + 0.05f * std::sin(16.0f * theta);
}

// A hollow fluted shaft s high, outer radius s/10, inner s/20, with annular
// end faces; built at unit scale.
void ColumnII(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const float theta = static_cast<float>(RandomStep(rs)) * 1.4629181e-9f;
    float x, y, z;
    if (filled) {
        y = RandomUniform(rs) - 0.5f;
        OuterFlute(theta, x, z);
        const float q = 0.5f + 0.5f * RandomUniform(rs);
        x *= q;
        z *= q;
    } else if (RandomUniform(rs) <= 0.33f) {
        x = 0.5f * std::sin(theta) + 0.025f * std::cos(16.0f * theta);
        z = 0.5f * std::cos(theta) + 0.025f * std::sin(16.0f * theta);
        y = RandomUniform(rs) - 0.5f;
    } else {
        OuterFlute(theta, x, z);
        float level;
        if (RandomUniform(rs) > 0.25f) {
            level = 0.25f + 0.5f * RandomUniform(rs);
        } else {
            const bool top = RandomStep(rs) > 0x80000000u;
            level = 0.25f * RandomUniform(rs) + (top ? 0.75f : 0.0f);
        }
        const float Y = 2.0f * level - 1.0f;
        y = Y;
        if (0.5f * std::fabs(Y) > 0.25f) {
            const float q = 0.5f + 0.5f * RandomUniform(rs);
            x *= q;
            z *= q;
            y = Y < 0.0f ? -0.5f : 0.5f;
        }
    }
    const double s = point->size;
    point->x = static_cast<float>(0.1 * s * x);
    point->z = static_cast<float>(0.1 * s * z);
    point->y = static_cast<float>(s * y);
}

// A twisted square shaft: the rounded block turned by 10 radians per unit
// of its height, half-width s/8 and height 2s.
void ColumnIII(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    float b[3];
    RoundedBlockPoint<RoundedBlockForm::kColumn>(rs, 0.85f, b);
    float r = std::sqrt(b[0] * b[0] + b[2] * b[2]);
    if (filled) r *= FilledFalloff(RandomUniform(rs));
    const float phi = std::atan2(b[2], b[0]) - (10.0f * b[1] + 62.831856f);
    const float s = point->size;
    point->x = std::sin(phi) * r * s * 0.125f;
    point->z = std::cos(phi) * r * s * 0.125f;
    point->y = s * b[1];
}

inline float CornerOffset(RandomState& rs, float offset) { return RandomStep(rs) > 0x80000000u ? offset : -offset; }

// A quarter each to the four columns, the two rings and the central body.
void TempleI(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const uint32_t part = RandomStep(rs) % 4u;
    const float s = point->size;
    BaseshapePoint local{};
    if (part == 0) {
        local.size = 0.85f;
        const float cx = CornerOffset(rs, 0.7f);
        const float cz = CornerOffset(rs, 0.7f);
        (filled ? SampleBaseshapeColumnIIIFilled : SampleBaseshapeColumnIII)(&local, slot);
        point->x = (cx + local.z) * s;
        point->z = (cz + local.x) * s;
        point->y = 1.2f * local.y * s;
    } else if (part == 1) {
        local.size = 1.0f;
        local.p[0] = 0.2f;
        (filled ? SampleBaseshapeTorusIFilled : SampleBaseshapeTorusI)(&local, slot);
        point->x = local.y * s;
        point->z = local.x * s;
        point->y = static_cast<float>((1.0 + 0.35 * local.z) * s);
    } else if (part == 2) {
        local.size = 1.0f;
        local.p[0] = 0.25f;
        (filled ? SampleBaseshapeTorusIIFilled : SampleBaseshapeTorusII)(&local, slot);
        point->x = local.y * s;
        point->z = local.x * s;
        point->y = (0.45f * local.z - 1.0f) * s;
    } else {
        // The central body, a solid of revolution drawn on its surface in
        // both twins: waist radius about 0.456 s, ends about 0.81 s.
        const float theta = static_cast<float>(RandomStep(rs)) * 2.9258362e-9f - kTwoPi;
        float g = 4.0f * RandomUniform(rs) - 2.0f;
        if (g > 1.0f) g = 2.0f - g;
        if (g < -1.0f) g = -2.0f - g;
        const float rho = static_cast<float>((0.125 * std::exp(std::fabs(g) + 0.5) + 0.25) * s);
        point->x = std::sin(theta) * rho;
        point->z = std::cos(theta) * rho;
        point->y = g * s;
    }
}

// 80 % to the four columns, 10 % to each ring.
void TempleII(BaseshapePoint* point, uint8_t slot, bool filled)
{
    RandomState& rs = SamplerRandom(slot);
    const double S = 1.6 * point->size;
    BaseshapePoint local{};
    if (static_cast<double>(RandomUniform(rs)) > 0.2) {
        local.size = 0.75f;
        (filled ? SampleBaseshapeColumnIIFilled : SampleBaseshapeColumnII)(&local, slot);
        const float cx = CornerOffset(rs, 0.35f);
        const float cz = CornerOffset(rs, 0.35f);
        point->x = static_cast<float>((cx + local.x) * S);
        point->z = static_cast<float>((cz + local.z) * S);
        point->y = static_cast<float>(1.3f * local.y * S);
        return;
    }
    double y;
    if (RandomStep(rs) <= 0x80000000u) {
        local.size = 0.71f;
        local.p[0] = 0.175f;
        (filled ? SampleBaseshapeTorusIIFilled : SampleBaseshapeTorusII)(&local, slot);
        y = 0.45f * local.z - 0.52f;
    } else {
        local.size = 0.7f;
        local.p[0] = 0.13f;
        (filled ? SampleBaseshapeTorusIFilled : SampleBaseshapeTorusI)(&local, slot);
        y = 0.35f * local.z + 0.52f;
    }
    point->x = static_cast<float>(local.y * S);
    point->z = static_cast<float>(local.x * S);
    point->y = static_cast<float>(y * S);
}

}  // namespace

void SampleBaseshapeColumnI(BaseshapePoint* point, uint8_t slot) { ColumnI(point, slot, false); }
void SampleBaseshapeColumnIFilled(BaseshapePoint* point, uint8_t slot) { ColumnI(point, slot, true); }
void SampleBaseshapeColumnII(BaseshapePoint* point, uint8_t slot) { ColumnII(point, slot, false); }
void SampleBaseshapeColumnIIFilled(BaseshapePoint* point, uint8_t slot) { ColumnII(point, slot, true); }
void SampleBaseshapeColumnIII(BaseshapePoint* point, uint8_t slot) { ColumnIII(point, slot, false); }
void SampleBaseshapeColumnIIIFilled(BaseshapePoint* point, uint8_t slot) { ColumnIII(point, slot, true); }
void SampleBaseshapeTempleI(BaseshapePoint* point, uint8_t slot) { TempleI(point, slot, false); }
void SampleBaseshapeTempleIFilled(BaseshapePoint* point, uint8_t slot) { TempleI(point, slot, true); }
void SampleBaseshapeTempleII(BaseshapePoint* point, uint8_t slot) { TempleII(point, slot, false); }
void SampleBaseshapeTempleIIFilled(BaseshapePoint* point, uint8_t slot) { TempleII(point, slot, true); }
