// Turning interface pictures into GL textures, the one way every picture of
// the kit is uploaded.
#pragma once

#include "platform/picture_file.h"

enum class TextureMip { None, Full };
enum class TextureWrap { Clamp, Repeat };

// Uploads the RGB picture (bottom row first) into a new texture with linear
// magnification, linear or linear-mipmap-linear minification, the wrap mode
// given, and leaves it bound with the decal environment. An empty picture
// gives a black 2 x 2 texture, so a missing file shows nothing rather than
// untextured quads. Needs a current context.
unsigned UploadPictureTexture(const RgbPicture& picture, TextureMip mip, TextureWrap wrap);

// The same into an existing texture name (its earlier image replaced).
void UploadPictureInto(unsigned texture, const RgbPicture& picture, TextureMip mip, TextureWrap wrap);

// Loads the picture file and uploads it; see UploadPictureTexture.
unsigned LoadPictureTexture(const std::string& path, TextureMip mip, TextureWrap wrap);

// Replaces the whole width x height RGB image of an existing texture (rows
// tightly packed); texture 0, one never created, is left alone, so code that
// runs without a context (tests, a failed start) skips its uploads.
void ReplaceRgbTexture(unsigned texture, int width, int height, const uint8_t* rgb);

// A new width x height RGB texture holding rgb (black when null), linear
// filtering, the wrap given, decal; 0 when no GL context is current, so the
// shader's start-up runs without one in tests.
unsigned CreateRgbTexture(int width, int height, const uint8_t* rgb, TextureWrap wrap);

// The texture on the rectangle at depth z (decal), texturing left as found.
void DrawTextureRect(unsigned texture, float x0, float y0, float x1, float y1, float z);
