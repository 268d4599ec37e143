#include "app/export_actions.h"

#include <string>

#include "app/file_dialogs.h"
#include "app/frame.h"
#include "app/pending_services.h"
#include "platform/dialogs.h"
#include "platform/gl_api.h"

namespace {

constexpr int kPngKind = 0;     // "PNG Files"
constexpr int kBitmapKind = 1;  // "Bitmap Files"

int KindOf(bool png) { return png ? kPngKind : kBitmapKind; }

ExportSettings ReadInterfaceSettings()
{
    ExportSettings settings = DefaultExportServices().readSettings();
    settings.excludeBackground = ExportPngOption(kExcludeBackgroundPng);
    settings.fogToAlpha = ExportPngOption(kMapFogToAlphaPng);
    settings.imageType = ImageTypeSelection();
    settings.previewTop = gPreviewFirstRow;
    settings.texturesFolder = gTexturesPath;
    return settings;
}

bool ChooseImageFile(bool png, std::string* path)
{
    if (!ShowSaveFileDialog(KindOf(png), 0, gDialogDefaultFolderFlags[KindOf(png)])) return false;
    *path = gFilePath;
    return true;
}

void ImageFileChosen(bool png)
{
    if (!DialogsAlwaysAtDefaultFolder()) gDialogDefaultFolderFlags[KindOf(png)] = 0;
}

void ShowExportMessage(const char* text, const char* caption, bool error)
{
    MessageRequest request;
    request.text = text;
    request.caption = caption;
    request.icon = error ? MessageIcon::Error : MessageIcon::Warning;
    request.topmost = error;
    ShowMessageBox(request);
}

}  // namespace

void InstallExportServices()
{
    ExportServices services = DefaultExportServices();
    services.readSettings = ReadInterfaceSettings;
    services.chooseFile = ChooseImageFile;
    services.fileChosen = ImageFileChosen;
    services.showMessage = ShowExportMessage;
    services.setControls = SetExportControls;
    services.reshadePreview = [] { ShadeProgressive(2); };
    gExportServices = services;
}

void RestoreViewAfterExport()
{
    if (!TakeExportViewRestore()) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}
