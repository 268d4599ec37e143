#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/dialogs.h"
#include "engine/file_dialogs.h"
#include "platform/text_encoding.h"
#include "platform/scripted_dialogs.h"
#include "app/texture_folder.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs_.SetFailureHandler(FailTest);
        root_ = std::filesystem::temp_directory_path() /
                ("talvoran_dialogs_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        SetFolder(gImagesPath, root_ / "images");
        SetFolder(gBuffersPath, root_ / "buffers");
        SetFolder(gDMapsPath, root_ / "dmaps");
        SetFolder(gMeshesPath, root_ / "meshes");
        SetFolder(gTexturesPath, root_ / "textures");
        SetFolder(gSTexturesPath, root_ / "stextures");
        SetFolder(gParametersPath, root_ / "parameters");
    }
    void TearDown() override
    {
        ForgetLastDialogFolders();
        std::filesystem::remove_all(root_);
    }

    static void SetFolder(char* folder, const std::filesystem::path& path)
    {
        std::snprintf(folder, kPathBufferSize, "%s", path.c_str());
    }

    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
    std::filesystem::path root_;
};

TEST_F(FileDialogs, CancelLeavesThePathAndChoiceSetsIt)
{
    std::snprintf(gFilePath, sizeof gFilePath, "%s", "/previous/file.zdat");
    dialogs_.QueueFileCancel();
    EXPECT_EQ(ShowOpenFileDialog(3, 7, 1), 0);
    EXPECT_STREQ(gFilePath, "/previous/file.zdat");

    dialogs_.QueueFile("/chosen/näme.zdat");
    EXPECT_EQ(ShowOpenFileDialog(3, 7, 1), 1);
    EXPECT_STREQ(gFilePath, "/chosen/näme.zdat");

    dialogs_.QueueFileCancel();
    EXPECT_EQ(ShowSaveFileDialog(3, 7, 1), 0);
    EXPECT_STREQ(gFilePath, "/chosen/näme.zdat");

    dialogs_.QueueFile("/" + std::string(kPathBufferSize, 'a') + ".zdat");  // too long: refused
    EXPECT_EQ(ShowOpenFileDialog(3, 7, 1), 0);
    EXPECT_STREQ(gFilePath, "/chosen/näme.zdat");
}

// Every kind lists its own type then "All Files", with the type's extension
// as the default; the graphics kind opens only, the unextended PNG and
// Bitmap kinds save only, an unknown kind lists nothing.
TEST_F(FileDialogs, FiltersAndFoldersOfEveryKind)
{
    for (int kind = 0; kind <= kFileKindCount; ++kind) {
        for (int save = 0; save < 2; ++save) {
            dialogs_.QueueFileCancel();
            EXPECT_EQ(save ? ShowSaveFileDialog(kind, 2, 1) : ShowOpenFileDialog(kind, 2, 0), 0);
            const FileDialogRequest request = dialogs_.Prompts().back().file;
            const std::string name = std::to_string(kind) + (save ? " save" : " open");
            EXPECT_EQ(request.save, save == 1) << name;
            EXPECT_TRUE(request.setFolder) << name;  // a cleared byte with no file chosen yet: the start folder
            EXPECT_EQ(request.folder, gDMapsPath) << name;
            const bool listed = kind < kFileKindCount && (save ? kind != 6 : kind < 14);
            if (!listed) {
                EXPECT_TRUE(request.filters.empty() && request.defaultExtension.empty()) << name;
                continue;
            }
            ASSERT_EQ(request.filters.size(), 2u) << name;
            EXPECT_EQ(request.filters[1].name + request.filters[1].pattern, "All Files*.*") << name;
            const std::string& pattern = request.filters[0].pattern;
            EXPECT_EQ(request.defaultExtension, kind == 6 || kind >= 14 ? "" : pattern.substr(2)) << name;
        }
    }
}

// A dialog whose start byte is clear opens where its last file was chosen;
// each dialog (kind and start folder) keeps its own, a cancel changes none,
// and a folder removed since sends the dialog back to its start folder.
TEST_F(FileDialogs, ClearedStartByteOpensInTheLastFolderChosen)
{
    const std::string other = (root_ / "elsewhere").string(), third = (root_ / "third").string();
    std::filesystem::create_directories(other);
    std::filesystem::create_directories(third);
    const auto folderOf = [this](bool save, int kind, int number, int set) {
        dialogs_.QueueFileCancel();
        if (save) {
            ShowSaveFileDialog(kind, number, set);
        } else {
            ShowOpenFileDialog(kind, number, set);
        }
        const FileDialogRequest r = dialogs_.Prompts().back().file;
        EXPECT_TRUE(r.setFolder);
        return r.folder;
    };
    EXPECT_EQ(folderOf(false, 13, 7, 0), gParametersPath);
    dialogs_.QueueFile(other + "/a.tmf");
    ASSERT_EQ(ShowOpenFileDialog(13, 7, 0), 1);
    const struct {
        bool save;
        int kind, number, set;
        std::string folder;
    } uses[] = {
        {false, 13, 7, 0, other},          {true, 13, 7, 0, other},  // one memory for opening and saving
        {false, 13, 7, 1, gParametersPath},                          // a set byte: the start folder
        {false, 3, 1, 0, gBuffersPath},    {false, 6, 4, 0, gTexturesPath},  // other dialogs keep theirs
    };
    for (const auto& u : uses) EXPECT_EQ(folderOf(u.save, u.kind, u.number, u.set), u.folder) << u.kind;
    dialogs_.QueueFile(third + "/b.tmf");
    ASSERT_EQ(ShowSaveFileDialog(13, 7, 0), 1);
    EXPECT_EQ(folderOf(false, 13, 7, 0), third);
    EXPECT_EQ(folderOf(false, 6, 5, 0), gSTexturesPath);
    std::filesystem::remove_all(third);
    EXPECT_EQ(folderOf(false, 13, 7, 0), gParametersPath);
}

