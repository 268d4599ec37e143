#include "platform/gl_test_context.h"

#include <SDL2/SDL.h>

#include <cstring>

#include "platform/gl_api.h"
#include "platform/gl_window.h"

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

std::vector<uint8_t> ReadFramebufferRgb(int width, int height)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
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
