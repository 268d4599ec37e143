#include "editors/wireframe_layer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

namespace {

// 4 by 4, column by column.
struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Matrix4 operator*(const Matrix4& a, const Matrix4& b)
{
    Matrix4 r;
    MultiplyMatrices(a.m, b.m, r.m);
    return r;
}

// Records what a drawer emits, its matrix stack applied to the vertices.
class RecordingSink final : public ShapeSink {
public:
    explicit RecordingSink(RecordedWireframe& out) : out_(out) { stack_.emplace_back(); }
    void Begin(ShapePrimitive primitive) override
    {
        open_ = {.primitive = primitive, .first = static_cast<uint32_t>(out_.xyz.size() / 3)};
    }
    void Vertex(float x, float y, float z) override
    {
        const float* m = stack_.back().m;
        out_.xyz.insert(out_.xyz.end(), {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
                                         m[2] * x + m[6] * y + m[10] * z + m[14]});
        out_.colourOf.push_back(colour_);
    }
    void End() override
    {
        open_.count = static_cast<uint32_t>(out_.xyz.size() / 3) - open_.first;
        if (open_.count > 0) out_.steps.push_back(open_);
    }
    void Color(float r, float g, float b) override
    {
        out_.colours.insert(out_.colours.end(), {r, g, b});
        colour_ = static_cast<uint32_t>(out_.colours.size() / 3);
    }
    void PushMatrix() override { stack_.push_back(stack_.back()); }
    void PopMatrix() override
    {
        if (stack_.size() > 1) stack_.pop_back();
    }
    void Translate(float x, float y, float z) override
    {
        Matrix4 t;
        t.m[12] = x;
        t.m[13] = y;
        t.m[14] = z;
        stack_.back() = stack_.back() * t;
    }
    // About the normalised axis, as OpenGL turns; a null axis turns nothing.
    void Rotate(float degrees, float x, float y, float z) override
    {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (!(length > 1.0e-4f)) return;
        x /= length;
        y /= length;
        z /= length;
        const float radians = degrees * static_cast<float>(M_PI / 180.0);
        const float c = std::cos(radians), s = std::sin(radians), k = 1.0f - c;
        Matrix4 r;
        r.m[0] = x * x * k + c;
        r.m[1] = y * x * k + z * s;
        r.m[2] = x * z * k - y * s;
        r.m[4] = x * y * k - z * s;
        r.m[5] = y * y * k + c;
        r.m[6] = y * z * k + x * s;
        r.m[8] = x * z * k + y * s;
        r.m[9] = y * z * k - x * s;
        r.m[10] = z * z * k + c;
        stack_.back() = stack_.back() * r;
    }
    void Scale(float x, float y, float z) override
    {
        Matrix4 s;
        s.m[0] = x;
        s.m[5] = y;
        s.m[10] = z;
        stack_.back() = stack_.back() * s;
    }

private:
    RecordedWireframe& out_;
    std::vector<Matrix4> stack_;
    WireframeStep open_;
    uint32_t colour_ = 0;
};

// floor() for the values of a layer's coordinates, without a call.
int FloorToInt(float v)
{
    const int i = static_cast<int>(v);
    return i - (v < static_cast<float>(i));
}

// Signed distances of a clip-space point inside each of the six planes of
// the view volume.
void PlaneDistances(const float* c, float d[6])
{
    d[0] = c[3] + c[0];
    d[1] = c[3] - c[0];
    d[2] = c[3] + c[1];
    d[3] = c[3] - c[1];
    d[4] = c[3] + c[2];
    d[5] = c[3] - c[2];
}

}  // namespace

void MultiplyMatrices(const float a[16], const float b[16], float out[16])
{
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[4 * k + row] * b[4 * c + k];
            out[4 * c + row] = sum;
        }
}

void RecordWireframe(RecordedWireframe& out, int32_t shapeType, const BaseshapePoint& point)
{
    out.xyz.clear();
    out.colourOf.clear();
    out.steps.clear();
    out.colours.clear();
    RecordingSink sink(out);
    DrawShapePreview(sink, shapeType, point);
}

uint32_t PackLayerColour(const float rgba[4])
{
    uint32_t packed = 0;
    for (int c = 0; c < 4; ++c) {
        const float v = std::isfinite(rgba[c]) ? std::clamp(rgba[c], 0.0f, 1.0f) : 0.0f;
        packed |= static_cast<uint32_t>(std::lround(v * 255.0f)) << (8 * c);
    }
    return packed;
}

void WireframeLayer::Begin(int width, int height, float depthNear, float depthFar)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    depthNear_ = depthNear;
    depthFar_ = depthFar;
    jobCount_ = 0;
}

