// The animation frame step and the splash picture. An animation runs as a
// sequence of ordinary renders: the main view calls AdvanceAnimationFrame
// with its periodic preview shading, and at the last call of each frame the
// step saves the frame as a numbered file, moves the scene on and starts the
// render threads on cleared buffers.
//
// How long a frame lasts is read twice from gAnimationFrameLength: here in
// calls of this step (one per 720 main-view frames), and by the render
// coordinator in units of 100,000 ticks (about 100 s each), after which it
// stops the workers. The step's count decides when the frame is saved; the
// coordinator's limit only ends the drawing early when the window draws
// slowly, so the picture then waits, unchanged, for the step to save it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// The animation page's fields (the panel writes them).
extern int32_t gAnimationCallCounter;  // calls of the step since the animation began
extern int32_t gAnimationFrame;        // the frame counter, the number in the file name
extern float gAnimationRange[2];       // "Start Frame" a and the frame count b: frames run below trunc(a + b - 1)
extern std::string gAnimationBaseName;  // the base file name, path included

// The program's side of the step; each member defaults to doing nothing
// (startRender to StartRenderThreads).
struct AnimationServices {
    void (*restartPreview)();          // the main window's action that clears and reshades the preview
    void (*advanceScene)(int frame);   // the editor's frame counter, baseshape animation, symmetry rotation
    bool (*startRender)();             // the render threads on the cleared buffers
    void (*renderRestarted)();         // progressive shading, render-started byte, buttons of a running render
    void (*animationEnded)();          // buttons of a stopped render, the export view's list
};
extern AnimationServices gAnimationServices;
AnimationServices DefaultAnimationServices();

void AdvanceAnimationFrame();

// The 512 x 512 float splash picture kept at the start of gPreviewDepth
// becomes grey pixels of gPreviewImage, darker where a brighter neighbour
// borders it, and the upload is flagged.
void FadeSplashImage();
