#include "app/texture_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "engine/file_dialogs.h"

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

}  // namespace

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
