// The picture and colour-map files of the textures folder, listed once at
// start-up.
#pragma once

#include <string>
#include <vector>

extern int gTextureFileCount;
extern std::vector<std::string> gTextureFileNames;  // names without the folder

// Lists the regular files of gTexturesPath ending in .bmp, then .png, then
// .jpg, then .map (in any letter case), each group in byte order of the
// names. The count always equals the list's length; a missing folder gives 0.
void ScanTexturesFolder();

// A new user's textures folder is given the colour maps made with the
// program (the install folder's "maps"), so that the gradient browsers and
// "Load Map" offer some: only when it holds no ".map" of any kind, never
// over a file. The default folder is made when it is missing; a folder the
// settings name that is not there is left alone. A folder that cannot be
// made or written leaves the start going on, silently, as settings it
// cannot read do.
void StockTexturesFolder();

// Start-up step 2: the folder stocked, then listed.
void StockAndScanTexturesFolder();
