#include "app/pending_services.h"

#include "app/frame.h"
#include "app/text_field.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "render/render_buffers.h"

uint8_t ExportPngOption(int) { return 0; }
int ImageTypeSelection() { return 1; }
bool DialogsAlwaysAtDefaultFolder() { return false; }
void ShowExportWidgets(bool) {}

float gVoxelExportProgress = 0.5f;

unsigned gGridOverlayList = 0;
unsigned gPreviewOverlayList = 0;
void BuildGridOverlays(int, int) {}
void SetSymmetryRotation(int) {}
bool BaseshapeAnimationOn() { return false; }
bool RenderAnimationPressed() { return false; }
bool PrepareAnimationStart() { return true; }
void EnableRenderAnimation(bool) {}
void RestoreSavedCamera() {}
void UncheckPreviewAnimations() {}
void ResetVoxelPanel() {}
RenderResolution (*gReadRenderResolution)() = [] {
    const bool aa = gAntiAlias2x != 0;
    return RenderResolution{aa ? gImageWidth / 2 : gImageWidth, aa ? gImageHeight / 2 : gImageHeight, aa};
};

uint8_t gBaseShapeEditorOpen = 0;
uint8_t gXFormsEditorOpen = 0;
void TickBaseshapeAnimation(int) {}
void AnimateBaseshapes(int) {}
void DrawBaseshapePreview(int) {}
int OpenEditorViewPreset(int current) { return current; }
int SelectedPreviewBaseshape() { return -1; }
int SelectedPreviewTransformation() { return -1; }
int SelectedPreviewLight() { return -1; }
bool MandelbrotPickerShown() { return false; }
void EditTransformSet(int)
{
    ForgetTextInputTarget(gTransforms, sizeof gTransforms);
    static const float corners[4][3] = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    for (int i = 0; i < 4; ++i) {
        TransformRecord& t = gTransforms[i];
        t = TransformRecord{};
        t.variationOn[0] = 1;
        t.variationAmount[0] = 1.0f;
        t.variationCount = 1;
        for (int k = 0; k < 3; ++k) {
            t.position[k] = 0.5f * corners[i][k];
            t.rotation[4 * k] = 1.0f;
            t.scaleShear[4 * k] = 0.5f;
        }
        t.weight = 0.25f;
        ComposeTransformation(i);
    }
    gTransformCount = 4;
    gPickTransformCount = 4;
    BuildTransformPickTable();
}
void RenderMandelbrotPicker(int, int) {}


void DrawExportProgressBox() {}
void OnExportFinished() {}
int gCurrentTab = 0;

float* RenderThreadsSliderValue()
{
    static float value = 1.0f;
    return &value;
}
float* ExportThreadsSliderValue()
{
    static float value = 1.0f;
    return &value;
}
