// "New Fractal": a random transformation set suited to the current fractal
// type, kept only when its orbit stays bounded and the set shows in the
// view fitted to it, then new colours for the transformations. Window
// thread only, with the render stopped; every draw steps gGlobalRandomB.
//
// Files: random_fractal.cpp (the steps), random_fractal_recipes.cpp (the
// recipe of each type), random_fractal_acceptance.cpp (the orbit test and
// the look at the set in its view).
#pragma once

#include <cstdint>

// The shell's part of the view reset (its zoom, the preview's view
// matrices and buffers, the text field) and the render stop; each may be
// null.
struct RandomFractalHooks {
    void (*resetView)() = nullptr;
    void (*stopRender)() = nullptr;
};
extern RandomFractalHooks gRandomFractalHooks;

// Attempts before the last one stands, and the time after which the last
// attempt stands all the same, so the window never freezes for long.
inline constexpr int kRandomFractalAttempts = 10000;
inline constexpr int kRandomFractalBudgetMs = 750;

// The start of every test orbit and of the slots' first runs.
inline constexpr float kRandomFractalStart[3] = {1.162f, -1.21f, 1.141f};

void CreateRandomFractal();

// The recipe of the current fractal type alone (the presets it applies and
// the camera angles it sets), as one attempt of CreateRandomFractal runs it.
void ApplyRandomFractalRecipe();

// Runs the current kernel once on slot 0 from the test start; true when
// each of its 1000 points lies between 0.0001 and 50 from the origin and
// the last 500 neither lie within a box of side kRandomFractalMinExtent nor
// cycle through fewer than kRandomFractalMinCells cells of a grid over them.
inline constexpr float kRandomFractalMinExtent = 0.01f;
inline constexpr int kRandomFractalMinCells = 24;
bool RandomFractalOrbitBounded();

// The view fit of the reset: the image scale and offsets from the image
// size (the image spans -1..1 of the view along its shorter side), the pan
// and the perspective focal factor back to rest, then the camera fit.
void FitRandomFractalView();

// Looks at the current set as the reset after "New Fractal" shows it: with
// fit, first fits the view as the reset does; then runs `batches` more
// batches on slot 0 and projects them into the view, counting the points
// of each cell of a 64 x 64 grid over the frame. Keeps a sample of the
// points for FitViewToBulk.
struct RandomFractalView {
    // The share of the points in the frame, in the quarter of the look where
    // it is least (an orbit that leaves at the end counts).
    float inFrame = 0.0f;
    // The span of the middle 98 % of the points in the frame, across and up,
    // over the frame's width and height.
    float spanX = 0.0f, spanY = 0.0f;
    // The share of the cells the points light.
    float cells = 0.0f;
    // The share of the pairs of neighbouring cells whose counts differ
    // fourfold (among the pairs with 8 points or more in one of them).
    float structure = 0.0f;
    // The share of the lit cells with fewer than a twentieth of the points
    // of the fullest tenth of them.
    float halo = 0.0f;
};
RandomFractalView LookAtRandomFractal(int batches, bool fit = true);

// The view fitted to the bulk of the last look's points: centred on the box
// that holds all but 1 % of them on either side along each axis, with the
// radius within which 99 % of them lie (times the camera fit's 1.025). For
// a set whose camera fit took a few stray points far out, which leaves the
// set itself a dot in the middle of the view.
void FitViewToBulk();

// A set shows when most of its points stay in the frame (an orbit that
// wanders beyond what the fit saw does not), when they span enough of it
// both ways (a set collapsed onto a plane seen edge-on, onto a line or a
// dot does not), when they light enough cells (a sparse dust does not) and
// when they are not featureless: a blob (hardly any sharp edges between
// cells) or a diffuse cloud (few of them, and a wide thin halo). A set whose points span less than kRandomFractalBulkSpan
// both ways in the camera fit is looked at again in the view of its bulk
// (which the reset then keeps).
inline constexpr int kRandomFractalViewBatches = 200;
inline constexpr float kRandomFractalMinInFrame = 0.9f;
inline constexpr float kRandomFractalMinSpan = 0.2f;
inline constexpr float kRandomFractalMinLitCells = 0.025f;
inline constexpr float kRandomFractalBulkSpan = 0.5f;
inline constexpr float kRandomFractalBlobStructure = 0.04f;
inline constexpr float kRandomFractalCloudStructure = 0.1f;
inline constexpr float kRandomFractalCloudHalo = 0.38f;
bool RandomFractalViewShows();

// Installs the presets where the model's set operations reach them.
void InstallTransformationPresets();
