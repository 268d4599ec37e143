// Whether an attempt of "New Fractal" stands: the bounded-orbit test on
// the test orbit, then a look at the set in the view the reset gives it
// (the view fitted to its bulk when a few stray points took the fit).
//
// Sections: [orbit test] [view]
#include "editors/random_fractal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/random.h"
#include "render/projection.h"
#include "render/projection_passes.h"
#include "render/render_buffers.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

// ---- [orbit test] -------------------------------------------------------------------

namespace {

// Types 8 and 16 draw the Julia set of z^2 + C (of conj(z)^2 + C for 16),
// C the position of transformation 0, by its inverse orbit. Outside the
// connectedness locus that set is a sparse dust the user sees as a few
// specks, so such a C is turned down like an unbounded orbit.
bool JuliaSetConnected()
{
    if (gFractalType != 8 && gFractalType != 16) return true;
    const float cr = gTransformCoefficients.tx[0], ci = gTransformCoefficients.tz[0];
    const float sign = gFractalType == 16 ? -1.0f : 1.0f;
    float x = 0.0f, y = 0.0f;
    for (int n = 0; n < 64; ++n) {
        const float nx = x * x - y * y + cr;
        y = sign * 2.0f * x * y + ci;
        x = nx;
        if (x * x + y * y > 4.0f) return false;
    }
    return true;
}

}  // namespace

bool RandomFractalOrbitBounded()
{
    gMirrorCopy = 0;
    gMirrorY = 0;
    for (int s = 0; s < kMaxRenderSlots; ++s) {
        gSlotTransform[s] = 0;
        gSlotPoint.x[s] = kRandomFractalStart[0];
        gSlotPoint.y[s] = kRandomFractalStart[1];
        gSlotPoint.z[s] = kRandomFractalStart[2];
        gSlotQuaternionPoint[s] = QuaternionPoint{kRandomFractalStart[0], kRandomFractalStart[1],
                                                  kRandomFractalStart[2], 0.0f};
        gSlotHash[s] = RandomStep(gSlotRandom[s]);
    }
    const int last = gSlotBatchLast[0];
    gPointX[last] = kRandomFractalStart[0];
    gPointY[last] = kRandomFractalStart[1];
    gPointZ[last] = kRandomFractalStart[2];
    gPointColorIndex[last] = 1;
    if (!JuliaSetConnected()) return false;
    gFractalTypeKernel.load()(0);
    if (gSymmetryOn.load()) ApplySymmetry(0);
    float low[3] = {1e30f, 1e30f, 1e30f}, high[3] = {-1e30f, -1e30f, -1e30f};
    for (int i = gSlotBatchStart[0]; i <= last; ++i) {
        const float p[3] = {gPointX[i], gPointY[i], gPointZ[i]};
        const float r = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        // Not-a-number fails both comparisons.
        if (!(r >= 0.0001f && r <= 50.0f)) return false;
        if (i - gSlotBatchStart[0] < 500) continue;
        for (int k = 0; k < 3; ++k) low[k] = std::fmin(low[k], p[k]), high[k] = std::fmax(high[k], p[k]);
    }
    // An orbit that settles on one point draws a dot wherever it lies, and
    // is rejected like one that settles on the origin (judged on its second
    // half, once it has left its start).
    const float extent = std::fmax(std::fmax(high[0] - low[0], high[1] - low[1]), high[2] - low[2]);
    if (extent < kRandomFractalMinExtent) return false;
    // So is one that cycles through a few points: its second half must fall
    // into enough cells of a 64^3 grid over its box.
    uint32_t cells[500];
    int n = 0;
    for (int i = gSlotBatchStart[0] + 500; i <= last && n < 500; ++i) {
        const float p[3] = {gPointX[i], gPointY[i], gPointZ[i]};
        uint32_t key = 0;
        for (int k = 0; k < 3; ++k) {
            const int c = static_cast<int>((p[k] - low[k]) / extent * 63.0f);
            key = key * 64u + static_cast<uint32_t>(c < 0 ? 0 : (c > 63 ? 63 : c));
        }
        cells[n++] = key;
    }
    std::sort(cells, cells + n);
    return std::unique(cells, cells + n) - cells >= kRandomFractalMinCells;
}

