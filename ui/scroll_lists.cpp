#include "ui/scroll_lists.h"

#include <algorithm>
#include <cmath>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/skins.h"
#include "ui/widget.h"

namespace {

constexpr float kPi = 3.14159265358979f;
const float kGrey025[3] = {0.25f, 0.25f, 0.25f};
const float kGrey05[3] = {0.5f, 0.5f, 0.5f};
const float kGrey075[3] = {0.75f, 0.75f, 0.75f};
const float kGrey0125[3] = {0.125f, 0.125f, 0.125f};
const float kBlack[3] = {0, 0, 0};

// An arrow: a filled triangle whose corners are dim and whose apex carries
// the arrow's colour, and its outline.
unsigned RecordArrow(float ax, float ay, float bx, float by, float tipX, float tipY, float z, const float cornerA[3],
                     const float cornerB[3], const float tip[3], const float rim[3], const float rimTip[3])
{
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_TRIANGLE_FAN);
    glColor3fv(cornerA), glVertex3f(ax, ay, z);
    glColor3fv(cornerB), glVertex3f(bx, by, z);
    glColor3fv(tip), glVertex3f(tipX, tipY, z);
    glEnd();
    glBegin(GL_LINE_LOOP);
    glColor3fv(rim), glVertex3f(ax, ay, z);
    glVertex3f(bx, by, z);
    glColor3fv(rimTip), glVertex3f(tipX, tipY, z);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glEndList();
    return list;
}

// Up and down arrows in a normal and a pressed look: lists up pressed, down
// pressed, up, down.
void RecordArrowPair(unsigned lists[4], float centreX, float half, float upBase, float upTip, float downBase,
                     float downTip, float z)
{
    static const float kDarkRed[3] = {0.5f, 0, 0}, kDarkBlue[3] = {0, 0, 0.5f};
    static const float kRed[3] = {1, 0, 0}, kBlue[3] = {0, 0, 1};
    lists[0] = RecordArrow(centreX - half, upBase, centreX + half, upBase, centreX, upTip, z, kBlack, kBlack, kRed,
                           kGrey05, kGrey075);
    lists[1] = RecordArrow(centreX - half, downBase, centreX + half, downBase, centreX, downTip, z, kBlack, kBlack,
                           kBlue, kGrey05, kGrey075);
    lists[2] = RecordArrow(centreX - half, upBase, centreX + half, upBase, centreX, upTip, z, kBlack, kGrey0125,
                           kDarkRed, kGrey025, kGrey05);
    lists[3] = RecordArrow(centreX - half, downBase, centreX + half, downBase, centreX, downTip, z, kBlack,
                           kGrey0125, kDarkBlue, kGrey025, kGrey05);
}

// A drum lying along x from xa to xb about the x axis, each of its 24 faces
// showing the whole panel skin.
unsigned RecordDrum(float xa, float xb, float radius)
{
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gSkinTextures[kSkinPanel]);
    glBegin(GL_QUADS);
    for (int a = 0; a < 360; a += 15) {
        const float a0 = static_cast<float>(a) * kPi / 180, a1 = static_cast<float>(a + 15) * kPi / 180;
        glTexCoord2f(0, 0), glVertex3f(xa, radius * std::cos(a0), radius * std::sin(a0));
        glTexCoord2f(1, 0), glVertex3f(xa, radius * std::cos(a1), radius * std::sin(a1));
        glTexCoord2f(1, 1), glVertex3f(xb, radius * std::cos(a1), radius * std::sin(a1));
        glTexCoord2f(0, 1), glVertex3f(xb, radius * std::cos(a0), radius * std::sin(a0));
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glEndList();
    return list;
}

void CallDrum(unsigned list, float y, int turn)
{
    glPushMatrix();
    glTranslatef(0, y, 0);
    glScalef(1, 1, 0.02f);
    glRotatef(static_cast<float>(turn), 1, 0, 0);
    glCallList(list);
    glPopMatrix();
}

