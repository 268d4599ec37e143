#include "engine/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/regular_file.h"

int64_t gReplacementFileByteLimit = -1;

namespace {

std::atomic<uint32_t> gTemporaryCounter{0};

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The old file's owner where we may give it away, then its mode (after the
// owner: a change of owner clears the set-id bits).
void KeepOwnerAndMode(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)!::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    (void)!::fchmod(fd, old.st_mode & 07777);
}

// Some file systems refuse to flush a folder; the file itself is flushed.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)!::fsync(fd);
    ::close(fd);
}

}  // namespace

FileReplacement::~FileReplacement() { Abandon(); }

bool FileReplacement::Begin(const std::string& target)
{
    Abandon();
    sink_ = FileSink{};
    target_ = ResolveLinks(target);
    struct stat old {};
    const bool replacing = ::stat(target_.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    const std::string folder = FolderOf(target_);
    // Created with O_EXCL under a short name of our own, so nothing that is
    // already there is opened or truncated, and the target's name may take
    // all the folder allows; a new file's mode is left to the umask.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = folder + "/.talvoran-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(gTemporaryCounter.fetch_add(1)) + ".part";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        if (replacing) KeepOwnerAndMode(fd, old);
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
    // On the disk before the rename: otherwise a power cut can leave the
    // new name on an empty file.
    if (sink_.failed || std::fflush(sink_.file) != 0 || ::fsync(::fileno(sink_.file)) != 0) sink_.failed = true;
    const bool written = CloseFileSink(sink_, false);
    if (written && std::rename(sink_.path.c_str(), target_.c_str()) == 0) {
        sink_.path.clear();
        SyncFolder(FolderOf(target_));
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
