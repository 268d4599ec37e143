#include "ui/color_panels.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/desktop/gl_api.h"
#include "ui/file_services.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/thumbnail_atlas.h"
#include "ui/widget.h"

InterfaceFileServices gInterfaceFileServices;

namespace {

const float kGrey0125[3] = {0.125f, 0.125f, 0.125f};
const float kGrey025[3] = {0.25f, 0.25f, 0.25f};
const float kGrey05[3] = {0.5f, 0.5f, 0.5f};
const float kGrey075[3] = {0.75f, 0.75f, 0.75f};

// A file value as a colour byte: clamped first, so 300 is 255 (not its low
// bits) and negative values and not-a-number are 0.
uint8_t ClampedByte(float v)
{
    if (!(v > 0)) return 0;
    if (v >= 255) return 255;
    return static_cast<uint8_t>(v);
}

// A colour track: black at the left, the pure colour at the right.
void Track(float xa, float xb, float ya, float yb, float z, int channel)
{
    float pure[3] = {0, 0, 0};
    pure[channel] = 1;
    glBegin(GL_QUADS);
    glColor3f(0, 0, 0), glVertex3f(xa, ya, z);
    glColor3fv(pure), glVertex3f(xb, ya, z), glVertex3f(xb, yb, z);
    glColor3f(0, 0, 0), glVertex3f(xa, yb, z);
    glEnd();
    glColor3fv(kGrey0125);
    OutlineQuad(xa, ya, xb, yb, z + 1);
}

// The value marker: two bars 17 units high, 4 apart, and two points.
unsigned RecordValueMarker()
{
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glColor3fv(kGrey05);
    glBegin(GL_LINES);
    glVertex2f(-2, -1), glVertex2f(-2, 17), glVertex2f(2, 17), glVertex2f(2, -1);
    glEnd();
    glBegin(GL_POINTS);
    glVertex2f(0, -2), glVertex2f(0, 17);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEndList();
    return list;
}

unsigned RecordSwatch(float xa, float ya, float xb, float yb, float z)
{
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    FlatQuad(xa, ya, xb, yb, z);
    glColor3fv(kGrey025);
    OutlineQuad(xa, ya, xb, yb, z + 5);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glEndList();
    return list;
}

void DrawComponentTexts(float x, float y, const int component[3])
{
    char text[16];
    for (int c = 0; c < 3; ++c) {
        std::snprintf(text, sizeof text, "%d  ", component[c]);
        DrawText(static_cast<int>(x + 96 + 64 * c), static_cast<int>(y), text, 0);
    }
}

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i])), cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

}  // namespace

void ColorPanel::Build(const int& x, const int& y, const int& zValue, const char* caption, const int& tagValue)
{
    orientation = 1;
    std::memset(text, 0, sizeof text);
    for (int c = 0; c < 3; ++c) Store(c, 0);
    std::memset(lastCoordinate, 0, sizeof lastCoordinate);
    picked = 0;
    valueChanged = changed = 0;
    tag = tagValue;
    left = static_cast<float>(x);
    bottom = static_cast<float>(y);
    right = left + 320;
    top = bottom + 64;
    depth = static_cast<float>(zValue);
    const int lows[3] = {44, 24, 4};
    for (int c = 0; c < 3; ++c) bandLow[c] = y + lows[c], bandHigh[c] = y + lows[c] + 16;
    trackStart = x + 2;
    trackEnd = x + 262;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(left - 2, bottom - 2, right + 2, top + 18, 0);
    glColor3fv(kGrey025);
    OutlineQuad(left, bottom, right, top + 16, depth);
    for (int c = 2; c >= 0; --c)
        Track(left + 4, left + 260, static_cast<float>(bandLow[c]), static_cast<float>(bandHigh[c]), depth, c);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    DrawText(static_cast<int>(left), static_cast<int>(top), caption != nullptr ? caption : "", 1);
    glEndList();

    knobList = RecordValueMarker();
    swatchList = RecordSwatch(left + 264, bottom + 4, right - 4, top - 4, depth);
}

void ColorPanel::Store(int c, int value)
{
    component[c] = value;
    SharedStore(componentFloat[c], static_cast<float>(value) * 0.003921569f);
}

void ColorPanel::SetColor(int r, int g, int b)
{
    Store(0, std::clamp(r, 0, 255));
    Store(1, std::clamp(g, 0, 255));
    Store(2, std::clamp(b, 0, 255));
}

