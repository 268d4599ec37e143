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
