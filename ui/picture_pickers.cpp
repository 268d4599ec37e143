#include "ui/picture_pickers.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/icons.h"
#include "ui/thumbnail_atlas.h"
#include "ui/widget.h"

namespace {

constexpr float kCell = 64;
constexpr float kPi = 3.14159265358979f;

// Scroll column right of a 320 by 192 grid: outline, divider and arrows.
void RecordScrollColumn(float right, float bottom, float top, float z)
{
    glColor3f(0.1875f, 0.1875f, 0.1875f);
    glBegin(GL_LINES);
    glVertex3f(right + 2, top - 96, z), glVertex3f(right + 32, top - 96, z);
    glEnd();
    glBegin(GL_LINE_LOOP);
    glColor3f(0.125f, 0.125f, 0.125f), glVertex3f(right + 2, bottom - 2, z);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(right + 32, bottom + 14, z);
    glColor3f(0.125f, 0.125f, 0.125f), glVertex3f(right + 32, top - 14, z);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(right + 2, top + 2, z);
    glEnd();
    const float arrows[2][3] = {{bottom + 118, top - 22, 0}, {top - 118, bottom + 22, 0}};
    for (const auto& a : arrows) {
        glBegin(GL_TRIANGLES);
        glColor3f(0.125f, 0.125f, 0.125f), glVertex3f(right + 8, a[0], z), glVertex3f(right + 26, a[0], z);
        glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(right + 17, a[1], z);
        glEnd();
        glBegin(GL_LINE_LOOP);
        glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(right + 8, a[0], z), glVertex3f(right + 26, a[0], z);
        glColor3f(0.5f, 0.5f, 0.5f), glVertex3f(right + 17, a[1], z);
        glEnd();
    }
}

void RecordGridOutline(float left, float bottom, float right, float top, float z)
{
    glBegin(GL_LINE_LOOP);
    glColor3f(0.125f, 0.125f, 0.125f), glVertex3f(left - 2, bottom - 2, z);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(right + 2, bottom - 2, z);
    glColor3f(0.125f, 0.125f, 0.125f), glVertex3f(right + 2, top + 2, z);
    glColor3f(0.25f, 0.25f, 0.25f), glVertex3f(left - 2, top + 2, z);
    glEnd();
}

}  // namespace

void PickerGrid::Place(int x, int y)
{
    for (int k = 0; k < kPickerCells; ++k) {
        cellX[k] = x + 64 * (k % 5);
        cellY[k] = y + 128 - 64 * (k / 5);
    }
}

void PickerGrid::CellAt(float dx, float dy, int* column, int* row)
{
    *column = std::min(static_cast<int>(dx * 0.015625f), 4);
    *row = std::min(static_cast<int>(dy * 0.015625f), 2);
}

void TexturePanel::Build(const int& x, const int& y, const int& zValue, const int&, const int&, const char*,
                         const int& mode)
{
    generating = 0;
    progressDone = progressTotal = 0;
    fixedMode = mode != 0 ? 1 : 0;
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = x0 + 320;
    y1 = y0 + 192;
    z = static_cast<float>(zValue);
    highlightX = x0;
    highlightY = y0 + 128;
    column = row = cellInPage = firstIndex = selected = 0;
    grid.Place(x, y);

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    RecordGridOutline(x0, y0, x1, y1, 0);
    if (fixedMode == 0) RecordScrollColumn(x1, y0, y1, 0);
    glEnable(GL_DEPTH_TEST);
    glEndList();

    // A square frame whose corners are filled up to a circle, so the chosen
    // cell shows through a round window.
    highlightList = glGenLists(1);
    glNewList(highlightList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0, 0, 0);
    const float corners[4][3] = {{0, 0, 180}, {64, 0, 270}, {64, 64, 0}, {0, 64, 90}};
    for (const auto& c : corners) {
        glBegin(GL_TRIANGLE_FAN);
        glVertex3f(c[0], c[1], 40);
        for (int i = 0; i < 10; ++i) {
            const float a = (c[2] + 10.0f * static_cast<float>(i)) * kPi / 180;
            glVertex3f(32.5f + 32 * std::cos(a), 32.5f + 32 * std::sin(a), 40);
        }
        glEnd();
    }
    glColor3f(1, 1, 1);
    glBegin(GL_LINE_LOOP);
    glVertex3f(1, 1, 40), glVertex3f(63, 1, 40), glVertex3f(63, 63, 40), glVertex3f(1, 63, 40);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glEndList();
}

