#include "ui/thumb_wheel.h"

#include <cmath>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/skins.h"
#include "ui/widget.h"

void YSlider::Build(const int& x, const int& y, const int& zValue, const int& width, const int& height, const int&,
                    const float&, const char* caption)
{
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = x0 + static_cast<float>(width);
    y1 = y0 + static_cast<float>(height);
    z = static_cast<float>(zValue);
    SharedStore(value, 1.0f);
    step = 0.005f;
    held = 0;
    knobRadius = static_cast<float>(width / 2);
    knobX = x0 + static_cast<float>(width / 2);
    lastChange = 1.0f;
    const float m = static_cast<float>(height) * 0.25f;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(x0 - m, y0 - 1, x1 + m + 32, y1 + 17, z);
    glEnable(GL_BLEND);
    static const float kDark[3] = {0.25f, 0.25f, 0.25f}, kLight[3] = {0.5f, 0.5f, 0.5f};
    AlternatingLoop(x0, y0, x1, y1, z, kDark, kLight);
    DrawText(static_cast<int>(x0), static_cast<int>(y1), caption != nullptr ? caption : "", 1);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEndList();

    // Upright cylinder about the y axis at the origin; Draw places it.
    knobList = glGenLists(1);
    glNewList(knobList, GL_COMPILE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gSkinTextures[kSkinPanel]);
    glBegin(GL_QUADS);
    constexpr float kDegree = 3.14159265358979f / 180;
    for (int a = 0; a < 360; a += 15) {
        const float a0 = static_cast<float>(a) * kDegree, a1 = static_cast<float>(a + 15) * kDegree;
        glTexCoord2f(0, 0), glVertex3f(knobRadius * std::sin(a0), y0, knobRadius * std::cos(a0));
        glTexCoord2f(1, 0), glVertex3f(knobRadius * std::sin(a1), y0, knobRadius * std::cos(a1));
        glTexCoord2f(1, 1), glVertex3f(knobRadius * std::sin(a1), y1, knobRadius * std::cos(a1));
        glTexCoord2f(0, 1), glVertex3f(knobRadius * std::sin(a0), y1, knobRadius * std::cos(a0));
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEndList();
}

float YSlider::Value() const { return SharedLoad(value); }

void YSlider::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    glPushMatrix();
    glTranslatef(knobX, 0, 0);
    glRotatef(Value() * 360.0f, 0, 1, 0);
    glCallList(knobList);
    glPopMatrix();
}

void YSlider::Click(const int& xi, const int& yi)
{
    if (visible == 0) return;
    held = 0;
    const float x = static_cast<float>(xi), y = static_cast<float>(yi);
    if (y0 < y && y < y1 && x0 < x && x < x1) {
        pressX = x;
        held = 1;
    }
}

bool YSlider::Drag()
{
    if (visible == 0 || held == 0) {
        held = 0;
        return false;
    }
    const float pointer = static_cast<float>(gPointerX);
    const float change = (pointer - pressX) * step;
    lastChange = change;
    SharedStore(value, value + change);
    pressX = pointer;
    return true;
}

bool YSlider::Wheel(int xi, int yi, float delta)
{
    const float x = static_cast<float>(xi), y = static_cast<float>(yi);
    if (visible == 0 || !(y0 < y && y < y1 && x0 < x && x < x1)) return false;
    SharedStore(value, value - delta * step);
    return true;
}
