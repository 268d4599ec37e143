// The desktop's own message boxes (SDL) and file chooser (GTK 3) behind the
// dialog seam of engine/dialogs.h.
#pragma once

#include <string>

// Installs the desktop dialogs, or keeps the headless fallback when there is
// no display (the offscreen video driver).
void InstallPlatformDialogs();
void RemovePlatformDialogs();

// GTK pattern matching any letter case: "*.png" gives "*.[pP][nN][gG]".
std::string CaseInsensitivePattern(const std::string& pattern);
