// The generator chain of the selected transformation (fractal type 48): a
// column of block rows with the selected one highlighted, the "Block Type"
// header that opens the list of block types, the "insert" button under the
// last block, and the readout of the selected block's shown parameters.
#include <algorithm>
#include <cstdio>

#include "editors/xforms_editor.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_groups.h"
#include "engine/transform_set.h"
#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"

namespace {

constexpr float kZ = 30.0f;
// Block row k: x 9..151, y kRowTop - kRowPitch k - kRowHeight .. kRowTop - kRowPitch k.
constexpr int kRowLeft = 9, kRowRight = 151, kRowTop = 584, kRowPitch = 56, kRowHeight = 40;
constexpr int kHeaderX = 208, kHeaderY = 686;
// Readout row i: x 222..372, y 663 - 20 i .. 677 - 20 i; the connector rises
// in the gap left of it, right of the "Edit Generators" box (x 40..208).
constexpr int kReadoutLeft = 222, kReadoutRight = 372, kReadoutTop = 677, kReadoutPitch = 20;
constexpr float kConnectorX = 214;
// The open block type list: its left edge and where the connector meets it.
constexpr float kListMeetY = 556;

int RowBottom(int k) { return kRowTop - kRowPitch * k - kRowHeight; }
int InsertY(int blocks) { return RowBottom(blocks) + 11; }

// The connector from the selected row to the header (or the open list): out
// along the row's middle, round a corner of 4 and up to the header's lower
// edge, so that it crosses neither the "Edit Generators" box nor the readout.
int ConnectorPoints(int selected, bool listOpen, float (*xy)[2])
{
    const float mid = static_cast<float>(RowBottom(selected)) + kRowHeight / 2.0f;
    const float x = listOpen ? kHeaderX - 8.0f : kConnectorX;
    const float end = listOpen ? std::max(mid, kListMeetY) : static_cast<float>(kHeaderY);
    int n = 0;
    auto add = [&](float px, float py) { xy[n][0] = px, xy[n][1] = py, ++n; };
    add(kRowRight, mid);
    if (end - mid < 8.0f) {
        add(listOpen ? kHeaderX : x, mid);
        return n;
    }
    add(x - 4.0f, mid);
    add(x, mid + 4.0f);
    add(x, end - (listOpen ? 4.0f : 0.0f));
    if (listOpen) add(kHeaderX, end);
    return n;
}

const GeneratorGroup* SelectedGroup()
{
    const int t = gTransformEdit.selected;
    if (!gGeneratorGroups || t < 0 || t >= gGeneratorGroupCount) return nullptr;
    return &gGeneratorGroups[t];
}

int SelectedBlockType(const GeneratorGroup* g)
{
    const int b = gTransformEdit.selectedBlock;
    return g && b >= 0 && b < g->blockCount ? g->blockTypes[b] : -1;
}

}  // namespace

void XFormsEditor::PostChainRequest(int code, int argument)
{
    // Chains exist only for fractal type 48; the request is carried out at
    // once, so none is ever left waiting for another type.
    if (gFractalType != 48) return;
    gTransformEdit.pending = 1;
    gTransformEdit.code = code;
    gTransformEdit.argument = argument;
    EditTransformSet(1);
    pointPreviewDirty = 1;
}

void XFormsEditor::ReadoutRowPlace(int i, int* x, int* y)
{
    *x = kReadoutLeft;
    *y = kReadoutTop - 15 - kReadoutPitch * i;
}

void XFormsEditor::ClickOptionList(int x, int y)
{
    if (gFractalType != 48 || editGeneratorsOn) return;
    const GeneratorGroup* g = SelectedGroup();
    if (!g) return;
    const int n = g->blockCount;
    for (int k = 0; k < n; ++k) {
        if (x < kRowLeft || x > kRowRight || y < RowBottom(k) || y > RowBottom(k) + kRowHeight) continue;
        // The corner mark of the selected row takes the block away.
        if (k == gTransformEdit.selectedBlock && x > 104 && y > RowBottom(k) + kRowHeight - 11 && n > 1) {
            PostChainRequest(2, gTransformEdit.selected);
            return;
        }
        gTransformEdit.selectedBlock = k;
        blockTypeListOpen = 0;
        SelectGeneratorBlock();
        pointPreviewDirty = 1;
        return;
    }
    if (!blockTypeListOpen && blockButtons[0].Click(x, y, kHeaderX, kHeaderY)) {
        blockButtons[0].pressed = 0;
        blockTypeListOpen = 1;
        blockTypeChoice = std::max(SelectedBlockType(g), 0);
        return;
    }
    if (n < kMaxGeneratorBlocks && blockButtons[1].Click(x, y, 44, InsertY(n))) {
        blockButtons[1].pressed = 0;
        blockTypeListOpen = 0;
        PostChainRequest(4, gTransformEdit.selected);
        return;
    }
    const int type = SelectedBlockType(g);
    if (blockTypeListOpen || type < 0 || x < kReadoutLeft || x > kReadoutRight) return;
    for (int i = 0; i < gGeneratorShownParamCounts[type]; ++i) {
        const int top = kReadoutTop - kReadoutPitch * i;
        if (y < top - 14 || y > top) continue;
        gTransformEdit.parameter = i;
        PostChainRequest(5, gTransformEdit.selected);
        return;
    }
}

