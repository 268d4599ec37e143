#include "ui/slider_windows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/skins.h"

namespace {

constexpr float kPi = 3.14159265358979f;

const char* Caption(const char* const* captions, int i)
{
    return captions != nullptr && captions[i] != nullptr ? captions[i] : "";
}

// Stored value of a wheel step by the row's clamp mode; the candidate is
// taken as it is in mode 0.
float ClampByMode(int mode, float candidate, float lo, float hi)
{
    if ((mode & 1) != 0 && candidate < lo) candidate = lo;
    if ((mode & 2) != 0 && candidate > hi) candidate = hi;
    return candidate;
}

}  // namespace

void ThumbwheelWindow::BuildRows(int x, int y, int z, int w, int rowH, int rowCount, const float* rowDefs, int group)
{
    drag.widgetId = NewWidgetId();
    rows = rowCount > 0 ? rowCount : 0;
    valuePerUnit = std::make_unique<float[]>(rows);
    minimum = std::make_unique<float[]>(rows);
    maximum = std::make_unique<float[]>(rows);
    initial = std::make_unique<float[]>(rows);
    clampMin = std::make_unique<uint8_t[]>(rows);
    clampMax = std::make_unique<uint8_t[]>(rows);
    integer = std::make_unique<uint8_t[]>(rows);
    value = std::make_unique<float[]>(rows);
    wheelAngle = std::make_unique<float[]>(rows);
    steps.reset();
    stepCount = 0;

    drag.groupId = group;
    left = static_cast<float>(x);
    bottom = static_cast<float>(y);
    right = static_cast<float>(x + w);
    top = static_cast<float>(y + (rows + 1) * rowH);
    depth = static_cast<float>(z);
    rowHeight = static_cast<float>(rowH);
    halfRow = static_cast<float>(rowH / 2);
    quarterRow = static_cast<float>(rowH / 4);
    width = static_cast<float>(w);
    halfWidth = static_cast<float>(w / 2);
    quarterWidth = static_cast<float>(w / 4);
    visible = 0;

    for (int i = 0; i < rows; ++i) {
        const float* d = rowDefs + 6 * i;
        minimum[i] = d[0];
        maximum[i] = d[1];
        initial[i] = d[2];
        value[i] = d[2];
        clampMin[i] = d[3] != 0.0f ? 1 : 0;
        clampMax[i] = d[4] != 0.0f ? 1 : 0;
        integer[i] = d[5] != 0.0f ? 1 : 0;
        valuePerUnit[i] = StepPerUnit(minimum[i], maximum[i]);
        // A row without a range would start its wheel at an infinite angle.
        wheelAngle[i] = valuePerUnit[i] != 0.0f && std::isfinite(valuePerUnit[i]) ? value[i] / valuePerUnit[i] + left
                                                                                   : 0.0f;
    }
}

float ThumbwheelWindow::StepPerUnit(float low, float high) const
{
    return halfWidth > 0 ? (high - low) * (0.5f / halfWidth) : 0.0f;
}

void ThumbwheelWindow::SetRange(int row, float low, float high)
{
    if (row < 0 || row >= rows) return;
    minimum[row] = low;
    maximum[row] = high;
    valuePerUnit[row] = StepPerUnit(low, high);
}

void ThumbwheelWindow::RecordWindowFrame(const char* const* captions, int textDrop)
{
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    ::RecordFrame(left - 1, bottom - 1, right + 2, top + 1, depth, 0.25f, 0.5f);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    const float t0 = bottom + quarterRow + static_cast<float>(rows) * rowHeight - 4;
    RecordCaptionBar(left, t0, right + 1, t0 + rowHeight, depth, "", 0, 0);
    glDisable(GL_BLEND);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    DrawText(static_cast<int>(left), static_cast<int>(bottom + halfRow + static_cast<float>(rows) * rowHeight - 6),
             Caption(captions, 0), 1);
    titleRight = left + static_cast<float>(TextAdvance(std::strlen(Caption(captions, 0))));
    RecordCaptions(captions, textDrop);
}

void ThumbwheelWindow::RecordCaptions(const char* const* captions, int textDrop)
{
    captionRight = left;
    for (int k = 0; k < rows; ++k) {
        const char* caption = Caption(captions, rows - k);
        DrawText(static_cast<int>(left + quarterRow),
                 static_cast<int>(bottom + halfRow + static_cast<float>(k) * rowHeight - static_cast<float>(textDrop)),
                 caption, 1);
        captionRight = std::max(captionRight, left + quarterRow + static_cast<float>(TextAdvance(std::strlen(caption))));
    }
}

