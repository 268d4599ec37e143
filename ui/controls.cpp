#include "ui/controls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/shared_access.h"
#include "ui/balls.h"
#include "ui/button.h"
#include "ui/color_panels.h"
#include "ui/font.h"
#include "ui/option_lists.h"
#include "ui/picture_pickers.h"
#include "ui/scroll_lists.h"
#include "ui/slider_windows.h"
#include "ui/tabs.h"
#include "ui/texture_box.h"
#include "ui/widget.h"

ControlContext gControlContext;
uint32_t gControlChanges = 0;

// ---- [values] ---------------------------------------------------------------

namespace {

size_t KindSize(ValueKind k)
{
    switch (k) {
    case ValueKind::Byte: return sizeof(uint8_t);
    case ValueKind::Int: return sizeof(int32_t);
    case ValueKind::UInt: return sizeof(uint32_t);
    case ValueKind::Float: return sizeof(float);
    case ValueKind::AtomicByte: return sizeof(std::atomic<uint8_t>);
    case ValueKind::AtomicInt: return sizeof(std::atomic<int32_t>);
    case ValueKind::AtomicFloat: return sizeof(std::atomic<float>);
    default: return 0;
    }
}

template <class W>
W& Widget(const Control& c)
{
    return *static_cast<W*>(c.widget);
}

}  // namespace

void* Control::Address(int row) const
{
    if (kind == ValueKind::Derived) return nullptr;
    if (at != nullptr) return at(row);
    if (value == nullptr || row < 0 || row >= rows) return nullptr;
    return static_cast<uint8_t*>(value) + KindSize(kind) * static_cast<size_t>(row);
}

bool Control::HasValue() const { return kind == ValueKind::Derived ? get != nullptr : Address(0) != nullptr; }

float Control::Get(int row) const
{
    if (kind == ValueKind::Derived) return get != nullptr && row >= 0 && row < rows ? get(row) : 0.0f;
    void* p = Address(row);
    if (p == nullptr) return 0.0f;
    switch (kind) {
    case ValueKind::Byte: return SharedLoad(*static_cast<uint8_t*>(p));
    case ValueKind::Int: return static_cast<float>(SharedLoad(*static_cast<int32_t*>(p)));
    case ValueKind::UInt: return static_cast<float>(SharedLoad(*static_cast<uint32_t*>(p)));
    case ValueKind::Float: return SharedLoad(*static_cast<float*>(p));
    case ValueKind::AtomicByte: return static_cast<std::atomic<uint8_t>*>(p)->load(std::memory_order_relaxed);
    case ValueKind::AtomicInt:
        return static_cast<float>(static_cast<std::atomic<int32_t>*>(p)->load(std::memory_order_relaxed));
    case ValueKind::AtomicFloat: return static_cast<std::atomic<float>*>(p)->load(std::memory_order_relaxed);
    default: return 0.0f;
    }
}

void Control::Set(int row, float v) const
{
    if (kind == ValueKind::Derived) {
        if (set != nullptr && row >= 0 && row < rows) set(row, v);
        return;
    }
    void* p = Address(row);
    if (p == nullptr) return;
    switch (kind) {
    case ValueKind::Byte: SharedStore(*static_cast<uint8_t*>(p), static_cast<uint8_t>(CheckedTruncToInt(v))); break;
    case ValueKind::Int: SharedStore(*static_cast<int32_t*>(p), CheckedTruncToInt(v)); break;
    case ValueKind::UInt: SharedStore(*static_cast<uint32_t*>(p), static_cast<uint32_t>(CheckedTruncToInt(v))); break;
    case ValueKind::Float: SharedStore(*static_cast<float*>(p), v); break;
    case ValueKind::AtomicByte:
        static_cast<std::atomic<uint8_t>*>(p)->store(static_cast<uint8_t>(CheckedTruncToInt(v)), std::memory_order_relaxed);
        break;
    case ValueKind::AtomicInt:
        static_cast<std::atomic<int32_t>*>(p)->store(CheckedTruncToInt(v), std::memory_order_relaxed);
        break;
    case ValueKind::AtomicFloat: static_cast<std::atomic<float>*>(p)->store(v, std::memory_order_relaxed); break;
    default: break;
    }
}

// ---- [building] -------------------------------------------------------------

Control Control::On(int tabIndex, int pageIndex) const
{
    Control c = *this;
    c.tab = static_cast<int8_t>(tabIndex);
    c.page = static_cast<int8_t>(pageIndex);
    return c;
}

Control Control::When(bool (*condition)()) const
{
    Control c = *this;
    c.shown = condition;
    return c;
}

Control Control::ActiveWhen(bool (*condition)()) const
{
    Control c = *this;
    c.active = condition;
    return c;
}

namespace {

Control WithValue(const Control& from, ValueKind k, void* v, int count)
{
    Control c = from;
    c.kind = k;
    c.value = v;
    c.at = nullptr;
    c.get = nullptr;
    c.set = nullptr;
    c.rows = static_cast<uint8_t>(count);
    return c;
}

}  // namespace

