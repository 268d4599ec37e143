#include "engine/baseshape_animation.h"

#include <algorithm>
#include <cmath>

#include "engine/baseshape_hooks.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_record.h"
#include "engine/vector_math.h"

int32_t gBaseshapeAnimationFrame = 0;
int32_t gBaseshapeAnimationTick = 0;

namespace {

constexpr float kTwoPi = 6.2831855f;

// Counters that run for months wrap instead of overflowing.
int32_t Next(int32_t counter) { return static_cast<int32_t>(static_cast<uint32_t>(counter) + 1u); }

int BaseshapesInUse() { return std::clamp(gBaseshapeCount, 0, kMaxBaseshapes); }

void Transpose(const float* m, float* t)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) t[3 * c + r] = m[3 * r + c];
}

void SpinStep(int i, float* rotation)
{
    AxisAngleMatrix(gBaseshapeSpin[i], kTwoPi / gBaseshapeSpin[i][3], rotation);
}

void PlaceMoved(int i, int32_t frame)
{
    const float* wave = gBaseshapeMoveWave[i];  // amplitude, period, phase
    const float w = BaseshapeWave(gBaseshapeWaveType[i], wave[1], wave[2], frame);
    BaseshapeRecord& r = gBaseshapes[i];
    for (int k = 0; k < 3; ++k) r.glMatrix[12 + k] = r.position[k] + w * wave[0] * gBaseshapeMoveDirection[i][k];
}

}  // namespace

float BaseshapeWave(int waveType, float period, float phaseDegrees, int32_t n)
{
    const float t = kTwoPi / period * static_cast<float>(n) + phaseDegrees * 0.017453292f;
    switch (waveType) {
    case 0: {
        const float v = t * 0.31830987f;
        return static_cast<float>(2.0 * (static_cast<double>(v) - std::floor(static_cast<double>(v) + 0.5)));
    }
    case 1: return std::tanh(3.0f * std::sin(t));
    case 2: return std::asin(std::sin(t)) * 0.63661975f;
    default: return std::sin(t);
    }
}

void AnimateBaseshapes()
{
    const int count = BaseshapesInUse();
    if (count < 1) return;
    const int32_t frame = gBaseshapeAnimationFrame;
    for (int i = 0; i < count; ++i) {
        BaseshapeRecord& r = gBaseshapes[i];
        if (gBaseshapeSpin[i][3] != 0.0f && frame >= 1) {
            float step[9], turned[9], product[9];
            SpinStep(i, step);
            Transpose(r.matrix, turned);
            MultiplyMatrix3(turned, step, product);
            Transpose(product, r.matrix);
        }
        if (gBaseshapeMoveWave[i][1] != 0.0f) {
            PlaceMoved(i, frame);
        } else {
            for (int k = 0; k < 3; ++k) r.glMatrix[12 + k] = r.position[k];
        }
    }
    gBaseshapeAnimationFrame = Next(gBaseshapeAnimationFrame);
}

bool BaseshapesSpinOrMove()
{
    const int count = BaseshapesInUse();
    for (int i = 0; i < count; ++i)
        if (gBaseshapeSpin[i][3] != 0.0f || gBaseshapeMoveWave[i][1] != 0.0f) return true;
    return false;
}

bool TickBaseshapeAnimation(int mode)
{
    gBaseshapeAnimationTick = Next(gBaseshapeAnimationTick);
    const uint32_t tick = static_cast<uint32_t>(gBaseshapeAnimationTick);
    if (mode == 0) {
        if (tick % 5 != 4) return false;
        AnimateBaseshapes();
        return true;
    }
    if (tick % 100 != 99 || !BaseshapesSpinOrMove()) return false;
    const int count = BaseshapesInUse();

    gBaseshapeAnimationFrame = Next(gBaseshapeAnimationFrame);
    CallBaseshapeHook(gBaseshapeHooks.restartPreview);
    for (int i = 0; i < count; ++i) {
        float* gl = gBaseshapes[i].glMatrix;
        if (gBaseshapeSpin[i][3] != 0.0f) {
            float step[9], m[9];
            SpinStep(i, step);
            // The preview's 3 x 3 part, elements 0-2, 4-6 and 8-10, taken as rows.
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c) m[3 * r + c] = gl[4 * r + c];
            MultiplyMatrix3(m, step, m);
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c) gl[4 * r + c] = m[3 * r + c];
        }
        if (gBaseshapeMoveWave[i][1] != 0.0f) PlaceMoved(i, gBaseshapeAnimationFrame);
    }
    return false;
}
