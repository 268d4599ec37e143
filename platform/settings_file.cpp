#include "platform/settings_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::string BaseFolder(const char* variable, const char* homeRelative)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : "/tmp") + "/" + homeRelative;
}

}  // namespace

std::string SettingsFilePath()
{
    const char* path = std::getenv("TALVORAN_SETTINGS_FILE");
    if (path && path[0]) return path;
    return BaseFolder("XDG_CONFIG_HOME", ".config") + "/talvoran-vane/settings.ini";
}

std::string DefaultDataFolder(const char* name)
{
    return BaseFolder("XDG_DATA_HOME", ".local/share") + "/talvoran-vane/" + name;
}

bool SettingsFile::Load(const std::string& path)
{
    values_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return false;
    return LoadText(text.str());
}

bool SettingsFile::LoadText(const std::string& text)
{
    values_.clear();
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' || trimmed[0] == '[') continue;
        const size_t equals = trimmed.find('=');
        if (equals == std::string::npos) continue;
        const std::string name = Trim(trimmed.substr(0, equals));
        if (name.empty()) continue;
        Set(name, Trim(trimmed.substr(equals + 1)));
    }
    return true;
}

std::optional<std::string> SettingsFile::Get(const std::string& name) const
{
    for (const auto& [key, value] : values_) {
        if (key == name) return value;
    }
    return std::nullopt;
}

void SettingsFile::Set(const std::string& name, const std::string& value)
{
    const std::string line = value.substr(0, value.find_first_of("\r\n"));
    for (auto& [key, old] : values_) {
        if (key == name) {
            old = line;
            return;
        }
    }
    values_.emplace_back(name, line);
}

std::string SettingsFile::Text() const
{
    std::string text = "[Talvoran Vane]\n";
    for (const auto& [key, value] : values_) text += key + "=" + value + "\n";
    return text;
}

bool SettingsFile::Save(const std::string& path) const
{
    std::error_code error;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    const std::string text = Text();
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = ::fsync(::fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}
