// Per-point modifiers of a baseshape, in the order of the "Modifier Type"
// list. They run in the baseshape's own frame before its matrix, read the
// strength of the slot's baseshape and draw from the slot's gSlotRandom.
#include <cmath>

#include "baseshapes/generator_table.h"
#include "baseshapes/sampler_contract.h"
#include "engine/random_helpers.h"

namespace {

constexpr float kEightPi = 25.132742f;
constexpr float kTwoOverPi = 0.63661975f;

float SlotModifierAmount(uint8_t slot)
{
    const int b = gSlotBaseshape[slot];
    return (b >= 0 && b < kMaxBaseshapes) ? gBaseshapeModifierAmount[b] : 0.0f;
}

// sgn(z) |z|^0.85 (1 + s): the vertical part shared by both roots.
float RootHeight(float z, float s)
{
    const float h = std::pow(std::fabs(z), 0.85f) * (1.0f + s);
    return z < 0.0f ? -h : h;
}

BaseshapePoint ApplyRoot1Modifier(BaseshapePoint p, uint8_t slot)
{
    const float s = SlotModifierAmount(slot);
    // rho^0.75 as the third square root of rho^6, in double precision so that
    // far points do not overflow to infinity.
    const double rho2 = static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y;
    float k = static_cast<float>(std::sqrt(std::sqrt(std::sqrt(rho2 * rho2 * rho2))));
    const float theta = std::atan2(p.y, p.x) * 0.5f;
    if (!SlotRandomBool(slot)) k = -k;
    p.x = k * std::cos(theta);
    p.y = k * std::sin(theta);
    p.z = RootHeight(p.z, s);
    return p;
}

BaseshapePoint ApplyRoot2Modifier(BaseshapePoint p, uint8_t slot)
{
    const float s = SlotModifierAmount(slot);
    const double rho2 = static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y;
    const float k = std::pow(static_cast<float>(rho2), 0.33333334f);
    // One of three branches of the cube root; the top words round to 2^32
    // and give 3, which joins branch 2.
    const float branch = std::trunc(static_cast<float>(SlotRandomU32(slot)) * 6.9849193e-10f);
    float theta = std::atan2(p.y, p.x) * 0.33333334f;
    if (branch == 0.0f) {
        theta -= 4.1887903f;
    } else if (branch == 1.0f) {
        theta -= 2.0943952f;
    }
    p.x = k * std::cos(theta);
    p.y = k * std::sin(theta);
    p.z = RootHeight(p.z, s);
    return p;
}

// The angles shared by "Spherical" and "Octahedral": a quarter of the polar
// angle in one of four bands, a fraction of the azimuth in one of its copies.
struct RootAngles {
    float radius, polar, azimuth;
};

RootAngles DrawRootAngles(const BaseshapePoint& p, uint8_t slot)
{
    const uint32_t k1 = SlotRandomU32(slot) & 3u;
    const uint32_t k2 = SlotRandomU32(slot) & 3u;
    const double r2 = static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y +
                      static_cast<double>(p.z) * p.z;
    const float rho = static_cast<float>(std::sqrt(static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y));
    const float phi = std::atan2(p.y, p.x);
    RootAngles a;
    a.radius = static_cast<float>(std::sqrt(std::sqrt(std::sqrt(r2)))) + SlotModifierAmount(slot);
    a.polar = std::atan2(rho, p.z) * 0.25f + static_cast<float>(k1) * (kPi * 0.25f);
    if (k1 == 1 || k1 == 2) {
        a.azimuth = phi * 0.25f + static_cast<float>(k2) * (kPi * 0.5f);
    } else {
        a.azimuth = phi * 0.5f + static_cast<float>(k2) * kPi;
    }
    return a;
}

BaseshapePoint ApplySphericalModifier(BaseshapePoint p, uint8_t slot)
{
    const RootAngles a = DrawRootAngles(p, slot);
    const float sp = std::sin(a.polar);
    p.x = a.radius * sp * std::cos(a.azimuth);
    p.y = a.radius * sp * std::sin(a.azimuth);
    p.z = a.radius * std::cos(a.polar);
    return p;
}

BaseshapePoint ApplyOctahedralModifier(BaseshapePoint p, uint8_t slot)
{
    const RootAngles a = DrawRootAngles(p, slot);
    // Triangle waves in place of sine and cosine put the points on an
    // octahedron instead of a sphere.
    const float tp = TriangleWave(std::sin(a.polar));
    p.x = tp * TriangleWave(std::cos(a.azimuth)) * a.radius;
    p.y = tp * TriangleWave(std::sin(a.azimuth)) * a.radius;
    p.z = TriangleWave(std::cos(a.polar)) * a.radius;
    return p;
}

// Turns the pair (a, b) by the angle: a' = a cos + b sin, b' = b cos - a sin.
void Turn(float& a, float& b, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const float turned = a * c + b * s;
    b = b * c - a * s;
    a = turned;
}

void Scale(BaseshapePoint& p, float factor)
{
    p.x *= factor;
    p.y *= factor;
    p.z *= factor;
}

}  // namespace

BaseshapePoint ApplyBaseshapeModifier(BaseshapePoint p, int32_t mode, uint8_t slot)
{
    switch (mode) {
    case 1: {  // "Waves I"
        const float r = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        Scale(p, 1.0f - std::sin(2.0f * kTwoPi * r) * 0.125f * SlotModifierAmount(slot));
        return p;
    }
    case 2: {  // "Waves II": a triangle wave of the same amplitude
        const float r = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        Scale(p, 1.0f - std::asin(std::sin(2.0f * kTwoPi * r)) * 0.07957747f * SlotModifierAmount(slot));
        return p;
    }
    case 3:  // "Twist XZ"
        Turn(p.x, p.z, p.y * kTwoPi * SlotModifierAmount(slot));
        return p;
    case 4:  // "Twist XY"
        Turn(p.x, p.y, p.z * kTwoPi * SlotModifierAmount(slot));
        return p;
    case 5: {  // "Box I"
        const float k = SlotModifierAmount(slot) * 0.1f;
        p.x += std::sin(kEightPi * p.x) * k;
        p.y += std::sin(kEightPi * p.y) * k;
        p.z += std::sin(kEightPi * p.z) * k;
        return p;
    }
    case 6: {  // "Box II"
        const float k = kTwoOverPi * SlotModifierAmount(slot) * 0.1f;
        p.x += std::asin(std::sin(kEightPi * p.x)) * k;
        p.y += std::asin(std::sin(kEightPi * p.y)) * k;
        p.z += std::asin(std::sin(kEightPi * p.z)) * k;
        return p;
    }
    case 7: {  // "Gyroid"
        const float x = kEightPi * p.x, y = kEightPi * p.y, z = kEightPi * p.z;
        const float g = std::cos(x) * std::sin(y) + std::cos(y) * std::sin(z) + std::cos(z) * std::sin(x);
        Scale(p, 1.0f - g * SlotModifierAmount(slot) * 0.1f);
        return p;
    }
    case 8: return ApplyRoot1Modifier(p, slot);
    case 9: return ApplyRoot2Modifier(p, slot);
    case 10: return ApplySphericalModifier(p, slot);
    case 11: return ApplyOctahedralModifier(p, slot);
    default: return p;  // "None" and unknown modes
    }
}
