// Saving over what the user has, through the editor's "Save" as a user
// does: a private file stays private, a link stays a link to the file it
// names, a long name saves, and a pipe chosen as the destination is left
// alone with the warning.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/baseshape_record.h"
#include "engine/file_dialogs.h"
#include "files/baseshape_file.h"
#include "files/baseshape_file_dialogs.h"
#include "platform/scripted_dialogs.h"
#include "support/baseshape_state.h"

namespace fs = std::filesystem;

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

std::vector<uint8_t> Contents(const std::string& path)
{
    std::vector<uint8_t> bytes(fs::file_size(path));
    std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), static_cast<long>(bytes.size()));
    return bytes;
}

struct stat Info(const std::string& path, bool follow = true)
{
    struct stat info {};
    EXPECT_EQ(follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info), 0) << path;
    return info;
}

class ReplacingWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs_.SetFailureHandler(FailTest);
        InitNewBaseshape(BaseshapeDefaults{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 64, 415, 0, 1}, 0);
        gBaseshapeCount = 1;
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(WriteBaseshapeFile(SinkOf(bytes), 0, 1));
        expected_ = bytes;
    }
    void TearDown() override
    {
        gBaseshapeCount = 0;
        EXPECT_EQ(dialogs_.PendingAnswers(), 0u);
        EXPECT_EQ(gFileOperationBusy, 0);
    }
    // "Save" in the baseshape editor, with path chosen in the dialog; a
    // refusal answers the warning box.
    bool Save(const std::string& path, bool refused = false)
    {
        dialogs_.QueueFile(path);
        if (refused) dialogs_.QueueAnswer(MessageAnswer::Ok);
        return SaveBaseshapeFile(false);
    }
    // Nothing but the named entries is left in the folder (no temporary).
    static void OnlyThese(const std::string& folder, std::vector<std::string> names)
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end()), std::sort(names.begin(), names.end());
        EXPECT_EQ(found, names);
    }
    ScriptedDialogs dialogs_;
    ScopedDialogBackend use_{&dialogs_};
    std::vector<uint8_t> expected_;
};

TEST_F(ReplacingWriter, APrivateFileALinkAndALongNameKeepWhatTheUserHad)
{
    const std::string folder = TempPath("replacing/");
    fs::create_directories(folder);
    const std::string priv = folder + "private.bsf", real = folder + "real.bsf", link = folder + "link.bsf";
    const std::string longName = folder + std::string(250 - 4, 'n') + ".bsf";
    WriteBytes(priv, {1, 2, 3});
    ASSERT_EQ(::chmod(priv.c_str(), 0600), 0);
    WriteBytes(real, {4, 5, 6});
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    fs::create_symlink("real.bsf", link);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(priv.c_str(), 4321, 4322), 0);  // another user's file, as root may save it
    }

    ASSERT_TRUE(Save(priv));
    EXPECT_EQ(Info(priv).st_mode & 07777, 0600u) << "still private";
    if (root) {
        EXPECT_EQ(Info(priv).st_uid * 10000 + Info(priv).st_gid, 4321u * 10000 + 4322u) << "still theirs";
    }
    EXPECT_EQ(Contents(priv), expected_);

    ASSERT_TRUE(Save(link));
    EXPECT_TRUE(S_ISLNK(Info(link, false).st_mode)) << "the link stays a link";
    EXPECT_EQ(fs::read_symlink(link), "real.bsf");
    EXPECT_EQ(Contents(real), expected_) << "the file it names is rewritten";
    EXPECT_EQ(Info(real).st_mode & 07777, 0640u);

    ASSERT_TRUE(Save(longName));
    EXPECT_EQ(Contents(longName), expected_);
    ASSERT_TRUE(Save(longName)) << "and again over itself";
    OnlyThese(folder, {"private.bsf", "real.bsf", "link.bsf", fs::path(longName).filename().string()});
}

// A pipe or a folder is no file to replace: the warning, and it stays.
TEST_F(ReplacingWriter, APipeOrAFolderChosenAsTheDestinationStays)
{
    const std::string folder = TempPath("pipe_and_folder/");
    fs::create_directories(folder + "sub.bsf");
    const std::string pipe = folder + "pipe.bsf";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {pipe, folder + "sub.bsf"}) {
        EXPECT_FALSE(Save(path, true)) << path;
        EXPECT_EQ(dialogs_.Prompts().back().message.caption, "Warning");
    }
    EXPECT_TRUE(S_ISFIFO(Info(pipe, false).st_mode));
    OnlyThese(folder, {"pipe.bsf", "sub.bsf"});
}

}  // namespace
