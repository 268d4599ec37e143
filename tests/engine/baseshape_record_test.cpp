#include "engine/baseshape_images.h"
#include "engine/baseshape_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace {

BaseshapeDefaults Defaults()
{
    return BaseshapeDefaults{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 164.0f, 20.0f, 0, 1};
}

TEST(BaseshapeRecord, WeightsFollowTheCount)
{
    gBaseshapeCount = 3;
    for (int b = 0; b < 4; ++b) gBaseshapes[b].probability = 0.9f;
    ResetBaseshapeWeights();
    for (int b = 0; b < 3; ++b) EXPECT_FLOAT_EQ(gBaseshapes[b].probability, 1.0f / 3.0f);
    EXPECT_EQ(gBaseshapes[3].probability, 0.9f);
    gBaseshapeCount = 0;
    ResetBaseshapeWeights();
    EXPECT_FLOAT_EQ(gBaseshapes[0].probability, 1.0f / 3.0f);
    gBaseshapeCount = 1000;  // stays inside the array
    ResetBaseshapeWeights();
    EXPECT_FLOAT_EQ(gBaseshapes[64].probability, 1.0f / 65.0f);
}

// A quarter turn about z after a scale with a shear: R S in rows, the
// preview matrix in columns with the position last.
// The kind picker's pages of 15: kind 17 on the page from 15, the last
// page from 180 holding 194, a kind below 0 on the first page.
TEST(BaseshapeRecord, KindPickerPages)
{
    const int cases[][2] = {{0, 0}, {14, 0}, {15, 15}, {17, 15}, {179, 165}, {180, 180}, {194, 180}, {-3, 0}};
    for (const auto& [kind, first] : cases) EXPECT_EQ(KindPickerPageFirst(kind), first) << kind;
    EXPECT_EQ(kKindPickerLastFirst, 180);
}

