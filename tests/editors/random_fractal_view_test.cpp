// Whether a new set shows in the view New Fractal gives it: kernels of the
// test's own draw point clouds of known shape (rings with a few stray
// points far out, the rings seen edge-on, drifting rings, a dust of five
// specks, a featureless disc and a diffuse cloud), and every type's and every "Fractal Generator" row's New Fractal
// from fixed seeds ends in a view that shows its set.
#include <gtest/gtest.h>

#include <cmath>

#include "editors/random_fractal.h"
#include "editors/support/random_fractal_setup.h"
#include "engine/fractal_model.h"
#include "engine/generator_groups.h"
#include "engine/kernel_framework.h"
#include "engine/random.h"
#include "engine/transform_set.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"

namespace {

// Uniform on four rings of the unit disc in the x-y plane (seen face on by
// the camera at rest), from the slot's own generator: a set with sharp
// edges, not a featureless blob.
void DiscPoint(uint8_t slot, float* x, float* y)
{
    float r2 = 0.0f;
    do {
        *x = RandomSignedUniform(gSlotRandom[slot]);
        *y = RandomSignedUniform(gSlotRandom[slot]);
        r2 = *x * *x + *y * *y;
    } while (r2 > 1.0f || static_cast<int>(8.0f * std::sqrt(r2)) % 2 != 0);
}

// The disc, and one point in 250 a thousand units away.
void DiscWithStrays(uint8_t slot)
{
    for (int i = gSlotBatchStart[slot]; i <= gSlotBatchLast[slot]; ++i) {
        DiscPoint(slot, &gPointX[i], &gPointY[i]);
        gPointZ[i] = 0.0f;
        if (RandomStep(gSlotRandom[slot]) % 250u == 0) gPointX[i] = 1000.0f;
    }
}

// The disc turned into the x-z plane: edge-on to the camera at rest.
void FlatDisc(uint8_t slot)
{
    for (int i = gSlotBatchStart[slot]; i <= gSlotBatchLast[slot]; ++i) {
        DiscPoint(slot, &gPointX[i], &gPointZ[i]);
        gPointY[i] = 0.0f;
    }
}

// The disc moving a hundredth of its radius along x with every batch.
void DriftingDisc(uint8_t slot)
{
    static float offset = 0.0f;
    offset += 0.01f;
    for (int i = gSlotBatchStart[slot]; i <= gSlotBatchLast[slot]; ++i) {
        DiscPoint(slot, &gPointX[i], &gPointY[i]);
        gPointX[i] += offset;
        gPointZ[i] = 0.0f;
    }
}

// Five specks at the corners and the middle of the square around the disc.
void Dust(uint8_t slot)
{
    static const float kSpecks[5][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}, {0, 0}};
    for (int i = gSlotBatchStart[slot]; i <= gSlotBatchLast[slot]; ++i) {
        const float* s = kSpecks[RandomStep(gSlotRandom[slot]) % 5u];
        gPointX[i] = s[0] + 0.001f * RandomSignedUniform(gSlotRandom[slot]);
        gPointY[i] = s[1] + 0.001f * RandomSignedUniform(gSlotRandom[slot]);
        gPointZ[i] = 0.0f;
    }
}

// The whole unit ball, evenly: a blob.
void Blob(uint8_t slot)
{
    for (int i = gSlotBatchStart[slot]; i <= gSlotBatchLast[slot]; ++i) {
        float x = 0.0f, y = 0.0f, z = 0.0f;
        do {
            x = RandomSignedUniform(gSlotRandom[slot]);
            y = RandomSignedUniform(gSlotRandom[slot]);
            z = RandomSignedUniform(gSlotRandom[slot]);
        } while (x * x + y * y + z * z > 1.0f);
        gPointX[i] = x, gPointY[i] = y, gPointZ[i] = z;
    }
}

// Gaussian-like: the sum of four uniforms in each axis, thinning out from
// the middle into a wide halo.
void Cloud(uint8_t slot)
{
    for (int i = gSlotBatchStart[slot]; i <= gSlotBatchLast[slot]; ++i) {
        float x = 0.0f, y = 0.0f;
        for (int k = 0; k < 4; ++k) {
            x += RandomSignedUniform(gSlotRandom[slot]);
            y += RandomSignedUniform(gSlotRandom[slot]);
        }
        gPointX[i] = x, gPointY[i] = y, gPointZ[i] = 0.0f;
    }
}

class NewFractalView : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUpRandomFractalModel(5);
        gImageWidth = gImageHeight = 512;
        gCameraAngleX = gCameraAngleY = gCameraAngleZ = 0.0f;
        UpdateCameraMatrix();
    }
    void TearDown() override
    {
        SelectFractalTypeKernel();
        ReplaceGeneratorGroups(nullptr, 0);
    }
};

