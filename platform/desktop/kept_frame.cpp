#include "platform/desktop/kept_frame.h"

#include <cstdio>

#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"

// Last: Xlib's macros (None, Bool, Status) stay out of the headers above.
#include <GL/glx.h>

namespace {

GLuint gFramebuffer = 0;
GLuint gColorTexture = 0;
int gKeptWidth = 0, gKeptHeight = 0;
uint64_t gKeptSerial = 0;  // the context the names belong to
bool gKept = false;

// Pixel for pixel into the same place; the scissor would cut a blit short.
void Blit(GLuint from, GLuint to, const PixelRect& r)
{
    GLint read = 0, draw = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_PIXEL_MODE_BIT);
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    if (from == 0) glReadBuffer(GL_BACK);
    if (to == 0) glDrawBuffer(GL_BACK);
    glBlitFramebuffer(r.x, r.y, r.x + r.w, r.y + r.h, r.x, r.y, r.x + r.w, r.y + r.h, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(draw));
    glPopAttrib();
}

// The names of a context that is gone are not ours to delete.
void ForgetStaleNames()
{
    if (gKeptSerial == MainContextSerial()) return;
    gFramebuffer = gColorTexture = 0;
    gKeptWidth = gKeptHeight = 0;
    gKept = false;
}

// Once a run: the frames that would put the copy back are drawn whole.
bool Refuse(const char* why)
{
    static bool said = false;
    if (!said) std::fprintf(stderr, "talvoran: no copy of the window's frame kept (%s): whole frames instead\n", why);
    said = true;
    return false;
}

bool MakeTarget(int width, int height)
{
    if (gFramebuffer && width == gKeptWidth && height == gKeptHeight) return true;
    DestroyKeptWindowFrame();
    if (!CurrentGlHasFramebufferObjects()) return Refuse("no framebuffer objects");
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &samples);
    // A blit back into a multisampled buffer is refused.
    if (samples != 0) return Refuse("a multisampled window");
    GLint texture = 0, previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glGenTextures(1, &gColorTexture);
    glBindTexture(GL_TEXTURE_2D, gColorTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glGenFramebuffers(1, &gFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, gFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gColorTexture, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    gKeptSerial = MainContextSerial();
    gKeptWidth = width;
    gKeptHeight = height;
    if (complete) return true;
    DestroyKeptWindowFrame();
    return Refuse("an incomplete framebuffer");
}

bool KeptFitsWindow()
{
    ForgetStaleNames();
    if (!gKept) return false;
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    return width == gKeptWidth && height == gKeptHeight;
}

using CopySubBufferFunction = void (*)(Display*, GLXDrawable, int, int, int, int);

// Looked up once for each context; none where the context is not GLX's.
CopySubBufferFunction CopySubBuffer()
{
    static uint64_t serial = 0;
    static CopySubBufferFunction function = nullptr;
    if (serial == MainContextSerial()) return function;
    serial = MainContextSerial();
    function = nullptr;
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr || glXGetCurrentContext() == nullptr) return nullptr;
    if (!ExtensionListHas(glXQueryExtensionsString(display, DefaultScreen(display)), "GLX_MESA_copy_sub_buffer"))
        return nullptr;
    function = reinterpret_cast<CopySubBufferFunction>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
    return function;
}

}  // namespace

bool KeepWindowFrame()
{
    ForgetStaleNames();
    gKept = false;
    int width = 0, height = 0;
    GetMainDrawableSize(&width, &height);
    if (width <= 0 || height <= 0 || !MakeTarget(width, height)) return false;
    Blit(0, gFramebuffer, {0, 0, width, height});
    gKept = true;
    return true;
}

bool RestoreKeptWindowFrame()
{
    if (!KeptFitsWindow()) return false;
    Blit(gFramebuffer, 0, {0, 0, gKeptWidth, gKeptHeight});
    return true;
}

bool RestoreKeptWindowFrame(const PixelRect& part)
{
    if (!KeptFitsWindow() || part.x < 0 || part.y < 0 || part.w <= 0 || part.h <= 0 ||
        part.x + part.w > gKeptWidth || part.y + part.h > gKeptHeight)
        return false;
    Blit(gFramebuffer, 0, part);
    return true;
}

bool CanShowBackBufferPart() { return gMainGLContext != nullptr && CopySubBuffer() != nullptr; }

bool ShowBackBufferPart(const PixelRect& part)
{
    if (!CanShowBackBufferPart()) return false;
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) return false;
    CopySubBuffer()(display, drawable, part.x, part.y, part.w, part.h);
    return true;
}

void DestroyKeptWindowFrame()
{
    ForgetStaleNames();
    if (gFramebuffer) glDeleteFramebuffers(1, &gFramebuffer);
    if (gColorTexture) glDeleteTextures(1, &gColorTexture);
    gFramebuffer = gColorTexture = 0;
    gKeptWidth = gKeptHeight = 0;
    gKept = false;
}
