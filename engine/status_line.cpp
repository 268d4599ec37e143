#include "engine/status_line.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

char gStatusText[kStatusTextSize];
int gStatusTextWidth = 0;

namespace {
std::mutex gStatusMutex;
}

void SetStatusText(const char* format, ...)
{
    if (!format) return;
    // Formatted into a local buffer first, so an argument may be the status
    // text itself and the lock is held only for the copy.
    char text[kStatusTextSize];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written < 0) text[0] = '\0';
    const size_t length = std::strlen(text);
    std::lock_guard<std::mutex> lock(gStatusMutex);
    std::memcpy(gStatusText, text, length + 1);
    gStatusTextWidth = static_cast<int>(length / 2) * 8;
}

int GetStatusTextWidth()
{
    std::lock_guard<std::mutex> lock(gStatusMutex);
    return gStatusTextWidth;
}

void ClearStatusText()
{
    std::lock_guard<std::mutex> lock(gStatusMutex);
    std::memset(gStatusText, 0, sizeof gStatusText);
    gStatusTextWidth = 0;
}

void CopyStatusText(char* out, size_t size, int* width)
{
    std::lock_guard<std::mutex> lock(gStatusMutex);
    if (out && size > 0) {
        std::strncpy(out, gStatusText, size - 1);
        out[size - 1] = '\0';
    }
    if (width) *width = gStatusTextWidth;
}
