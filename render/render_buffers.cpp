#include "render/render_buffers.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "engine/status_line.h"

#include "render/render_threads.h"

#if defined(__unix__)
#include <sys/mman.h>
#include <unistd.h>
#endif

int32_t gImageWidth = 0;
int32_t gImageHeight = 0;
int32_t gImageWidthLast = -1;
int32_t gImageHeightLast = -1;
float gHalfImageWidth = 0.0f;
uint8_t gAntiAlias2x = 0;

float* gDepthBuffer = nullptr;
uint8_t* gColorIndexBuffer = nullptr;
uint8_t* gSubPixelBuffer = nullptr;
uint8_t* gPointColorPlanes[3] = {nullptr, nullptr, nullptr};
uint16_t* gShadowMap = nullptr;
uint16_t* gFogSampleBuffer = nullptr;
uint16_t*& gDofDepthBuffer = gFogSampleBuffer;
uint8_t* gExportRowPairs[4] = {nullptr, nullptr, nullptr, nullptr};
size_t gColorIndexBufferBytes = 0;

float gPreviewDepth[kPreviewSize * kPreviewSize];
uint8_t gPreviewPlanes[4][kPreviewSize * kPreviewSize];

namespace {

// The large buffers come straight from the system as zero pages: a page
// costs memory only once something is drawn into it, so a buffer a session
// never uses (fog samples without fog, colour planes without RGB colouring)
// stays free, and a clear hands the pages back instead of writing zeros
// into every one of them. The colour-index buffer stays on the heap: the
// voxel engine swaps it for its grid.
struct PageBuffer {
    void* data = nullptr;
    size_t bytes = 0;
};
PageBuffer gDepthPages, gShadowPages, gFogPages, gSubPixelPages, gPlanePages[3];

void* AllocatePages(PageBuffer& b, size_t bytes)
{
    b = {};
    if (bytes == 0) bytes = 1;
#if defined(__unix__)
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
#else
    void* p = std::calloc(bytes, 1);
    if (!p) return nullptr;
#endif
    b = {p, bytes};
    return p;
}

void ReleasePages(PageBuffer& b)
{
    if (!b.data) return;
#if defined(__unix__)
    munmap(b.data, b.bytes);
#else
    std::free(b.data);
#endif
    b = {};
}

// Zeroes the first bytes of the buffer (all of it when bytes is larger).
void ClearPages(const PageBuffer& b, size_t bytes)
{
    if (!b.data) return;
    bytes = bytes < b.bytes ? bytes : b.bytes;
#if defined(__unix__)
    // Whole pages are dropped (they read as zero again); a partial last page is written.
    static const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t whole = page > 0 ? bytes / page * page : 0;
    if (whole > 0 && madvise(b.data, whole, MADV_DONTNEED) == 0) {
        std::memset(static_cast<uint8_t*>(b.data) + whole, 0, bytes - whole);
        return;
    }
#endif
    std::memset(b.data, 0, bytes);
}

struct BufferBytes {
    size_t pixels;  // W x H
    size_t shadow;  // W x W
    size_t rowPair; // 2 x W
    bool operator==(const BufferBytes&) const = default;
};

bool MultiplyChecked(size_t a, size_t b, size_t& out)
{
    if (a != 0 && b > std::numeric_limits<size_t>::max() / a) return false;
    out = a * b;
    return true;
}

bool ComputeBufferBytes(int32_t w, int32_t h, BufferBytes& out)
{
    if (w <= 0 || h <= 0) return false;
    size_t pixels = 0, shadow = 0, fourPixels = 0;
    if (!MultiplyChecked(static_cast<size_t>(w), static_cast<size_t>(h), pixels)) return false;
    if (!MultiplyChecked(static_cast<size_t>(w), static_cast<size_t>(w), shadow)) return false;
    // The largest buffer is the depth buffer with 4 bytes a pixel.
    if (!MultiplyChecked(pixels, sizeof(float), fourPixels)) return false;
    if (!MultiplyChecked(shadow, sizeof(uint16_t), fourPixels)) return false;
    out = {pixels, shadow, 2u * static_cast<size_t>(w)};
    return true;
}

// One complete set of render buffers, as allocated together.
struct BufferSet {
    PageBuffer depth, shadow, fog, subPixel, planes[3];
    uint8_t* colorIndex = nullptr;
    size_t colorIndexBytes = 0;
    uint8_t* rows[4] = {nullptr, nullptr, nullptr, nullptr};
    BufferBytes bytes{};  // what the set was allocated for; all 0 when it is not whole
};
// What the buffers in use were allocated for.
BufferBytes gAllocatedBytes{};

void ReleaseSet(BufferSet& set)
{
    for (PageBuffer* b : {&set.depth, &set.shadow, &set.fog, &set.subPixel}) ReleasePages(*b);
    for (PageBuffer& b : set.planes) ReleasePages(b);
    std::free(set.colorIndex);
    for (uint8_t* row : set.rows) std::free(row);
    set = {};
}

// Zeroed allocations, so a fresh buffer is also a cleared one. On failure
// nothing of the set stays allocated.
bool AllocateSet(const BufferBytes& b, BufferSet& set)
{
    set = {};
    bool ok = AllocatePages(set.depth, b.pixels * sizeof(float)) && AllocatePages(set.shadow, b.shadow * sizeof(uint16_t));
    ok = ok && (set.colorIndex = static_cast<uint8_t*>(std::calloc(b.pixels, 1))) != nullptr;
    ok = ok && AllocatePages(set.fog, b.pixels * sizeof(uint16_t)) && AllocatePages(set.subPixel, b.pixels * 2);
    for (PageBuffer& plane : set.planes) ok = ok && AllocatePages(plane, b.pixels);
    for (uint8_t*& row : set.rows) ok = ok && (row = static_cast<uint8_t*>(std::calloc(b.rowPair, 1))) != nullptr;
    if (!ok) {
        ReleaseSet(set);
        return false;
    }
    set.colorIndexBytes = b.pixels;
    set.bytes = b;
    return true;
}

// The buffers in use, as the globals show them.
BufferSet CurrentSet()
{
    BufferSet set{gDepthPages, gShadowPages, gFogPages, gSubPixelPages, {gPlanePages[0], gPlanePages[1], gPlanePages[2]},
                  gColorIndexBuffer, gColorIndexBufferBytes, {}, gAllocatedBytes};
    for (int r = 0; r < 4; ++r) set.rows[r] = gExportRowPairs[r];
    return set;
}

void InstallSet(const BufferSet& set)
{
    gDepthPages = set.depth, gShadowPages = set.shadow, gFogPages = set.fog, gSubPixelPages = set.subPixel;
    for (int c = 0; c < 3; ++c) {
        gPlanePages[c] = set.planes[c];
        gPointColorPlanes[c] = static_cast<uint8_t*>(set.planes[c].data);
    }
    gDepthBuffer = static_cast<float*>(set.depth.data);
    gShadowMap = static_cast<uint16_t*>(set.shadow.data);
    gFogSampleBuffer = static_cast<uint16_t*>(set.fog.data);
    gSubPixelBuffer = static_cast<uint8_t*>(set.subPixel.data);
    gColorIndexBuffer = set.colorIndex;
    gColorIndexBufferBytes = set.colorIndexBytes;
    for (int r = 0; r < 4; ++r) gExportRowPairs[r] = set.rows[r];
    gAllocatedBytes = set.bytes;
}

void ReleaseAll()
{
    BufferSet set = CurrentSet();
    ReleaseSet(set);
    InstallSet(set);
}

// The buffers of the present size kept for a request of the same size, and
// cleared as fresh ones would be; the colour-index buffer (the voxel grid
// after the voxel engine) made W x H again. False when that cannot be had
// even with the grid given up first: no buffers are left then.
bool ReuseForSameSize(const BufferBytes& b)
{
    if (gColorIndexBufferBytes != b.pixels || !gColorIndexBuffer) {
        uint8_t* index = static_cast<uint8_t*>(std::calloc(b.pixels, 1));
        if (!index) {
            std::free(gColorIndexBuffer);
            gColorIndexBuffer = nullptr;
            gColorIndexBufferBytes = 0;
            index = static_cast<uint8_t*>(std::calloc(b.pixels, 1));
        }
        if (!index) {
            ReleaseAll();
            return false;
        }
        std::free(gColorIndexBuffer);
        gColorIndexBuffer = index;
        gColorIndexBufferBytes = b.pixels;
    } else {
        std::memset(gColorIndexBuffer, 0, gColorIndexBufferBytes);
    }
    for (const PageBuffer* p : {&gDepthPages, &gShadowPages, &gFogPages, &gSubPixelPages}) ClearPages(*p, p->bytes);
    for (const PageBuffer& p : gPlanePages) ClearPages(p, p.bytes);
    for (uint8_t* row : gExportRowPairs) std::memset(row, 0, b.rowPair);
    return true;
}

void SetSize(int32_t w, int32_t h)
{
    gImageWidth = w;
    gImageHeight = h;
    gImageWidthLast = w - 1;
    gImageHeightLast = h - 1;
    gHalfImageWidth = static_cast<float>(w) * 0.5f;
}

}  // namespace

