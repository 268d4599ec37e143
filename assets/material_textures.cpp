// The two built-in material textures of material 0: a warm veined stone for
// side A and a bluish woven tile for side B, 256 x 256, both tiling
// seamlessly (every wave has a whole number of periods across the picture).
#include <cmath>

#include "assets/pictures.h"

namespace assetgen {

namespace {

constexpr int kSize = 256;
constexpr float kTau = 6.2831853f;

// A sum of whole-period waves: smooth, tileable turbulence in 0..1.
float Turbulence(float u, float v)
{
    float sum = 0.0f, weight = 0.5f;
    for (int octave = 1; octave <= 5; ++octave) {
        const float f = static_cast<float>(1 << octave);
        sum += weight * std::fabs(std::sin(kTau * (f * u + 0.37f * octave)) * std::cos(kTau * (f * v - 0.21f * octave)));
        weight *= 0.5f;
    }
    return sum;
}

}  // namespace

Canvas MakeMaterialTextureA()
{
    Canvas c(kSize, kSize);
    ShadeBox(c, 0, 0, kSize, kSize, [](float x, float y) {
        const float u = x / kSize, v = y / kSize;
        const float vein = 0.5f + 0.5f * std::sin(kTau * (2.0f * u + v) + 6.0f * Turbulence(u, v));
        const float t = std::pow(vein, 3.0f);
        return Mix(Rgb{0.78f, 0.66f, 0.50f}, Rgb{0.36f, 0.22f, 0.14f}, t);
    });
    return c;
}

Canvas MakeMaterialTextureB()
{
    Canvas c(kSize, kSize);
    ShadeBox(c, 0, 0, kSize, kSize, [](float x, float y) {
        const float u = x / kSize, v = y / kSize;
        // Eight by eight cells; alternate cells run their threads the other way.
        const int cell = static_cast<int>(u * 8) + static_cast<int>(v * 8);
        const float along = cell % 2 == 0 ? u : v;
        const float thread = 0.5f + 0.5f * std::cos(kTau * 32.0f * along);
        const float fu = u * 8 - std::floor(u * 8), fv = v * 8 - std::floor(v * 8);
        const float edge = std::fmin(std::fmin(fu, 1 - fu), std::fmin(fv, 1 - fv));
        const float groove = edge < 0.04f ? 0.45f : 1.0f;
        const Rgb base = Mix(Rgb{0.16f, 0.30f, 0.52f}, Rgb{0.55f, 0.70f, 0.86f}, 0.35f + 0.4f * thread);
        return Scale(base, groove * (0.85f + 0.15f * Turbulence(u, v)));
    });
    return c;
}

}  // namespace assetgen
