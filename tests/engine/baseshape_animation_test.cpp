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
        InitNewBaseshape(BaseshapeDefaults{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 0, 0, 0, 1}, 0);
        gBaseshapes[0].position[0] = 3.0f;
        gBaseshapes[0].scaleShear[1] = 0.5f;  // a shear: no turn leaves the matrix alone by symmetry
        ComputeBaseshapeMatrix(0);
        gBaseshapeCount = 1;
        gBaseshapeAnimationFrame = gBaseshapeAnimationTick = 0;
    }
    void TearDown() override { gBaseshapeCount = 0, gBaseshapeHooks = BaseshapeHooks{}; }
};

// Period 8, amplitude 2 along x: the saw tooth repeats every 4 frames, the
// sine reaches its top at frame 2; position itself never moves.
TEST_F(BaseshapeAnimation, WavesMoveTheCurrentPosition)
{
    gBaseshapeMoveWave[0][0] = 2.0f, gBaseshapeMoveWave[0][1] = 8.0f;
    gBaseshapeMoveDirection[0][0] = 1.0f, gBaseshapeMoveDirection[0][1] = 0.0f;
    gBaseshapeWaveType[0] = 0;
    for (const float w : {0.0f, 0.5f, -1.0f, -0.5f, 0.0f, 0.5f, -1.0f}) {
        AnimateBaseshapes();
        EXPECT_NEAR(gBaseshapes[0].glMatrix[12], 3.0f + 2.0f * w, 1e-5f) << "frame " << gBaseshapeAnimationFrame - 1;
    }
    gBaseshapeWaveType[0] = 3;
    gBaseshapeAnimationFrame = 2;
    AnimateBaseshapes();
    EXPECT_NEAR(gBaseshapes[0].glMatrix[12] - gBaseshapes[0].position[0], 2.0f, 1e-5f);
    gBaseshapeCount = 0;
    AnimateBaseshapes();
    EXPECT_EQ(gBaseshapeAnimationFrame, 3) << "no baseshapes, no step";
}

// Period 4 about y: frame 0 does not turn, frames 1 to 4 turn a full circle.
TEST_F(BaseshapeAnimation, FourQuarterTurnsComeBack)
{
    gBaseshapeSpin[0][3] = 4.0f;
    const BaseshapeRecord before = gBaseshapes[0];
    AnimateBaseshapes();
    EXPECT_TRUE(std::equal(before.matrix, before.matrix + 9, gBaseshapes[0].matrix));
    AnimateBaseshapes();
    // Rt M with a quarter turn R about y: row 0 of the turned matrix is row 2 of the start.
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(gBaseshapes[0].matrix[c], before.matrix[6 + c], 1e-6f) << c;
    for (int step = 0; step < 3; ++step) AnimateBaseshapes();
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(gBaseshapes[0].matrix[k], before.matrix[k], 1e-6f) << k;
}

// Mode 0 steps every fifth tick; mode 1 acts on every hundredth, and only
// when something spins or moves, turning the preview matrix alone.
TEST_F(BaseshapeAnimation, TicksOfThePreviews)
{
    static int restarts;
    restarts = 0;
    gBaseshapeHooks.restartPreview = [] { ++restarts; };
    for (int k = 1; k <= 310; ++k) EXPECT_EQ(TickBaseshapeAnimation(k > 10), k % 5 == 4 && k <= 10) << k;
    EXPECT_EQ(gBaseshapeAnimationFrame * 10 + restarts, 20);
    gBaseshapeSpin[0][3] = 4.0f;
    gBaseshapeAnimationTick = 0;
    const BaseshapeRecord before = gBaseshapes[0];
    for (int k = 1; k <= 99; ++k) EXPECT_FALSE(TickBaseshapeAnimation(1));
    EXPECT_EQ(gBaseshapeAnimationFrame * 10 + restarts, 31);
    EXPECT_TRUE(std::equal(before.matrix, before.matrix + 9, gBaseshapes[0].matrix));
    // M R: column 0 of the preview's rows becomes column 2.
    for (int r = 0; r < 3; ++r) EXPECT_NEAR(gBaseshapes[0].glMatrix[4 * r], before.glMatrix[4 * r + 2], 1e-6f) << r;
}

}  // namespace
