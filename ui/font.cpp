#include "ui/font.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/desktop/gl_api.h"
#include "platform/asset_paths.h"
#include "ui/texture_upload.h"

unsigned gFontTexture = 0;
unsigned gFontListBase = 0;
char gTextScratch[kTextBufferSize];

namespace {

// Names reserved around the 256 glyph lists. The list base of a set reaches
// 32 names below the first glyph (codes 0..31 of set 0) and 96 above the last
// (codes 160..255 of set 1); those names stay empty lists, so such codes draw
// nothing instead of replaying whatever list got the name next.
constexpr int kListsBelow = 32;
constexpr int kListsAbove = 96;

// The corners of glyph g's cell in the font picture.
struct GlyphCell {
    float s0, s1, t0, t1;
};

GlyphCell CellOf(int g)
{
    const float s0 = (g % 16) / 16.0f;
    const float t1 = 1.0f - (g / 16) / 16.0f;
    return {s0, s0 + 1.0f / 16.0f, t1 - 1.0f / 16.0f, t1};
}

// Units right of a glyph's pen position where its ink ends, once measured.
float gGlyphInkEnd[kGlyphCount];
bool gGlyphInkMeasured = false;

float GlyphInkEnd(int g) { return gGlyphInkMeasured ? gGlyphInkEnd[g] : static_cast<float>(kGlyphAdvance + 4); }

// A texel brighter than a quarter shows beside a frame's line.
void MeasureGlyphInk(const RgbPicture& picture)
{
    if (picture.width < 16 || picture.height < 16) return;
    const int cellW = picture.width / 16, cellH = picture.height / 16;
    for (int g = 0; g < kGlyphCount; ++g) {
        // Rows bottom first: the cell of glyph row g / 16 counts from the top.
        const int x0 = (g % 16) * cellW, y0 = picture.height - (g / 16 + 1) * cellH;
        int last = -1;
        for (int y = y0; y < y0 + cellH; ++y)
            for (int x = x0 + std::max(last + 1, 0); x < x0 + cellW; ++x) {
                const uint8_t* p = &picture.pixels[(static_cast<size_t>(y) * picture.width + x) * 3];
                if (std::max({p[0], p[1], p[2]}) > 64) last = x - x0;
            }
        gGlyphInkEnd[g] = static_cast<float>(last + 1) * kGlyphQuadSize / static_cast<float>(cellW);
    }
    gGlyphInkMeasured = true;
}

// The quad of glyph g with its lower left corner at (x, 0).
void GlyphQuad(int g, float x)
{
    const GlyphCell c = CellOf(g);
    glTexCoord2f(c.s0, c.t0);
    glVertex3f(x, 0, kGlyphDepth);
    glTexCoord2f(c.s1, c.t0);
    glVertex3f(x + kGlyphQuadSize, 0, kGlyphDepth);
    glTexCoord2f(c.s1, c.t1);
    glVertex3f(x + kGlyphQuadSize, kGlyphQuadSize, kGlyphDepth);
    glTexCoord2f(c.s0, c.t1);
    glVertex3f(x, kGlyphQuadSize, kGlyphDepth);
}

// The glyphs of a text as one run of quads, the pen moved past them as the
// glyph lists move it (a code without a glyph neither draws nor moves).
// Replaying a glyph list per character costs the software driver a draw and
// a matrix change per glyph, several times what the quads themselves cost.
void DrawGlyphRun(const char* text, size_t length, int set)
{
    int glyphs = 0;
    for (size_t i = 0; i < length; ++i) glyphs += GlyphIndex(static_cast<unsigned char>(text[i]), set) >= 0;
    if (glyphs == 0) return;
    glBindTexture(GL_TEXTURE_2D, gFontTexture);
    glBegin(GL_QUADS);
    float x = 0.0f;
    for (size_t i = 0; i < length; ++i) {
        const int g = GlyphIndex(static_cast<unsigned char>(text[i]), set);
        if (g < 0) continue;
        GlyphQuad(g, x);
        x += kGlyphAdvance;
    }
    glEnd();
    glTranslatef(x, 0, 0);
}

void DrawTextLength(int x, int y, const char* text, size_t length, int set)
{
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    DrawGlyphRun(text, length, set);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

// Formats into a text buffer, cut at its size; returns the length kept.
size_t FormatVariadic(char (&text)[kTextBufferSize], const char* format, va_list args)
{
    const int written = std::vsnprintf(text, sizeof text, format, args);
    if (written < 0) {
        text[0] = '\0';
        return 0;
    }
    return std::min(static_cast<size_t>(written), sizeof text - 1);
}

}  // namespace

int GlyphIndex(unsigned char code, int set)
{
    const int glyph = code - 32 + 128 * set;
    return glyph >= 0 && glyph < kGlyphCount ? glyph : -1;
}

const char* FormatIntText(char* out, size_t size, int value)
{
    if (size > 0) std::snprintf(out, size, "%d", value);
    return out;
}

const char* FormatFloatText(char* out, size_t size, float value)
{
    if (size > 0) std::snprintf(out, size, "%2.5f", static_cast<double>(value));
    return out;
}

bool BuildFont()
{
    const RgbPicture picture = LoadPictureRgb(ResourcePath("font.png"));
    MeasureGlyphInk(picture);
    glEnable(GL_TEXTURE_2D);
    gFontTexture = UploadPictureTexture(picture, TextureMip::Full, TextureWrap::Clamp);

    const GLuint reserved = glGenLists(kListsBelow + kGlyphCount + kListsAbove);
    gFontListBase = reserved + kListsBelow;
    for (int g = 0; g < kGlyphCount; ++g) {
        glNewList(gFontListBase + g, GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, gFontTexture);
        glBegin(GL_QUADS);
        GlyphQuad(g, 0.0f);
        glEnd();
        glTranslatef(kGlyphAdvance, 0, 0);
        glEndList();
    }
    glDisable(GL_TEXTURE_2D);
    return !picture.empty();
}

float TextInkEnd(const char* text, int set)
{
    float end = 0.0f, pen = 0.0f;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
        const int g = GlyphIndex(static_cast<unsigned char>(*c), set);
        if (g < 0) continue;
        if (GlyphInkEnd(g) > 0.0f) end = std::max(end, pen + GlyphInkEnd(g));
        pen += kGlyphAdvance;
    }
    return end;
}