void XFormsEditor::DrawTransformationOverlay()
{
    if (!gXFormsEditorOpen || gFractalType != 48 || editGeneratorsOn) return;
    const GeneratorGroup* g = SelectedGroup();
    if (!g) return;
    const int n = g->blockCount;
    const int selected = gTransformEdit.selectedBlock;
    // Drawn over the panel's texts as they are: added light, no depth test.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_TEXTURE_2D);
    for (int k = 0; k < n; ++k) {
        const float y0 = static_cast<float>(RowBottom(k)), y1 = y0 + kRowHeight;
        if (k == selected) {
            glColor3f(0.25f, 0.1f, 0.1f);
            FlatQuad(kRowLeft, y0, kRowRight, y1, kZ);
        }
        glColor3f(k == selected ? 1.0f : 0.4f, k == selected ? 0.3f : 0.4f, k == selected ? 0.3f : 0.4f);
        OutlineQuad(kRowLeft, y0, kRowRight, y1, kZ);
    }
    if (selected >= 0 && selected < n) {
        glColor3f(1.0f, 0.3f, 0.3f);
        float points[6][2];
        const int count = ConnectorPoints(selected, blockTypeListOpen != 0, points);
        glBegin(GL_LINE_STRIP);
        for (int k = 0; k < count; ++k) glVertex3f(points[k][0], points[k][1], kZ);
        glEnd();
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glColor3f(1, 1, 1);
    for (int k = 0; k < n; ++k) {
        const int type = g->blockTypes[k];
        DrawText(kRowLeft + 6, RowBottom(k) + 14, gGeneratorBlockNames[type], 1);
        if (k == selected && n > 1) DrawText(kRowRight - 14, RowBottom(k) + kRowHeight - 14, "x", 1);
    }
    if (!blockTypeListOpen) {
        blockButtons[0].visible = 1;
        blockButtons[0].Draw(kHeaderX, kHeaderY);
        const int type = SelectedBlockType(g);
        for (int i = 0; type >= 0 && i < gGeneratorShownParamCounts[type]; ++i) {
            const int y = kReadoutTop - 13 - kReadoutPitch * i;
            DrawText(kReadoutLeft + 4, y, GeneratorParamCaption(type, i), 1);
            const float* p = GeneratorBlockParameters(gTransformEdit.selected, selected, i + 1);
            if (p) DrawFloatText(kReadoutLeft + 76, y, p[i]);
        }
    }
    if (n < kMaxGeneratorBlocks) {
        blockButtons[1].visible = 1;
        blockButtons[1].Draw(44, InsertY(n));
    }
    glPopAttrib();
}

int XFormsEditor::ChainViewRects(float (*rects)[4], int max) const
{
    if (gFractalType != 48 || editGeneratorsOn) return 0;
    const GeneratorGroup* g = SelectedGroup();
    if (!g) return 0;
    int n = 0;
    auto add = [&](float x0, float y0, float x1, float y1) {
        if (n >= max) return;
        rects[n][0] = std::min(x0, x1), rects[n][1] = std::min(y0, y1);
        rects[n][2] = std::max(x0, x1), rects[n][3] = std::max(y0, y1);
        ++n;
    };
    const int blocks = g->blockCount, selected = gTransformEdit.selectedBlock;
    for (int k = 0; k < blocks; ++k)
        add(kRowLeft, static_cast<float>(RowBottom(k)), kRowRight, static_cast<float>(RowBottom(k) + kRowHeight));
    if (selected >= 0 && selected < blocks) {
        // Each segment as a band one unit to either side of the line.
        float points[6][2];
        const int count = ConnectorPoints(selected, blockTypeListOpen != 0, points);
        for (int k = 0; k + 1 < count; ++k)
            add(points[k][0] - 1, points[k][1] - 1, points[k + 1][0] + 1, points[k + 1][1] + 1);
    }
    const int type = SelectedBlockType(g);
    for (int i = 0; !blockTypeListOpen && type >= 0 && i < gGeneratorShownParamCounts[type]; ++i) {
        int x = 0, y = 0;
        ReadoutRowPlace(i, &x, &y);
        add(static_cast<float>(x), static_cast<float>(y), static_cast<float>(kReadoutRight),
            static_cast<float>(y + 16));
    }
    return n;
}
