// Transformation presets that stand on rings: circles of touching maps with
// or without a centre, rings on a rounded square or a diamond, shrinking
// laps, the hexagon and its raised copy, and rings with forbidden
// successors. Also the closing steps the two makers of preset 8 share.
#include <cmath>
#include <cstring>

#include "editors/transformation_presets.h"
#include "editors/transformation_preset_steps.h"
#include "engine/pick_table.h"

using namespace preset;

namespace {

constexpr float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

float RingAngle(int i, int n) { return kTwoPi * static_cast<float>(i) / static_cast<float>(n); }

}  // namespace

void preset::ClosePlanesPreset(int n)
{
    if (gFractalType == 48)
        for (int i = 0; i < n && i < kMaxTransforms; ++i) gTransforms[i].variationOn[0] = 0;
    if (!Coin() || n >= kMaxTransforms) return;
    Counts(n + 1);
    Reset(n);
    Weight(n, 1.0f);
    if (gFractalType == 48) {
        const float amounts[6] = {0, 4, 5, 6, 24, 23};
        for (int k = 0; k < 6; ++k) gTransforms[n].variationAmount[k] = amounts[k];
        gTransforms[n].variationOn[0] = Coin() ? 1 : 0;
    }
    Place(n, 0.0f, 1.5f * D(), 0.0f);
    Scale(n, 0.25f + 0.5f * U());
    Compose(n);
}

// "Apollonian II": a ring of 3 to 22 touching maps and the map between them.
void MakeTransformationPreset05()
{
    const int n = static_cast<int>(W() % 20u) + 3;
    Counts(n);
    const bool upright = W() % 2u == 0;
    float p0[3] = {}, p1[3] = {};
    for (int i = 0; i < 2; ++i) {
        const float a = static_cast<float>(i) * kTwoPi / static_cast<float>(n);
        float* p = i == 0 ? p0 : p1;
        Vec3Pack(p, std::sin(a), upright ? std::cos(a) : 0.0f, upright ? 0.0f : std::cos(a));
    }
    const float d = Vec3Distance(p0, p1);
    const float s = d * d * 0.25f;
    for (int i = 0; i < n; ++i) {
        Reset(i);
        const float a = static_cast<float>(i) * kTwoPi / static_cast<float>(n);
        if (upright) {
            Place(i, std::sin(a), std::cos(a), 0.0f);
        } else {
            Place(i, std::sin(a), 0.0f, std::cos(a));
        }
        Scale(i, s);
        Compose(i);
    }
    Counts(n + 1);
    Reset(n);
    const float c = 1.0f - 0.5f * d;
    Scale(n, c * c);
    Compose(n);
}

// "Hyp. Tessellations.", "Medusa": a ring of 3 to 12.
void MakeTransformationPreset07()
{
    const int n = static_cast<int>(W() % 10u) + 3;
    Counts(n);
    const float a = kTwoPi / static_cast<float>(n);
    const float p0[3] = {0, 0, 1}, p1[3] = {std::sin(a), 0, std::cos(a)};
    const float d2 = Vec3DistanceSquared(p0, p1);
    const float s = n <= 4 ? 0.25f * d2 : (n <= 6 ? 0.5f * d2 : d2);
    for (int i = 0; i < n; ++i) {
        Reset(i);
        const float phi = static_cast<float>(i) * kTwoPi / static_cast<float>(n);
        Place(i, std::sin(phi), 0.0f, std::cos(phi));
        Scale(i, s);
        Compose(i);
    }
}

// "Planes II", second maker: a ring of maps spun about their radius and
// perhaps tilted.
void MakeTransformationPreset08B()
{
    const bool tilt = Coin();
    const float d = D();
    const float tiltAngle = static_cast<float>(W() % 360u) * kDegree;
    const int n = static_cast<int>(W() % 10u) + 3;
    gTransformCount = n;
    float spin = 360.0f * U();
    if (U() > 0.98f) spin = Coin() ? 0.0f : 137.51f;
    spin *= kDegree;
    gPickTransformCount = n;
    for (int i = 0; i < n; ++i) {
        Reset(i);
        Weight(i, 1.0f);
        const float phi = static_cast<float>(i) * 360.0f / static_cast<float>(n) * kDegree;
        Place(i, std::sin(phi), 0.0f, std::cos(phi));
        Scale(i, (n < 9 ? 2.0f : 3.0f) / static_cast<float>(n));
        const float radial[3] = {std::sin(phi), 0.0f, std::cos(phi)};
        float* rotation = gTransforms[i].rotation;
        AxisAngleMatrix(radial, spin, rotation);
        if (tilt) {
            const float leaning[3] = {std::sin(phi), d, std::cos(phi)};
            float axis[3], turn[9], product[9];
            Vec3Normalize(axis, leaning);
            AxisAngleMatrix(axis, tiltAngle, turn);
            MultiplyMatrix3(rotation, turn, product);
            OrthonormalizeMatrix3(product);
            std::memcpy(rotation, product, sizeof product);
        }
        RandomVariations(i);
        if (gFractalType == 42) Vec3Scale(gTransforms[i].position, gTransforms[i].position, 2.0f);
        Compose(i);
    }
    ClosePlanesPreset(n);
}

