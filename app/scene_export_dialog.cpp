// The scene export's dialog half; the file is written by WriteKavrolinSceneFile
// (files/scene_export.cpp).
#include "app/scene_export_dialog.h"

#include <cstring>

#include "engine/file_dialogs.h"
#include "render/symmetry_modes.h"
#include "engine/baseshape_record.h"
#include "files/scene_export.h"
#include "platform/dialogs.h"

namespace {

constexpr int kKavrolinFileKind = 5;
constexpr const char* kCannotWriteText =
    "Talvoran cannot write in the selected directory path, please choose another destination.";

}  // namespace

void ExportKavrolinScene()
{
    if (!TryBeginFileOperation()) return;
    FileOperationEnd busy;
    std::memset(gFilePath, 0, sizeof gFilePath);
    if (!ShowSaveFileDialog(kKavrolinFileKind, 0, 0) || !gFilePath[0]) return;

    const SceneInputs inputs{gBaseshapeEditPoints, gBaseshapeSpin,     gBaseshapeMoveDirection,
                             gBaseshapeMoveWave,   gBaseshapeWaveType, ShapeTypeUsesDMap,
                             gSymmetrySeparation.load()};
    if (WriteKavrolinSceneFile(gFilePath, inputs) != FileWriteResult::kWritten) {
        ShowMessageBox(kCannotWriteText, "Warning", MessageButtons::Ok, MessageIcon::Warning);
    }
}
