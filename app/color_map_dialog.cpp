#include "app/color_map_dialog.h"

#include "app/file_dialogs.h"
#include "materials/color_maps.h"
#include "materials/texture_busy.h"

bool LoadColorMapWithDialog()
{
    if (gFileOperationBusy != 0) return false;
    gFileOperationBusy = 1;
    gTexturesBusy = 1;
    gFilePath[0] = '\0';
    bool loaded = false;
    if (ShowOpenFileDialog(kFileKindColorMap, kFolderTextures, gDialogDefaultFolderFlags[kFileKindColorMap]) != 0) {
        gDialogDefaultFolderFlags[kFileKindColorMap] = 0;
        loaded = LoadColorMapFile(gFilePath);
    }
    gTexturesBusy = 0;
    gFileOperationBusy = 0;
    return loaded;
}
