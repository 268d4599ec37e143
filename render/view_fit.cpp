// The fit of the camera view or of the light view to the current fractal,
// and the light rotation of the track ball.
#include <chrono>
#include <cmath>

#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/vector_math.h"
#include "render/projection.h"
#include "render/render_buffers.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

namespace {

constexpr int kFitPoints = 999;  // batch points 0..998 of slot 0

void RunFitBatch()
{
    gFractalTypeKernel.load(std::memory_order_relaxed)(0);
    if (gSymmetryOn.load(std::memory_order_relaxed)) ApplySymmetry(0);
}

// Each of the three passes stops at its batch count or after this long,
// whichever comes first: with many heavy baseshapes (and symmetry) the full
// counts took minutes on the window thread. A usual fractal finishes its
// batches well within it, so its fit is unchanged.
constexpr auto kFitPassBudget = std::chrono::milliseconds(250);

// Runs batches (at least one) until the count or the budget is spent, each
// followed by visit().
template <typename Visit>
void RunFitPass(int batches, Visit&& visit)
{
    const auto deadline = std::chrono::steady_clock::now() + kFitPassBudget;
    for (int n = 0; n < batches; ++n) {
        if (n > 0 && std::chrono::steady_clock::now() > deadline) break;
        RunFitBatch();
        visit();
    }
}

bool Finite3(float x, float y, float z) { return std::isfinite(x) && std::isfinite(y) && std::isfinite(z); }

// The point the fit measures for batch index i: the point itself in the
// camera fit, its light-view coordinates in the light fit. False when the
// point does not count (not finite, or outside the image in the light fit).
bool FitPoint(const ViewParams& v, bool lightFit, bool perspective, int i, float out[3])
{
    const float x = gPointX[i], y = gPointY[i], z = gPointZ[i];
    if (!Finite3(x, y, z)) return false;
    if (!lightFit) {
        out[0] = x, out[1] = y, out[2] = z;
        return true;
    }
    const CameraPoint p = ToCamera(v, x, y, z);
    float fx = p.a * v.k + v.offsetX;
    float fy = p.b * v.k + v.offsetY;
    if (perspective) {
        const float q = PerspectiveFactor(v, p.c);
        fx = p.a * v.k * q + v.offsetX;
        fy = p.b * v.k * q + v.offsetY;
    }
    if (!(fx > 0.0f && fx < v.widthF && fy > 0.0f && fy < v.heightF)) return false;
    out[0] = LightX(v, p), out[1] = LightY(v, p), out[2] = LightZ(v, p);
    return Finite3(out[0], out[1], out[2]);
}

}  // namespace

void FitViewToFractal(float* centreX, float* centreY, float* centreZ, float* scale, uint8_t mode)
{
    const bool symmetryOn = gSymmetryOn.load(std::memory_order_relaxed) != 0;
    const bool lightFit = mode == kFitLightView;
    const int batches = lightFit ? (symmetryOn ? 10000 : 1000) : 10;
    const ViewParams v = LoadViewParams();
    const bool perspective = gPerspectiveOn != 0;
    const int first = gSlotBatchStart[0];

    RunFitPass(batches, [] {});

    float lo[3] = {1000000.0f, 1000000.0f, 1000000.0f};
    float hi[3] = {-1000000.0f, -1000000.0f, -1000000.0f};
    RunFitPass(batches, [&] {
        for (int i = first; i < first + kFitPoints; ++i) {
            float p[3];
            if (!FitPoint(v, lightFit, perspective, i, p)) continue;
            for (int a = 0; a < 3; ++a) {
                if (p[a] < lo[a]) lo[a] = p[a];
                if (p[a] > hi[a]) hi[a] = p[a];
            }
        }
    });
    float centre[3] = {(lo[0] + hi[0]) / 2.0f, (lo[1] + hi[1]) / 2.0f, (lo[2] + hi[2]) / 2.0f};
    const int32_t symmetryMode = gSymmetryMode.load(std::memory_order_relaxed);
    if (mode == kFitCameraView && symmetryOn && symmetryMode < 7) {
        // Symmetric copies are spread around the origin.
        centre[0] = 0.0f;
        if (symmetryMode != 5) centre[1] = 0.0f;
        centre[2] = 0.0f;
    }

    const double growth = lightFit ? 1.1 : 1.025;
    float radius = 0.0f;
    RunFitPass(batches, [&] {
        for (int i = first; i < first + kFitPoints; ++i) {
            float p[3];
            if (!FitPoint(v, lightFit, perspective, i, p)) continue;
            const double dx = static_cast<double>(p[0]) - centre[0];
            const double dy = static_cast<double>(p[1]) - centre[1];
            const double dz = static_cast<double>(p[2]) - centre[2];
            const float r = static_cast<float>(growth * std::sqrt(dx * dx + dy * dy + dz * dz));
            if (r > radius) radius = r;
        }
    });

    if (mode == kFitCameraView) {
        *centreX = centre[0];
        *centreY = centre[1];
        *centreZ = centre[2];
        *scale = radius > 0.0f ? 1.0f / radius : 0.0f;
    } else if (lightFit && radius > 0.0f) {
        // Maps a light box of this radius around the centre onto 0..W.
        const float h = gHalfImageWidth;
        const float s = 1.0f / radius;
        *centreX = (radius + centre[0]) * h * s;
        *centreY = (radius + centre[1]) * h * s;
        *centreZ = (radius + centre[2] + 1.0f) * h * s;
        *scale = s * h;
    }
}

void UpdateLightViewMatrix()
{
    float axisAngle[4];
    AxisAngleBetween(axisAngle, gLightTrackBallA, gLightTrackBallB);
    AxisAngleMatrix(axisAngle, axisAngle[3], gLightViewMatrix);
}
