// Transformation presets of a few freely placed transformations: spiral
// arms (a big and a small map), random scatters, pairs in the ground plane,
// planes turned by eighths, and a row of three.
#include "editors/transformation_presets.h"
#include "editors/transformation_preset_steps.h"

using namespace preset;

// A big and a small spiral arm.
void MakeTransformationPreset00()
{
    Counts(2);
    float v[3], axis[3];
    Reset(0);
    Weight(0, 0.9f);
    UnitVector(v);
    Place(0, 2.0f * v[0], 2.0f * v[1], 2.0f * v[2]);
    Scale(0, 0.7f + 0.25f * U());
    UnitVector(axis);
    Rotate(0, axis, 0.17453292f + 0.61086525f * U());
    RandomVariations(0);
    Compose(0);

    Reset(1);
    Weight(1, 0.1f);
    UnitVector(v);
    Place(1, 0.5f * v[0], 0.5f * v[1], 0.5f * v[2]);
    Scale(1, 0.25f + 0.5f * U());
    UnitVector(axis);
    Rotate(1, axis, kTwoPi * U());
    RandomVariations(1);
    Compose(1);
}

// "Random": 2 to 4 maps with random shears.
void MakeTransformationPreset01()
{
    const int n = static_cast<int>(W() % 3u) + 2;
    Counts(n);
    for (int i = 0; i < n; ++i) {
        Reset(i);
        Weight(i, 0.9f * U());
        const float x = D(), y = D(), z = D();
        Place(i, x, y, z);
        float* s = gTransforms[i].scaleShear;
        for (int e = 0; e < 9; ++e) s[e] = e % 4 == 0 ? 0.4f + 0.4f * U() : 0.125f * D();
        float axis[3];
        UnitVector(axis);
        Rotate(i, axis, kTwoPi * U());
        RandomVariations(i);
        Compose(i);
    }
}

void MakeTransformationPreset06()
{
    Counts(2);
    for (int i = 0; i < 2; ++i) {
        Reset(i);
        const float z = 2.0f * D();
        Place(i, 2.0f * D(), 0.0f, z);
        Scale(i, 0.25f);
        Compose(i);
    }
}

void MakeTransformationPreset10()
{
    Counts(2);
    Reset(0);
    {
        const float x = 1.5f * D() - 0.25f;
        Place(0, x, 0.0f, 1.5f * D());
    }
    Reset(1);
    float x = 0.5f + 0.2f * D();
    float z = x + 0.1f * D();
    if (Coin()) x = -x;
    if (Coin()) z = -z;
    Place(1, x, 0.0f, z);
    for (int i = 0; i < 2; ++i) {
        Scale(i, 1.0f);
        Compose(i);
    }
}

void MakeTransformationPreset11()
{
    const int n = static_cast<int>(W() & 1u) + 1;
    Counts(n);
    for (int i = 0; i < n; ++i) {
        Reset(i);
        const float s = n == 2 ? 0.2f + 0.7f * U() : 0.5f + 0.45f * U();
        Scale(i, s);
        const float y = n == 2 ? 1.5f * D() : 0.0f;
        const float z = 0.375f * D() * s;
        const float x = (0.375f * D() - 0.0625f) * s;
        Place(i, x, y, z);
        float axis[3];
        UnitVector(axis);
        Rotate(i, axis, static_cast<float>(W() % 360u) * kDegree);
        Compose(i);
    }
}

// One mirrored or plain map in the ground plane, and the default map.
void MakeTransformationPreset12()
{
    Counts(1);
    Reset(0);
    const bool low = W() <= kHalfWord;
    const float u = U();
    Scale(0, low ? 0.75f + 0.2f * u : -0.75f - 0.2f * u);
    const float x = 0.75f * D();
    Place(0, x, 0.0f, D());
    float axis[3];
    UnitVector(axis);
    Rotate(0, axis, static_cast<float>(W() % 360u) * kDegree);
    Compose(0);
    Counts(2);
    Reset(1);
    Compose(1);
}

