// Sections: [state] [services] [row-pair pipeline] [preview feed] [writing rows]
// [the export] [thread].
#include "shading/export_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/file_replacement.h"
#include "engine/vector_math.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/animation_step.h"
#include "shading/glow.h"
#include "shading/image_files.h"
#include "shading/preview_image.h"
#include "shading/preview_passes.h"
#include "shading/shading_settings.h"
#include "shading/shadow_sampling.h"

// ---- [state] ---------------------------------------------------------------------
std::atomic<int32_t> gExportProgress{-2};
std::atomic<uint8_t> gExportCancel{0};
std::atomic<uint8_t> gFileThreadBusy{0};
int32_t gExportThreadCount = 1;
int32_t gExportThreadCountSaved = 1;
std::atomic<uint8_t> gExportWorkerActive[kMaxExportWorkers];
int32_t gExportColumnStart[kMaxExportWorkers];
int32_t gExportColumnEnd[kMaxExportWorkers];
int32_t gExportRow = 0;
int32_t gExportWriteColumn = 0;
uint8_t gExportPng = 0;
int32_t gExportWorkerLimit = kMaxExportWorkers;
int64_t gExportFileByteLimit = -1;
ExportSettings gExportSettings;

namespace {

constexpr const char* kCannotWriteText =
    "Talvoran cannot write in the selected directory path, please choose another destination.";
constexpr const char* kTextureFolderText =
    "Renders cannot be exported to the texture directory\nPlease select another directory.";
constexpr int kPreviewUploadRows = 16;

std::atomic<uint8_t> gViewRestorePending{0};
std::thread gExportThread;
std::thread gWorkerThreads[kMaxExportWorkers];

// ---- [services] ------------------------------------------------------------------
ExportSettings ReadDefaultSettings()
{
    ExportSettings settings;
    settings.workerCount = gExportThreadCount;
    settings.animation = gAnimationOn;
    settings.animationBaseName = gAnimationBaseName;
    settings.animationFrame = gAnimationFrame;
    settings.shading = ReadExportShadingSettings(false);
    const ShadingSettings& ui = gShadingSettings;
    settings.excludeBackground = SharedLoad(ui.excludeBackground);
    settings.fogToAlpha = SharedLoad(ui.mapFogToAlpha);
    OcclusionSettings& o = settings.occlusion;
    o.averaged = SharedLoad(ui.occlusion[0]);
    o.everyPixel = SharedLoad(ui.occlusion[1]);
    o.option = SharedLoad(ui.occlusionOption);
    o.rayCasting = SharedLoad(ui.enhancedDarkening[0]);
    o.enhancedDarkening = SharedLoad(ui.enhancedDarkening[1]);
    o.sampleCount = SharedLoad(ui.perPixelOcclusion[0]);
    o.radius = SharedLoad(ui.perPixelOcclusion[1]);
    settings.glowThreshold = gShader.GlowParameter(0);
    settings.glowSmoothing = gShader.GlowParameter(1);
    settings.glowIntensity = gShader.GlowParameter(2);
    settings.glowBackground = gShader.GlowIncludesBackground();
    return settings;
}
std::atomic<uint8_t> gFileOperationRuns{0};
bool BeginFileOperation() { return gFileOperationRuns.exchange(1) == 0; }
void EndFileOperation() { gFileOperationRuns.store(0); }
bool NoFile(bool, std::string*) { return false; }
void NoChange(bool) {}
void PrintMessage(const char* text, const char* caption, bool) { std::fprintf(stderr, "%s: %s\n", caption, text); }
void NoReshade() {}

}  // namespace

ExportServices DefaultExportServices()
{
    return ExportServices{ReadDefaultSettings, BeginFileOperation, EndFileOperation, NoFile,
                          NoChange,            PrintMessage,       NoChange,         NoReshade,
                          ShadeRowPairColumn};
}
ExportServices gExportServices = DefaultExportServices();

