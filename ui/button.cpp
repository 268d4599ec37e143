#include "ui/button.h"

#include <cmath>
#include <cstring>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/skins.h"
#include "ui/widget.h"

namespace {

void RecordLook(int width, int height, float z, const char* caption, int textX, int textY, unsigned skin, bool outline)
{
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    const float e = static_cast<float>(Button::EndWidth(width));
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    DrawText(textX, textY, caption, 1);

    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, skin);
    // The outer eighths of the skin cover the ends; the middle stretches.
    glBegin(GL_QUAD_STRIP);
    glTexCoord2f(0, 0), glVertex3f(0, 0, z);
    glTexCoord2f(0, 1), glVertex3f(0, h, z);
    glTexCoord2f(0.125f, 0), glVertex3f(e, 0, z);
    glTexCoord2f(0.125f, 1), glVertex3f(e, h, z);
    glTexCoord2f(0.875f, 0), glVertex3f(w - e, 0, z);
    glTexCoord2f(0.875f, 1), glVertex3f(w - e, h, z);
    glTexCoord2f(1, 0), glVertex3f(w, 0, z);
    glTexCoord2f(1, 1), glVertex3f(w, h, z);
    glEnd();

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    if (!outline) {
        glEnable(GL_DEPTH_TEST);
        return;
    }
    glColor3f(0.25f, 0, 0);
    glBegin(GL_LINE_LOOP);
    glVertex3f(0, 0, z);
    glVertex3f(e, h, z);
    glVertex3f(w + 1, h, z);
    glVertex3f(w + 1 - e, 0, z);
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

}  // namespace

int Button::CaptionX(int width, int length)
{
    return static_cast<int>(std::trunc((width * 0.5 - 4.0) - 8.0 * length * 0.5));
}

void Button::Place(int x, int y, int z, int width, int height, const char* caption, int tagValue, int refRight,
                   int refTop, bool outline)
{
    margins[0] = refRight - x;
    margins[1] = refTop - y;
    localRect[0] = 0;
    localRect[1] = 0;
    localRect[2] = static_cast<float>(width);
    localRect[3] = static_cast<float>(height);
    rect[0] = x;
    rect[1] = y;
    rect[2] = x + width;
    rect[3] = y + height;
    std::memcpy(rectCopy, rect, sizeof rect);
    tag = tagValue;
    pressed = 0;
    RecordLooks(width, height, z, caption, outline);
}

void Button::Build(const int& x, const int& y, const int& z, const int& width, const int& height, const char* caption,
                   const int& tagValue, const int& refRight, const int& refTop)
{
    Place(x, y, z, width, height, caption, tagValue, refRight, refTop, true);
}

void Button::RecordLooks(int width, int height, int z, const char* caption, bool outline)
{
    if (caption == nullptr) caption = "";
    const int length = static_cast<int>(std::strlen(caption));
    const int textX = CaptionX(width, length);
    const int textY = CaptionY(height);
    // A second Build replaces the looks instead of leaking the old lists.
    if (normalList != 0) glDeleteLists(normalList, 1);
    if (pressedList != 0) glDeleteLists(pressedList, 1);
    normalList = glGenLists(1);
    glNewList(normalList, GL_COMPILE);
    RecordLook(width, height, static_cast<float>(z), caption, textX, textY, gSkinTextures[kSkinButtonFace], outline);
    glEndList();
    // Pressed: the caption one unit right and one lower, the darker skin.
    pressedList = glGenLists(1);
    glNewList(pressedList, GL_COMPILE);
    RecordLook(width, height, static_cast<float>(z), caption, textX + 1, textY - 1, gSkinTextures[kSkinButtonPressed],
               outline);
    glEndList();
}

void Button::Draw() const
{
    if (visible == 0) return;
    glPushMatrix();
    glTranslatef(static_cast<float>(rect[0]), static_cast<float>(rect[1]), 0.0f);
    glCallList(pressed != 0 ? pressedList : normalList);
    glPopMatrix();
}

bool Button::Click(const int& px, const int& py)
{
    if (visible != 0 && HitInclusive(px, py, rect[0], rect[1], rect[2], rect[3])) pressed = 1;
    return pressed != 0;
}

void ButtonXY::Build(const int& x, const int& y, const int& z, const int& width, const int& height, const char* caption,
                     const int& tagValue)
{
    Place(x, y, z, width, height, caption, tagValue, 1600, 1000, false);
}

void ButtonXY::Draw(const int& x, const int& y) const
{
    if (visible == 0) return;
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    glCallList(pressed != 0 ? pressedList : normalList);
    glPopMatrix();
}

bool ButtonXY::Click(const int& px, const int& py, const int& x, const int& y)
{
    const int w = static_cast<int>(localRect[2]), h = static_cast<int>(localRect[3]);
    if (visible != 0 && HitInclusive(px, py, x, y, x + w, y + h)) pressed = 1;
    return pressed != 0;
}