void ColorPanel::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    for (int c = 0; c < 3; ++c) {
        glPushMatrix();
        glTranslatef(left + 4 + static_cast<float>(component[c]), static_cast<float>(bandLow[c]), 1);
        glCallList(knobList);
        glPopMatrix();
    }
    glColor3ub(static_cast<uint8_t>(component[0]), static_cast<uint8_t>(component[1]),
               static_cast<uint8_t>(component[2]));
    glCallList(swatchList);
    DrawComponentTexts(left, bottom + 64, component);
}

bool ColorPanel::Click(const int& px, const int& py)
{
    if (visible == 0) return false;
    const float y = static_cast<float>(py);
    if (y < bottom || y > top || px < trackStart || px > trackEnd) {
        picked = 4;
        return false;
    }
    bool hit = false;
    for (int c = 0; c < 3; ++c)
        if (bandLow[c] < py && py < bandHigh[c]) {
            changed = 1;
            lastCoordinate[c][0] = lastCoordinate[c][1] = px;
            picked = c;
            hit = true;
        }
    return hit;
}

bool ColorPanel::Wheel(int px, int py, float delta)
{
    if (visible == 0) return false;
    picked = 4;
    const float y = static_cast<float>(py);
    if (y < bottom || y > top || px < trackStart || px > trackEnd) return false;
    for (int c = 0; c < 3; ++c)
        if (bandLow[c] < py && py < bandHigh[c]) picked = c;
    if (picked == 4) return false;
    Store(picked, std::clamp(CheckedTruncToInt(static_cast<double>(component[picked]) - delta), 0, 255));
    return true;
}

bool ColorPanel::Drag(const int& px, const int&)
{
    if (visible == 0 || picked < 0 || picked > 2) return changed != 0;
    const int c = picked;
    const int moved = component[c] - lastCoordinate[c][0] + px;
    lastCoordinate[c][0] = lastCoordinate[c][1] = px;
    Store(c, std::clamp(moved, 0, 255));
    changed = valueChanged = 1;
    return true;
}

