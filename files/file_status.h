// The status texts of the file commands that read what the user chose.
#pragma once

#include "files/binary_reader.h"

// The file name after the last '/'.
const char* FileNameOf(const char* path);

// True for kRead; otherwise the status line says why the file was not read.
bool ReportFileRead(FileReadResult result, const char* path);

// The "Notice" box for a file written by a newer version of the program.
void ShowNewerVersionNotice();
