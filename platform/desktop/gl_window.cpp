#include "platform/desktop/gl_window.h"

#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/desktop/gl_api.h"

SDL_Window* gMainWindow = nullptr;
void* gMainGLContext = nullptr;

namespace {

bool gVideoUp = false;

void SetError(std::string* error, const char* what)
{
    if (error) *error = std::string(what) + ": " + SDL_GetError();
}

void RequestCompatibilityAttributes()
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

int PinLibrary(struct dl_phdr_info* info, size_t, void*)
{
    if (info->dlpi_name && info->dlpi_name[0]) {
        if (void* handle = dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE)) dlclose(handle);
    }
    return 0;
}

// The GL driver, once loaded, stays for the process's life: SDL would unload
// it with the video subsystem and load it again for the next window (tests
// make many), and the leak checker could then no longer name the driver's
// own allocations.
void PinLoadedLibraries()
{
    static bool pinned = false;
    if (pinned) return;
    pinned = true;
    dl_iterate_phdr(PinLibrary, nullptr);
}

}  // namespace

bool InitPlatformVideo(std::string* error, bool allowOffscreen)
{
    if (gVideoUp) return true;
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!driver || !*driver) && (!display || !*display) && (!wayland || !*wayland)) {
        if (!allowOffscreen) {
            if (error) {
                *error = "no display found (set DISPLAY or WAYLAND_DISPLAY, or run headless with "
                         "SDL_VIDEODRIVER=offscreen --quit-after-frames N)";
            }
            return false;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    }
    // Ctrl+C and SIGTERM end the process as for any program; as window close
    // requests they would meet the quit question, which a headless run
    // cannot answer.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        SetError(error, "SDL_Init failed");
        return false;
    }
    gVideoUp = true;
    return true;
}

void ShutdownPlatformVideo()
{
    if (!gVideoUp) return;
    SDL_Quit();
    gVideoUp = false;
}

bool PlatformVideoHeadless()
{
    const char* name = SDL_GetCurrentVideoDriver();
    return !name || std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0;
}

void GetScreenSize(int* width, int* height)
{
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        *width = mode.w;
        *height = mode.h;
        return;
    }
    *width = kVirtualScreenWidth;
    *height = kVirtualScreenHeight;
}

bool CreateMainWindow(int clientWidth, int clientHeight, bool hidden, std::string* error)
{
    RequestCompatibilityAttributes();
    int x = SDL_WINDOWPOS_CENTERED;
    int y = SDL_WINDOWPOS_CENTERED;
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
        x = usable.x + (usable.w - clientWidth) / 2;
        y = usable.y + (usable.h - clientHeight) / 2;
        if (x < usable.x) x = usable.x;
        if (y < usable.y) y = usable.y;
    }
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    flags |= hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
    gMainWindow = SDL_CreateWindow(kWindowTitle, x, y, clientWidth, clientHeight, flags);
    if (!gMainWindow) {
        SetError(error, "SDL_CreateWindow failed");
        return false;
    }
    return true;
}

namespace {
uint64_t gContextSerial = 0;
}  // namespace

uint64_t MainContextSerial() { return gContextSerial; }

bool CreateMainContext(std::string* error)
{
    if (!gMainWindow) {
        if (error) *error = "no window";
        return false;
    }
    SDL_GLContext context = SDL_GL_CreateContext(gMainWindow);
    if (!context) {
        SetError(error, "SDL_GL_CreateContext failed");
        return false;
    }
    if (SDL_GL_MakeCurrent(gMainWindow, context) != 0) {
        SetError(error, "SDL_GL_MakeCurrent failed");
        SDL_GL_DeleteContext(context);
        return false;
    }
    gMainGLContext = context;
    ++gContextSerial;
    PinLoadedLibraries();
    // On a display the swap waits for the vertical blank where the driver
    // offers it; the frame loop paces itself where it does not.
    SDL_GL_SetSwapInterval(PlatformVideoHeadless() ? 0 : 1);
    return true;
}

void DestroyMainWindow()
{
    if (gMainGLContext) {
        SDL_GL_MakeCurrent(gMainWindow, nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(gMainGLContext));
        gMainGLContext = nullptr;
    }
    if (gMainWindow) {
        SDL_DestroyWindow(gMainWindow);
        gMainWindow = nullptr;
    }
}

void SetMainWindowIcon(int width, int height, const uint8_t* rgbTopRowFirst)
{
    if (!gMainWindow || !rgbTopRowFirst || width <= 0 || height <= 0) return;
    // SDL only reads the pixels while setting the icon, so they need not outlive the surface.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgbTopRowFirst), width, height, 24,
                                                           width * 3, SDL_PIXELFORMAT_RGB24);
    if (!icon) return;
    SDL_SetWindowIcon(gMainWindow, icon);
    SDL_FreeSurface(icon);
}

void SwapMainWindow()
{
    if (gMainWindow) SDL_GL_SwapWindow(gMainWindow);
}

void GetMainDrawableSize(int* width, int* height)
{
    *width = 0;
    *height = 0;
    if (gMainWindow) SDL_GL_GetDrawableSize(gMainWindow, width, height);
}

void ApplyVirtualScreenProjection()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, kVirtualScreenWidth, 0.0, kVirtualScreenHeight, kVirtualScreenNear, kVirtualScreenFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

namespace {
std::string GlString(GLenum name)
{
    if (!SDL_GL_GetCurrentContext()) return {};
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : std::string();
}
}  // namespace

bool ExtensionListHas(const char* extensions, const char* name)
{
    if (!extensions) return false;
    // Whole tokens only: a longer name that merely begins with ours must not count.
    const size_t length = std::strlen(name);
    for (const char* p = extensions; *p;) {
        const size_t token = std::strcspn(p, " ");
        if (token == length && std::strncmp(p, name, length) == 0) return true;
        p += token;
        while (*p == ' ') ++p;
    }
    return false;
}

bool CurrentGlHasFramebufferObjects()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version && version[0] >= '3' && version[1] == '.') return true;
    return ExtensionListHas(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), "GL_ARB_framebuffer_object");
}

std::string CurrentGlRenderer() { return GlString(GL_RENDERER); }
std::string CurrentGlVersion() { return GlString(GL_VERSION); }

std::vector<uint8_t> ReadFramebufferRgb(int width, int height)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> row(stride);
    for (int y = 0; y < height / 2; ++y) {
        uint8_t* a = pixels.data() + stride * y;
        uint8_t* b = pixels.data() + stride * (height - 1 - y);
        std::memcpy(row.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, row.data(), stride);
    }
    return pixels;
}