TEST(BaseshapeRecord, ComposeExample)
{
    BaseshapeRecord& r = gBaseshapes[0];
    const float rotation[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    const float scale[9] = {2, 0.5f, 0, 0, 3, 0, 0, 0, 4};
    std::copy_n(rotation, 9, r.rotation);
    std::copy_n(scale, 9, r.scaleShear);
    r.position[0] = 5;
    r.position[1] = 6;
    r.position[2] = 7;
    ComputeBaseshapeMatrix(0);
    const float rs[9] = {0, -3, 0, 2, 0.5f, 0, 0, 0, 4};
    for (int e = 0; e < 9; ++e) EXPECT_EQ(r.matrix[e], rs[e]) << e;
    const float gl[16] = {0, 2, 0, 0, -3, 0.5f, 0, 0, 0, 0, 4, 0, 5, 6, 7, 1};
    for (int e = 0; e < 16; ++e) EXPECT_EQ(r.glMatrix[e], gl[e]) << e;
}

TEST(ShapeTypeDefaults, TableRowsAreWellFormed)
{
    std::set<int> seen;
    for (int k = 0; k < kShapeTypeDefaultsCount; ++k) {
        const ShapeTypeDefaultsRow& row = kShapeTypeDefaults[k];
        ASSERT_NE(row.types[0], 0) << "row " << k;
        for (int16_t t : row.types) {
            if (t == 0) break;
            EXPECT_GE(t, 2);
            EXPECT_LT(t, kBaseshapeKinds);
            EXPECT_TRUE(seen.insert(t).second) << "type " << t << " twice";
            EXPECT_EQ(FindShapeTypeDefaults(t), &row);
            // Exactly the displacement-mapped types reset their map.
            EXPECT_EQ(row.dmapBorder >= 0, ShapeTypeUsesDMap(t)) << t;
        }
        EXPECT_GT(row.size, 0.0f);
        for (float p : row.p) EXPECT_TRUE(std::isfinite(p));
    }
    int dmapTypes = 0;
    for (int t = 0; t < kBaseshapeKinds; ++t) dmapTypes += ShapeTypeUsesDMap(t);
    EXPECT_EQ(dmapTypes, 15);
    for (int t : {0, 1, 11, 40, 47, -3, 195, 1000}) EXPECT_EQ(FindShapeTypeDefaults(t), nullptr) << t;
}

TEST(ShapeTypeDefaults, AppliedToTheTemplate)
{
    // Every type, and types read from a file that may be anything: a clean
    // point at the origin, white, with the row's values or the baseline.
    std::vector<int> types = {-7, 1000};
    for (int t = 0; t < kBaseshapeKinds; ++t) types.push_back(t);
    for (int type : types) {
        gBaseshapeEditPoints[9].p[12] = 4.0f;
        gBaseshapeEditPoints[9].x = 2.0f;
        gBaseshapeColors.r[9] = 3;
        gBaseshapes[9].shapeType = type;
        ApplyShapeTypeDefaults(9);
        const BaseshapePoint& t = gBaseshapePointTemplates[9];
        const ShapeTypeDefaultsRow* row = FindShapeTypeDefaults(type);
        EXPECT_EQ(t.size, row ? row->size : 0.5f) << type;
        EXPECT_EQ(t.p[12], row ? row->p[12] : 0.0f) << type;
        EXPECT_EQ(t.x, 0.0f) << type;
        EXPECT_EQ(gBaseshapeColors.r[9], 255) << type;
    }

    gBaseshapes[9].shapeType = 50;
    ApplyShapeTypeDefaults(9);
    const BaseshapeImage& d = gBaseshapeDMaps[9];
    ASSERT_EQ(d.width, 16u);
    for (uint32_t k = 0; k < 16; ++k) {
        EXPECT_EQ(d.pixels[k], 0);            // first row
        EXPECT_EQ(d.pixels[15 * 16 + k], 0);  // last row
        EXPECT_EQ(d.pixels[k * 16], 0);       // first column
        EXPECT_EQ(d.pixels[k * 16 + 15], 0);  // last column
    }
    EXPECT_EQ(d.pixels[5 * 16 + 5], 255);

    gBaseshapes[9].shapeType = 60;
    ApplyShapeTypeDefaults(9);
    ASSERT_EQ(gBaseshapeMeshes[9].triangleCount, 1u);
    EXPECT_EQ(gBaseshapeMeshes[9].vertices[0], 1.0f);
    EXPECT_FLOAT_EQ(gBaseshapeMeshes[9].vertices[7], 0.8660254f);
}

TEST(DMapBorders, ModesOnAnOddSize)
{
    uint8_t pixels[12];
    BaseshapeImage image{};
    image.width = 4;
    image.height = 3;
    image.pixels = pixels;
    for (int mode : {0, 1, 2}) {
        std::fill(pixels, pixels + 12, 255);
        ApplyDMapBorderMode(image, mode);
        EXPECT_EQ(pixels[1], mode == 2 ? 255 : 0);    // row 0
        EXPECT_EQ(pixels[9], mode == 2 ? 255 : 0);    // row 2
        EXPECT_EQ(pixels[4], mode == 1 ? 0 : 255);    // column 0 of row 1
        EXPECT_EQ(pixels[7], mode == 1 ? 0 : 255);    // column 3 of row 1
        EXPECT_EQ(pixels[5], 255);
    }
}

TEST(BaseshapeRecord, CopyMakesIndependentBuffersAndKeepsEveryParameter)
{
    InitNewBaseshape(Defaults(), 1);
    InitNewBaseshape(Defaults(), 2);
    gBaseshapes[1].shapeType = 58;
    ApplyShapeTypeDefaults(1);
    ClearBaseshapeTexture(1);
    ClearBaseshapeTexture(2);
    gBaseshapeTextures[1].pixels[5] = 77;
    for (int k = 0; k < 13; ++k) gBaseshapeEditPoints[1].p[k] = 0.5f + k;
    gBaseshapeEditPoints[1].size = 0.75f;
    gBaseshapeEditPoints[2].red = 9;
    gBaseshapeModifierType[1] = 4;
    gBaseshapeSpin[1][3] = 12.0f;
    gBaseshapeNeonStrength[1] = 5.0f;
    gBaseshapeColorRamps[1].g[3] = 1;
    gBaseshapes[1].reserved[2] = 6;

    CopyBaseshape(1, 2);
    EXPECT_EQ(gBaseshapes[2].shapeType, 58);
    EXPECT_EQ(gBaseshapes[2].reserved[2], 6);
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(gBaseshapeEditPoints[2].p[k], 0.5f + k) << k;
        EXPECT_EQ(gBaseshapePointTemplates[2].p[k], 0.5f + k) << k;
    }
    EXPECT_EQ(gBaseshapeEditPoints[2].size, 0.75f);
    EXPECT_EQ(gBaseshapeEditPoints[2].red, 9);  // the colour of the edit point stays
    EXPECT_EQ(gBaseshapeModifierType[2], 4);
    EXPECT_EQ(gBaseshapeSpin[2][3], 12.0f);
    EXPECT_EQ(gBaseshapeNeonStrength[2], 5.0f);
    EXPECT_EQ(gBaseshapeColorRamps[2].g[3], 1);

    ASSERT_NE(gBaseshapeTextures[2].pixels, gBaseshapeTextures[1].pixels);
    EXPECT_EQ(gBaseshapeTextures[2].pixels[5], 77);
    ASSERT_NE(gBaseshapeDMaps[2].pixels, gBaseshapeDMaps[1].pixels);
    ASSERT_NE(gBaseshapeMeshes[2].vertices, gBaseshapeMeshes[1].vertices);
    EXPECT_EQ(gBaseshapeMeshes[2].triangleCount, 1u);
    gBaseshapeMeshes[2].vertices[0] = 42.0f;
    ClearBaseshapeMesh(2);
    EXPECT_EQ(gBaseshapeMeshes[1].vertices[0], 1.0f);
    EXPECT_EQ(gBaseshapeMeshes[1].triangleCount, 1u);

    float* before = gBaseshapeMeshes[1].vertices;
    CopyBaseshape(1, 1);  // a copy onto itself changes nothing
    EXPECT_EQ(gBaseshapeMeshes[1].vertices, before);
    CopyBaseshape(1, 65);
}

