// The window's OpenGL context and the GL resources every frame needs.
#pragma once

// Creates and binds the context of the main window, turns the depth test on
// and runs InitGLResources. On failure shows the error box and returns false.
bool SetupPixelFormat();

// The virtual-screen projection, the font, the skins, the screen lists and
// the off-screen preview target (gPreviewTargetAvailable tells whether it exists).
void InitGLResources();
