#include "files/binary_reader.h"

#include <sys/stat.h>

#include <cstdio>
#include <new>

FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>* bytes)
{
    bytes->clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return FileReadResult::kOpenFailed;
    struct stat info {};
    // Only regular files have a length to check before reading; a folder or
    // a device chosen in the dialog is not a baseshape or mesh file.
    if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return FileReadResult::kReadFailed;
    }
    if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > maxBytes) {
        std::fclose(file);
        return FileReadResult::kTooLarge;
    }
    const size_t size = static_cast<size_t>(info.st_size);
    try {
        bytes->resize(size);
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        bytes->clear();
        bytes->shrink_to_fit();
        return FileReadResult::kTooLarge;
    }
    const size_t got = size == 0 ? 0 : std::fread(bytes->data(), 1, size, file);
    // A file that grew while it was read is taken as it was when measured.
    const bool ok = got == size && !std::ferror(file);
    std::fclose(file);
    if (!ok) {
        bytes->clear();
        return FileReadResult::kReadFailed;
    }
    return FileReadResult::kRead;
}
