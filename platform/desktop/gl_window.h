// The main window and its OpenGL context. One thread (the window thread)
// creates both and keeps the context current for the program's life.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

inline constexpr const char* kWindowTitle = "Talvoran Vane";
inline constexpr int kVirtualScreenWidth = 1600;
inline constexpr int kVirtualScreenHeight = 1000;
inline constexpr double kVirtualScreenNear = -131072.0;
inline constexpr double kVirtualScreenFar = 0.0;

extern SDL_Window* gMainWindow;   // null until CreateMainWindow succeeds
extern void* gMainGLContext;      // SDL_GLContext; null until CreateMainContext succeeds

// Brings up SDL's video, event and timer parts. Without a display and without
// SDL_VIDEODRIVER set, the offscreen driver is chosen only when allowOffscreen
// (a headless run asked for); otherwise error says that no display was found.
bool InitPlatformVideo(std::string* error, bool allowOffscreen = false);
void ShutdownPlatformVideo();
bool PlatformVideoHeadless();  // true on the offscreen or dummy driver

// Size of the primary display in pixels (the screen the window is fitted to).
void GetScreenSize(int* width, int* height);

// Creates the window with the client size given, centred in the usable area
// of the primary display (above panels and docks). The GL attributes are those
// of a 2.1 compatibility context: RGB 8 bits each, depth 24, stencil 8, double
// buffered.
bool CreateMainWindow(int clientWidth, int clientHeight, bool hidden, std::string* error);

// Creates the context on the main window, makes it current and turns vsync
// off, so the idle loop sets its own pace.
bool CreateMainContext(std::string* error);

// Sets the icon the desktop shows for the main window from RGB rows, top row
// first. Does nothing without a window or with an empty picture.
void SetMainWindowIcon(int width, int height, const uint8_t* rgbTopRowFirst);

// Counts the contexts made: GL names (display lists, textures) kept across
// frames are valid only while the serial they were made under is current.
uint64_t MainContextSerial();

// Deletes the context (if any), then destroys the window (if any).
void DestroyMainWindow();

void SwapMainWindow();

// Drawable size in pixels: on high-DPI screens larger than the window size.
void GetMainDrawableSize(int* width, int* height);

// The fixed projection of the virtual 1600 by 1000 screen: x right, y up,
// depth from -131072 to 0, model-view identity.
void ApplyVirtualScreenProjection();

// Renderer and version strings of the current context ("" with none).
std::string CurrentGlRenderer();
std::string CurrentGlVersion();

// The current context offers framebuffer objects (GL 3 or
// GL_ARB_framebuffer_object): blits between buffers among them.
bool CurrentGlHasFramebufferObjects();
// A space-separated list of extension names holds the name, whole.
bool ExtensionListHas(const char* extensions, const char* name);

// The current read buffer (width by height from the lower left) as RGB bytes,
// top row first, as image files hold them.
std::vector<uint8_t> ReadFramebufferRgb(int width, int height);
