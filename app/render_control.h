// The shell's side of the render: the actions of the main buttons ("Quit",
// "Draw", "Render" with its erase question, "Yes", "No", "Stop",
// "Continue", "Preview") run in a fixed order after every left-button
// release, start and stop the render threads, and keep the buttons, the
// screen state and the preview flags in step with them.
//
// The buttons form the render's visible state machine:
//   idle, nothing rendered: Render on, Stop off, Continue off, Yes/No off
//   asking to erase:        Render on, Stop off, Continue as before, Yes/No on
//   rendering:              Render off, Stop on, Continue off, Yes/No off
//   stopped:                Render on, Stop off, Continue on (off after an animation)
#pragma once

#include <cstdint>

extern uint8_t gRenderExists;     // a render was started: "Render" asks before erasing
extern uint8_t gRenderInBuffers;  // the render buffers hold the picture to show
extern uint8_t gContinueAllowed;  // "Continue"'s state to restore when an editor closes
// The render's start in seconds: the shading's clock of its timed uploads,
// under the render's names.
extern int64_t& gRenderClock;
extern int64_t& gProgramStartTime;

// The render's start and restart; tests replace them (a failed thread
// creation, for one). start fits the light view, sets the screen state and
// starts the threads; resume starts them on the buffers as they are.
struct RenderStarters {
    bool (*start)();
    bool (*resume)();
};
extern RenderStarters gRenderStarters;

// A stop whose threads have not ended after 5 s keeps the window drawing:
// installed as the render's stop watcher for the thread that calls it (the
// window thread), it puts the wait in the status line and presents a frame
// showing it. Frames drawn that way are counted.
void WatchStopsFromThisThread();
extern int gStopWaitFrames;

// The screen of a running render: "Shadows" "Off" (0) gives projection + 2,
// "On" (1) the projection itself; any other value keeps current.
int RenderScreenState(int projection, int fastShadowUpdate, int current);

// Mirror copies for the render about to start (non-RGB colouring of the
// types that fold: 3, 8, 9, 13, 14, 16, 17, 19, 31, and 5 and 6 with the
// mirror in y too); a used baseshape of 0 points per run turns both off.
void ChooseMirrorCopies();

// Every button action whose pressed byte is set, in the fixed order.
void ProcessInterfaceActions();

// Stops the threads (they are joined) and puts the panel back to idle.
void StopRenderAndResetPanel();
// "Stop": mode 1 leaves the export view on screen, any other the point preview.
void StopRenderAndShowBuffers(int mode);

// "Talvoran Script" draws only the tforms of a loaded script; without them
// its picture stays black. "New Fractal" and "Render" then say so in the
// status line, with where scripts are loaded.
inline constexpr const char* kNoScriptText =
    "No script loaded: Talvoran Script draws the script loaded with \"Load Script\" on the \"Fractals\" page.";
void SayWhenNoScriptIsLoaded();

// The preview step: the planes start afresh and the preview is reshaded,
// framed by the rows the render covers.
void RunPreviewStep();
// The settled preview anew: the refresh flag drops, the shading restarts
// the preview (progressively under a render, fully on the preview screens)
// and the rows it covers are framed.
void ReshadePreview();
