// A file written under a temporary name beside its target and renamed over
// it only once every byte was written and the file closed, so an export
// that fails leaves neither a partial file nor a damaged older one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/byte_sink.h"

// Bytes a replacement file may take before its writes fail (-1: no limit);
// tests use it to act out a full disk.
extern int64_t gReplacementFileByteLimit;

class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement();  // an uncommitted file is removed
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary file; false when the folder cannot take it.
    bool Begin(const std::string& target);
    ByteSink Sink();
    // Overwrites bytes already written (a count in a header).
    bool WriteAt(long offset, const void* data, size_t size);
    // Closes the file and renames it over the target; false, and nothing
    // left behind, when a write, the close or the rename failed.
    bool Commit();
    void Abandon();

private:
    FileSink sink_;
    std::string target_;
};
