// Controls: a kit widget together with the page it shows on, the model value
// it edits and what a change by the user sets off. A panel is a table of
// controls; the frame draws them, the pointer handlers route presses, drags
// and wheel notches to them, and the tests press them, all from the same
// tables, so a widget that is not drawn never takes input.
//
// The value a control edits lives in the model; the widget only shows it.
// A press, drag or notch that changes the widget writes the value at once
// (Store); before each draw and each press the widget is set from the value
// (Show), so loads, resets and other panels are seen without copying code.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

class Button;
class OptionsBox;
class ListBox;
class HListBox;
class NewDropBox;
class BoolBox;
class SLWindow;
class STWindow;
class SliderWindow;
class ColorPanel;
class FogColorPanel;
class TrackBall;
class SimpleBall;
class TexturePanel;
class TextureBox;
class Tab;

inline constexpr int kEveryPage = -1;

// How the model holds a control's value. Derived: no one variable holds it;
// a getter works it out of the model and a setter changes the model.
enum class ValueKind : uint8_t { None, Byte, Int, UInt, Float, AtomicByte, AtomicInt, AtomicFloat, Derived };

// What a change of the value sets off besides the control's own action.
enum ControlEffect : uint8_t {
    kEffectNone = 0,
    kEffectReshade = 1,    // the preview is shaded again (drags: at the release)
    kEffectReplot = 2,     // the point preview is plotted again
    kEffectClearPreviewTarget = 4,    // the point preview's buffer is cleared
};

struct Control;

// What a widget class does inside a table.
struct ControlOps {
    bool (*press)(const Control&, int x, int y);         // took the press
    bool (*drag)(const Control&, int x, int y);          // the held widget moved
    bool (*wheel)(const Control&, int x, int y, float step);  // took the notch
    void (*draw)(const Control&);
    void (*show)(const Control&);    // the model value into the widget
    bool (*store)(const Control&);   // the widget into the model; true when it changed
    void (*setVisible)(const Control&, bool on);
    // Where the widget lies (x0, y0, x1, y1) and where a press picks row r
    // of its rows (list rows from the bottom, check rows, window rows top
    // first, tabs, cells, colour channels).
    void (*bounds)(const Control&, float* rect);
    int (*rowCount)(const Control&);
    void (*rowPoint)(const Control&, int row, int* x, int* y);
    // A drag changes the value (windows, colour panels, balls), not only
    // the view of it (a list scrolled).
    bool valueDrags = false;
    // The widget's own texts (caption, row labels, a window's values at its
    // column) lie inside it, clear of each other; null: nothing to check.
    bool (*textsFit)(const Control&) = nullptr;
};

// Where row r of the value lives, for values that do not sit in one array
// (the current material's, the edited light's).
using ValueAt = void* (*)(int row);
// A value no one variable holds (a choice made of two engine values, a count
// that is saved as it changes): row r is read and written through these.
// A setter may refuse a value; the widget then shows the getter's at once.
using ValueGet = float (*)(int row);
using ValueSet = void (*)(int row, float v);

struct Control {
    const char* name = "";          // its caption: messages and tests name it so
    const ControlOps* ops = nullptr;
    void* widget = nullptr;
    int8_t tab = kEveryPage;        // the main tab that shows it
    int8_t page = kEveryPage;       // the tab's page that shows it
    bool (*shown)() = nullptr;      // a further condition; null: always on its page
    bool (*active)() = nullptr;     // shown but taking input only while this holds
    ValueKind kind = ValueKind::None;
    void* value = nullptr;          // row r at value + r, unless at is given
    ValueAt at = nullptr;
    ValueGet get = nullptr;         // a Derived value's getter and setter
    ValueSet set = nullptr;
    uint8_t rows = 1;               // rows of the value (window rows, check rows, channels)
    uint8_t effects = kEffectNone;
    uint8_t whole = 0;              // the value keeps whole numbers (a window's fraction stays in the widget)
    void (*changed)() = nullptr;    // after the user changed the value
    float wheelStep = 0.0f;         // a notch toward the user; 0 takes no notches
    int16_t drawArg = 0;            // a window's value column, a box's captioned look
    uint8_t stepwise = 0;           // windows: the notch moves by the row's own step

