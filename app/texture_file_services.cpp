#include "app/texture_file_services.h"

#include <cstring>
#include <string>

#include "engine/file_dialogs.h"
#include "app/frame.h"
#include "app/procedural_texture_thread.h"
#include "engine/status_line.h"
#include "app/texture_folder.h"
#include "materials/shader.h"
#include "materials/texture_files.h"

namespace {

constexpr int kFileKindBitmap = 1;
constexpr int kFileKindGraphics = 6;
constexpr int kFolderSurfaceTextures = 5;
constexpr int kFolderImages = 0;

// Each picture dialog starts in its folder until a file is chosen in it
// (unless "Keep Default Paths" is ticked), then in the folder of that file;
// "Reset Paths" sets the bytes again. The material textures and the
// background share the Shader's byte.
bool Chosen(int result, uint8_t& startByte, std::string* path)
{
    if (result == 0) return false;
    DialogFolderChosen(startByte);
    *path = gFilePath;
    return true;
}

bool ChooseImage(bool surfaceFolder, std::string* path)
{
    gFilePath[0] = '\0';
    uint8_t& start = surfaceFolder ? gGelDialogDefaultFolder : gShader.textureDialogFlag;
    return Chosen(ShowOpenFileDialog(kFileKindGraphics, surfaceFolder ? kFolderSurfaceTextures : kFolderTextures, start),
                  start, path);
}

bool ChooseBitmap(std::string* path)
{
    gFilePath[0] = '\0';
    return Chosen(ShowSaveFileDialog(kFileKindBitmap, kFolderImages, gBitmapDialogDefaultFolder),
                  gBitmapDialogDefaultFolder, path);
}

}  // namespace

void InstallTextureFileServices()
{
    TextureFileServices& s = gTextureFileServices;
    s.chooseImage = ChooseImage;
    s.chooseBitmap = ChooseBitmap;
    s.warnUnwritable = [] { CheckWritable(nullptr); };
    s.texturesFolder = [] { return static_cast<const char*>(gTexturesPath); };
    s.textureFileCount = [] { return gTextureFileCount; };
    s.textureFileName = [](int k) { return gTextureFileNames[static_cast<size_t>(k)].c_str(); };
    s.status = [](const char* text) { SetStatusText("%s", text); };
    s.fileOperationBusy = &gFileOperationBusy;
}