std::vector<std::string> ListColorMapFiles(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    if (folder.empty()) return names;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        const std::string name = it->path().filename().string();
        if (IsColorMapName(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

int GSelector::ListMapFiles(int index, int row)
{
    const std::string folder =
        gInterfaceFileServices.texturesFolder != nullptr ? gInterfaceFileServices.texturesFolder() : "";
    const std::vector<std::string> names = ListColorMapFiles(folder);
    const int n = static_cast<int>(names.size());
    if (row < 0 || row >= kGradientRows) return n;
    GradientRow& r = rows[static_cast<size_t>(row)];
    // Whatever the file holds replaces the whole row: what it does not reach
    // (or a file that cannot be read) stays black.
    const unsigned texture = r.texture;
    r = GradientRow{};
    r.texture = texture;
    index = std::max(index, 0);
    if (index < n) {
        std::string text;
        if (ReadColorMapFront(folder + "/" + names[static_cast<size_t>(index)], text)) {
            const int lines = ReadColorMapValues(text, r.red, r.green, r.blue);
            for (int i = 0; i < lines; ++i) {
                r.colours[3 * i] = ClampedByte(r.red[i]);
                r.colours[3 * i + 1] = ClampedByte(r.green[i]);
                r.colours[3 * i + 2] = ClampedByte(r.blue[i]);
            }
        }
    }
    if (r.texture != 0) {
        glBindTexture(GL_TEXTURE_1D, r.texture);
        glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, kColorMapEntries, 0, GL_RGB, GL_UNSIGNED_BYTE, r.colours);
    }
    return n;
}

void GSelector::Build(const int& x, const int& y, const int& zValue)
{
    for (int j = 0; j < kGradientRows; ++j) {
        GradientRow& r = rows[static_cast<size_t>(j)];
        if (r.texture == 0) glGenTextures(1, &r.texture);
        glBindTexture(GL_TEXTURE_1D, r.texture);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        fileCount = ListMapFiles(j, j);
    }
    left = static_cast<float>(x);
    bottom = static_cast<float>(y);
    right = left + 256;
    top = bottom + 128;
    depth = static_cast<float>(zValue);
    for (int j = 0; j < kGradientRows; ++j) rowY[j] = y + 112 - 16 * j;
    first = selectedRow = scrollHalf = 0;
    spare = 0;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0.1875f, 0.1875f, 0.1875f);
    glBegin(GL_LINES);
    glVertex3f(right + 2, top - 64, 0), glVertex3f(right + 32, top - 64, 0);
    glEnd();
    glBegin(GL_LINE_LOOP);
    glColor3fv(kGrey0125), glVertex3f(left - 4, bottom - 2, 0);
    glColor3fv(kGrey025), glVertex3f(right + 2, bottom - 2, 0);
    glColor3fv(kGrey0125), glVertex3f(right + 2, top + 2, 0);
    glColor3fv(kGrey025), glVertex3f(left - 4, top + 2, 0);
    glEnd();
    glBegin(GL_LINE_LOOP);
    glColor3fv(kGrey0125), glVertex3f(right + 2, bottom - 2, 0);
    glColor3fv(kGrey025), glVertex3f(right + 32, bottom + 14, 0);
    glColor3fv(kGrey0125), glVertex3f(right + 32, top - 14, 0);
    glColor3fv(kGrey025), glVertex3f(right + 2, top + 2, 0);
    glEnd();
    const float arrows[2][2] = {{bottom + 86, top - 22}, {top - 86, bottom + 22}};
    for (const auto& a : arrows) {
        glBegin(GL_TRIANGLES);
        glColor3fv(kGrey0125), glVertex3f(right + 8, a[0], 0), glVertex3f(right + 26, a[0], 0);
        glColor3fv(kGrey025), glVertex3f(right + 17, a[1], 0);
        glEnd();
        glBegin(GL_LINE_LOOP);
        glColor3fv(kGrey025), glVertex3f(right + 8, a[0], 0), glVertex3f(right + 26, a[0], 0);
        glColor3fv(kGrey05), glVertex3f(right + 17, a[1], 0);
        glEnd();
    }
    glBegin(GL_QUADS);
    glColor3f(0, 0, 0), glVertex3f(left - 4, top, 0);
    glColor3fv(kGrey025), glVertex3f(right, top, 0);
    glColor3f(0, 0, 0), glVertex3f(right, top + 24, 0);
    glColor3fv(kGrey025), glVertex3f(left - 4, top + 24, 0);
    glEnd();
    AlternatingLoop(left - 4, top, right, top + 24, 0, kGrey0125, kGrey075);
    glEnable(GL_DEPTH_TEST);
    DrawText(static_cast<int>(left), static_cast<int>(top + 4), "Gradient Browser", 1);
    glEndList();
}

void GSelector::Draw() const
{
    if (visible == 0) return;
    glCallList(frameList);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(1, 1, 1);
    for (int j = 0; j < kGradientRows; ++j) {
        glPushMatrix();
        glTranslatef(left, static_cast<float>(rowY[j]), 0);
        glEnable(GL_TEXTURE_1D);
        glBindTexture(GL_TEXTURE_1D, rows[static_cast<size_t>(j)].texture);
        glBegin(GL_QUAD_STRIP);
        glTexCoord1f(0), glVertex2f(0, 0), glVertex2f(0, 12);
        glTexCoord1f(1), glVertex2f(255, 0), glVertex2f(255, 12);
        glEnd();
        glDisable(GL_TEXTURE_1D);
        glPopMatrix();
    }
    glEnable(GL_DEPTH_TEST);
}

void GSelector::Page(int stepRows)
{
    if (stepRows < 0 && first >= 2) first -= 2;
    if (stepRows > 0 && first < fileCount - kGradientRows) first += 2;
    for (int j = 0; j < kGradientRows; ++j) fileCount = ListMapFiles(first + j, j);
}

bool GSelector::Click(const int& px, const int& py)
{
    if (visible == 0) return false;
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    if (left <= x && x <= right && bottom <= y && y <= top)
        for (int k = 0; k < kGradientRows; ++k)
            if (bottom + 16.0f * static_cast<float>(k) < y && y < bottom + 16.0f * static_cast<float>(k + 1)) {
                selectedRow = kGradientRows - 1 - k;
                return true;
            }
    if (right <= x && x <= right + 32 && bottom <= y && y <= top) {
        scrollHalf = static_cast<int>((y - bottom) * 0.015625f);
        Page(scrollHalf != 0 ? -1 : 1);
    }
    return false;
}

bool GSelector::Wheel(int px, int py, float delta)
{
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    if (visible == 0 || !(left <= x && x <= right + 32 && bottom <= y && y <= top)) return false;
    Page(delta < 1 ? -1 : 1);
    return true;
}

void GSelector::CopyRow(int row, ColorMap& out) const
{
    const GradientRow& r = rows[static_cast<size_t>(std::clamp(row, 0, kGradientRows - 1))];
    for (int i = 0; i < kColorMapEntries; ++i) {
        out.red[i] = ClampedByte(r.red[i]);
        out.green[i] = ClampedByte(r.green[i]);
        out.blue[i] = ClampedByte(r.blue[i]);
    }
}

void FogColorPanel::SetGradient(const ColorMap& map)
{
    if (gradient == nullptr) return;
    ColorMap& g = *gradient;
    for (int i = 0; i < kColorMapEntries; ++i) {
        SharedStore(g.red[i], map.red[i]);
        SharedStore(g.green[i], map.green[i]);
        SharedStore(g.blue[i], map.blue[i]);
    }
}

void FogColorPanel::Build(const int& x, const int& y, const int& zValue, const char*, const int& group)
{
    browserMode = 0;
    std::memset(text, 0, sizeof text);
    ColorMap black;
    std::memset(&black, 0, sizeof black);
    SetGradient(black);
    groupId = group;
    for (int c = 0; c < 3; ++c) Store(c, 0), pressX[c] = 0;
    changed = dragging = 0;
    activeBar = 0;
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = x0 + 320;
    y1 = y0 + 104;
    z = static_cast<float>(zValue);
    const int lows[3] = {84, 64, 44};
    for (int c = 0; c < 3; ++c) bandLow[c] = y + lows[c], bandHigh[c] = y + lows[c] + 16;
    barStart = x + 2;
    barEnd = x + 262;

    static const char* const kCaptions[kButtonCount] = {"Random", "Load", "Save", "Browse", "Close", "Clear"};
    static const int kOffsets[kButtonCount] = {0, 64, 128, 192, 192, 256};
    for (int b = 0; b < kButtonCount; ++b) {
        buttons[b].Build(x + kOffsets[b], y - 33, 30, 60, 22, kCaptions[b], b, 1600, 1000);
        buttons[b].visible = 1;
    }
    browser.Build(38, y, 30);
    browser.visible = 1;

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0.0625f, 0.0625f, 0.0625f);
    FlatQuad(x0, y0 - 36, x1, y1 + 16, 0);
    glColor3fv(kGrey025);
    OutlineQuad(x0, y0 - 36, x1, y1 + 16, z);
    for (int c = 2; c >= 0; --c)
        Track(x0 + 4, x0 + 260, static_cast<float>(bandLow[c]), static_cast<float>(bandHigh[c]), z, c);
    glColor3fv(kGrey0125);
    OutlineQuad(x0 + 4, y0 + 24, x0 + 260, y0 + 40, z + 1);
    glEnable(GL_DEPTH_TEST);
    DrawText(static_cast<int>(x0), static_cast<int>(y1), "Fog Color R       G       B ", 1);
    DrawText(static_cast<int>(x0), static_cast<int>(y0), "Back#       Gradient      $Front", 1);
    glEndList();

    markerList = RecordValueMarker();
    swatchList = RecordSwatch(x0 + 264, y0 + 4, x1 - 4, y1 - 4, z);
}