// A ring of 3 to 12 on a circle, rounded square or diamond; perhaps one
// more map above it, or a second ring.
void MakeTransformationPreset16()
{
    const float y = U() > 0.5f ? U() : 0.0f;
    const uint32_t w = W();
    const int n = static_cast<int>(w % 10u) + 3;
    Counts(n);
    const int shape = n % 2 == 1 ? 2 : static_cast<int>(W() % 3u);
    const float s = 1.1f + 1.6f * U();
    for (int i = 0; i < n; ++i) {
        Reset(i);
        float x = 0, z = 0;
        RingShape(shape, RingAngle(i, n), &x, &z);
        Place(i, x, n % 2 == 0 && i % 2 == 1 ? -y : y, z);
        Scale(i, s);
        Compose(i);
    }
    if (U() <= 0.35f) return;
    if (U() > 0.25f) {
        Counts(n + 1);
        Reset(n);
        Place(n, 0.0f, 1.5f * U(), 0.0f);
        const float u = U();
        Scale(n, Coin() ? 1.0f + 1.5f * u : -1.0f - 1.5f * u);
        Compose(n);
        return;
    }
    int k = Coin() ? static_cast<int>(W() % 11u) + 2 : n;
    if (Coin() && n == 8) k = 4;
    Counts(n + k);
    const float rho = 0.5f + 1.5f * U(), y2 = 0.5f + 2.0f * U(), s2 = 1.0f + 1.5f * U();
    for (int i = n; i < n + k; ++i) {
        Reset(i);
        const float a = RingAngle(i, k);
        Place(i, rho * std::sin(a), y2, rho * std::cos(a));
        Scale(i, s2);
        Compose(i);
    }
    gPickTransformCount = n + k;
}

// A ring whose members shrink one after the other, perhaps over two laps.
void MakeTransformationPreset20()
{
    const bool shrinking = U() > 0.75f;
    const float f = shrinking ? 0.8f + 0.2f * U() : 1.0f;
    const float R = Coin() ? 0.75f + 1.25f * U() : 1.0f;
    const bool up = U() > 0.75f;
    const float y = up ? U() : -U();
    const int n = static_cast<int>(W() % 10u) + 3;
    gTransformCount = n;
    bool alternate = false;
    int shape = 2;
    if (n % 2 == 0) {
        alternate = Coin();
        shape = static_cast<int>(W() % 3u);
    }
    float s = 0.0f;
    if (!Coin()) {
        const bool positive = Coin();
        const float u = U();
        s = positive ? 0.1f + 0.35f * u : -0.1f - 0.35f * u;
    } else {
        s = 1.0f / R;
        if (!Coin()) s = -s;
    }
    const int p = shrinking && Coin() ? 2 * n : n;
    gPickTransformCount = p;
    for (int i = 0; i < p; ++i) {
        Reset(i);
        float x = 0, z = 0;
        RingShape(shape, RingAngle(i, n), &x, &z);
        Place(i, R * x, alternate && i % 2 == 1 ? -y : y, R * z);
        s *= f;
        Scale(i, s);
        Compose(i);
    }
    gTransformCount = p;
}