TEST(BaseshapeRecord, UndoRestoresTheStateBeforeTheLastEdit)
{
    gBaseshapeCount = 2;
    gCurrentBaseshape = 0;
    gUseBaseshapes = 1;
    gBaseshapes[0].shapeType = 3;
    BaseshapeUndo undo;
    SaveBaseshapeUndo(undo, 0);  // before edit 1
    gBaseshapes[0].shapeType = 4;
    SaveBaseshapeUndo(undo, 5);  // before edit 2
    gBaseshapes[0].shapeType = 5;
    gBaseshapeEditPoints[1].p[2] = 8.0f;
    gBaseshapeCount = 3;
    gCurrentBaseshape = 2;
    gUseBaseshapes = 0;
    RestoreBaseshapeUndo(undo);
    EXPECT_EQ(gBaseshapes[0].shapeType, 4);
    EXPECT_EQ(gBaseshapeCount, 2);
    EXPECT_EQ(gCurrentBaseshape, 0);
    EXPECT_EQ(gUseBaseshapes, 1);
    EXPECT_EQ(gBaseshapePointTemplates[1].p[2], gBaseshapeEditPoints[1].p[2]);
    EXPECT_NE(gBaseshapeEditPoints[1].p[2], 8.0f);
    EXPECT_EQ(undo.editorSetting, 5);
    EXPECT_FLOAT_EQ(gBaseshapes[1].probability, 0.5f);
}

}  // namespace
