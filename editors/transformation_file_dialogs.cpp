// "Save" and "Load" of the transformation editor: the ".tmf" file through the
// file dialog of its kind, starting in the parameters folder. A file that is
// refused changes nothing; a file is written under a temporary name and
// renamed over the old one only once it is whole.
#include <memory>
#include <string>

#include "editors/xforms_editor.h"
#include "engine/file_dialogs.h"
#include "engine/file_replacement.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/status_line.h"
#include "files/transformation_file.h"
#include "platform/dialogs.h"

namespace {

constexpr int kFileKindTransformations = 13;

}  // namespace

bool XFormsEditor::SaveTransformationFile()
{
    if (gTransformCount < 1 || !TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    if (!ChooseFileOfKind(kFileKindTransformations, kFolderParameters, true)) return false;
    FileReplacement file;
    const bool written = file.Begin(gFilePath) && WriteTransformationFile(file.Sink()) && file.Commit();
    if (!written) CheckWritable(nullptr);
    return written;
}

bool XFormsEditor::LoadTransformationFile()
{
    if (!TryBeginFileOperation()) return false;
    bool loaded = false;
    {
        FileOperationEnd busy;
        if (!ChooseFileOfKind(kFileKindTransformations, kFolderParameters, false)) return false;
        auto contents = std::make_unique<TransformationFileContents>();
        std::string error;
        if (ReadTransformationFile(gFilePath, *contents, &error)) {
            SnapshotTransformations();
            ApplyTransformationFile(*contents);
            if (TransformationFileResetsView(gFractalType)) windowRow = 3;  // "Camera"
            loaded = true;
        } else {
            SetStatusText("%s", error.c_str());
            ShowMessageBox(("The transformation file was not loaded. " + error).c_str(), "Warning",
                           MessageButtons::Ok, MessageIcon::Warning);
        }
    }
    if (!loaded) return false;
    // The "Load" command shows the first transformation.
    gTransformEdit.selected = 0;
    gTransformEdit.selectedBlock = 0;
    blockTypeListOpen = 0;
    pointPreviewDirty = 1;
    if (hooks.buildPickTable) hooks.buildPickTable();
    return true;
}