// One map whose reach suits the radiolarian type.
void MakeTransformationPreset13()
{
    Counts(1);
    Reset(0);
    float s = 0, x = 0, z = 0;
    switch (gFractalType) {
    case 32:
        s = 0.5f + 0.15f * D(), x = 0.6f * D(), z = 0.5f + D();
        break;
    case 33:
        s = 0.5f + 0.15f * D(), x = 0.2f * D(), z = 1.5f + 1.25f * D();
        break;
    case 34:
        s = 0.5f + 0.15f * D(), x = 0.4f * D(), z = 2.0f + D();
        break;
    case 35:
        s = 0.4f + 0.2f * D(), x = 0.1f * D(), z = 1.75f + 0.5f * D();
        break;
    default:
        s = 0.5f + 0.1f * D(), x = 0.4f * D(), z = 2.0f + D();
        break;
    }
    Place(0, x, 0.0f, z);
    Scale(0, s);
    if (Coin()) Rotate(0, 0, 1, 0, static_cast<float>(W() % 360u) * kDegree);
    Compose(0);
}

void MakeTransformationPreset14()
{
    Counts(1);
    Reset(0);
    const float z = 2.0f * D(), y = 2.0f * D();
    Place(0, 2.0f * D(), y, z);
    Scale(0, 0.5f);
    Compose(0);
}

void MakeTransformationPreset15()
{
    Counts(2);
    Reset(0);
    {
        const float x = 1.5f * D() - 0.25f, y = 2.0f * D();
        Place(0, x, y, 2.0f * D());
    }
    Reset(1);
    switch (W() % 3u) {
    case 0: {
        float p[3];
        for (float& c : p) {
            c = 0.5f + 0.2f * D();
            if (Coin()) c = -c;
        }
        Place(1, p[0], p[1], p[2]);
        break;
    }
    case 1: Place(1, 0.5f, 0.5f, 0.5f); break;
    default: Place(1, -0.5f, -0.5f, -0.5f); break;
    }
    for (int i = 0; i < 2; ++i) {
        Scale(i, 1.0f);
        Compose(i);
    }
}

// "Planes I": three maps of scale and weight sqrt(u), turned by eighths.
void MakeTransformationPreset17()
{
    Counts(3);
    for (int i = 0; i < 3; ++i) {
        Reset(i);
        const float x = 2.0f * D(), y = 2.0f * D();
        Place(i, x, y, 2.0f * D());
        const float s = std::sqrt(U());
        Weight(i, s);
        Scale(i, s);
        Rotate(i, 0, 1, 0, EighthTurn(W()));
        RandomVariations(i);
        Compose(i);
    }
}

// "Spirals II": on random spheres of radius 2 and 0.5, each scale axis
// with its own sign.
void MakeTransformationPreset19()
{
    Counts(2);
    const float radius[2] = {2.0f, 0.5f}, weight[2] = {0.9f, 0.1f};
    for (int i = 0; i < 2; ++i) {
        Reset(i);
        Weight(i, weight[i]);
        float v[3];
        RandomVectorOnSphere(v, radius[i]);
        Place(i, v[0], v[1], v[2]);
        const float u = U();
        const float s = i == 0 ? 0.6f + 0.35f * u : 0.25f + 0.5f * u;
        float* m = gTransforms[i].scaleShear;
        for (int k = 0; k < 3; ++k) m[4 * k] = Coin() ? -s : s;
        float axis[3];
        UnitVector(axis);
        Rotate(i, axis, i == 0 ? 0.17453292f + 0.61086f * U() : kTwoPi * U());
        RandomVariations(i);
        Compose(i);
    }
}

void MakeTransformationPreset32()
{
    Counts(3);
    for (int i = 0; i < 3; ++i) {
        Reset(i);
        float u[6];
        for (float& v : u) v = U();
        Place(i, 2.0f * (u[4] - u[5]), 2.0f * (u[2] - u[3]), 2.0f * (u[0] - u[1]));
        const float s = U();
        Weight(i, s);
        Scale(i, s);
        Compose(i);
    }
}

// A row of three on the x axis; the middle one flips and turns about z.
void MakeTransformationPreset83()
{
    Counts(3);
    const float a = kTwoPi * U();
    const float s = 0.25f + 0.5f * U();
    for (int i = 0; i < 3; ++i) {
        Reset(i);
        Place(i, static_cast<float>(i - 1), 0.0f, 0.0f);
        if (i == 1) {
            Scale(i, 2.0f * U() - 1.0f);
            Rotate(i, 0, 0, 1, 2.0944f * U());
        } else {
            Scale(i, s);
            Rotate(i, 0, 1, 0, a);
        }
        Compose(i);
    }
}
