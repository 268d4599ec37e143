#include <gtest/gtest.h>

#include <string>

#include "app/buffer_resize.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/pending_services.h"
#include "app/render_control.h"
#include "app/status_line.h"
#include "render/render_buffers.h"

namespace {

uint32_t gSlept = 0;
// Fails for sizes above 'gLargestThatFits'; with gLosesOldBuffers the failed
// attempt also takes the old buffers with it.
int gLargestThatFits = 1 << 20;
bool gLosesOldBuffers = false;
RenderResolution gWanted{};

bool LimitedAllocate(int32_t width, int32_t height, bool antiAlias2x)
{
    const int32_t factor = antiAlias2x ? 2 : 1;
    if (width * factor <= gLargestThatFits && height * factor <= gLargestThatFits) {
        return AllocateRenderBuffers(width, height, antiAlias2x);
    }
    if (gLosesOldBuffers) FreeRenderBuffers();
    return false;
}

TEST(BufferResize, SizesAndFallBacks)
{
    struct Case {
        const char* name;
        int mode;
        RenderResolution wanted;  // mode 0
        int largestThatFits;
        bool losesOldBuffers;
        int width, height, firstRow, lastRow;
        bool renderEnabled;
        bool memoryMessage;
    };
    const Case cases[] = {
        {"1024 x 768 with 2X AA", 0, {1024, 768, true}, 1 << 20, false, 2048, 1536, 104, 728, true, false},
        {"mode 2 keeps the doubled size", 2, {}, 1 << 20, false, 2048, 1536, 104, 728, true, false},
        {"too large: the old size stays", 0, {4096, 1024, false}, 2048, false, 2048, 1536, 104, 728, true, true},
        {"old buffers lost too: a start-up size", 0, {4096, 4096, false}, 1024, true, 1024, 1024, 0, 832, true,
         true},
        {"nothing fits", 0, {4096, 4096, false}, 256, true, 0, 0, 0, 832, false, true},
        {"fits again", 0, {640, 480, false}, 1 << 20, false, 640, 480, 104, 728, true, false},
    };
    gResizeSleep = [](uint32_t ms) { gSlept += ms; };
    gResizeAllocate = LimitedAllocate;
    gReadRenderResolution = [] { return gWanted; };
    EnableButton(kButtonRender, true);
    for (const Case& c : cases) {
        gLargestThatFits = c.largestThatFits;
        gLosesOldBuffers = c.losesOldBuffers;
        gWanted = c.wanted;
        gRenderExists = 1;
        gContinueAllowed = 1;
        gSlept = 0;
        ClearStatusText();
        ResizeRenderBuffers(c.mode);
        EXPECT_EQ(gImageWidth, c.width) << c.name;
        EXPECT_EQ(gImageHeight, c.height) << c.name;
        EXPECT_EQ(RenderBuffersReady(), c.width > 0) << c.name;
        if (c.width > 0) {
            EXPECT_EQ(gPreviewFirstRow, c.firstRow) << c.name;
            EXPECT_EQ(gPreviewLastRow, c.lastRow) << c.name;
        }
        EXPECT_EQ(ButtonEnabled(kButtonRender), c.renderEnabled) << c.name;
        if (!c.renderEnabled) {
            EXPECT_FALSE(ButtonEnabled(kButtonContinue)) << c.name;
        }
        EXPECT_EQ(std::string(gStatusText) == kInsufficientMemoryText, c.memoryMessage) << c.name;
        EXPECT_EQ(gRenderExists, 0) << c.name << ": nothing left to erase";
        EXPECT_EQ(gContinueAllowed, 0) << c.name;
        EXPECT_EQ(gSlept, kResizeSettleMs) << c.name;
        EXPECT_EQ(gPreviewUploadPending.load(), 1) << c.name;
    }
    gResizeAllocate = AllocateRenderBuffers;
    FreeRenderBuffers();
}

}  // namespace
