#include "ui/text_boxes.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/widget.h"

namespace {

// The sunken look of plates and fields: a black quad, a dim shaded quad
// blended over it and a light rim.
void RecordSunkenPlate(float x0, float y0, float x1, float y1, float z)
{
    glColor3f(0, 0, 0);
    FlatQuad(x0, y0, x1, y1, z);
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    glColor3f(0.125f, 0.125f, 0.125f), glVertex3f(x0, y0, z);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(x1, y0, z);
    glColor3f(0.125f, 0.125f, 0.125f), glVertex3f(x1, y1, z);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(x0, y1, z);
    glEnd();
    static const float kDark[3] = {0.25f, 0.25f, 0.25f}, kLight[3] = {0.5f, 0.5f, 0.5f};
    AlternatingLoop(x0, y0, x1, y1, z, kDark, kLight);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

constexpr float kInputBoxRect[4] = {10, 42, 170, 58};

}  // namespace

void TextBox::Build(const int& x, const int& y, const int& z, const int& w, const int& height, const char* placeholder)
{
    SetNumber(0);
    width = w;
    left = static_cast<float>(x);
    bottom = static_cast<float>(y);
    right = static_cast<float>(x + w);
    top = static_cast<float>(y + height);
    depth = static_cast<float>(z);
    spare = 0;
    if (placeholder == nullptr) placeholder = "";
    const double length = static_cast<double>(std::strlen(placeholder));
    textX = static_cast<int>(std::trunc((w * 0.5 + left - 4.0) - 8.0 * length * 0.5));
    textY = static_cast<int>(std::trunc(static_cast<float>(height / 2) + bottom - 6));

    const float c = 0.25f * static_cast<float>(height);
    octagonList = glGenLists(1);
    glNewList(octagonList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(left, bottom, right, top, depth);
    const float corners[8][2] = {{left, bottom + c},  {left, top - c},     {left + c, top},     {right - c, top},
                                 {right, top - c},    {right, bottom + c}, {right - c, bottom}, {left + c, bottom}};
    glBegin(GL_TRIANGLE_FAN);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(left + c, top - c, depth);
    glColor3f(0, 0, 0);
    for (const auto& p : corners) glVertex3f(p[0], p[1], depth);
    glVertex3f(corners[0][0], corners[0][1], depth);
    glEnd();
    glColor3f(0.25f, 0.25f, 0.25f);
    glBegin(GL_LINE_LOOP);
    for (const auto& p : corners) glVertex3f(p[0], p[1], depth);
    glEnd();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    DrawText(textX, textY, placeholder, 1);
    glEndList();

    plainList = glGenLists(1);
    glNewList(plainList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(left, bottom, right, top, depth);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    DrawText(textX, textY, placeholder, 0);
    glEndList();

    framedList = glGenLists(1);
    glNewList(framedList, GL_COMPILE);
    glPushMatrix();
    RecordSunkenPlate(left, bottom, right, top, depth);
    glPopMatrix();
    glEndList();
}

void TextBox::SetNumber(int n)
{
    std::memset(text, 0, sizeof text);
    std::snprintf(text, sizeof text, "%d", n);
}

void TextBox::SetText(const char* s)
{
    std::snprintf(text, sizeof text, "%s", s != nullptr ? s : "");
}

void TextBox::Draw() const
{
    if (visible == 0) return;
    glCallList(plainList);
    DrawText(textX, textY, text, 1);
}

void InputBox::Build()
{
    x0 = kInputBoxRect[0];
    y0 = kInputBoxRect[1];
    x1 = kInputBoxRect[2];
    y1 = kInputBoxRect[3];
    visible = 0;
    z = kWidgetDepth;

    fieldList = glGenLists(1);
    glNewList(fieldList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(0, 0, x1 - x0, y1 - y0, z);
    glColor3f(0.5f, 0.5f, 0.5f);
    OutlineQuad(0, 0, x1 - x0, y1 - y0, z);
    glEnable(GL_DEPTH_TEST);
    glEndList();

    boxList = glGenLists(1);
    glNewList(boxList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    RecordSunkenPlate(x0, y0, x1, y1, z);
    glEndList();
}
