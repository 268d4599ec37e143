// The projection passes: each takes one render slot's slice of the point
// batch (indices start + 1 .. last - 2) and splats it into the render
// buffers. They differ in projection (orthographic, perspective), shadow-map
// update, point used (unchanged, mirrored through the origin, fog-jittered)
// and colouring (palette, RGB). Points that are not finite or fall outside
// a buffer are dropped.
#pragma once

#include <cstdint>

using ProjectionPass = void (*)(int32_t slot);

extern uint8_t gMirrorY;          // mirror passes also negate y
extern float gFogJitterRadius;    // R of the fog passes, 0.5 / gViewScale at a render start

void ProjectBatchOrtho(int32_t slot);
void ProjectBatchOrthoMirror(int32_t slot);
void ProjectBatchOrthoNoShadow(int32_t slot);
void ProjectBatchOrthoNoShadowMirror(int32_t slot);
void ProjectBatchPerspective(int32_t slot);
void ProjectBatchPerspectiveMirror(int32_t slot);
void ProjectBatchPerspectiveNoShadow(int32_t slot);
void ProjectBatchPerspectiveNoShadowMirror(int32_t slot);
void ProjectBatchOrthoRgb(int32_t slot);
void ProjectBatchOrthoRgbNoShadow(int32_t slot);
void ProjectBatchPerspectiveRgb(int32_t slot);
void ProjectBatchPerspectiveRgbNoShadow(int32_t slot);
void ProjectBatchOrthoFog(int32_t slot);
void ProjectBatchOrthoNoShadowFog(int32_t slot);
void ProjectBatchPerspectiveFog(int32_t slot);
void ProjectBatchPerspectiveNoShadowFog(int32_t slot);
void ProjectBatchOrthoRgbFog(int32_t slot);
void ProjectBatchOrthoRgbNoShadowFog(int32_t slot);
void ProjectBatchPerspectiveRgbFog(int32_t slot);
void ProjectBatchPerspectiveRgbNoShadowFog(int32_t slot);

// How many of the points first .. first + count - 1 land in front of the
// depth image, as the probability tuner scores them: inside the image (px,
// py >= 1), nearer than the stored depth, and in orthographic projection
// with a depth of 0..65530. Reads the depth buffer only.
int32_t CountSliceInFront(int32_t first, int32_t count, bool perspective);

// The passes a worker runs for one projection case: the main pass always,
// the mirror pass while gMirrorCopy is set, the fog pass while the cycle's
// fog flag is on. A case without a row projects nothing.
struct ProjectionCaseRow {
    int32_t projectionCase;  // 0..3 palette, 100..103 RGB
    const char* mainName;
    ProjectionPass main;
    ProjectionPass mirror;  // null: no mirror copies
    ProjectionPass fog;
};

inline constexpr int kProjectionCaseCount = 8;
extern const ProjectionCaseRow kProjectionCases[kProjectionCaseCount];

// The row of a case, or null when no pass belongs to it.
const ProjectionCaseRow* FindProjectionCase(int32_t projectionCase);
