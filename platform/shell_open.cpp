#include "platform/shell_open.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <thread>

extern char** environ;

namespace {

bool (*gOpener)(const char*) = nullptr;

}  // namespace

void SetDesktopOpener(bool (*opener)(const char* target)) { gOpener = opener; }

bool OpenWithDesktop(const char* target, DesktopOpenFailed failed)
{
    if (!target || !target[0]) return false;
    if (gOpener != nullptr) return gOpener(target);
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(target), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "talvoran: cannot start xdg-open for %s\n", target);
        return false;
    }
    // Some desktops keep xdg-open running as long as the viewer: reap it aside
    // so the window thread never waits, and report how it ended from there.
    std::thread([pid, failed, what = std::string(target)] {
        int status = 0;
        while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
        }
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return;
        std::fprintf(stderr, "talvoran: xdg-open did not open %s\n", what.c_str());
        if (failed != nullptr) failed(what.c_str());
    }).detach();
    return true;
}
