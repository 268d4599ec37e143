// The transformation editor's control table: each widget with the field of
// the selected transformation (or of the picker) it shows, the condition
// that shows it, and what a change sets off. The record is the truth; the
// trackball, the windows and the lists only show it.
//
// Sections: [values] [actions] [widget classes] [table]
#include <cmath>
#include <cstring>

#include "editors/random_fractal.h"
#include "editors/xforms_editor.h"
#include "engine/escape_time_kernels.h"
#include "engine/fractal_model.h"
#include "engine/generator_chain_editing.h"
#include "engine/kernel_framework.h"
#include "engine/pick_table.h"
#include "engine/transform_set.h"
#include "ui/panel_pages.h"
#include "ui/widget.h"

namespace {

XFormsEditor& E() { return gXFormsEditor; }

// ---- [values] ---------------------------------------------------------------------

TransformRecord& Selected() { return gTransforms[std::min(std::max(gTransformEdit.selected, 0), kMaxTransforms - 1)]; }
int SelectedIndex() { return std::min(std::max(gTransformEdit.selected, 0), kMaxTransforms - 1); }

void* RotationAt(int row) { return row >= 0 && row < 9 ? &Selected().rotation[row] : nullptr; }
void* ScaleAt(int row) { return row >= 0 && row < 3 ? &Selected().scaleShear[4 * row] : nullptr; }
// Shear rows: S[1][0], S[2][0], S[0][1], S[2][1], S[0][2], S[1][2].
void* ShearAt(int row)
{
    static const int kElements[6] = {3, 6, 1, 7, 2, 5};
    return row >= 0 && row < 6 ? &Selected().scaleShear[kElements[row]] : nullptr;
}
void* WeightAt(int row) { return row == 0 ? &Selected().weight : nullptr; }
void* AmountAt(int row) { return row >= 0 && row < 10 ? &Selected().variationAmount[row] : nullptr; }
// The list keeps its rows from the bottom: variation k is row 9 - k.
void* VariationAt(int row) { return row >= 0 && row < 10 ? &Selected().variationOn[9 - row] : nullptr; }
void* PairAt(int row) { return row >= 0 && row < 2 ? &gForbiddenSuccessors[SelectedIndex()][row] : nullptr; }
void* ColorAt(int row)
{
    int32_t* planes[3] = {gTransformColors.r, gTransformColors.g, gTransformColors.b};
    return row >= 0 && row < 3 ? &planes[row][SelectedIndex()] : nullptr;
}
// "Maxiter", "Height", "Width", "Zoom Speed": the escape-time kernels'
// iteration limit in force, the picker's view in transformation 0's amounts
// 4 and 5, the picker's zoom speed.
float PickerRow(int row)
{
    switch (row) {
    case 0: return static_cast<float>(gEscapeIterationLimit);
    case 1: return gTransforms[0].variationAmount[4];
    case 2: return gTransforms[0].variationAmount[5];
    case 3: return E().pickerZoomSpeed;
    default: return 0.0f;
    }
}
void SetPickerRow(int row, float v)
{
    switch (row) {
    case 0: gEscapeIterationLimit = std::max(1, CheckedTruncToInt(v)); break;
    case 1: gTransforms[0].variationAmount[4] = v; break;
    case 2: gTransforms[0].variationAmount[5] = v; break;
    case 3: E().pickerZoomSpeed = v; break;
    default: break;
    }
}

// "Function": rows from the bottom, row 5 - gEscapeFunction.
float FunctionRow(int) { return static_cast<float>(5 - (gEscapeFunction >= 0 && gEscapeFunction <= 5 ? gEscapeFunction : 0)); }
void ChooseFunction(int, float v)
{
    const int row = CheckedTruncToInt(v);
    if (row < 0 || row > 5) return;
    gEscapeFunction = 5 - row;
    SelectFractalTypeKernel();
    E().pointPreviewDirty = 1;
}

// ---- [actions] --------------------------------------------------------------------

bool EditOn() { return gXFormsEditorOpen != 0; }
template <XfWidget W>
bool Shows()
{
    return EditOn() && E().Enabled(W);
}
bool ChainView() { return EditOn() && gFractalType == 48 && !E().editGeneratorsOn; }
bool BlockTypeListShown() { return ChainView() && E().blockTypeListOpen != 0; }

// A press, not a wheel notch: the held widget keeps the drag routing.
bool Dragging() { return gDragGroup != 0; }

void EditSwitched()
{
    if (gXFormsEditorOpen) E().SnapshotTransformations();
}

void Compose() { E().RecordChanged(true); }
void Dirty() { E().RecordChanged(false); }

void WeightChanged()
{
    const int t = SelectedIndex();
    gTransformWeights[t] = gTransforms[t].weight;
    if (Dragging()) {
        E().weightDragged = 1;
    } else {
        PublishNormalizedWeights();
        E().pointPreviewDirty = 1;
    }
}

void VariationsChanged()
{
    TransformRecord& r = Selected();
    int on = 0;
    for (int k = 0; k < 10; ++k) on += r.variationOn[k] ? 1 : 0;
    r.variationCount = on;
    E().pointPreviewDirty = 1;
}

void PairChanged()
{
    if (E().hooks.buildPickTable) E().hooks.buildPickTable();
}

void UniformChanged()
{
    if (gFractalType == 12 || gFractalType == 21) E().uniformOn = 1;
}

// "0" turns the selected transformation straight; the list returns to "T".
void RotChosen()
{
    if (E().rotRow != 0) return;
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::memcpy(Selected().rotation, identity, sizeof identity);
    E().rotRow = 4;
    Compose();
}

// "0" puts the selected transformation at the origin; the list returns to "F".
void TransChosen()
{
    if (E().transRow != 0) return;
    for (float& p : Selected().position) p = 0.0f;
    E().transRow = 4;
    Compose();
}

void FixedRotationChosen()
{
    const float* m = FixedRotationMatrix(E().fixedChoice);
    if (m == nullptr) return;
    std::memcpy(Selected().rotation, m, sizeof Selected().rotation);
    // A second press on the same cell applies it again.
    E().fixedChoice = -1;
    Compose();
}

// A window other than "Camera" pans; "Rotate" turns the camera's view.
void WindowChosen()
{
    if (E().windowRow != 3) E().controlsRow = 0;
}
void ControlsChosen()
{
    if (E().controlsRow == 1) E().windowRow = 3;
}

void PickerRowsChanged()
{
    gTransforms[0].variationAmount[7] = static_cast<float>(gEscapeIterationLimit);
    E().pointPreviewDirty = 1;
    if (Dragging()) {
        E().pickerDragged = 1;
    } else {
        E().RenderMandelbrotPicker(128, 128, true);
    }
}

void BlockTypeChosen()
{
    E().blockTypeListOpen = 0;
    gTransformEdit.blockType = E().blockTypeChoice;
    E().PostChainRequest(3, gTransformEdit.selected);
}

void EditGeneratorsSwitched() { E().blockTypeListOpen = 0; }

bool GeneratorListShown() { return EditOn() && gFractalType == 48 && E().editGeneratorsOn; }

// A chosen row makes a new fractal of it at once.
void GeneratorRowChosen()
{
    CreateRandomFractal();
    E().pointPreviewDirty = 1;
}

template <void (XFormsEditor::*Command)()>
void Run()
{
    (E().*Command)();
}
template <bool (XFormsEditor::*Command)()>
void RunBool()
{
    (E().*Command)();
}

template <int Id>
void Released()
{
    E().buttons[Id].pressed = 0;
}

// ---- [widget classes] -------------------------------------------------------------

// The trackball shows the selected record's rotation. "Rot": 4 "T" turns
// freely, 3 "X", 2 "Y" and 1 "Z" about one axis.
uint8_t BallMode() { return E().rotRow >= 1 && E().rotRow <= 4 ? static_cast<uint8_t>(E().rotRow - 1) : 3; }
void BallPressed() { E().SnapshotTransformations(); }
constexpr const ControlOps& kBallOps = kRotationBallOps<BallPressed, BallMode>;

// The kit's own ops of a window class, with an undo copy at every press.
template <class W>
const ControlOps& Base(const Control& c)
{
    return *Bind(*static_cast<W*>(c.widget), "").ops;
}

template <class W>
struct UndoableWindow {
    static bool Press(const Control& c, int x, int y)
    {
        const bool took = Base<W>(c).press(c, x, y);
        if (took) E().SnapshotTransformations();
        return took;
    }
    static bool Drag(const Control& c, int x, int y) { return Base<W>(c).drag(c, x, y); }
    static bool Wheel(const Control& c, int x, int y, float step) { return Base<W>(c).wheel(c, x, y, step); }
    static void Draw(const Control& c) { Base<W>(c).draw(c); }
    static void Show(const Control& c) { Base<W>(c).show(c); }
    // With "Uniform" on, the scale row that changed gives all three.
    static bool Store(const Control& c)
    {
        float before[3] = {};
        for (int r = 0; r < 3 && r < c.rows; ++r) before[r] = c.Get(r);
        const bool changed = Base<W>(c).store(c);
        if (changed && c.widget == &E().scaleWindow && E().uniformOn) {
            for (int r = 0; r < 3; ++r) {
                if (c.Get(r) == before[r]) continue;
                const float v = c.Get(r);
                for (int k = 0; k < 3; ++k) c.Set(k, v);
                break;
            }
        }
        return changed;
    }
    static void SetVisible(const Control& c, bool on) { Base<W>(c).setVisible(c, on); }
    static void Bounds(const Control& c, float* r) { Base<W>(c).bounds(c, r); }
    static int Rows(const Control& c) { return Base<W>(c).rowCount(c); }
    static void RowPoint(const Control& c, int row, int* x, int* y) { Base<W>(c).rowPoint(c, row, x, y); }
};

template <class W>
constexpr ControlOps kUndoableWindowOps = {UndoableWindow<W>::Press, UndoableWindow<W>::Drag,
                                           UndoableWindow<W>::Wheel, UndoableWindow<W>::Draw,
                                           UndoableWindow<W>::Show,  UndoableWindow<W>::Store,
                                           UndoableWindow<W>::SetVisible, UndoableWindow<W>::Bounds,
                                           UndoableWindow<W>::Rows,  UndoableWindow<W>::RowPoint,
                                           true};

template <class W>
Control Undoable(W& w, const char* name)
{
    Control c = Bind(w, name);
    c.ops = &kUndoableWindowOps<W>;
    return c;
}

// The gradient browser: a picked strip is the change.
GSelector& Browser(const Control& c) { return *static_cast<GSelector*>(c.widget); }
bool gStripPicked = false;

const ControlOps kBrowserOps = {
    [](const Control& c, int x, int y) { return gStripPicked = Browser(c).Click(x, y); },
    [](const Control&, int, int) { return false; },
    [](const Control& c, int x, int y, float step) { return Browser(c).Wheel(x, y, step); },
    [](const Control& c) { Browser(c).Draw(); },
    [](const Control&) {},
    [](const Control&) {
        const bool picked = gStripPicked;
        gStripPicked = false;
        return picked;
    },
    [](const Control& c, bool on) { Browser(c).visible = on ? 1 : 0; },
    // Its frame, the scroll column at the right and the title bar on top.
    [](const Control& c, float* r) {
        const GSelector& g = Browser(c);
        r[0] = g.left - 4, r[1] = g.bottom - 2, r[2] = g.right + 32, r[3] = g.top + 24;
    },
    [](const Control&) { return 1; },
    [](const Control& c, int, int* x, int* y) {
        const GSelector& g = Browser(c);
        *x = static_cast<int>((g.left + g.right) / 2);
        *y = static_cast<int>(g.top - 8);
    },
    false,
};

Control BrowserControl()
{
    Control c;
    c.name = "Gradient Browser";
    c.ops = &kBrowserOps;
    c.widget = &E().gradientBrowser;
    return c;
}

void StripPicked()
{
    ColorMap map;
    E().gradientBrowser.CopyRow(E().gradientBrowser.selectedRow, map);
    std::memcpy(gEscapeGradient.r, map.red, sizeof map.red);
    std::memcpy(gEscapeGradient.g, map.green, sizeof map.green);
    std::memcpy(gEscapeGradient.b, map.blue, sizeof map.blue);
    E().RenderMandelbrotPicker(128, 128, true);
    E().pointPreviewDirty = 1;
}

Control BallControl()
{
    Control c;
    c.name = "TrackBall";
    c.ops = &kBallOps;
    c.widget = &E().trackBall;
    return c;
}

// ---- [table] ----------------------------------------------------------------------

Control Page(Control c) { return c.On(kTabEditors, kPageTransformations); }

template <int Id>
Control TransformButton(const char* name, bool (*shown)(), void (*action)())
{
    return Page(Bind(E().buttons[Id], name)).When(shown).Then(action);
}

template <int Id>
Control PickerButton(const char* name, void (*action)())
{
    return Page(Bind(E().pickerButtons[Id], name)).When(Shows<kXfPickerButtons>).Then(action);
}

template <int Id, void (XFormsEditor::*Command)()>
void Press()
{
    Released<Id>();
    Run<Command>();
}
template <int Id, bool (XFormsEditor::*Command)()>
void PressBool()
{
    Released<Id>();
    RunBool<Command>();
}
template <int Id, void (XFormsEditor::*Command)()>
void PickerPress()
{
    E().pickerButtons[Id].pressed = 0;
    Run<Command>();
}
template <int Id, bool (XFormsEditor::*Command)()>
void PickerPressBool()
{
    E().pickerButtons[Id].pressed = 0;
    RunBool<Command>();
}

const Control kXFormsEditor[] = {
    Page(Bind(E().editBox, "Edit (Transformations)")).Value(&gXFormsEditorOpen).Then(EditSwitched),
    TransformButton<kXfButtonPrevious>("# (Transformations)", Shows<kXfPrevious>,
                                       Press<kXfButtonPrevious, &XFormsEditor::PreviousTransformation>),
    TransformButton<kXfButtonNext>("$ (Transformations)", Shows<kXfNext>,
                                   Press<kXfButtonNext, &XFormsEditor::NextTransformation>),
    TransformButton<kXfButtonNew>("New", Shows<kXfNew>, Press<kXfButtonNew, &XFormsEditor::NewTransformation>),
    TransformButton<kXfButtonDelete>("Delete", Shows<kXfDelete>,
                                     Press<kXfButtonDelete, &XFormsEditor::DeleteTransformation>),
    TransformButton<kXfButtonUndo>("Undo", Shows<kXfUndo>, Press<kXfButtonUndo, &XFormsEditor::Undo>),
    TransformButton<kXfButtonSave>("Save (Transformations)", Shows<kXfSave>,
                                   PressBool<kXfButtonSave, &XFormsEditor::SaveTransformationFile>),
    TransformButton<kXfButtonLoad>("Load (Transformations)", Shows<kXfLoad>,
                                   PressBool<kXfButtonLoad, &XFormsEditor::LoadTransformationFile>),
    Page(Bind(E().colorPanel, "Color (Transformations)"))
        .When(Shows<kXfColor>)
        .Rows(ValueKind::Int, ColorAt, 3)
        .Then(Dirty)
        .Wheel(1),
    Page(Undoable(E().pairWindow, "Filter:"))
        .When(Shows<kXfPair>)
        .Rows(ValueKind::Int, PairAt, 2)
        .Whole()
        .Then(PairChanged)
        .Wheel(1)
        .Draw(16),
    Page(Undoable(E().weightWindow, "Probability"))
        .When(Shows<kXfWeight>)
        .Rows(ValueKind::Float, WeightAt, 1)
        .Then(WeightChanged)
        .Wheel(0.1f)
        .Draw(16),
    TransformButton<kXfButtonNormalize>("Norm.", Shows<kXfNormalize>,
                                        Press<kXfButtonNormalize, &XFormsEditor::NormalizeWeights>),
    TransformButton<kXfButtonEqualize>("Equal.", Shows<kXfEqualize>,
                                       Press<kXfButtonEqualize, &XFormsEditor::EqualizeWeights>),
    Page(Bind(E().windowList, "Window (Transformations)")).When(EditOn).Value(&E().windowRow).Then(WindowChosen),
    Page(Bind(E().controlsList, "Controls (Transformations)"))
        .When(EditOn)
        .Value(&E().controlsRow)
        .Then(ControlsChosen),
    Page(Bind(E().editGeneratorsBox, "Edit Generators"))
        .When(Shows<kXfEditGenerators>)
        .Value(&E().editGeneratorsOn)
        .Then(EditGeneratorsSwitched),
    Page(Bind(E().generatorList, "Fractal Generator (Transformations)"))
        .When(GeneratorListShown)
        .Value(&gFractalGeneratorRow)
        .Then(GeneratorRowChosen)
        .Wheel(1),
    Page(Bind(E().blockTypeList, "Block Type"))
        .When(BlockTypeListShown)
        .Value(&E().blockTypeChoice)
        .Then(BlockTypeChosen)
        .Wheel(1),
    Page(Bind(E().variationList, "Variations"))
        .When(Shows<kXfVariations>)
        .Rows(ValueKind::Byte, VariationAt, 10)
        .Then(VariationsChanged)
        .Draw(1),
    Page(Undoable(E().amountWindow, "Amounts"))
        .When(Shows<kXfAmounts>)
        .Rows(ValueKind::Float, AmountAt, 10)
        .Then(Dirty)
        .Wheel(0.01f)
        .Draw(40),
    Page(Bind(E().uniformBox, "Uniform")).When(Shows<kXfUniform>).Value(&E().uniformOn).Then(UniformChanged),
    Page(Undoable(E().scaleWindow, "Scale (Transformations)"))
        .When(Shows<kXfScale>)
        .Rows(ValueKind::Float, ScaleAt, 3)
        .Then(Compose)
        .Wheel(0.1f)
        .Draw(40),
    Page(Undoable(E().shearWindow, "Shear"))
        .When(Shows<kXfShear>)
        .Rows(ValueKind::Float, ShearAt, 6)
        .Then(Compose)
        .Wheel(0.1f)
        .Draw(40),
    TransformButton<kXfButtonReset>("Reset (Transformations)", Shows<kXfReset>,
                                    Press<kXfButtonReset, &XFormsEditor::ResetScaleAndShear>),
    Page(Bind(E().transList, "Tr.")).When(Shows<kXfTrans>).Value(&E().transRow).Then(TransChosen),
    Page(BallControl()).When(Shows<kXfTrackBall>).Rows(ValueKind::Float, RotationAt, 9).Then(Compose).Wheel(10),
    Page(Bind(E().rotList, "Rot (Transformations)")).When(Shows<kXfRot>).Value(&E().rotRow).Then(RotChosen),
    Page(Bind(E().fixedRotation, "Fixed Rotation"))
        .When(Shows<kXfFixedRotation>)
        .Value(&E().fixedChoice)
        .Then(FixedRotationChosen),
    Page(Bind(E().functionList, "Function")).When(Shows<kXfFunction>).Derived(FunctionRow, ChooseFunction),
    Page(Bind(E().zoomTypeList, "Zoom Type")).When(Shows<kXfZoomType>).Value(&E().zoomTypeRow),
    Page(Bind(E().pickerParameters, "Parameters (Picker)"))
        .When(Shows<kXfPickerParameters>)
        .Derived(PickerRow, SetPickerRow, 4)
        .Whole()
        .Then(PickerRowsChanged)
        .Wheel(1, true)
        .Draw(90),
    PickerButton<kXfPickerLoad>("Load (Picker)", PickerPressBool<kXfPickerLoad, &XFormsEditor::PickColorMap>),
    PickerButton<kXfPickerRandom>("Rnd (Picker)", PickerPress<kXfPickerRandom, &XFormsEditor::RandomPickerColorMap>),
    PickerButton<kXfPickerSave>("Save (Picker)", PickerPressBool<kXfPickerSave, &XFormsEditor::SavePickerColorMap>),
    PickerButton<kXfPickerReset>("Reset (Picker)", PickerPress<kXfPickerReset, &XFormsEditor::PickerReset>),
    Page(BrowserControl()).When(Shows<kXfPickerButtons>).Then(StripPicked).Wheel(1),
};

}  // namespace

ControlTable XFormsEditorControls() { return kXFormsEditor; }