Control Control::Value(uint8_t* v, int count) const { return WithValue(*this, ValueKind::Byte, v, count); }
Control Control::Value(int32_t* v, int count) const { return WithValue(*this, ValueKind::Int, v, count); }
Control Control::Value(uint32_t* v, int count) const { return WithValue(*this, ValueKind::UInt, v, count); }
Control Control::Value(float* v, int count) const { return WithValue(*this, ValueKind::Float, v, count); }
Control Control::Value(std::atomic<uint8_t>* v) const { return WithValue(*this, ValueKind::AtomicByte, v, 1); }
Control Control::Value(std::atomic<int32_t>* v) const { return WithValue(*this, ValueKind::AtomicInt, v, 1); }
Control Control::Value(std::atomic<float>* v) const { return WithValue(*this, ValueKind::AtomicFloat, v, 1); }

Control Control::Rows(ValueKind k, ValueAt where, int count) const
{
    Control c = WithValue(*this, k, nullptr, count);
    c.at = where;
    return c;
}

Control Control::Derived(ValueGet getter, ValueSet setter, int count) const
{
    Control c = WithValue(*this, ValueKind::Derived, nullptr, count);
    c.get = getter;
    c.set = setter;
    return c;
}

Control Control::Then(void (*action)()) const
{
    Control c = *this;
    c.changed = action;
    return c;
}

Control Control::Effects(uint8_t e) const
{
    Control c = *this;
    c.effects = e;
    return c;
}

Control Control::Wheel(float step, bool byRowStep) const
{
    Control c = *this;
    c.wheelStep = step;
    c.stepwise = byRowStep ? 1 : 0;
    return c;
}

Control Control::Draw(int arg) const
{
    Control c = *this;
    c.drawArg = static_cast<int16_t>(arg);
    return c;
}

Control Control::Whole() const
{
    Control c = *this;
    c.whole = 1;
    return c;
}

// ---- [widget classes] -------------------------------------------------------

