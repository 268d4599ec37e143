#include "platform/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/regular_file.h"

namespace {

constexpr const char* kSectionHeader = "[Talvoran Vane]";

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

void SetError(std::string* error, const std::string& text)
{
    if (error) *error = text;
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

SettingsLoad SettingsFile::Load(const std::string& path, std::string* error)
{
    LoadText({});
    refused_ = false;
    // Non-blocking, so that a FIFO or a device at the path cannot hang the
    // program; only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return SettingsLoad::Missing;
        SetError(error, path + ": " + std::strerror(errno));
        refused_ = true;
        return SettingsLoad::Refused;
    }
    struct stat info {};
    std::string text;
    const char* problem = nullptr;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = "not a regular file";
    } else if (info.st_size > kSettingsFileLimit) {
        problem = "larger than a settings file can be";
    } else {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                problem = "cannot be read";
                break;
            }
            if (n == 0) break;
            text.append(buffer, static_cast<size_t>(n));
            if (static_cast<long long>(text.size()) > kSettingsFileLimit) {
                problem = "larger than a settings file can be";
                break;
            }
        }
    }
    ::close(fd);
    if (problem) {
        SetError(error, path + ": " + problem);
        refused_ = true;
        return SettingsLoad::Refused;
    }
    LoadText(text);
    return SettingsLoad::Loaded;
}

void SettingsFile::LoadText(const std::string& text)
{
    lines_.clear();
    keys_.clear();
    sectionEnd_ = 0;
    ownSection_ = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines_.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    bool inOwn = true;  // keys before any section are the program's
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string trimmed = Trim(lines_[i]);
        if (!trimmed.empty() && trimmed[0] == '[') {
            inOwn = trimmed == kSectionHeader;
            if (inOwn) {
                ownSection_ = true;
                sectionEnd_ = i + 1;
            }
            continue;
        }
        if (!inOwn) continue;
        if (!trimmed.empty()) sectionEnd_ = i + 1;
        Index(i);
    }
}

void SettingsFile::Index(size_t line)
{
    const std::string trimmed = Trim(lines_[line]);
    if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';') return;
    const size_t equals = trimmed.find('=');
    if (equals == std::string::npos) return;
    const std::string name = Trim(trimmed.substr(0, equals));
    if (!name.empty()) keys_[name] = line;
}

std::optional<std::string> SettingsFile::Get(const std::string& name) const
{
    const auto it = keys_.find(name);
    if (it == keys_.end()) return std::nullopt;
    const std::string& line = lines_[it->second];
    return Trim(line.substr(line.find('=') + 1));
}

void SettingsFile::Set(const std::string& name, const std::string& value)
{
    const std::string line = name + "=" + value.substr(0, value.find_first_of("\r\n"));
    const auto it = keys_.find(name);
    if (it != keys_.end()) {
        lines_[it->second] = line;
        return;
    }
    if (!ownSection_ && !lines_.empty()) {
        // Keys of other sections follow: the program's own section goes first.
        bool otherSection = false;
        for (const std::string& l : lines_) otherSection = otherSection || Trim(l).rfind('[', 0) == 0;
        if (otherSection && sectionEnd_ == 0) {
            lines_.insert(lines_.begin(), kSectionHeader);
            for (auto& [key, at] : keys_) ++at;
            ownSection_ = true;
            sectionEnd_ = 1;
        }
    }
    if (lines_.empty()) {
        lines_.push_back(kSectionHeader);
        ownSection_ = true;
        sectionEnd_ = 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd_), line);
    for (auto& [key, at] : keys_) {
        if (at >= sectionEnd_) ++at;
    }
    keys_[name] = sectionEnd_;
    ++sectionEnd_;
}

std::string SettingsFile::Text() const
{
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

bool SettingsFile::Save(const std::string& path, std::string* error) const
{
    if (refused_) {
        SetError(error, path + ": not a settings file the program may replace");
        return false;
    }
    const std::string target = ResolveLinks(path);
    struct stat info {};
    mode_t mode = 0644;
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            SetError(error, target + ": not a regular file");
            return false;
        }
        mode = info.st_mode & 07777;
    }
    std::error_code ignored;
    const std::filesystem::path targetPath(target);
    if (targetPath.has_parent_path()) std::filesystem::create_directories(targetPath.parent_path(), ignored);
    const std::string temporary = target + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        SetError(error, temporary + ": " + std::strerror(errno));
        return false;
    }
    const std::string text = Text();
    bool ok = WriteToFile(fd, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ok = ok && ::fchmod(fd, mode) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        SetError(error, target + ": " + std::strerror(errno));
        std::remove(temporary.c_str());
    }
    return ok;
}
