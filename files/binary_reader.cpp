#include "files/binary_reader.h"

#include <sys/stat.h>

#include <cstdio>

FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes, FileBytes* bytes)
{
    *bytes = FileBytes{};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return FileReadResult::kOpenFailed;
    struct stat info {};
    // Only regular files have a length to check before reading; a folder or
    // a device chosen in the dialog is not a baseshape or mesh file.
    FileReadResult result = FileReadResult::kRead;
    if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        result = FileReadResult::kReadFailed;
    } else if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > maxBytes) {
        result = FileReadResult::kTooLarge;
    } else {
        const size_t size = static_cast<size_t>(info.st_size);
        bytes->data.reset(static_cast<uint8_t*>(std::malloc(size > 0 ? size : 1)));
        if (!bytes->data) {
            result = FileReadResult::kTooLarge;
        } else if ((size > 0 && std::fread(bytes->data.get(), 1, size, file) != size) || std::ferror(file)) {
            result = FileReadResult::kReadFailed;  // a file that shrank while it was read
        } else {
            bytes->size = size;
        }
    }
    std::fclose(file);
    if (result != FileReadResult::kRead) *bytes = FileBytes{};
    return result;
}
