// What must exist before the first frame: timer, random states, baseshape
// generator tables, the OpenGL context and its resources, the render buffers,
// the kernel of the current fractal type; then the splash screen is chosen.
#pragma once

#include <cstdint>

// False when the program cannot start (no OpenGL context, no memory for the
// smallest render buffers); the user has been told in a box captioned
// "Error" and the caller ends the program cleanly.
bool InitializeApplication();

// Render sizes tried at start-up, largest first: a machine that cannot hold
// the default buffers starts with smaller ones instead of running on none.
inline constexpr int kStartupRenderSizes[] = {2048, 1024, 512};

// Allocates the render buffers for a square size; false when memory runs out
// (nothing stays allocated then). Tests replace it.
using RenderBufferAllocator = bool (*)(int size);
extern RenderBufferAllocator gAllocateRenderBuffers;

// The clock seeds the random states, so every run starts from its own
// colours and sets; tests that compare pictures fix the seed here (0: the clock).
extern uint32_t gStartupSeed;

// Tries kStartupRenderSizes in order; returns the size allocated, or 0.
int AllocateStartupRenderBuffers(RenderBufferAllocator allocate);
