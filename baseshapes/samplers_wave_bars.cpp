#include "baseshapes/samplers_wave_bars.h"

#include <cmath>

#include "baseshapes/sampler_contract.h"

namespace {

// Parameters "Frecuency", "Amplitude" and "Thickness". The wave faces are
// offset along (D, -1), D being the wave a quarter period early (not its
// slope); the depth faces close the bar at z = +-thickness. The ends are open.
template <bool Triangular, bool Filled>
void SampleWaveBar(BaseshapePoint* point, uint8_t slot)
{
    RandomState& rs = SamplerRandom(slot);
    const float freq = point->p[0], amplitude = point->p[1], thick = point->p[2];
    const float X = 2.0f * RandomUniform(rs) - 1.0f;
    const float theta = X * kPi * freq;
    const float S = std::sin(theta), C = std::cos(theta);
    float A, D, q;
    if (Triangular) {
        A = TriangleWave(S) * amplitude;
        D = TriangleWave(C) * amplitude;
        q = 1.0f / (D * D + 1.0f);
    } else {
        A = S * amplitude;
        D = C * amplitude;
        q = 1.0f / std::sqrt(D * D + 1.0f);
    }
    float sigma = Filled ? RandomUniform(rs) * thick : thick;
    if (!RandomCoin(rs)) sigma = -sigma;

    const float s = point->size;
    float e;
    const bool depthFace = RandomCoin(rs);
    if (depthFace) {
        const bool positive = RandomCoin(rs);
        const float u = RandomUniform(rs);
        e = positive ? u * thick : -u * thick;
        point->z = sigma * s;
    } else {
        e = RandomCoin(rs) ? thick : -thick;
    }
    point->x = (X + e * q * D) * s;
    point->y = (A - e * q) * s;
    if (!depthFace) point->z = RandomUniform(rs) * sigma * s;
    ApplyBaseshapeColorTail(point, 0.5f, (X + 1.0f) * 0.5f, slot);
}

}  // namespace

void SampleBaseshapeSineWave(BaseshapePoint* point, uint8_t slot) { SampleWaveBar<false, false>(point, slot); }
void SampleBaseshapeSineWaveFilled(BaseshapePoint* point, uint8_t slot) { SampleWaveBar<false, true>(point, slot); }
void SampleBaseshapeTriangularWave(BaseshapePoint* point, uint8_t slot) { SampleWaveBar<true, false>(point, slot); }
void SampleBaseshapeTriangularWaveFilled(BaseshapePoint* point, uint8_t slot)
{
    SampleWaveBar<true, true>(point, slot);
}