// The first row after a scroll by delta rows: never below 0, never past the
// last full page (0 for lists shorter than their rows).
int ScrolledFirst(int first, double delta, int lastFirst)
{
    const int f = CheckedTruncToInt(static_cast<double>(first) + delta);
    return std::clamp(f, 0, lastFirst);
}

}  // namespace

void NewDropBox::Build(int x, int y, int depth, int width, int rowH, int count, int rowsShown, const char* caption,
                       const char* const* items)
{
    // Every list is 24-unit rows at depth 30, whatever the caller passes.
    (void)depth;
    (void)rowH;
    visibleRows = std::max(rowsShown, 1);
    itemCount = std::max(count, 0);
    const int v = visibleRows;
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = x0 + static_cast<float>(width);
    y1 = y0 + 24.0f * static_cast<float>(v + 1);
    wheelRadius = static_cast<float>(v - 2) * 12;
    barLeft = static_cast<int>(x1 - 12);
    barRight = static_cast<int>(x1 + 12);
    barBottom = static_cast<int>(y0 + 24);
    barTop = static_cast<int>(y0 + 24.0f * static_cast<float>(v) - 24);
    selectedRow = itemCount - 1;
    first = 0;
    captions.assign(static_cast<size_t>(itemCount), std::string());
    for (int i = 0; i < itemCount; ++i)
        if (items != nullptr && items[i] != nullptr) captions[static_cast<size_t>(i)] = items[i];
    rowTextY.resize(static_cast<size_t>(v));
    for (int i = 0; i < v; ++i) rowTextY[static_cast<size_t>(i)] = y0 + 24.0f * (static_cast<float>(i) + 0.5f) - 6;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    AlternatingLoop(x0, y0, x1, y1 - 24, z, kGrey0125, kGrey025);
    glEnable(GL_BLEND);
    RecordCaptionBar(x0, y0 + 24.0f * static_cast<float>(v), x1, y1, z, "", 0, 0);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    const float bl = static_cast<float>(barLeft), br = static_cast<float>(barRight);
    const float bb = static_cast<float>(barBottom), bt = static_cast<float>(barTop);
    FlatQuad(bl, bb, br, bt, z + 0.25f);
    glEnable(GL_BLEND);
    AlternatingLoop(bl, bb, br, bt, z + 0.25f, kGrey025, kGrey05);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    DrawText(static_cast<int>(x0), static_cast<int>(y0 + 6 + 24.0f * static_cast<float>(v)),
             caption != nullptr ? caption : "", 1);
    glEndList();

    // The button skin's end caps keep their size; its middle stretches.
    highlightList = glGenLists(1);
    glNewList(highlightList, GL_COMPILE);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0, 0, 0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gSkinTextures[kSkinButtonFace]);
    glEnable(GL_BLEND);
    const float w = static_cast<float>(width);
    glBegin(GL_QUAD_STRIP);
    glTexCoord2f(0, 0), glVertex3f(1.5f, 3, z);
    glTexCoord2f(0, 1), glVertex3f(1.5f, 22, z);
    glTexCoord2f(0.125f, 0), glVertex3f(5.5f, 4, z);
    glTexCoord2f(0.125f, 1), glVertex3f(5.5f, 22, z);
    glTexCoord2f(0.875f, 0), glVertex3f(w - 19, 3, z);
    glTexCoord2f(0.875f, 1), glVertex3f(w - 19, 22, z);
    glTexCoord2f(1, 0), glVertex3f(w - 15, 4, z);
    glTexCoord2f(1, 1), glVertex3f(w - 15, 22, z);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEndList();

    unsigned arrows[4];
    const float top = y0 + 24.0f * static_cast<float>(v);
    RecordArrowPair(arrows, x1, 12, top - 24, top, y0 + 24, y0, z + 0.3f);
    upPressedList = arrows[0];
    downPressedList = arrows[1];
    upList = arrows[2];
    downList = arrows[3];
    wheelList = RecordDrum(bl + 1, br - 1, wheelRadius);
}

