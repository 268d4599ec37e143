// The desktop's own message boxes (SDL) and file chooser (GTK 3) behind the
// dialog seam of engine/dialogs.h.
#pragma once

#include <string>
#include <vector>

// Installs the desktop dialogs, or keeps the headless fallback when there is
// no display (the offscreen video driver).
void InstallPlatformDialogs();
void RemovePlatformDialogs();

// GTK pattern matching any letter case: "*.png" gives "*.[pP][nN][gG]".
std::string CaseInsensitivePattern(const std::string& pattern);

// The chooser's patterns of one filter ("*.bmp;*.png" gives two), each
// matching any letter case. "*.*" stands for every file, as the program's
// "All Files" always meant, names without a dot included.
std::vector<std::string> DesktopFilterPatterns(const std::string& pattern);