void FogColorPanel::Store(int c, int value)
{
    component[c] = value;
    SharedStore(componentFloat[c], static_cast<float>(value) / 255.0f);
}

void FogColorPanel::SyncFloatColor()
{
    for (int c = 0; c < 3; ++c) Store(c, std::clamp(component[c], 0, 255));
}

void FogColorPanel::Draw() const
{
    if (visible == 0) return;
    if (browserMode != 0) {
        browser.Draw();
        buttons[kClose].Draw();
        return;
    }
    glCallList(frameList);
    for (int c = 0; c < 3; ++c) {
        glPushMatrix();
        glTranslatef(x0 + static_cast<float>(component[c]) + 4, static_cast<float>(bandLow[c]), 1);
        glCallList(markerList);
        glPopMatrix();
    }
    glColor3ub(static_cast<uint8_t>(component[0]), static_cast<uint8_t>(component[1]),
               static_cast<uint8_t>(component[2]));
    glCallList(swatchList);
    DrawComponentTexts(x0, y0 + 104, component);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    static const ColorMap kBlack = {};
    const ColorMap& g = gradient != nullptr ? *gradient : kBlack;
    glBegin(GL_QUADS);
    for (int i = 0; i < kColorMapEntries - 1; ++i) {
        const float xa = x0 + 4 + static_cast<float>(i), xb = xa + 1;
        glColor3ub(g.red[i], g.green[i], g.blue[i]);
        glVertex3f(xa, y0 + 24, z);
        glColor3ub(g.red[i + 1], g.green[i + 1], g.blue[i + 1]);
        glVertex3f(xb, y0 + 24, z), glVertex3f(xb, y0 + 40, z);
        glColor3ub(g.red[i], g.green[i], g.blue[i]);
        glVertex3f(xa, y0 + 40, z);
    }
    glEnd();
    glEnable(GL_DEPTH_TEST);
    for (const int b : {kRandom, kLoad, kSave, kBrowse, kClear}) buttons[b].Draw();
}