// ---- [row-pair pipeline] -----------------------------------------------------------
namespace {

// Row pairs in flight: a worker runs up to this many pairs ahead of the
// writer, so one slow pixel or a late wake-up holds nobody back.
constexpr int kRingPairs = 32;

// Every worker runs through its columns of every row pair without meeting
// the others: it counts itself into the pair's ring entry when it is done,
// the last one to finish wakes the writer, and the writer frees the entry
// once the rows are in the file. Each worker still shades its columns pair
// after pair in the same order as with one pair per hand-over, so its
// random draws and the file stay the same.
struct RowPairPipeline {
    std::atomic<uint8_t> go{0};         // the fields below are set
    std::atomic<uint8_t> stop{0};       // cancel or a failed write: leave
    std::atomic<int32_t> written{0};    // pairs the writer is done with
    std::atomic<int32_t> shaded[kRingPairs] = {};  // workers done with the entry's pair
    int32_t pairs = 0;
    int32_t workers = 0;
    int32_t step = 1;                   // column-chunk step: the number of workers
    uint8_t* staging = nullptr;         // kRingPairs x 4 planes x 2W bytes
    void (*shade)(int column, int exportRow, int worker) = nullptr;
};
RowPairPipeline gPipeline;
std::vector<uint8_t> gStaging;

void ShadeColumns(int index, int pair, uint8_t* planes)
{
    const size_t w = static_cast<size_t>(gImageWidth);
    const int end = gExportColumnEnd[index];
    const int row = 2 * pair;
    // Worker i takes the column chunks i, i + N, ... (see kExportColumnChunk).
    for (int chunk = gExportColumnStart[index]; chunk * kExportColumnChunk < end; chunk += gPipeline.step) {
        const int last = std::min(end, (chunk + 1) * kExportColumnChunk);
        for (int c = chunk * kExportColumnChunk; c < last; ++c) {
            gPipeline.shade(c, row, index);
            // Only this worker writes entries c and W + c of the pair planes.
            for (int ch = 0; ch < 4; ++ch) {
                planes[ch * 2 * w + c] = gExportRowPairs[ch][c];
                planes[ch * 2 * w + w + c] = gExportRowPairs[ch][w + c];
            }
        }
    }
}

void ShadeRowsThread(int index)
{
    gExportWorkerActive[index].store(1);
    RowPairPipeline& pp = gPipeline;
    pp.go.wait(0);
    const size_t pairBytes = 8 * static_cast<size_t>(gImageWidth);
    for (int32_t p = 0; p < pp.pairs && !pp.stop.load(std::memory_order_relaxed); ++p) {
        // The ring entry is free once the writer is done with the pair before.
        for (int32_t done = pp.written.load(); done + kRingPairs <= p && !pp.stop.load(); done = pp.written.load()) {
            pp.written.wait(done);
        }
        if (pp.stop.load()) break;
        const int entry = p % kRingPairs;
        ShadeColumns(index, p, pp.staging + static_cast<size_t>(entry) * pairBytes);
        if (pp.shaded[entry].fetch_add(1) + 1 == pp.workers) pp.shaded[entry].notify_one();
    }
    gExportWorkerActive[index].store(0);
}

// Starts up to count workers, held until OpenPipeline; returns how many run.
int StartWorkers(int count)
{
    gPipeline.go.store(0);
    gPipeline.stop.store(0);
    gPipeline.written.store(0);
    for (auto& entry : gPipeline.shaded) entry.store(0);
    const int limit = std::clamp(gExportWorkerLimit, 0, kMaxExportWorkers);
    int started = 0;
    for (; started < count && started < limit; ++started) {
        try {
            gWorkerThreads[started] = std::thread(ShadeRowsThread, started);
        } catch (const std::system_error&) {
            break;
        }
    }
    return started;
}

void OpenPipeline(int pairs, int workers)
{
    gStaging.assign(static_cast<size_t>(kRingPairs) * 8 * static_cast<size_t>(gImageWidth), 0);
    gPipeline.pairs = pairs;
    gPipeline.workers = workers;
    gPipeline.step = std::max(workers, 1);
    gPipeline.staging = gStaging.data();
    gPipeline.shade = gExportServices.shadeColumn;
    gPipeline.go.store(1);
    gPipeline.go.notify_all();
}

// The planes of pair p once every worker has shaded its columns of it.
const uint8_t* WaitForPair(int32_t p)
{
    std::atomic<int32_t>& shaded = gPipeline.shaded[p % kRingPairs];
    for (int32_t v = shaded.load(); v < gPipeline.workers; v = shaded.load()) shaded.wait(v);
    return gPipeline.staging + static_cast<size_t>(p % kRingPairs) * 8 * static_cast<size_t>(gImageWidth);
}

void ReleasePair(int32_t p)
{
    gPipeline.shaded[p % kRingPairs].store(0);
    gPipeline.written.store(p + 1);
    gPipeline.written.notify_all();
}

// Lets every worker leave (at once when the pairs are not all written) and
// joins them.
void StopWorkers(int workers)
{
    gPipeline.stop.store(1);
    gPipeline.written.store(INT32_MAX - kRingPairs);
    gPipeline.written.notify_all();
    gPipeline.go.store(1);
    gPipeline.go.notify_all();
    for (int i = 0; i < workers; ++i) gWorkerThreads[i].join();
    gPipeline.staging = nullptr;
    std::vector<uint8_t>().swap(gStaging);
}

}  // namespace

