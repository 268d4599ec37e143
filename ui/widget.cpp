#include "ui/widget.h"

#include "engine/random.h"
#include "platform/gl_api.h"
#include "ui/font.h"

int gDragGroup = 0;
int gDragWidgetId = 0;
float gControlSensitivity = 1.0f;
int gPointerX = 0;

int NewWidgetId() { return static_cast<int>(RandomStep(gGlobalRandomB)); }

void DragState::Press(int x, int row)
{
    pressX = x;
    gDragGroup = groupId;
    gDragWidgetId = widgetId;
    held = 1;
    heldRow = row;
}

bool DragState::Travel(int currentX, float step, bool reversed, float* change)
{
    if (held == 0 || gDragWidgetId != widgetId) {
        held = 0;
        return false;
    }
    const int travel = reversed ? pressX - currentX : currentX - pressX;
    *change = static_cast<float>(travel) * step * gControlSensitivity;
    pressX = currentX;
    return true;
}

void RecordFrame(float x0, float y0, float x1, float y1, float z, float greyA, float greyB)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    glBegin(GL_QUADS);
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
    glEnd();
    glEnable(GL_BLEND);
    glBegin(GL_LINE_LOOP);
    glColor3f(greyA, greyA, greyA);
    glVertex3f(x0, y0, z);
    glColor3f(greyB, greyB, greyB);
    glVertex3f(x0, y1, z);
    glColor3f(greyA, greyA, greyA);
    glVertex3f(x1, y1, z);
    glColor3f(greyB, greyB, greyB);
    glVertex3f(x1, y0, z);
    glEnd();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void RecordCaptionBar(float x0, float y0, float x1, float y1, float z, const char* caption, int textX, int textY)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glBegin(GL_QUADS);
    glColor3f(0, 0, 0);
    glVertex3f(x0, y0, z);
    glColor3f(0.45f, 0.025f, 0.025f);
    glVertex3f(x1, y0, z);
    glColor3f(0, 0, 0);
    glVertex3f(x1, y1, z);
    glColor3f(0.45f, 0.025f, 0.025f);
    glVertex3f(x0, y1, z);
    glEnd();
    glEnable(GL_BLEND);
    glBegin(GL_LINE_LOOP);
    glColor3f(0.25f, 0.25f, 0.25f);
    glVertex3f(x0, y0, z);
    glColor3f(0.75f, 0.75f, 0.75f);
    glVertex3f(x1, y0, z);
    glColor3f(0.25f, 0.25f, 0.25f);
    glVertex3f(x1, y1, z);
    glColor3f(0.75f, 0.75f, 0.75f);
    glVertex3f(x0, y1, z);
    glEnd();
    DrawText(textX, textY, caption, 1);
}
