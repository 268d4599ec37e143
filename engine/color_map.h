// The colour map: 256 entries of red, green and blue, and its text form.
// A colour-map file (".map") is text, one entry a line, "red green blue" of
// 0..255, entry 0 first; writers put exactly 256 lines "%d %d %d".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kColorMapEntries = 256;

struct ColorMap {
    uint8_t red[kColorMapEntries];
    uint8_t green[kColorMapEntries];
    uint8_t blue[kColorMapEntries];
};

// Low 8 bits of the truncated value; values without an int give 0.
uint8_t WrapColorByte(double v);

// Entry i = (i, i, i).
void SetGreyRamp(ColorMap& map);

// Reads colour-map text: the grey ramp first, then up to 256 lines (of at
// most 99 characters; a longer line is read as several), each parsed as
// three numbers truncated toward zero, their low 8 bits stored. A number
// that is missing, not a number or beyond the int range gives 0.
void ReadColorMapText(ColorMap& map, std::string_view text);
// The numbers of up to 256 lines as they stand (missing ones 0); returns
// the lines read. ReadColorMapText stores these as bytes.
int ReadColorMapValues(std::string_view text, float red[kColorMapEntries], float green[kColorMapEntries],
                       float blue[kColorMapEntries]);
// The 256 lines "%d %d %d\n" of the map.
std::string ColorMapText(const ColorMap& map);

// The front of a colour-map file, as much as 256 lines can take, opened
// without blocking; false (text empty) when the path is not a regular file
// that can be read: a folder or a FIFO is no colour map.
bool ReadColorMapFront(const std::string& path, std::string& text);
// Reads the file into the map; false (the grey ramp left) when it cannot be
// read.
bool ReadColorMapFile(const std::string& path, ColorMap& map);

// Characters one line read takes, terminator included: a file of 256 lines
// is never read beyond 256 times 99 characters.
inline constexpr size_t kColorMapLineBuffer = 100;
