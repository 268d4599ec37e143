// The "Editors" tab: its page strip, the "Panel" list of the 3-D preview and
// the light editor of "Additional Objects". The baseshape and transformation
// editors add their own tables.
#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/frame.h"
#include "app/input_clicks.h"
#include "app/material_panel.h"
#include "app/panel_state.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "render/render_threads.h"
#include "app/point_preview.h"
#include "app/procedural_texture_thread.h"
#include "materials/shader.h"
#include "render/view_camera.h"
#include "app/render_control.h"

namespace {

Shader& Sh() { return gShader; }
LightSource& Light() { return Sh().lights[EditedLight()]; }

// "Panel" belongs to the page whose editor is editing, whichever view it chose.
bool InEditMode()
{
    switch (gPanel.editorPage) {
    case kPageBaseshapes: return gBaseShapeEditorOpen != 0;
    case kPageTransformations: return gXFormsEditorOpen != 0;
    case kPageObjects: return gPanel.lightEditOn != 0;
    default: return false;
    }
}
bool LightEditOn() { return gPanel.lightEditOn != 0; }
bool LightsChosen() { return LightEditOn() && gPanel.objectToEdit == 1; }
bool LightEnabled() { return LightsChosen() && SharedLoad(Light().enabled) != 0; }
bool LightTextured() { return LightEnabled() && SharedLoad(Light().textured) != 0; }
bool LightColored() { return LightEnabled() && SharedLoad(Light().textured) == 0; }

void PreviewChanged() { gPointPreviewValid = 0; }

void EditorPageChosen() { UpdateControlPage(); }

void ViewPanelChosen()
{
    const bool vector = gPanel.viewPanel == 1;
    gScreenState = vector ? kScreenPreview3D : kScreenPointPreview;
    gZoom3DSlider.visible = vector ? 1 : 0;
    gZoomSlider.visible = vector ? 0 : 1;
}

// The light editor's "Edit" enters and leaves the 3-D preview; another
// editor's box still on keeps it.
void LightEditSwitched()
{
    if (LightEditOn()) {
        EnterEditMode();
    } else {
        EndEditModeWithoutBoxes(false);
    }
}

void StepLight(int step)
{
    const int light = EditedLight() + step;
    if (light < 0 || light >= kLightCount) return;
    Sh().editedLight = light;
    Sh().ShowLightGelThumbnail(light);
    PreviewChanged();
}
void PreviousLight()
{
    gMaterialPanel.lightButtons[kLightPrevious].pressed = 0;
    StepLight(-1);
}
void NextLight()
{
    gMaterialPanel.lightButtons[kLightNext].pressed = 0;
    StepLight(1);
}

void* LightEnabledAt(int row) { return row == 0 ? &Light().enabled : nullptr; }
void* LightTexturedAt(int row) { return row == 0 ? &Light().textured : nullptr; }
void* LightParameterAt(int row) { return row == 0 ? &Light().radius : row == 1 ? &Light().cutOff : nullptr; }
void* LightColorAt(int row) { return row >= 0 && row < 3 ? &Light().colorBytes[row] : nullptr; }

void LightColorChanged()
{
    LightSource& light = Light();
    for (int c = 0; c < 3; ++c) SharedStore(light.color[c], static_cast<float>(SharedLoad(light.colorBytes[c])) / 255.0f);
}

void NewGels()
{
    gMaterialPanel.lightButtons[kLightNewTextures].pressed = 0;
    Sh().RegenerateTexturePresets(kLightGelPanel * kPresetsPerPanel, kTexturePresetCount, 5);
}

// The chosen gel preset, made in full by the procedural texture thread.
void SelectGel()
{
    gMaterialPanel.lightButtons[kLightSelect].pressed = 0;
    if (!gProceduralTextureBusy.load()) {
        Sh().ResetLightGel(EditedLight());
        Sh().RenderGelPreset(gPanel.presetEntry[kLightGelPanel]);
    }
    // A start while one runs shows the refusal and changes nothing.
    StartProceduralTexture(5);
}

void LoadGel()
{
    gMaterialPanel.lightButtons[kLightLoad].pressed = 0;
    Sh().LoadLightGelDialog(EditedLight());
}

void ClearGel()
{
    gMaterialPanel.lightButtons[kLightClear].pressed = 0;
    Sh().ResetLightGelWhite(EditedLight());
    Sh().ShowLightGelThumbnail(EditedLight());
    PreviewChanged();
}

// "0" in "Rot" puts the gel straight and the list back where it was.
void RotationChosen()
{
    if (gPanel.lightRotation != 0) return;
    LightSource& light = Light();
    for (int i = 0; i < 9; ++i) SharedStore(light.orientation[i], i % 4 == 0 ? 1.0f : 0.0f);
    gPanel.lightRotation = gMaterialPanel.rotationList.previous;
    PreviewChanged();
}

// "Center" puts the light (or the camera's point of view) at the origin and
// the list back where it was.
void TransChosen()
{
    if (gPanel.lightTrans != 0) return;
    if (gPanel.objectToEdit == 1) {
        for (float& p : Light().position) SharedStore(p, 0.0f);
    } else {
        for (float& p : gPreview3DPan) p = 0.0f;  // the 3-D preview's point of view
    }
    gPanel.lightTrans = gMaterialPanel.transList.previous;
    PreviewChanged();
}

// A window other than "Camera" pans; "Rotate" looks through the camera.
void WindowChosen()
{
    if (gPanel.lightWindow != 3) gPanel.lightControls = 0;
}
void ControlsChosen()
{
    if (gPanel.lightControls == 1) gPanel.lightWindow = 3;
}

// The direction ball turns the edited light's gel: its value is the light's
// orientation (stored transposed), and "Rot" constrains the turn.
uint8_t BallMode() { return static_cast<uint8_t>(gPanel.lightRotation - 1); }

void ShowOrientation(SimpleBall& b)
{
    const LightSource& light = Light();
    bool differs = false;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) differs = differs || b.rotation[c][r] != SharedLoad(light.orientation[3 * r + c]);
    if (!differs) return;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) b.rotation[c][r] = SharedLoad(light.orientation[3 * r + c]);
    for (int i = 0; i < 3; ++i) {
        b.turned[i] =
            b.rotation[i][0] * b.reference[0] + b.rotation[i][1] * b.reference[1] + b.rotation[i][2] * b.reference[2];
    }
    b.UpdateAngles();
}

