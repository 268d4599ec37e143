// Where the program's pictures live: the install folder holds "img" (icon
// files looked up by name) and "res" (the pictures the program carries: font,
// skins, splash, shape-icon sheets).
#pragma once

#include <string>

// The install folder: $TALVORAN_ASSET_DIR when set, else "assets" beside the
// executable when it exists, else the build tree's generated folder.
const std::string& InstallFolder();

// Overrides the install folder (settings, tests); an empty path restores the
// default lookup.
void SetInstallFolder(const std::string& path);

// True when the install folder holds its pictures; otherwise says once on
// stderr which folder is missing and which variable sets it.
bool CheckInstallFolder();

// "<install>/res/<name>" and "<install>/img/<name>".
std::string ResourcePath(const char* name);
std::string IconPath(const char* name);