namespace {

bool NoPress(const Control&, int, int) { return false; }
bool NoDrag(const Control&, int, int) { return false; }
bool NoWheel(const Control&, int, int, float) { return false; }
void NoShow(const Control&) {}
bool NoStore(const Control&) { return false; }

template <class W>
void SetVisibleByte(const Control& c, bool on)
{
    Widget<W>(c).visible = on ? 1 : 0;
}

// Stores v into row r when it differs; true when the value changed (a
// Derived value's setter may refuse it).
bool StoreRow(const Control& c, int row, float v)
{
    const float before = c.Get(row);
    if (before == v) return false;
    c.Set(row, v);
    return c.kind != ValueKind::Derived || c.Get(row) != before;
}

// A text ending at textRight fits before a line at right: its last glyph
// shows up to 4 units past its advance.
constexpr float kGlyphOverhang = 4;
bool TextEnds(float textRight, float right) { return textRight + kGlyphOverhang <= right; }
// A list's or check box's texts, measured to where their ink ends, keep 4
// units (more than two pixels of the smallest window) off the frame's line.
bool InkEnds(float inkRight, float right) { return inkRight + 4 <= right; }

// Geometry: the rectangle, the rows a press can pick and where.
void Put(float* r, float x0, float y0, float x1, float y1) { r[0] = x0, r[1] = y0, r[2] = x1, r[3] = y1; }
void At(int* x, int* y, float px, float py) { *x = static_cast<int>(px), *y = static_cast<int>(py); }
int OneRow(const Control&) { return 1; }
int NoRows(const Control&) { return 0; }

// Buttons: the value, when given, is the enabled byte; a disabled button is
// neither drawn nor hit. A press marks the button for the release's actions.
const ControlOps kButtonOps = {
    [](const Control& c, int x, int y) {
        Button& b = Widget<Button>(c);
        const bool before = b.pressed != 0;
        return b.Click(x, y) && !before;
    },
    NoDrag, NoWheel, [](const Control& c) { Widget<Button>(c).Draw(); }, NoShow,
    // A button with an action acts at the press; the others keep their
    // pressed byte for the release.
    [](const Control& c) { return c.changed != nullptr && Widget<Button>(c).pressed != 0; },
    [](const Control& c, bool on) {
        const bool enabled = !c.HasValue() || c.Get(0) != 0.0f;
        Widget<Button>(c).visible = on && enabled ? 1 : 0;
    },
    [](const Control& c, float* r) { const Button& b = Widget<Button>(c); Put(r, b.rect[0], b.rect[1], b.rect[2], b.rect[3]); },
    OneRow,
    [](const Control& c, int, int* x, int* y) { const Button& b = Widget<Button>(c); At(x, y, (b.rect[0] + b.rect[2]) / 2.0f, (b.rect[1] + b.rect[3]) / 2.0f); }
};

// Check boxes: one flag a row, rows from the bottom.
const ControlOps kCheckOps = {
    [](const Control& c, int x, int y) { return Widget<OptionsBox>(c).Click(x, y); },
    NoDrag, NoWheel,
    [](const Control& c) {
        const OptionsBox& b = Widget<OptionsBox>(c);
        if (c.drawArg != 0) {
            b.DrawBase();
        } else {
            b.Draw();
        }
    },
    [](const Control& c) {
        OptionsBox& b = Widget<OptionsBox>(c);
        for (int r = 0; r < c.rows && r < b.count; ++r) SharedStore(b.flags[r], static_cast<uint8_t>(c.Get(r) != 0.0f));
    },
    [](const Control& c) {
        const OptionsBox& b = Widget<OptionsBox>(c);
        bool changed = false;
        for (int r = 0; r < c.rows && r < b.count; ++r) changed = StoreRow(c, r, b.Flag(r) ? 1.0f : 0.0f) || changed;
        return changed;
    },
    SetVisibleByte<OptionsBox>,
    // The plain look draws the rows alone; the captioned one adds its bar.
    [](const Control& c, float* r) {
        const OptionsBox& b = Widget<OptionsBox>(c);
        Put(r, b.left, b.bottom, b.right, c.drawArg != 0 ? b.top : b.rowsTop);
    },
    [](const Control& c) { return Widget<OptionsBox>(c).count; },
    [](const Control& c, int row, int* x, int* y) { const OptionsBox& b = Widget<OptionsBox>(c); At(x, y, b.left + b.rowHeight / 2, b.bottom + (static_cast<float>(row) + 0.5f) * b.rowHeight); },
    false,
    [](const Control& c) { return InkEnds(Widget<OptionsBox>(c).textRight, Widget<OptionsBox>(c).right); }
};

// Option lists: the selection counted from the lowest row.
const ControlOps kListOps = {
    [](const Control& c, int x, int y) { return Widget<ListBox>(c).Click(x, y); },
    NoDrag, NoWheel, [](const Control& c) { Widget<ListBox>(c).Draw(); },
    [](const Control& c) {
        ListBox& l = Widget<ListBox>(c);
        const int v = static_cast<int>(c.Get(0));
        if (v < 0 || v >= l.count || SharedLoad(l.selected) == v) return;
        SharedStore(l.selected, v);
        l.selectedFromTop = l.count - 1 - v;
        l.previous = v;
    },
    [](const Control& c) { return StoreRow(c, 0, static_cast<float>(SharedLoad(Widget<ListBox>(c).selected))); },
    SetVisibleByte<ListBox>,
    [](const Control& c, float* r) { const ListBox& l = Widget<ListBox>(c); Put(r, l.left, l.bottom, l.right, l.top); },
    [](const Control& c) { return Widget<ListBox>(c).count; },
    [](const Control& c, int row, int* x, int* y) { const ListBox& l = Widget<ListBox>(c); At(x, y, l.left + l.rowHeight / 2, l.bottom + (static_cast<float>(row) + 0.5f) * l.rowHeight); },
    false,
    [](const Control& c) { return InkEnds(Widget<ListBox>(c).textRight, Widget<ListBox>(c).right); }
};

// A press on a cell acts even on the cell already chosen: "Fixed View" turns
// the camera back to its view after a drag.
bool gHListCellHit = false;
const ControlOps kHListOps = {
    [](const Control& c, int x, int y) { return gHListCellHit = Widget<HListBox>(c).Click(x, y); },
    NoDrag, NoWheel, [](const Control& c) { Widget<HListBox>(c).Draw(); },
    [](const Control& c) {
        HListBox& l = Widget<HListBox>(c);
        const int v = static_cast<int>(c.Get(0));
        if (v >= 0 && v < l.optionCount) l.selected = v;
    },
    [](const Control& c) {
        const bool hit = gHListCellHit;
        gHListCellHit = false;
        return StoreRow(c, 0, static_cast<float>(Widget<HListBox>(c).selected)) || hit;
    },
    SetVisibleByte<HListBox>,
    // With the caption bar, above or under the cells.
    [](const Control& c, float* r) {
        const HListBox& l = Widget<HListBox>(c);
        Put(r, l.x0, l.captionAbove ? l.y0 : l.y0 - l.cell, l.x1, l.captionAbove ? l.y1 + l.cell : l.y1);
    },
    [](const Control& c) { return Widget<HListBox>(c).optionCount; },
    [](const Control& c, int row, int* x, int* y) { const HListBox& l = Widget<HListBox>(c); At(x, y, l.x0 + (static_cast<float>(row) + 0.5f) * l.cell, l.y0 + 1.5f * l.cell); }
};

// Drop boxes: a press opens, picks or scrolls; a held thumb follows the
// pointer. The value is the item chosen.
const ControlOps kDropOps = {
    [](const Control& c, int x, int y) {
        NewDropBox& d = Widget<NewDropBox>(c);
        if (d.PressScrollBar(x, y)) {
            gDragGroup = kListDragGroup;  // the following moves turn the wheel
            return true;
        }
        return d.Click(x, y);
    },
    [](const Control& c, int x, int y) { return Widget<NewDropBox>(c).Drag(x, y); },
    [](const Control& c, int x, int y, float step) { return Widget<NewDropBox>(c).Wheel(x, y, step); },
    [](const Control& c) { Widget<NewDropBox>(c).Draw(); },
    [](const Control& c) {
        NewDropBox& d = Widget<NewDropBox>(c);
        const int v = static_cast<int>(c.Get(0));
        if (v >= 0 && v < d.itemCount && d.GetSelected() != v) d.SetSelected(v);
    },
    [](const Control& c) { return StoreRow(c, 0, static_cast<float>(Widget<NewDropBox>(c).GetSelected())); },
    SetVisibleByte<NewDropBox>,
    [](const Control& c, float* r) { const NewDropBox& d = Widget<NewDropBox>(c); Put(r, d.x0, d.y0, d.x1 + 12, d.y1); },
    [](const Control& c) { return Widget<NewDropBox>(c).visibleRows; },
    [](const Control& c, int row, int* x, int* y) { const NewDropBox& d = Widget<NewDropBox>(c); At(x, y, (d.x0 + d.x1 - 24) / 2, d.y0 + 24.0f * (static_cast<float>(row) + 0.5f)); }
};

// Check lists with one marked row (the Material Types, the generator rows).
const ControlOps kCheckListOps = {
    [](const Control& c, int x, int y) {
        BoolBox& b = Widget<BoolBox>(c);
        if (b.LastFirst() > 0 && b.PressScrollBar(x, y)) {
            gDragGroup = kListDragGroup;
            return true;
        }
        return b.Click(x, y);
    },
    [](const Control& c, int x, int y) { return Widget<BoolBox>(c).Drag(x, y); },
    [](const Control& c, int x, int y, float step) { return Widget<BoolBox>(c).Wheel(x, y, step); },
    [](const Control& c) { Widget<BoolBox>(c).Draw(); },
    [](const Control& c) {
        BoolBox& b = Widget<BoolBox>(c);
        const int v = static_cast<int>(c.Get(0));
        if (v >= 0 && v < b.rowCount && b.selectedRow != v) b.SetSelected(v);
    },
    [](const Control& c) { return StoreRow(c, 0, static_cast<float>(Widget<BoolBox>(c).selectedRow)); },
    SetVisibleByte<BoolBox>,
    [](const Control& c, float* r) { const BoolBox& b = Widget<BoolBox>(c); Put(r, b.x0, b.y0, b.x1 + b.rowHeight / 2, b.y1); },
    [](const Control& c) { return Widget<BoolBox>(c).visibleRows; },
    [](const Control& c, int row, int* x, int* y) { const BoolBox& b = Widget<BoolBox>(c); At(x, y, (b.x0 + b.x1 - b.rowHeight) / 2, b.y0 + b.rowHeight * (static_cast<float>(row) + 0.5f)); }
};

// Slider windows: one float a row. A row kept in whole numbers keeps the
// fraction of a slow drag in the window and stores the whole part.
float WindowRowValue(const Control& c, const ThumbwheelWindow& w, int row)
{
    const float v = w.Value(row);
    return c.whole != 0 && w.integer[row] ? std::trunc(v) : v;
}

template <class W>
struct WindowOps {
    static ThumbwheelWindow& Of(const Control& c) { return Widget<W>(c); }
    static bool Press(const Control& c, int x, int y) { return Of(c).Click(x, y); }
    static bool Drag(const Control& c, int x, int) { return Of(c).Drag(x); }
    static bool Wheel(const Control& c, int x, int y, float step)
    {
        ThumbwheelWindow& w = Of(c);
        return c.stepwise != 0 ? w.WheelStep(x, y, step) : w.Wheel(x, y, step);
    }
    static void Show(const Control& c)
    {
        ThumbwheelWindow& w = Of(c);
        if (!w.value) return;
        for (int r = 0; r < c.rows && r < w.rows; ++r) {
            const float v = c.Get(r);
            if (WindowRowValue(c, w, r) != v) SharedStore(w.value[r], v);
        }
    }
    static bool Store(const Control& c)
    {
        ThumbwheelWindow& w = Of(c);
        if (!w.value) return false;
        bool changed = false;
        for (int r = 0; r < c.rows && r < w.rows; ++r) changed = StoreRow(c, r, WindowRowValue(c, w, r)) || changed;
        return changed;
    }
    static void SetVisible(const Control& c, bool on) { Of(c).visible = on ? 1 : 0; }
    static void Bounds(const Control& c, float* r)
    {
        const ThumbwheelWindow& w = Of(c);
        Put(r, w.left, w.bottom, w.right, w.top);
    }
    static int RowCount(const Control& c) { return Of(c).rows; }
    // The title inside the frame; the value column (drawArg) right of the
    // row captions, and the widest value of a row's range left of the wheel,
    // which takes the right half.
    static bool TextsFit(const Control& c)
    {
        const ThumbwheelWindow& w = Of(c);
        const float column = w.left + static_cast<float>(c.drawArg);
        int glyphs = 0;
        for (int r = 0; r < w.rows; ++r) {
            for (float v : {w.minimum[r], w.maximum[r]}) {
                char text[64];
                if (w.integer[r]) {
                    std::snprintf(text, sizeof text, "%d", CheckedTruncToInt(v));
                } else {
                    std::snprintf(text, sizeof text, "%2.3f", static_cast<double>(v));
                }
                glyphs = std::max(glyphs, static_cast<int>(std::strlen(text)));
            }
        }
        const float valuesRight = column + static_cast<float>(glyphs * kGlyphAdvance);
        return TextEnds(w.titleRight, w.right) && TextEnds(w.captionRight, column) &&
               TextEnds(valuesRight, w.left + w.halfWidth);
    }
    // Rows count from the top; the title band is above them.
    static void RowPoint(const Control& c, int row, int* x, int* y)
    {
        const ThumbwheelWindow& w = Of(c);
        At(x, y, (w.left + w.right) / 2, w.bottom + (static_cast<float>(w.rows - 1 - row) + 0.5f) * w.rowHeight);
    }
};

// Each window class draws its values at its own column (drawArg).
template <class W>
constexpr ControlOps MakeWindowOps(void (*draw)(const Control&))
{
    return {WindowOps<W>::Press,      WindowOps<W>::Drag,   WindowOps<W>::Wheel,   draw,
            WindowOps<W>::Show,       WindowOps<W>::Store,  WindowOps<W>::SetVisible, WindowOps<W>::Bounds,
            WindowOps<W>::RowCount,   WindowOps<W>::RowPoint, true,     WindowOps<W>::TextsFit};
}
const ControlOps kSLWindowOps =
    MakeWindowOps<SLWindow>([](const Control& c) { Widget<SLWindow>(c).DrawAtOffset(c.drawArg); });
const ControlOps kSLWindowLayeredOps =
    MakeWindowOps<SLWindow>([](const Control& c) { Widget<SLWindow>(c).DrawWithLayers(1, c.drawArg, 1); });
const ControlOps kSTWindowOps = MakeWindowOps<STWindow>([](const Control& c) { Widget<STWindow>(c).Draw(c.drawArg); });
const ControlOps kSliderWindowOps =
    MakeWindowOps<SliderWindow>([](const Control& c) { Widget<SliderWindow>(c).Draw(c.drawArg); });

// Colour panels: three channels 0..255.
const ControlOps kColorOps = {
    [](const Control& c, int x, int y) {
        ColorPanel& p = Widget<ColorPanel>(c);
        const bool hit = p.Click(x, y);
        if (hit) gDragGroup = p.tag;
        return hit;
    },
    [](const Control& c, int x, int y) {
        ColorPanel& p = Widget<ColorPanel>(c);
        return p.picked < 3 && p.Drag(x, y);
    },
    [](const Control& c, int x, int y, float step) { return Widget<ColorPanel>(c).Wheel(x, y, step); },
    [](const Control& c) { Widget<ColorPanel>(c).Draw(); },
    [](const Control& c) {
        ColorPanel& p = Widget<ColorPanel>(c);
        const int r = static_cast<int>(c.Get(0)), g = static_cast<int>(c.Get(1)), b = static_cast<int>(c.Get(2));
        if (p.component[0] != r || p.component[1] != g || p.component[2] != b) p.SetColor(r, g, b);
    },
    [](const Control& c) {
        const ColorPanel& p = Widget<ColorPanel>(c);
        bool changed = false;
        for (int k = 0; k < 3; ++k) changed = StoreRow(c, k, static_cast<float>(p.component[k])) || changed;
        return changed;
    },
    SetVisibleByte<ColorPanel>,
    [](const Control& c, float* r) { const ColorPanel& p = Widget<ColorPanel>(c); Put(r, p.left, p.bottom, p.right, p.top); },
    [](const Control&) { return 3; },
    [](const Control& c, int row, int* x, int* y) { const ColorPanel& p = Widget<ColorPanel>(c); At(x, y, (p.trackStart + p.trackEnd) / 2.0f, (p.bandLow[row] + p.bandHigh[row]) / 2.0f); },
    true
};

const ControlOps kFogColorOps = {
    [](const Control& c, int x, int y) {
        // Its buttons act at the press (a new gradient, the browser) and
        // leave the changed byte set; a bar press starts a drag.
        FogColorPanel& p = Widget<FogColorPanel>(c);
        p.changed = 0;
        const bool bar = p.Click(x, y);
        if (bar) gDragGroup = p.groupId;
        return bar || p.changed != 0;
    },
    [](const Control& c, int, int) { return Widget<FogColorPanel>(c).Drag(); },
    // While the panel shows its gradient browser, the browser takes the notch.
    [](const Control& c, int x, int y, float step) {
        FogColorPanel& p = Widget<FogColorPanel>(c);
        return p.browserMode != 0 ? p.browser.Wheel(x, y, step) : p.Wheel(x, y, step);
    },
    [](const Control& c) { Widget<FogColorPanel>(c).Draw(); },
    [](const Control& c) {
        FogColorPanel& p = Widget<FogColorPanel>(c);
        bool differs = false;
        for (int k = 0; k < 3; ++k) {
            const int v = static_cast<int>(c.Get(k));
            differs = differs || p.component[k] != v;
            p.component[k] = v;
        }
        if (differs) p.SyncFloatColor();
    },
    [](const Control& c) {
        FogColorPanel& p = Widget<FogColorPanel>(c);
        bool changed = p.changed != 0;
        p.changed = 0;
        for (int k = 0; k < 3; ++k) changed = StoreRow(c, k, static_cast<float>(p.component[k])) || changed;
        return changed;
    },
    SetVisibleByte<FogColorPanel>,
    // In browser mode the browser and its "Close" button stand in its place.
    [](const Control& c, float* r) {
        const FogColorPanel& p = Widget<FogColorPanel>(c);
        if (p.browserMode == 0) {
            Put(r, p.x0, p.y0 - 36, p.x1, p.y1 + 16);
            return;
        }
        const GSelector& g = p.browser;
        Put(r, std::min(p.x0, g.left - 4), std::min(p.y0 - 36, g.bottom - 2), std::max(p.x1, g.right + 32), g.top + 24);
    },
    [](const Control&) { return 3; },
    [](const Control& c, int row, int* x, int* y) { const FogColorPanel& p = Widget<FogColorPanel>(c); At(x, y, (p.barStart + p.barEnd) / 2.0f, (p.bandLow[row] + p.bandHigh[row]) / 2.0f); },
    true
};

// The balls: the value is the direction they show (three floats).
bool StoreDirection(const Control& c, const float* turned)
{
    bool changed = false;
    for (int k = 0; k < 3; ++k) changed = StoreRow(c, k, SharedLoad(turned[k])) || changed;
    return changed;
}

bool DirectionDiffers(const Control& c, const float* turned)
{
    for (int k = 0; k < 3; ++k)
        if (SharedLoad(turned[k]) != c.Get(k)) return true;
    return false;
}

const ControlOps kTrackBallOps = {
    [](const Control& c, int x, int y) { return Widget<TrackBall>(c).ClickLight(x, y); },
    [](const Control& c, int x, int y) {
        TrackBall& b = Widget<TrackBall>(c);
        if (gDragGroup != b.groupId) return false;
        b.DragLight(x, y);
        return b.changed != 0;
    },
    // Only the ball under the pointer turns: the notches elsewhere belong to
    // the widgets they are over.
    [](const Control& c, int x, int y, float step) { return Widget<TrackBall>(c).Wheel(x, y, step); },
    // drawArg 1: the light's look, the marker on the shaded ball and its
    // altitude and azimuth.
    [](const Control& c) {
        if (c.drawArg != 0) {
            Widget<TrackBall>(c).DrawLightDirection();
        } else {
            Widget<TrackBall>(c).Draw();
        }
    },
    [](const Control& c) {
        TrackBall& b = Widget<TrackBall>(c);
        if (!c.HasValue() || !DirectionDiffers(c, b.turned)) return;
        const float d[3] = {c.Get(0), c.Get(1), c.Get(2)};
        b.SetRotation(d);
    },
    [](const Control& c) { return StoreDirection(c, Widget<TrackBall>(c).turned); },
    SetVisibleByte<TrackBall>,
    [](const Control& c, float* r) { const RotationBall& b = Widget<TrackBall>(c); Put(r, b.x0, b.y0, b.x1, b.y1); },
    OneRow,
    [](const Control& c, int, int* x, int* y) { const RotationBall& b = Widget<TrackBall>(c); At(x, y, b.centreX, b.centreY); },
    true
};

}  // namespace

