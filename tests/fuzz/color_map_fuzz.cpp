// fuzz-seconds: 60 (half a million inputs on a CI core)
// The colour-map text reader on arbitrary bytes: it reads at most 256 lines,
// and what it reads is written again and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/color_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    float r[kColorMapEntries], g[kColorMapEntries], b[kColorMapEntries];
    if (ReadColorMapValues(text, r, g, b) > kColorMapEntries) __builtin_trap();
    ColorMap map, again;
    ReadColorMapText(map, text);
    ReadColorMapText(again, ColorMapText(map));
    if (std::memcmp(&map, &again, sizeof map) != 0) __builtin_trap();
    return 0;
}