void ThumbwheelWindow::RecordWheel()
{
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0.5f, 0.5f, 0.5f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gSkinTextures[kSkinPanel]);
    const float r = 0.5f * halfWidth, y1 = rowHeight - 2;
    glBegin(GL_QUADS);
    for (int a = 0; a < 360; a += 15) {
        const float a0 = static_cast<float>(a) * kPi / 180, a1 = static_cast<float>(a + 15) * kPi / 180;
        glTexCoord2f(0, 0), glVertex3f(r * std::sin(a0), 2, r * std::cos(a0));
        glTexCoord2f(0, 1), glVertex3f(r * std::sin(a0), y1, r * std::cos(a0));
        glTexCoord2f(1, 1), glVertex3f(r * std::sin(a1), y1, r * std::cos(a1));
        glTexCoord2f(1, 0), glVertex3f(r * std::sin(a1), 2, r * std::cos(a1));
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

int ThumbwheelWindow::SetValueList(int count, const float* stepValues)
{
    stepCount = count > 0 && stepValues != nullptr ? count : 0;
    steps = std::make_unique<float[]>(stepCount);
    if (stepCount > 0) std::memcpy(steps.get(), stepValues, sizeof(float) * stepCount);
    return count;
}

const char* ThumbwheelWindow::FormatValue(int row)
{
    const float v = Value(row);
    if (dashBelowThreshold && v < static_cast<float>(threshold))
        std::snprintf(text, sizeof text, "-");
    else if (integer[row] != 0)
        std::snprintf(text, sizeof text, "%d", CheckedTruncToInt(v));
    else
        std::snprintf(text, sizeof text, "%2.3f", static_cast<double>(v));
    return text;
}

void ThumbwheelWindow::DrawRows(int textX, float wheelX, int count, int textDrop)
{
    if (count > rows) count = rows;
    for (rowCounter = 0; rowCounter < count; ++rowCounter) {
        const int i = rowCounter;
        const float bandBottom = bottom + static_cast<float>(rows - i - 1) * rowHeight;
        DrawText(textX, static_cast<int>(bandBottom + halfRow - static_cast<float>(textDrop)), FormatValue(i), 1);
        glPushMatrix();
        glTranslatef(wheelX, bandBottom, 0);
        glRotatef(wheelAngle[i], 0, 1, 0);
        glCallList(wheelList);
        glPopMatrix();
    }
}

int ThumbwheelWindow::RowAt(int px, int py)
{
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    if (!(left < x && x < right)) return -1;
    for (rowCounter = 0; rowCounter < rows; ++rowCounter) {
        const float b = bottom + static_cast<float>(rowCounter) * rowHeight;
        if (b < y && y < b + rowHeight) return rows - 1 - rowCounter;
    }
    return -1;
}

bool ThumbwheelWindow::Click(int px, int py)
{
    if (visible == 0) return false;
    drag.held = 0;
    const int row = RowAt(px, py);
    if (row < 0) return false;
    drag.Press(px, row);
    return true;
}

void ThumbwheelWindow::StoreClamped(int row, float candidate)
{
    SharedStore(value[row], ClampByMode(ClampMode(row), candidate, minimum[row], maximum[row]));
}

bool ThumbwheelWindow::Wheel(int px, int py, float delta)
{
    if (visible == 0) return false;
    const int row = RowAt(px, py);
    if (row < 0) return false;
    drag.pressX = px;
    drag.heldRow = row;
    wheelAngle[row] += delta > 0 ? -1.0f : 1.0f;
    StoreClamped(row, value[row] - delta);
    return true;
}

bool ThumbwheelWindow::WheelStep(int px, int py, float delta)
{
    if (visible == 0) return false;
    const int row = RowAt(px, py);
    if (row < 0) return false;
    drag.pressX = px;
    drag.heldRow = row;
    // Rows without a step of their own (no list, or a short one) stand still.
    const float step = row < stepCount ? steps[row] : 0.0f;
    wheelAngle[row] += delta > 0 ? -1.0f : 1.0f;
    StoreClamped(row, delta > 0 ? value[row] - step : value[row] + step);
    return true;
}

bool ThumbwheelWindow::Drag(int px)
{
    const int lastX = drag.pressX;
    float change = 0;
    if (visible == 0 || drag.heldRow < 0 || drag.heldRow >= rows ||
        !drag.Travel(px, valuePerUnit[drag.heldRow], false, &change)) {
        drag.pressX = px;
        return false;
    }
    const int row = drag.heldRow;
    const float candidate = value[row] + change;
    const float angle = wheelAngle[row] - static_cast<float>(lastX - px);
    const int mode = ClampMode(row);
    const bool lowClamped = (mode & 1) != 0, highClamped = (mode & 2) != 0;
    if ((lowClamped && candidate == minimum[row]) || (highClamped && candidate == maximum[row])) return false;
    if (lowClamped && candidate < minimum[row]) {
        SharedStore(value[row], minimum[row]);
    } else if (highClamped && candidate > maximum[row]) {
        SharedStore(value[row], maximum[row]);
    } else {
        SharedStore(value[row], candidate);
        wheelAngle[row] = wholeDegreeDrags ? std::trunc(angle) : angle;
    }
    return true;
}

void SLWindow::Build(const int& x, const int& y, const int& z, const int& w, const int& rowH, const int& rowCount,
                     const char* const* captions, const float* rowDefs, const int& group)
{
    BuildRows(x, y, z, w, rowH, rowCount, rowDefs, group);
    secondFlag = 0;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    RecordWindowFrame(captions, 8);
    glEndList();

    captionsList = glGenLists(1);
    glNewList(captionsList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    RecordCaptions(captions, 8);
    glEndList();

    wheelList = glGenLists(1);
    glNewList(wheelList, GL_COMPILE);
    RecordWheel();
    glEndList();

    rowFrameList = glGenLists(1);
    glNewList(rowFrameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    static const float kDark[3] = {0.25f, 0.25f, 0.25f}, kLight[3] = {0.75f, 0.75f, 0.75f};
    AlternatingLoop(left - 2, bottom - 2, right + 2, bottom + rowHeight + 2, depth, kDark, kLight);
    glEnable(GL_DEPTH_TEST);
    glEndList();
}

void SLWindow::Draw()
{
    if (visible == 0) return;
    glCallList(frameList);
    DrawRows(static_cast<int>(left + 0.35 * halfWidth), left + 1.5f * halfWidth, rows, 8);
}

void SLWindow::DrawAt(int xOffset, int rowCount)
{
    if (visible == 0) return;
    glCallList(captionsList);
    DrawRows(static_cast<int>(static_cast<float>(xOffset) + left), left + 1.5f * halfWidth, rowCount, 8);
}

void SLWindow::DrawAtOffset(int xOffset)
{
    if (visible == 0) return;
    glCallList(frameList);
    DrawRows(static_cast<int>(static_cast<float>(xOffset) + left), left + halfWidth + quarterWidth, rows, 8);
}

void SLWindow::DrawFrameAndRows(int xOffset, int rowCount)
{
    if (visible == 0) return;
    glCallList(frameList);
    DrawRows(static_cast<int>(static_cast<float>(xOffset) + left), left + halfWidth + quarterWidth, rowCount, 8);
}

void SLWindow::DrawWithLayers(uint8_t showCaptions, int xOffset, uint8_t showRowFrame)
{
    if (visible == 0) return;
    if (showCaptions != 0) glCallList(captionsList);
    if (showRowFrame != 0) glCallList(rowFrameList);
    DrawRows(static_cast<int>(static_cast<float>(xOffset) + left), left + 1.5f * halfWidth, rows, 8);
}

void STWindow::Build(const int& x, const int& y, const int& z, const int& w, const int& rowH, const int& rowCount,
                     const char* const* captions, const float* rowDefs, const int& group)
{
    BuildRows(x, y, z, w, rowH, rowCount, rowDefs, group);

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    RecordWindowFrame(captions, 6);
    glEndList();

    // Its own black backing, so the captions can be drawn over anything; it
    // stops 12 units below the top and leaves the title band uncovered.
    captionsList = glGenLists(1);
    glNewList(captionsList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(left - 1, bottom - 1, right + 2, top - 12, depth);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    RecordCaptions(captions, 6);
    glEndList();

    wheelList = glGenLists(1);
    glNewList(wheelList, GL_COMPILE);
    RecordWheel();
    glEndList();
}

void STWindow::Draw(int xOffset)
{
    if (visible == 0) return;
    glCallList(frameList);
    DrawRows(static_cast<int>(static_cast<float>(xOffset) + left), left + halfWidth + quarterWidth, rows, 6);
}

void SliderWindow::Build(const int& x, const int& y, const int& z, const int& w, const int& rowH, const int& rowCount,
                         const char* const* captions, const float* rowDefs, const int& group,
                         const int& belowShowsDash)
{
    BuildRows(x, y, z, w, rowH, rowCount, rowDefs, group);
    dashBelowThreshold = true;
    threshold = belowShowsDash;
    wholeDegreeDrags = true;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    RecordWindowFrame(captions, 8);
    glEndList();

    wheelList = glGenLists(1);
    glNewList(wheelList, GL_COMPILE);
    RecordWheel();
    glEndList();
}

void SliderWindow::Draw(const int& xOffset)
{
    if (visible == 0) return;
    glCallList(frameList);
    DrawRows(static_cast<int>(static_cast<float>(xOffset) + left), left + halfWidth + quarterWidth, rows, 8);
}
