// Transformation presets that stand on solids: the vertices of the regular
// polyhedra and of points spread over the sphere, a 3 x 3 grid of turned
// planes, spheres grown until they touch, and maps on the faces and corners
// of a cube.
#include <cmath>
#include <cstring>

#include "editors/transformation_presets.h"
#include "editors/transformation_preset_steps.h"

using namespace preset;

namespace {

struct Solid {
    int count;
    float radius;  // half the edge: the scale of touching spheres is its square
    const float (*vertices)[3];
};

constexpr float kTetrahedron[4][3] = {{0, 0, 1}, {0.943f, 0, -0.333f}, {-0.471f, 0.816f, -0.333f},
                                      {-0.471f, -0.816f, -0.333f}};
constexpr float kOctahedron[6][3] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
constexpr float kCube[8][3] = {{0.816f, 0, 0.577f},  {0, 0.816f, 0.577f},  {-0.816f, 0, 0.577f},
                               {0, -0.816f, 0.577f}, {0.816f, 0, -0.577f}, {0, 0.816f, -0.577f},
                               {-0.816f, 0, -0.577f}, {0, -0.816f, -0.577f}};
constexpr float kDodecahedron[20][3] = {
    {0.607f, 0, 0.795f},      {0.188f, 0.577f, 0.795f},   {-0.491f, 0.357f, 0.795f}, {-0.491f, -0.357f, 0.795f},
    {0.188f, -0.577f, 0.795f}, {0.982f, 0, 0.188f},       {0.304f, 0.934f, 0.188f},  {-0.795f, 0.577f, 0.188f},
    {-0.795f, -0.577f, 0.188f}, {0.304f, -0.934f, 0.188f}, {0.795f, 0.577f, -0.188f}, {-0.304f, 0.934f, -0.188f},
    {-0.982f, 0, -0.188f},    {-0.304f, -0.934f, -0.188f}, {0.795f, -0.577f, -0.188f}, {0.491f, 0.357f, -0.795f},
    {-0.188f, 0.577f, -0.795f}, {-0.607f, 0, -0.795f},    {-0.188f, -0.577f, -0.795f}, {0.491f, -0.357f, -0.795f}};
constexpr float kIcosahedron[12][3] = {
    {0, 0, 1},          {0.894f, 0, 0.447f},   {0.276f, 0.851f, 0.447f},   {-0.724f, 0.526f, 0.447f},
    {-0.724f, -0.526f, 0.447f}, {0.276f, -0.851f, 0.447f}, {0.724f, 0.526f, -0.447f}, {-0.276f, 0.851f, -0.447f},
    {-0.894f, 0, -0.447f}, {-0.276f, -0.851f, -0.447f}, {0.724f, -0.526f, -0.447f}, {0, 0, -1}};

constexpr Solid kSolids[5] = {{4, 0.8164156f, kTetrahedron},
                              {6, 0.70710677f, kOctahedron},
                              {8, 0.5769991f, kCube},
                              {20, 0.35654244f, kDodecahedron},
                              {12, 0.5256056f, kIcosahedron}};

}  // namespace

// "Apollonian I": touching spheres at the vertices of a regular solid or
// of 4 to 23 points spread over the sphere, perhaps with the one between.
void MakeTransformationPreset03()
{
    const uint32_t k = W() % 6u;
    int n = 0;
    float r = 0.0f;
    if (k < 5) {
        const Solid& solid = kSolids[k];
        n = solid.count;
        r = solid.radius;
        Counts(n);
        for (int i = 0; i < n; ++i) {
            Reset(i);
            Place(i, solid.vertices[i][0], solid.vertices[i][1], solid.vertices[i][2]);
        }
    } else {
        n = static_cast<int>(GlobalRandomU32B() % 20u) + 4;
        Counts(n);
        SpreadPointsOnSphere();
        r = 0.5f * Vec3Distance(gTransforms[0].position, gTransforms[1].position);
        for (int i = 0; i < n; ++i) Weight(i, 1.0f);
    }
    for (int i = 0; i < n; ++i) {
        Scale(i, r * r);
        Compose(i);
    }
    if (W() % 2u == 0) return;
    Counts(n + 1);
    Reset(n);
    const float c = 1.0f - std::fabs(r);
    Scale(n, c * c);
    Compose(n);
}

