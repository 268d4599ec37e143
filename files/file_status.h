// The status texts of the file commands that read what the user chose.
#pragma once

#include <string>
#include <vector>

#include "platform/regular_file.h"

// The file name after the last '/'.
const char* FileNameOf(const char* path);

// The chosen file whole into bytes, without ever blocking on a FIFO or a
// device; false, with the status line saying why, when it cannot be read.
bool ReadChosenFileBytes(const char* path, size_t limit, std::vector<uint8_t>& bytes);

// The "Notice" box for a file written by a newer version of the program.
void ShowNewerVersionNotice();
