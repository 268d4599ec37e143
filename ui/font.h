// The bitmap font: one 1024 x 1024 picture of 16 x 16 glyph cells and one
// display list per glyph. Set 0 has slanted letters; set 1 upright letters and
// eight icons. Character code c of set s draws glyph c - 32 + 128 s.
#pragma once

#include <cstddef>

inline constexpr int kGlyphCount = 256;
inline constexpr int kGlyphAdvance = 8;   // pen step per character, units
inline constexpr int kGlyphQuadSize = 16;  // glyph quad edge, units
inline constexpr float kGlyphDepth = 30.0f;
inline constexpr size_t kTextBufferSize = 256;

extern unsigned gFontTexture;
extern unsigned gFontListBase;  // list gFontListBase + g draws glyph g
extern char gTextScratch[kTextBufferSize];

// Glyph of code c in set s, or -1 when c - 32 + 128 s lies outside 0..255.
int GlyphIndex(unsigned char code, int set);

// Units from x to the pen after n characters, and to the right edge of the
// last glyph quad (quads are twice as wide as the advance).
inline int TextAdvance(size_t length) { return static_cast<int>(length) * kGlyphAdvance; }
inline int TextInkRight(size_t length)
{
    return length == 0 ? 0 : static_cast<int>(length - 1) * kGlyphAdvance + kGlyphQuadSize;
}

// Where the ink of a text ends, in units right of where it starts: the pen
// position of its last glyph with ink plus where that glyph's ink ends, as
// the font picture shows it (BuildFont measures every glyph; before that a
// glyph counts as inked up to 4 units past the advance).
float TextInkEnd(const char* text, int set);

// The fixed number formats, bounded by the buffer size (truncated, always
// terminated). They return the text.
const char* FormatIntText(char* out, size_t size, int value);      // "%d"
const char* FormatFloatText(char* out, size_t size, float value);  // "%2.5f"

// Creates gFontTexture and the glyph lists from the font picture. Returns
// false when the picture cannot be loaded: the lists then draw nothing.
bool BuildFont();

void DrawText(int x, int y, const char* text, int set);
void DrawIntText(int x, int y, int value, int set);
void DrawFloatText(int x, int y, float value);
void DrawTextF(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
void DrawFramedTextF(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
// Text drawn with additive blending, the blend state left as found.
void DrawAdditiveText(int x, int y, const char* text);