// ---- [view] ------------------------------------------------------------------------

namespace {

// The image mapping the reset gives: the image spans -1..1 of the fitted
// view along its shorter side.
void ResetImageMapping()
{
    gPanX = gPanY = 0.0f;
    gPerspectiveFocal = 1.0f;
    const float halfWidth = 0.5f * static_cast<float>(gImageWidth), halfHeight = 0.5f * static_cast<float>(gImageHeight);
    gImageScale = gImageWidth <= gImageHeight ? halfWidth : halfHeight;
    gImageOffsetX = halfWidth;
    gImageOffsetY = halfHeight;
}

// The span of the middle 98 % of the counted points, over the bins.
float MiddleSpan(const int* bins, int binCount, int total)
{
    const int cut = total / 100;
    int first = 0, last = binCount - 1;
    for (int seen = 0; first < binCount && (seen += bins[first]) <= cut;) ++first;
    for (int seen = 0; last >= 0 && (seen += bins[last]) <= cut;) --last;
    return last >= first ? static_cast<float>(last - first + 1) / static_cast<float>(binCount) : 0.0f;
}

}  // namespace

namespace {

// The share of the pairs of neighbouring cells (among those with enough
// points between them to tell) whose point counts differ fourfold or more:
// the sharp edges and holes of a fractal, which a diffuse cloud of points,
// thinning out gradually from its middle, lacks.
float DensityJumps(const int* counts, int bins)
{
    int pairs = 0, jumps = 0;
    auto pair = [&](int a, int b) {
        const int high = std::max(a, b), low = std::min(a, b);
        if (high < 8) return;
        ++pairs;
        jumps += high >= 4 * low ? 1 : 0;
    };
    for (int y = 0; y < bins; ++y)
        for (int x = 0; x < bins; ++x) {
            if (x + 1 < bins) pair(counts[y * bins + x], counts[y * bins + x + 1]);
            if (y + 1 < bins) pair(counts[y * bins + x], counts[(y + 1) * bins + x]);
        }
    return pairs ? static_cast<float>(jumps) / static_cast<float>(pairs) : 0.0f;
}

// The share of the lit cells that hold fewer than a twentieth of the points
// of the fullest tenth: the thin halo a diffuse cloud of points spreads
// around its middle.
float Halo(const int* counts, int n)
{
    static int sorted[64 * 64];
    int lit = 0;
    for (int i = 0; i < n; ++i)
        if (counts[i] > 0) sorted[lit++] = counts[i];
    if (lit < 10) return 0.0f;
    std::sort(sorted, sorted + lit);
    double top = 0.0;
    const int k = std::max(1, lit / 10);
    for (int i = lit - k; i < lit; ++i) top += sorted[i];
    top /= k;
    int thin = 0;
    for (int i = 0; i < lit; ++i) thin += sorted[i] < 0.05 * top ? 1 : 0;
    return static_cast<float>(thin) / static_cast<float>(lit);
}

// Every kSampleStep-th point of the last look, for the bulk fit.
constexpr int kSampleStep = 10;
constexpr int kSampleSize = kRandomFractalViewBatches * kSlotBatchSize / kSampleStep;
float gSample[3][kSampleSize];
int gSampleCount = 0;

}  // namespace

void FitRandomFractalView()
{
    ResetImageMapping();
    FitViewToFractal(&gViewCentre[0], &gViewCentre[1], &gViewCentre[2], &gViewScale, kFitCameraView);
}

