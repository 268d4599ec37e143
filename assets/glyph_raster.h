// Text on our pictures, rasterised with FreeType from the DejaVu faces.
#pragma once

#include <memory>
#include <string>

#include "assets/canvas.h"

namespace assetgen {

class GlyphFace {
public:
    // Opens the font file; when it is missing and fallbackPath is given, that
    // face is used with a slant of 'synthSlant' (x += slant * y).
    GlyphFace(const std::string& path, const std::string& fallbackPath = {}, float synthSlant = 0.0f);
    ~GlyphFace();
    GlyphFace(const GlyphFace&) = delete;
    GlyphFace& operator=(const GlyphFace&) = delete;

    bool Ok() const;
    void SetPixelSize(int px);
    // Horizontal advance of a code point at the current size, in pixels.
    float Advance(unsigned codePoint);
    // Has the face a glyph for the code point?
    bool HasGlyph(unsigned codePoint);
    // Draws one code point with its pen origin at (penX, baselineY); the
    // coverage is blended in 'colour'. Returns the advance.
    float DrawGlyph(Canvas& c, unsigned codePoint, float penX, float baselineY, Rgb colour);
    // Width of an ASCII string at the current size.
    float StringWidth(const std::string& text);
    // Draws an ASCII string centred on (centreX, baselineY).
    void DrawCentred(Canvas& c, const std::string& text, float centreX, float baselineY, Rgb colour);
    void DrawAt(Canvas& c, const std::string& text, float x, float baselineY, Rgb colour);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The DejaVu faces of the system font folder.
std::string DejaVuPath(const char* fileName);

}  // namespace assetgen