namespace rotation_ball {

bool Press(const Control& c, int x, int y, uint8_t mode) { return Widget<TrackBall>(c).Click(x, y, mode); }
bool Drag(const Control& c, int x, int y, uint8_t mode) { return Widget<TrackBall>(c).Drag(x, y, mode); }
bool Wheel(const Control& c, int x, int y, float step) { return Widget<TrackBall>(c).Wheel(x, y, step); }
void Draw(const Control& c) { Widget<TrackBall>(c).Draw(); }

void Show(const Control& c)
{
    TrackBall& b = Widget<TrackBall>(c);
    bool differs = false;
    for (int i = 0; i < 9; ++i) differs = differs || b.rotation[i / 3][i % 3] != c.Get(i);
    if (!differs) return;
    for (int i = 0; i < 9; ++i) b.rotation[i / 3][i % 3] = c.Get(i);
    b.UpdateGLMatrix();
}

bool Store(const Control& c)
{
    const TrackBall& b = Widget<TrackBall>(c);
    bool changed = false;
    for (int i = 0; i < 9; ++i) {
        if (c.Get(i) == b.rotation[i / 3][i % 3]) continue;
        c.Set(i, b.rotation[i / 3][i % 3]);
        changed = true;
    }
    return changed;
}

void SetVisible(const Control& c, bool on) { SetVisibleByte<TrackBall>(c, on); }

void Bounds(const Control& c, float* r)
{
    const RotationBall& b = Widget<TrackBall>(c);
    Put(r, b.x0, b.y0, b.x1, b.y1);
}

int Rows(const Control& c) { return OneRow(c); }

void RowPoint(const Control& c, int, int* x, int* y)
{
    const RotationBall& b = Widget<TrackBall>(c);
    At(x, y, b.centreX, b.centreY);
}

}  // namespace rotation_ball

