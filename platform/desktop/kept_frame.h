// A copy of the main window's back buffer, kept in a framebuffer object, so
// that a frame which changes only a small part of the window can put the
// rest back without drawing it again. The back buffer itself is no such
// copy: after a swap its contents are undefined on real drivers.
#pragma once

// Pixels of the window's buffers, from the lower left.
struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// Copies the whole back buffer (the drawable's size) into the kept frame,
// before the swap. False, with nothing kept, where the GL offers no
// framebuffer objects or the window's buffer is multisampled.
bool KeepWindowFrame();
// Puts the kept frame back into the back buffer: all of it, or the part
// given. False when none is kept, or it was kept under another context or
// at another drawable size.
bool RestoreKeptWindowFrame();
bool RestoreKeptWindowFrame(const PixelRect& part);

// Where the window system can show part of the back buffer and leave the
// rest of the window as it shows it (GLX_MESA_copy_sub_buffer): a change to
// a small part of a frame is shown without the swap of the whole buffer,
// whose copy the software GL driver pays for by the pixel.
bool CanShowBackBufferPart();
// Shows that part (it waits for the drawing before it); false, with nothing
// shown, where the window system cannot.
bool ShowBackBufferPart(const PixelRect& part);

// Frees what was kept (the context still current) and forgets it.
void DestroyKeptWindowFrame();
