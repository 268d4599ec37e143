#include "platform/desktop/gl_test_context.h"

#include <SDL2/SDL.h>

#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"

GlTestContext::GlTestContext(int width, int height) : width_(width), height_(height)
{
    if (gMainWindow) {
        error_ = "a main window exists already";
        return;
    }
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        if (!InitPlatformVideo(&error_)) return;
        ownsVideo_ = true;
    }
    if (!CreateMainWindow(width, height, true, &error_)) return;
    if (!CreateMainContext(&error_)) {
        DestroyMainWindow();
        return;
    }
    ok_ = true;
    ResetVirtualScreen();
}

GlTestContext::~GlTestContext()
{
    if (ok_) DestroyMainWindow();
    if (ownsVideo_) ShutdownPlatformVideo();
}

std::string GlTestContext::Renderer() const { return CurrentGlRenderer(); }
std::string GlTestContext::Version() const { return CurrentGlVersion(); }

bool GlTestContext::IsLlvmpipe() const { return Renderer().find("llvmpipe") != std::string::npos; }

std::vector<uint8_t> GlTestContext::ReadPixelsRgb() const
{
    if (!ok_) return {};
    return ReadFramebufferRgb(width_, height_);
}

void GlTestContext::ResetVirtualScreen() const
{
    if (!ok_) return;
    glViewport(0, 0, width_, height_);
    ApplyVirtualScreenProjection();
}