// "Planes II", first maker: nine (or eighteen) planes on a 3 x 3 grid,
// each turned by quarter turns about a random axis.
void MakeTransformationPreset08A()
{
    const int n = U() > 0.95f ? 18 : 9;
    Counts(n);
    static constexpr float kAxes[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    float x = -0.5f, z = -0.5f;
    for (int i = 0; i < n; ++i) {
        Reset(i);
        Weight(i, 1.0f);
        const float* axis = kAxes[W() % 6u];
        float y = i <= 8 ? 0.0f : 0.5f;
        if (n == 9 && i == 4 && U() > 0.33f) y = Coin() ? -0.5f : 0.5f;
        Place(i, x, y, z);
        x += 0.5f;
        if (x > 0.5f) {
            x = -0.5f;
            z += 0.5f;
        }
        if (z > 0.5f) x = z = -0.5f;
        float s = (W() & 1u) == 0 ? 1.0f / 3.0f : -1.0f / 3.0f;
        if (U() > 0.98f) s *= (W() & 1u) == 0 ? 1.5f : -1.5f;
        Scale(i, s);
        float angle = static_cast<float>(W() % 4u) * 90.0f * kDegree;
        if (U() > 0.99f) angle = kPi / 4.0f;
        Rotate(i, axis, angle);
        float* p = gTransforms[i].position;
        if (U() > 0.98f) Vec3Scale(p, p, 2.0f);
        RandomVariations(i);
        if (gFractalType == 42) Vec3Scale(p, p, 2.0f);
        Compose(i);
    }
    ClosePlanesPreset(n);
}

// 3 to 12 scattered spheres grown until each touches another.
void MakeTransformationPreset18()
{
    const int n = static_cast<int>(W() % 10u) + 3;
    Counts(n);
    for (int i = 0; i < n; ++i) {
        Reset(i);
        const float x = D(), y = D();
        Place(i, x, y, D());
    }
    float radius[kMaxTransforms];
    bool touching[kMaxTransforms] = {};
    for (int i = 0; i < n; ++i) radius[i] = 0.001f;
    for (int pass = 0; pass < 2000; ++pass) {
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                if (i == j) continue;
                if (Vec3Distance(gTransforms[i].position, gTransforms[j].position) <= radius[i] + radius[j])
                    touching[i] = touching[j] = true;
            }
        }
        bool all = true;
        for (int i = 0; i < n; ++i) all = all && touching[i];
        if (all) break;
        for (int i = 0; i < n; ++i)
            if (!touching[i]) radius[i] += 0.001f;
    }
    for (int i = 0; i < n; ++i) {
        Scale(i, radius[i]);
        Weight(i, radius[i]);
        Rotate(i, 0, 1, 0, EighthTurn(W()));
        Compose(i);
    }
}

// "Hedra": 4 to 20 maps spread evenly over the unit sphere, all with the
// same variations, turned about their own direction.
void MakeTransformationPreset30()
{
    const int n = static_cast<int>(W() % 17u) + 4;
    Counts(n);
    for (int i = 0; i < n; ++i) Reset(i);
    SpreadPointsOnSphere();
    const float angle = Coin() ? 0.0f : static_cast<float>(W() % 360u) * kDegree;
    const float s = 0.25f + 0.25f * U();
    RandomVariations(0);
    for (int i = 1; i < n; ++i) {
        std::memcpy(gTransforms[i].variationOn, gTransforms[0].variationOn, 10);
        std::memcpy(gTransforms[i].variationAmount, gTransforms[0].variationAmount, 10 * sizeof(float));
        gTransforms[i].variationCount = gTransforms[0].variationCount;
    }
    for (int i = 0; i < n; ++i) {
        Weight(i, 0.1f);
        float axis[3];
        std::memcpy(axis, gTransforms[i].position, sizeof axis);
        float* p = gTransforms[i].position;
        if (gFractalType == 42) Vec3Scale(p, p, 1.5f);
        Scale(i, s);
        Rotate(i, axis, angle);
        Compose(i);
    }
}

