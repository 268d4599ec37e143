// "Load Script" and "Save Script": the dialogs around the script reader and
// writer (files/script_file.h). A script is read whole and looked at before
// the render is stopped, so a file that cannot be read, or that is no script
// at all, changes nothing.
#include <cstring>
#include <string>
#include <vector>

#include "app/fractal_data_actions.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/panel_state.h"
#include "app/interface_panel.h"
#include "app/render_control.h"
#include "editors/baseshape_editor.h"
#include "editors/random_fractal.h"
#include "engine/baseshape_hooks.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/file_dialogs.h"
#include "engine/fractal_model.h"
#include "engine/status_line.h"
#include "files/binary_reader.h"
#include "files/binary_writer.h"
#include "files/file_status.h"
#include "files/script_file.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"

namespace {

// Far beyond any script: 256 operations take a few kilobytes.
constexpr size_t kMaxScriptFileBytes = size_t{16} << 20;

ScriptBaseshapeSetup BaseshapeSetup()
{
    ScriptBaseshapeSetup setup;
    setup.defaults = gBaseShapeEditor.defaults;
    setup.pickerLeft = gBaseShapeEditor.shapeSelector.left;
    setup.pickerBottom = gBaseShapeEditor.shapeSelector.bottom;
    return setup;
}

// The chosen script read and, when it is one, run in place of the program
// and the baseshapes it replaces; the status line says how it went.
bool ReadChosenScript()
{
    // Opened as every chosen file is, so a refusal names the file as theirs do.
    OpenedFile file;
    if (!OpenChosenFile(gFilePath, kMaxScriptFileBytes, &file)) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(file.size));
    BinaryReader in(file.fd, file.size);
    if (!in.Bytes(bytes.data(), bytes.size())) {
        if (!ReportFileGaveOut(in, gFilePath)) SetStatusText("Talvoran :   Cannot read %s.", FileNameOf(gFilePath));
        return false;
    }
    // Its lines are ready (the reader's one allocation) before anything changes.
    const ScriptLines text(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!text.HasBlocks()) {
        SetStatusText("Talvoran :   %s is not a script: it has no \"tform\" and no \"tbase\" line.",
                      FileNameOf(gFilePath));
        return false;
    }

    // The workers read the program and the baseshapes the script replaces.
    if (gVoxelEngineOn) StopRenderAndResetPanel();
    StopRender();
    ClearRenderBuffers();
    EnableButton(kButtonRender, true);
    EnableButton(kButtonStop, false);
    EnableButton(kButtonContinue, false);
    gContinueAllowed = 0;
    gRenderExists = 0;
    gPointPreviewValid = 0;
    gScreenState = kScreenPointPreview;
    const ScriptReadReport report = ReadScriptText(text, BaseshapeSetup());
    if (report.tbaseBlocks > 0) {
        gBaseShapeEditor.numberBox.SetNumber(0);
        CallBaseshapeHook(gBaseshapeHooks.restartPreview);
    }
    gPointPreviewValid = 0;
    CreateRandomFractal();
    gScreenState = kScreenPointPreview;
    const std::string refused = ScriptRefusalText(report);
    if (refused.empty()) {
        SetStatusText("Script Loaded");
    } else {
        SetStatusText("%s", refused.c_str());
    }
    return true;
}

}  // namespace

void ReadScriptFile()
{
    if (!TryBeginFileOperation()) return;
    FileOperationEnd busy;
    const uint8_t screen = gScreenState.load();
    gScreenState = kScreenInterfaceOnly;
    const bool chosen = ChooseFileOfKind(kFileKindScript, kFolderParameters, false);
    gScreenState = screen;
    if (!chosen) {
        SetStatusText("Nothing loaded: no file was chosen.");
        return;
    }
    WithinMemory(ReadChosenScript);
}

void WriteScriptFile()
{
    if (!TryBeginFileOperation()) return;
    FileOperationEnd busy;
    if (!ScriptTemplateExists(gFractalType)) {
        SetStatusText("Talvoran :   fractal type %d has no script form; nothing was written.", gFractalType);
        return;
    }
    if (!ChooseFileOfKind(kFileKindScript, kFolderParameters, true)) return;
    const std::string text = WriteScriptText();
    const FileWriteResult written = WriteReplacingFile(
        gFilePath,
        [](BinaryWriter& out, const void* t) {
            const std::string& s = *static_cast<const std::string*>(t);
            out.Bytes(s.data(), s.size());
            return out.Ok();
        },
        &text);
    if (written != FileWriteResult::kWritten) {
        CheckWritable(nullptr);  // the "Warning" box
        SetStatusText("Talvoran :   %s was not written.", FileNameOf(gFilePath));
    }
}
