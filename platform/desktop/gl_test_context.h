// An OpenGL 2.1 compatibility context on a hidden window, for tests that
// draw. Headless runs use SDL's offscreen driver with Mesa (llvmpipe); the
// context has the virtual-screen projection set when it is made.
//
//   GlTestContext gl;                 // 1600 by 1000 pixels
//   if (!gl.ok()) GTEST_SKIP() << gl.error();
//   ... draw ...
//   std::vector<uint8_t> rgb = gl.ReadPixelsRgb();   // top row first
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop/gl_window.h"  // ReadFramebufferRgb

class GlTestContext {
public:
    explicit GlTestContext(int width = 1600, int height = 1000);
    ~GlTestContext();
    GlTestContext(const GlTestContext&) = delete;
    GlTestContext& operator=(const GlTestContext&) = delete;

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }
    int width() const { return width_; }
    int height() const { return height_; }

    std::string Renderer() const;
    std::string Version() const;
    bool IsLlvmpipe() const;

    // The back buffer as RGB bytes, top row first (the order of image files).
    std::vector<uint8_t> ReadPixelsRgb() const;

    // Viewport over the whole window and the 1600 by 1000 virtual screen.
    void ResetVirtualScreen() const;

private:
    bool ok_ = false;
    bool ownsVideo_ = false;
    std::string error_;
    int width_;
    int height_;
};
