// Reading a user's file whole, safely: the path is opened without blocking
// (a FIFO or a device never hangs the window thread), only a regular file is
// read, its size is checked against the caller's limit before any buffer is
// made, and a read error is a failure, not a short success.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class RegularFileStatus {
    Read,        // the whole file is in the buffer
    Missing,     // no such file
    NotRegular,  // a folder, FIFO, device or socket
    TooLarge,    // larger than the caller's limit
    Unreadable,  // no permission, or a read error
    NoMemory,    // the buffer for it could not be had
};

// Reads the file at path into bytes (cleared first). On failure bytes is
// empty and, when error is given, it says why in a short line naming the
// file.
RegularFileStatus ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                                  std::string* error = nullptr);

// Opens the file for reading the way ReadRegularFile does (without blocking,
// a regular file of at most limit bytes) for a reader that takes it from the
// front; on Read the caller owns *fd and closes it, otherwise *fd is -1.
// size, when given, receives the file's size as it was opened.
RegularFileStatus OpenRegularFile(const std::string& path, size_t limit, int* fd, std::string* error = nullptr,
                                  uint64_t* size = nullptr);

// Reads up to n bytes from fd, going on after interruptions; fewer only at
// the end of the file. -1 on a read error.
long ReadFromFile(int fd, uint8_t* to, size_t n);
// The same from the given offset of the file, leaving its position alone.
long ReadFromFileAt(int fd, uint8_t* to, size_t n, uint64_t offset);

// Writes all n bytes to fd, going on after interruptions and short writes;
// false on a write error (errno says which).
bool WriteToFile(int fd, const uint8_t* from, size_t n);

// The text a status line shows for a failed read, without the path.
const char* RegularFileProblem(RegularFileStatus status);

// The file a path names once symbolic links are followed (also a link whose
// target does not exist yet); the path itself when it names nothing. A
// writer replaces this file, so a link the user keeps stays a link.
std::string ResolveLinks(const std::string& path);