void InitializeExportPipeline()
{
    for (auto& active : gExportWorkerActive) active.store(0);
    gPipeline.go.store(0);
    gPipeline.stop.store(0);
}

void AssignExportColumns(int workerCount, int width)
{
    for (int i = 0; i < kMaxExportWorkers; ++i) {
        gExportColumnStart[i] = i;
        gExportColumnEnd[i] = i < workerCount ? width : 0;
    }
}

// ---- [preview feed] ------------------------------------------------------------------
void AccumulatePreviewSample(int row, float red, float green, float blue)
{
    const int w = gImageWidth, h = gImageHeight;
    const int column = gExportWriteColumn;
    if (column < 0 || column >= w || row < 0 || row >= h) return;
    const float s = static_cast<float>(static_cast<double>(kPreviewSize) / w);
    const int last = kPreviewSize - 1;
    const int px = std::min(static_cast<int>(std::lround(column * s)), last);
    const int y = gExportPng ? h - row : row;
    // Both ends: the PNG row H maps one past the top, a preview top below 0 under it.
    const long py = std::clamp(std::lround(y * s + static_cast<float>(gExportSettings.previewTop)), 0L, long{last});
    const size_t cell = static_cast<size_t>(py) * kPreviewSize + px;
    if (gExportPreviewCounts[cell] == UINT16_MAX) return;
    const float count = ++gExportPreviewCounts[cell];
    float* sums = gExportPreviewSums + cell * 3;
    sums[0] += red;
    sums[1] += green;
    sums[2] += blue;
    uint8_t* pixel = gPreviewImage + (static_cast<size_t>(py) * kPreviewImageSize + px) * 3;
    for (int k = 0; k < 3; ++k) pixel[k] = static_cast<uint8_t>(std::clamp(sums[k] / count, 0.0f, 255.0f));
}

