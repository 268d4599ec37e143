#include "platform/desktop/desktop_dialogs.h"

#include <SDL2/SDL.h>
#include <gtk/gtk.h>

#include <cctype>
#include <cstdio>

#include "platform/dialogs.h"
#include "platform/desktop/gl_window.h"

#if defined(TALVORAN_ADDRESS_SANITIZER)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

class DesktopDialogs final : public DialogBackend {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    bool ChooseFile(const FileDialogRequest& request, std::string* path) override;

private:
    bool gtkTried_ = false;
    bool gtkReady_ = false;
};

DesktopDialogs gDesktopDialogs;
bool gInstalled = false;

Uint32 MessageFlags(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error: return SDL_MESSAGEBOX_ERROR;
    case MessageIcon::Warning: return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::Information: return SDL_MESSAGEBOX_INFORMATION;
    default: return 0;
    }
}

void DrainGtkEvents()
{
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

// GTK's start-up keeps what it makes for the life of the process (where no
// accessibility bus answers, the accessibility bridge drops two names it
// copied): under LeakSanitizer that is GTK's, not a leak of ours.
bool StartGtk()
{
#if defined(TALVORAN_ADDRESS_SANITIZER)
    __lsan::ScopedDisabler gtkKeepsItsOwn;
#endif
    return gtk_init_check(nullptr, nullptr);
}

}  // namespace

std::string CaseInsensitivePattern(const std::string& pattern)
{
    std::string out;
    for (const char c : pattern) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u)) {
            out += '[';
            out += static_cast<char>(std::tolower(u));
            out += static_cast<char>(std::toupper(u));
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> DesktopFilterPatterns(const std::string& pattern)
{
    std::vector<std::string> patterns;
    size_t start = 0;
    while (start <= pattern.size()) {
        const size_t end = pattern.find(';', start);
        const std::string one = pattern.substr(start, end == std::string::npos ? end : end - start);
        if (one == "*.*") {
            patterns.push_back("*");
        } else if (!one.empty()) {
            patterns.push_back(CaseInsensitivePattern(one));
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return patterns;
}

MessageAnswer DesktopDialogs::ShowMessage(const MessageRequest& request)
{
    SDL_MessageBoxButtonData buttons[2];
    int count = 0;
    if (request.buttons == MessageButtons::YesNo) {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"};
        buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"};
        count = 2;
    } else {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"};
        count = 1;
    }
    SDL_MessageBoxData data{};
    data.flags = MessageFlags(request.icon);
    data.window = gMainWindow;
    data.title = request.caption.c_str();
    data.message = request.text.c_str();
    data.numbuttons = count;
    data.buttons = buttons;
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        std::fprintf(stderr, "talvoran: cannot show the message \"%s\": %s\n", request.text.c_str(), SDL_GetError());
        return MessageAnswer::Unavailable;
    }
    if (request.buttons == MessageButtons::YesNo) return pressed == 1 ? MessageAnswer::Yes : MessageAnswer::No;
    return MessageAnswer::Ok;
}

bool DesktopDialogs::ChooseFile(const FileDialogRequest& request, std::string* path)
{
    if (!gtkTried_) {
        gtkTried_ = true;
        gtkReady_ = StartGtk();
        if (!gtkReady_) std::fprintf(stderr, "talvoran: GTK cannot start; file dialogs are cancelled\n");
    }
    if (!gtkReady_) return HeadlessDialogs().ChooseFile(request, path);

    const GtkFileChooserAction action = request.save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN;
    GtkWidget* dialog = gtk_file_chooser_dialog_new(request.save ? "Save As" : "Open", nullptr, action, "_Cancel",
                                                    GTK_RESPONSE_CANCEL, request.save ? "_Save" : "_Open",
                                                    GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    if (request.save) gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    // Without a folder of its own the chooser opens in the working folder or
    // in its "Recent" list, where a typed name searches instead of naming
    // the file: it is always given one, the home folder at the least.
    const bool placed = request.setFolder && !request.folder.empty() &&
                        gtk_file_chooser_set_current_folder(chooser, request.folder.c_str());
    if (!placed) gtk_file_chooser_set_current_folder(chooser, g_get_home_dir());
    for (const FileFilter& filter : request.filters) {
        GtkFileFilter* gtkFilter = gtk_file_filter_new();
        gtk_file_filter_set_name(gtkFilter, filter.name.c_str());
        for (const std::string& one : DesktopFilterPatterns(filter.pattern)) {
            gtk_file_filter_add_pattern(gtkFilter, one.c_str());
        }
        gtk_file_chooser_add_filter(chooser, gtkFilter);
    }

    bool chosen = false;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* name = gtk_file_chooser_get_filename(chooser);
        if (name) {
            *path = name;
            chosen = true;
            g_free(name);
        }
    }
    gtk_widget_destroy(dialog);
    DrainGtkEvents();
    return chosen;
}

void InstallPlatformDialogs()
{
    if (PlatformVideoHeadless()) {
        SetDialogBackend(nullptr);
        return;
    }
    SetDialogBackend(&gDesktopDialogs);
    gInstalled = true;
}

void RemovePlatformDialogs()
{
    if (gInstalled && CurrentDialogBackend() == &gDesktopDialogs) SetDialogBackend(nullptr);
    gInstalled = false;
}
