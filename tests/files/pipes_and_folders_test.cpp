// Every reader of a chosen file, given a named pipe or a folder: it answers
// at once with a status text and changes nothing. A reader that blocks in
// open() is released after a deadline by a writer on the pipe, so the test
// fails instead of hanging.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <string>

#include "engine/file_dialogs.h"
#include "engine/status_line.h"
#include "files/baseshape_file_dialogs.h"
#include "files/material_file.h"
#include "files/stl_import.h"
#include "files/transformation_file.h"
#include "platform/scripted_dialogs.h"
#include "support/baseshape_state.h"

namespace {

void FailTest(const std::string& what) { ADD_FAILURE() << what; }

// Runs read on another thread; true when it came back within two seconds.
// Otherwise the pipe gets a writer (ending a blocked open), and false.
bool ReturnsAtOnce(const std::string& fifo, const std::function<void()>& read)
{
    auto done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(2)) == std::future_status::ready) return true;
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    done.wait();
    return false;
}

TEST(PipesAndFolders, EveryReaderRefusesAPipeOrAFolderAtOnce)
{
    ScriptedDialogs dialogs;
    dialogs.SetFailureHandler(FailTest);
    ScopedDialogBackend use(&dialogs);
    const std::string fifo = TempPath("chosen.pipe"), folder = TempPath("chosen.folder");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directories(folder);

    struct Reader {
        const char* what;
        std::function<bool(const std::string&)> read;
    };
    const Reader readers[] = {
        {"baseshape file", [&dialogs](const std::string& p) { dialogs.QueueFile(p); return LoadBaseshapeFile(); }},
        {"baseshape append", [&dialogs](const std::string& p) { dialogs.QueueFile(p); return AppendBaseshapeFile(); }},
        {"material file", [&dialogs](const std::string& p) { dialogs.QueueFile(p); return LoadMaterial(); }},
        {"STL mesh", [](const std::string& p) { return ImportStlFile(p.c_str(), 0); }},
        {"transformation file",
         [](const std::string& p) {
             auto contents = std::make_unique<TransformationFileContents>();
             std::string error;
             const bool read = ReadTransformationFile(p, *contents, &error);
             SetStatusText("%s", error.c_str());
             return read;
         }},
    };
    const std::vector<uint8_t> before = BaseshapeState();
    for (const Reader& reader : readers) {
        for (const std::string& path : {fifo, folder}) {
            SetStatusText("%s", "");
            bool read = true;
            EXPECT_TRUE(ReturnsAtOnce(fifo, [&] { read = reader.read(path); })) << reader.what << " blocked on " << path;
            EXPECT_FALSE(read) << reader.what << " " << path;
            EXPECT_NE(gStatusText[0], '\0') << reader.what << " said nothing about " << path;
            EXPECT_EQ(BaseshapeState(), before) << reader.what;
            EXPECT_EQ(gFileOperationBusy, 0);
        }
    }
}

}  // namespace
