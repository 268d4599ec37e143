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
};

// Reads the file at path into bytes (cleared first). On failure bytes is
// empty and, when error is given, it says why in a short line naming the
// file.
RegularFileStatus ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                                  std::string* error = nullptr);

// The text a status line shows for a failed read, without the path.
const char* RegularFileProblem(RegularFileStatus status);

// The file a path names once symbolic links are followed (also a link whose
// target does not exist yet); the path itself when it names nothing. A
// writer replaces this file, so a link the user keeps stays a link.
std::string ResolveLinks(const std::string& path);
