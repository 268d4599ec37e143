// The per-user settings file that stands in for the registry key: lines of
// "Name=Value" under ${XDG_CONFIG_HOME:-$HOME/.config}/talvoran-vane/settings.ini
// (TALVORAN_SETTINGS_FILE names another file, for tests). Values are text, as
// the registry's string values were.
//
// The file is the user's: a save changes only the values the program writes
// and keeps every other line (comments, blank lines, unknown keys and
// sections) in place, writes through a symbolic link into the file it names,
// keeps the file's mode, and still replaces the file atomically.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

std::string SettingsFilePath();

// ${XDG_DATA_HOME:-$HOME/.local/share}/talvoran-vane/<name>; not created here.
std::string DefaultDataFolder(const char* name);

// Files larger than this are not settings files: they are neither read nor
// replaced.
inline constexpr long long kSettingsFileLimit = 1 << 20;

enum class SettingsLoad { Loaded, Missing, Refused };

class SettingsFile {
public:
    // Missing when nothing exists at the path (an empty file then); Refused,
    // with the reason in error, when the path names something other than a
    // readable regular file of sane size: a later Save is refused too.
    SettingsLoad Load(const std::string& path, std::string* error = nullptr);
    void LoadText(const std::string& text);

    // Keys of the program's own section "[Talvoran Vane]" (or before any
    // section); the last of repeated keys wins.
    std::optional<std::string> Get(const std::string& name) const;
    // Values hold one line: a line break ends the value. Changes the key's
    // line in place, or adds it at the end of the program's section.
    void Set(const std::string& name, const std::string& value);

    std::string Text() const;
    // Writes a temporary file in the folder of the file the path names
    // (through symbolic links), with that file's mode, and renames it over
    // that file, creating the folder when needed. False, with the reason in
    // error and nothing changed, on any failure or when the target exists and
    // is not a regular file.
    bool Save(const std::string& path, std::string* error = nullptr) const;

private:
    void Index(size_t line);
    std::vector<std::string> lines_;
    std::unordered_map<std::string, size_t> keys_;  // name -> line
    size_t sectionEnd_ = 0;     // where a new key goes
    bool ownSection_ = false;   // "[Talvoran Vane]" present
    bool refused_ = false;
};
