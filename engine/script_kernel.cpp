#include "engine/script_kernel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_skeleton.h"
#include "engine/point_coloring.h"
#include "engine/point_maps.h"
#include "engine/random.h"
#include "engine/script_program.h"

namespace {

inline constexpr float kTwoToMinus31 = 4.6566129e-10f;

// The random sign of the Julia roots: the word is compared with the call's
// threshold, so the sign frequency is fixed per call.
struct ScriptDraws {
    uint32_t& hash;
    uint32_t threshold;
};

inline Complex JuliaRoot(Vec3f p, const float* c) { return ComplexRoot(p.x - c[0], p.z - c[1]); }

// Integer part of f times a word over 2^32; 0 when it is not finite.
inline double WordSteps(float f, uint32_t word)
{
    const double v = std::trunc(static_cast<double>(f) * word / 4294967296.0);
    return std::isfinite(v) ? v : 0.0;
}

// Runs the operations of one tform on p. Returns false when an operation
// asks for a redraw: p then holds what the earlier operations made of it.
inline bool RunScriptTform(int tform, Vec3f& p, ScriptDraws& draws, uint8_t slot)
{
    const ScriptProgram& prog = gScriptProgram;
    const int first = prog.tformFirstOperation[tform];
    const int last = std::min(first + prog.tformOperationCount[tform], kScriptMaxOperations);
    const Vec3f p0 = p;
    for (int op = first; op < last; ++op) {
        const float* f = prog.parameters + prog.operationFirstParameter[op];
        switch (prog.operationCode[op]) {
        case kScriptScale:
            p = {f[0] * p.x, f[1] * p.y, f[2] * p.z};
            break;
        case kScriptTranslate:
            p = {p.x + f[0], p.y + f[1], p.z + f[2]};
            break;
        case kScriptRotate:
            p = {f[0] * p.x + f[1] * p.y + f[2] * p.z, f[3] * p.x + f[4] * p.y + f[5] * p.z,
                 f[6] * p.x + f[7] * p.y + f[8] * p.z};
            break;
        case kScriptSphereInversion: {
            const Vec3f d = {p.x - f[1], p.y - f[2], p.z - f[3]};
            const float d2 = d.x * d.x + d.y * d.y + d.z * d.z;
            const float k = d2 > 0.0f ? f[0] / d2 : 0.0f;
            p = {k * d.x + f[1], k * d.y + f[2], k * d.z + f[3]};
            break;
        }
        case kScriptJulia2:
        case kScriptJulia2Z: {
            Complex w = JuliaRoot(p, f);
            if (StepSlotHash(draws.hash) < draws.threshold) w = {-w.re, -w.im};
            p.x = w.re;
            p.z = w.im;
            if (prog.operationCode[op] == kScriptJulia2Z) p.y = HeightStep(p.y);
            break;
        }
        case kScriptFnSphere: {
            const float k = f[0] / (Length(p) + 1.0f);
            p = {p.x * k, p.y * k, p.z * k};
            break;
        }
        case kScriptFnStereo: {
            const float x = f[0] * p.x, z = f[1] * p.z, y = f[2] * p.y;
            const float q = x * x + z * z;
            const float d = (1.0f - y) * (q + 1.0f);
            p = {2.0f * x / d, (1.0f - q) / d, 2.0f * z / d};
            break;
        }
        case kScriptHyperSphere: {
            // The origin stays where it is instead of becoming 0/0.
            const float r = Length(p);
            if (r > 0.0f) {
                const float k = f[0] * HyperFactor(r);
                p = {p.x * k, p.y * k, p.z * k};
            }
            break;
        }
        case kScriptBaseshape: {
            const int b = gSlotBaseshape[slot];
            if (!(static_cast<float>(b) == f[0] || b >= gBaseshapeCount)) return false;
            break;
        }
        case kScriptRotateRandom: {
            // The count is 360 over the step in degrees; anything below one
            // turn, or not a number, means a single position.
            const float count = f[4];
            uint32_t n = 1;
            if (std::isfinite(count) && count >= 1.0f)
                n = count < 4294967296.0f ? static_cast<uint32_t>(count) : 0xFFFFFFFFu;
            const float angle = static_cast<float>(StepSlotHash(draws.hash) % n) * f[0];
            const float c = std::cos(angle), s = std::sin(angle), v = 1.0f - c;
            const float ax = f[1], ay = f[2], az = f[3];
            // abs(p) R (p / abs(p)) is R p: R is linear, and the origin stays.
            p = {(c + ax * ax * v) * p.x + (ax * ay * v + az * s) * p.y + (ax * az * v - ay * s) * p.z,
                 (ax * ay * v - az * s) * p.x + (c + ay * ay * v) * p.y + (ay * az * v + ax * s) * p.z,
                 (ax * az * v + ay * s) * p.x + (ay * az * v - ax * s) * p.y + (c + az * az * v) * p.z};
            break;
        }
        case kScriptMobius: {
            const Complex w = MobiusImage({f[0], f[1]}, {f[2], f[3]}, {f[4], f[5]}, {f[6], f[7]}, {p.x, p.z});
            p.x = w.re;
            p.z = w.im;
            break;
        }
        case kScriptFlameSinusoidal:
            p.x += f[0] * std::sin(f[1] * p0.x);
            p.y += f[0] * std::sin(f[2] * p0.y);
            p.z += f[0] * std::sin(f[3] * p0.z);
            break;
        case kScriptFlameSpherical: {
            const float k = f[0] / std::sqrt(p0.x * p0.x + p0.y * p0.y + p0.z * p0.z + 1e-9f);
            p = {p.x + k * p0.x, p.y + k * p0.y, p.z + k * p0.z};
            break;
        }
        case kScriptFlameSwirl3D: {
            const Vec3f s = SwirlTerm(p0);
            p = {p.x + f[0] * s.x, p.y + f[0] * s.y, p.z + f[0] * s.z};
            break;
        }
        case kScriptFlameHyper: {
            const float r0 = Length(p0);
            if (r0 > 0.0f) {
                const float k = f[0] * HyperFactor(r0);
                p = {p.x + k * p0.x, p.y + k * p0.y, p.z + k * p0.z};
            }
            break;
        }
        case kScriptFlameFisheye: {
            const float k = 2.0f * f[0] / (Length(p0) + 1.0f);
            p = {p.x + k * p0.x, p.y + k * p0.y, p.z + k * p0.z};
            break;
        }
        case kScriptFlameHorns: {
            const Vec3f h = HornsTerm(Length(p0), Elevation(p0), Azimuth(p0));
            p = {p.x + f[0] * h.x, p.y + f[0] * h.y, p.z + f[0] * h.z};
            break;
        }
        case kScriptFlameRadSin: {
            const float r2 = p0.x * p0.x + p0.y * p0.y + p0.z * p0.z;
            const float g =
                f[0] * std::sin(std::sin(f[1] * p0.x) + std::sin(f[2] * p0.y) + std::sin(f[3] * p0.z) + r2);
            p = {p.x + g * p0.x, p.y + g * p0.y, p.z + g * p0.z};
            break;
        }
        case kScriptFlameQSqrt: {
            const Vec3f q = QuaternionRootTerm(p0);
            p = {p.x + f[0] * q.x, p.y + f[0] * q.y, p.z + f[0] * q.z};
            break;
        }
        case kScriptMatrix3D:
            p = {f[0] * p0.x + f[1] * p0.y + f[2] * p0.z, f[3] * p0.x + f[4] * p0.y + f[5] * p0.z,
                 f[6] * p0.x + f[7] * p0.y + f[8] * p0.z};
            break;
        case kScriptFlame2Sinusoidal:
            p.x += f[0] * std::sin(f[1] * p.x);
            p.y += f[0] * std::sin(f[2] * p.y);
            p.z += f[0] * std::sin(f[3] * p.z);
            break;
        case kScriptFlame2Spherical: {
            const float k = 1.0f + f[0] / std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z + 1e-9f);
            p = {p.x * k, p.y * k, p.z * k};
            break;
        }
        case kScriptFlame2Swirl3D: {
            const Vec3f s = SwirlTerm(p);
            p = {p.x + f[0] * s.x, p.y + f[0] * s.y, p.z + f[0] * s.z};
            break;
        }
        case kScriptFlame2Hyper: {
            const float r = Length(p);
            if (r > 0.0f) {
                const float k = 1.0f + f[0] * HyperFactor(r);
                p = {p.x * k, p.y * k, p.z * k};
            }
            break;
        }
        case kScriptFlame2Fisheye: {
            const float k = 1.0f + 2.0f * f[0] / (Length(p) + 1.0f);
            p = {p.x * k, p.y * k, p.z * k};
            break;
        }
        case kScriptFlame2Horns: {
            const Vec3f h = HornsTerm(Length(p), Elevation(p), Azimuth(p0));
            p = {p.x + f[0] * h.x, p.y + f[0] * h.y, p.z + f[0] * h.z};
            break;
        }
        case kScriptFlame2RadSin: {
            const float r2 = p.x * p.x + p.y * p.y + p.z * p.z;
            const float k =
                1.0f + f[0] * std::sin(std::sin(f[1] * p.x) + std::sin(f[2] * p.y) + std::sin(f[3] * p.z) + r2);
            p = {p.x * k, p.y * k, p.z * k};
            break;
        }
        case kScriptFlame2QSqrt: {
            const Vec3f q = QuaternionRootTerm(p);
            p = {p.x + f[0] * q.x, p.y + f[0] * q.y, p.z + f[0] * q.z};
            break;
        }
        case kScriptFlameGnarl:
            p.x -= f[0] * std::sin(p.z + std::tan(f[1] * p.z));
            p.z -= f[0] * std::sin(p.x + std::tan(f[1] * p.x));
            break;
        case kScriptFlame2Gnarl:
            p.x -= f[0] * std::sin(p0.z + std::tan(f[1] * p0.z));
            p.z -= f[0] * std::sin(p0.x + std::tan(f[1] * p0.x));
            break;
        case kScriptMatrix2D:
            p.x = f[0] * p0.x + f[1] * p0.z;
            p.z = f[2] * p0.x + f[3] * p0.z;
            break;
        case kScriptJulia2M: {
            Complex w = ComplexOver(JuliaRoot(p, f + 2), JuliaRoot(p, f));
            if (StepSlotHash(draws.hash) > draws.threshold) w = {-w.re, -w.im};
            p.x = w.re;
            p.z = w.im;
            break;
        }
        case kScriptJulia3: {
            const float wx = p.x - f[0], wz = p.z - f[1];
            const float rho = std::pow(std::sqrt(wx * wx + wz * wz), 1.0f / 3.0f);
            float alpha = std::atan2(wz, wx) / 3.0f;
            const uint32_t branch = StepSlotHash(draws.hash) % 3u;
            if (branch == 0) alpha -= kFourPiOverThree;
            else if (branch == 1) alpha -= kTwoPiOverThree;
            p.x = rho * std::cos(alpha);
            p.z = rho * std::sin(alpha);
            break;
        }
        case kScriptBoolSphere: {
            const float dx = p.x - f[0], dy = p.y - f[1], dz = p.z - f[2];
            const float e = std::sqrt(dx * dx + dy * dy + dz * dz);
            if (f[4] == 1.0f ? e > f[3] : e < f[3]) return false;
            break;
        }
        case kScriptBoolCube: {
            const float dx = std::fabs(p.x - f[0]), dy = std::fabs(p.y - f[1]), dz = std::fabs(p.z - f[2]);
            const bool reject = f[4] == 1.0f ? (dx > f[3] || dy > f[3] || dz > f[3])
                                             : (dx < f[3] && dy < f[3] && dz < f[3]);
            if (reject) return false;
            break;
        }
        case kScriptBoolGyroid: {
            const float g = std::sin(f[2] * p.z) * std::cos(f[1] * p.y) +
                            std::cos(f[0] * p.x) * std::sin(f[1] * p.y) +
                            std::sin(f[0] * p.x) * std::cos(f[2] * p.z);
            if (f[3] == 1.0f ? g > 0.0f : g < 0.0f) return false;
            break;
        }
        case kScriptMandel: {
            const float u1 = static_cast<float>(StepSlotHash(draws.hash)) * kTwoToMinus31 - 1.0f;
            const float u2 = static_cast<float>(StepSlotHash(draws.hash)) * kTwoToMinus31 - 1.0f;
            const float cr = f[0] + u1 * f[2], ci = f[1] + u2 * f[2];
            float zr = 0.0f, zi = 0.0f, m = 0.0f;
            int n = 0;
            if (f[4] > 0.0f) {
                while (n < kScriptMandelIterationLimit && !(static_cast<float>(n) >= f[3])) {
                    const float nr = zr * zr - zi * zi + cr;
                    zi = 2.0f * zr * zi + ci;
                    zr = nr;
                    ++n;
                    m = zr * zr + zi * zi;
                    if (m >= f[4]) break;
                }
            }
            // Below 2, no iteration, or not a number: 2. An overflow keeps
            // the logarithms finite.
            if (!(m >= 2.0f)) m = 2.0f;
            m = std::min(m, FLT_MAX);
            const double mu = static_cast<double>(n) + f[6] - static_cast<double>(std::log2(std::log(m)));
            p = {u1, f[5] * static_cast<float>(std::sin(f[7] * mu)), u2};
            break;
        }
        case kScriptSpheris: {
            const TransformCoefficients& c = gTransformCoefficients;
            const float dx = p.x - c.tx[0], dy = p.y - c.ty[0], dz = p.z - c.tz[0];
            const float r = std::sqrt(dx * dx + dy * dy + dz * dz);
            const float beta = std::atan2(std::sqrt(dx * dx + dz * dz), dy);
            const float gamma = std::atan2(dz, dx);
            const double stepB = WordSteps(f[1], StepSlotHash(draws.hash));
            const double stepG = WordSteps(f[4], StepSlotHash(draws.hash));
            const float b = static_cast<float>(f[0] * beta + f[2] * stepB);
            const float g = static_cast<float>(f[3] * gamma + f[5] * stepG);
            const float sr = std::sqrt(r);
            p = {sr * std::sin(b) * std::cos(g), sr * std::sin(b) * std::sin(g), sr * std::cos(b)};
            break;
        }
        default:
            break;  // codes the kernel does not know are skipped
        }
    }
    return true;
}

