#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/pending_services.h"
#include "app/point_preview.h"
#include "app/preview_timer.h"
#include "app/support/app_interface.h"
#include "platform/preview_target.h"
#include "render/render_buffers.h"

namespace {

// The tick on which a pending re-plot runs (0: none within ten ticks).
int ReplotTick()
{
    for (int tick = 1; tick <= 10; ++tick) {
        OnTimer();
        if (gPreviewRefresh == 0) return tick;
    }
    return 0;
}

TEST(PreviewTimer, SettlesThenReplots)
{
    AppInterfaceTest gl;
    if (!gl.ok()) GTEST_SKIP() << gl.why();
    struct Case {
        const char* name;
        uint8_t target;
        int effectiveState;
        uint8_t editBox;
        int replotTick;
        bool shaded;
    };
    const Case cases[] = {
        {"without the off-screen target", 0, kScreenPointPreview, 0, 2, true},
        {"with the off-screen target", 1, kScreenPointPreview, 0, 5, true},
        {"3-D preview: waits", 0, kScreenPreview3D, 0, 0, false},
        {"render screen: waits", 1, kScreenRenderOrtho, 0, 0, false},
        {"an Edit box on clears without shading", 0, kScreenPointPreview, 1, 2, false},
    };
    const uint8_t hadTarget = gPbufferAvailable;
    for (const Case& c : cases) {
        gPbufferAvailable = c.target;
        gEffectiveScreenState = c.effectiveState;
        gScreenState = static_cast<uint8_t>(c.effectiveState);
        gXFormsEditorOpen = c.editBox;
        gPreviewRefresh = 1;
        gPreviewTicks = 0;
        gPreviewUploadPending = 0;
        gPreviewDepth[1000] = 5.0f;
        gPreviewPlanes[3][1000] = 9;
        EXPECT_EQ(ReplotTick(), c.replotTick) << c.name;
        EXPECT_EQ(gPreviewUploadPending.load() != 0, c.shaded) << c.name;
        const bool cleared = c.replotTick != 0;
        EXPECT_EQ(gPreviewDepth[1000] == 0.0f && gPreviewPlanes[3][1000] == 0, cleared) << c.name;
        EXPECT_EQ(gPreviewTicks, 0) << c.name << ": reset by the re-plot, never counted while waiting";
    }
    gPbufferAvailable = hadTarget;
    gXFormsEditorOpen = 0;
}

}  // namespace
