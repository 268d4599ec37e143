#include "engine/file_replacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

int64_t gReplacementFileByteLimit = -1;

namespace {
std::atomic<uint32_t> gTemporaryCounter{0};
}

FileReplacement::~FileReplacement() { Abandon(); }

bool FileReplacement::Begin(const std::string& target)
{
    Abandon();
    sink_ = FileSink{};
    target_ = target;
    // Created with O_EXCL under a name of our own, so nothing that is
    // already there is opened or truncated; 0666 lets the umask decide.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = target + "." + std::to_string(::getpid()) + "." +
                                 std::to_string(gTemporaryCounter.fetch_add(1)) + ".part";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        sink_.file = ::fdopen(fd, "wb");
        if (!sink_.file) {
            ::close(fd);
            ::unlink(name.c_str());
            return false;
        }
        sink_.path = name;
        sink_.limit = gReplacementFileByteLimit;
        return true;
    }
    return false;
}

ByteSink FileReplacement::Sink() { return SinkOf(sink_); }

bool FileReplacement::WriteAt(long offset, const void* data, size_t size)
{
    if (!sink_.file || sink_.failed) return false;
    const bool ok = std::fseek(sink_.file, offset, SEEK_SET) == 0 && std::fwrite(data, 1, size, sink_.file) == size &&
                    std::fseek(sink_.file, 0, SEEK_END) == 0;
    if (!ok) sink_.failed = true;
    return ok;
}

bool FileReplacement::Commit()
{
    if (!sink_.file) return false;
    const bool written = CloseFileSink(sink_, false);
    if (written && std::rename(sink_.path.c_str(), target_.c_str()) == 0) {
        sink_.path.clear();
        return true;
    }
    std::remove(sink_.path.c_str());
    sink_.path.clear();
    return false;
}

void FileReplacement::Abandon()
{
    if (sink_.file) CloseFileSink(sink_, true);
    sink_ = FileSink{};
}