namespace {

constexpr int kBufferReaders = 2;
std::atomic<int32_t> gBufferHolds[kBufferReaders];
constexpr const char* kBufferReaderNames[kBufferReaders] = {"the image export", "the mesh export"};

}  // namespace

void HoldRenderBuffers(BufferReader reader) { gBufferHolds[static_cast<int>(reader)].fetch_add(1); }

void ReleaseRenderBuffers(BufferReader reader) { gBufferHolds[static_cast<int>(reader)].fetch_sub(1); }

const char* RenderBuffersReader()
{
    for (int i = 0; i < kBufferReaders; ++i)
        if (gBufferHolds[i].load() > 0) return kBufferReaderNames[i];
    return nullptr;
}

bool RenderBuffersChangeable()
{
    const char* reader = RenderBuffersReader();
    if (reader == nullptr) return true;
    SetStatusText("The render buffers are in use by %s: try again once it has finished.", reader);
    return false;
}

bool AllocateRenderBuffers(int32_t width, int32_t height, bool antiAlias2x)
{
    if (!RenderBuffersChangeable()) return false;
    // No worker may write a buffer while it is replaced.
    StopRender();

    BufferBytes bytes{};
    const int64_t factor = antiAlias2x ? 2 : 1;
    const int64_t w = static_cast<int64_t>(width) * factor;
    const int64_t h = static_cast<int64_t>(height) * factor;
    const bool sizeOk = w > 0 && h > 0 && w <= std::numeric_limits<int32_t>::max() &&
                        h <= std::numeric_limits<int32_t>::max() &&
                        ComputeBufferBytes(static_cast<int32_t>(w), static_cast<int32_t>(h), bytes);
    if (!sizeOk) return false;

    // The same size keeps its buffers; the colour-index buffer may be the
    // voxel engine's grid meanwhile, and is made W x H again.
    if (gAllocatedBytes == bytes) {
        if (!ReuseForSameSize(bytes)) {
            SetSize(0, 0);
            return false;
        }
    } else {
        // The new buffers are had before the old ones are given back, so a
        // size that memory cannot hold leaves the render as it was. Both
        // sets cost address space for a moment, hardly memory: the new
        // pages are the system's zero pages until something is drawn.
        BufferSet fresh;
        if (!AllocateSet(bytes, fresh)) return false;
        ReleaseAll();
        InstallSet(fresh);
    }
    SetSize(static_cast<int32_t>(w), static_cast<int32_t>(h));
    gAntiAlias2x = antiAlias2x ? 1 : 0;
    return true;
}

