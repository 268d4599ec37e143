// The live point previews: while no render runs, every frame the window
// thread runs the current kernel on slot 0 and plots the batch points.
// Screen 6 fills the whole preview area; screen 5 shows a 3-D scene of the
// baseshapes, transformations and lights with the points in an inset.
//
// Two modes, chosen by gPreviewRefresh: dirty (just changed) draws GL points
// into the off-screen target (or the window without one), which shows the
// change at once; settled accumulates the points into the CPU preview planes
// that the shading turns into gPreviewImage, so the picture gains quality
// while the user waits.
#pragma once

#include <cstdint>

extern int gPreviewBatchIndex;   // batch being run, 0..255

// Batches a frame, by gPreviewTargetAvailable.
inline constexpr int kPreviewBatchCount[2] = {256, 256};
// Points of slot 0's batch a preview plots (one less than the slot holds).
inline constexpr int kPreviewPointsPerBatch = 999;
// Settled frames counted before the count starts again; the shading runs
// at count 2.
inline constexpr int kSettledFrameCycle = 40;

// Shadings of a settled preview after which it stops running batches until
// something moves it: the picture then changes no more, and an idle window
// does no work.
inline constexpr int kSettledShadingsToRest = 8;
// Frames of dirty points after which the 3-D preview's inset, which stays
// dirty, stops running batches: 64 frames of 256 batches put some 16
// million points into its 208 x 208 pixels, three times as many a pixel as
// the settled preview gathers before it rests.
inline constexpr int kDirtyFramesToRest = 64;
// Settled and done, or the inset of the 3-D preview at rest: no batches run
// and nothing changes from frame to frame (never while the baseshape
// animation runs, nor on the 3-D preview while a baseshape spins or moves).
bool PointPreviewSettled();
// Input that may have changed what the preview shows: it runs its batches
// again for a while.
void WakePointPreview();
// The settled point preview (screen 6) gathers points between the shadings
// that show them; the frames in between would show the same picture, so a
// pass of the loop that draws no frame runs the batches of one (and the
// shading when its turn comes, which asks for a frame). True when it ran.
bool PointPreviewGathers();
bool GatherSettledPoints();
// The preview must be drawn afresh (gPointPreviewValid was cleared): dirty
// mode, the target cleared.
void StartPointPreviewAfresh();

// The 3-D preview's view: preset 0 from above, 1 from the side, 2 the
// front, 3 the free view turned by the mouse.
extern int gPreview3DViewPreset;
extern float gPreview3DFreeView[16];
extern float gPreview3DPan[3];
// The rotation of the view the 3-D preview shows now, row-major: row 0 is
// the screen's right, row 1 its up, in model coordinates.
void Preview3DViewRotation(float* m);

// The view read once a frame, as the passes do.
struct PreviewView {
    float cx, cy, cz, scale;
    float m[9];
    bool perspective;
    float zoom, eye;
    float fullScale;          // zoom x 416 x H / W
    float panX, panY;         // (832 / W) x pan
    float insetPanX, insetPanY;
    float bottomRow, topRow;  // rows holding picture, clamped to 0..832
    bool rgb;
    float depthScale;         // 1 / gPreviewDepthRange
};
PreviewView LoadPreviewView();

struct PreviewPoint {
    float px, py, depth;
    float brightness;  // grey of the GL colour: camera z x 0.4 + 0.6
};

// The depth the preview maps onto its depth planes: 1 (the fitted view's
// -1..1) or, once closing the transformation editor found the points
// reaching further, their largest depth, so that none falls off the planes.
extern float gPreviewDepthRange;
// Slot 0's 1000 batch points in the camera's frame (centred, scaled,
// turned): the largest depth magnitude of those the preview can draw
// (in front of the camera in perspective), at least 1.
float PreviewPointsDepthRange();
// True when one of those points lies outside -1..1 in depth.
bool PreviewPointsOutsideDepth();

// Full-area position of a point; false when it is not drawn (outside,
// behind the camera in perspective, not a number).
bool ProjectPreviewPoint(const PreviewView& v, float x, float y, float z, PreviewPoint* out);
// Position in the 208 x 208 inset of screen 5 (px 624..832, py 0..208).
bool ProjectInsetPoint(const PreviewView& v, float x, float y, float z, PreviewPoint* out);

// Plots slot 0's batch over the 832 x 832 area: GL points in dirty mode
// (offset into the window when there is no target), plane writes in
// settled mode.
void EmitPreviewPoints(const PreviewView& v, bool dirty);
// Plots slot 0's batch into the inset as GL points (no target).
void EmitPreviewPointsB(const PreviewView& v);

// Zeroes gPreviewDepth and the four preview planes.
void ClearPreviewPlanes();

// Screen 6 and screen 5.
void DrawPointPreview();
void DrawPreview3D();
void DrawPreview3DPoints();

// Re-records the 3-D preview's point cloud: two kernel batches of slot 0.
void BuildPointCloudList();
