#include "engine/status_line.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

char gStatusText[kStatusTextSize];
int gStatusTextWidth = 0;

namespace {

std::mutex gStatusMutex;
StatusNames gStatusNames;  // with gStatusText, under the lock

// The marks around a file name: control codes that no status text shows.
constexpr char kNameOpen = '\x02';
constexpr char kNameClose = '\x03';

// Takes the marks out of text, in place, noting where the names stood; a
// name cut off with the text ends where the text ends.
StatusNames TakeOutNames(char* text)
{
    StatusNames names;
    int open = -1, length = 0;
    const auto close = [&] {
        if (open >= 0 && length > open && names.count < kMaxStatusNames) names.spans[names.count++] = {open, length};
        open = -1;
    };
    for (const char* c = text; *c; ++c) {
        if (*c == kNameOpen) {
            if (open < 0) open = length;
        } else if (*c == kNameClose) {
            close();
        } else {
            text[length++] = *c;
        }
    }
    text[length] = '\0';
    close();
    return names;
}

}  // namespace

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
    const StatusNames names = TakeOutNames(text);
    const size_t length = std::strlen(text);
    std::lock_guard<std::mutex> lock(gStatusMutex);
    std::memcpy(gStatusText, text, length + 1);
    gStatusTextWidth = static_cast<int>(length / 2) * 8;
    gStatusNames = names;
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
    gStatusNames = {};
}

namespace {

// The text between the marks, in one of a few buffers of this thread.
const char* MarkedName(const char* name)
{
    thread_local char names[4][kStatusTextSize];
    thread_local int next = 0;
    char* out = names[next];
    next = (next + 1) % 4;
    size_t n = 0;
    out[n++] = kNameOpen;
    // A name holding a mark of its own would move the span.
    for (; *name && n < sizeof names[0] - 2; ++name) out[n++] = *name == kNameOpen || *name == kNameClose ? '?' : *name;
    out[n++] = kNameClose;
    out[n] = '\0';
    return out;
}

}  // namespace

const char* StatusFileName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return MarkedName(slash ? slash + 1 : path);
}

const char* StatusPath(const char* path) { return MarkedName(path); }

void CopyStatusText(char* out, size_t size, int* width, StatusNames* names)
{
    std::lock_guard<std::mutex> lock(gStatusMutex);
    if (out && size > 0) {
        std::strncpy(out, gStatusText, size - 1);
        out[size - 1] = '\0';
    }
    if (width) *width = gStatusTextWidth;
    if (names) *names = gStatusNames;
}
