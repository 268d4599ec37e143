// The one whole-file reader: a FIFO, a folder or an oversized file is
// refused at once, a regular file comes back byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/regular_file.h"

namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path = fs::temp_directory_path() / ("regular_file_" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

TEST(RegularFile, OnlyRegularFilesWithinTheLimitAreRead)
{
    Folder folder;
    const fs::path file = folder.path / "data.bin";
    std::ofstream(file, std::ios::binary) << std::string("abc\0def", 7);
    const fs::path empty = folder.path / "empty";
    std::ofstream(empty, std::ios::binary).flush();
    const fs::path fifo = folder.path / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    struct Case {
        fs::path path;
        size_t limit;
        RegularFileStatus status;
        size_t size;
    };
    const Case cases[] = {
        {file, 100, RegularFileStatus::Read, 7},
        {file, 7, RegularFileStatus::Read, 7},
        {file, 6, RegularFileStatus::TooLarge, 0},
        {empty, 10, RegularFileStatus::Read, 0},
        {folder.path, 100, RegularFileStatus::NotRegular, 0},
        {fifo, 100, RegularFileStatus::NotRegular, 0},  // returns at once: nobody writes the pipe
        {folder.path / "absent", 100, RegularFileStatus::Missing, 0},
        {file / "below", 100, RegularFileStatus::Missing, 0},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes{1, 2, 3};
        std::string error;
        EXPECT_EQ(ReadRegularFile(c.path.string(), c.limit, bytes, &error), c.status) << c.path;
        EXPECT_EQ(bytes.size(), c.size) << c.path;
        if (c.status != RegularFileStatus::Read) {
            EXPECT_NE(error.find(c.path.string()), std::string::npos);
        }
    }
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadRegularFile(file.string(), 100, bytes), RegularFileStatus::Read);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string("abc\0def", 7));
}

}  // namespace
