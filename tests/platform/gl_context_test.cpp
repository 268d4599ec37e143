#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_test_context.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/preview_target.h"

namespace {

// Pixel (x, y) of a top-row-first RGB image.
const uint8_t* At(const std::vector<uint8_t>& rgb, int width, int x, int y)
{
    return rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
}

// An axis-aligned quad in immediate mode, only a compatibility context takes.
void DrawQuad(float x0, float y0, float x1, float y1, float z)
{
    glBegin(GL_QUADS);
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
    glEnd();
}

TEST(GlContext, CompatibilityContextWithDepthStencilAndDisplayLists)
{
    GlTestContext gl(320, 200);
    if (!gl.ok()) GTEST_FAIL() << "no OpenGL: " << gl.error();
    EXPECT_FALSE(gl.Version().empty());
    int depth = 0, stencil = 0, doubleBuffer = 0, red = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    EXPECT_GE(depth, 24);
    EXPECT_GE(stencil, 8);
    // EGL's offscreen surfaces are single-buffered; a real window is not.
    if (!PlatformVideoHeadless()) {
        EXPECT_EQ(doubleBuffer, 1);
    }
    EXPECT_EQ(red, 8);

    // Immediate mode inside a display list: only a compatibility context takes
    // it. Depth runs from 0 (far) to 131072 (near) in the virtual screen.
    const GLuint list = glGenLists(1);
    ASSERT_NE(list, 0u);
    glNewList(list, GL_COMPILE);
    glColor3f(1.0f, 0.0f, 0.0f);
    DrawQuad(0.0f, 0.0f, 800.0f, 500.0f, 10.0f);
    glEndList();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCallList(list);
    const std::vector<uint8_t> rgb = gl.ReadPixelsRgb();
    ASSERT_EQ(rgb.size(), 320u * 200u * 3u);
    // The virtual screen's lower left quarter is red; y points up.
    EXPECT_EQ(At(rgb, 320, 10, 190)[0], 255);
    EXPECT_EQ(At(rgb, 320, 10, 190)[2], 0);
    EXPECT_EQ(At(rgb, 320, 10, 10)[2], 255);
    EXPECT_EQ(At(rgb, 320, 300, 190)[2], 255);
    glDeleteLists(list, 1);
}

TEST(GlContext, OnlyOneMainWindowAtATime)
{
    GlTestContext first(64, 64);
    if (!first.ok()) GTEST_FAIL() << first.error();
    GlTestContext second(64, 64);
    EXPECT_FALSE(second.ok());
    EXPECT_FALSE(second.error().empty());
}

TEST(PreviewTarget, DrawsOffscreenAndRestoresTheWindowState)
{
    GlTestContext gl(400, 250);
    if (!gl.ok()) GTEST_FAIL() << gl.error();
    ASSERT_TRUE(CreatePreviewTarget());
    EXPECT_TRUE(gPreviewTargetAvailable == 1 && gPreviewTargetFormat[0] == 1024 && gPreviewTargetFormat[1] == 1024);
    EXPECT_NE(gPreviewTargetTexture, 0u);

    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glDisable(GL_DEPTH_TEST);
    BeginPreviewTarget();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 832);
    EXPECT_EQ(viewport[3], 832);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    DrawQuad(416.0f, 0.0f, 832.0f, 832.0f, 5.0f);  // the right half of the drawn 832 square
    EndPreviewTarget();

    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 400);
    EXPECT_EQ(viewport[3], 250);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[1], 1.0f);  // the window's clear colour again

    std::vector<uint8_t> texels(1024u * 1024u * 4u);
    glBindTexture(GL_TEXTURE_2D, gPreviewTargetTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    auto texel = [&](int x, int y) { return texels.data() + (static_cast<size_t>(y) * 1024 + x) * 4; };
    EXPECT_TRUE(texel(100, 100)[0] == 0 && texel(100, 100)[3] == 0);  // cleared to transparent black
    EXPECT_TRUE(texel(600, 100)[0] == 255 && texel(600, 100)[3] == 255);  // the quad
    EXPECT_EQ(texel(900, 100)[0], 0);    // beyond the 832 pixels drawn

    ClearPreviewTarget();
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texel(600, 100)[0], 0);
    DestroyPreviewTarget();
    EXPECT_EQ(gPreviewTargetAvailable, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
