#include "app/render_size.h"

#include <gtest/gtest.h>

#include "app/frame.h"

namespace {

TEST(RenderSize, DerivedValuesOfAWideImage)
{
    gImageWidth = 2048;
    gImageHeight = 1024;
    DeriveRenderSizeValues();
    EXPECT_EQ(gImageWidthLast, 2047);
    EXPECT_EQ(gImageHeightLast, 1023);
    EXPECT_EQ(gImageHalfWidth, 1024);
    EXPECT_EQ(gImageHalfHeight, 512);
    EXPECT_FLOAT_EQ(gImageAspect, 0.5f);
    EXPECT_FLOAT_EQ(gPreviewToImage, 832.0f / 2048.0f);
    EXPECT_EQ(gPreviewFirstRow, 416 - 208);
    EXPECT_EQ(gPreviewLastRow, 416 + 208);
}

TEST(RenderSize, NoSizeKeepsTheLastValues)
{
    SetRenderDefaults();
    for (const int w : {0, -4}) {
        gImageWidth = w;
        gImageHeight = 0;
        DeriveRenderSizeValues();
        EXPECT_EQ(gImageHalfWidth, 1024);
        EXPECT_FLOAT_EQ(gImageInverseWidth, 1.0f / 2048.0f);
        EXPECT_FLOAT_EQ(gImageAspect, 1.0f);
    }
    SetRenderDefaults();
}

}  // namespace
