// The default images and mesh of a baseshape. Pixel and vertex buffers of
// gBaseshapeTextures, gBaseshapeDMaps and gBaseshapeMeshes are owned by their
// entry and allocated with std::malloc (freed with std::free).
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"

struct RgbImage;

// The most triangles a baseshape mesh takes from a file.
inline constexpr uint32_t kMaxBaseshapeTriangles = uint32_t{1} << 24;
// The editor's previews of a texture and a DMap are 128 by 128 RGB.
inline constexpr int kBaseshapePreviewSide = 128;

// Border modes of a displacement map: 0 clears the first and last row,
// 1 also the first and last column, 2 clears nothing.
void ApplyDMapBorderMode(BaseshapeImage& image, int borderMode);

// Texture i = 16 by 16, every byte 128, name "#".
void ClearBaseshapeTexture(int i);
// DMap i = 16 by 16 of 255, name "#", then the border mode. The editor
// refreshes its preview afterwards.
void ResetBaseshapeDMap(int i, int borderMode);
// The default mesh: one triangle of circumradius 1 in the z = 0 plane.
extern const float kDefaultBaseshapeTriangle[9];
// Mesh i = the default triangle, name "#".
void ClearBaseshapeMesh(int i);

// Makes dst an independent copy of src's size and pixels (bytesPerPixel 3
// for textures, 1 for DMaps); the name stays. False, and dst unchanged, when
// the memory is not there.
bool CopyBaseshapeImage(BaseshapeImage& dst, const BaseshapeImage& src, uint32_t bytesPerPixel);
bool CopyBaseshapeMesh(BaseshapeMesh& dst, const BaseshapeMesh& src);

// Image and mesh take ownership of malloc'd buffers (the old ones are freed)
// and are named "#".
void InstallBaseshapeImage(BaseshapeImage& image, uint8_t* pixels, uint32_t width, uint32_t height);
void InstallBaseshapeMesh(BaseshapeMesh& mesh, float* vertices, uint32_t triangleCount);

// Texture i takes the picture's size and pixels (bottom row first, as the
// picture loader gives them). False, and the texture unchanged, when the
// picture is empty or the memory is not there.
bool SetBaseshapeTexture(int i, const RgbImage& picture);
// DMap i from the picture: each height is the largest of the pixel's R, G
// and B, then the border mode. A picture whose heights all come out 0 gives
// the reset DMap instead. False, and the DMap unchanged, as above.
bool SetBaseshapeDMap(int i, const RgbImage& picture, int borderMode);

// The editor's preview of an image (bytesPerPixel 3 for textures, 1 for
// DMaps, whose height goes into R, G and B): preview row r and column c show
// source row floor(r height / 128) and column floor(c width / 128), nearest,
// no filtering. rgb takes 128 x 128 x 3 bytes; an empty image gives black.
void BuildBaseshapePreview(const BaseshapeImage& image, uint32_t bytesPerPixel, uint8_t* rgb);