TEST_F(FileDialogs, StartFolderByNumberIsCreatedOnFirstUse)
{
    const std::pair<int, const char*> folders[] = {
        {1, gBuffersPath}, {2, gDMapsPath},      {3, gMeshesPath}, {4, gTexturesPath}, {8, gTexturesPath},
        {5, gSTexturesPath}, {7, gParametersPath}, {0, gImagesPath}, {6, gImagesPath},  {42, gImagesPath},
    };
    for (const auto& [number, folder] : folders) {
        EXPECT_STREQ(DialogStartFolder(number), folder) << number;
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << number;
    }
}

TEST_F(FileDialogs, SaveAddsTheDefaultExtensionAndAsksBeforeReplacing)
{
    const std::string base = (root_ / "picture").string();
    dialogs_.QueueFile(base);
    EXPECT_EQ(ShowSaveFileDialog(0, 0, 1), 1);
    EXPECT_EQ(std::string(gFilePath), base + ".png");

    dialogs_.QueueFile(base + ".PNG");  // an extension of its own stays
    EXPECT_EQ(ShowSaveFileDialog(0, 0, 1), 1);
    EXPECT_EQ(std::string(gFilePath), base + ".PNG");

    dialogs_.QueueFile(base);  // kinds 14 and 15 add nothing
    EXPECT_EQ(ShowSaveFileDialog(14, 0, 1), 1);
    EXPECT_EQ(std::string(gFilePath), base);

    std::ofstream(base + ".png") << "x";
    dialogs_.QueueFile(base);
    dialogs_.QueueAnswer(MessageAnswer::No);
    std::snprintf(gFilePath, sizeof gFilePath, "%s", "kept");
    EXPECT_EQ(ShowSaveFileDialog(0, 0, 1), 0);
    EXPECT_STREQ(gFilePath, "kept");
    EXPECT_EQ(dialogs_.Prompts().back().message.caption, "Confirm Save As");

    dialogs_.QueueFile(base);
    dialogs_.QueueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(ShowSaveFileDialog(0, 0, 1), 1);
    EXPECT_EQ(std::string(gFilePath), base + ".png");
}

TEST_F(FileDialogs, CheckWritableWarnsForANullFile)
{
    dialogs_.QueueAnswer(MessageAnswer::Ok);
    EXPECT_FALSE(CheckWritable(nullptr));
    const DialogPrompt prompt = dialogs_.Prompts().back();
    EXPECT_EQ(prompt.message.text,
              "Talvoran cannot write in the selected directory path, please choose another destination.");
    EXPECT_EQ(prompt.message.caption, "Warning");
    EXPECT_EQ(prompt.message.icon, MessageIcon::Warning);
    EXPECT_EQ(prompt.message.buttons, MessageButtons::Ok);
    EXPECT_TRUE(CheckWritable(stdout));
    EXPECT_EQ(dialogs_.Prompts().size(), 1u);
}

TEST_F(FileDialogs, TextureFolderScan)
{
    const std::filesystem::path folder = root_ / "textures";
    std::filesystem::create_directories(folder / "sub.png");  // a folder is not a file
    for (const char* name : {"b.png", "a.PNG", "z.bmp", "c.jpg", "m.map", "notes.txt", "x.jpeg", ".png", "Q.Bmp"}) {
        std::ofstream(folder / name) << "x";
    }
    ScanTexturesFolder();
    const std::vector<std::string> expected = {"Q.Bmp", "z.bmp", "a.PNG", "b.png", "c.jpg", "m.map"};
    EXPECT_EQ(gTextureFileNames, expected);
    EXPECT_EQ(gTextureFileCount, 6);

    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ScanTexturesFolder();
    EXPECT_EQ(gTextureFileCount, 0);
    EXPECT_TRUE(gTextureFileNames.empty());

    std::filesystem::remove_all(folder);
    ScanTexturesFolder();
    EXPECT_EQ(gTextureFileCount, 0);
}

TEST(FileHelpers, ClearToHashAndProcessorCount)
{
    char name[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    ClearToHash(name);
    EXPECT_EQ(name[0], '#');
    for (int i = 1; i < 8; ++i) EXPECT_EQ(name[i], 0);
    EXPECT_GE(GetProcessorCount(), 1);
}

TEST(FileHelpers, Utf8ToWindows1252)
{
    char out[64];
    Utf8ToWindows1252("/home/jörg/€ 5 – ok", out, sizeof out);
    EXPECT_STREQ(out, "/home/j\xF6rg/\x80 5 \x96 ok");
    Utf8ToWindows1252("\xE6\x97\xA5 \xFF", out, sizeof out);  // not in the code page, then a bad byte
    EXPECT_STREQ(out, "? ?");
    Utf8ToWindows1252("abcdef", out, 4);
    EXPECT_STREQ(out, "abc");
}

}  // namespace
