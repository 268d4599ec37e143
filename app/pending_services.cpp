#include "app/pending_services.h"

#include "app/frame.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "render/render_buffers.h"

uint8_t gPreviewImage[kPreviewImageSize * kPreviewImageSize * 3];
std::atomic<uint8_t> gPreviewUploadPending{0};
int gExportProgress = -2;
std::atomic<uint8_t> gExportCancel{0};
std::atomic<uint8_t> gFileThreadBusy{0};
int gExportThreadCount = 1;
int gExportThreadCountSaved = 1;
void ShadeProgressive(int) {}
void ShadeFull()
{
    for (int y = 0; y < kPreviewSize; ++y) {
        for (int x = 0; x < kPreviewSize; ++x) {
            const float depth = gPreviewDepth[y * kPreviewSize + x];
            const float grey = depth > 0.0f ? depth * (255.0f / 832.0f) : 0.0f;
            const uint8_t v = static_cast<uint8_t>(grey < 255.0f ? grey : 255.0f);
            uint8_t* p = gPreviewImage + (static_cast<size_t>(y) * kPreviewImageSize + x) * 3;
            p[0] = p[1] = p[2] = v;
        }
    }
    gPreviewUploadPending = 1;
}
void AdvanceAnimationFrame() {}
void FadeSplashImage() {}

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

PreviewLight gPreviewLights[kPreviewLightCount] = {};

bool TextInputActive() { return false; }
void EndTextInput() {}
void DrawTextInputLine() {}
void DrawExportProgressBox() {}
void OnExportFinished() {}
int gCurrentTab = 0;
void OnMouseMove(int, int, bool, bool, bool) {}
void OnRightButtonDown(int, int) {}
void OnRightButtonUp() {}
void OnMouseWheel(int, int, int) {}
bool TextInputKeyDown(int) { return false; }
bool TextInputCharacter(uint8_t) { return false; }

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
