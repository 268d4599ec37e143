#include "app/pending_services.h"

#include "app/frame.h"
#include "app/text_field.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "render/render_buffers.h"


unsigned gPreviewOverlayList = 0;
bool BaseshapeAnimationOn() { return false; }

uint8_t gBaseShapeEditorOpen = 0;
uint8_t gXFormsEditorOpen = 0;
int OpenEditorViewPreset(int current) { return current; }
int OpenEditorControls() { return 1; }
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



bool SaveFractalData(const char*, int) { return false; }
bool LoadFractalData(const char*, int) { return false; }
bool SaveMaterial(const char*) { return false; }
bool LoadMaterial(const char*) { return false; }
bool WriteScriptFile() { return false; }
bool ReadScriptFile() { return false; }
bool CreateRandomFractal() { return false; }
bool StoreTransformEditorUndo() { return false; }
bool ShowSuccessorFields() { return false; }
