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

// Copies the text and its width as one consistent pair.
void CopyStatusText(char* out, size_t size, int* width);
