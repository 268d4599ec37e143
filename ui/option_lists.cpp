#include "ui/option_lists.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"

namespace {

const float kBlack[3] = {0, 0, 0};
const float kGrey0125[3] = {0.125f, 0.125f, 0.125f};
const float kGrey025[3] = {0.25f, 0.25f, 0.25f};
const float kGrey05[3] = {0.5f, 0.5f, 0.5f};
const float kWhite[3] = {1, 1, 1};

// A quad whose corners alternate colours a and b counter-clockwise from the
// lower left.
void ShadedQuad(float x0, float y0, float x1, float y1, float z, const float a[3], const float b[3])
{
    glBegin(GL_QUADS);
    glColor3fv(a), glVertex3f(x0, y0, z);
    glColor3fv(b), glVertex3f(x1, y0, z);
    glColor3fv(a), glVertex3f(x1, y1, z);
    glColor3fv(b), glVertex3f(x0, y1, z);
    glEnd();
}

// The check box of band i: a dark shaded square with a light rim.
void RecordBoxes(float left, float bottom, float rowHeight, int count, float z)
{
    const float q = 0.25f * rowHeight, s = rowHeight - q;
    for (int i = 0; i < count; ++i) {
        const float y = bottom + static_cast<float>(i) * rowHeight;
        ShadedQuad(left + q, y + q, left + s, y + s, z + 5, kBlack, kGrey0125);
        AlternatingLoop(left + q, y + q, left + s, y + s, z + 5, kGrey025, kGrey05);
    }
}

// The light mark at the origin, placed on a row by a translation.
unsigned RecordMark(float rowHeight, float z)
{
    const float q = 0.25f * rowHeight, s = rowHeight - q;
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    ShadedQuad(q, q, s, s, z + 5, kGrey025, kWhite);
    AlternatingLoop(q, q, s, s, z + 5, kBlack, kGrey0125);
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEndList();
    return list;
}

void RecordCaptionBand(float left, float right, float bottom, float rowHeight, int count, float z)
{
    const float t0 = bottom + static_cast<float>(static_cast<int>(rowHeight) / 4) + static_cast<float>(count) * rowHeight - 6;
    RecordCaptionBar(left, t0, right, t0 + rowHeight, z, "", 0, 0);
    glEnable(GL_BLEND);
}

// Where the texts of a captioned widget end: its caption from the left edge,
// its row labels from one row height in.
float TextsRight(float left, float rowHeight, const char* caption, int count, const char* const* labels)
{
    float right = left + TextInkEnd(caption, 1);
    for (int i = 0; labels != nullptr && i < count; ++i)
        if (labels[i] != nullptr) right = std::max(right, left + rowHeight + TextInkEnd(labels[i], 1));
    return right;
}

void RecordLabels(float left, float bottom, float rowHeight, int count, const char* const* labels)
{
    const int half = static_cast<int>(rowHeight) / 2;
    for (int i = 0; i < count; ++i) {
        const char* label = labels != nullptr ? labels[count - 1 - i] : nullptr;
        DrawText(static_cast<int>(rowHeight + left),
                 static_cast<int>(static_cast<float>(half) + bottom + static_cast<float>(i) * rowHeight - 8),
                 label != nullptr ? label : "", 1);
    }
}

// Rows scanned from the top down, so that on the line between two rows the
// upper one is taken; -1 when the press is outside the box column.
int BandAt(float left, float bottom, float rowHeight, int count, int px, int py)
{
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    if (!(left <= x && x <= left + rowHeight)) return -1;
    for (int i = count - 1; i >= 0; --i) {
        const float b = bottom + static_cast<float>(i) * rowHeight;
        if (b <= y && y <= b + rowHeight) return i;
    }
    return -1;
}

// The frame of a captioned list: black ground, shaded rows, the outline
// from loopStart to grey, the boxes and the caption band (in either order,
// as each look recorded them), with the GL state left as the looks expect.
void RecordCaptionedFrame(float left, float bottom, float right, float top, float rowHeight, int count, float depth,
                          const float loopStart[3], bool boxesFirst)
{
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(left, bottom, right, top, depth);
    glEnable(GL_BLEND);
    ShadedQuad(left, bottom, right, top - rowHeight, depth, kBlack, kGrey0125);
    AlternatingLoop(left, bottom, right, top, depth, loopStart, kGrey025);
    if (boxesFirst) RecordBoxes(left, bottom, rowHeight, count, depth);
    RecordCaptionBand(left, right, bottom, rowHeight, count, depth);
    if (!boxesFirst) RecordBoxes(left, bottom, rowHeight, count, depth);
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace

void ListBox::Build(const int& x, const int& y, const int& z, const int& width, const int& rowH, const int& rowCount,
                    const char* caption, const char* const* options)
{
    rowHeight = static_cast<float>(rowH);
    count = rowCount > 0 ? rowCount : 0;
    left = static_cast<float>(x);
    bottom = static_cast<float>(y);
    right = static_cast<float>(x + width);
    top = static_cast<float>(y + (count + 1) * rowH);
    depth = static_cast<float>(z);
    spare = 0;
    textRight = TextsRight(left, rowHeight, caption, count, options);

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    RecordCaptionedFrame(left, bottom, right, top, rowHeight, count, depth, kBlack, true);
    DrawText(static_cast<int>(left),
             static_cast<int>(static_cast<float>(rowH / 2) + bottom + static_cast<float>(count) * rowHeight - 6),
             caption != nullptr ? caption : "", 1);
    RecordLabels(left, bottom, rowHeight, count, options);
    glEndList();

    markList = RecordMark(rowHeight, depth);
}

void ListBox::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    glPushMatrix();
    glTranslatef(left, bottom + static_cast<float>(SharedLoad(selected)) * rowHeight, 0);
    glCallList(markList);
    glPopMatrix();
}

bool ListBox::Click(const int& px, const int& py)
{
    if (visible == 0) return false;
    previous = selected;
    const int band = BandAt(left, bottom, rowHeight, count, px, py);
    if (band < 0) return false;
    SharedStore(selected, band);
    selectedFromTop = count - 1 - band;
    return true;
}

void OptionsBox::Build(const int& x, const int& y, const int& z, const int& width, const int& rowH,
                       const int& rowCount, const char* caption, const char* const* labels)
{
    for (uint8_t& f : flags) SharedStore(f, uint8_t{0});
    changed = 0;
    count = rowCount > 0 ? rowCount : 0;
    if (count > kOptionsBoxMaxRows) {
        std::fprintf(stderr, "check group \"%s\": %d rows asked, %d kept\n", caption != nullptr ? caption : "", count,
                     kOptionsBoxMaxRows);
        count = kOptionsBoxMaxRows;
    }
    rowHeight = static_cast<float>(rowH);
    left = static_cast<float>(x);
    bottom = static_cast<float>(y);
    right = static_cast<float>(x + width);
    top = static_cast<float>(y + (count + 1) * rowH);
    rowsTop = static_cast<float>(y + count * rowH);
    depth = static_cast<float>(z);
    if (caption == nullptr) caption = "";
    // One row shows its caption as the row's label.
    textRight = count == 1 ? left + rowHeight + TextInkEnd(caption, 1) : TextsRight(left, rowHeight, caption, count, labels);

    if (count > 1) {
        captionedList = glGenLists(1);
        glNewList(captionedList, GL_COMPILE);
        RecordCaptionedFrame(left, bottom, right, top, rowHeight, count, depth, kGrey0125, false);
        DrawText(static_cast<int>(left),
                 static_cast<int>(static_cast<float>(rowH / 2) + bottom + static_cast<float>(count) * rowHeight - 8),
                 caption, 1);
        RecordLabels(left, bottom, rowHeight, count, labels);
        glEndList();
    }

    markList = RecordMark(rowHeight, depth);

    plainList = glGenLists(1);
    glNewList(plainList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(left, bottom, right, rowsTop, depth);
    glEnable(GL_BLEND);
    ShadedQuad(left, bottom, right, rowsTop, depth, kBlack, kGrey0125);
    AlternatingLoop(left, bottom, right, rowsTop, depth, kGrey0125, kGrey025);
    RecordBoxes(left, bottom, rowHeight, count, depth);
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    if (count == 1)
        DrawText(static_cast<int>(rowHeight + left), static_cast<int>(static_cast<float>(rowH / 2) + bottom - 8),
                 caption, 1);
    else
        RecordLabels(left, bottom, rowHeight, count, labels);
    glEndList();
}

void OptionsBox::DrawMarks() const
{
    for (int i = 0; i < count; ++i) {
        if (!Flag(i)) continue;
        glPushMatrix();
        glTranslatef(left, bottom + static_cast<float>(i) * rowHeight, 0);
        glCallList(markList);
        glPopMatrix();
    }
}

void OptionsBox::Draw() const
{
    if (visible == 0) return;
    glCallList(plainList);
    DrawMarks();
}

void OptionsBox::DrawBase() const
{
    if (visible == 0) return;
    if (captionedList != 0) glCallList(captionedList);
    DrawMarks();
}

bool OptionsBox::Click(const int& px, const int& py)
{
    changed = 0;
    if (visible == 0) return false;
    // On the line between two rows only the upper one toggles (the one last
    // row names): one click flipping two independent settings is a slip.
    const int band = BandAt(left, bottom, rowHeight, count, px, py);
    if (band < 0) return false;
    lastRow = band;
    changed = 1;
    SharedStore(flags[band], static_cast<uint8_t>(flags[band] != 0 ? 0 : 1));
    return true;
}

void HListBox::Build(const int& x, const int& y, const int& zValue, const int& width, const int& cellSize,
                     const int& count, const char* caption, const char* const* items, const bool& captionAboveCells)
{
    cell = static_cast<float>(cellSize);
    captionAbove = captionAboveCells;
    optionCount = count > 0 ? count : 0;
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = x0 + static_cast<float>(width);
    y1 = y0 + 2 * cell;
    z = static_cast<float>(zValue);
    const float c = cell, q = 0.25f * c, p = 0.75f * c;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(x0, y0, x1, y1, z);
    glEnable(GL_BLEND);
    AlternatingLoop(x0, y0, x1, y1, z, kBlack, kGrey025);
    for (int i = 0; i < optionCount; ++i) {
        const float cx = x0 + static_cast<float>(i) * c;
        ShadedQuad(cx + q, y1 - p, cx + p, y1 - q, z + 5, kBlack, kGrey0125);
        AlternatingLoop(cx + q, y1 - p, cx + p, y1 - q, z + 5, kGrey025, kGrey05);
    }
    if (captionAbove)
        RecordCaptionBar(x0, y0 + 2 * c, x1, y0 + 3 * c, z, "", 0, 0);
    else
        RecordCaptionBar(x0, y0 - c, x1, y0, z, "", 0, 0);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    DrawText(static_cast<int>(x0), static_cast<int>(captionAbove ? y0 - 0.9f * c + 3 * c : y0 - c + 4),
             caption != nullptr ? caption : "", 1);
    for (int i = 0; i < optionCount; ++i) {
        const char* label = items != nullptr ? items[optionCount - 1 - i] : nullptr;
        DrawText(static_cast<int>(x0 + static_cast<float>(cellSize / 2) + c * static_cast<float>(i) - 10),
                 static_cast<int>(y1 - 1.8f * c), label != nullptr ? label : "", 1);
    }
    glEndList();

    markList = RecordMark(cell, z);
}

void HListBox::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    glPushMatrix();
    glTranslatef(x0 + static_cast<float>(SharedLoad(selected)) * cell, y0 + cell, 0);
    glCallList(markList);
    glPopMatrix();
}

bool HListBox::Click(const int& px, const int& py)
{
    if (visible == 0) return false;
    previous = selected;
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    if (y < y0 + cell || y > y0 + 2 * cell) return false;
    bool hit = false;
    for (int i = 0; i < optionCount; ++i) {
        const float left = x0 + static_cast<float>(i) * cell;
        if (left <= x && x <= left + cell) {
            SharedStore(selected, i);
            hit = true;
        }
    }
    return hit;
}
