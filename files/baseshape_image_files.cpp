#include "files/baseshape_image_files.h"

#include <cstring>

#include "engine/baseshape_hooks.h"
#include "engine/baseshape_images.h"
#include "engine/file_dialogs.h"
#include "engine/status_line.h"
#include "files/file_status.h"
#include "files/stl_import.h"
#include "materials/color_maps.h"
#include "platform/picture_file.h"
#include "render/render_threads.h"

namespace {

bool IsBaseshapeIndex(int i) { return i >= 0 && i < kMaxBaseshapes; }

// The picture, or false with the status line saying it could not be read
// (the loader's grey stand-in is not taken for the user's picture).
bool ReadPicture(const char* path, RgbImage* picture)
{
    PictureProblem problem = PictureProblem::None;
    if (LoadImageFileRgb(*picture, path, &problem)) return true;
    SetStatusText("Talvoran :   Cannot read the picture %s: %s.", FileNameOf(path), PictureProblemText(problem));
    return false;
}

void NoMemory() { SetStatusText("Insufficient System Memory!"); }

// Runs load with the path of a chosen file, holding the busy byte.
template <typename Load>
bool WithChosenFile(int kind, int folder, Load&& load)
{
    if (!TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    if (!ChooseFileOfKind(kind, folder, false)) return false;
    return load(gFilePath);
}

}  // namespace

bool LoadBaseshapeTextureFile(const char* path, int i)
{
    RgbImage picture;
    if (!IsBaseshapeIndex(i) || !ReadPicture(path, &picture)) return false;
    StopRender();  // the samplers read the texture without a lock
    if (!SetBaseshapeTexture(i, picture)) {
        NoMemory();
        return false;
    }
    CallBaseshapeHook(gBaseshapeHooks.texturePreview, i);
    return true;
}

bool LoadBaseshapeDMapFile(const char* path, int i, int borderMode)
{
    RgbImage picture;
    if (!IsBaseshapeIndex(i) || !ReadPicture(path, &picture)) return false;
    StopRender();
    if (!SetBaseshapeDMap(i, picture, borderMode)) {
        NoMemory();
        return false;
    }
    CallBaseshapeHook(gBaseshapeHooks.dmapPreview, i);
    return true;
}

bool PickBaseshapeTexture(int i)
{
    return WithChosenFile(kFileKindGraphics, kFolderSurfaceTextures,
                          [i](const char* path) { return LoadBaseshapeTextureFile(path, i); });
}

bool PickBaseshapeDMap(int borderMode, int i)
{
    return WithChosenFile(kFileKindGraphics, kFolderDMaps,
                          [i, borderMode](const char* path) { return LoadBaseshapeDMapFile(path, i, borderMode); });
}

bool PickBaseshapeColorMap(int i)
{
    if (!IsBaseshapeIndex(i)) return false;
    return WithChosenFile(kFileKindColorMap, kFolderTextures, [i](const char* path) {
        if (!LoadColorMapFile(path)) {
            SetStatusText("Talvoran :   Cannot read %s.", FileNameOf(path));
            return false;
        }
        std::memcpy(gBaseshapeColorRamps[i].r, gColorMap.red, 256);
        std::memcpy(gBaseshapeColorRamps[i].g, gColorMap.green, 256);
        std::memcpy(gBaseshapeColorRamps[i].b, gColorMap.blue, 256);
        return true;
    });
}

bool ImportStlMesh(int i)
{
    if (!IsBaseshapeIndex(i)) return false;
    return WithChosenFile(kFileKindStl, kFolderMeshes, [i](const char* path) { return ImportStlFile(path, i); });
}

void ResetBaseshapeColorTable(int i)
{
    if (!IsBaseshapeIndex(i)) return;
    GenerateRandomColorMap();
    std::memcpy(gBaseshapeColorRamps[i].r, gColorMap.red, 256);
    std::memcpy(gBaseshapeColorRamps[i].g, gColorMap.green, 256);
    std::memcpy(gBaseshapeColorRamps[i].b, gColorMap.blue, 256);
}
