#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/frame.h"
#include "app/point_preview.h"
#include "app/render_size.h"
#include "engine/fractal_model.h"
#include "engine/random.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"

namespace {

// Identity camera, centre 0, scale 1, zoom 1 and a W x H render: a point
// (x, y) lands on px = 416 x + 416, py = 416 (H / W) y + 416.
PreviewView PlainView(int width, int height, bool perspective = false)
{
    gImageWidth = width;
    gImageHeight = height;
    DeriveRenderSizeValues();
    for (int i = 0; i < 9; ++i) gCameraMatrix[i] = (i % 4 == 0) ? 1.0f : 0.0f;
    gViewCentre[0] = gViewCentre[1] = gViewCentre[2] = 0.0f;
    gViewScale = 1.0f;
    gZoom = 1.0f;
    gPanX = gPanY = 0.0f;
    gPerspectiveOn = perspective ? 1 : 0;
    gPerspectiveEye = 1.5f;
    return LoadPreviewView();
}

TEST(PointPreview, WhichPointsAreDrawn)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        int width, height;
        bool perspective;
        float x, y, z;
        bool drawn;
        float px, py;
    };
    const Case cases[] = {
        {"centre", 512, 512, false, 0.0f, 0.0f, 0.0f, true, 416.0f, 416.0f},
        {"left edge px = 0", 512, 512, false, -1.0f, 0.0f, 0.0f, false, 0, 0},
        {"right edge px = 832", 512, 512, false, 1.0f, 0.0f, 0.0f, false, 0, 0},
        {"just inside the right edge", 512, 512, false, 0.99f, 0.0f, 0.0f, true, 827.84f, 416.0f},
        {"bottom row of a wide render", 1024, 512, false, 0.0f, -1.0f, 0.0f, false, 0, 0},
        {"inside the rows of a wide render", 1024, 512, false, 0.5f, -0.99f, 0.0f, true, 520.0f, 210.08f},
        {"top row of a wide render", 1024, 512, false, 0.0f, 1.0f, 0.0f, false, 0, 0},
        {"not a number", 512, 512, false, nan, 0.0f, 0.0f, false, 0, 0},
        {"in front of the camera", 512, 512, true, 0.3f, 0.3f, 0.0f, true, 499.2f, 499.2f},
        {"at the camera", 512, 512, true, 0.0f, 0.0f, 1.5f, false, 0, 0},
        {"behind the camera", 512, 512, true, 0.0f, 0.0f, 2.5f, false, 0, 0},
    };
    for (const Case& c : cases) {
        const PreviewView v = PlainView(c.width, c.height, c.perspective);
        PreviewPoint p{};
        ASSERT_EQ(ProjectPreviewPoint(v, c.x, c.y, c.z, &p), c.drawn) << c.name;
        if (!c.drawn) continue;
        EXPECT_NEAR(p.px, c.px, 1e-3f) << c.name;
        EXPECT_NEAR(p.py, c.py, 1e-3f) << c.name;
    }
}

// Seeded points far beyond the area: whatever the aspect, settled points
// land only on the rows the render covers, the nearest one kept.
TEST(PointPreview, SettledPointsStayOnTheCoveredRows)
{
    struct Case {
        int width, height;
        int firstRow, lastRow;
        float spread;  // points reach about three times past the area
    };
    const Case cases[] = {
        {512, 512, 0, 832, 3.0f}, {1024, 512, 208, 624, 3.0f}, {512, 1024, 0, 832, 1.5f}, {64, 4096, 0, 832, 0.05f}};
    for (const Case& c : cases) {
        const PreviewView v = PlainView(c.width, c.height);
        ClearPreviewPlanes();
        RandomState random;
        SeedRandomState(random, 99u);
        const int first = gSlotBatchStart[0];
        for (int i = 0; i < kPreviewPointsPerBatch; ++i) {
            gPointX[first + i] = RandomSignedUniform(random) * c.spread;
            gPointY[first + i] = RandomSignedUniform(random) * c.spread;
            gPointZ[first + i] = RandomSignedUniform(random);
            gPointColorIndex[first + i] = static_cast<uint8_t>(i);
        }
        EmitPreviewPoints(v, false);
        int written = 0;
        for (int row = 0; row < kPreviewSize; ++row)
            for (int col = 0; col < kPreviewSize; ++col) {
                const float depth = gPreviewDepth[row * kPreviewSize + col];
                if (depth == 0.0f) continue;
                ++written;
                EXPECT_TRUE(row >= c.firstRow && row < c.lastRow && col > 0)
                    << c.width << " x " << c.height << " row " << row << " col " << col;
            }
        EXPECT_GT(written, 50) << c.width << " x " << c.height;
    }
    // Two points on one cell: the nearer stays, in either order.
    const PreviewView v = PlainView(512, 512);
    for (int order = 0; order < 2; ++order) {
        ClearPreviewPlanes();
        const int first = gSlotBatchStart[0];
        for (int i = 0; i < kPreviewPointsPerBatch; ++i) gPointX[first + i] = 5.0f;  // off the area
        gPointX[first] = gPointX[first + 1] = 0.0f;
        gPointY[first] = gPointY[first + 1] = 0.0f;
        gPointZ[first + order] = 0.5f;
        gPointZ[first + 1 - order] = -0.5f;
        gPointColorIndex[first + order] = 7;
        gPointColorIndex[first + 1 - order] = 9;
        EmitPreviewPoints(v, false);
        const int cell = 416 * kPreviewSize + 416;
        EXPECT_FLOAT_EQ(gPreviewDepth[cell], 1.5f * 416.0f) << "order " << order;
        EXPECT_EQ(gPreviewPlanes[3][cell], 7) << "order " << order;
    }
}

}  // namespace
