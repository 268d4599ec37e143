// The one-line status text that the frame draws right-aligned at x 1116.
// Any thread may set it; the frame takes a consistent copy.
#pragma once

#include <cstddef>

inline constexpr int kStatusTextSize = 1040;  // bytes, terminator included

// Windows-1252 text as the bitmap font draws it.
extern char gStatusText[kStatusTextSize];
// (length / 2) x 8, integer division.
extern int gStatusTextWidth;

// printf-style; a null format does nothing. Longer results are cut at 1039
// bytes (never in the middle of the buffer's terminator).
void SetStatusText(const char* format, ...) __attribute__((format(printf, 1, 2)));
int GetStatusTextWidth();
void ClearStatusText();

// A file name for a status text: the path's last part, marked so that the
// line, where it is too long for its place, shortens the name and keeps the
// rest (the reason) whole. Every status text that names a file takes the
// name from here (FileNameOf of files/file_status.h does); the marks never
// reach gStatusText. Stays valid for three more calls on the same thread.
const char* StatusFileName(const char* path);
// The same for a whole path, where the folder is what the user must find
// (where a page or a setting is).
const char* StatusPath(const char* path);

// Where the file names stand in the status text, byte offsets [begin, end),
// in the order of the text.
inline constexpr int kMaxStatusNames = 4;
struct StatusNameSpan {
    int begin = 0, end = 0;
};
struct StatusNames {
    int count = 0;
    StatusNameSpan spans[kMaxStatusNames];
};

// Copies the text and its width (and, when asked, where its file names
// stand) as one consistent set.
void CopyStatusText(char* out, size_t size, int* width, StatusNames* names = nullptr);
