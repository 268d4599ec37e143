#include "platform/asset_paths.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef TALVORAN_BUILD_ASSET_DIR
#define TALVORAN_BUILD_ASSET_DIR "assets"
#endif

namespace {

std::string gInstallFolderOverride;

std::string DefaultInstallFolder()
{
    if (const char* env = std::getenv("TALVORAN_ASSET_DIR"); env != nullptr && env[0] != '\0') return env;
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::filesystem::path beside = exe.parent_path() / "assets";
        if (std::filesystem::is_directory(beside / "res", ec)) return beside.string();
    }
    return TALVORAN_BUILD_ASSET_DIR;
}

}  // namespace

const std::string& InstallFolder()
{
    static const std::string fallback = DefaultInstallFolder();
    return gInstallFolderOverride.empty() ? fallback : gInstallFolderOverride;
}

void SetInstallFolder(const std::string& path) { gInstallFolderOverride = path; }

bool CheckInstallFolder()
{
    std::error_code ec;
    const std::string& folder = InstallFolder();
    if (std::filesystem::is_directory(std::filesystem::path(folder) / "res", ec)) return true;
    std::fprintf(stderr,
                 "talvoran: the pictures folder %s/res is missing; set TALVORAN_ASSET_DIR to the assets folder of a "
                 "build (interface pictures stay black)\n",
                 folder.c_str());
    return false;
}

std::string ResourcePath(const char* name) { return InstallFolder() + "/res/" + name; }

std::string IconPath(const char* name) { return InstallFolder() + "/img/" + name; }
