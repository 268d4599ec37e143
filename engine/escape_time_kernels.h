// Escape-time kernels of types 46 ("Stochastic Mandelbrot Set") and 49
// ("Stochastic Mandelbrot Set II"): every batch point is an independent
// sample of the complex plane, lifted to a height by its distance estimate.
#pragma once

#include <cmath>
#include <cstdint>

struct EscapeGradient {
    uint8_t r[256];
    uint8_t g[256];
    uint8_t b[256];
};

// The transformation editor's Mandelbrot view; the kernels sample around it.
extern double gMandelbrotCentre[2];  // real, imaginary
extern double gMandelbrotScale;
extern EscapeGradient gEscapeGradient;  // colour by escape count

void RunFractalType46(uint8_t slot);
void RunFractalType46Alt(uint8_t slot);
void RunFractalType49(uint8_t slot);
void RunFractalType49Alt(uint8_t slot);

// The hexagonal cosine pattern of the "Waves I" heights.
float PatternHexCos(float u, float v);
// |tanh(3 cos a) tanh(3 cos b)|, the tiles of the "Waves II" heights; inline
// for the escape-time loop.
inline float PatternTanhCos(float a, float b)
{
    return std::fabs(static_cast<float>(std::tanh(3.0 * std::cos(a)) * std::tanh(3.0 * std::cos(b))));
}
