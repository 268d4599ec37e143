#include "app/help_pages.h"

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/status_line.h"
#include "platform/asset_paths.h"
#include "platform/shell_open.h"

namespace {

constexpr std::string_view kFileScheme = "file://";

// A desktop without a browser for the page opens nothing: the status line
// says so and where the page is, so that it can be opened by hand. Called
// on the window thread or, when xdg-open gave up later, on its reaper's.
void SayHelpPageNotOpened(const char* target)
{
    std::string_view page = target;
    if (page.starts_with(kFileScheme)) page.remove_prefix(kFileScheme.size());
    page = page.substr(0, page.find('#'));
    SetStatusText("No browser opened the help page. It is at %s", StatusPath(std::string(page).c_str()));
}

}  // namespace

bool OpenHelpPage(const char* section)
{
    const std::filesystem::path page = std::filesystem::path(InstallFolder()) / "help" / "index.html";
    std::error_code error;
    if (!std::filesystem::is_regular_file(page, error)) {
        SetStatusText("The help page is missing from %s", StatusPath(page.parent_path().c_str()));
        return false;
    }
    std::string target = std::string(kFileScheme) + std::filesystem::absolute(page, error).string();
    if (section != nullptr && section[0] != '\0') target += std::string("#") + section;
    if (!OpenWithDesktop(target.c_str(), SayHelpPageNotOpened)) {
        SayHelpPageNotOpened(target.c_str());
        return false;
    }
    return true;
}
