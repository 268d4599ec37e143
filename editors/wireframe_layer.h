// The baseshape wireframes of the 3-D preview drawn into a layer of colour
// and depth on the processor's cores, for the window to put in over its
// frame in two passes.
//
// The software GL driver pays a setup for every line segment that costs as
// much as drawing a few dozen pixels, on the window thread: a screen of 65
// heavy wireframes (330,000 segments) took 33 ms a frame. Here the threads
// first take the wireframes through the view, clip them and sort their
// segments by band of rows, then each band is drawn by a thread of its own
// in the order the segments were emitted, so that the picture does not
// depend on the number of threads.
//
// Lines follow the rules of 1-pixel lines without smoothing: one pixel per
// column for a line that runs more across than up (per row otherwise), the
// last pixel left to the next segment; depth taken straight across the
// segment in window space; a point lights the pixel it falls in.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "editors/shape_previews.h"

// A baseshape's wireframe as its drawer emitted it: vertices in the
// baseshape's frame with the drawer's own turns and moves applied, the
// primitives in their order, and the colour each vertex was given: 0 for
// the caller's, k for the drawer's k-th colour. A line between vertices of
// two colours shades from one to the other.
struct WireframeStep {
    ShapePrimitive primitive = ShapePrimitive::kPoints;
    uint32_t first = 0;
    uint32_t count = 0;
};

struct RecordedWireframe {
    std::vector<float> xyz;
    std::vector<uint32_t> colourOf;
    std::vector<WireframeStep> steps;
    std::vector<float> colours;  // r, g, b of the drawer's colours
};

void RecordWireframe(RecordedWireframe& out, int32_t shapeType, const BaseshapePoint& point);

// out = a x b, 4 by 4, column by column as OpenGL keeps them.
void MultiplyMatrices(const float a[16], const float b[16], float out[16]);

// work(0) .. work(n - 1) spread over up to `threads` threads, the caller's
// among them; all done on return.
void ForEachOnThreads(int n, int threads, const std::function<void(int)>& work);

// A colour as the window's RGBA bytes in memory order.
uint32_t PackLayerColour(const float rgba[4]);

class WireframeLayer {
public:
    // A layer of width by height pixels; window depth runs from near to far.
    // A later pixel takes the place of an earlier one only when nearer.
    void Begin(int width, int height, float depthNear, float depthFar);
    // A wireframe seen through clipFromFrame (4 by 4, column by column),
    // starting in colour rgba. Returns in rgba the colour it leaves. The
    // wireframe is read when the layer is drawn: it must not change before.
    void Add(const RecordedWireframe& wireframe, const float clipFromFrame[16], float rgba[4]);
    // Draws what was added; afterwards Depth() and Rgba() hold the layer,
    // row 0 at the bottom, 1.0 depth and 0 colour where nothing was drawn.
    void Rasterize(int threads);

    bool Empty() const { return jobCount_ == 0; }
    // The rectangle, in the layer's pixels, outside which nothing was
    // drawn; none when no line reached the layer.
    struct Box {
        int x = 0, y = 0, width = 0, height = 0;
    };
    Box Drawn() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<float>& Depth() const { return depth_; }
    const std::vector<uint32_t>& Rgba() const { return rgba_; }

private:
    // A line, or a point; a line whose ends differ in colour names its two
    // colours in its job's list of shades.
    static constexpr uint32_t kPoint = 0x80000000u;
    struct Segment {
        float x0, y0, z0, x1, y1, z1;
        uint32_t rgba;
        uint32_t shade;  // kPoint, or 1 + index into shades, or 0
    };
    struct Job {
        const RecordedWireframe* wireframe = nullptr;
        float clipFromFrame[16] = {};
        float rgba[4] = {};
        std::vector<float> clip;
        std::vector<float> palette;       // rgba of colour 0, 1, ...
        std::vector<uint32_t> packed;     // the same as the window's bytes
        std::vector<float> shades;        // rgba at both ends, 8 a line
        std::vector<std::vector<Segment>> bands;
    };
    void Emit(Job& job);
    void AddLine(Job& job, uint32_t a, uint32_t b);
    void AddPoint(Job& job, uint32_t a);
    void Put(Job& job, const Segment& segment);
    void DrawBand(int band);
    void DrawLine(const Segment& segment, const float* shade, int rowBegin, int rowEnd);
    void Plot(int x, int y, float z, uint32_t rgba);
    void PlotShaded(int x, int y, float z, const float* shade, float t);

    int width_ = 0, height_ = 0;
    float depthNear_ = 0.0f, depthFar_ = 1.0f;
    int bandCount_ = 1, bandRows_ = 1;
    std::vector<std::pair<int, int>> bandColumns_;  // first and last column a band's lines reach
    std::vector<Job> jobs_;
    size_t jobCount_ = 0;
    std::vector<float> depth_;
    std::vector<uint32_t> rgba_;
};