uint64_t TexturePanel::SteadyMilliseconds()
{
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

int TexturePanel::FileCount() { return gThumbnailCount; }

void TexturePanel::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    if (fixedMode != 0) {
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        for (int k = 0; k < kPickerCells; ++k) {
            glBindTexture(GL_TEXTURE_2D, textures[k]);
            const float cx = static_cast<float>(grid.cellX[k]), cy = static_cast<float>(grid.cellY[k]);
            glBegin(GL_QUADS);
            glTexCoord2f(0, 0), glVertex3f(cx, cy, 30);
            glTexCoord2f(1, 0), glVertex3f(cx + kCell, cy, 30);
            glTexCoord2f(1, 1), glVertex3f(cx + kCell, cy + kCell, 30);
            glTexCoord2f(0, 1), glVertex3f(cx, cy + kCell, 30);
            glEnd();
        }
        glDisable(GL_TEXTURE_2D);
        // A total of 0 has no share to show.
        if (generating != 0 && progressTotal > 0) {
            const float share = std::clamp(progressDone / progressTotal, 0.0f, 1.0f);
            const float g = 0.7f + 0.3f * std::sin(0.01f * static_cast<float>(clockMs() % 628319));
            glBegin(GL_QUADS);
            glColor3f(0, 0, 0), glVertex3f(x0, y0 - 8, 30);
            glColor3f(0, g, 0), glVertex3f(x0 + share * 320, y0 - 8, 30), glVertex3f(x0 + share * 320, y0 - 4, 30);
            glColor3f(0, 0, 0), glVertex3f(x0, y0 - 4, 30);
            glEnd();
        }
        glEnable(GL_DEPTH_TEST);
    } else {
        for (int k = 0; k < kPickerCells; ++k)
            if (firstIndex + k < FileCount()) DrawThumbnail(grid.cellX[k], grid.cellY[k], firstIndex + k);
    }
    glPushMatrix();
    glTranslatef(highlightX, highlightY, 0);
    glCallList(highlightList);
    glPopMatrix();
}

void TexturePanel::Click(const int& xi, const int& yi)
{
    if (visible == 0) return;
    const float x = static_cast<float>(xi), y = static_cast<float>(yi);
    if (x0 <= x && x <= x1 && y0 <= y && y <= y1) {
        PickerGrid::CellAt(x - x0, y - y0, &column, &row);
        highlightX = x0 + 64.0f * static_cast<float>(column);
        highlightY = y0 + 64.0f * static_cast<float>(row);
        cellInPage = column + (2 - row) * 5;
    }
    if (fixedMode == 0 && x1 <= x && x <= x1 + 32 && y0 <= y && y <= y1) {
        if (y - y0 >= 96) {
            if (firstIndex >= kPickerCells) firstIndex -= kPickerCells;
        } else if (firstIndex < FileCount() - kPickerCells) {
            firstIndex += kPickerCells;
        }
    }
    if (fixedMode != 0) firstIndex = 0;
    selected = firstIndex + cellInPage;
}

bool TexturePanel::Wheel(int xi, int yi, float delta)
{
    if (visible == 0) return false;
    const float x = static_cast<float>(xi), y = static_cast<float>(yi);
    // Only a notch over the panel pages it; one elsewhere is left to the
    // widgets under the pointer.
    if (!(x0 <= x && x <= x1 + 32 && y0 <= y && y <= y1)) return false;
    if (fixedMode == 0) {
        // Fewer files than cells: the page stays at the first file.
        const int f = CheckedTruncToInt(static_cast<double>(firstIndex) + delta);
        firstIndex = std::clamp(f, 0, std::max(FileCount() - kPickerCells, 0));
    }
    selected = firstIndex + cellInPage;
    return true;
}

void TSelector::Build(const int& x, const int& y, const int& zValue)
{
    std::fill(std::begin(marks), std::end(marks), uint8_t{0});
    left = static_cast<float>(x);
    bottom = static_cast<float>(y);
    right = left + 320;
    top = bottom + 192;
    depth = static_cast<float>(zValue);
    column = cell = first = 0;
    highlightX = left;
    highlightY = bottom + 128;
    hit = 0;
    grid.Place(x, y);

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    RecordGridOutline(left, bottom, right, top, 0);
    RecordScrollColumn(right, bottom, top, 0);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glEndList();

    highlightList = glGenLists(1);
    glNewList(highlightList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(1, 1, 1);
    glBegin(GL_LINE_LOOP);
    glVertex3f(1, 1, 0), glVertex3f(63, 1, 0), glVertex3f(63, 63, 0), glVertex3f(1, 63, 0);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glEndList();
}

void TSelector::Draw(int current) const
{
    if (visible == 0) return;
    glCallList(frameList);
    for (int j = 0; j < kPickerCells; ++j) {
        const int s = first + j;
        DrawShapeIcon(grid.cellX[j], grid.cellY[j], s);
        if (s >= 0 && s < kShapeMarks && marks[s] != 0) DrawText(grid.cellX[j], grid.cellY[j] + 1, "G", 1);
        if (s == current) {
            glPushMatrix();
            glTranslatef(static_cast<float>(grid.cellX[j]), static_cast<float>(grid.cellY[j]), 0);
            glCallList(highlightList);
            glPopMatrix();
        }
    }
}

int TSelector::Click(int px, int py)
{
    hit = 0;
    if (visible == 0) return 0;
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    int result = 0;
    if (left <= x && x <= right && bottom <= y && y <= top) {
        PickerGrid::CellAt(x - left, y - bottom, &column, &row);
        cell = column + (2 - row) * 5;
        highlightX = left + 64.0f * static_cast<float>(column);
        highlightY = bottom + 64.0f * static_cast<float>(row);
        hit = 1;
        result = 1;
    }
    if (right <= x && x <= right + 32 && bottom <= y && y <= top) {
        if (static_cast<int>((y - bottom) * 0.010416667f) == 0)
            first = std::min(first + kPickerCells, kShapeLastFirst);
        else
            first = std::max(first - kPickerCells, 0);
    }
    selected = first + cell;
    return result;
}

bool TSelector::Wheel(int px, int py, float delta)
{
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    if (visible == 0 || x < left || x > right + 32 || y < bottom || y > top) return false;
    first = std::clamp(CheckedTruncToInt(static_cast<double>(first) + delta), 0, kShapeLastFirst);
    selected = first + cell;
    return true;
}