// ---- [writing rows] --------------------------------------------------------------------
namespace {

struct Output {
    bool png = false;
    bool alpha = false;       // PNG with four channels
    bool fogToAlpha = false;
    bool antiAlias = false;
    int width = 0;            // of the file
    int height = 0;
    FileReplacement file;  // the older file stays until the new one is whole
    ByteSink sink;
    PngWriter pngWriter;
    std::vector<uint8_t> bmpRow;
};

uint8_t AlphaSample(const Output& out, uint8_t a)
{
    if (a == 0) return 0;
    return out.fogToAlpha ? a : 255;
}

// Sends the filled row; false when the file refused it.
bool FinishRow(Output& out)
{
    if (out.png) return WritePngRow(out.pngWriter);
    return out.sink.Write(out.bmpRow.data(), out.bmpRow.size());
}

uint8_t* RowPixel(Output& out, int x)
{
    return out.png ? out.pngWriter.row.data() + static_cast<size_t>(x) * out.pngWriter.channels
                   : out.bmpRow.data() + static_cast<size_t>(x) * 3;
}

void PutPixel(Output& out, uint8_t* p, uint8_t r, uint8_t g, uint8_t b)
{
    if (out.png) {
        p[0] = r, p[1] = g, p[2] = b;
    } else {
        p[0] = b, p[1] = g, p[2] = r;
    }
}

// planes: R, G, B, A of one row pair, 2W bytes each.
bool WriteRows(Output& out, int row, int rows, const uint8_t* planes)
{
    const int w = gImageWidth;
    const uint8_t* R = planes;
    const uint8_t* G = planes + 2 * static_cast<size_t>(w);
    const uint8_t* B = planes + 4 * static_cast<size_t>(w);
    const uint8_t* A = planes + 6 * static_cast<size_t>(w);
    if (!out.antiAlias) {
        for (int k = 0; k < rows; ++k) {
            for (int c = 0; c < w; ++c) {
                const size_t at = static_cast<size_t>(k) * w + c;
                gExportWriteColumn = c;
                uint8_t* p = RowPixel(out, c);
                PutPixel(out, p, R[at], G[at], B[at]);
                if (out.alpha) p[3] = AlphaSample(out, A[at]);
                AccumulatePreviewSample(row + k, R[at], G[at], B[at]);
            }
            if (!FinishRow(out)) return false;
        }
        return true;
    }
    if (rows < 2) return true;  // the doubled size is always even
    for (int c = 0; c + 1 < w; c += 2) {
        const size_t a = c, b = c + 1, d = w + c, e = w + c + 1;
        const float mr = (R[a] + R[b] + R[d] + R[e]) * 0.25f;
        const float mg = (G[a] + G[b] + G[d] + G[e]) * 0.25f;
        const float mb = (B[a] + B[b] + B[d] + B[e]) * 0.25f;
        gExportWriteColumn = c;
        uint8_t* p = RowPixel(out, c / 2);
        PutPixel(out, p, static_cast<uint8_t>(mr), static_cast<uint8_t>(mg), static_cast<uint8_t>(mb));
        if (out.alpha) {
            // The mean of the four samples as the shading gave them (not
            // raised to 255 as a lone pixel's is), never 0 unless all are.
            const float m = (A[a] + A[b] + A[d] + A[e]) * 0.25f;
            p[3] = m == 0.0f ? 0 : static_cast<uint8_t>(std::max(m, 1.0f));
        }
        AccumulatePreviewSample(row, mr, mg, mb);
    }
    return FinishRow(out);
}

bool OpenOutput(Output& out, const std::string& path)
{
    if (!out.file.Begin(path)) return false;
    if (gExportFileByteLimit >= 0) out.file.LimitBytes(gExportFileByteLimit);
    out.sink = out.file.Sink();
    if (out.png) return OpenPngWriter(out.pngWriter, out.width, out.height, out.alpha ? kPngRgba : kPngRgb, out.sink);
    uint8_t headers[kBmpHeaderSize];
    BuildBmpHeaders(out.width, out.height, headers);
    out.bmpRow.assign(static_cast<size_t>(out.width) * 3 + BmpRowPadding(out.width), 0);
    return out.sink.Write(headers, 14) && out.sink.Write(headers + 14, 40);
}

// Puts the file in place of the chosen one when it was written whole;
// otherwise removes it, and what was there stays.
bool CloseOutput(Output& out, bool complete)
{
    bool ok = complete;
    if (out.png) ok = ClosePngWriter(out.pngWriter, complete) && ok;
    if (!ok) {
        out.file.Abandon();
        return false;
    }
    return out.file.Commit();
}

}  // namespace