    // Table-building helpers: each returns a copy with one thing set.
    Control On(int tabIndex, int pageIndex = kEveryPage) const;
    Control When(bool (*condition)()) const;
    Control ActiveWhen(bool (*condition)()) const;
    Control Value(uint8_t* v, int count = 1) const;
    Control Value(int32_t* v, int count = 1) const;
    Control Value(uint32_t* v, int count = 1) const;
    Control Value(float* v, int count = 1) const;
    Control Value(std::atomic<uint8_t>* v) const;
    Control Value(std::atomic<int32_t>* v) const;
    Control Value(std::atomic<float>* v) const;
    Control Rows(ValueKind k, ValueAt where, int count) const;
    Control Derived(ValueGet getter, ValueSet setter, int count = 1) const;
    Control Then(void (*action)()) const;
    Control Effects(uint8_t e) const;
    Control Wheel(float step, bool byRowStep = false) const;
    Control Draw(int arg) const;
    Control Whole() const;

    // Where row r lives; null for a Derived value and outside the rows.
    void* Address(int row) const;
    // The control edits a model value (a button's may be its enabled byte).
    bool HasValue() const;
    float Get(int row) const;
    void Set(int row, float v) const;
};

// One row for a widget of each class.
Control Bind(Button& w, const char* name);
Control Bind(OptionsBox& w, const char* name);
Control Bind(ListBox& w, const char* name);
Control Bind(HListBox& w, const char* name);
Control Bind(NewDropBox& w, const char* name);
Control Bind(BoolBox& w, const char* name);
Control Bind(SLWindow& w, const char* name);
// A window drawn with its caption and row-frame layers (value column drawArg).
Control BindLayered(SLWindow& w, const char* name);
Control Bind(STWindow& w, const char* name);
Control Bind(SliderWindow& w, const char* name);
Control Bind(ColorPanel& w, const char* name);
Control Bind(FogColorPanel& w, const char* name);
Control Bind(TrackBall& w, const char* name);
Control Bind(SimpleBall& w, const char* name);
Control Bind(TexturePanel& w, const char* name);
Control Bind(TextureBox& w, const char* name);
Control Bind(Tab& w, const char* name);

// A trackball whose value is a rotation matrix (nine rows, row by row): the
// turn is constrained by the mode Mode() gives (3 free, 0 to 2 about one
// axis), and a press that took the ball calls Pressed() (an undo copy).
namespace rotation_ball {
bool Press(const Control& c, int x, int y, uint8_t mode);
bool Drag(const Control& c, int x, int y, uint8_t mode);
bool Wheel(const Control& c, int x, int y, float step);
void Draw(const Control& c);
void Show(const Control& c);
bool Store(const Control& c);
void SetVisible(const Control& c, bool on);
void Bounds(const Control& c, float* rect);
int Rows(const Control& c);
void RowPoint(const Control& c, int row, int* x, int* y);
}  // namespace rotation_ball

template <void (*Pressed)(), uint8_t (*Mode)()>
inline constexpr ControlOps kRotationBallOps = {
    [](const Control& c, int x, int y) {
        const bool took = rotation_ball::Press(c, x, y, Mode());
        if (took) Pressed();
        return took;
    },
    [](const Control& c, int x, int y) { return rotation_ball::Drag(c, x, y, Mode()); },
    rotation_ball::Wheel,
    rotation_ball::Draw,
    rotation_ball::Show,
    rotation_ball::Store,
    rotation_ball::SetVisible,
    rotation_ball::Bounds,
    rotation_ball::Rows,
    rotation_ball::RowPoint,
    true,
};

// What the shell tells the tables: the page on screen and what an effect does.
struct ControlContext {
    int tab = 0;
    int page = 0;
    void (*effects)(uint8_t effects, bool dragging) = nullptr;
};
extern ControlContext gControlContext;
// Counts every change a control set off (tests watch it).
extern uint32_t gControlChanges;

using ControlTable = std::span<const Control>;

// True when the control belongs to the page on screen and its condition holds.
bool ControlShown(const Control& c);
// Shown and, where it has a condition for input, taking input now.
bool ControlActive(const Control& c);
// Every widget of the table shown or hidden by ControlShown, and set from its value.
void ShowControls(ControlTable table);
void DrawControls(ControlTable table);
// Offers the press to every shown control in order; the one whose value
// changed stores it and sets off its action. Returns the control that took
// the press (it then holds the drag), or null.
const Control* PressControls(ControlTable table, int x, int y);
// The held control follows the pointer; true when its value changed.
bool DragControl(const Control& held, int x, int y);
// The first shown control that takes the notch (delta > 0: away from the
// user, the negative step); true when one took it.
bool WheelControls(ControlTable table, int x, int y, int delta);

// The widget's rectangle, its pickable rows and the point a press on row r
// takes (virtual units, y up).
void ControlBounds(const Control& c, float rect[4]);
int ControlRows(const Control& c);
void ControlRowPoint(const Control& c, int row, int* x, int* y);

// The control of a table by its name, or null.
const Control* FindControl(ControlTable table, const char* name);
