// The default images and mesh of a baseshape. Pixel and vertex buffers of
// gBaseshapeTextures, gBaseshapeDMaps and gBaseshapeMeshes are owned by their
// entry and allocated with std::malloc (freed with std::free).
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

// Border modes of a displacement map: 0 clears the first and last row,
// 1 also the first and last column, 2 clears nothing.
void ApplyDMapBorderMode(BaseshapeImage& image, int borderMode);

// Texture i = 16 by 16, every byte 128, name "#".
void ClearBaseshapeTexture(int i);
// DMap i = 16 by 16 of 255, name "#", then the border mode. The editor
// refreshes its preview afterwards.
void ResetBaseshapeDMap(int i, int borderMode);
// Mesh i = one triangle of circumradius 1 in the z = 0 plane, name "#".
void ClearBaseshapeMesh(int i);

// Makes dst an independent copy of src's size and pixels (bytesPerPixel 3
// for textures, 1 for DMaps); the name stays. False, and dst unchanged, when
// the memory is not there.
bool CopyBaseshapeImage(BaseshapeImage& dst, const BaseshapeImage& src, uint32_t bytesPerPixel);
bool CopyBaseshapeMesh(BaseshapeMesh& dst, const BaseshapeMesh& src);