namespace {

// Simple balls turn in the mode drawArg (3: free).
const ControlOps kSimpleBallOps = {
    [](const Control& c, int x, int y) {
        return Widget<SimpleBall>(c).Click(x, y, static_cast<uint8_t>(c.drawArg));
    },
    [](const Control& c, int x, int y) {
        SimpleBall& b = Widget<SimpleBall>(c);
        const bool moved = b.Drag(x, y, static_cast<uint8_t>(c.drawArg));
        if (moved) b.UpdateAngles();
        return moved;
    },
    [](const Control& c, int x, int y, float step) { return Widget<SimpleBall>(c).Wheel(x, y, step); },
    [](const Control& c) { Widget<SimpleBall>(c).Draw(); },
    [](const Control& c) {
        SimpleBall& b = Widget<SimpleBall>(c);
        if (!c.HasValue() || !DirectionDiffers(c, b.turned)) return;
        for (int k = 0; k < 3; ++k) {
            SharedStore(b.reference[k], c.Get(k));
            SharedStore(b.turned[k], c.Get(k));
            for (int j = 0; j < 3; ++j) b.rotation[k][j] = b.step[k][j] = k == j ? 1.0f : 0.0f;
        }
        b.UpdateAngles();
    },
    [](const Control& c) { return StoreDirection(c, Widget<SimpleBall>(c).turned); },
    SetVisibleByte<SimpleBall>,
    [](const Control& c, float* r) { const RotationBall& b = Widget<SimpleBall>(c); Put(r, b.x0, b.y0, b.x1, b.y1); },
    OneRow,
    [](const Control& c, int, int* x, int* y) { const RotationBall& b = Widget<SimpleBall>(c); At(x, y, b.centreX, b.centreY); },
    true
};

// Preset panels: the value is the entry chosen.
const ControlOps kTexturePanelOps = {
    [](const Control& c, int x, int y) {
        TexturePanel& p = Widget<TexturePanel>(c);
        const int before = p.selected;
        p.Click(x, y);
        return p.selected != before;
    },
    NoDrag, [](const Control& c, int x, int y, float step) { return Widget<TexturePanel>(c).Wheel(x, y, step); },
    [](const Control& c) { Widget<TexturePanel>(c).Draw(); },
    [](const Control& c) {
        TexturePanel& p = Widget<TexturePanel>(c);
        // A folder browser keeps its own page; its choice only flows out.
        if (!c.HasValue() || p.fixedMode == 0) return;
        const int v = static_cast<int>(c.Get(0));
        if (v >= 0 && v < kPickerCells) p.selected = v;
    },
    [](const Control& c) { return StoreRow(c, 0, static_cast<float>(Widget<TexturePanel>(c).selected)); },
    SetVisibleByte<TexturePanel>,
    // A folder browser's scroll column stands right of its cells.
    [](const Control& c, float* r) {
        const TexturePanel& p = Widget<TexturePanel>(c);
        Put(r, p.x0, p.y0, p.x1 + (p.fixedMode != 0 ? 0.0f : 32.0f), p.y1);
    },
    [](const Control&) { return kPickerCells; },
    [](const Control& c, int row, int* x, int* y) { const TexturePanel& p = Widget<TexturePanel>(c); At(x, y, p.x0 + 64.0f * (static_cast<float>(row % 5) + 0.5f), p.y0 + 64.0f * (static_cast<float>(2 - row / 5) + 0.5f)); }
};

const ControlOps kTextureBoxOps = {
    NoPress, NoDrag, NoWheel, [](const Control& c) { Widget<TextureBox>(c).Draw(); }, NoShow, NoStore,
    SetVisibleByte<TextureBox>,
    [](const Control& c, float* r) { const TextureBox& b = Widget<TextureBox>(c); Put(r, b.left, b.bottom, b.right, b.top); },
    NoRows,
    [](const Control&, int, int* x, int* y) { *x = *y = -1; }
};

const ControlOps kTabOps = {
    [](const Control& c, int x, int y) { return Widget<Tab>(c).Click(x, y); },
    NoDrag, NoWheel, [](const Control& c) { Widget<Tab>(c).Draw(); },
    [](const Control& c) {
        Tab& t = Widget<Tab>(c);
        const int v = static_cast<int>(c.Get(0));
        if (c.HasValue() && v >= 0 && v < t.count) t.selected = v;
    },
    [](const Control& c) { return StoreRow(c, 0, static_cast<float>(Widget<Tab>(c).selected)); },
    SetVisibleByte<Tab>,
    [](const Control& c, float* r) { const Tab& t = Widget<Tab>(c); Put(r, t.left, static_cast<float>(t.stripBottom), t.right, t.top); },
    [](const Control& c) { return Widget<Tab>(c).count; },
    [](const Control& c, int row, int* x, int* y) { const Tab& t = Widget<Tab>(c); At(x, y, (t.TabLeft(row) + t.TabLeft(row + 1)) / 2, (static_cast<float>(t.stripBottom) + t.top) / 2); }
};

template <class W>
Control Make(W& w, const char* name, const ControlOps& ops)
{
    Control c;
    c.name = name;
    c.ops = &ops;
    c.widget = &w;
    return c;
}

}  // namespace

