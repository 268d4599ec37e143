#include "app/support/program_controls.h"

#include <SDL2/SDL.h>

#include <algorithm>

#include "app/control_tables.h"
#include "app/frame.h"
#include "app/main_buttons.h"
#include "app/param_help.h"
#include "app/text_field.h"
#include "editors/baseshape_editor_services.h"
#include "editors/xforms_editor_services.h"
#include "engine/kernel_framework.h"
#include "engine/random.h"
#include "engine/transform_set.h"
#include "platform/desktop/platform_events.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "shading/export_image.h"
#include "ui/panel_pages.h"
#include "ui/scroll_lists.h"

const Control* Find(const char* name)
{
    const Control* found = nullptr;
    for (ControlTable table : ControlTables()) {
        const Control* c = FindControl(table, name);
        if (c == nullptr) continue;
        // A caption in two tables would leave the press to the table order.
        if (found != nullptr) ADD_FAILURE() << "\"" << name << "\" is in two control tables";
        if (found == nullptr) found = c;
    }
    return found;
}

void Click(const char* name, int row)
{
    const Control* c = Find(name);
    ASSERT_NE(c, nullptr) << "no control \"" << name << "\"";
    int x = 0, y = 0;
    ControlRowPoint(*c, row, &x, &y);
    gProgram.Click(x, y);
}

bool Shown(const char* name)
{
    UpdateControlPage();
    const Control* c = Find(name);
    if (c == nullptr) ADD_FAILURE() << "no control \"" << name << "\"";
    return c != nullptr && ControlShown(*c);
}

void OpenTransformationEditor()
{
    gProgram.GoTo(kTabEditors, kPageTransformations);
    if (!gXFormsEditorOpen) Click("Edit (Transformations)");
    gProgram.Frames(1);
}

void OpenBaseshapeEditor()
{
    gProgram.GoTo(kTabEditors, kPageBaseshapes);
    if (!gBaseShapeEditorOpen) Click("Edit (Baseshapes)");
    gProgram.Frames(1);
}

void PickFractalType(int type)
{
    gProgram.GoTo(kTabFractals);
    const Control* list = FindControl(FractalsControls(), "Fractal Type");
    ASSERT_NE(list, nullptr);
    const int rows = ControlRows(*list);
    int x = 0, y = 0;
    ControlRowPoint(*list, 0, &x, &y);
    // Notches away from the user scroll back to the first type; toward the
    // user, one type on each.
    for (int notch = 0; notch < kFractalTypeCount; ++notch) gProgram.Wheel(x, y, 1);
    const int down = std::max(0, type - rows + 1);
    for (int notch = 0; notch < down; ++notch) gProgram.Wheel(x, y, -1);
    gProgram.ClickControl(FractalsControls(), "Fractal Type", rows - 1 - (type - down));
    gProgram.Frames(2);
}

void PickGeneratorRow(ControlTable table, const char* name, BoolBox& list, int row, uint32_t seed)
{
    const Control* c = FindControl(table, name);
    ASSERT_NE(c, nullptr) << name;
    int x = 0, y = 0;
    ControlRowPoint(*c, 0, &x, &y);
    for (int notch = 0; notch < kFractalGeneratorRowCount; ++notch) {
        if (row >= list.firstRow && row < list.firstRow + list.visibleRows) break;
        gProgram.Wheel(x, y, row < list.firstRow ? 1 : -1);
    }
    ASSERT_TRUE(row >= list.firstRow && row < list.firstRow + list.visibleRows) << row;
    if (seed != 0) SeedRandomState(gGlobalRandomB, seed);
    gProgram.ClickControl(table, name, list.visibleRows - 1 - (row - list.firstRow));
    gProgram.Frames(2);
}

void TypeIntoTheFirstHelpRow(const char* value)
{
    const SLWindow2& help = gParamHelpWindow;
    const int top = static_cast<int>(help.y0 + (static_cast<float>(help.rows) - 0.5f) * help.rowHeight);
    gProgram.Click(static_cast<int>(help.x0) + 80, top);
    ASSERT_TRUE(TextInputActive());
    for (int i = 0; i < 12; ++i) gProgram.Key(SDLK_BACKSPACE);
    gProgram.Type(value);
    gProgram.Key(SDLK_RETURN);
}

bool WaitForPointPreview()
{
    return FramesUntil([] { return gScreenState.load() == kScreenPointPreview; }, 5000);
}

void UseSmallRenders()
{
    gProgram.GoTo(kTabCamera);
    const Control* presets = FindControl(CameraControls(), "Resolution presets");
    ASSERT_NE(presets, nullptr);
    gProgram.ClickControl(CameraControls(), "Resolution presets", ControlRows(*presets) - 3);
    gProgram.ClickControl(CameraControls(), "Resolution presets", ControlRows(*presets) - 2);
    gProgram.ClickControl(CameraControls(), "Change");
    gProgram.Frames(2);
    ASSERT_EQ(gImageWidth, 512);
}

void PressRender()
{
    gProgram.ClickControl(WindowBottomControls(), "Render");
    gProgram.Frames(1);
    if (ButtonEnabled(kButtonYes)) gProgram.ClickControl(WindowBottomControls(), "Yes");
    ASSERT_EQ(gRenderRunFlag.load(), 1) << "the render did not start";
}

void LimitRenderCycles(uint64_t cycles) { gRenderCycleLimit = cycles; }

bool WaitForRenderCycles() { return FramesUntil([] { return RenderCycleLimitReached(); }, 1000000); }

void RenderCycles(uint64_t cycles)
{
    LimitRenderCycles(cycles);
    PressRender();
    if (gRenderRunFlag.load() == 1) {  // else PressRender failed the test
        EXPECT_TRUE(WaitForRenderCycles());
        gProgram.ClickControl(WindowBottomControls(), "Stop");
        gProgram.Frames(2);
        // Else the workers go on once the limit is lifted, and what a test
        // compares afterwards changes under it.
        EXPECT_EQ(gRenderRunFlag.load(), 0) << "\"Stop\" did not stop the render";
    }
    LimitRenderCycles(0);
}

bool ExportIdle() { return gFileThreadBusy.load() == 0; }

void SaveImage(const char* button, const std::filesystem::path& file)
{
    gProgram.GoTo(kTabRender, kPageShaders);
    gDialogs.QueueFile(file.string());
    gProgram.ClickControl(RenderControls(), button);
    EXPECT_TRUE(gProgram.WaitUntil(ExportIdle, 120000)) << file;
    gProgram.Frames(2);
}