// Maps on four or five faces of a cube; the floor and the roof turn about y.
void MakeTransformationPreset80()
{
    const int n = 4 + static_cast<int>(W() % 2u);
    Counts(n);
    for (int i = 0; i < n; ++i) {
        Reset(i);
        float s = 0.5f;
        switch (i) {
        case 0: Place(i, 0, -1, 0), s = U(); break;
        case 1: Place(i, 0, 1, 0), s = 1.0f - gTransforms[0].scaleShear[0]; break;
        case 2: Place(i, -1, 0, 0); break;
        case 3: Place(i, 1, 0, 0); break;
        default: Place(i, 0, 0, -1); break;
        }
        if (n == 5 && i > 1) {
            const float a = 120.0f * static_cast<float>(i) * kDegree;
            Place(i, std::sin(a), 0.0f, std::cos(a));
        }
        Scale(i, s);
        if (i < 2) {
            const bool positive = Coin();
            const float degrees = 10.0f * static_cast<float>(W() % 36u);
            Rotate(i, 0, 1, 0, (positive ? degrees : -degrees) * kDegree);
            Weight(i, 2.0f * s);
        } else {
            Weight(i, s);
        }
        Compose(i);
    }
}

// 3 to 6 maps at corners of a cube, each turned by random quarter turns.
void MakeTransformationPreset81()
{
    const int n = static_cast<int>(W() % 4u) + 3;
    Counts(n);
    static constexpr float kCorners[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    static constexpr float kAxes[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, 1}};
    for (int i = 0; i < n; ++i) {
        Reset(i);
        float x = kCorners[i % 4][0], z = kCorners[i % 4][1];
        if (i == 5 && Coin()) {
            x = -gTransforms[4].position[0];
            z = -gTransforms[4].position[2];
        }
        Place(i, x, i < 4 ? -1.0f : 1.0f, z);
        const float* axis = kAxes[W() % 6u];
        const float degrees = 90.0f * static_cast<float>(W() % 4u);
        Rotate(i, axis, (Coin() ? degrees : -degrees) * kDegree);
        RandomVariations(i);
        Compose(i);
    }
}

// Three or four maps in opposite pairs, turned by random angles.
void MakeTransformationPreset82()
{
    const int n = W() % 3u == 0 ? 3 : 4;
    Counts(n);
    const float A = kTwoPi * U() - kPi, B = kTwoPi * U() - kPi;
    const uint32_t mode = W() % 3u;
    const float s1 = mode < 2 ? 0.5f : 0.25f + 0.7f * U();
    const float s2 = mode == 2 ? 0.25f + 0.7f * U() : 1.0f - s1;
    const float p1 = 0.125f + 1.75f * U(), p2 = 0.125f + 1.75f * U();
    const float A2 = Coin() ? -A : A, B2 = Coin() ? -B : B;
    for (int i = 0; i < n; ++i) {
        Reset(i);
        switch (i) {
        case 0: Place(i, -p1, 0, 0), Rotate(i, 0, 0, 1, A); break;
        case 1: Place(i, p1, 0, 0), Rotate(i, 0, 0, 1, A2); break;
        case 2:
            if (n == 4) {
                Place(i, 0, 0, -p2), Rotate(i, 1, 0, 0, B);
            } else {
                Place(i, 0, 0, 0), Rotate(i, 0, 1, 0, 2.0f * kTwoPi * U() - kTwoPi);
            }
            break;
        default: Place(i, 0, 0, p2), Rotate(i, 1, 0, 0, B2); break;
        }
        Weight(i, 0.5f);
        Scale(i, i < 2 ? s1 : s2);
        RandomVariations(i);
        Compose(i);
    }
}