int FogColorPanel::BandAt(int y, const int order[3]) const
{
    for (int i = 0; i < 3; ++i)
        if (bandLow[order[i]] < y && y < bandHigh[order[i]]) return order[i];
    return 4;
}

void FogColorPanel::PressButton(int index)
{
    switch (index) {
    case kRandom:
        if (gInterfaceFileServices.randomColorMap != nullptr) {
            ColorMap map;
            gInterfaceFileServices.randomColorMap(map);
            SetGradient(map);
            changed = 1;
        }
        break;
    case kLoad: {
        ColorMap map;
        if (gInterfaceFileServices.loadColorMap != nullptr && gInterfaceFileServices.loadColorMap(map)) {
            SetGradient(map);
            changed = 1;
        }
        break;
    }
    case kSave:
        if (gInterfaceFileServices.saveColorMap != nullptr && gradient != nullptr)
            gInterfaceFileServices.saveColorMap(*gradient);
        break;
    case kBrowse:
        browser.Relist();
        browserMode = 1;
        changed = 1;
        break;
    case kClear: {
        ColorMap black;
        std::memset(&black, 0, sizeof black);
        SetGradient(black);
        changed = 1;
        break;
    }
    default: break;
    }
}

bool FogColorPanel::Click(const int& x, const int& y)
{
    if (visible == 0) return false;
    if (browserMode != 0) {
        if (browser.Click(x, y)) {
            ColorMap picked;
            browser.CopyRow(browser.selectedRow, picked);
            SetGradient(picked);
            changed = 1;
            browserMode = 0;
        }
        const Button& close = buttons[kClose];
        if (close.visible != 0 && HitInclusive(x, y, close.rect[0], close.rect[1], close.rect[2], close.rect[3])) {
            browserMode = 0;
            changed = 1;
        }
        return false;
    }
    const float fy = static_cast<float>(y);
    if (y0 <= fy && fy <= y1 && barStart <= x && x <= barEnd) {
        static const int kOrder[3] = {0, 1, 2};
        const int bar = BandAt(y, kOrder);
        if (bar == 4) return false;
        dragging = 1;
        pressX[bar] = x;
        activeBar = bar;
        return true;
    }
    for (const int b : {kRandom, kLoad, kSave, kBrowse, kClear}) {
        Button& button = buttons[b];
        const bool hit = button.Click(x, y);
        button.pressed = 0;
        if (hit) PressButton(b);
    }
    activeBar = 4;
    return false;
}

bool FogColorPanel::Wheel(int x, int y, float delta)
{
    if (visible == 0 || browserMode != 0) return false;
    activeBar = 4;
    const float fy = static_cast<float>(y);
    if (!(y0 <= fy && fy <= y1 && barStart <= x && x <= barEnd)) return false;
    static const int kOrder[3] = {2, 0, 1};
    const int bar = BandAt(y, kOrder);
    if (bar == 4) return false;
    Store(bar, std::clamp(CheckedTruncToInt(static_cast<double>(component[bar]) - delta), 0, 255));
    return true;
}

bool FogColorPanel::Drag()
{
    if (visible == 0 || activeBar < 0 || activeBar > 2) return dragging != 0;
    const int c = activeBar;
    const int moved = component[c] - pressX[c] + gPointerX;
    pressX[c] = gPointerX;
    Store(c, std::clamp(moved, 0, 255));
    dragging = changed = 1;
    return true;
}
