#include "app/color_map_dialog.h"

#include <string>

#include "engine/file_dialogs.h"
#include "engine/file_replacement.h"
#include "engine/status_line.h"
#include "files/file_status.h"
#include "materials/texture_busy.h"
#include "ui/file_services.h"

bool LoadColorMapWithDialog()
{
    if (!TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    gTexturesBusy = 1;
    bool loaded = false;
    if (ChooseFileOfKind(kFileKindColorMap, kFolderTextures, false)) {
        loaded = LoadColorMapFile(gFilePath);
        if (!loaded) SetStatusText("Talvoran :   Cannot read the colour map %s.", FileNameOf(gFilePath));
    }
    gTexturesBusy = 0;
    return loaded;
}

bool SaveColorMapWithDialog(const ColorMap& map)
{
    if (!TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    if (!ChooseFileOfKind(kFileKindColorMap, kFolderTextures, true)) return false;
    const std::string text = ColorMapText(map);
    FileReplacement file;
    const bool written = file.Begin(gFilePath) && file.Sink().Write(text.data(), text.size()) && file.Commit();
    if (!written) CheckWritable(nullptr);  // the "Warning" box; the older file stays
    return written;
}

void InstallInterfaceFileServices()
{
    gInterfaceFileServices.loadColorMap = +[](ColorMap& map) {
        if (!LoadColorMapWithDialog()) return false;
        map = gColorMap;
        return true;
    };
    gInterfaceFileServices.randomColorMap = +[](ColorMap& map) {
        GenerateRandomColorMap();
        map = gColorMap;
    };
    gInterfaceFileServices.saveColorMap = SaveColorMapWithDialog;
    gInterfaceFileServices.texturesFolder = +[]() -> const char* { return gTexturesPath; };
}
