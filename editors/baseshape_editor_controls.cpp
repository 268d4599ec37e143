// The baseshape editor's control table: each widget with the field of the
// current baseshape it shows, the condition that shows it, and what a change
// sets off. The records are the truth; the windows, lists and balls only
// show them.
//
// Sections: [values] [conditions] [actions] [widget classes] [table]
#include <algorithm>
#include <cmath>
#include <cstring>

#include "baseshapes/generator_table.h"
#include "editors/baseshape_editor.h"
#include "editors/baseshape_type_parameters.h"
#include "editors/baseshape_editor_services.h"
#include "engine/point_coloring.h"
#include "ui/font.h"
#include "ui/panel_pages.h"
#include "ui/widget.h"

namespace {

BaseShapeEditor& E() { return gBaseShapeEditor; }

// ---- [values] ---------------------------------------------------------------------

int Current() { return std::clamp(gCurrentBaseshape, 0, kMaxBaseshapes - 1); }
BaseshapeRecord& Record() { return gBaseshapes[Current()]; }
BaseshapePoint& Point() { return gBaseshapeEditPoints[Current()]; }
int Type() { return Record().shapeType; }

// "Depth" shows the record's whole number as the window's float.
float gDepthRow = 0.0f;
void* ParameterAt(int page, int row)
{
    if (row < 0 || row >= kParameterPageRows) return nullptr;
    if (page == 0 && row == 0) {
        gDepthRow = static_cast<float>(Record().pointsPerRun);
        return &gDepthRow;
    }
    if (page == 0 && row == 1) return &Point().size;
    const int k = page == 0 ? row - 2 : page == 1 ? row + 3 : row + 8;
    return k < kShapeParameters ? &Point().p[k] : nullptr;
}
template <int Page>
void* PageAt(int row)
{
    return ParameterAt(Page, row);
}

void* RotationAt(int row) { return row >= 0 && row < 9 ? &Record().rotation[row] : nullptr; }
void* ScaleAt(int row) { return row >= 0 && row < 3 ? &Record().scaleShear[4 * row] : nullptr; }
// Shear rows "XY", "XZ", "YX", "YZ", "ZX", "ZY".
void* ShearAt(int row)
{
    static const int kElements[6] = {3, 6, 1, 7, 2, 5};
    return row >= 0 && row < 6 ? &Record().scaleShear[kElements[row]] : nullptr;
}
void* ShowAt(int row) { return row == 0 ? &Record().showBaseshape : nullptr; }
void* InteriorAt(int row) { return row == 0 ? &Record().interior : nullptr; }
void* MaterialAt(int row) { return row == 0 ? &Record().material : nullptr; }
void* ModifierTypeAt(int row) { return row == 0 ? &gBaseshapeModifierType[Current()] : nullptr; }
void* AmountAt(int row) { return row == 0 ? &gBaseshapeModifierAmount[Current()] : nullptr; }
void* ArrayTypeAt(int row) { return row == 0 ? &gBaseshapeArrayType[Current()] : nullptr; }
void* ArrayCountAt(int row) { return row == 0 ? &gBaseshapeArrayCount[Current()] : nullptr; }
void* PivotAt(int row)
{
    float* pivots[3] = {gBaseshapeArrayPivotX, gBaseshapeArrayPivotY, gBaseshapeArrayPivotZ};
    return row >= 0 && row < 3 ? &pivots[row][Current()] : nullptr;
}
void* UseTextureAt(int row) { return row == 0 ? &Record().useTexture : nullptr; }
void* SmoothAt(int row) { return row == 0 ? &Record().smoothTexture : nullptr; }
void* UseGradientAt(int row) { return row == 0 ? &Record().useGradient : nullptr; }
void* BlendAt(int row) { return row == 0 ? &Record().blendMode : nullptr; }
void* NeonAt(int row) { return row == 0 ? &Record().neonOn : nullptr; }
void* BaseColorAt(int row)
{
    int32_t* planes[3] = {gBaseshapeColors.r, gBaseshapeColors.g, gBaseshapeColors.b};
    return row >= 0 && row < 3 ? &planes[row][Current()] : nullptr;
}
void* NeonColorAt(int row)
{
    uint8_t* planes[3] = {gBaseshapeNeonColor.r, gBaseshapeNeonColor.g, gBaseshapeNeonColor.b};
    return row >= 0 && row < 3 ? &planes[row][Current()] : nullptr;
}
void* NeonStrengthAt(int row) { return row == 0 ? &gBaseshapeNeonStrength[Current()] : nullptr; }
void* SpinFramesAt(int row) { return row == 0 ? &gBaseshapeSpin[Current()][3] : nullptr; }
void* SpinAxisAt(int row) { return row >= 0 && row < 3 ? &gBaseshapeSpin[Current()][row] : nullptr; }
void* MoveWaveAt(int row) { return row >= 0 && row < 3 ? &gBaseshapeMoveWave[Current()][row] : nullptr; }
void* MoveDirectionAt(int row) { return row >= 0 && row < 3 ? &gBaseshapeMoveDirection[Current()][row] : nullptr; }
void* WaveTypeAt(int row) { return row == 0 ? &gBaseshapeWaveType[Current()] : nullptr; }

// ---- [conditions] -------------------------------------------------------------------

bool EditOn() { return gBaseShapeEditorOpen != 0; }
bool Open() { return E().Editing(); }
template <int T>
bool OnTab()
{
    return Open() && E().tab == T;
}
bool TypeIsValid() { return Type() >= 0 && Type() < kBaseshapeKinds; }
int Pages() { return TypeIsValid() ? ShapeParameterPages(Type()) : 1; }
template <int P>
bool PageShown()
{
    return OnTab<kBsShapeTab>() && E().page == P && P < Pages();
}
bool InteriorShown() { return OnTab<kBsShapeTab>() && TypeIsValid() && gBaseshapeHasFilled[Type()] != 0; }
bool MaterialShown() { return OnTab<kBsShapeTab>() || OnTab<kBsColorsTab>(); }
bool DMapShown() { return OnTab<kBsShapeTab>() && ShapeTypeUsesDMap(Type()); }
bool MeshShown() { return OnTab<kBsShapeTab>() && (Type() == 58 || Type() == 60); }
bool StrengthShown() { return OnTab<kBsModifiersTab>() && gBaseshapeModifierType[Current()] >= 1; }
bool ArrayShown() { return OnTab<kBsModifiersTab>() && gBaseshapeArrayType[Current()] >= 1; }
bool Texturable() { return OnTab<kBsColorsTab>() && TypeIsValid() && gBaseshapeTextureOk[Type()] != 0; }
bool TextureOn() { return Texturable() && Record().useTexture != 0; }
bool GradientOn() { return OnTab<kBsColorsTab>() && Record().useGradient != 0; }
bool BlendShown() { return TextureOn() && Record().useGradient != 0; }
bool BaseColorShown() { return OnTab<kBsColorsTab>() && gColoringMode.load() < 8; }
bool NeonOn() { return OnTab<kBsColorsTab>() && Record().neonOn != 0; }

// ---- [actions] --------------------------------------------------------------------

void Edited() { E().Edited(false); }
void Compose() { E().Edited(true); }
void Coloring()
{
    SetColoringMode(gColoringMode.load());
    E().Edited(false);
}

void EditSwitched() { SetColoringMode(gColoringMode.load()); }

// A window other than "Camera" pans; "Rotate" turns the camera's view.
void WindowChosen()
{
    if (E().windowRow != 3) E().controlsRow = 0;
    E().Edited(false);
}
void ControlsChosen()
{
    if (E().controlsRow == 1) E().windowRow = 3;
    E().Edited(false);
}

// Page 1 writes "Depth" into the record (for every baseshape with "Apply to
// all"); every page publishes the template.
void ParametersChanged()
{
    const uint32_t depth = static_cast<uint32_t>(std::max(0.0f, std::trunc(gDepthRow)));
    if (E().page == 0) {
        Record().pointsPerRun = depth;
        if (E().applyToAll)
            for (int j = 0; j < std::min(gBaseshapeCount, kMaxBaseshapes); ++j) gBaseshapes[j].pointsPerRun = depth;
    }
    gBaseshapePointTemplates[Current()] = Point();
    E().Edited(false);
}

void ApplyToAllSwitched()
{
    if (E().applyToAll)
        for (int j = 0; j < std::min(gBaseshapeCount, kMaxBaseshapes); ++j) gBaseshapes[j].pointsPerRun = Record().pointsPerRun;
    E().Edited(false);
}

// "0" of "Rot" and "Tr." acts as a button: the list returns to its choice.
void RotChosen()
{
    if (E().rotRow != 0) return;
    E().rotRow = E().rotList.previous;
    E().ResetRotation();
}
void TransChosen()
{
    if (E().transRow != 0) return;
    E().transRow = E().transList.previous;
    E().MoveToOrigin();
}
// "FRot" and the "Axis" lists act at every press, the same row again too.
void FixedRotationChosen()
{
    const int row = E().fixedRotationRow;
    E().fixedRotationRow = -1;
    E().ApplyFixedRotation(row);
}
void SpinAxisChosen()
{
    const int row = E().spinAxisRow;
    E().spinAxisRow = -1;
    E().ApplyAxisPreset(row, gBaseshapeSpin[Current()]);
}
void MoveAxisChosen()
{
    const int row = E().moveAxisRow;
    E().moveAxisRow = -1;
    E().ApplyAxisPreset(row, gBaseshapeMoveDirection[Current()]);
}

void SidesChanged()
{
    const int i = Current();
    gBaseshapeArrayCount[i] = std::max<uint32_t>(gBaseshapeArrayCount[i], 1);
    gBaseshapeArrayAngle[i] = 6.2831855f / static_cast<float>(gBaseshapeArrayCount[i]);
    E().Edited(false);
}

void ModifierChosen() { E().ModifierChosen(); }
void ArrayChosen() { E().ArrayChosen(); }

template <int Id, void (BaseShapeEditor::*Command)()>
void Press()
{
    E().buttons[Id].pressed = 0;
    (E().*Command)();
}
template <int Id, bool (BaseShapeEditor::*Command)()>
void PressBool()
{
    E().buttons[Id].pressed = 0;
    (E().*Command)();
}
template <int Id, int Kind>
void PressJob()
{
    E().buttons[Id].pressed = 0;
    E().StartTextureJob(Kind);
}

// ---- [widget classes] -------------------------------------------------------------

// The kit's ops of each class.
const ControlOps& ListOps() { return *Bind(E().materialList, "").ops; }
const ControlOps& CheckOps() { return *Bind(E().editBox, "").ops; }
const ControlOps& WindowOps() { return *Bind(E().scaleWindow, "").ops; }

// Forwards to the base ops and takes the undo copy at a press that hit.
template <const ControlOps& (*Base)(), bool ValueDrags>
struct WithUndo {
    static bool Press(const Control& c, int x, int y)
    {
        const bool took = Base().press(c, x, y);
        if (took) E().Snapshot();
        return took;
    }
    static bool Drag(const Control& c, int x, int y) { return Base().drag(c, x, y); }
    static bool Wheel(const Control& c, int x, int y, float step) { return Base().wheel(c, x, y, step); }
    static void Draw(const Control& c) { Base().draw(c); }
    static void Show(const Control& c) { Base().show(c); }
    static bool Store(const Control& c) { return Base().store(c); }
    static void SetVisible(const Control& c, bool on) { Base().setVisible(c, on); }
    static void Bounds(const Control& c, float* r) { Base().bounds(c, r); }
    static int Rows(const Control& c) { return Base().rowCount(c); }
    static void RowPoint(const Control& c, int row, int* x, int* y) { Base().rowPoint(c, row, x, y); }
    static constexpr ControlOps kOps = {Press, Drag, Wheel, Draw, Show, Store, SetVisible, Bounds, Rows, RowPoint,
                                        ValueDrags};
};

// Lists whose value is the item counted from the top.
ListBox& List(const Control& c) { return *static_cast<ListBox*>(c.widget); }
const ControlOps kTopListOps = {
    [](const Control& c, int x, int y) { return ListOps().press(c, x, y); },
    [](const Control&, int, int) { return false; },
    [](const Control&, int, int, float) { return false; },
    [](const Control& c) { ListOps().draw(c); },
    [](const Control& c) {
        ListBox& l = List(c);
        const int row = l.count - 1 - static_cast<int>(c.Get(0));
        if (row < 0 || row >= l.count || l.selected == row) return;
        l.selected = l.previous = row;
        l.selectedFromTop = l.count - 1 - row;
    },
    [](const Control& c) {
        const float item = static_cast<float>(List(c).count - 1 - List(c).selected);
        if (c.Get(0) == item) return false;
        c.Set(0, item);
        return true;
    },
    [](const Control& c, bool on) { ListOps().setVisible(c, on); },
    [](const Control& c, float* r) { ListOps().bounds(c, r); },
    [](const Control& c) { return ListOps().rowCount(c); },
    [](const Control& c, int row, int* x, int* y) { ListOps().rowPoint(c, row, x, y); },
    false,
};
const ControlOps& TopListOps() { return kTopListOps; }

template <class W, const ControlOps& Ops>
Control Make(W& w, const char* name)
{
    Control c;
    c.name = name;
    c.ops = &Ops;
    c.widget = &w;
    return c;
}
Control TopList(ListBox& l, const char* name) { return Make<ListBox, WithUndo<TopListOps, false>::kOps>(l, name); }
Control UndoableCheck(OptionsBox& b, const char* name) { return Make<OptionsBox, WithUndo<CheckOps, false>::kOps>(b, name); }

// The scale window: with "Uniform" on, the row that changed gives all three.
bool StoreScale(const Control& c)
{
    float before[3] = {};
    for (int r = 0; r < 3; ++r) before[r] = c.Get(r);
    const bool changed = WindowOps().store(c);
    if (!changed || !E().uniform) return changed;
    for (int r = 0; r < 3; ++r) {
        if (c.Get(r) == before[r]) continue;
        const float v = c.Get(r);
        for (int k = 0; k < 3; ++k) c.Set(k, v);
        break;
    }
    return true;
}
using UndoWindow = WithUndo<WindowOps, true>;
const ControlOps kScaleOps = {UndoWindow::Press, UndoWindow::Drag,       UndoWindow::Wheel,  UndoWindow::Draw,
                              UndoWindow::Show,  StoreScale,             UndoWindow::SetVisible, UndoWindow::Bounds,
                              UndoWindow::Rows,  UndoWindow::RowPoint,   true};
Control UndoableWindow(SLWindow& w, const char* name) { return Make<SLWindow, UndoWindow::kOps>(w, name); }

// The parameter pages: the rows in use of the current kind, its ranges and
// steps, and its captions beside the rows.
SLWindow& Window(const Control& c) { return *static_cast<SLWindow*>(c.widget); }
int PageOf(const Control& c) { return static_cast<int>(static_cast<SLWindow*>(c.widget) - E().parameterPages); }
int RowsInUse(const Control& c) { return TypeIsValid() ? ShapeParameterRows(Type(), PageOf(c)) : 2; }

void ApplyRanges(int type)
{
    float steps[kParameterPages][kParameterPageRows] = {{1.0f, 0.1f}};
    for (int k = 0; k < kShapeParameters; ++k) {
        const int page = k < 3 ? 0 : k < 8 ? 1 : 2, row = k < 3 ? k + 2 : k < 8 ? k - 3 : k - 8;
        SLWindow& w = E().parameterPages[page];
        const ParameterRange range = ShapeParameterRange(type, k);
        w.minimum[row] = range.minimum;
        w.maximum[row] = range.maximum;
        w.integer[row] = range.integer;
        w.clampMin[row] = w.clampMax[row] = range.clamped;
        w.valuePerUnit[row] = range.dragStep;
        steps[page][row] = ShapeParameterStep(type, k);
    }
    for (int page = 0; page < kParameterPages; ++page) E().parameterPages[page].SetValueList(kParameterPageRows, steps[page]);
    E().rangesFor = type;
}

bool PageRowAt(const Control& c, int x, int y)
{
    const int row = Window(c).RowAt(x, y);
    return row >= 0 && row < RowsInUse(c);
}

const ControlOps kPageOps = {
    [](const Control& c, int x, int y) { return PageRowAt(c, x, y) && UndoWindow::Press(c, x, y); },
    UndoWindow::Drag,
    [](const Control& c, int x, int y, float step) { return PageRowAt(c, x, y) && WindowOps().wheel(c, x, y, step); },
    [](const Control& c) {
        SLWindow& w = Window(c);
        const int rows = RowsInUse(c), page = PageOf(c);
        w.DrawFrameAndRows(90, rows);
        const int first = page == 0 ? 2 : 0;
        for (int row = first; row < rows; ++row) {
            const int k = page == 0 ? row - 2 : page == 1 ? row + 3 : row + 8;
            DrawText(54, 525 - 24 * row, ShapeParameterCaption(Type(), k), 1);
        }
    },
    [](const Control& c) {
        if (E().rangesFor != Type() && TypeIsValid()) ApplyRanges(Type());
        UndoWindow::Show(c);
    },
    UndoWindow::Store,
    UndoWindow::SetVisible,
    UndoWindow::Bounds,
    RowsInUse,
    UndoWindow::RowPoint,
    true,
};
Control ParameterPage(int page, const char* name)
{
    Control c;
    c.name = name;
    c.ops = &kPageOps;
    c.widget = &E().parameterPages[page];
    return c;
}

// The page tabs: the strip of as many tabs as the kind has pages.
MaxTab& Strip() { return E().pageTabs[std::clamp(Pages(), 1, 3) - 1]; }
const ControlOps kPageTabOps = {
    [](const Control&, int x, int y) { return Strip().visible && Strip().Click(x, y); },
    [](const Control&, int, int) { return false; },
    [](const Control&, int, int, float) { return false; },
    [](const Control&) { Strip().Draw(); },
    [](const Control& c) {
        const int v = static_cast<int>(c.Get(0));
        if (v >= 0 && v < Strip().count) Strip().selected = v;
    },
    [](const Control& c) {
        if (c.Get(0) == static_cast<float>(Strip().selected)) return false;
        c.Set(0, static_cast<float>(Strip().selected));
        return true;
    },
    [](const Control&, bool on) {
        for (MaxTab& t : E().pageTabs) t.visible = 0;
        Strip().visible = on ? 1 : 0;
    },
    [](const Control&, float* r) {
        const MaxTab& t = Strip();
        r[0] = t.left, r[1] = static_cast<float>(t.stripBottom), r[2] = t.right, r[3] = t.top;
    },
    [](const Control&) { return Strip().count; },
    [](const Control&, int row, int* x, int* y) {
        const MaxTab& t = Strip();
        *x = static_cast<int>((t.TabLeft(row) + t.TabLeft(row + 1)) / 2);
        *y = static_cast<int>((static_cast<float>(t.stripBottom) + t.top) / 2);
    },
    false,
};

// The shape selector: a cell that shows another kind changes the kind.
TSelector& Selector() { return E().shapeSelector; }
void ShowSelector()
{
    TSelector& s = Selector();
    const int type = Type();
    if (E().selectorShownFor == Current() && E().selectorShownType == type) return;
    const BaseshapeRecord& r = Record();
    int first = r.pickerFirst, cell = r.pickerCell;
    if (first < 0 || first > kShapeLastFirst || cell < 0 || cell >= kPickerCells || first + cell != type) {
        first = KindPickerPageFirst(type);
        cell = std::clamp(type - first, 0, kPickerCells - 1);
    }
    // The highlight follows the cell (a file's stored place is not needed).
    s.first = first;
    s.cell = cell;
    s.column = cell % 5;
    s.row = 2 - cell / 5;
    s.highlightX = s.left + 64.0f * static_cast<float>(s.column);
    s.highlightY = s.bottom + 64.0f * static_cast<float>(s.row);
    s.selected = first + cell;
    E().selectorShownFor = Current();
    E().selectorShownType = type;
}
const ControlOps kSelectorOps = {
    [](const Control&, int x, int y) {
        const int before = Selector().first;
        return Selector().Click(x, y) != 0 || Selector().first != before;
    },
    [](const Control&, int, int) { return false; },
    [](const Control&, int x, int y, float step) {
        Selector().hit = 0;
        return Selector().Wheel(x, y, step);
    },
    [](const Control&) { Selector().Draw(Type()); },
    [](const Control&) { ShowSelector(); },
    [](const Control&) { return Selector().hit != 0 && Selector().selected != Type(); },
    [](const Control&, bool on) { Selector().visible = on ? 1 : 0; },
    [](const Control&, float* r) {
        const TSelector& s = Selector();
        r[0] = s.left, r[1] = s.bottom, r[2] = s.right + 32, r[3] = s.top;
    },
    [](const Control&) { return kPickerCells; },
    [](const Control&, int row, int* x, int* y) {
        *x = Selector().grid.cellX[row] + 32;
        *y = Selector().grid.cellY[row] + 32;
    },
    false,
};
void TypeChosen()
{
    Selector().hit = 0;
    E().ChooseShapeType(Selector().selected);
}
Control SelectorControl()
{
    Control c;
    c.name = "Shape Type";
    c.ops = &kSelectorOps;
    c.widget = &E().shapeSelector;
    return c;
}

// The rotation ball: its value is the record's rotation; "Rot" constrains
// the turn.
uint8_t BallMode() { return E().rotRow >= 1 && E().rotRow <= 4 ? static_cast<uint8_t>(E().rotRow - 1) : 3; }
void BallPressed() { E().Snapshot(); }
constexpr const ControlOps& kBallOps = kRotationBallOps<BallPressed, BallMode>;

// The gradient browser: a picked strip is the change.
GSelector& Browser() { return E().gradientBrowser; }
bool gStripPicked = false;
const ControlOps kBrowserOps = {
    [](const Control&, int x, int y) { return gStripPicked = Browser().Click(x, y); },
    [](const Control&, int, int) { return false; },
    [](const Control&, int x, int y, float step) { return Browser().Wheel(x, y, step); },
    [](const Control&) { Browser().Draw(); },
    [](const Control&) {},
    [](const Control&) {
        const bool picked = gStripPicked;
        gStripPicked = false;
        return picked;
    },
    [](const Control&, bool on) { Browser().visible = on ? 1 : 0; },
    [](const Control&, float* r) {
        const GSelector& g = Browser();
        r[0] = g.left, r[1] = g.bottom, r[2] = g.right + 32, r[3] = g.top;
    },
    [](const Control&) { return 1; },
    [](const Control&, int, int* x, int* y) {
        *x = static_cast<int>((Browser().left + Browser().right) / 2);
        *y = static_cast<int>(Browser().top - 8);
    },
    false,
};
void StripPicked() { E().GradientPicked(); }

template <const ControlOps& Ops>
Control Custom(void* widget, const char* name)
{
    Control c;
    c.name = name;
    c.ops = &Ops;
    c.widget = widget;
    return c;
}

// ---- [table] ----------------------------------------------------------------------

Control Page(Control c) { return c.On(kTabEditors, kPageBaseshapes); }

template <int Id>
Control ButtonRow(const char* name, bool (*shown)(), void (*action)())
{
    return Page(Bind(E().buttons[Id], name)).When(shown).Then(action);
}

const Control kBaseShapeEditor[] = {
    Page(Bind(E().editBox, "Edit (Baseshapes)")).Value(&gBaseShapeEditorOpen).Then(EditSwitched),
    ButtonRow<kBsOpen>("Open", EditOn, Press<kBsOpen, &BaseShapeEditor::Open>),
    ButtonRow<kBsPrevious>("# (Baseshapes)", EditOn, Press<kBsPrevious, &BaseShapeEditor::Previous>),
    ButtonRow<kBsNext>("$ (Baseshapes)", EditOn, Press<kBsNext, &BaseShapeEditor::Next>),
    ButtonRow<kBsNew>("New (Baseshapes)", EditOn, Press<kBsNew, &BaseShapeEditor::NewBaseshape>),
    ButtonRow<kBsDelete>("Delete (Baseshapes)", EditOn, Press<kBsDelete, &BaseShapeEditor::DeleteBaseshape>),
    ButtonRow<kBsClone>("Clone", EditOn, Press<kBsClone, &BaseShapeEditor::Clone>),
    ButtonRow<kBsUndo>("Undo (Baseshapes)", EditOn, Press<kBsUndo, &BaseShapeEditor::Undo>),
    ButtonRow<kBsAppend>("Append", EditOn, Press<kBsAppend, &BaseShapeEditor::AppendFile>),
    ButtonRow<kBsSave>("Save (Baseshapes)", EditOn, Press<kBsSave, &BaseShapeEditor::SaveAll>),
    ButtonRow<kBsLoad>("Load (Baseshapes)", EditOn, Press<kBsLoad, &BaseShapeEditor::LoadFile>),
    Page(Bind(E().windowList, "Window (Baseshapes)")).When(EditOn).Value(&E().windowRow).Then(WindowChosen),
    Page(Bind(E().controlsList, "Controls (Baseshapes)")).When(EditOn).Value(&E().controlsRow).Then(ControlsChosen),
    Page(Bind(E().tabStrip, "Shape")).When(Open).Value(&E().tab),

    // "Shape"
    Page(Custom<kPageTabOps>(&E().pageTabs, "Parameter Pages")).When(OnTab<kBsShapeTab>).Value(&E().page),
    Page(ParameterPage(0, "Parameters 1"))
        .When(PageShown<0>)
        .Rows(ValueKind::Float, PageAt<0>, kParameterPageRows)
        .Whole()
        .Then(ParametersChanged)
        .Wheel(1, true),
    Page(ParameterPage(1, "Parameters 2"))
        .When(PageShown<1>)
        .Rows(ValueKind::Float, PageAt<1>, kParameterPageRows)
        .Whole()
        .Then(ParametersChanged)
        .Wheel(1, true),
    Page(ParameterPage(2, "Parameters 3"))
        .When(PageShown<2>)
        .Rows(ValueKind::Float, PageAt<2>, kParameterPageRows)
        .Whole()
        .Then(ParametersChanged)
        .Wheel(1, true),
    Page(UndoableCheck(E().applyToAllBox, "Apply to all")).When(PageShown<0>).Value(&E().applyToAll).Then(
        ApplyToAllSwitched),
    Page(UndoableCheck(E().showBaseshapeBox, "Show Baseshape"))
        .When(OnTab<kBsShapeTab>)
        .Rows(ValueKind::Byte, ShowAt, 1)
        .Then(Edited),
    Page(SelectorControl()).When(OnTab<kBsShapeTab>).Then(TypeChosen).Wheel(5),
    Page(TopList(E().interiorList, "Interior Type")).When(InteriorShown).Rows(ValueKind::Byte, InteriorAt, 1).Then(Edited),
    Page(TopList(E().materialList, "Material (Baseshapes)")).When(MaterialShown).Rows(ValueKind::Byte, MaterialAt, 1).Then(
        Edited),
    ButtonRow<kBsOk>("Ok", OnTab<kBsShapeTab>, Press<kBsOk, &BaseShapeEditor::Commit>),
    ButtonRow<kBsRandom>("Random", OnTab<kBsShapeTab>, Press<kBsRandom, &BaseShapeEditor::Randomize>),
    ButtonRow<kBsSaveBaseshape>("Save Baseshape", OnTab<kBsShapeTab>, Press<kBsSaveBaseshape, &BaseShapeEditor::SaveCurrent>),
    ButtonRow<kBsLoadDMap>("Load DMap", DMapShown, Press<kBsLoadDMap, &BaseShapeEditor::LoadDMap>),
    ButtonRow<kBsNewDMaps>("New DMaps", DMapShown, Press<kBsNewDMaps, &BaseShapeEditor::NewPresets>),
    ButtonRow<kBsSelectDMap>("Select (DMap)", DMapShown, PressJob<kBsSelectDMap, kBsDMapJob>),
    Page(Bind(E().dmapPreview, "DMap Preview")).When(DMapShown),
    ButtonRow<kBsLoadMesh>("Load STL Mesh", MeshShown, Press<kBsLoadMesh, &BaseShapeEditor::LoadMesh>),
    ButtonRow<kBsClearMesh>("Clear Mesh", MeshShown, Press<kBsClearMesh, &BaseShapeEditor::ClearMesh>),

    // "Controls"
    Page(Custom<kScaleOps>(&E().scaleWindow, "Scale (Baseshapes)"))
        .When(OnTab<kBsControlsTab>)
        .Rows(ValueKind::Float, ScaleAt, 3)
        .Then(Compose)
        .Wheel(0.1f)
        .Draw(90),
    Page(UndoableWindow(E().shearWindow, "Shear (Baseshapes)"))
        .When(OnTab<kBsControlsTab>)
        .Rows(ValueKind::Float, ShearAt, 6)
        .Then(Compose)
        .Wheel(0.1f)
        .Draw(90),
    Page(Custom<kBallOps>(&E().trackBall, "Rotation (Baseshapes)"))
        .When(OnTab<kBsControlsTab>)
        .Rows(ValueKind::Float, RotationAt, 9)
        .Then(Compose)
        .Wheel(10),
    Page(Bind(E().rotList, "Rot (Baseshapes)")).When(OnTab<kBsControlsTab>).Value(&E().rotRow).Then(RotChosen),
    Page(Bind(E().fixedRotationList, "FRot")).When(OnTab<kBsControlsTab>).Value(&E().fixedRotationRow).Then(
        FixedRotationChosen),
    Page(Bind(E().transList, "Tr. (Baseshapes)")).When(OnTab<kBsControlsTab>).Value(&E().transRow).Then(TransChosen),
    Page(UndoableCheck(E().moveAllBox, "Move All")).When(OnTab<kBsControlsTab>).Value(&E().moveAll),
    Page(Bind(E().uniformBox, "Uniform (Baseshapes)")).When(OnTab<kBsControlsTab>).Value(&E().uniform),
    ButtonRow<kBsReset>("Reset (Baseshapes)", OnTab<kBsControlsTab>, Press<kBsReset, &BaseShapeEditor::ResetScaleAndShear>),

    // "Modifiers"
    Page(TopList(E().modifierList, "Modifier Type"))
        .When(OnTab<kBsModifiersTab>)
        .Rows(ValueKind::Int, ModifierTypeAt, 1)
        .Then(ModifierChosen),
    Page(UndoableWindow(E().strengthWindow, "Strength"))
        .When(StrengthShown)
        .Rows(ValueKind::Float, AmountAt, 1)
        .Then(Edited)
        .Wheel(0.1f)
        .Draw(90),
    Page(TopList(E().arrayList, "Array Type")).When(OnTab<kBsModifiersTab>).Rows(ValueKind::Int, ArrayTypeAt, 1).Then(
        ArrayChosen),
    Page(UndoableWindow(E().sidesWindow, "Rotation Array"))
        .When(ArrayShown)
        .Rows(ValueKind::UInt, ArrayCountAt, 1)
        .Whole()
        .Then(SidesChanged)
        .Wheel(1)
        .Draw(90),
    Page(UndoableWindow(E().offsetWindow, "Offset"))
        .When(ArrayShown)
        .Rows(ValueKind::Float, PivotAt, 3)
        .Then(Edited)
        .Wheel(0.1f)
        .Draw(90),

    // "Colors"
    Page(Bind(E().useTextureBox, "Use Surface Texture"))
        .When(Texturable)
        .Rows(ValueKind::Byte, UseTextureAt, 1)
        .Then(Coloring),
    Page(Bind(E().texturePreview, "Texture Preview")).When(TextureOn),
    ButtonRow<kBsLoadTexture>("Load (Texture)", TextureOn, Press<kBsLoadTexture, &BaseShapeEditor::LoadTexture>),
    ButtonRow<kBsClearTexture>("Clear (Texture)", TextureOn, Press<kBsClearTexture, &BaseShapeEditor::ClearTexture>),
    Page(Bind(E().smoothTextureBox, "Smooth Texture")).When(TextureOn).Rows(ValueKind::Byte, SmoothAt, 1).Then(Edited),
    ButtonRow<kBsNewTextures>("New Textures (Baseshapes)", TextureOn, Press<kBsNewTextures, &BaseShapeEditor::NewPresets>),
    ButtonRow<kBsSelectTexture>("Select (Texture)", TextureOn, PressJob<kBsSelectTexture, kBsTextureJob>),
    Page(Bind(E().useGradientBox, "Use Gradient"))
        .When(OnTab<kBsColorsTab>)
        .Rows(ValueKind::Byte, UseGradientAt, 1)
        .Then(Coloring),
    ButtonRow<kBsLoadGradient>("Load (Gradient)", GradientOn, Press<kBsLoadGradient, &BaseShapeEditor::LoadGradient>),
    ButtonRow<kBsSaveGradient>("Save (Gradient)", GradientOn, PressBool<kBsSaveGradient, &BaseShapeEditor::SaveGradient>),
    ButtonRow<kBsRandomGradient>("Rnd (Gradient)", GradientOn, Press<kBsRandomGradient, &BaseShapeEditor::RandomGradient>),
    Page(Custom<kBrowserOps>(&E().gradientBrowser, "Gradient Browser (Baseshapes)"))
        .When(GradientOn)
        .Then(StripPicked)
        .Wheel(1),
    Page(Bind(E().blendModeList, "Color Blend Mode")).When(BlendShown).Rows(ValueKind::Byte, BlendAt, 1).Then(Edited),
    Page(Bind(E().colorPanel, "Base Color"))
        .When(BaseColorShown)
        .Rows(ValueKind::Int, BaseColorAt, 3)
        .Then(Edited)
        .Wheel(1),
    Page(Bind(E().neonBox, "Enable Neon")).When(OnTab<kBsColorsTab>).Rows(ValueKind::Byte, NeonAt, 1).Then(Edited),
    Page(Bind(E().neonPanel, "Neon Color")).When(NeonOn).Rows(ValueKind::Byte, NeonColorAt, 3).Wheel(1),
    Page(Bind(E().neonWindow, "Neon Intensity")).When(NeonOn).Rows(ValueKind::Float, NeonStrengthAt, 1).Wheel(0.1f).Draw(
        108),

    // "Animation"
    Page(Bind(E().spinFramesWindow, "Number of Frames by Cycle"))
        .When(OnTab<kBsAnimationTab>)
        .Rows(ValueKind::Float, SpinFramesAt, 1)
        .Whole()
        .Then(Edited)
        .Wheel(1)
        .Draw(108),
    Page(Bind(E().spinBall, "Rotation Pivot"))
        .When(OnTab<kBsAnimationTab>)
        .Rows(ValueKind::Float, SpinAxisAt, 3)
        .Then(Edited)
        .Wheel(10),
    Page(Bind(E().spinAxisList, "Axis (Rotation)")).When(OnTab<kBsAnimationTab>).Value(&E().spinAxisRow).Then(
        SpinAxisChosen),
    Page(Bind(E().movementWindow, "Movement Parameters"))
        .When(OnTab<kBsAnimationTab>)
        .Rows(ValueKind::Float, MoveWaveAt, 3)
        .Whole()
        .Then(Edited)
        .Wheel(1, true)
        .Draw(108),
    Page(Bind(E().directionBall, "Direction"))
        .When(OnTab<kBsAnimationTab>)
        .Rows(ValueKind::Float, MoveDirectionAt, 3)
        .Then(Edited)
        .Wheel(10),
    Page(Bind(E().moveAxisList, "Axis (Movement)")).When(OnTab<kBsAnimationTab>).Value(&E().moveAxisRow).Then(
        MoveAxisChosen),
    Page(Bind(E().waveTypeList, "Wave Type")).When(OnTab<kBsAnimationTab>).Rows(ValueKind::Byte, WaveTypeAt, 1).Then(
        Compose),
};

}  // namespace

ControlTable BaseShapeEditorControls() { return kBaseShapeEditor; }

bool BaseshapeTexturePresetsShown() { return TextureOn(); }
bool BaseshapeDMapPresetsShown() { return DMapShown(); }
