// What the transformation editor's buttons, drags and releases do to the
// transformations: every edit takes the one-level undo copy first, changes
// the records, composes them and lets the pick table and the point preview
// follow.
//
// Sections: [undo] [selection] [set] [weights] [drags] [shell services]
#include <algorithm>
#include <cstring>

#include "editors/xforms_editor.h"
#include "editors/xforms_editor_services.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/generator_groups.h"
#include "engine/pick_table.h"
#include "engine/transform_set.h"
#include "ui/widget.h"

namespace {

void BuildPickTable()
{
    if (gXFormsEditor.hooks.buildPickTable) {
        gXFormsEditor.hooks.buildPickTable();
    } else {
        BuildTransformPickTable();
    }
}

bool ChainsShown() { return gFractalType == 48; }

}  // namespace

// ---- [undo] ---------------------------------------------------------------------------

bool XFormsEditor::SnapshotTransformations()
{
    ::SnapshotTransformations(undo, gTransformEdit.selected);
    return true;
}

void XFormsEditor::Undo()
{
    gTransformEdit.selected = RestoreTransformations(undo);
    EnableEditorWidgets();
    pointPreviewDirty = 1;
    BuildPickTable();
}

// ---- [selection] ----------------------------------------------------------------------

void XFormsEditor::SelectTransformation(int t)
{
    gTransformEdit.selected = std::clamp(t, 0, kMaxTransforms - 1);
    gTransformEdit.selectedBlock = 0;
    EnableEditorWidgets();
    if (ChainsShown()) {
        blockTypeListOpen = 0;
        SelectGeneratorBlock();
    }
}

void XFormsEditor::PreviousTransformation()
{
    if (gTransformEdit.selected > 0) SelectTransformation(gTransformEdit.selected - 1);
}

void XFormsEditor::NextTransformation()
{
    if (gTransformEdit.selected < gTransformCount - 1) SelectTransformation(gTransformEdit.selected + 1);
}

// ---- [set] ------------------------------------------------------------------------------

void XFormsEditor::NewTransformation()
{
    // One below the records' number, as users know it.
    if (gTransformCount < 0 || gTransformCount >= kMaxTransforms - 1) return;
    SnapshotTransformations();
    const int n = gTransformCount + 1;
    gTransformCount = gPickTransformCount = n;
    ResetTransformation(gTransformEdit.baseRotation, n - 1);
    gTransformEdit.selected = n - 1;
    gTransformEdit.selectedBlock = 0;
    ComposeTransformation(n - 1);
    UpdateTransformationPairs(n - 1, true, n - 1);
    PostChainRequest(0, n - 1);
    if (hooks.updateTypeButtons) hooks.updateTypeButtons();
    NormalizeTransformWeights();
    BuildPickTable();
    pointPreviewDirty = 1;
}

void XFormsEditor::DeleteTransformation()
{
    if (gTransformCount < 1) return;
    SnapshotTransformations();
    if (gTransformCount == 1) {
        ResetTransformation(gTransformEdit.baseRotation, 0);
        gTransformEdit.selected = 0;
        ComposeTransformation(0);
        gPickTransformCount = 1;
        BuildPickTable();
        pointPreviewDirty = 1;
        return;
    }
    const int s = std::clamp(gTransformEdit.selected, 0, gTransformCount - 1);
    const int before = gTransformCount;
    for (int k = s; k < before - 1; ++k) CopyTransformation(k + 1, k);
    gTransformCount = gPickTransformCount = before - 1;
    if (gTransformEdit.selected > gTransformCount - 1) gTransformEdit.selected = gTransformCount - 1;
    gTransformEdit.selectedBlock = 0;
    UpdateTransformationPairs(s, false, gTransformEdit.selected);
    PostChainRequest(1, s);
    if (hooks.updateTypeButtons) hooks.updateTypeButtons();
    NormalizeTransformWeights();
    BuildPickTable();
    pointPreviewDirty = 1;
}

