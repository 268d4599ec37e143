// The settings file text on arbitrary bytes: a value set is read back as it
// was set (up to its first line break), and the text written reads back to
// the same values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    SettingsFile file;
    file.LoadText(text);
    // A folder name made of the input's bytes, in characters a path holds.
    static const char kChars[] = "abcXYZ019/._-";
    std::string value = "/";
    for (size_t i = 0; i < size && i < 24; ++i) value += kChars[data[i] % (sizeof kChars - 1)];
    file.Set("Textures", value);
    const auto stored = file.Get("Textures");
    SettingsFile again;
    again.LoadText(file.Text());
    const auto reread = again.Get("Textures");
    if (!stored || *stored != value || !reread || *reread != value) __builtin_trap();
    return 0;
}
