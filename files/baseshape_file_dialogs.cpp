#include "files/baseshape_file_dialogs.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/baseshape_hooks.h"
#include "engine/baseshape_record.h"
#include "engine/file_dialogs.h"
#include "engine/point_coloring.h"
#include "engine/status_line.h"
#include "files/baseshape_file.h"
#include "files/binary_reader.h"
#include "files/file_status.h"
#include "render/render_threads.h"

namespace {

// The readers' closing step: the colouring functions follow the baseshapes
// now in use (also after a cancel or a refusal); then the busy byte drops.
struct ReaderScope {
    ~ReaderScope()
    {
        SetColoringMode(gColoringMode.load());
        EndFileOperation();
    }
};

// The chosen file parsed for room entries; false, with the status line
// saying why, when it cannot be taken.
bool ReadChosenFile(int room, std::vector<BaseshapeFileEntry>* entries)
{
    OpenedFile file;
    if (!OpenChosenFile(gFilePath, kMaxBaseshapeFileBytes, &file)) return false;
    BinaryReader in(file.fd, file.size);
    std::string why;
    const BaseshapeFileStatus status = ParseBaseshapeFile(in, room, entries, &why);
    if (status != BaseshapeFileStatus::kRead && ReportFileGaveOut(in, gFilePath)) return false;
    switch (status) {
    case BaseshapeFileStatus::kRead: return true;
    case BaseshapeFileStatus::kNoMemory: SayNoMemory(); return false;
    case BaseshapeFileStatus::kTooMany:
        SetStatusText("Talvoran :   %s would bring the baseshapes past %d; nothing was appended.", FileNameOf(gFilePath),
                      kBaseshapeAppendLimit);
        return false;
    case BaseshapeFileStatus::kDamaged:
        SetStatusText("Talvoran :   %s is not a baseshape file we can open: %s.", FileNameOf(gFilePath), why.c_str());
        return false;
    }
    return false;
}

void ShowCurrentBaseshape()
{
    CallBaseshapeHook(gBaseshapeHooks.showInEditor, gCurrentBaseshape);
    CallBaseshapeHook(gBaseshapeHooks.texturePreview, gCurrentBaseshape);
    CallBaseshapeHook(gBaseshapeHooks.dmapPreview, gCurrentBaseshape);
    CallBaseshapeHook(gBaseshapeHooks.restartPreview);
}

}  // namespace

bool SaveBaseshapeFile(bool currentOnly)
{
    const int count = std::clamp(gBaseshapeCount, 0, kMaxBaseshapes);
    if (count < 1 || !TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    SetStatusText("Talvoran :   Save baseshapes.");
    if (!ChooseFileOfKind(kFileKindBaseshapes, kFolderBuffers, true)) return false;
    const int first = currentOnly ? std::clamp(gCurrentBaseshape, 0, count - 1) : 0;
    if (WriteBaseshapeFileTo(gFilePath, first, currentOnly ? 1 : count) != FileWriteResult::kWritten) {
        CheckWritable(nullptr);  // the "Warning" box
        return false;
    }
    return true;
}

bool LoadBaseshapeFile()
{
    if (!TryBeginFileOperation()) return false;
    ReaderScope scope;
    if (!ChooseFileOfKind(kFileKindBaseshapes, kFolderBuffers, false)) return false;
    return WithinMemory([] {
        std::vector<BaseshapeFileEntry> entries;
        if (!ReadChosenFile(kMaxBaseshapes, &entries)) return false;
        // The workers read the records, images and meshes without locks.
        StopRender();
        const int count = static_cast<int>(entries.size());
        gBaseshapeCount = count;
        if (count == 0) gBaseshapes[0].useGradient = gBaseshapes[0].useTexture = 0;
        gUseBaseshapes = count != 0;
        InstallBaseshapeEntries(entries, 0);
        gCurrentBaseshape = 0;
        ShowCurrentBaseshape();
        return true;
    });
}

bool AppendBaseshapeFile()
{
    if (!TryBeginFileOperation()) return false;
    ReaderScope scope;
    if (!ChooseFileOfKind(kFileKindBaseshapes, kFolderBuffers, false)) return false;
    return WithinMemory([] {
        const int inUse = std::clamp(gBaseshapeCount, 0, kMaxBaseshapes);
        std::vector<BaseshapeFileEntry> entries;
        if (!ReadChosenFile(std::max(0, kBaseshapeAppendLimit - inUse), &entries)) return false;
        if (entries.empty()) return true;
        StopRender();
        InstallBaseshapeEntries(entries, inUse);
        gCurrentBaseshape = inUse;
        gBaseshapeCount = inUse + static_cast<int>(entries.size());
        ShowCurrentBaseshape();
        ResetBaseshapeWeights();
        return true;
    });
}