bool StoreOrientation(SimpleBall& b)
{
    LightSource& light = Light();
    bool changed = false;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            float& v = light.orientation[3 * r + c];
            changed = changed || SharedLoad(v) != b.rotation[c][r];
            SharedStore(v, b.rotation[c][r]);
        }
    }
    return changed;
}

SimpleBall& Ball(const Control& c) { return *static_cast<SimpleBall*>(c.widget); }

const ControlOps kGelBallOps = {
    [](const Control& c, int x, int y) { return Ball(c).Click(x, y, BallMode()); },
    [](const Control& c, int x, int y) {
        const bool moved = Ball(c).Drag(x, y, BallMode());
        if (moved) Ball(c).UpdateAngles();
        return moved;
    },
    [](const Control& c, int x, int y, float step) { return Ball(c).Wheel(x, y, step); },
    [](const Control& c) { Ball(c).Draw(); },
    [](const Control& c) { ShowOrientation(Ball(c)); },
    [](const Control& c) { return StoreOrientation(Ball(c)); },
    [](const Control& c, bool on) { Ball(c).visible = on ? 1 : 0; },
    [](const Control& c, float* r) {
        const SimpleBall& b = Ball(c);
        r[0] = b.x0, r[1] = b.y0, r[2] = b.x1, r[3] = b.y1;
    },
    [](const Control&) { return 1; },
    [](const Control& c, int, int* x, int* y) {
        *x = static_cast<int>(Ball(c).centreX);
        *y = static_cast<int>(Ball(c).centreY);
    },
    true,
};

Control GelBall()
{
    Control c;
    c.name = "Texture  Dir.";
    c.ops = &kGelBallOps;
    c.widget = &gMaterialPanel.textureDirection;
    return c.On(kTabEditors, kPageObjects).When(LightTextured).Then(PreviewChanged);
}

