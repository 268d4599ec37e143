#include "ui/widget.h"

#include "engine/random.h"
#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"

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
    FlatQuad(x0, y0, x1, y1, z);
    glEnable(GL_BLEND);
    const float a[3] = {greyA, greyA, greyA}, b[3] = {greyB, greyB, greyB};
    AlternatingLoop(x0, y0, x1, y1, z, a, b);
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
    static const float kDark[3] = {0.25f, 0.25f, 0.25f}, kLight[3] = {0.75f, 0.75f, 0.75f};
    AlternatingLoop(x0, y0, x1, y1, z, kDark, kLight);
    if (caption != nullptr && caption[0] != '\0') DrawText(textX, textY, caption, 1);
}
