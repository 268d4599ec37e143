#include "app/help_pages.h"

#include <filesystem>
#include <string>

#include "engine/status_line.h"
#include "platform/asset_paths.h"
#include "platform/shell_open.h"

bool OpenHelpPage(const char* section)
{
    const std::filesystem::path page = std::filesystem::path(InstallFolder()) / "help" / "index.html";
    std::error_code error;
    if (!std::filesystem::is_regular_file(page, error)) {
        SetStatusText("The help page is missing from %s", page.parent_path().c_str());
        return false;
    }
    std::string target = "file://" + std::filesystem::absolute(page, error).string();
    if (section != nullptr && section[0] != '\0') target += std::string("#") + section;
    if (!OpenWithDesktop(target.c_str())) {
        SetStatusText("The help page could not be opened");
        return false;
    }
    return true;
}
