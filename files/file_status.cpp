#include "files/file_status.h"

#include <unistd.h>

#include "engine/status_line.h"
#include "platform/dialogs.h"
#include "render/render_buffers.h"

const char* FileNameOf(const char* path) { return StatusFileName(path); }

namespace {

// True for a file that was read or opened; otherwise the status line says why.
bool SayWhy(RegularFileStatus status, const char* path)
{
    switch (status) {
    case RegularFileStatus::Read: return true;
    case RegularFileStatus::TooLarge: SetStatusText("Talvoran :   %s is too large to open.", FileNameOf(path)); break;
    case RegularFileStatus::NotRegular:
        SetStatusText("Talvoran :   Cannot read %s: it is not a file.", FileNameOf(path));
        break;
    case RegularFileStatus::Missing:
    case RegularFileStatus::Unreadable: SetStatusText("Talvoran :   Cannot read %s.", FileNameOf(path)); break;
    case RegularFileStatus::NoMemory: SayNoMemory(); break;
    }
    return false;
}

}  // namespace

OpenedFile::~OpenedFile()
{
    if (fd >= 0) ::close(fd);
}

bool OpenChosenFile(const char* path, size_t limit, OpenedFile* file)
{
    return SayWhy(OpenRegularFile(path, limit, &file->fd, nullptr, &file->size), path);
}

bool ReportFileGaveOut(const BinaryReader& in, const char* path)
{
    if (!in.ReadError()) return false;
    SetStatusText("Talvoran :   Cannot read %s: it changed or gave a read error.", FileNameOf(path));
    return true;
}

void SayNoMemory() { SetStatusText("%s", kInsufficientMemoryText); }

void ShowNewerVersionNotice()
{
    ShowMessageBox("This data file is made from a newer version of Talvoran.\n"
                   "A newer version of Talvoran is needed to open it.\n"
                   "Action cancelled.",
                   "Notice", MessageButtons::Ok, MessageIcon::Warning);
}