RandomFractalView LookAtRandomFractal(int batches, bool fit)
{
    RandomFractalView look;
    gSampleCount = 0;
    if (fit) FitRandomFractalView();
    if (!(gViewScale > 0.0f) || gImageWidth <= 0 || gImageHeight <= 0) return look;
    const ViewParams v = LoadViewParams();
    constexpr int kBins = 64;
    int columns[kBins] = {}, rows[kBins] = {};
    static int counts[kBins * kBins];
    std::memset(counts, 0, sizeof counts);
    int inside = 0, total = 0, cells = 0;
    // The points in the frame in each quarter of the look.
    int quarterInside[4] = {}, quarterTotal[4] = {};
    const int first = gSlotBatchStart[0];
    for (int batch = 0; batch < batches; ++batch) {
        const int quarter = std::min(3, 4 * batch / batches);
        quarterTotal[quarter] += kSlotBatchSize - 1;
        gFractalTypeKernel.load()(0);
        if (gSymmetryOn.load()) ApplySymmetry(0);
        for (int i = first; i < first + kSlotBatchSize - 1; ++i) {
            const float x = gPointX[i], y = gPointY[i], z = gPointZ[i];
            if (++total % kSampleStep == 0 && gSampleCount < kSampleSize && std::isfinite(x) && std::isfinite(y) &&
                std::isfinite(z)) {
                gSample[0][gSampleCount] = x, gSample[1][gSampleCount] = y, gSample[2][gSampleCount] = z;
                ++gSampleCount;
            }
            const CameraPoint c = ToCamera(v, x, y, z);
            const float fx = (c.a * v.k + v.offsetX) / v.widthF, fy = (c.b * v.k + v.offsetY) / v.heightF;
            // Not-a-number fails the comparisons.
            if (!(fx >= 0.0f && fx < 1.0f && fy >= 0.0f && fy < 1.0f)) continue;
            ++inside;
            ++quarterInside[quarter];
            const int bx = std::min(kBins - 1, static_cast<int>(fx * kBins));
            const int by = std::min(kBins - 1, static_cast<int>(fy * kBins));
            ++columns[bx];
            ++rows[by];
            int& cell = counts[by * kBins + bx];
            cells += cell == 0 ? 1 : 0;
            ++cell;
        }
    }
    if (total == 0) return look;
    look.inFrame = 1.0f;
    for (int q = 0; q < 4; ++q) {
        if (quarterTotal[q] == 0) continue;
        const float share = static_cast<float>(quarterInside[q]) / static_cast<float>(quarterTotal[q]);
        look.inFrame = std::min(look.inFrame, share);
    }
    look.spanX = MiddleSpan(columns, kBins, inside);
    look.spanY = MiddleSpan(rows, kBins, inside);
    look.cells = static_cast<float>(cells) / static_cast<float>(kBins * kBins);
    look.structure = DensityJumps(counts, kBins);
    look.halo = Halo(counts, kBins * kBins);
    return look;
}

void FitViewToBulk()
{
    const int n = gSampleCount;
    if (n < 100) return;
    static float work[kSampleSize];
    const int low = n / 100, high = n - 1 - n / 100;
    for (int axis = 0; axis < 3; ++axis) {
        std::copy_n(gSample[axis], n, work);
        std::nth_element(work, work + low, work + n);
        const float a = work[low];
        std::nth_element(work, work + high, work + n);
        gViewCentre[axis] = 0.5f * (a + work[high]);
    }
    for (int i = 0; i < n; ++i) {
        const double dx = static_cast<double>(gSample[0][i]) - gViewCentre[0];
        const double dy = static_cast<double>(gSample[1][i]) - gViewCentre[1];
        const double dz = static_cast<double>(gSample[2][i]) - gViewCentre[2];
        work[i] = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    }
    std::nth_element(work, work + high, work + n);
    const float radius = 1.025f * work[high];
    if (radius > 0.0f) gViewScale = 1.0f / radius;
}

namespace {

bool Featureless(const RandomFractalView& look)
{
    return look.structure < kRandomFractalBlobStructure ||
           (look.structure < kRandomFractalCloudStructure && look.halo > kRandomFractalCloudHalo);
}

}  // namespace

bool RandomFractalViewShows()
{
    RandomFractalView look = LookAtRandomFractal(kRandomFractalViewBatches);
    // A cloud is judged with its halo, before the bulk's view cuts it off.
    bool featureless = Featureless(look);
    if (look.inFrame >= kRandomFractalMinInFrame && look.spanX < kRandomFractalBulkSpan &&
        look.spanY < kRandomFractalBulkSpan) {
        FitViewToBulk();
        look = LookAtRandomFractal(kRandomFractalViewBatches, false);
        featureless = featureless || Featureless(look);
    }
    return look.inFrame >= kRandomFractalMinInFrame && look.spanX >= kRandomFractalMinSpan &&
           look.spanY >= kRandomFractalMinSpan && look.cells >= kRandomFractalMinLitCells && !featureless;
}