int NewDropBox::LastFirst() const { return std::max(itemCount - visibleRows, 0); }

void NewDropBox::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    CallDrum(wheelList, y0 + 24 + wheelRadius, first);
    glCallList(upPressed != 0 ? upPressedList : upList);
    glCallList(downPressed != 0 ? downPressedList : downList);
    const int r = visibleRows - 1 + first - SharedLoad(selected);
    if (r >= 0 && r < visibleRows) {
        glPushMatrix();
        glTranslatef(x0, y0 + 24.0f * static_cast<float>(r), 0);
        glCallList(highlightList);
        glPopMatrix();
    }
    for (int i = 0; i < visibleRows; ++i) {
        const int item = ListItemFromRow(first, visibleRows, i);
        if (item >= 0 && item < itemCount)
            DrawText(static_cast<int>(x0), static_cast<int>(rowTextY[static_cast<size_t>(i)]),
                     captions[static_cast<size_t>(item)].c_str(), 1);
    }
}

bool NewDropBox::Click(const int& xi, const int& yi)
{
    if (visible == 0) return false;
    upPressed = downPressed = 0;
    const float x = static_cast<float>(xi), y = static_cast<float>(yi);
    if (x1 - 12 < x && x < x1 + 12) {
        if (y1 - 48 < y && y < y1 - 24) {
            upPressed = 1;
            first = first < 1 ? 0 : first - 1;
        }
        if (y0 < y && y < y0 + 24) {
            downPressed = 1;
            if (first + visibleRows < itemCount) ++first;
        }
    }
    if (x < x0 || x > x1 - 24) return false;
    // From the top down: on a shared line the upper row is taken.
    for (int i = visibleRows - 1; i >= 0; --i) {
        const float b = y0 + 24.0f * static_cast<float>(i);
        if (!(b <= y && y <= b + 24)) continue;
        const int item = ListItemFromRow(first, visibleRows, i);
        if (item < 0 || item >= itemCount) return false;
        selectedRow = i;
        SharedStore(selected, item);
        return true;
    }
    return false;
}

bool NewDropBox::Wheel(int xi, int yi, float delta)
{
    const float x = static_cast<float>(xi), y = static_cast<float>(yi);
    if (visible == 0 || !(x0 < x && x < static_cast<float>(barRight) && y0 < y && y < y1)) return false;
    first = ScrolledFirst(first, delta, LastFirst());
    return true;
}

bool NewDropBox::PressScrollBar(int x, int y)
{
    if (visible == 0) return false;
    held = 0;
    if (!(barLeft < x && x < barRight && barBottom < y && y < barTop)) return false;
    pressY = y;
    held = 1;
    return true;
}

bool NewDropBox::Drag(int x, int y)
{
    if (visible == 0 || held == 0) return false;
    const int step = y == pressY ? 0 : y < pressY ? 1 : -1;
    first = std::clamp(first + step, 0, LastFirst());
    pressY = y;
    return true;
}

void NewDropBox::SetSelected(int item)
{
    // Loaded files set it: an item outside the list is kept inside.
    item = std::clamp(item, 0, std::max(itemCount - 1, 0));
    SharedStore(selected, item);
    if (item + visibleRows > itemCount - 1) first = std::max(item - visibleRows + 1, 0);
}

int NewDropBox::GetSelected() const { return SharedLoad(selected); }

