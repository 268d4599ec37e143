#include "materials/patterns.h"

#include <cmath>

#include "baseshapes/polyhedron_tables.h"
#include "engine/noise.h"

// The dodecahedron's vertices, rounded to three decimals (unit vectors to
// about 1e-3).
const float (&gPatternDirections)[kPatternDirectionCount][3] = gDodecahedronVertices;

namespace {

constexpr double kGoldenD = 1.618033988749895;
constexpr float kGoldenF = 1.618034f;
constexpr double kTwoOverPiD = 0.6366197546520227;
constexpr float kTwoOverPiF = 0.63661975f;
constexpr float kFourOverPiSquared = 0.4052847f;
constexpr float kTwoOverPiSquared = 0.20264235f;
constexpr float kSixOverPi = 1.9098592f;
constexpr float kSqrt3 = 1.7320508f;
constexpr double kPiOver3 = 1.0471975511965979;
constexpr double kPiOver6 = 0.5235987755982989;
constexpr double kHalfSqrt3 = 0.8660254037844386;
constexpr double kThreeHalvesSqrt3 = 2.598076211353316;
constexpr float kTwoPi = 6.2831855f;

// asin(sin t) x 2 / pi: the triangle wave of period 2 pi in [-1, 1].
double TriangleWave(double t) { return std::asin(std::sin(t)) * kTwoOverPiD; }

double Sign(double a) { return a > 0.0 ? 1.0 : (a < 0.0 ? -1.0 : 0.0); }

float SignedSqrt(float c) { return c > 0.0f ? std::sqrt(c) : -std::sqrt(-c); }

// The six arguments of the golden lattice, in double precision.
void GoldenArguments(double x, double y, double z, double* a)
{
    a[0] = z - kGoldenD * x;
    a[1] = z + kGoldenD * x;
    a[2] = y - kGoldenD * z;
    a[3] = y + kGoldenD * z;
    a[4] = x + kGoldenD * y;
    a[5] = x - kGoldenD * y;
}

}  // namespace

double TriangleWaveArcsine(double t)
{
    const double a = TriangleWave(t);
    return Sign(a) * std::asin(std::fmin(std::fabs(a), 1.0)) * kTwoOverPiD;
}

double RoundedTriangleWave(double t)
{
    const double a = TriangleWave(t);
    const double r = 1.0 - std::fabs(a);
    return Sign(a) * std::sqrt(std::fmax(1.0 - r * r, 0.0));
}

double HexagonRadius(double t) { return kHalfSqrt3 / std::cos(std::fmod(std::fabs(t), kPiOver3) - kPiOver6); }

double BumpCurve(double t)
{
    const double d = t - 0.5;
    return t + 0.24999999999999997 * std::exp(-61.53846153846153 * d * d);
}

float PatternGyroid(float x, float y, float z, int variant)
{
    switch (variant) {
    case 0:
        return (std::sin(x) * std::cos(y) + std::sin(y) * std::cos(z) + std::sin(z) * std::cos(x) + 1.0f) * 0.5f;
    case 1:
        return (std::asin(std::sin(x)) * std::asin(std::cos(y)) + std::asin(std::sin(y)) * std::asin(std::cos(z)) +
                std::asin(std::sin(z)) * std::asin(std::cos(x))) *
                   kTwoOverPiSquared +
               0.5f;
    case 2: {
        auto t = [](float a) { return std::tanh(3.0 * a); };
        const double s = t(std::sin(x)) * t(std::cos(y)) + t(std::sin(y)) * t(std::cos(z)) +
                         t(std::sin(z)) * t(std::cos(x));
        return static_cast<float>((s + 1.0) * 0.5);
    }
    default: return 0.0f;
    }
}

float PatternGoldenCosineD(float x, float y, float z)
{
    double a[6];
    GoldenArguments(x, y, z, a);
    double c = 0.0;
    for (double v : a) c += std::cos(v);
    return static_cast<float>((3.0 - c) * 0.5);
}