Control Bind(Button& w, const char* name) { return Make(w, name, kButtonOps); }
Control Bind(OptionsBox& w, const char* name) { return Make(w, name, kCheckOps); }
Control Bind(ListBox& w, const char* name) { return Make(w, name, kListOps); }
Control Bind(HListBox& w, const char* name) { return Make(w, name, kHListOps); }
Control Bind(NewDropBox& w, const char* name) { return Make(w, name, kDropOps); }
Control Bind(BoolBox& w, const char* name) { return Make(w, name, kCheckListOps); }
Control Bind(SLWindow& w, const char* name) { return Make(w, name, kSLWindowOps); }
Control BindLayered(SLWindow& w, const char* name) { return Make(w, name, kSLWindowLayeredOps); }
Control Bind(STWindow& w, const char* name) { return Make(w, name, kSTWindowOps); }
Control Bind(SliderWindow& w, const char* name) { return Make(w, name, kSliderWindowOps); }
Control Bind(ColorPanel& w, const char* name) { return Make(w, name, kColorOps); }
Control Bind(FogColorPanel& w, const char* name) { return Make(w, name, kFogColorOps); }
Control Bind(TrackBall& w, const char* name) { return Make(w, name, kTrackBallOps); }
Control Bind(SimpleBall& w, const char* name) { return Make(w, name, kSimpleBallOps).Draw(3); }
Control Bind(TexturePanel& w, const char* name) { return Make(w, name, kTexturePanelOps); }
Control Bind(TextureBox& w, const char* name) { return Make(w, name, kTextureBoxOps); }
Control Bind(Tab& w, const char* name) { return Make(w, name, kTabOps); }

