// The status texts of the file commands that read what the user chose.
#pragma once

#include <cstdint>
#include <new>
#include <string>

#include "files/binary_reader.h"
#include "platform/regular_file.h"

// The file name after the last '/', for a status text: marked, so that a
// line too long for its place shortens the name, not the reason
// (StatusFileName of engine/status_line.h).
const char* FileNameOf(const char* path);

// A chosen file open for a reader that takes it from the front, as far as
// the parse asks (BinaryReader over fd); closed with this.
class OpenedFile {
public:
    OpenedFile() = default;
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    ~OpenedFile();

    int fd = -1;
    uint64_t size = 0;  // as it was opened
};

// Opens the chosen file without ever blocking on a FIFO or a device: a
// regular file of at most limit bytes; false, with the status line saying
// why, when it cannot be opened.
bool OpenChosenFile(const char* path, size_t limit, OpenedFile* file);

// After a refused parse: true, with the status line saying so, when the
// file itself gave out (a read error, or it shrank while it was read)
// rather than holding what it should not.
bool ReportFileGaveOut(const BinaryReader& in, const char* path);

// The status line of a load that ran out of memory ("Insufficient System Memory!").
void SayNoMemory();

// Runs load() at a load's boundary: memory that runs out anywhere in it is
// the status line of SayNoMemory and false, never an abort. A load has its
// large buffers before it changes the model, so that nothing has changed.
template <typename Load>
bool WithinMemory(Load&& load)
{
    try {
        return load();
    } catch (const std::bad_alloc&) {
        SayNoMemory();
        return false;
    }
}

// The "Notice" box for a file written by a newer version of the program.
void ShowNewerVersionNotice();