float PatternGoldenCosine(float x, float y, float z)
{
    double a[6];
    GoldenArguments(x, y, z, a);
    float c = 0.0f;
    for (double v : a) c += SignedSqrt(std::cos(static_cast<float>(v)));
    return (3.0f - c) * 0.5f;
}

float PatternGoldenTriangle(float x, float y, float z)
{
    const float a[6] = {y * kGoldenF + x, x - y * kGoldenF, z * kGoldenF + y,
                        y - z * kGoldenF, z - x * kGoldenF, x * kGoldenF + z};
    double c = 0.0;
    for (float v : a) c += RoundedTriangleWave(v);
    return static_cast<float>((3.0 - c) * 0.5);
}

void SphereProjection(float x, float y, float z, float parameter, float& u, float& w)
{
    const float len = std::sqrt(x * x + y * y + z * z);
    if (!(len > 0.0f)) {
        u = w = 0.0f;
        return;
    }
    const float a = x / len, b = y / len, c = z / len;
    const float s = a * a + b * b + (c + 1.0f) * (c + 1.0f);
    // sinh(s) / (cosh(s) s) is tanh(s) / s, which tends to 1 at the pole.
    const float g = s > 1e-6f ? std::tanh(s) / s : 1.0f;
    const float f = g * len * parameter;
    u = a * f;
    w = b * f;
}

float PatternSphereHex(float x, float y, float z, int variant, float parameter)
{
    float u, w;
    SphereProjection(x, y, z, parameter, u, w);
    const float A = 2.0f * kSqrt3 * u, B = 4.0f * kSqrt3 * u;
    const float e1[3] = {std::cos(A - 2.0f * w), std::cos(4.0f * w), std::cos(2.0f * w + A)};
    const float e2[3] = {std::cos(B), std::cos(6.0f * w - A), std::cos(A + 6.0f * w)};
    auto sum = [](const float* e, auto f) { return f(e[0]) + f(e[1]) + f(e[2]); };
    switch (variant) {
    case 0: {
        auto id = [](float v) { return v; };
        return -(0.12f * sum(e2, id) + sum(e1, id) + 1.0f);
    }
    case 1: {
        auto as = [](float v) { return std::asin(v); };
        return -(0.12f * kTwoOverPiF * sum(e2, as) + kTwoOverPiF * sum(e1, as) + 1.0f);
    }
    case 2: {
        auto th = [](float v) { return static_cast<float>(std::tanh(3.0 * v)); };
        return -(0.12f * sum(e2, th) + sum(e1, th) + 1.0f);
    }
    case 3: return -(sum(e1, SignedSqrt) + 1.0f + 0.12f * sum(e2, SignedSqrt));
    case 4: {
        auto id = [](float v) { return v; };
        return 1.0f - (0.24f * sum(e2, id) + 2.0f * (sum(e1, id) + 1.0f));
    }
    default: return 0.0f;
    }
}

