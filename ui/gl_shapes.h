// Small immediate-mode pieces the recorded looks are made of; all usable
// inside display lists and none changes enable state.
#pragma once

#include <cstdint>

// A filled quad in the current colour, counter-clockwise from the lower left.
void FlatQuad(float x0, float y0, float x1, float y1, float z);
// The same with texture coordinates 0..texels over it (the lower-left part
// of a texture larger than the picture it holds).
void TexturedQuad(float x0, float y0, float x1, float y1, float z, float texels = 1.0f);
// An outline in the current colour, counter-clockwise from the lower left.
void OutlineQuad(float x0, float y0, float x1, float y1, float z);
// An outline whose corners alternate colours a and b, starting with a at the
// lower left and going up the left edge first.
void AlternatingLoop(float x0, float y0, float x1, float y1, float z, const float a[3], const float b[3]);
// A 256-entry colour table as 16 rows of 16 swatches of 6 units, 8 apart;
// row 0 (entries 0 to 15) at the top, its lower left at (left, top).
void ColorSwatchGrid(const uint8_t* r, const uint8_t* g, const uint8_t* b, float left, float top, float z);
