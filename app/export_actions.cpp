#include "app/export_actions.h"

#include <atomic>
#include <string>

#include "app/action_buttons.h"
#include "app/create_interface.h"
#include "engine/baseshape_animation.h"
#include "engine/file_dialogs.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/interface_panel.h"
#include "shading/animation_step.h"
#include "shading/export_image.h"
#include "shading/preview_passes.h"
#include "shading/shading_settings.h"
#include "platform/dialogs.h"
#include "app/render_control.h"
#include "platform/desktop/gl_api.h"

namespace {

constexpr int kPngKind = 0;     // "PNG Files"
constexpr int kBitmapKind = 1;  // "Bitmap Files"

int KindOf(bool png) { return png ? kPngKind : kBitmapKind; }

ExportSettings ReadInterfaceSettings()
{
    ExportSettings settings = DefaultExportServices().readSettings();
    settings.imageType = gPanel.imageType;
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
    DialogFolderChosen(gDialogDefaultFolderFlags[KindOf(png)]);
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

// The export thread only posts what the buttons and widgets should show;
// the window thread applies it. -1: nothing posted.
std::atomic<int> gPostedControls{-1};

void PostExportControls(bool exporting) { gPostedControls.store(exporting ? 1 : 0); }

void ApplyExportControls()
{
    const int posted = gPostedControls.exchange(-1);
    if (posted < 0) return;
    if (posted) EnableButton(kButtonStop, false);
    EnableButton(kButtonRender, !posted);
    EnableButton(kButtonContinue, !posted);
    // The progress box and "Cancel" show while the export runs.
    gSliderBox.visible = posted ? 1 : 0;
    EnableActionButton(kActionCancelExport, posted != 0);
}

// Buttons of a running render (Render off, Stop on, Continue off) or of a
// stopped one.
void SetRenderButtons(bool running)
{
    EnableButton(kButtonRender, !running);
    EnableButton(kButtonStop, running);
    EnableButton(kButtonContinue, !running);
}

void AdvanceAnimationScene(int frame)
{
    gBaseshapeAnimationFrame = frame;
    AnimateBaseshapes();
    SetSymmetryRotation(1);
}

void AnimationRenderRestarted()
{
    ShadeProgressive(0);
    gRenderExists = 1;
    SetRenderButtons(true);
}

void AnimationEnded()
{
    SetRenderButtons(false);
    EnableActionButton(kActionRenderAnimation, true);
}

}  // namespace

void InstallExportServices()
{
    ExportServices services = DefaultExportServices();
    services.readSettings = ReadInterfaceSettings;
    // The export thread takes the same busy flag as the window's file actions.
    services.beginFileOperation = TryBeginFileOperation;
    services.endFileOperation = EndFileOperation;
    services.chooseFile = ChooseImageFile;
    services.fileChosen = ImageFileChosen;
    services.showMessage = ShowExportMessage;
    services.setControls = PostExportControls;
    services.reshadePreview = [] { ShadeProgressive(2); };
    gExportServices = services;

    AnimationServices animation = DefaultAnimationServices();
    animation.restartPreview = RunPreviewStep;
    animation.advanceScene = AdvanceAnimationScene;
    animation.renderRestarted = AnimationRenderRestarted;
    animation.animationEnded = AnimationEnded;
    gAnimationServices = animation;
}

void RestoreViewAfterExport()
{
    ApplyExportControls();
    if (!TakeExportViewRestore()) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}
