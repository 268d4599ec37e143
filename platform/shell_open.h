// Opening a document or a web address with the desktop's default program.
#pragma once

// Starts xdg-open on target without a shell; false when it cannot be started.
bool OpenWithDesktop(const char* target);

// Tests put their own opener in place (null: xdg-open again) and see the
// targets the program asked to open.
void SetDesktopOpener(bool (*opener)(const char* target));
