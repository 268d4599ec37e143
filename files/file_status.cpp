#include "files/file_status.h"

#include <cstring>

#include "engine/status_line.h"
#include "platform/dialogs.h"

const char* FileNameOf(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

bool ReportFileRead(FileReadResult result, const char* path)
{
    switch (result) {
    case FileReadResult::kRead: return true;
    case FileReadResult::kTooLarge: SetStatusText("Talvoran :   %s is too large to open.", FileNameOf(path)); break;
    case FileReadResult::kOpenFailed:
    case FileReadResult::kReadFailed: SetStatusText("Talvoran :   Cannot read %s.", FileNameOf(path)); break;
    }
    return false;
}

void ShowNewerVersionNotice()
{
    ShowMessageBox("This data file is made from a newer version of Talvoran.\n"
                   "A newer version of Talvoran is needed to open it.\n"
                   "Action cancelled.",
                   "Notice", MessageButtons::Ok, MessageIcon::Warning);
}
