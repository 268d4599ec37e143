#include "baseshapes/samplers_profile_rings.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"
#include "baseshapes/samplers_sphere_tori.h"
#include "baseshapes/shape_profiles.h"



void SampleBaseshapeTriangularBicorn(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size;
    const float width = point->p[0];
    const float height = point->p[1];
    const float theta = u1 * kTwoPi;
    const float phi = u2 * kTwoPi - kPi;
    const double sp = std::sin(phi);
    const double cp = std::cos(phi);
    const float r = static_cast<float>(s * (width - height * cp * cp * (cp + 2.0) / (sp * sp + 3.0)));
    point->x = TriangleCos(theta) * r;
    point->z = TriangleSin(theta) * r;
    point->y = static_cast<float>(s * sp * height);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeHexagons193(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const uint32_t tube = RandomStep(rs) % 6u;
    const float s = point->size;
    const float t = point->p[0];
    const float theta = u1 * kTwoPi;
    const float alpha = u2 * kTwoPi + kPi;
    const double h = HexagonFactor(theta);
    const float rho = static_cast<float>(0.5 * tube + 0.15);
    const float r = (0.5f * t * std::cos(alpha) + rho) * s;
    point->x = static_cast<float>(std::cos(static_cast<double>(theta)) * h * r);
    point->z = static_cast<float>(std::sin(static_cast<double>(theta)) * h * r);
    point->y = std::sin(alpha) * t * (0.5f * s);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

void SampleBaseshapeRings(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const uint32_t ring = RandomStep(rs) % 11u;
    const float s = point->size;
    const float t = point->p[0];
    const float theta = u1 * kTwoPi;
    const float alpha = u2 * kTwoPi + kPi;
    const float rho = 0.25f * static_cast<float>(ring + 1);
    const float r = (0.5f * t * std::cos(alpha) + rho) * s;
    point->x = std::cos(theta) * r;
    point->z = std::sin(theta) * r;
    point->y = std::sin(alpha) * t * (0.5f * s);
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Two straight slabs and two half-ring ends. The ring widths take parameter
// 2 with its sign, the radii its absolute value.
void SampleBaseshapeChainSlab(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float u3 = RandomUniform(rs);
    const float u4 = RandomUniform(rs);
    const bool odd = (RandomStep(rs) & 1u) != 0;
    const float h = std::fabs(point->p[0]);
    const float w = std::fabs(point->p[1]);
    const float p2 = point->p[1];
    float x, y, z;
    if (u3 > u4) {
        y = (2.0f * u2 - 1.0f) * h;
        RandomStep(rs);  // drawn and unused: keeps the sequence of later draws
        if (!odd) {
            x = RandomCoin(rs) ? (u1 + 1.0f) * w : -(u1 * w) - w;
            z = RandomCoin(rs) ? 0.5f * w : -0.5f * w;
        } else {
            z = RandomCoin(rs) ? 0.5f * u1 * w : -0.5f * u1 * w;
            const float x0 = RandomCoin(rs) ? 0.5f * w : -0.5f * w;
            x = RandomCoin(rs) ? x0 + 1.5f * w : x0 - 1.5f * w;
        }
    } else {
        const float t = u1 * kPi;
        const float st = std::sin(t);
        if (odd) {
            const float r = (RandomCoin(rs) ? p2 : 0.0f) + w;
            x = std::cos(t) * r;
            y = RandomCoin(rs) ? st * r + h : -(st * r) - h;
            z = (u2 - 0.5f) * p2;
        } else {
            const float r = u2 * p2 + w;
            x = std::cos(t) * r;
            y = RandomCoin(rs) ? st * r + h : -(st * r) - h;
            z = RandomCoin(rs) ? 0.5f * p2 : -0.5f * p2;
        }
    }
    const float s = point->size;
    point->x = x * s;
    point->y = y * s;
    point->z = z * s;
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

// Twelve horns around a lying torus. The torus piece colours only its own
// temporary point, so the crown keeps its entry colour in every mode.
void SampleBaseshapeHornedCrown(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float t = static_cast<float>(static_cast<double>(RandomUniform(rs)) * 0.45);
    const uint32_t w2 = RandomStep(rs);
    float x, y, z;
    if (RandomCoin(rs)) {
        BaseshapePoint torus{};
        torus.size = 1.0f;
        torus.p[0] = 0.45f;
        SampleBaseshapeTorusII(&torus, slot);
        x = 1.5f * torus.x;
        y = 1.5f * torus.z - 1.0f;
        z = 1.5f * torus.y;
    } else {
        const float phi = static_cast<float>(w2) * 1.462918e-9f;
        const float b0 = t * kTwoPi;
        const float rho = std::tanh(3.0f * std::cos(phi)) * t * 0.5f + 2.0f;
        const float z0 = std::sin(phi) * t * 0.5f;
        const float x0 = std::sin(b0) * rho + 1.0f;
        y = std::cos(b0) * rho * 1.25f + t + (t + 0.45f);
        const float beta = static_cast<float>(RandomStep(rs) % 12u) * 0.5235988f;
        const float sb = std::sin(beta);
        const float cb = std::cos(beta);
        x = z0 * sb - x0 * cb;
        z = z0 * cb + x0 * sb;
    }
    const float half = point->size * 0.5f;
    point->x = x * half;
    point->y = (y - 0.7f) * half;
    point->z = z * half;
}