void XFormsEditor::ResetScaleAndShear()
{
    SnapshotTransformations();
    TransformRecord& r = gTransforms[std::clamp(gTransformEdit.selected, 0, kMaxTransforms - 1)];
    std::memset(r.scaleShear, 0, sizeof r.scaleShear);
    r.scaleShear[0] = r.scaleShear[4] = r.scaleShear[8] = 0.5f;
    blockTypeListOpen = 0;
    RecordChanged(true);
}

// ---- [weights] --------------------------------------------------------------------------

void XFormsEditor::NormalizeWeights()
{
    NormalizeTransformWeights();
    BuildPickTable();
    pointPreviewDirty = 1;
}

void XFormsEditor::EqualizeWeights()
{
    EqualizeTransformWeights();
    BuildPickTable();
    pointPreviewDirty = 1;
}

void XFormsEditor::UpdateWeightSum()
{
    if (weightDragged) {
        weightDragged = 0;
        PublishNormalizedWeights();
        BuildPickTable();
    }
    pickerHover = 0;
    if (pickerDragged) {
        pickerDragged = 0;
        RenderMandelbrotPicker(128, 128, true);
    }
}

void XFormsEditor::SetDefaultTransformationCount()
{
    ::SetDefaultTransformationCount();
    BuildPickTable();
}

// ---- [drags] ----------------------------------------------------------------------------

void XFormsEditor::RecordChanged(bool recompose)
{
    const int t = std::clamp(gTransformEdit.selected, 0, kMaxTransforms - 1);
    if (recompose) {
        ComposeTransformation(t);
        RefreshMobiusMaps();
    }
    if (ChainsShown()) ApplyBlockWidgets();
    pointPreviewDirty = 1;
    // A wheel notch has no release to wait for.
    if (gDragGroup == 0 && hooks.buildPointCloud) hooks.buildPointCloud();
}

void XFormsEditor::DragInPreview(float across, float up, const float* view)
{
    const int t = gTransformEdit.selected;
    if (t < 0 || t >= kMaxTransforms || t >= std::max(gTransformCount, 1)) return;
    // Rows 0 and 1 of the view rotation are the screen's right and up in the model.
    float* p = gTransforms[t].position;
    for (int k = 0; k < 3; ++k) p[k] += across * view[k] + up * view[3 + k];
    RecordChanged(true);
}

// ---- [shell services] -------------------------------------------------------------------

bool StoreTransformEditorUndo() { return gXFormsEditor.SnapshotTransformations(); }

bool ShowSuccessorFields()
{
    gXFormsEditor.UpdateWidgetStates();
    return true;
}

bool FinishXFormsEditorPress()
{
    gXFormsEditor.UpdateWeightSum();
    if (!gXFormsEditor.pointPreviewDirty) return false;
    gXFormsEditor.pointPreviewDirty = 0;
    if (gXFormsEditor.hooks.buildPointCloud) gXFormsEditor.hooks.buildPointCloud();
    return true;
}

// ---- [areas] ----------------------------------------------------------------------------

bool XFormsEditor::HandleAreaClick(int x, int y)
{
    if (!gXFormsEditorOpen) return false;
    if ((gFractalType == 46 || gFractalType == 49) && Enabled(kXfPickerParameters)) {
        if (x >= kPickerLeft + 1 && x <= kPickerLeft + kPickerSize - 1 && y >= kPickerBottom + 1 &&
            y <= kPickerBottom + kPickerSize - 1) {
            pickerHover = 1;
            return true;
        }
        return false;
    }
    if (gFractalType != 48) return false;
    ClickOptionList(x, y);
    return true;
}

bool XFormsEditor::HandleAreaWheel(int x, int y, int delta)
{
    (void)delta;
    if (!gXFormsEditorOpen || !(gFractalType == 46 || gFractalType == 49) || !Enabled(kXfPickerParameters))
        return false;
    if (x < kPickerLeft + 1 || x > kPickerLeft + kPickerSize - 1 || y < kPickerBottom + 1 ||
        y > kPickerBottom + kPickerSize - 1)
        return false;
    RenderMandelbrotPicker(x - kPickerLeft, y - kPickerBottom, false);
    pointPreviewDirty = 1;
    return true;
}
