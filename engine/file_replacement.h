// A file written under a temporary name beside its target and renamed over
// it only once every byte was written, flushed to the disk and the file
// closed, so an export that fails leaves neither a partial file nor a
// damaged older one, and a power cut leaves the old file or the new one.
//
// What the user had stays as it was: a symbolic link is followed and its
// target rewritten (the link stays a link); the file's mode, and its owner
// where the system allows, are those of the file it replaces; the
// temporary's name is short, so any name the folder takes can be saved.
// Only a regular file is replaced: a folder, a device or a pipe chosen as
// the destination makes Begin fail.
#pragma once

#include <sys/types.h>

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

    // Creates the temporary file; false when the folder cannot take it or
    // the target is not a regular file.
    bool Begin(const std::string& target);
    ByteSink Sink();
    // Writes past limit bytes fail (a full disk, for tests).
    void LimitBytes(int64_t limit) { sink_.limit = limit; }
    // Overwrites bytes already written (a count in a header).
    bool WriteAt(long offset, const void* data, size_t size);
    // Flushes the file to the disk, closes it, renames it over the target
    // and flushes the folder; false, and nothing left behind, when a write,
    // the flush, the close or the rename failed.
    bool Commit();
    void Abandon();

private:
    FileSink sink_;
    std::string target_;
};
