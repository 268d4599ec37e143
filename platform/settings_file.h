// The per-user settings file that stands in for the registry key: lines of
// "Name=Value" under ${XDG_CONFIG_HOME:-$HOME/.config}/talvoran-vane/settings.ini
// (TALVORAN_SETTINGS_FILE names another file, for tests). Values are text, as
// the registry's string values were; writes replace the file atomically.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

std::string SettingsFilePath();

// ${XDG_DATA_HOME:-$HOME/.local/share}/talvoran-vane/<name>; not created here.
std::string DefaultDataFolder(const char* name);

class SettingsFile {
public:
    // False when the file does not exist or cannot be read (nothing is kept).
    bool Load(const std::string& path);
    bool LoadText(const std::string& text);

    std::optional<std::string> Get(const std::string& name) const;
    // Values hold one line: a line break ends the value.
    void Set(const std::string& name, const std::string& value);

    std::string Text() const;
    // Writes a temporary file beside path and renames it over path, creating
    // the folder when needed; false (and path untouched) on any failure.
    bool Save(const std::string& path) const;

private:
    std::vector<std::pair<std::string, std::string>> values_;
};
