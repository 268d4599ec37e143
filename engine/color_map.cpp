#include "engine/color_map.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/regular_file.h"

uint8_t WrapColorByte(double v)
{
    if (!(v > static_cast<double>(std::numeric_limits<int>::min()) - 1.0 &&
          v < static_cast<double>(std::numeric_limits<int>::max()) + 1.0))
        return 0;
    return static_cast<uint8_t>(static_cast<unsigned>(static_cast<int>(v)));
}

namespace {

// One number of a line as "%f" reads it; 0 when there is none.
double NextNumber(const char*& p)
{
    char* end = nullptr;
    const double v = std::strtod(p, &end);
    if (end == p) return 0;
    p = end;
    return v;
}

}  // namespace

void SetGreyRamp(ColorMap& map)
{
    for (int i = 0; i < kColorMapEntries; ++i) map.red[i] = map.green[i] = map.blue[i] = static_cast<uint8_t>(i);
}

int ReadColorMapValues(std::string_view text, float red[kColorMapEntries], float green[kColorMapEntries],
                       float blue[kColorMapEntries])
{
    size_t pos = 0;
    int k = 0;
    for (; k < kColorMapEntries && pos < text.size(); ++k) {
        // One read of a line buffer: up to the newline or 99 characters.
        size_t end = pos;
        while (end < text.size() && end - pos < kColorMapLineBuffer - 1 && text[end] != '\n') ++end;
        if (end < text.size() && text[end] == '\n' && end - pos < kColorMapLineBuffer - 1) ++end;
        char line[kColorMapLineBuffer] = {};
        text.copy(line, end - pos, pos);
        pos = end;
        const char* p = line;
        red[k] = static_cast<float>(NextNumber(p));
        green[k] = static_cast<float>(NextNumber(p));
        blue[k] = static_cast<float>(NextNumber(p));
    }
    return k;
}

void ReadColorMapText(ColorMap& map, std::string_view text)
{
    SetGreyRamp(map);
    float r[kColorMapEntries], g[kColorMapEntries], b[kColorMapEntries];
    const int lines = ReadColorMapValues(text, r, g, b);
    for (int k = 0; k < lines; ++k) {
        map.red[k] = WrapColorByte(r[k]);
        map.green[k] = WrapColorByte(g[k]);
        map.blue[k] = WrapColorByte(b[k]);
    }
}

std::string ColorMapText(const ColorMap& map)
{
    std::string text;
    char line[16];
    for (int i = 0; i < kColorMapEntries; ++i) {
        std::snprintf(line, sizeof line, "%d %d %d\n", map.red[i], map.green[i], map.blue[i]);
        text += line;
    }
    return text;
}


bool ReadColorMapFront(const std::string& path, std::string& text)
{
    text.clear();
    // Any size: only the front is read.
    int fd = -1;
    if (OpenRegularFile(path, std::numeric_limits<size_t>::max(), &fd) != RegularFileStatus::Read) return false;
    // 256 lines of at most 99 characters: more is never read.
    text.resize(kColorMapEntries * (kColorMapLineBuffer - 1));
    const long got = ReadFromFile(fd, reinterpret_cast<uint8_t*>(text.data()), text.size());
    ::close(fd);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return got >= 0;
}

bool ReadColorMapFile(const std::string& path, ColorMap& map)
{
    SetGreyRamp(map);
    std::string text;
    if (!ReadColorMapFront(path, text)) return false;
    ReadColorMapText(map, text);
    return true;
}
