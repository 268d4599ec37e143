#include "app/procedural_texture_thread.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/panel_state.h"
#include "editors/baseshape_editor.h"
#include "engine/status_line.h"
#include "engine/baseshape_record.h"
#include "engine/baseshape_model.h"
#include "engine/random_helpers.h"
#include "materials/shader.h"
#include "render/render_threads.h"

namespace {

class ProceduralThread : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SeedGlobalRandomA(3);
        gShader.InitializeTextures();
        gShader.RegenerateTexturePresets(0, kTexturePresetCount, 5);
    }
    void TearDown() override
    {
        WaitForProceduralTexture();
        RunRequestedReshade();
    }
};

}  // namespace

// A start while one runs is refused and leaves the running one alone; each
// finished generation asks for exactly one reshade.
TEST_F(ProceduralThread, OneAtATimeAndOneReshadeEach)
{
    gShader.editedLight = 2;
    ASSERT_TRUE(StartProceduralTexture(5));
    EXPECT_EQ(gProceduralTextureBusy.load(), 1);  // set by the starter itself
    EXPECT_FALSE(StartProceduralTexture(0));
    EXPECT_STREQ(gStatusText, "A Procedural Texture calculation is already in progress..");
    EXPECT_EQ(gBaseShapeEditor.redraw.load(), 1);
    WaitForProceduralTexture();
    EXPECT_EQ(gProceduralTextureBusy.load(), 0);
    EXPECT_EQ(gBaseShapeEditor.redraw.load(), 0);
    EXPECT_STREQ(gStatusText, "Procedural Texture generation finished");
    EXPECT_EQ(gShader.gels[2].Width(), 512u);
    EXPECT_EQ(gShader.generationShown, 0);
    EXPECT_TRUE(RunRequestedReshade());
    EXPECT_FALSE(RunRequestedReshade());
    EXPECT_FALSE(StartProceduralTexture(6));
}

// "New Set" replaces the presets (and their cell sites) while the thread
// renders its own copy.
TEST_F(ProceduralThread, NewSetWhileItRuns)
{
    gShader.currentMaterial = 4;
    gPanel.presetEntry[0] = 3;
    gShader.presets[3].cellWarpOn = 1;
    gShader.presets[3].cellSites.assign(40, CellSite{{0.0f, 0.0f, 1.0f}});
    ASSERT_TRUE(StartProceduralTexture(1));
    EXPECT_EQ(gShader.useTextureB[4], 1);
    gShader.RegenerateTexturePresets(0, kPresetsPerPanel, 0);
    gShader.presets[3].cellSites.clear();
    WaitForProceduralTexture();
    EXPECT_EQ(gShader.slots[kMaterialCount + 4].Width(), 512u);
    EXPECT_TRUE(RunRequestedReshade());
}

// Baseshape images change only while no render runs.
TEST_F(ProceduralThread, BaseshapeTargetsWaitForTheRender)
{
    gCurrentBaseshape = 5;
    gPanel.presetEntry[2] = 1;
    for (uint8_t active : {1, 0}) {
        gRenderActive = active;
        std::free(gBaseshapeTextures[5].pixels);
        gBaseshapeTextures[5] = BaseshapeImage{};
        gBaseShapeEditor.textureJobKind = 3;
        StartProceduralTextureThread();
        WaitForProceduralTexture();
        EXPECT_EQ(gBaseshapeTextures[5].width, active ? 0u : 512u) << "render active " << int(active);
        EXPECT_EQ(gBaseshapeTextures[5].pixels == nullptr, active != 0);
        RunRequestedReshade();
    }
    gRenderActive = 0;
}