Control Objects(Control c) { return c.On(kTabEditors, kPageObjects); }
Control LightButton(LightButton b, const char* name) { return Objects(Bind(gMaterialPanel.lightButtons[b], name)); }

MaterialPanel& M() { return gMaterialPanel; }

const Control kEditors[] = {
    Bind(gEditorTab, "Baseshapes").On(kTabEditors).Value(&gPanel.editorPage).Then(EditorPageChosen),
    Objects(Bind(M().editBox, "Edit")).Value(&gPanel.lightEditOn).Then(LightEditSwitched),
    Objects(Bind(M().objectToEdit, "Object to Edit:")).When(LightEditOn).Value(&gPanel.objectToEdit),
    Objects(Bind(M().windowList, "Window")).When(LightEditOn).Value(&gPanel.lightWindow).Then(WindowChosen),
    Objects(Bind(M().controlsList, "Controls")).When(LightEditOn).Value(&gPanel.lightControls).Then(ControlsChosen),
    Objects(Bind(M().transList, "Trans")).When(LightEditOn).Value(&gPanel.lightTrans).Then(TransChosen),
    LightButton(kLightPrevious, "# (Light)").When(LightsChosen).Then(PreviousLight),
    LightButton(kLightNext, "$ (Light)").When(LightsChosen).Then(NextLight),
    Objects(Bind(M().lightEnabledBox, "Enable Light"))
        .When(LightsChosen)
        .Rows(ValueKind::Byte, LightEnabledAt, 1)
        .Effects(kEffectReplot),
    Objects(Bind(M().lightParameters, "Light Parameters"))
        .When(LightEnabled)
        .Rows(ValueKind::Float, LightParameterAt, 2)
        .Effects(kEffectReplot)
        .Wheel(0.1f)
        .Draw(100),
    Objects(Bind(M().useTextureBox, "Use Texture"))
        .When(LightEnabled)
        .Rows(ValueKind::Byte, LightTexturedAt, 1)
        .Effects(kEffectReplot),
    Objects(Bind(M().lightColor, "Color    R       G       B "))
        .When(LightColored)
        .Rows(ValueKind::UInt, LightColorAt, 3)
        .Then(LightColorChanged)
        .Wheel(1),
    Objects(Bind(M().rotationList, "Rot")).When(LightTextured).Value(&gPanel.lightRotation).Then(RotationChosen),
    LightButton(kLightLoad, "Load (Gel)").When(LightTextured).Then(LoadGel),
    LightButton(kLightClear, "Clear (Gel)").When(LightTextured).Then(ClearGel),
    LightButton(kLightNewTextures, "New Textures (Gel)").When(LightTextured).Then(NewGels),
    LightButton(kLightSelect, "Select (Gel)").When(LightTextured).Then(SelectGel),
    Objects(Bind(M().textureBoxes[1], "Gel")).When(LightTextured),
    GelBall(),
    Objects(Bind(M().texturePanels[kLightGelPanel], "Gel Presets"))
        .When(LightTextured)
        .Value(&gPanel.presetEntry[kLightGelPanel])
        .Wheel(5),
    Bind(M().texturePanels[kBaseshapeTexturePanel], "Surface Texture Presets")
        .On(kTabEditors, kPageBaseshapes)
        .When(BaseshapeTexturePresetsShown)
        .Value(&gPanel.presetEntry[kBaseshapeTexturePanel])
        .Wheel(5),
    Bind(M().texturePanels[kBaseshapeDMapPanel], "Displacement Map Presets")
        .On(kTabEditors, kPageBaseshapes)
        .When(BaseshapeDMapPresetsShown)
        .Value(&gPanel.presetEntry[kBaseshapeDMapPanel])
        .Wheel(5),
    Bind(gPanelList, "Panel").On(kTabEditors).When(InEditMode).Value(&gPanel.viewPanel).Effects(kEffectReplot).Then(
        ViewPanelChosen),
};

}  // namespace

ControlTable EditorsControls() { return kEditors; }