// ---- [tables] ---------------------------------------------------------------

bool ControlShown(const Control& c)
{
    if (c.tab != kEveryPage && c.tab != gControlContext.tab) return false;
    if (c.page != kEveryPage && c.page != gControlContext.page) return false;
    return c.shown == nullptr || c.shown();
}

bool ControlActive(const Control& c) { return ControlShown(c) && (c.active == nullptr || c.active()); }

void ShowControls(ControlTable table)
{
    for (const Control& c : table) {
        const bool on = ControlShown(c);
        c.ops->setVisible(c, on);
        if (on) c.ops->show(c);
    }
}

void DrawControls(ControlTable table)
{
    for (const Control& c : table)
        if (ControlShown(c)) c.ops->draw(c);
}

namespace {

void Changed(const Control& c, bool dragging)
{
    ++gControlChanges;
    if (c.effects != kEffectNone && gControlContext.effects != nullptr) gControlContext.effects(c.effects, dragging);
    if (c.changed != nullptr) c.changed();
}

}  // namespace

const Control* PressControls(ControlTable table, int x, int y)
{
    ShowControls(table);
    const Control* took = nullptr;
    for (const Control& c : table) {
        if (!ControlActive(c)) continue;
        if (!c.ops->press(c, x, y)) continue;
        if (took == nullptr) took = &c;
        if (c.ops->store(c)) Changed(c, false);
    }
    return took;
}