// ---- [shading inputs] ------------------------------------------------------------------
namespace {

// What the workers share read-only: skies, glow map, mask planes, the
// averaged depth map and the settings snapshot (with the depth-of-field
// maximum, taken with the settings).
void PrepareShadingInputs(const ExportSettings& settings)
{
    ExportShadingSettings shading = settings.shading;
    shading.png = gExportPng;
    shading.fogToAlpha = settings.fogToAlpha;

    const float axis[3] = {1.0f, 0.0f, 0.0f};
    float sun[3];
    RotateAroundAxis(sun, shading.light, axis, -4.712389f);
    for (int i = 0; i < kSkyCount; ++i) {
        gShader.skies[i].ownerTurbidity = shading.turbidity;
        gShader.SetSunDirection(sun, i);
    }
    gOcclusionSettings = settings.occlusion;
    // Surface-texture brightening needs the fog-style occlusion once colours come from the points' maps.
    const OcclusionSettings& o = gOcclusionSettings;
    if ((o.everyPixel || o.averaged) && !shading.rgbColoring && o.option == 0) gOcclusionSettings.option = 1;

    if (shading.glowOn) {
        SetGlowParameters(static_cast<int>(settings.glowSmoothing), settings.glowThreshold);
        gExportServices.reshadePreview();
        // Without "Include the background brighness in the shader" only the
        // fractal glows: a bright background (a picture, or the grey one of
        // start-up at the threshold) would otherwise haze the whole image.
        BuildGlowMap(gPreviewImage, settings.glowIntensity, settings.glowBackground ? nullptr : gPreviewCovered);
    }
    if (gShader.AnyNeonBaseshape()) {
        gShader.SetMaskPlanesEnabled(1);
        gShader.BuildMaskPlanes();
        if (gMaskPlanesOn) gShader.BlurMaskPlanes();
    }
    shading.maskPlanesOn = gMaskPlanesOn;
    if (gOcclusionSettings.averaged) DownsampleDepthMap();
    PrepareExportShading(shading);
}

void ReleaseShadingInputs()
{
    if (gShader.AnyNeonBaseshape()) gShader.SetMaskPlanesEnabled(0);
}

}  // namespace

// ---- [the export] ---------------------------------------------------------------------
bool PathInsideFolder(const std::string& path, const std::string& folder)
{
    namespace fs = std::filesystem;
    if (path.empty() || folder.empty()) return false;
    const auto normal = [](const std::string& p) {
        std::error_code error;
        fs::path full = fs::weakly_canonical(fs::absolute(p, error), error);
        if (error) full = fs::absolute(p, error);
        return full.lexically_normal();
    };
    const fs::path inside = normal(path), outer = normal(folder);
    auto a = inside.begin();
    for (auto b = outer.begin(); b != outer.end(); ++b, ++a) {
        if (b->empty()) continue;  // the trailing separator of "dir/"
        if (a == inside.end() || *a != *b) return false;
    }
    return true;
}

bool TakeExportViewRestore() { return gViewRestorePending.exchange(0) != 0; }

namespace {

enum class WriteResult : uint8_t { kWritten, kCannotOpen, kWriteFailed, kCancelled, kNoWorker };

// Everything after the file was chosen. Whatever is not written whole is removed.
WriteResult WriteImageFile(const ExportSettings& settings, const std::string& path)
{
    Output out;
    out.png = gExportPng != 0;
    out.alpha = out.png && (settings.excludeBackground || settings.fogToAlpha);
    out.fogToAlpha = settings.fogToAlpha != 0;
    out.antiAlias = gAntiAlias2x != 0;
    const int w = gImageWidth, h = gImageHeight;
    out.width = out.antiAlias ? w / 2 : w;
    out.height = out.antiAlias ? h / 2 : h;
    if (!OpenOutput(out, path)) {
        CloseOutput(out, false);
        return WriteResult::kCannotOpen;
    }
    gScreenState.store(4);
    gExportRow = 0;
    gExportProgress.store(0);
    std::memset(gExportPreviewCounts, 0, sizeof gExportPreviewCounts);
    std::memset(gExportPreviewSums, 0, sizeof gExportPreviewSums);

    const int wanted = std::clamp(settings.workerCount, 1, kMaxExportWorkers);
    gExportThreadCountSaved = wanted;
    AssignExportColumns(wanted, w);
    const int workers = StartWorkers(wanted);
    AssignExportColumns(workers, w);  // before the first pair: the columns of workers never started go to the others

    WriteResult result = workers > 0 ? WriteResult::kWritten : WriteResult::kNoWorker;
    if (result == WriteResult::kWritten && h > 0) {
        const int32_t pairs = (h + 1) / 2;
        OpenPipeline(pairs, workers);
        for (int32_t p = 0; p < pairs && !gExportCancel.load(); ++p) {
            const int pairRow = 2 * p;
            const uint8_t* planes = WaitForPair(p);
            gExportRow = pairRow;
            if (!WriteRows(out, pairRow, std::min(2, h - pairRow), planes)) {
                result = WriteResult::kWriteFailed;
                break;
            }
            ReleasePair(p);
            if (pairRow % kPreviewUploadRows == 0) gPreviewUploadPending.store(1);
            gExportProgress.store(static_cast<int32_t>(static_cast<float>(pairRow) / static_cast<float>(h) * 100.0f));
        }
    }
    // A cancel during the last pair still cancels: the view will say so.
    if (result == WriteResult::kWritten && gExportCancel.load()) result = WriteResult::kCancelled;
    gExportRow = h;
    StopWorkers(workers);
    const bool closed = CloseOutput(out, result == WriteResult::kWritten);
    if (result == WriteResult::kWritten && !closed) result = WriteResult::kWriteFailed;
    return result;
}

}  // namespace

