// The desktop's GTK file chooser opened as the program opens it, on an X
// display of the test's own (Xvfb on a free display number, ended with the
// test), and cancelled as a user cancels it. In the AddressSanitizer build
// the process then ends under LeakSanitizer with the project's suppressions
// (.ci/lsan.supp): what fontconfig, D-Bus and GTK's start-up keep for the
// life of the process once a chooser has been shown is not reported, and
// this test fails on anything else left behind.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <gtk/gtk.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/desktop/desktop_dialogs.h"
#include "platform/dialogs.h"

namespace {

// Xvfb started on the first free display number (it says which through
// -displayfd) and ended with this object.
class VirtualDisplay {
public:
    ~VirtualDisplay()
    {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }

    // False, with why set, when no display came up within 20 seconds.
    bool Start(std::string* why)
    {
        int ends[2];
        if (::pipe(ends) != 0) return *why = "no pipe", false;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ends[0]);
            const std::string fd = std::to_string(ends[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "1280x1024x24",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ends[1]);
        std::string number;
        pollfd ready{ends[0], POLLIN, 0};
        char c = 0;
        while (::poll(&ready, 1, 20000) == 1 && ::read(ends[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(ends[0]);
        if (pid_ < 0 || number.empty()) {
            *why = "Xvfb did not start (scripts/install-deps.sh installs it)";
            return false;
        }
        name_ = ":" + number;
        return true;
    }

    const std::string& Name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// Presses "Cancel" of the chooser once it is on screen (after 20 seconds
// without it, of any chooser there is, so that the test ends).
gboolean CancelTheChooser(gpointer shown)
{
    static int ticks = 0;
    bool cancelled = false;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w != nullptr; w = w->next) {
        if (!GTK_IS_FILE_CHOOSER_DIALOG(w->data)) continue;
        const bool mapped = gtk_widget_get_mapped(GTK_WIDGET(w->data));
        if (!mapped && ++ticks < 200) continue;
        *static_cast<bool*>(shown) = mapped;
        gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_CANCEL);
        cancelled = true;
    }
    g_list_free(windows);
    return cancelled ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

TEST(DesktopFileChooser, OpensOnADisplayAndIsCancelled)
{
    VirtualDisplay display;
    std::string why;
    ASSERT_TRUE(display.Start(&why)) << why;
    ::setenv("DISPLAY", display.Name().c_str(), 1);
    ::setenv("SDL_VIDEODRIVER", "x11", 1);
    ::setenv("GDK_BACKEND", "x11", 1);
    ::unsetenv("WAYLAND_DISPLAY");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    InstallPlatformDialogs();
    ASSERT_NE(CurrentDialogBackend(), nullptr) << "the desktop dialogs were not installed";

    bool shown = false;
    const guint cancel = g_timeout_add(100, CancelTheChooser, &shown);
    FileDialogRequest request;
    request.kind = 8;
    request.folder = ::testing::TempDir();
    request.setFolder = true;
    request.filters = {{"Talvoran Script Files", "*.prg"}, {"All Files", "*.*"}};
    request.defaultExtension = "prg";
    std::string path = "untouched";
    EXPECT_FALSE(ChooseFile(request, &path));
    EXPECT_TRUE(shown) << "the chooser was never on screen";
    EXPECT_EQ(path, "untouched");
    // GTK that did not start never ran the timeout.
    if (g_main_context_find_source_by_id(nullptr, cancel)) g_source_remove(cancel);

    RemovePlatformDialogs();
    SDL_Quit();
}

}  // namespace