bool FreeRenderBuffers()
{
    if (!RenderBuffersChangeable()) return false;
    StopRender();
    ReleaseAll();
    SetSize(0, 0);
    return true;
}

namespace {
size_t ImagePixels()
{
    return static_cast<size_t>(gImageWidth > 0 ? gImageWidth : 0) *
           static_cast<size_t>(gImageHeight > 0 ? gImageHeight : 0);
}
}  // namespace

bool RestoreImageColorIndexBuffer()
{
    const size_t pixels = ImagePixels();
    if (pixels == 0 || (gColorIndexBuffer && gColorIndexBufferBytes >= pixels)) return true;
    if (!RenderBuffersChangeable()) return false;
    uint8_t* buffer = static_cast<uint8_t*>(std::calloc(pixels, 1));
    if (!buffer) return false;
    std::free(gColorIndexBuffer);
    gColorIndexBuffer = buffer;
    gColorIndexBufferBytes = pixels;
    return true;
}

bool RenderBuffersReady()
{
    if (gImageWidth <= 0 || gImageHeight <= 0) return false;
    if (!gDepthBuffer || !gShadowMap || !gColorIndexBuffer || !gFogSampleBuffer || !gSubPixelBuffer) {
        return false;
    }
    if (gColorIndexBufferBytes < ImagePixels()) return false;
    for (const uint8_t* plane : gPointColorPlanes) {
        if (!plane) return false;
    }
    for (const uint8_t* row : gExportRowPairs) {
        if (!row) return false;
    }
    return true;
}

bool ClearRenderBuffers()
{
    if (!RenderBuffersChangeable()) return false;
    const size_t pixels = ImagePixels();
    const size_t shadow = static_cast<size_t>(gImageWidth > 0 ? gImageWidth : 0) *
                          static_cast<size_t>(gImageWidth > 0 ? gImageWidth : 0);
    ClearPages(gDepthPages, pixels * sizeof(float));
    ClearPages(gShadowPages, shadow * sizeof(uint16_t));
    for (const PageBuffer& plane : gPlanePages) ClearPages(plane, pixels);
    ClearPages(gSubPixelPages, pixels * 2);
    for (uint8_t* row : gExportRowPairs) {
        if (row) std::memset(row, 0, static_cast<size_t>(gImageWidth > 0 ? gImageWidth : 0) * 2);
    }
    // In voxel mode the colour-index buffer is the N^3 grid: clear what exists.
    if (gColorIndexBuffer) std::memset(gColorIndexBuffer, 0, gColorIndexBufferBytes);
    ClearPages(gFogPages, pixels * sizeof(uint16_t));
    std::memset(gPreviewDepth, 0, sizeof(gPreviewDepth));
    std::memset(gPreviewPlanes[3], 0, sizeof(gPreviewPlanes[3]));
    return true;
}
