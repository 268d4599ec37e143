#include "ui/texture_box.h"

#include "platform/desktop/gl_api.h"
#include "ui/gl_shapes.h"

void TextureBox::SetLayout(const int& x, const int& y, const int& zValue, const int& width, const int& h,
                           const unsigned& textureName)
{
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = static_cast<float>(x + width);
    y1 = static_cast<float>(y + h);
    height = static_cast<float>(h);
    z = static_cast<float>(zValue);
    const float c = height / 16, s = height / 12;
    left = x0;
    leftIn = x0 + c;
    rightIn = x1 - c;
    right = x1;
    swatchLeft = x0 + s;
    swatchRight = x1 - s;
    bottomIn = y0 + c;
    topIn = y1 - c;
    top = y1;
    bottom = y0;
    swatchBottom = y0 + s;
    swatchTop = y1 - s;
    texture = textureName;
    hit = 0;
}

void TextureBox::Draw() const
{
    if (visible == 0) return;
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0.25f, 0.25f, 0.25f);
    glBegin(GL_LINE_LOOP);
    glVertex3f(left, bottomIn, z), glVertex3f(left, topIn, z), glVertex3f(leftIn, top, z);
    glVertex3f(rightIn, top, z), glVertex3f(right, topIn, z), glVertex3f(right, bottomIn, z);
    glVertex3f(rightIn, bottom, z), glVertex3f(leftIn, bottom, z);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1, 0, 0);
    TexturedQuad(swatchLeft, swatchBottom, swatchRight, swatchTop, 50);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}

bool TextureBox::Click(const int& x, const int& y)
{
    hit = 0;
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    if (visible == 0 || !(x0 <= px && px <= x1 && y0 <= py && py <= y1)) return false;
    hit = 1;
    return true;
}