void BoolBox::Build(const int& x, const int& y, const int& zValue, const int& width, const int& rowH,
                    const int& visibleRowCount, const int& rows, const char* title, const char* const* captionTexts)
{
    rowCount = std::max(rows, 0);
    visibleRows = std::max(visibleRowCount, 1);
    rowHeight = static_cast<float>(rowH);
    const float h = rowHeight, v = static_cast<float>(visibleRows);
    captions.assign(static_cast<size_t>(rowCount), std::string());
    for (int i = 0; i < rowCount; ++i)
        if (captionTexts != nullptr && captionTexts[i] != nullptr) captions[static_cast<size_t>(i)] = captionTexts[i];
    marks.assign(static_cast<size_t>(rowCount), 0);
    rowY.resize(static_cast<size_t>(visibleRows));
    firstRow = 0;
    lastClickedRow = visibleRows - 1;
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = x0 + static_cast<float>(width);
    y1 = y0 + (v + 1) * h;
    z = static_cast<float>(zValue);
    drumOffset = (v - 2) * h * 0.5f;
    captionWidth = static_cast<int>(static_cast<float>(width) * 0.125f - 2);
    barLeft = static_cast<int>(x1 - h / 2);
    barRight = static_cast<int>(x1 + h / 2);
    barBottom = static_cast<int>(y0 + h);
    barTop = static_cast<int>(y0 + (v - 1) * h);
    barWidth = static_cast<float>(barRight - barLeft);
    barHeight = static_cast<float>(barTop - barBottom);
    for (int i = 0; i < visibleRows; ++i) rowY[static_cast<size_t>(i)] = (static_cast<float>(i) + 0.5f) * h + y0 - 6;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    RecordFrame(x0, y0, x1, y1, z, 0.125f, 0.25f);
    const float t0 = y0 + static_cast<float>(rowH / 4) + v * h - 6;
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_QUADS);
    glColor3f(0, 0, 0), glVertex3f(x0, t0, z);
    glColor3f(0.45f, 0.025f, 0.025f), glVertex3f(x1, t0, z), glVertex3f(x1, t0 + h, z);
    glColor3f(0, 0, 0), glVertex3f(x0, t0 + h, z);
    glEnd();
    AlternatingLoop(x0, t0, x1, t0 + h, z, kGrey025, kGrey075);
    glDisable(GL_BLEND);
    const float bl = static_cast<float>(barLeft), br = static_cast<float>(barRight);
    const float bb = static_cast<float>(barBottom), bt = static_cast<float>(barTop);
    glBegin(GL_QUADS);
    glColor3f(0.00625f, 0.00625f, 0.06025f), glVertex3f(bl, bb, z), glVertex3f(br, bb, z);
    glColor3f(0.0125f, 0.0125f, 0.0125f), glVertex3f(br, bt, z), glVertex3f(bl, bt, z);
    glEnd();
    AlternatingLoop(bl, bb, br, bt, z + 1, kGrey025, kGrey05);
    glEnable(GL_DEPTH_TEST);
    // The title's glyphs stand 6 under the bar's middle, as the drop boxes'
    // and the slider windows' do, centred in a bar of any row height: half a
    // row over the rows (the same in rows of 24) lifts them into the bar's
    // top edge in rows of 18.
    DrawText(static_cast<int>(x0), static_cast<int>(t0 + h / 2 - 6), title != nullptr ? title : "", 1);
    glEndList();

    RecordArrowPair(arrowLists, x1, h / 2, y1 - 2 * h, y1 - h, y0 + h, y0, z + 1);
    drumList = RecordDrum(bl + 1, br - 1, drumOffset);

    // The mark box sits before the caption, centred on its letters.
    const float bx0 = 6, bx1 = 6 + h / 2, by0 = 7 - h / 4, by1 = 7 + h / 4;
    markOnList = glGenLists(1);
    glNewList(markOnList, GL_COMPILE);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.75f, 0.75f, 0.75f);
    FlatQuad(bx0 + 2, by0 + 2, bx1 - 2, by1 - 2, z + 5);
    glColor3f(0.5f, 0.5f, 0.5f);
    OutlineQuad(bx0, by0, bx1, by1, z + 5);
    glEnable(GL_DEPTH_TEST);
    glEndList();
    markOffList = glGenLists(1);
    glNewList(markOffList, GL_COMPILE);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.25f, 0.25f, 0.25f);
    OutlineQuad(bx0, by0, bx1, by1, z + 5);
    glEnable(GL_DEPTH_TEST);
    glEndList();
}