int ExportImage()
{
    ExportServices& services = gExportServices;
    if (!services.beginFileOperation()) {
        gFileThreadBusy.store(0);
        return 1;
    }
    StopRender();
    const ExportSettings settings = gExportSettings;
    gFileThreadBusy.store(1);
    gScreenState.store(4);

    std::string path;
    bool chosen = false;
    if (settings.animation) {
        gExportPng = settings.imageType == 1 ? 0 : 1;
        char name[4096];
        std::snprintf(name, sizeof name, gExportPng ? "%s%d.png" : "%s%d.bmp", settings.animationBaseName.c_str(),
                      settings.animationFrame);
        path = name;
        chosen = true;
    } else {
        gExportPng = settings.png;
        chosen = services.chooseFile(gExportPng != 0, &path) && !path.empty();
    }

    bool written = false;
    if (chosen) {
        if (PathInsideFolder(path, settings.texturesFolder)) {
            services.showMessage(kTextureFolderText, "Error", true);
        } else {
            if (!settings.animation) services.fileChosen(gExportPng != 0);
            services.setControls(true);
            PrepareShadingInputs(settings);
            const WriteResult result = WriteImageFile(settings, path);
            ReleaseShadingInputs();
            written = result == WriteResult::kWritten;
            if (result == WriteResult::kCannotOpen || result == WriteResult::kWriteFailed) {
                services.showMessage(kCannotWriteText, "Warning", false);
            }
            // The view reports "Save File Cancelled" for anything not written whole.
            if (!written) gExportCancel.store(1);
            gExportProgress.store(100);
            gViewRestorePending.store(1);
        }
        services.setControls(false);
    }
    services.endFileOperation();
    gExportPng = 0;
    gFileThreadBusy.store(0);
    return written ? 0 : 1;
}

// ---- [thread] --------------------------------------------------------------------------
bool StartExportThread(bool png)
{
    StopRender();
    if (gFileThreadBusy.exchange(1)) return false;
    if (gExportThread.joinable()) gExportThread.join();  // ended: busy was clear
    gExportSettings = gExportServices.readSettings();
    gExportSettings.png = png ? 1 : 0;
    // Held from here, on the window thread, so no action can change the
    // buffers before the thread reads them.
    HoldRenderBuffers(BufferReader::ImageExport);
    try {
        gExportThread = std::thread([] {
            ExportImage();
            ReleaseRenderBuffers(BufferReader::ImageExport);
        });
    } catch (const std::system_error&) {
        ReleaseRenderBuffers(BufferReader::ImageExport);
        gFileThreadBusy.store(0);
        return false;
    }
    return true;
}

void ReleaseExportThread(bool wait)
{
    if (!gExportThread.joinable()) return;
    if (wait || !gFileThreadBusy.load()) {
        gExportThread.join();
    } else {
        gExportThread.detach();
    }
}