// The camera fit takes the strays and leaves the disc a dot (its middle
// spans 1/500 of the frame); the view of the bulk fills the frame with it.
TEST_F(NewFractalView, AFewStrayPointsDoNotMakeTheSetADot)
{
    gFractalTypeKernel = DiscWithStrays;
    const RandomFractalView fitted = LookAtRandomFractal(kRandomFractalViewBatches);
    EXPECT_LT(fitted.spanX, 0.05f);
    ASSERT_TRUE(RandomFractalViewShows());
    const RandomFractalView bulk = LookAtRandomFractal(kRandomFractalViewBatches, false);
    EXPECT_GT(bulk.spanX, 0.8f);
    EXPECT_GT(bulk.spanY, 0.8f);
    EXPECT_GT(bulk.inFrame, 0.99f);
    EXPECT_NEAR(gViewCentre[0], 0.0f, 0.05f);
    // The outer ring ends at 7/8 of the radius.
    EXPECT_NEAR(1.0f / gViewScale, 0.875f * 1.025f, 0.03f);
}

// A flat set seen edge-on is a line; turned by 45 degrees it shows.
TEST_F(NewFractalView, APlaneSeenEdgeOnDoesNotShow)
{
    gFractalTypeKernel = FlatDisc;
    const RandomFractalView edgeOn = LookAtRandomFractal(kRandomFractalViewBatches);
    EXPECT_GT(edgeOn.spanX, 0.8f);
    EXPECT_LT(edgeOn.spanY, 0.05f);
    EXPECT_FALSE(RandomFractalViewShows());
    gCameraAngleX = 45.0f;
    UpdateCameraMatrix();
    EXPECT_TRUE(RandomFractalViewShows());
}

// An orbit that moves on past what the fit saw leaves the frame.
TEST_F(NewFractalView, AnOrbitThatWandersOffDoesNotShow)
{
    gFractalTypeKernel = DriftingDisc;
    EXPECT_LT(LookAtRandomFractal(kRandomFractalViewBatches).inFrame, kRandomFractalMinInFrame);
    EXPECT_FALSE(RandomFractalViewShows());
}

TEST_F(NewFractalView, ADustOfFiveSpecksDoesNotShow)
{
    gFractalTypeKernel = Dust;
    const RandomFractalView dust = LookAtRandomFractal(kRandomFractalViewBatches);
    EXPECT_LT(dust.cells, 0.01f);
    EXPECT_FALSE(RandomFractalViewShows());
}

TEST_F(NewFractalView, AFeaturelessBlobOrCloudDoesNotShow)
{
    gFractalTypeKernel = Blob;
    const RandomFractalView blob = LookAtRandomFractal(kRandomFractalViewBatches);
    EXPECT_LT(blob.structure, kRandomFractalBlobStructure);
    EXPECT_FALSE(RandomFractalViewShows());
    gFractalTypeKernel = Cloud;
    const RandomFractalView cloud = LookAtRandomFractal(kRandomFractalViewBatches);
    EXPECT_LT(cloud.structure, kRandomFractalCloudStructure);
    EXPECT_GT(cloud.halo, kRandomFractalCloudHalo);
    EXPECT_FALSE(RandomFractalViewShows());
    gFractalTypeKernel = DiscWithStrays;
    EXPECT_GT(LookAtRandomFractal(kRandomFractalViewBatches).structure, kRandomFractalCloudStructure);
}

// Every type (the script type with the tetrahedron script) and every row of
// the generator type, a seed each: the view New Fractal leaves shows the set.
TEST_F(NewFractalView, EveryNewFractalShowsInItsView)
{
    int shown = 0, total = 0;
    for (int type = 0; type < kFractalTypeCount; ++type) {
        for (int row = 0; row < (type == 48 ? kFractalGeneratorRowCount : 1); ++row) {
            {
                const uint32_t seed = 11u + static_cast<uint32_t>(type + row);
                SetUpRandomFractalModel(seed);
                gImageWidth = gImageHeight = 512;
                gFractalType = type;
                gFractalGeneratorRow = row;
                SelectFractalTypeKernel();
                if (type == 22) LoadTetrahedronScript();
                CreateRandomFractal();
                const RandomFractalView look = LookAtRandomFractal(kRandomFractalViewBatches, false);
                const bool shows = look.inFrame >= kRandomFractalMinInFrame && look.spanX >= kRandomFractalMinSpan &&
                                   look.spanY >= kRandomFractalMinSpan && look.cells >= kRandomFractalMinLitCells;
                EXPECT_TRUE(shows) << "type " << type << " row " << row << " seed " << seed << ": in frame "
                                   << look.inFrame << ", spans " << look.spanX << " " << look.spanY << ", cells "
                                   << look.cells;
                shown += shows ? 1 : 0;
                ++total;
                ReplaceGeneratorGroups(nullptr, 0);
            }
        }
    }
    EXPECT_EQ(shown, total);
}

}  // namespace
