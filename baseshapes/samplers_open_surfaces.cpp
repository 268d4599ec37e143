#include "baseshapes/samplers_open_surfaces.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

enum class Section { kCircle, kRoundedSquare, kPolygon };

// Vertical tube of half-length "Length" times size, no caps.
template <Section Shape>
void SampleOpenTube(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float u2 = RandomUniform(rs);
    const float s = point->size;
    const float a = u1 * kTwoPi;
    point->y = (2.0f * u2 - 1.0f) * point->p[0] * s;
    if (Shape == Section::kCircle) {
        point->x = std::cos(a) * s;
        point->z = std::sin(a) * s;
    } else if (Shape == Section::kRoundedSquare) {
        point->x = static_cast<float>(std::tanh(static_cast<double>(2.0f * std::sin(a))) * s);
        point->z = static_cast<float>(std::tanh(static_cast<double>(2.0f * std::cos(a))) * s);
    } else {
        // "Sides" goes through a bounded count: the whole part above 3,
        // otherwise a triangle.
        const float n = static_cast<float>(ParameterToInt(point->p[1], 3, kOpenPolygonMaxSides));
        const float half = kPi / n;
        const float m = std::cos(half) / std::cos(std::fmod(a, kTwoPi / n) - half) * s;
        point->x = std::sin(a) * m;
        point->z = std::cos(a) * m;
    }
    ApplyBaseshapeColorTail(point, u1, u2, slot);
}

}  // namespace

// A spiral shell growing from its tip: parameters "Turns", "I. Rad." (the
// section's size against the growth), "Height" and the section's start angle.
void SampleBaseshapeOpenShell(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float u1 = RandomUniform(rs);
    const float w2 = static_cast<float>(RandomStep(rs));
    const float t = 1.0f - w2 * w2 * (w2 * 1.26217745e-29f);  // 1 - u2^3, dense near 1
    const float turns = point->p[0];
    const float w = point->p[1];
    const float H = point->p[2];
    const float theta = (1.0f - t * t) * turns * -6.2831855f;
    const float E = std::pow(0.9557f, -164.0f * t) * 0.02f;
    const float phi = u1 * 1.5707964f + point->p[3];
    const float s = point->size;
    const float R = (std::cos(phi) * (w * E) + E) * 0.02f * s;
    point->x = std::cos(theta) * R;
    point->z = std::sin(theta) * R;
    point->y = ((std::sin(phi) * w - H) * 0.02f * E + H * 0.25f) * s;
    ApplyBaseshapeColorTail(point, std::fmod(std::fabs(theta), 2.3999631f) * 0.41667306f, u1, slot);
}

void SampleBaseshapeOpenCylinder(BaseshapePoint* point, uint8_t slot) { SampleOpenTube<Section::kCircle>(point, slot); }
void SampleBaseshapeOpenRoundedBox(BaseshapePoint* point, uint8_t slot)
{
    SampleOpenTube<Section::kRoundedSquare>(point, slot);
}
void SampleBaseshapeOpenPolygon(BaseshapePoint* point, uint8_t slot) { SampleOpenTube<Section::kPolygon>(point, slot); }
