// Transformation presets for the complex and parametric types: circle
// inversions on a ring, a bounded pair of Moebius maps, loxodromes, Steiner
// chains (as circles and as inversions), and the sets that keep their
// parameters in the variation amounts of the first records. Several write
// the published coefficients directly and leave the records uncomposed.
#include <cmath>
#include <complex>

#include "editors/transformation_presets.h"
#include "editors/transformation_preset_steps.h"
#include "engine/transform_set.h"

using namespace preset;

namespace {

Complex Make(float re, float im) { return Complex{re, im}; }

// The inversion in the circle of radius rho about (x, z), as a Moebius map,
// with c given.
void PublishCircleInversion(int i, float x, float z, float rho, Complex c)
{
    PublishInversion(i, Make(x / rho, z / rho), Make(rho - (x * x + z * z) / rho, 0.0f), c, Make(-x / rho, z / rho));
}

float& Amount(int t, int k) { return gTransforms[t].variationAmount[k]; }

}  // namespace

// "Mobius": inversions in 3 to 7 circles on a ring of radius 2.
void MakeTransformationPreset44()
{
    Place(0, 0.0f, 0.0f, 2.0f);
    const int n = static_cast<int>(W() % 5u) + 3;
    Counts(n);
    const float theta = kTwoPi / static_cast<float>(n);
    Place(1, 2.0f * std::sin(theta), 0.0f, 2.0f * std::cos(theta));
    const float rho = 2.0f * std::sin(theta / 2.0f);
    for (int i = 0; i < n; ++i) {
        Reset(i);
        const float x = 2.0f * std::sin(static_cast<float>(i) * theta), z = 2.0f * std::cos(static_cast<float>(i) * theta);
        Place(i, x, 0.0f, z);
        Scale(i, rho);
        const float c1 = 1.0f + 0.25f * D();
        const float c2 = 0.5f * D();
        // The ring's own orientation: a and d take (z, x) where preset 49's
        // inversions take (x, z).
        PublishInversion(i, Make(z / rho, x / rho), Make(rho - (x * x + z * z) / rho, 0.0f), Make(c1 / rho, c2 / rho),
                         Make(-z / rho, x / rho));
    }
    const float g = 2.0f - rho;
    Amount(n, 0) = g * g;
}

// "Mobius Z", "Fan": two random Moebius maps whose orbit stays bounded.
void MakeTransformationPreset46()
{
    Counts(2);
    using C = std::complex<float>;
    C m[2][4];
    bool beyondOne = false;  // cleared once, not per attempt
    for (int attempt = 0; attempt < kMobiusPairAttempts; ++attempt) {
        for (auto& map : m)
            for (C& v : map) {
                const float re = 2.0f * U() - 1.0f;
                v = C(re, 2.0f * U() - 1.0f);
            }
        C z(0.001f, 0.01f);
        bool escaped = false;
        for (int step = 0; step < kMobiusPairOrbitSteps; ++step) {
            const C* k = U() > 0.75f ? m[0] : m[1];
            z = (k[0] * z + k[1]) / (k[2] * z + k[3]);
            const float r = std::abs(z);
            if (!(r <= 10.0f)) {
                escaped = true;
                break;
            }
            if (r > 1.0f) beyondOne = true;
        }
        if (!escaped && std::abs(z) < 10.0f && beyondOne) {
            TransformCoefficients& t = gTransformCoefficients;
            for (int k = 0; k < 2; ++k) {
                t.m00[k] = m[k][0].real(), t.m01[k] = m[k][0].imag();
                t.m02[k] = m[k][1].real(), t.m10[k] = m[k][1].imag();
                t.m11[k] = m[k][2].real(), t.m12[k] = m[k][2].imag();
                t.m20[k] = m[k][3].real(), t.m21[k] = m[k][3].imag();
                KeepMobius(k, Make(m[k][0].real(), m[k][0].imag()), Make(m[k][1].real(), m[k][1].imag()),
                           Make(m[k][2].real(), m[k][2].imag()), Make(m[k][3].real(), m[k][3].imag()));
            }
            break;
        }
    }
    Weight(0, 0.75f);
    Weight(1, 0.25f);
}

// "Loxodromes": 3 to 50 maps sharing three random parameters.
void MakeTransformationPreset47()
{
    const float u = U();
    const int n = 3 + static_cast<int>(48.0f * u * u);
    Counts(n);
    const float p1 = 0.5f + U(), p2 = 0.1f + 0.25f * U(), p3 = 0.5f + U();
    TransformCoefficients& t = gTransformCoefficients;
    for (int i = 0; i < gTransformCount; ++i) {
        Weight(i, 1.0f);
        t.m01[i] = p1;
        t.m02[i] = p2;
        t.m10[i] = p3;
        t.m00[i] = static_cast<float>(i) / static_cast<float>(n) - 0.5f;
    }
}

// "Steiner Chain": 3 to 13 circles between two bounding circles.
void MakeTransformationPreset48()
{
    const float u1 = U();
    const uint32_t w2 = W(), w3 = W();
    int m = 0;
    if (w2 <= kHalfWord) {
        gPickTransformCount = static_cast<int>(w3 % 10u) + 4;
        m = static_cast<int>(w3 % 10u) + 3;
    } else {
        gPickTransformCount = m = static_cast<int>(w3 % 11u) + 3;
    }
    PlaceRingOfTransformations(m, 0.5f + 4.0f * u1);
    gTransformCount = gPickTransformCount;
    const TransformCoefficients& t = gTransformCoefficients;
    for (int i = 0; i < gTransformCount; ++i) {
        Place(i, t.tx[i], t.ty[i], t.tz[i]);
        Weight(i, 1.0f);
    }
}

