#include "platform/text_encoding.h"

#include <cstdint>

namespace {
// Code points 0x80..0x9F of Windows-1252; 0 where the code page has none.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

char ToWindows1252(uint32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] != 0 && kWindows1252High[i] == code) return static_cast<char>(0x80 + i);
    }
    return '?';
}
}  // namespace

void Utf8ToWindows1252(const char* text, char* out, int size)
{
    if (size <= 0) return;
    int n = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text ? text : "");
    while (*p && n < size - 1) {
        uint32_t code = *p;
        int extra = 0;
        if (code >= 0xF0 && code < 0xF8) { code &= 0x07; extra = 3; }
        else if (code >= 0xE0) { code &= 0x0F; extra = 2; }
        else if (code >= 0xC0) { code &= 0x1F; extra = 1; }
        else if (code >= 0x80) { extra = -1; }  // a stray continuation byte
        ++p;
        bool valid = extra >= 0;
        for (int i = 0; i < extra; ++i) {
            if ((*p & 0xC0) != 0x80) { valid = false; break; }
            code = (code << 6) | (*p & 0x3F);
            ++p;
        }
        out[n++] = valid ? ToWindows1252(code) : '?';
    }
    out[n] = '\0';
}
