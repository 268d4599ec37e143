// Where the bytes of every file we write go: the writers take a byte sink,
// so each format is checked in memory and a failing disk can be acted out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// write returns false when the bytes could not be kept.
struct ByteSink {
    bool (*write)(void* context, const uint8_t* data, size_t size) = nullptr;
    void* context = nullptr;
    bool Write(const void* data, size_t size) const
    {
        return write != nullptr && write(context, static_cast<const uint8_t*>(data), size);
    }
};

// A file opened for writing behind a sink. Every write is checked, and once
// one failed the later ones fail too. limit >= 0 makes writes fail once that
// many bytes are written (a full disk, for tests).
struct FileSink {
    std::FILE* file = nullptr;
    std::string path;
    int64_t written = 0;
    int64_t limit = -1;
    bool failed = false;
};
bool OpenFileSink(FileSink& sink, const std::string& path);
ByteSink SinkOf(FileSink& sink);
// Closes the file; false when any write or the close failed (a full disk
// often shows only at the close). The file is removed then, or with discard,
// so no partial file is left behind.
bool CloseFileSink(FileSink& sink, bool discard);

// Appends to a byte vector; never fails.
ByteSink SinkOf(std::vector<uint8_t>& bytes);
