// What the baseshape editor's "Load DMap", "Load STL Mesh" and the texture
// and colour-table buttons load into baseshape i. The dialog commands
// return at once while another file operation runs, hold
// gFileOperationBusy while they run and let go of it on every way out; each
// returns true when the baseshape changed. A file that cannot be read is
// refused with a status text and changes nothing.
#pragma once

// The picture (BMP, PNG or JPEG) as texture i, bottom row first.
bool LoadBaseshapeTextureFile(const char* path, int i);
// The picture as DMap i: each height the largest of R, G and B, then the
// border mode (0 first and last row cleared, 1 also the first and last
// column, 2 nothing); a picture without any height gives the reset DMap.
bool LoadBaseshapeDMapFile(const char* path, int i, int borderMode);

bool PickBaseshapeTexture(int i);                 // "Graphics Files", from "STextures"
bool PickBaseshapeDMap(int borderMode, int i);    // "Graphics Files", from "DMaps"
bool PickBaseshapeColorMap(int i);                // "Color Map Files", from "Textures"
bool ImportStlMesh(int i);                        // "STL Files ", from "Meshes"

// A new random colour map into the working map and the colour table of i.
void ResetBaseshapeColorTable(int i);
