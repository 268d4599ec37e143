#include "ui/progress_box.h"

#include "platform/desktop/gl_api.h"
#include "ui/widget.h"

void SliderBox::Build(const int& x, const int& y, const int& zValue, const int& width, const int& height)
{
    SharedStore(value, 0);
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = static_cast<float>(x + width);
    y1 = static_cast<float>(y + height);
    z = static_cast<float>(zValue);
    halfWidth = static_cast<float>(width / 2);
    corner = static_cast<float>(height) * 0.25f;
    centreX = x0 + halfWidth;
    centreY = y0 + static_cast<float>(height / 2);
    built = 1;

    // The frame 2 units outside the box, its corners cut.
    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0.25f, 0.25f, 0.25f);
    const float l = x0 - 2, b = y0 - 2, r = x1 + 2, t = y1 + 2, c = corner;
    glBegin(GL_LINE_LOOP);
    glVertex3f(l, b + c, z), glVertex3f(l, t - c, z), glVertex3f(l + c, t, z), glVertex3f(r - c, t, z);
    glVertex3f(r, t - c, z), glVertex3f(r, b + c, z), glVertex3f(r - c, b, z), glVertex3f(l + c, b, z);
    glEnd();
    glEndList();

    scaleList = glGenLists(1);
    glNewList(scaleList, GL_COMPILE);
    glEnable(GL_BLEND);
    const float h = static_cast<float>(height);
    glBegin(GL_LINES);
    for (int i = 0; i <= 100; i += 10) {
        glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(x0 + static_cast<float>(i), y0, z + 10);
        glColor3f(0.75f, 0.75f, 0.75f), glVertex3f(x0 + static_cast<float>(i), y0 + h / 2, z + 10);
    }
    glColor3f(0.5f, 0.5f, 0.5f), glVertex3f(x0 + 50, y0, z + 10);
    glColor3f(0.75f, 0.75f, 0.75f), glVertex3f(x0 + 50, y0 + 0.75f * h, z + 10);
    glEnd();
    glDisable(GL_BLEND);
    glEndList();
}

void SliderBox::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    glDisable(GL_DEPTH_TEST);
    const float end = x0 + static_cast<float>(SharedLoad(value));
    glBegin(GL_QUAD_STRIP);
    glColor3f(0, 0, 0), glVertex3f(x0, y0, z), glVertex3f(end, y0, z);
    glColor3f(0.75f, 0.75f, 0.75f), glVertex3f(x0, centreY, z), glVertex3f(end, centreY, z);
    glColor3f(0, 0, 0), glVertex3f(x0, y1, z), glVertex3f(end, y1, z);
    glEnd();
    glCallList(scaleList);
    glEnable(GL_DEPTH_TEST);
}

bool SliderBox::SetValue(const float& v)
{
    SharedStore(value, CheckedTruncToInt(v));
    return true;
}
