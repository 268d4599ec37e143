// The "Fractals" page: the fractal type, the file buttons, the thread counts
// and the colouring switch.
#include <initializer_list>
#include <iterator>

#include "app/action_buttons.h"
#include "app/control_tables.h"
#include "app/create_interface.h"
#include "app/interface_panel.h"
#include "app/panel_state.h"
#include "app/settings.h"
#include "engine/status_line.h"
#include "engine/baseshape_model.h"
#include "engine/file_dialogs.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/point_coloring.h"
#include "engine/transform_set.h"
#include "render/render_threads.h"
#include "render/transform_probabilities.h"
#include "shading/export_image.h"
#include "shading/shading_settings.h"

namespace {

bool TypeIn(std::initializer_list<int> types)
{
    for (int t : types)
        if (t == gFractalType) return true;
    return false;
}

bool ScriptWritable() { return TypeIn({0, 2, 3, 7, 8, 9, 10, 11, 12, 21, 23}); }
bool ScriptReadable() { return gFractalType == 22; }
bool BlocksAllowed() { return TypeIn({0, 3, 12, 18, 21, 37, 40, 43, 44, 45}); }
bool GeneratorType() { return gFractalType == 48; }
// "Fractal Type" shows the type picked and not yet made the type, else the
// type in force; a pick of the type in force withdraws a pick.
float ShownFractalType(int)
{
    const int32_t request = gPanel.fractalTypeRequest;
    return static_cast<float>(request != kNoFractalTypeRequest ? request : gFractalType);
}
void PickFractalType(int, float v)
{
    const int type = CheckedTruncToInt(v);
    if (type < 0 || type >= kFractalTypeCount) return;
    gPanel.fractalTypeRequest = type == gFractalType ? kNoFractalTypeRequest : type;
}

// "Kavrolin" shows exactly when its press acts.
bool KavrolinAllowed() { return CanExportKavrolinScene(); }

// "Send to Blocks": the current set becomes the generator blocks of type 48.
void SendToBlocks()
{
    ClearActionPressed(kActionSendToBlocks);
    SetStatusText("To blocks");
    gTransformCount = gPickTransformCount;
    EditTransformSet(3);
    UpdateTransformProbabilities();
    gPanel.fractalTypeRequest = kNoFractalTypeRequest;
    SetFractalType(48);
    gInterface.UpdateTypeButtons();
}

// A chosen row is applied as "New Fractal" applies it, at the release.
void GeneratorRowChosen() { gActionButtons[kActionNewFractal].pressed = 1; }

void ColorByTransformationChanged()
{
    if (!gPanel.colorByTransformation) {
        SharedStore(gShadingSettings.materialColorBlend, 7);
        gRgbColoring = 0;
        SetColoringMode(8);
    } else {
        gRgbColoring = 1;
        SharedStore(gShadingSettings.materialColorBlend, 6);
        SetColoringMode(7);
    }
}

// "Render Threads" and "Export Threads (BMP, PNG)" show the counts in force;
// a count changes once the settings file has taken it.
float RenderThreads(int) { return static_cast<float>(gRenderThreadCount); }
void SetRenderThreads(int, float v) { SaveRenderThreads(v); }
float ExportThreads(int) { return static_cast<float>(gExportThreadCount); }
void SetExportThreads(int, float v) { SaveExportThreads(v); }

// "Threads": each row a render thread count, the most at the top; the row of
// the current count shows, and while no row holds it (-1) the list keeps
// the row it showed last.
const int kThreadCounts[] = {1, 4, 8, 16, 24};  // rows from the bottom
float ThreadsRow(int)
{
    for (int row = 0; row < static_cast<int>(std::size(kThreadCounts)); ++row)
        if (kThreadCounts[row] == gRenderThreadCount) return static_cast<float>(row);
    return -1.0f;
}
void PickThreadsRow(int, float v)
{
    const int row = CheckedTruncToInt(v);
    if (row >= 0 && row < static_cast<int>(std::size(kThreadCounts))) SaveRenderThreads(static_cast<float>(kThreadCounts[row]));
}

Control Button(ActionButtonId id, const char* name)
{
    return Bind(gActionButtons[id], name).On(kTabFractals).Value(&gActionButtonEnabled[id]);
}

const Control kFractals[] = {
    Bind(gFractalTypeBox, "Fractal Type").On(kTabFractals).Derived(ShownFractalType, PickFractalType).Wheel(1),
    Button(kActionResetPaths, "Reset Paths"),
    Bind(gKeepDefaultPathsBox, "Keep Default Paths").On(kTabFractals).Value(&gKeepDialogFolders),
    Button(kActionSaveBuffers, "Save Buffers"),
    Button(kActionLoadBuffers, "Load Buffers"),
    Button(kActionLoadScript, "Load Script").When(ScriptReadable),
    Button(kActionSaveScript, "Save Script").When(ScriptWritable),
    Button(kActionSendToBlocks, "Send to Blocks").When(BlocksAllowed).Then(SendToBlocks),
    Button(kActionKavrolin, "Kavrolin").When(KavrolinAllowed),
    Bind(gFractalGeneratorList, "Fractal Generator")
        .On(kTabFractals)
        .When(GeneratorType)
        .Value(&gFractalGeneratorRow)
        .Then(GeneratorRowChosen)
        .Wheel(1),
    Button(kActionSaveFractal, "Save Fractal"),
    Button(kActionLoadFractal, "Load Fractal"),
    Bind(gRenderThreadsWindow, "Render Threads")
        .On(kTabFractals)
        .Derived(RenderThreads, SetRenderThreads)
        .Whole()
        .Wheel(1)
        .Draw(10),
    Bind(gThreadsList, "Threads").On(kTabFractals).Derived(ThreadsRow, PickThreadsRow),
    Bind(gExportThreadsWindow, "Export Threads (BMP, PNG)")
        .On(kTabFractals)
        .Derived(ExportThreads, SetExportThreads)
        .Whole()
        .Wheel(1)
        .Draw(10),
    Bind(gInterface.colorByTransformation, "Color by Transformation")
        .On(kTabFractals)
        .ActiveWhen(NoRenderOnScreen)
        .Value(&gPanel.colorByTransformation)
        .Effects(kEffectReplot)
        .Then(ColorByTransformationChanged),
};

}  // namespace

ControlTable FractalsControls() { return kFractals; }
