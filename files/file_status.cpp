#include "files/file_status.h"

#include <cstring>

#include "engine/status_line.h"
#include "platform/dialogs.h"

const char* FileNameOf(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

bool ReadChosenFileBytes(const char* path, size_t limit, std::vector<uint8_t>& bytes)
{
    switch (ReadRegularFile(path, limit, bytes)) {
    case RegularFileStatus::Read: return true;
    case RegularFileStatus::TooLarge: SetStatusText("Talvoran :   %s is too large to open.", FileNameOf(path)); break;
    case RegularFileStatus::NotRegular:
        SetStatusText("Talvoran :   Cannot read %s: it is not a file.", FileNameOf(path));
        break;
    case RegularFileStatus::Missing:
    case RegularFileStatus::Unreadable: SetStatusText("Talvoran :   Cannot read %s.", FileNameOf(path)); break;
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
