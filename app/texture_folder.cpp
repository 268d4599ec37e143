#include "app/texture_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "engine/file_dialogs.h"
#include "platform/asset_paths.h"
#include "platform/regular_file.h"
#include "platform/settings_file.h"

int gTextureFileCount = 0;
std::vector<std::string> gTextureFileNames;

namespace {

bool EndsWithNoCase(const std::string& name, const char* suffix)
{
    const size_t n = std::char_traits<char>::length(suffix);
    if (name.size() <= n) return false;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char a = static_cast<unsigned char>(name[name.size() - n + i]);
        if (std::tolower(a) != suffix[i]) return false;
    }
    return true;
}

namespace fs = std::filesystem;

// Any entry named ".map", whatever it is, counts: the folder is the user's.
// A folder that cannot be listed counts as holding one.
bool HoldsAColorMap(const fs::path& folder)
{
    std::error_code error;
    fs::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        if (EndsWithNoCase(it->path().filename().string(), ".map")) return true;
    }
    return static_cast<bool>(error);
}

// The file made anew beside the user's, never over one: a name taken since
// the folder was looked at keeps its file. A copy that fails is taken away.
void CopyAsNewFile(const fs::path& from, const fs::path& to)
{
    constexpr size_t kLargestMap = 1 << 20;  // a colour map is a few kilobytes of text
    std::vector<uint8_t> bytes;
    if (ReadRegularFile(from.string(), kLargestMap, bytes) != RegularFileStatus::Read) return;
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return;
    const bool whole = WriteToFile(fd, bytes.data(), bytes.size());
    if (::close(fd) != 0 || !whole) ::unlink(to.c_str());
}

}  // namespace

void StockTexturesFolder()
{
    if (!gTexturesPath[0]) return;
    const fs::path folder = gTexturesPath;
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        if (fs::exists(fs::symlink_status(folder, error)) || folder != fs::path(DefaultDataFolder("Textures"))) return;
        if (!fs::create_directories(folder, error) || error) return;
    }
    if (HoldsAColorMap(folder)) return;
    const fs::path maps = fs::path(InstallFolder()) / "maps";
    for (fs::directory_iterator it(maps, error), end; !error && it != end; it.increment(error)) {
        std::error_code statError;
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(statError) && EndsWithNoCase(name, ".map")) CopyAsNewFile(it->path(), folder / name);
    }
}

void StockAndScanTexturesFolder()
{
    StockTexturesFolder();
    ScanTexturesFolder();
}

void ScanTexturesFolder()
{
    static const char* const kExtensions[] = {".bmp", ".png", ".jpg", ".map"};
    std::vector<std::string> found;
    std::error_code error;
    if (gTexturesPath[0]) {
        for (std::filesystem::directory_iterator it(gTexturesPath, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code statError;
            if (!it->is_regular_file(statError)) continue;
            found.push_back(it->path().filename().string());
        }
    }
    std::vector<std::string> names;
    for (const char* extension : kExtensions) {
        std::vector<std::string> group;
        for (const std::string& name : found) {
            if (EndsWithNoCase(name, extension)) group.push_back(name);
        }
        std::sort(group.begin(), group.end());
        names.insert(names.end(), group.begin(), group.end());
    }
    gTextureFileNames = std::move(names);
    gTextureFileCount = static_cast<int>(gTextureFileNames.size());
}
