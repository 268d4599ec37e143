#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>

const char* RegularFileProblem(RegularFileStatus status)
{
    switch (status) {
    case RegularFileStatus::Read: return "read";
    case RegularFileStatus::Missing: return "no such file";
    case RegularFileStatus::NotRegular: return "not a regular file";
    case RegularFileStatus::TooLarge: return "too large";
    case RegularFileStatus::Unreadable: return "cannot be read";
    }
    return "cannot be read";
}

namespace {

RegularFileStatus Fail(RegularFileStatus status, const std::string& path, std::vector<uint8_t>& bytes,
                       std::string* error)
{
    bytes.clear();
    bytes.shrink_to_fit();
    if (error) *error = path + ": " + RegularFileProblem(status);
    return status;
}

}  // namespace

RegularFileStatus ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                                  std::string* error)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        return Fail(missing ? RegularFileStatus::Missing : RegularFileStatus::Unreadable, path, bytes, error);
    }
    struct stat info {};
    RegularFileStatus status = RegularFileStatus::Read;
    if (::fstat(fd, &info) != 0) {
        status = RegularFileStatus::Unreadable;
    } else if (!S_ISREG(info.st_mode)) {
        status = RegularFileStatus::NotRegular;
    } else if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > limit) {
        status = RegularFileStatus::TooLarge;
    } else {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        // The file may grow or shrink while it is read: read until the end,
        // never past the limit.
        for (;;) {
            if (done == bytes.size()) {
                if (bytes.size() >= limit) {
                    char probe;
                    ssize_t more;
                    do more = ::read(fd, &probe, 1);
                    while (more < 0 && errno == EINTR);
                    if (more > 0) status = RegularFileStatus::TooLarge;
                    else if (more < 0) status = RegularFileStatus::Unreadable;
                    break;
                }
                bytes.resize(std::min(limit, bytes.size() + 65536));
            }
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                status = RegularFileStatus::Unreadable;
                break;
            }
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        if (status == RegularFileStatus::Read) bytes.resize(done);
    }
    ::close(fd);
    if (status != RegularFileStatus::Read) return Fail(status, path, bytes, error);
    return status;
}

std::string ResolveLinks(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
        if (n < 0) return current;
        target[n] = '\0';
        const std::filesystem::path link(current);
        current = target[0] == '/' ? std::string(target) : (link.parent_path() / target).string();
    }
    return current;
}