// A hexagon of six, a raised copy at double distance and half scale, and
// perhaps one more on the axis.
void MakeTransformationPreset38()
{
    Counts(6);
    for (int i = 0; i < 6; ++i) {
        Reset(i);
        Weight(i, 1.0f);
        const float phi = 60.0f * static_cast<float>(i) * kDegree;
        Place(i, std::sin(phi), 0.0f, std::cos(phi));
        Scale(i, 0.5f);
        std::memcpy(gTransforms[i].rotation, kIdentity, sizeof kIdentity);
        RandomVariations(i);
        Compose(i);
    }
    Counts(12);
    for (int j = 6; j < 12; ++j) {
        const TransformRecord& from = gTransforms[j - 6];
        Reset(j);
        Weight(j, 1.0f);
        Place(j, 2.0f * from.position[0], 2.0f * from.position[1] + 1.0f, 2.0f * from.position[2]);
        float* s = gTransforms[j].scaleShear;
        for (int k = 0; k < 3; ++k) s[4 * k] = 0.5f * from.scaleShear[4 * k];
        RandomVariations(j);
        std::memcpy(gTransforms[j].rotation, from.rotation, sizeof from.rotation);
        Compose(j);
    }
    if (!Coin()) return;
    Counts(13);
    Reset(12);
    Place(12, 0.0f, 1.5f * D(), 0.0f);
    Scale(12, 0.25f + 0.5f * U());
    Compose(12);
}

// 3 to 12 on the outline of a hexagon, at alternating heights.
void MakeTransformationPreset40()
{
    const int n = static_cast<int>(W() % 10u) + 3;
    Counts(n);
    if (n % 2 == 0) W();
    const float h = U() > 0.75f ? U() : 0.0f;
    const float y0 = U() <= 0.75f ? -U() : U();
    const float s1 = 1.1f + 1.6f * U();
    const bool s0Positive = Coin();
    const float u = U();
    const float s0 = s0Positive ? 0.1f + 0.35f * u : -0.1f - 0.35f * u;
    const bool F = Coin();
    for (int i = 0; i < n; ++i) {
        Reset(i);
        gTransforms[i].variationOn[0] = F ? 1 : 0;
        const float phi = RingAngle(i, n);
        const float r = 0.8660254f / std::cos(std::fmod(std::fabs(phi), kPi / 3.0f) - kPi / 6.0f);
        const float y = F ? h : y0;
        Place(i, r * std::sin(phi), i % 2 == 1 ? -y : y, r * std::cos(phi));
        Scale(i, F ? s1 : s0);
        Compose(i);
    }
}

// A ring of straight maps, perhaps with one or two more on the axis.
void MakeTransformationPreset43()
{
    const int n = static_cast<int>(W() % 10u) + 3;
    Counts(n);
    for (int i = 0; i < n; ++i) {
        Reset(i);
        Weight(i, 1.0f);
        const float phi = 360.0f * static_cast<float>(i) / static_cast<float>(n) * kDegree;
        std::memcpy(gTransforms[i].rotation, kIdentity, sizeof kIdentity);
        Place(i, std::sin(phi), 0.0f, std::cos(phi));
        Scale(i, (n < 9 ? 2.0f : 3.0f) / static_cast<float>(n));
        Compose(i);
    }
    if (!Coin()) return;
    Counts(n + 1);
    const float g = gTransforms[n - 1].scaleShear[0] * (1.0f - 0.2f * D());
    Reset(n);
    Place(n, 0.0f, 0.2f + 0.8f * U(), 0.0f);
    Scale(n, g);
    Compose(n);
    if (!Coin()) return;
    Counts(n + 2);
    Reset(n + 1);
    Place(n + 1, 0.0f, -gTransforms[n].position[1], 0.0f);
    Scale(n + 1, g);
    Compose(n + 1);
}

// A ring of 3 to 7 in which each member forbids one or two successors.
void MakeTransformationPreset84()
{
    const int n = static_cast<int>(W() % 5u) + 3;
    Counts(n);
    const int a = static_cast<int>(W() % static_cast<uint32_t>(n));
    const int b = static_cast<int>(W() % static_cast<uint32_t>(n - 1));
    const int c = (a + b) % n;
    const bool second = n >= 4 && Coin();
    const float Y = Coin() ? 1.0f : 0.0f;
    const float s0 = Coin() ? std::sin(kPi / static_cast<float>(n)) : -std::sin(kPi / static_cast<float>(n));
    const float s = s0 * (U() + 1.0f) * 0.5f;
    for (int i = 0; i < n; ++i) {
        Reset(i);
        const float height = (W() > kHalfWord ? 0.5f : -0.5f) * Y;
        const float phi = RingAngle(i, n);
        Place(i, std::sin(phi), height, std::cos(phi));
        Scale(i, s);
        gForbiddenSuccessors[i][0] = (a + i) % n;
        if (second) gForbiddenSuccessors[i][1] = (c + i) % n;
        Compose(i);
    }
}