// The tform whose weight interval holds u = word / 2^32; weights summing
// below u leave the remainder to the last tform.
inline int DrawTform(uint32_t word, int count)
{
    float u = static_cast<float>(word) * kRandomWordToFloat;
    int i = 0;
    for (; i < count; ++i) {
        u -= gScriptProgram.tformWeight[i];
        if (u < 0.0f) break;
    }
    return std::min(i, count - 1);
}

}  // namespace

void RunFractalType22(uint8_t slot)
{
    // The call's threshold for the random signs of the Julia roots.
    const uint32_t threshold = StepSlotHash(gSlotHash[slot]);
    const int count = std::min<int32_t>(gScriptProgram.tformCount, kScriptMaxTforms);
    // The map draws the tform itself: a redraw repeats the draw, the colouring
    // step and the operations for the same batch index.
    constexpr KernelOptions kOptions{.orbit = OrbitSource::kLastBatchPoint,
                                     .pick = TransformPick::kNone,
                                     .mapStepsHash = true,
                                     .mapTakesIndex = true};
    RunChaosGameKernel<kOptions>(slot, [threshold, count](uint8_t s, int32_t, float& x, float& y, float& z,
                                                          uint32_t& hash, int32_t j) {
        // Without tforms the point is stored as it stands.
        Vec3f p = {x, y, z};
        ScriptDraws draws{hash, threshold};
        for (int redraw = 0; count > 0 && redraw < kScriptRedrawLimit; ++redraw) {
            const int tform = DrawTform(StepSlotHash(hash), count);
            gSlotColorStep[s].load(std::memory_order_relaxed)(s, tform, j);
            if (RunScriptTform(tform, p, draws, s)) break;
        }
        x = p.x, y = p.y, z = p.z;
    });
}
