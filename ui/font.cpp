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

void CallTextLists(const char* text, size_t length, int set)
{
    glListBase(gFontListBase - 32 + 128 * set);
    glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
}

void DrawTextLength(int x, int y, const char* text, size_t length, int set)
{
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    CallTextLists(text, length, set);
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
    glEnable(GL_TEXTURE_2D);
    gFontTexture = UploadPictureTexture(picture, TextureMip::Full, TextureWrap::Clamp);

    const GLuint reserved = glGenLists(kListsBelow + kGlyphCount + kListsAbove);
    gFontListBase = reserved + kListsBelow;
    for (int g = 0; g < kGlyphCount; ++g) {
        const float s0 = (g % 16) / 16.0f;
        const float t1 = 1.0f - (g / 16) / 16.0f;
        const float t0 = t1 - 1.0f / 16.0f;
        glNewList(gFontListBase + g, GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, gFontTexture);
        glBegin(GL_QUADS);
        glTexCoord2f(s0, t0);
        glVertex3f(0, 0, kGlyphDepth);
        glTexCoord2f(s0 + 1.0f / 16.0f, t0);
        glVertex3f(kGlyphQuadSize, 0, kGlyphDepth);
        glTexCoord2f(s0 + 1.0f / 16.0f, t1);
        glVertex3f(kGlyphQuadSize, kGlyphQuadSize, kGlyphDepth);
        glTexCoord2f(s0, t1);
        glVertex3f(0, kGlyphQuadSize, kGlyphDepth);
        glEnd();
        glTranslatef(kGlyphAdvance, 0, 0);
        glEndList();
    }
    glDisable(GL_TEXTURE_2D);
    return !picture.empty();
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
    CallTextLists(text, n, 0);
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
