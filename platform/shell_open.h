// Opening a document or a web address with the desktop's default program.
#pragma once

// Called when xdg-open, once started, ended without opening target (no
// program for it, the program failed, xdg-open killed); on a thread of its
// own, as xdg-open may run for as long as the viewer it started.
using DesktopOpenFailed = void (*)(const char* target);

// Starts xdg-open on target without a shell; false when it cannot be started
// (no target, no xdg-open). A later failure goes to failed, when given.
bool OpenWithDesktop(const char* target, DesktopOpenFailed failed = nullptr);

// Tests put their own opener in place (null: xdg-open again) and see the
// targets the program asked to open; its false is a failure to start.
void SetDesktopOpener(bool (*opener)(const char* target));
