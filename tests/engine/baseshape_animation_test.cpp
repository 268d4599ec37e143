#include "engine/baseshape_animation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/baseshape_hooks.h"
#include "engine/baseshape_record.h"

namespace {

class BaseshapeAnimation : public ::testing::Test {
protected:
    void SetUp() override
    {
        const BaseshapeDefaults defaults{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 0, 0, 0, 1};
        InitNewBaseshape(defaults, 0);
        gBaseshapes[0].position[0] = 3.0f;
        gBaseshapes[0].scaleShear[1] = 0.5f;  // a shear, so the turn is not about a symmetry of the matrix
        ComputeBaseshapeMatrix(0);
        gBaseshapeCount = 1;
        gBaseshapeAnimationFrame = gBaseshapeAnimationTick = 0;
    }
    void TearDown() override
    {
        gBaseshapeCount = 0;
        gBaseshapeHooks = BaseshapeHooks{};
    }
};

TEST_F(BaseshapeAnimation, WavesMoveTheCurrentPositionOnly)
{
    gBaseshapeMoveWave[0][0] = 2.0f;  // amplitude
    gBaseshapeMoveWave[0][1] = 8.0f;  // period
    gBaseshapeMoveDirection[0][0] = 1.0f, gBaseshapeMoveDirection[0][1] = 0.0f;
    gBaseshapeWaveType[0] = 0;
    const float sawTooth[7] = {0, 0.5f, -1, -0.5f, 0, 0.5f, -1};  // repeats every q / 2 frames
    for (int n = 0; n < 7; ++n) {
        AnimateBaseshapes();
        EXPECT_NEAR(gBaseshapes[0].glMatrix[12], 3.0f + 2.0f * sawTooth[n], 1e-5f) << "frame " << n;
        EXPECT_EQ(gBaseshapeAnimationFrame, n + 1);
    }
    gBaseshapeWaveType[0] = 3;
    gBaseshapeAnimationFrame = 2;
    AnimateBaseshapes();
    EXPECT_NEAR(gBaseshapes[0].glMatrix[12], 5.0f, 1e-5f) << "a sine at a quarter period";
    EXPECT_EQ(gBaseshapes[0].position[0], 3.0f);
    gBaseshapeMoveWave[0][1] = 0.0f;
    AnimateBaseshapes();
    EXPECT_EQ(gBaseshapes[0].glMatrix[12], 3.0f) << "no period: back at the position";
}

TEST_F(BaseshapeAnimation, FourQuarterTurnsComeBackAndFrameZeroDoesNotTurn)
{
    gBaseshapeSpin[0][3] = 4.0f;  // about y
    float start[9];
    std::copy_n(gBaseshapes[0].matrix, 9, start);
    AnimateBaseshapes();  // frame 0
    for (int k = 0; k < 9; ++k) EXPECT_EQ(gBaseshapes[0].matrix[k], start[k]);
    AnimateBaseshapes();
    // Rt M with a quarter turn R about y: row 0 of the turned matrix is row 2 of the start.
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(gBaseshapes[0].matrix[c], start[6 + c], 1e-6f) << c;
    for (int step = 0; step < 3; ++step) AnimateBaseshapes();
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(gBaseshapes[0].matrix[k], start[k], 1e-6f) << k;
}

TEST_F(BaseshapeAnimation, TicksOfThePreviews)
{
    static int restarts;
    restarts = 0;
    gBaseshapeHooks.restartPreview = [] { ++restarts; };

    // Mode 0: every fifth tick is a step.
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(TickBaseshapeAnimation(0), k % 5 == 4) << k;
    EXPECT_EQ(gBaseshapeAnimationFrame, 2);

    // Mode 1 without spin or movement: nothing, ever.
    for (int k = 0; k < 300; ++k) EXPECT_FALSE(TickBaseshapeAnimation(1));
    EXPECT_EQ(gBaseshapeAnimationFrame, 2);
    EXPECT_EQ(restarts, 0);

    // With a spin: the hundredth tick turns the preview matrix only.
    gBaseshapeSpin[0][3] = 4.0f;
    gBaseshapeAnimationTick = 0;
    const BaseshapeRecord before = gBaseshapes[0];
    for (int k = 1; k < 99; ++k) EXPECT_FALSE(TickBaseshapeAnimation(1));
    EXPECT_EQ(gBaseshapeAnimationFrame, 2);
    EXPECT_FALSE(TickBaseshapeAnimation(1));
    EXPECT_EQ(gBaseshapeAnimationFrame, 3);
    EXPECT_EQ(restarts, 1);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(gBaseshapes[0].matrix[k], before.matrix[k]);
    // M x R with R a quarter turn about y: column 0 of the rows becomes column 2.
    for (int r = 0; r < 3; ++r) EXPECT_NEAR(gBaseshapes[0].glMatrix[4 * r], before.glMatrix[4 * r + 2], 1e-6f) << r;
}

TEST_F(BaseshapeAnimation, NoBaseshapesNoStep)
{
    gBaseshapeCount = 0;
    AnimateBaseshapes();
    EXPECT_EQ(gBaseshapeAnimationFrame, 0);
}

}  // namespace
