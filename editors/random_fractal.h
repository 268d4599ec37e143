// "New Fractal": a random transformation set suited to the current fractal
// type, kept only when its orbit stays bounded, then the view fitted to it
// and new colours for the transformations. Window thread only, with the
// render stopped; every draw steps gGlobalRandomB.
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

// Installs the presets where the model's set operations reach them.
void InstallTransformationPresets();