void WireframeLayer::Add(const RecordedWireframe& wireframe, const float clipFromFrame[16], float rgba[4])
{
    if (jobCount_ == jobs_.size()) jobs_.emplace_back();
    Job& job = jobs_[jobCount_++];
    job.wireframe = &wireframe;
    std::copy(clipFromFrame, clipFromFrame + 16, job.clipFromFrame);
    std::copy(rgba, rgba + 4, job.rgba);
    if (wireframe.colours.size() >= 3) {  // as glColor3f: opaque
        std::copy(wireframe.colours.end() - 3, wireframe.colours.end(), rgba);
        rgba[3] = 1.0f;
    }
}

void WireframeLayer::Emit(Job& job)
{
    for (std::vector<Segment>& band : job.bands) band.clear();
    job.shades.clear();
    const RecordedWireframe& wireframe = *job.wireframe;
    job.palette.assign(job.rgba, job.rgba + 4);
    for (size_t c = 0; c + 2 < wireframe.colours.size(); c += 3) {
        job.palette.insert(job.palette.end(), wireframe.colours.begin() + static_cast<ptrdiff_t>(c),
                           wireframe.colours.begin() + static_cast<ptrdiff_t>(c + 3));
        job.palette.push_back(1.0f);
    }
    job.packed.clear();
    for (size_t c = 0; c < job.palette.size(); c += 4) job.packed.push_back(PackLayerColour(&job.palette[c]));
    const float* m = job.clipFromFrame;
    const size_t count = wireframe.xyz.size() / 3;
    job.clip.resize(4 * count);
    for (size_t v = 0; v < count; ++v) {
        const float x = wireframe.xyz[3 * v], y = wireframe.xyz[3 * v + 1], z = wireframe.xyz[3 * v + 2];
        for (int row = 0; row < 4; ++row)
            job.clip[4 * v + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    }
    for (const WireframeStep& step : wireframe.steps) {
        const uint32_t v = step.first, n = step.count;
        switch (step.primitive) {
        case ShapePrimitive::kPoints:
            for (uint32_t i = 0; i < n; ++i) AddPoint(job, v + i);
            break;
        case ShapePrimitive::kLines:
            for (uint32_t i = 0; i + 1 < n; i += 2) AddLine(job, v + i, v + i + 1);
            break;
        case ShapePrimitive::kLineStrip:
        case ShapePrimitive::kLineLoop:
            for (uint32_t i = 0; i + 1 < n; ++i) AddLine(job, v + i, v + i + 1);
            if (step.primitive == ShapePrimitive::kLineLoop && n >= 2) AddLine(job, v + n - 1, v);
            break;
        }
    }
}

// Into each band of rows the segment's pixels can fall in.
void WireframeLayer::Put(Job& job, const Segment& segment)
{
    const float last = static_cast<float>(height_ - 1);
    const int low = FloorToInt(std::clamp(std::min(segment.y0, segment.y1), 0.0f, last));
    const int high = FloorToInt(std::clamp(std::max(segment.y0, segment.y1), 0.0f, last));
    for (int band = low / bandRows_; band <= high / bandRows_; ++band)
        job.bands[static_cast<size_t>(band)].push_back(segment);
}

void WireframeLayer::AddPoint(Job& job, uint32_t index)
{
    const float* a = &job.clip[4 * static_cast<size_t>(index)];
    float d[6];
    PlaneDistances(a, d);
    for (float plane : d)
        if (!(plane >= 0.0f)) return;
    if (!(a[3] > 0.0f)) return;
    const float w = 1.0f / a[3];
    const float x = (a[0] * w * 0.5f + 0.5f) * static_cast<float>(width_);
    const float y = (a[1] * w * 0.5f + 0.5f) * static_cast<float>(height_);
    const float z = depthNear_ + (a[2] * w * 0.5f + 0.5f) * (depthFar_ - depthNear_);
    Put(job, {x, y, z, x, y, z, job.packed[job.wireframe->colourOf[index]], kPoint});
}

// Clipped against the view volume in clip space, then taken to the window.
void WireframeLayer::AddLine(Job& job, uint32_t ia, uint32_t ib)
{
    const float* a = &job.clip[4 * static_cast<size_t>(ia)];
    const float* b = &job.clip[4 * static_cast<size_t>(ib)];
    float da[6], db[6];
    PlaneDistances(a, da);
    PlaneDistances(b, db);
    float tIn = 0.0f, tOut = 1.0f;
    for (int p = 0; p < 6; ++p) {
        if (!(da[p] >= 0.0f) && !(db[p] >= 0.0f)) return;  // wholly outside, or not a number
        if (da[p] < 0.0f) tIn = std::max(tIn, da[p] / (da[p] - db[p]));
        if (db[p] < 0.0f) tOut = std::min(tOut, da[p] / (da[p] - db[p]));
    }
    if (!(tIn <= tOut)) return;
    float ends[2][3];
    for (int e = 0; e < 2; ++e) {
        const float t = e == 0 ? tIn : tOut;
        const float* from = t == 0.0f ? a : t == 1.0f ? b : nullptr;
        float c[4];
        for (int k = 0; k < 4; ++k) c[k] = from != nullptr ? from[k] : a[k] + t * (b[k] - a[k]);
        if (!(c[3] > 0.0f)) return;
        const float w = 1.0f / c[3];
        ends[e][0] = (c[0] * w * 0.5f + 0.5f) * static_cast<float>(width_);
        ends[e][1] = (c[1] * w * 0.5f + 0.5f) * static_cast<float>(height_);
        ends[e][2] = depthNear_ + (c[2] * w * 0.5f + 0.5f) * (depthFar_ - depthNear_);
    }
    const uint32_t* colourOf = job.wireframe->colourOf.data();
    const float* colourA = &job.palette[4 * static_cast<size_t>(colourOf[ia])];
    Segment segment{ends[0][0], ends[0][1], ends[0][2], ends[1][0], ends[1][1], ends[1][2],
                    job.packed[colourOf[ia]], 0};
    if (colourOf[ia] != colourOf[ib]) {  // shaded from end to end, as far as it was clipped
        const float* colourB = &job.palette[4 * static_cast<size_t>(colourOf[ib])];
        for (const float t : {tIn, tOut})
            for (int k = 0; k < 4; ++k) job.shades.push_back(colourA[k] + t * (colourB[k] - colourA[k]));
        segment.shade = static_cast<uint32_t>(job.shades.size() / 8);
    }
    Put(job, segment);
}

void WireframeLayer::Plot(int x, int y, float z, uint32_t rgba)
{
    const size_t at = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    if (!(z < depth_[at])) return;
    depth_[at] = z;
    rgba_[at] = rgba;
}

// A pixel of a shaded line, t of the way from its first end to its last.
void WireframeLayer::PlotShaded(int x, int y, float z, const float* shade, float t)
{
    float rgba[4];
    for (int k = 0; k < 4; ++k) rgba[k] = shade[k] + t * (shade[4 + k] - shade[k]);
    Plot(x, y, z, PackLayerColour(rgba));
}

// One pixel for each pixel centre the line passes along the axis it runs
// further on, in the rows of the band.
void WireframeLayer::DrawLine(const Segment& s, const float* shade, int rowBegin, int rowEnd)
{
    const bool across = std::fabs(s.x1 - s.x0) >= std::fabs(s.y1 - s.y0);
    const float u0 = across ? s.x0 : s.y0, u1 = across ? s.x1 : s.y1;
    const float v0 = across ? s.y0 : s.x0, v1 = across ? s.y1 : s.x1;
    const float du = u1 - u0, dv = v1 - v0, dz = s.z1 - s.z0;
    if (du == 0.0f) return;  // a segment of no length draws nothing
    // The centres passed, the end left to the next segment.
    int lo = du > 0.0f ? -FloorToInt(0.5f - u0) : FloorToInt(u1 - 0.5f) + 1;
    int hi = du > 0.0f ? -FloorToInt(0.5f - u1) - 1 : FloorToInt(u0 - 0.5f);
    lo = std::max(lo, 0);
    hi = std::min(hi, (across ? width_ : height_) - 1);
    if (!across) {
        lo = std::max(lo, rowBegin);
        hi = std::min(hi, rowEnd - 1);
    } else if (dv != 0.0f) {  // the columns whose row can fall in the band
        const float a = u0 - 0.5f + (static_cast<float>(rowBegin) - v0) * du / dv;
        const float b = u0 - 0.5f + (static_cast<float>(rowEnd) - v0) * du / dv;
        const float limit = static_cast<float>(width_);
        lo = std::max(lo, FloorToInt(std::clamp(std::min(a, b) - 1.0f, -1.0f, limit)));
        hi = std::min(hi, FloorToInt(std::clamp(std::max(a, b) + 2.0f, -1.0f, limit)));
    } else if (FloorToInt(v0) < rowBegin || FloorToInt(v0) >= rowEnd) {
        return;
    }
    const float inverse = 1.0f / du;
    for (int i = lo; i <= hi; ++i) {
        const float t = (static_cast<float>(i) + 0.5f - u0) * inverse;
        const int j = FloorToInt(v0 + t * dv);
        const int x = across ? i : j, y = across ? j : i;
        if (x < 0 || x >= width_ || y < rowBegin || y >= rowEnd) continue;
        if (shade != nullptr) {
            PlotShaded(x, y, s.z0 + t * dz, shade, t);
        } else {
            Plot(x, y, s.z0 + t * dz, s.rgba);
        }
    }
}

void WireframeLayer::DrawBand(int band)
{
    const int rowBegin = std::min(band * bandRows_, height_), rowEnd = std::min(rowBegin + bandRows_, height_);
    const size_t first = static_cast<size_t>(rowBegin) * static_cast<size_t>(width_);
    const size_t last = static_cast<size_t>(rowEnd) * static_cast<size_t>(width_);
    std::fill(depth_.begin() + static_cast<ptrdiff_t>(first), depth_.begin() + static_cast<ptrdiff_t>(last), 1.0f);
    std::fill(rgba_.begin() + static_cast<ptrdiff_t>(first), rgba_.begin() + static_cast<ptrdiff_t>(last), 0u);
    const float lastColumn = static_cast<float>(width_ - 1);
    int left = width_, right = -1;
    for (size_t job = 0; job < jobCount_; ++job) {
        for (const Segment& s : jobs_[job].bands[static_cast<size_t>(band)]) {
            left = std::min(left, FloorToInt(std::clamp(std::min(s.x0, s.x1), 0.0f, lastColumn)));
            right = std::max(right, FloorToInt(std::clamp(std::max(s.x0, s.x1), 0.0f, lastColumn)));
            if (s.shade == kPoint) {
                const int x = FloorToInt(s.x0), y = FloorToInt(s.y0);
                if (x >= 0 && x < width_ && y >= rowBegin && y < rowEnd) Plot(x, y, s.z0, s.rgba);
            } else {
                const float* shade = s.shade != 0 ? &jobs_[job].shades[8 * static_cast<size_t>(s.shade - 1)] : nullptr;
                DrawLine(s, shade, rowBegin, rowEnd);
            }
        }
    }
    bandColumns_[static_cast<size_t>(band)] = {left, right};
}

// Each thread takes the next index until none is left, so that the
// caller's thread alone does them all when no other can be started.
void ForEachOnThreads(int n, int threads, const std::function<void(int)>& work)
{
    std::atomic<int> next{0};
    const auto take = [&] {
        for (int i = next++; i < n; i = next++) work(i);
    };
    std::vector<std::thread> helpers;
    const int count = std::min(threads, n) - 1;
    helpers.reserve(static_cast<size_t>(std::max(count, 0)));
    try {
        for (int i = 0; i < count; ++i) helpers.emplace_back(take);
    } catch (const std::system_error&) {
    }
    take();
    for (std::thread& helper : helpers) helper.join();
}

void WireframeLayer::Rasterize(int threads)
{
    const size_t pixels = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    depth_.resize(pixels);
    rgba_.resize(pixels);
    threads = std::max(threads, 1);
    // A few bands a thread, taken in turn, so that a thread whose bands
    // hold few lines takes more of them.
    const int wanted = threads == 1 ? 1 : 4 * threads;
    bandRows_ = std::max((height_ + wanted - 1) / wanted, 1);
    bandCount_ = std::max((height_ + bandRows_ - 1) / bandRows_, 1);
    for (size_t j = 0; j < jobCount_; ++j) jobs_[j].bands.resize(static_cast<size_t>(bandCount_));
    ForEachOnThreads(static_cast<int>(jobCount_), threads, [this](int job) { Emit(jobs_[static_cast<size_t>(job)]); });
    bandColumns_.resize(static_cast<size_t>(bandCount_));
    ForEachOnThreads(bandCount_, threads, [this](int band) { DrawBand(band); });
}

WireframeLayer::Box WireframeLayer::Drawn() const
{
    Box box{width_, 0, 0, 0};
    int top = -1, right = -1;
    for (int band = 0; band < bandCount_ && static_cast<size_t>(band) < bandColumns_.size(); ++band) {
        const auto [left, last] = bandColumns_[static_cast<size_t>(band)];
        if (last < left) continue;
        if (top < 0) box.y = band * bandRows_;
        top = std::min((band + 1) * bandRows_, height_);
        box.x = std::min(box.x, left);
        right = std::max(right, last);
    }
    if (top < 0) return {};
    box.width = right + 1 - box.x;
    box.height = top - box.y;
    return box;
}
