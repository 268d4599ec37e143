// Placement helpers of the transformation presets: field setters, a few
// double-precision vector operations, the even spreading of points over the
// unit sphere by repulsion, and the Steiner chain.
//
// Sections: [setters] [vectors] [sphere spreading] [steiner chain]
#include <cmath>
#include <cstring>
#include <vector>

#include "editors/transformation_presets.h"
#include "editors/transformation_preset_steps.h"
#include "engine/random.h"

double gSphereSpreadStep = 1e-5;

// ---- [setters] ----------------------------------------------------------------------

void SetTransformationMatrix(int i, const float* rotation9)
{
    if (preset::Valid(i)) std::memcpy(gTransforms[i].rotation, rotation9, 9 * sizeof(float));
}

void SetTransformationScaleMatrix(int i, float s00, float s01, float s02, float s10, float s11, float s12, float s20,
                                  float s21, float s22)
{
    if (!preset::Valid(i)) return;
    const float m[9] = {s00, s01, s02, s10, s11, s12, s20, s21, s22};
    std::memcpy(gTransforms[i].scaleShear, m, sizeof m);
}

void SetTransformationUniformScale(int i, float s) { preset::Scale(i, s); }

void SetTransformationPosition(int i, const float* position)
{
    preset::Place(i, position[0], position[1], position[2]);
}

void SetTransformationPositionXYZ(int i, float x, float y, float z) { preset::Place(i, x, y, z); }

// ---- [vectors] ----------------------------------------------------------------------

double Vec3DotD(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Vec3LengthD(const double* a) { return std::sqrt(Vec3DotD(a, a)); }
double Vec3DistanceD(const double* a, const double* b)
{
    const double d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    return Vec3LengthD(d);
}

// ---- [sphere spreading] -------------------------------------------------------------

double SphereRepulsionEnergy(int n, const double* p)
{
    double e = 0.0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) e += 1.0 / Vec3DistanceD(p + 3 * i, p + 3 * j);
    return e;
}

void SphereRepulsionForces(int n, double* f, const double* p)
{
    for (int i = 0; i < 3 * n; ++i) f[i] = 0.0;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const double d[3] = {p[3 * i] - p[3 * j], p[3 * i + 1] - p[3 * j + 1], p[3 * i + 2] - p[3 * j + 2]};
            const double len = Vec3LengthD(d);
            const double k = 1.0 / (len * len * len);
            for (int c = 0; c < 3; ++c) {
                f[3 * i + c] += k * d[c];
                f[3 * j + c] -= k * d[c];
            }
        }
    }
}

void SpreadPointsOnSphere()
{
    const int n = TransformCountInUse();
    std::vector<double> current(3 * static_cast<size_t>(n)), trial(current.size()), force(current.size());
    for (int i = 0; i < n; ++i) {
        double* p = &current[3 * static_cast<size_t>(i)];
        double len = 0.0;
        do {
            for (int c = 0; c < 3; ++c) {
                const float a = GlobalRandomFloatA();
                p[c] = static_cast<double>(a - GlobalRandomFloatA());
            }
            len = Vec3LengthD(p);
        } while (len == 0.0);
        for (int c = 0; c < 3; ++c) p[c] /= len;
    }
    double energy = SphereRepulsionEnergy(n, current.data());
    double h = gSphereSpreadStep;
    for (int step = 0; step < 1000; ++step) {
        SphereRepulsionForces(n, force.data(), current.data());
        for (int i = 0; i < n; ++i) {
            double* f = &force[3 * static_cast<size_t>(i)];
            const double* p = &current[3 * static_cast<size_t>(i)];
            double* q = &trial[3 * static_cast<size_t>(i)];
            const double radial = Vec3DotD(f, p);
            for (int c = 0; c < 3; ++c) {
                f[c] -= radial * p[c];
                q[c] = p[c] + h * f[c];
            }
            const double len = Vec3LengthD(q);
            for (int c = 0; c < 3; ++c) q[c] /= len;
        }
        const double next = SphereRepulsionEnergy(n, trial.data());
        if (next >= energy) {
            h *= 0.5;
            gSphereSpreadStep = h;
            if (h < 1e-10) break;
        } else {
            h *= 2.0;
            gSphereSpreadStep = h;
            energy = next;
            current.swap(trial);
        }
    }
    for (int i = 0; i < n; ++i) {
        const double* p = &current[3 * static_cast<size_t>(i)];
        preset::Place(i, static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2]));
    }
}

// ---- [steiner chain] ----------------------------------------------------------------

void SphereMapStep(float* x, float* y, float* z, float c)
{
    const float k = 1.0f / (*x * *x + *y * *y - *z * *z);
    const float a = c / ((std::sqrt(4.0f * c * c + 1.0f) + 1.0f) / 2.0f);
    *x = a + k * *x;
    *y = k * *y;
    *z = k * *z;
}

void PlaceRingOfTransformations(int m, float R)
{
    if (m < 1 || m >= kMaxTransforms) return;
    const float c = preset::D();
    const float theta = static_cast<float>(2.0 * 3.14159265358979 / m);
    const float r = R * std::sin(theta / 2.0f);
    float xo = 0, yo = 0, ro = R + r, xi = 0, yi = 0, ri = R - r;
    for (int k = 0; k < 2; ++k) {
        SphereMapStep(&xo, &yo, &ro, c);
        SphereMapStep(&xi, &yi, &ri, c);
    }
    if (m == gPickTransformCount) ri *= 2.0f;
    TransformCoefficients& t = gTransformCoefficients;
    float last = ri;
    for (int i = 0; i < m; ++i) {
        const float a = static_cast<float>(i) * theta;
        float X = R * std::sin(a), Y = R * std::cos(a), rho = r;
        for (int k = 0; k < 2; ++k) SphereMapStep(&X, &Y, &rho, c);
        t.ty[i] = 0.0f;
        t.m01[i] = (rho / ro) * (rho / ro);
        t.m00[i] = (rho / ri) * (rho / ri);
        t.tx[i] = (X - xi) / ri;
        t.tz[i] = (Y - yi) / ri;
        last = rho;
    }
    t.tx[m] = t.ty[m] = t.tz[m] = 0.0f;
    t.m00[m] = 1.0f;
    const float q = (last / ri) / ro;
    t.m01[m] = q * q;
}
