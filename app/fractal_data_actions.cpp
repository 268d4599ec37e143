// "Save Fractal", "Save Buffers", "Load Fractal" and "Load Buffers": the
// dialogs, the render stopped around the file, and the panels and editors
// brought in line with what was read. The file is read and checked whole
// before anything is stopped or changed.
// Sections: [helpers] [panels] [save] [load].
#include "app/fractal_data_actions.h"

#include <cstring>
#include <memory>
#include <string>

#include "app/buffer_resize.h"
#include "app/frame.h"
#include "app/interface_drawing.h"
#include "app/interface_panel.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/render_control.h"
#include "editors/baseshape_editor.h"
#include "editors/xforms_editor.h"
#include "engine/baseshape_model.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/file_dialogs.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/transform_set.h"
#include "engine/status_line.h"
#include "files/file_status.h"
#include "files/fractal_data_file.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/symmetry_modes.h"
#include "render/view_camera.h"

// ---- [helpers] ----------------------------------------------------------------------
namespace {

int KindOf(bool parametersOnly) { return parametersOnly ? kFileKindFractalData : kFileKindBufferData; }

// The status line drawn at once, so it shows while the file is worked on.
void ShowStatusNow()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawInterface();
    SwapMainWindow();
}

// What the file carries of the panels that only the panels know; the
// values without a place in this program come back as they were read.
FractalPanelValues gCarriedPanelValues;

// ---- [panels] -----------------------------------------------------------------------
FractalPanelValues CapturePanelValues()
{
    FractalPanelValues p = gCarriedPanelValues;
    p.perspectiveAngle = gPanel.perspectiveAngle;
    p.previewAnimations = gPanel.previewAnimations;
    std::memcpy(p.animationFrames, gPanel.renderParameters, sizeof p.animationFrames);
    p.imageType = gPanel.imageType;
    std::memcpy(p.rotationAxis, gPanel.rotationAxis, sizeof p.rotationAxis);
    p.escapeValue = gXFormsEditor.pickerZoomSpeed;
    return p;
}

// The panels and editors after a load: every copy a panel keeps of a
// loaded value takes it, so no control shows (or sends back) the old one.
void ShowLoadedValues(const FractalPanelValues& p)
{
    gCarriedPanelValues = p;
    // The file brought its own type: a type picked while an export ran is dropped.
    gPanel.fractalTypeRequest = kNoFractalTypeRequest;
    const int factor = gAntiAlias2x ? 2 : 1;
    gPanel.renderSize[0] = static_cast<float>(gImageWidth / factor);
    gPanel.renderSize[1] = static_cast<float>(gImageHeight / factor);
    gPanel.antiAlias2x = gAntiAlias2x;
    gPanel.perspectiveAngle = p.perspectiveAngle;
    gPanel.previewAnimations = p.previewAnimations;
    std::memcpy(gPanel.renderParameters, p.animationFrames, sizeof gPanel.renderParameters);
    gPanel.imageType = p.imageType;
    std::memcpy(gPanel.rotationAxis, p.rotationAxis, sizeof gPanel.rotationAxis);
    XFormsEditor& x = gXFormsEditor;
    x.pickerZoomSpeed = p.escapeValue;
    // The escape-time types keep their iteration limit in transformation 0.
    if (gFractalType == 46 || gFractalType == 49) {
        const float limit = gTransforms[0].variationAmount[7];
        if (limit >= 1.0f && limit <= 1.0e6f) {
            gEscapeIterationLimit = static_cast<int32_t>(limit);
        }
        x.RenderMandelbrotPicker(128, 128, true);
    }
    x.SelectTransformation(0);
    if (gBaseshapeCount == 0) gBaseShapeEditor.HideWidgets();
    if (p.previewAnimations) gInterface.SetSymmetryRotation(0);
}

// ---- [save] -------------------------------------------------------------------------
}  // namespace

