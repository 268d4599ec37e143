#include "app/settings.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shading/export_image.h"
#include "engine/file_dialogs.h"
#include "engine/status_line.h"
#include "platform/settings_file.h"
#include "render/render_threads.h"
#include "platform/asset_paths.h"

namespace {

struct FolderSetting {
    const char* name;
    char* folder;
};

// In the order they were always read.
const FolderSetting kFolderSettings[] = {
    {"Textures", gTexturesPath},     {"STextures", gSTexturesPath}, {"Images", gImagesPath},
    {"Parameters", gParametersPath}, {"Buffers", gBuffersPath},     {"DMaps", gDMapsPath},
    {"Meshes", gMeshesPath},         {"InstallDir", gInstallDir},
};

// The number at the start of the text, as atoi reads it, but saturating
// instead of overflowing; text without a number gives 0.
int LeadingNumber(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void SetFolder(char* folder, const std::string& value)
{
    // A value too long for the folder buffer is ignored like a missing one.
    if (value.size() >= static_cast<size_t>(kPathBufferSize)) {
        folder[0] = '\0';
        return;
    }
    std::snprintf(folder, kPathBufferSize, "%s", value.c_str());
}

void FillDefaultFolder(const FolderSetting& setting)
{
    if (setting.folder[0]) return;
    const std::string folder = setting.folder == gInstallDir ? InstallFolder() : DefaultDataFolder(setting.name);
    SetFolder(setting.folder, folder);
}

// Changes one value of the user's file; a file that cannot be read or
// written as a settings file is left alone, and the status line says why.
bool WriteSetting(const char* name, int value)
{
    const std::string path = SettingsFilePath();
    SettingsFile file;
    std::string error;
    if (file.Load(path, &error) != SettingsLoad::Refused) {
        file.Set(name, std::to_string(value));
        if (file.Save(path, &error)) return true;
    }
    // The error is "PATH: PROBLEM": where the line is short, the path gives way.
    const size_t colon = error.rfind(": ");
    if (colon == std::string::npos) {
        SetStatusText("Settings not saved: %s", error.c_str());
    } else {
        SetStatusText("Settings not saved: %s: %s", StatusPath(error.substr(0, colon).c_str()), error.c_str() + colon + 2);
    }
    return false;
}

}  // namespace

void ReadSettings()
{
    SettingsFile file;
    const bool found = file.Load(SettingsFilePath()) == SettingsLoad::Loaded;
    if (found) {
        if (const auto text = file.Get(kSettingRenderThreads)) {
            int count = LeadingNumber(*text);
            if (count < 1) count = 1;
            if (count > kMaxThreadCount) count = kMaxThreadCount;
            gRenderThreadCount = count;
        }
        for (const FolderSetting& setting : kFolderSettings) {
            if (const auto value = file.Get(setting.name)) SetFolder(setting.folder, *value);
        }
        // A missing value reads as 0 here, never as the text of another value.
        const auto text = file.Get(kSettingExportThreads);
        int count = text ? LeadingNumber(*text) : 0;
        if (count > kMaxThreadCount) count = kMaxThreadCount;
        if (count < 1) {
            count = GetProcessorCount();
            if (count > kMaxThreadCount) count = kMaxThreadCount;
            WriteSetting(kSettingExportThreads, count);
        }
        gExportThreadCount = count;
    }
    for (const FolderSetting& setting : kFolderSettings) FillDefaultFolder(setting);
    if (gInstallDir[0]) SetInstallFolder(gInstallDir);
}

bool SaveThreadCount(const char* name, int* count, float wanted)
{
    // The whole value, kept to the counts the threads allow: a count of 0
    // would leave the export without a worker (not-a-number asks for 1).
    const int whole = wanted >= kMaxThreadCount ? kMaxThreadCount : wanted >= 1.0f ? static_cast<int>(wanted) : 1;
    if (*count == whole) return false;
    if (!WriteSetting(name, whole)) return false;
    *count = whole;
    return true;
}

void SaveRenderThreads(float wanted) { SaveThreadCount(kSettingRenderThreads, &gRenderThreadCount, wanted); }

void SaveExportThreads(float wanted) { SaveThreadCount(kSettingExportThreads, &gExportThreadCount, wanted); }
