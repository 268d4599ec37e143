#include "render/surface_placement.h"

#include "engine/fractal_model.h"
#include "engine/random.h"
#include "render/projection.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"

// The render coordinator places the transformations while the window
// thread steps gGlobalRandomB, so the placement draws from a state of its own.
RandomState gSurfacePlacementRandom = {{0x2545F491u, 0x9E3779B9u, 0x6A09E667u, 0xBB67AE85u}, 1u};

namespace {
float DrawPlaneCoordinate()
{
    return static_cast<float>(RandomStep(gSurfacePlacementRandom)) * 3.0f * kRandomWordToFloat - 1.5f;
}
}  // namespace

void PlaceTransformationsOnSurface()
{
    if (!RenderBuffersReady()) return;
    const ViewParams view = LoadViewParams();
    const bool perspective = gPerspectiveOn != 0;
    TransformCoefficients& c = gTransformCoefficients;
    for (int t = 4; t <= 7; ++t) {
        c.m00[t] = 0.5f;
        for (int n = 0; n < kSurfacePlacementCandidates; ++n) {
            const float x = DrawPlaneCoordinate();
            const float z = DrawPlaneCoordinate();
            if (LandsInFront(view, gDepthBuffer, perspective, true, x, 0.0f, z)) {
                c.tx[t] = x;
                c.tz[t] = z;
                break;
            }
        }
    }
}
