#include "ui/gl_shapes.h"

#include "platform/desktop/gl_api.h"

namespace {

// The four corners counter-clockwise from the lower left, as one primitive.
void CornerQuad(GLenum mode, float x0, float y0, float x1, float y1, float z)
{
    glBegin(mode);
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
    glEnd();
}

}  // namespace

void FlatQuad(float x0, float y0, float x1, float y1, float z) { CornerQuad(GL_QUADS, x0, y0, x1, y1, z); }

void OutlineQuad(float x0, float y0, float x1, float y1, float z) { CornerQuad(GL_LINE_LOOP, x0, y0, x1, y1, z); }

void TexturedQuad(float x0, float y0, float x1, float y1, float z, float texels)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex3f(x0, y0, z);
    glTexCoord2f(texels, 0), glVertex3f(x1, y0, z);
    glTexCoord2f(texels, texels), glVertex3f(x1, y1, z);
    glTexCoord2f(0, texels), glVertex3f(x0, y1, z);
    glEnd();
}

void AlternatingLoop(float x0, float y0, float x1, float y1, float z, const float a[3], const float b[3])
{
    glBegin(GL_LINE_LOOP);
    glColor3fv(a);
    glVertex3f(x0, y0, z);
    glColor3fv(b);
    glVertex3f(x0, y1, z);
    glColor3fv(a);
    glVertex3f(x1, y1, z);
    glColor3fv(b);
    glVertex3f(x1, y0, z);
    glEnd();
}

void ColorSwatchGrid(const uint8_t* r, const uint8_t* g, const uint8_t* b, float left, float top, float z)
{
    glBegin(GL_QUADS);
    for (int row = 0; row < 16; ++row) {
        for (int c = 0; c < 16; ++c) {
            const int e = 16 * row + c;
            glColor3ub(r[e], g[e], b[e]);
            const float x = left + 8.0f * static_cast<float>(c), y = top - 8.0f * static_cast<float>(row);
            glVertex3f(x, y, z);
            glVertex3f(x + 6, y, z);
            glVertex3f(x + 6, y + 6, z);
            glVertex3f(x, y + 6, z);
        }
    }
    glEnd();
}