int BoolBox::LastFirst() const { return std::max(rowCount - visibleRows, 0); }

void BoolBox::MarkOnly(int row)
{
    for (int i = 0; i < rowCount; ++i) SharedStore(marks[static_cast<size_t>(i)], static_cast<uint8_t>(i == row));
}

void BoolBox::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    CallDrum(drumList, y0 + rowHeight + drumOffset, firstRow);
    glCallList(upPressed != 0 ? arrowLists[0] : arrowLists[2]);
    glCallList(downPressed != 0 ? arrowLists[1] : arrowLists[3]);
    for (int i = 0; i < visibleRows; ++i) {
        const int row = ListItemFromRow(firstRow, visibleRows, i);
        if (row < 0 || row >= rowCount) continue;
        const float y = rowY[static_cast<size_t>(i)];
        DrawText(static_cast<int>(x0 + 24), static_cast<int>(y), captions[static_cast<size_t>(row)].c_str(), 1);
        glPushMatrix();
        glTranslatef(x0, y, 0);
        glCallList(SharedLoad(marks[static_cast<size_t>(row)]) != 0 ? markOnList : markOffList);
        glPopMatrix();
    }
}

bool BoolBox::Click(const int& xi, const int& yi)
{
    if (visible == 0) return false;
    upPressed = downPressed = 0;
    const float x = static_cast<float>(xi), y = static_cast<float>(yi), h = rowHeight;
    if (x1 - 0.5f * h < x && x < x1 + 0.5f * h) {
        if (y1 - 2 * h < y && y < y1 - h) {
            upPressed = 1;
            firstRow = std::max(firstRow - 1, 0);
        }
        if (y0 < y && y < y0 + h) {
            downPressed = 1;
            if (firstRow + visibleRows < rowCount) ++firstRow;
        }
    }
    if (x < x0 || x > x1 - h) return false;
    bool hit = false;
    for (int i = 0; i < visibleRows; ++i) {
        const float b = y0 + static_cast<float>(i) * h;
        if (!(b <= y && y <= b + h)) continue;
        hit = true;
        lastClickedRow = i;
        selectedRow = std::min(ListItemFromRow(firstRow, visibleRows, i), rowCount - 1);
    }
    MarkOnly(selectedRow);
    return hit;
}

bool BoolBox::Wheel(int xi, int yi, float delta)
{
    if (visible == 0) return false;
    // Only a notch over the list scrolls it; one elsewhere is left to the
    // widgets under the pointer.
    const float x = static_cast<float>(xi);
    if (!(x0 < x && x < static_cast<float>(barRight) && y0 < static_cast<float>(yi) && yi < barTop)) return false;
    firstRow = ScrolledFirst(firstRow, delta, LastFirst());
    return true;
}

bool BoolBox::PressScrollBar(const int& x, const int& y)
{
    dragging = 0;
    if (visible == 0 || !(barLeft < x && x < barRight && barBottom < y && y < barTop)) return false;
    dragLastY = y;
    dragging = 1;
    return true;
}

bool BoolBox::Drag(const int& x, const int& y)
{
    if (visible == 0 || dragging == 0) return false;
    dragY = y;
    const int step = y == dragLastY ? 0 : dragLastY - y >= 1 ? 1 : -1;
    firstRow = std::clamp(firstRow + step, 0, LastFirst());
    dragLastY = y;
    return true;
}

void BoolBox::SetSelected(const int& requested)
{
    const int row = std::clamp(requested, 0, std::max(rowCount - 1, 0));
    selectedRow = firstRow = row;
    MarkOnly(row);
    if (visibleRows + row > rowCount - 1) firstRow = std::max(row - visibleRows + 1, 0);
}