bool SaveFractalData(bool parametersOnly)
{
    if (!TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    SetStatusText("Saves the fractal parameters and calculations.");
    if (gRenderRunFlag.load() == 1) StopRenderAndShowBuffers(1);
    const int kind = KindOf(parametersOnly);
    if (!ChooseFileOfKind(kind, kFolderBuffers, true)) return false;
    if (gVoxelEngineOn) {
        StopRenderAndResetPanel();
        gScreenState = kScreenPointPreview;
    }
    SetStatusText("Saving Buffers..");
    ShowStatusNow();
    // The file keeps the view an animation preview started from.
    if (gPanel.previewAnimations) std::memcpy(gCameraRotation, gInterface.savedCamera, sizeof gCameraRotation);
    if (WriteFractalDataFileTo(gFilePath, !parametersOnly, CapturePanelValues()) != FileWriteResult::kWritten) {
        CheckWritable(nullptr);  // the "Warning" box
        SetStatusText("Talvoran :   %s was not written.", FileNameOf(gFilePath));
        return false;
    }
    SetStatusText("Buffers Saved!");
    return true;
}

// ---- [load] -------------------------------------------------------------------------
namespace {

// The chosen file parsed into doc; false, with the status line saying why,
// when it is refused.
bool ReadChosenFractalData(bool parametersOnly, FractalDataDocument* doc)
{
    OpenedFile file;
    if (!OpenChosenFile(gFilePath, kMaxFractalDataFileBytes, &file)) return false;
    BinaryReader in(file.fd, file.size);
    std::string why;
    const FileParseStatus status = ParseFractalDataFile(in, !parametersOnly, doc, &why);
    if (status != FileParseStatus::kRead && ReportFileGaveOut(in, gFilePath)) return false;
    switch (status) {
    case FileParseStatus::kRead: return true;
    case FileParseStatus::kNewerVersion:
        ShowNewerVersionNotice();
        SetStatusText("Action cancelled.");
        return false;
    case FileParseStatus::kNoMemory: SayNoMemory(); return false;
    case FileParseStatus::kDamaged:
        // Short enough that, beside a name cut to a few characters, the
        // status line shows the reason whole.
        SetStatusText("Talvoran :   %s is not a fractal data file: %s.", FileNameOf(gFilePath), why.c_str());
        return false;
    }
    return false;
}

bool LoadChosenFractalData(bool parametersOnly)
{
    auto doc = std::make_unique<FractalDataDocument>();
    if (!ReadChosenFractalData(parametersOnly, doc.get())) return false;

    // The workers read what the load replaces.
    const bool wasRendering = gRenderRunFlag.load() == 1;
    if (gVoxelEngineOn) StopRenderAndResetPanel();
    if (!InstallFractalData(*doc, ResizeRenderBuffersTo)) {
        // The render goes on where it was.
        if (wasRendering && RenderBuffersReady()) MainButton(kButtonContinue).pressed = 1;
        return false;
    }
    ShowLoadedValues(doc->panel);
    const bool buffers = !parametersOnly;
    gRenderExists = buffers ? 1 : 0;
    gContinueAllowed = buffers ? 1 : 0;
    gScreenState = kScreenPointPreview;
    SetStatusText("Buffers Loaded");
    gXFormsEditor.SetDefaultTransformationCount();
    gInterface.UpdateTypeButtons();
    BuildTransformPickTable();
    SelectFractalTypeKernel();
    gFractalTypeKernel.load(std::memory_order_relaxed)(0);
    return true;
}

}  // namespace

bool LoadFractalData(bool parametersOnly)
{
    if (!TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    SetStatusText("Restores all fractal calculations.");
    const int kind = KindOf(parametersOnly);
    if (!ChooseFileOfKind(kind, kFolderBuffers, false)) {
        SetStatusText("Nothing loaded: no file was chosen.");
        return false;
    }
    SetStatusText("Loading Buffers..");
    ShowStatusNow();
    return WithinMemory([parametersOnly] { return LoadChosenFractalData(parametersOnly); });
}