void DrawText(int x, int y, const char* text, int set)
{
    if (text == nullptr) return;
    DrawTextLength(x, y, text, std::strlen(text), set);
}

void DrawIntText(int x, int y, int value, int set)
{
    DrawText(x, y, FormatIntText(gTextScratch, sizeof gTextScratch, value), set);
}

void DrawFloatText(int x, int y, float value)
{
    DrawText(x, y, FormatFloatText(gTextScratch, sizeof gTextScratch, value), 1);
}

void DrawTextF(int x, int y, const char* format, ...)
{
    if (format == nullptr) return;
    char text[kTextBufferSize];
    va_list args;
    va_start(args, format);
    FormatVariadic(text, format, args);
    va_end(args);
    DrawText(x, y, text, 0);
}

void DrawFramedTextF(int x, int y, const char* format, ...)
{
    if (format == nullptr) return;
    char text[kTextBufferSize];
    va_list args;
    va_start(args, format);
    const size_t n = FormatVariadic(text, format, args);
    va_end(args);
    const float left = -static_cast<float>(TextAdvance(n));

    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    glEnable(GL_TEXTURE_2D);
    DrawGlyphRun(text, n, 0);
    glDisable(GL_TEXTURE_2D);
    // The pen stands after the text now: the frame reaches back to x.
    glBegin(GL_LINE_LOOP);
    glColor3f(0.25f, 0, 0);
    glVertex2f(left, 0);
    glColor3f(0.5f, 0, 0);
    glVertex2f(left, 16);
    glVertex2f(8, 16);
    glColor3f(0.25f, 0, 0);
    glVertex2f(8, 0);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void DrawAdditiveText(int x, int y, const char* text)
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    DrawText(x, y, text, 0);
    glPopAttrib();
}
