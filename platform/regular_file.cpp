#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <new>

const char* RegularFileProblem(RegularFileStatus status)
{
    switch (status) {
    case RegularFileStatus::Read: return "read";
    case RegularFileStatus::Missing: return "no such file";
    case RegularFileStatus::NotRegular: return "not a regular file";
    case RegularFileStatus::TooLarge: return "too large";
    case RegularFileStatus::Unreadable: return "cannot be read";
    case RegularFileStatus::NoMemory: return "not enough memory to read it";
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

RegularFileStatus OpenRegularFile(const std::string& path, size_t limit, int* fd, std::string* error, uint64_t* size)
{
    *fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    RegularFileStatus status = RegularFileStatus::Read;
    struct stat info {};
    if (*fd < 0) {
        status = errno == ENOENT || errno == ENOTDIR ? RegularFileStatus::Missing : RegularFileStatus::Unreadable;
    } else if (::fstat(*fd, &info) != 0) {
        status = RegularFileStatus::Unreadable;
    } else if (!S_ISREG(info.st_mode)) {
        status = RegularFileStatus::NotRegular;
    } else if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > limit) {
        status = RegularFileStatus::TooLarge;
    }
    if (size) *size = status == RegularFileStatus::Read ? static_cast<uint64_t>(info.st_size) : 0;
    if (status != RegularFileStatus::Read) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
        if (error) *error = path + ": " + RegularFileProblem(status);
    }
    return status;
}

long ReadFromFile(int fd, uint8_t* to, size_t n)
{
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd, to + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return static_cast<long>(done);
}

long ReadFromFileAt(int fd, uint8_t* to, size_t n, uint64_t offset)
{
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd, to + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return static_cast<long>(done);
}

bool WriteToFile(int fd, const uint8_t* from, size_t n)
{
    for (size_t done = 0; done < n;) {
        const ssize_t put = ::write(fd, from + done, n - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

RegularFileStatus ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                                  std::string* error)
{
    bytes.clear();
    int fd = -1;
    uint64_t size = 0;
    RegularFileStatus status = OpenRegularFile(path, limit, &fd, nullptr, &size);
    if (status != RegularFileStatus::Read) return Fail(status, path, bytes, error);
    size_t done = 0;
    try {
        bytes.resize(static_cast<size_t>(size));
        // The file may grow or shrink while it is read: read until the end,
        // never past the limit.
        for (;;) {
            if (done == bytes.size()) {
                if (bytes.size() >= limit) {
                    uint8_t probe;
                    const long more = ReadFromFile(fd, &probe, 1);
                    if (more > 0) status = RegularFileStatus::TooLarge;
                    else if (more < 0) status = RegularFileStatus::Unreadable;
                    break;
                }
                bytes.resize(std::min(limit, bytes.size() + 65536));
            }
            const long n = ReadFromFile(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                status = RegularFileStatus::Unreadable;
                break;
            }
            if (n == 0) break;
            done += static_cast<size_t>(n);
            if (done < bytes.size()) break;  // the end came before the buffer filled
        }
    } catch (const std::bad_alloc&) {
        status = RegularFileStatus::NoMemory;
    }
    if (status == RegularFileStatus::Read) bytes.resize(done);
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
