// The per-point projection shared by the passes, the probability tuner, the
// light-view fit and the surface placement: centre, scale, camera rotation,
// image position; and the light view of the shadow map. Everything is read
// once into a ViewParams so that hot loops keep it in registers.
#pragma once

#include <cstdint>

#include "engine/shared_access.h"

inline constexpr float kDepthScale = 32767.0f;
inline constexpr float kShadowKeepFactor = 0.99f;

struct ViewParams {
    float cx, cy, cz, scale;
    float m0, m1, m2, m3, m4, m5, m6, m7, m8;  // camera
    float k, offsetX, offsetY;                 // image scale and offsets
    float focal, eye;                          // perspective
    float l0, l1, l2, l3, l4, l5, l6, l7, l8;  // light view
    float shadowScale, shadowOffsetX, shadowOffsetY;
    int32_t width, height;
    float widthF, heightF, shadowLimitF;  // W, H and W - 1 as floats
};

// Snapshot of the current view globals.
ViewParams LoadViewParams();

struct CameraPoint {
    float a, b, c;  // image axes and depth (towards the viewer is larger)
};

inline CameraPoint ToCamera(const ViewParams& v, float x, float y, float z)
{
    const float dx = (x - v.cx) * v.scale;
    const float dy = (y - v.cy) * v.scale;
    const float dz = (z - v.cz) * v.scale;
    return {v.m0 * dx + v.m1 * dy + v.m2 * dz, v.m3 * dx + v.m4 * dy + v.m5 * dz,
            v.m6 * dx + v.m7 * dy + v.m8 * dz};
}

// Perspective factor; callers drop the point unless it is >= 0 (NaN fails).
inline float PerspectiveFactor(const ViewParams& v, float c) { return -v.focal / (c - v.eye); }

// Light-view coordinates of a camera point (the box the light fit measures).
inline float LightX(const ViewParams& v, const CameraPoint& p) { return v.l2 * p.c - (v.l0 * p.a + v.l1 * p.b); }
inline float LightY(const ViewParams& v, const CameraPoint& p) { return v.l5 * p.c - (v.l3 * p.a + v.l4 * p.b); }
inline float LightZ(const ViewParams& v, const CameraPoint& p) { return v.l8 * p.c - (v.l6 * p.a + v.l7 * p.b); }

// Light depth in the shadow map's 16-bit scale.
inline float LightDepth(const ViewParams& v, const CameraPoint& p)
{
    return v.l8 * p.c * kDepthScale - (v.l7 * p.b + v.l6 * p.a) * kDepthScale + kDepthScale;
}

// Shadow-map cell of a camera point, or -1 when it lies on the border cells
// (0, 1 or W - 1 in either axis), outside, or is not a number.
inline int64_t ShadowCell(const ViewParams& v, const CameraPoint& p)
{
    const float sx = v.shadowOffsetX - LightX(v, p) * v.shadowScale;
    const float sy = v.shadowOffsetY - LightY(v, p) * v.shadowScale;
    if (!(sx >= 2.0f && sx < v.shadowLimitF && sy >= 2.0f && sy < v.shadowLimitF)) return -1;
    return static_cast<int64_t>(static_cast<int32_t>(sy)) * v.width + static_cast<int32_t>(sx);
}

// Image pixel of an image position, or -1 when px or py is 0, outside the
// image or not a number. Converts to an integer only after the range test.
inline int64_t ImagePixel(const ViewParams& v, float fx, float fy)
{
    if (!(fx >= 1.0f && fx < v.widthF && fy >= 1.0f && fy < v.heightF)) return -1;
    return static_cast<int64_t>(static_cast<int32_t>(fy)) * v.width + static_cast<int32_t>(fx);
}

// Where a point lands in front of the depth image, as the tuner scores it
// and the surface placement looks for it: true when the point's pixel is
// inside and its depth beats the stored one; with limitDepth the depth must
// also lie in 0..65530.
inline bool LandsInFront(const ViewParams& v, const float* depth, bool perspective, bool limitDepth,
                         float x, float y, float z)
{
    const CameraPoint p = ToCamera(v, x, y, z);
    const float d = (p.c + 1.0f) * kDepthScale;
    if (limitDepth && !(d >= 0.0f && d <= 65530.0f)) return false;
    float fx, fy;
    if (perspective) {
        const float q = PerspectiveFactor(v, p.c);
        if (!(q >= 0.0f)) return false;
        fx = p.a * v.k * q + v.offsetX;
        fy = p.b * v.k * q + v.offsetY;
    } else {
        fx = p.a * v.k + v.offsetX;
        fy = p.b * v.k + v.offsetY;
    }
    const int64_t pixel = ImagePixel(v, fx, fy);
    return pixel >= 0 && d > SharedLoad(depth[pixel]);
}