// "Q Steiner Chain": the chain as inversions in its circles.
void MakeTransformationPreset49()
{
    float t = U();
    t += U();
    float t2 = U();
    t2 = 0.05f * (t2 + U());
    const uint32_t w = W();
    const bool K = w <= kHalfWord;
    int m = 0;
    if (K) {
        Counts(2 * static_cast<int>(w % 4u) + 5);
        m = gTransformCount - 1;
    } else {
        m = 2 * static_cast<int>(w % 3u) + 4;
        Counts(m);
        if (m == 6) t *= 0.25f;
        if (m == 8) t *= 0.1f;
    }
    const bool K2 = W() <= kHalfWord;
    PlaceRingOfTransformations(m, 0.5f + 4.0f * U());
    const TransformCoefficients& k = gTransformCoefficients;
    const int n = gTransformCount;
    for (int i = 0; i < n; ++i) {
        float rho = std::sqrt(k.m00[i]);
        const float x = k.tx[i], z = k.tz[i];
        Place(i, x, k.ty[i], z);
        Weight(i, 1.0f);
        const bool last = i == n - 1;
        Complex c = Make(1.0f / rho, 0.0f);
        if (!K) {
            c.im = t / rho;
        } else if (K2) {
            if (last) {
                rho *= 1.0f + 0.5f * U();
                c = Make((t + 1.0f) / rho, t2 / rho);
            }
        } else if (!last) {
            c.im = t2 / rho;
        }
        PublishCircleInversion(i, x, z, rho, c);
    }
}

// "Julia_Like", "Reflection": one unit map on a random sphere and the
// default map.
void MakeTransformationPreset50()
{
    Counts(2);
    Reset(0);
    Reset(1);
    Weight(0, 1.0f);
    Weight(1, 1.0f);
    float v[3];
    UnitVector(v);
    const float k = gFractalGeneratorRow == 17 ? 1.5f + 0.2f * D() : 1.2f + 0.3f * U();
    Scale(0, 1.0f);
    Place(0, k * v[0], k * v[1], k * v[2]);
    float axis[3];
    UnitVector(axis);
    Rotate(0, axis, kTwoPi * U());
    Amount(0, 0) = 1.5f + 0.25f * U();
    Compose(0);
}

// "Julia Boxes": the parameters in the amounts of transformation 0.
void MakeTransformationPreset51()
{
    Counts(3);
    for (int i = 0; i < 3; ++i) Weight(i, 1.0f);
    const float u1 = U();
    Amount(0, 0) = 1.5f * U() - 2.0f * u1;
    Amount(0, 1) = 0.25f + 0.75f * U();
    Amount(0, 2) = static_cast<float>(W() % 3u);
    Amount(0, 3) = Coin() ? 1.0f : 0.0f;
}

// "Tree": trunk and branches in the amounts of transformations 0 to 3.
void MakeTransformationPreset52()
{
    Counts(Coin() ? 3 : 4);
    for (int i = 0; i < gTransformCount; ++i) Weight(i, 1.0f);
    const float s = 0.6f + 0.4f * U();
    const float shrink = 1.0f - 0.2f * U();
    const float t = Coin() ? s : shrink * s;
    Amount(0, 0) = 1.0f, Amount(0, 1) = 1.0f - s, Amount(0, 2) = 1.0f - t, Amount(0, 3) = 1.0f - s;

    const float lift = U();
    Amount(1, 0) = 3.0f, Amount(1, 2) = -(1.0f + lift), Amount(1, 3) = 0.0f, Amount(1, 4) = 1.0f;
    Amount(1, 5) = s, Amount(1, 6) = t, Amount(1, 7) = s, Amount(1, 8) = 10.0f;
    if (!Coin()) {
        Amount(1, 10) = 360.0f * D();
    } else {
        Amount(1, 10) = 360.0f / static_cast<float>(W() % 15u + 2u);
    }
    Amount(1, 11) = 0.0f, Amount(1, 12) = 3.0f;
    Place(1, 0.0f, 1.0f + lift, 0.0f);

    Amount(2, 0) = 10.0f, Amount(2, 1) = 0.0f, Amount(2, 2) = 0.0f;
    Amount(2, 3) = static_cast<float>(W() % 90u) + 5.0f;
    Amount(2, 4) = 1.0f;
    const float leaf = 0.3f + 0.6f * U();
    Amount(2, 5) = Amount(2, 6) = Amount(2, 7) = leaf;
    Amount(2, 8) = 3.0f, Amount(2, 9) = 0.0f, Amount(2, 10) = 1.5f * U(), Amount(2, 11) = 0.0f;
    Amount(3, 0) = 9.0f;
}

// "Julia 2": the parameters in the amounts of transformation 0, and one
// turned unit map.
void MakeTransformationPreset53()
{
    Counts(3);
    for (int i = 0; i < 3; ++i) Weight(i, 1.0f);
    Amount(0, 0) = 2.5f * U() - 2.0f;
    Amount(0, 1) = 1.333f * (2.0f * U() - 1.0f);
    Amount(0, 2) = 0.4f + 0.3f * U();
    Amount(0, 3) = static_cast<float>(W() % 3u);
    float axis[3];
    UnitVector(axis);
    Rotate(2, axis, kTwoPi * U());
    Scale(2, 1.0f);
    Compose(2);
    Amount(2, 0) = 0.4f * (1.0f + U());
}
