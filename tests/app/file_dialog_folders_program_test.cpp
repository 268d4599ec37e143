// Where each file chooser of the running program opens, its button pressed
// where it is drawn several times in a row: in the dialog's own folder at
// first, then in the folder of the last file chosen in it, in its own folder
// again for as long as "Keep Default Paths" is ticked, and after "Reset Paths".
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/control_tables.h"
#include "app/panel_state.h"
#include "app/frame.h"
#include "app/support/program_controls.h"
#include "assets/png_file.h"
#include "editors/xforms_editor.h"
#include "engine/file_dialogs.h"
#include "materials/shader.h"
#include "render/render_buffers.h"
#include "ui/panel_pages.h"

namespace fs = std::filesystem;

namespace {

// The named control pressed, then a frame for what it opened.
void Press(const char* name)
{
    Click(name);
    gProgram.Frames(1);
}

// One chooser: how to reach it, its start folder and the file it is given.
struct Chooser {
    const char* name;
    const char* folder;  // the start folder, filled once the settings are read
    const char* file;    // a name of the kind: saved, or a picture that loads
    void (*open)();
};

void OnFractals(const char* button)
{
    gProgram.GoTo(kTabFractals);
    Press(button);
}

void OnAmbient(const char* button)
{
    gProgram.GoTo(kTabRender, kPageMaterials, kMaterialAmbient);
    Press(button);
}

void TextureGeneratorOn(bool on)
{
    gProgram.GoTo(kTabRender, kPageMaterials, kMaterialAmbient);
    if ((gPanel.generatorOn[0] != 0) != on) Press("Texture Generator");
}

const Chooser kChoosers[] = {
    {"Save Fractal", gBuffersPath, "a.zdat", [] { OnFractals("Save Fractal"); }},
    {"Save Buffers", gBuffersPath, "a.zb3f", [] { OnFractals("Save Buffers"); }},
    {"Save Script", gParametersPath, "a.prg", [] { OnFractals("Save Script"); }},
    {"Save Material", gBuffersPath, "a.bmat", [] { OnAmbient("Save Material"); }},
    {"Ext.Text.", gTexturesPath, "a.png",
     [] {
         TextureGeneratorOn(false);
         Press("Ext.Text.");
     }},
    {"Export", gImagesPath, "a.bmp",
     [] {
         TextureGeneratorOn(true);
         Press("Export");
         TextureGeneratorOn(false);
     }},
    {"Load (Gel)", gSTexturesPath, "a.png",
     [] {
         gProgram.GoTo(kTabEditors, kPageObjects);
         if (!gPanel.lightEditOn) Press("Edit");
         const LightSource& light = gShader.lights[gShader.editedLight];
         if (!light.enabled) Press("Enable Light");
         if (!light.textured) Press("Use Texture");
         Press("Load (Gel)");
     }},
    {"Save (Transformations)", gParametersPath, "a.tmf",
     [] {
         gProgram.GoTo(kTabEditors, kPageTransformations);
         if (!gXFormsEditorOpen) Press("Edit (Transformations)");
         Press("Save (Transformations)");
         Press("Edit (Transformations)");
     }},
};

// The program is started for each test, and the folders last used are
// forgotten after it.
class FileDialogFolders : public ProgramTest {
protected:
    static void SetUpTestSuite() { UseOwnFolder("talvoran_dialog_folders_"); }
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(gProgram.Start(&error)) << error;
        WaitForPointPreview();
    }
    void TearDown() override
    {
        gProgram.Stop();
        ForgetLastDialogFolders();
    }

    // The folder the chooser was handed when its button was pressed, the
    // file given (or the chooser cancelled).
    static std::string Use(const Chooser& c, const fs::path& folder)
    {
        const size_t before = gDialogs.Prompts().size();
        if (folder.empty()) {
            gDialogs.QueueFileCancel();
        } else {
            gDialogs.QueueFile((folder / c.file).string());
        }
        c.open();
        gProgram.Frames(2);
        const std::vector<DialogPrompt> prompts = gDialogs.Prompts();
        for (size_t i = before; i < prompts.size(); ++i)
            if (prompts[i].kind != DialogPrompt::Kind::Message) return prompts[i].file.folder;
        ADD_FAILURE() << c.name << ": no chooser was shown";
        return "";
    }
};

TEST_F(FileDialogFolders, EachChooserOpensInItsFolderOrTheLastOneUsed)
{
    const fs::path other = gDir / "other", third = gDir / "third";
    fs::create_directories(other);
    fs::create_directories(third);
    const uint8_t grey[4 * 4 * 3] = {};
    for (const fs::path& folder : {other, third})
        ASSERT_TRUE(assetgen::WritePngRgb((folder / "a.png").string(), grey, 4, 4));
    auto keepDefaults = [](bool on) {
        gProgram.GoTo(kTabFractals);
        if ((gKeepDialogFolders != 0) != on) Press("Keep Default Paths");
        ASSERT_EQ(gKeepDialogFolders != 0, on);
    };
    for (const Chooser& c : kChoosers) {
        SCOPED_TRACE(c.name);
        const std::string start = c.folder;
        ASSERT_FALSE(start.empty());
        EXPECT_EQ(Use(c, other), start) << "the first use";
        EXPECT_EQ(Use(c, ""), other.string()) << "after a file was chosen";
        EXPECT_EQ(Use(c, third), other.string());
        EXPECT_EQ(Use(c, ""), third.string()) << "a cancel changes nothing";
        OnFractals("Reset Paths");
        EXPECT_EQ(Use(c, ""), start) << "after \"Reset Paths\"";
        keepDefaults(true);
        EXPECT_EQ(Use(c, other), start);
        EXPECT_EQ(Use(c, third), start) << "\"Keep Default Paths\" ticked";
        keepDefaults(false);
        EXPECT_EQ(Use(c, other), start);
        EXPECT_EQ(Use(c, ""), other.string());
        OnFractals("Reset Paths");
        EXPECT_EQ(Use(c, ""), start);
    }
    EXPECT_EQ(gDialogs.PendingAnswers(), 0u);
}

}  // namespace