float PatternSphereTrig(float x, float y, float z, int variant, float parameter)
{
    float u, w;
    SphereProjection(x, y, z, parameter, u, w);
    const float cu = std::cos(u), cw = std::cos(w), su = std::sin(u), sw = std::sin(w);
    switch (variant) {
    case 0: return cu * cw;
    case 1: return cu + cw;
    case 2: return 2.0f * std::fabs(cu + cw) - 1.0f;
    case 3: return 1.0f - 2.0f * std::fabs(cu + cw);
    case 4: return su * sw;
    case 5: return su + sw;
    case 6: return 2.0f * std::fabs(su + sw) - 1.0f;
    case 7: return 1.0f - 2.0f * std::fabs(su + sw);
    case 8: return 1.0f - 2.0f * std::fabs((std::asin(cu) + std::asin(cw)) * kTwoOverPiF);
    case 9: return 1.0f - 2.0f * std::fabs(std::asin(cu) * std::asin(cw) * kFourOverPiSquared);
    case 10: return 2.0f * std::fabs(std::asin(cu) * std::asin(cw) * kFourOverPiSquared) - 1.0f;
    case 11: return 2.0f * std::fabs(std::tanh(std::asin(cw) * kSixOverPi) * std::tanh(3.0f * cu)) - 1.0f;
    case 12:
    case 17: return 1.0f - 2.0f * std::fabs(std::tanh(std::asin(cw) * kSixOverPi) * std::tanh(3.0f * cu));
    case 13: return static_cast<float>(HexagonRadius(w) * std::cos(double(w)) * HexagonRadius(u) * std::cos(double(u)));
    case 14: return static_cast<float>(HexagonRadius(w) * std::cos(double(w)) + HexagonRadius(u) * std::cos(double(u)));
    case 15: return static_cast<float>(HexagonRadius(u) * std::sin(double(u)) * HexagonRadius(w) * std::sin(double(w)));
    case 16: return static_cast<float>(HexagonRadius(u) * std::sin(double(u)) + HexagonRadius(w) * std::sin(double(w)));
    case 18: {
        // fmod keeps both coordinates in [0, 256) for any finite u and w;
        // a value that is not a number leaves every test false.
        float X = std::fmod(std::fabs(4.0f * u) * 256.0f, 256.0f);
        float Y = std::fmod(std::fabs(4.0f * w) * 256.0f, 256.0f);
        float s = 0.0f, h = 128.0f;
        for (int i = 0; i < 8; ++i) {
            if ((Y - h) * (X - h) < 0.0f) s += h;
            X = std::fmod(std::fabs(X), h);
            Y = std::fmod(std::fabs(Y), h);
            h *= 0.5f;
        }
        return s;
    }
    default: {
        const double hex = cu * kThreeHalvesSqrt3 / std::cos(std::fmod(std::fabs(double(u)), kPiOver3) - kPiOver6);
        return 1.0f - 2.0f * std::fabs(static_cast<float>(std::tanh(hex)) * std::tanh(std::asin(cw) * kSixOverPi));
    }
    }
}

float PatternNearestDirection(float x, float y, float z, int variant)
{
    const float len = std::sqrt(x * x + y * y + z * z);
    float n[3] = {0.0f, 0.0f, 0.0f};
    if (len > 0.0f) {
        n[0] = x / len;
        n[1] = y / len;
        n[2] = z / len;
    }
    auto distance = [&n](int i) {
        const float dx = n[0] - gPatternDirections[i][0], dy = n[1] - gPatternDirections[i][1],
                    dz = n[2] - gPatternDirections[i][2];
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    };
    float d1 = 1000.0f;
    int nearest = 0;
    for (int i = 0; i < kPatternDirectionCount; ++i) {
        const float d = distance(i);
        if (d < d1) {
            d1 = d;
            nearest = i;
        }
    }
    float d2 = 1000.0f;
    for (int i = 0; i < kPatternDirectionCount; ++i) {
        if (i != nearest) d2 = std::fmin(d2, distance(i));
    }
    const float a = d1 * len * kTwoPi, b = d2 * len * kTwoPi;
    switch (variant) {
    case 0: return std::cos(a) * std::cos(b);
    case 1: return std::asin(std::cos(a)) * std::asin(std::cos(b)) * kFourOverPiSquared;
    case 2: return static_cast<float>(BumpCurve(a) * BumpCurve(b));
    case 3: return FractalNoise3(a, b, n[2]);
    case 4: {
        const float s3 = kSqrt3;
        return -0.12f * (std::cos(4.0f * s3 * a) + std::cos(6.0f * b - 2.0f * s3 * a) +
                         std::cos(2.0f * s3 * a + 6.0f * b)) -
               (std::cos(2.0f * s3 * a - 2.0f * b) + std::cos(4.0f * b) + std::cos(2.0f * b + 2.0f * s3 * a) + 1.0f);
    }
    default: return d1;
    }
}
