// Controls of the running program found by their captions and pressed where
// they are drawn, through gProgram (app/support/program_test.h); and the
// steps several tests take the same way: a fractal type picked in its list,
// 512 x 512 renders, a render run for a while, a picture saved.
#pragma once

#include <cstdint>
#include <filesystem>

#include "app/support/program_test.h"
#include "ui/controls.h"

// The named control of whichever table holds it, or null; a test failure
// when two tables hold the caption.
const Control* Find(const char* name);
// The named control pressed and let go at its row; a test failure when no
// table holds it.
void Click(const char* name, int row = 0);
// Whether the named control is drawn on the page now on screen; a test
// failure (and false) when no table holds it.
bool Shown(const char* name);

// An editor's page with its "Edit" box on (pressed when it is off).
void OpenTransformationEditor();
void OpenBaseshapeEditor();

// "Fractal Type" scrolled with its wheel to the type, which is then pressed.
void PickFractalType(int type);

// A row of a "Fractal Generator" list (the control of that name in the
// table, shown by list) scrolled into view with its wheel and pressed where
// it is drawn; gGlobalRandomB seeded just before the press when a seed is
// given.
void PickGeneratorRow(ControlTable table, const char* name, BoolBox& list, int row, uint32_t seed = 0);

// A press on the parameter help's first row opens its field; the value
// typed there replaces the old one at Return.
void TypeIntoTheFirstHelpRow(const char* value);

// Frames drawn until done() holds, at most limit of them; done() at the end.
template <typename Done>
bool FramesUntil(Done done, int limit)
{
    for (int frame = 0; frame < limit && !done(); ++frame) gProgram.Frames(1);
    return done();
}
// Frames until the start-up point preview is on screen (at most 5000).
bool WaitForPointPreview();

// 512 x 512 renders keep a test short: "Resolution presets" row "512 x 512",
// then "Change". Another row is pressed first, as a program started again
// in the same process keeps the list's row and a press on it alone would
// not count.
void UseSmallRenders();

// "Render" under the preview, answering "Yes" when a picture is kept.
void PressRender();
// Renders of a fixed amount of work, the same on any machine however
// loaded: each worker of the renders started from now on stops at this many
// cycles (kSlotBatchSize points each) and idles until "Stop"; 0 lifts the
// limit (the fixture lifts it at the test's end).
void LimitRenderCycles(uint64_t cycles);
// Frames drawn until every worker of the running render has run the limit;
// true when they have.
bool WaitForRenderCycles();
// "Render", the given cycles with the preview drawn, "Stop", no limit.
void RenderCycles(uint64_t cycles);

// No image export is running.
bool ExportIdle();
// "Save PNG" or "Save Bitmap" on the "Render" tab into file, waiting for the
// export to end.
void SaveImage(const char* button, const std::filesystem::path& file);