bool DragControl(const Control& held, int x, int y)
{
    if (!ControlActive(held)) return false;
    if (!held.ops->drag(held, x, y)) return false;
    if (!held.ops->store(held)) return false;
    Changed(held, true);
    return true;
}

bool WheelControls(ControlTable table, int x, int y, int delta)
{
    ShowControls(table);
    for (const Control& c : table) {
        if (c.wheelStep == 0.0f || !ControlActive(c)) continue;
        // Steps are written for a notch toward the user; a notch away (a
        // positive delta) gives the negative step. The value widgets subtract
        // the step and the lists add it to their first row, so a notch away
        // raises values and scrolls lists back.
        if (!c.ops->wheel(c, x, y, delta > 0 ? -c.wheelStep : c.wheelStep)) continue;
        if (c.ops->store(c)) Changed(c, false);
        return true;
    }
    return false;
}

void ControlBounds(const Control& c, float rect[4]) { c.ops->bounds(c, rect); }
int ControlRows(const Control& c) { return c.ops->rowCount(c); }
void ControlRowPoint(const Control& c, int row, int* x, int* y) { c.ops->rowPoint(c, row, x, y); }

const Control* FindControl(ControlTable table, const char* name)
{
    for (const Control& c : table)
        if (std::strcmp(c.name, name) == 0) return &c;
    return nullptr;
}
