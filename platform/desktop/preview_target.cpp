#include "platform/desktop/preview_target.h"

#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"

// The original design kept this target as a pbuffer: gPbufferAvailable, gPbufferSize, gPbufferTexture.
uint8_t gPreviewTargetAvailable = 0;
int gPreviewTargetFormat[5] = {kPreviewTargetSize, kPreviewTargetSize, 32, 24, 0};
unsigned gPreviewTargetTexture = 0;

namespace {

GLuint gFramebuffer = 0;
GLuint gDepthRenderbuffer = 0;
GLint gSavedFramebuffer = 0;
bool gInsideTarget = false;

void SetTargetState()
{
    glViewport(0, 0, kPreviewTargetDrawn, kPreviewTargetDrawn);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, kPreviewTargetDrawn, 0.0, kPreviewTargetDrawn, -131072.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}

// The points of a dirty preview frame, a quarter of a million, queue tens of
// MB in the software GL driver. It keeps each queued batch of drawing in a
// pool of up to 64 and frees a batch's memory only when it takes that batch
// again, the first free one each time. Queued while the interface drawn
// before them was still being rasterized, the points went into a later
// batch and stayed held after the preview had settled: the heap of a
// window on a display held 116 to 225 MB, growing with use, where it now
// holds 70. Finished before and after the target, they go into the first
// batch, which the rest of the frame takes again and so frees.
// Without a display (the offscreen driver) no swap shows a frame and the
// driver keeps its batches its own way; finishing there would only make every
// headless run draw what no one sees, unless asked for (FinishPreviewDrawingHeadless).
bool gFinishHeadless = false;

void FinishQueuedDrawing()
{
    if (gFinishHeadless || !PlatformVideoHeadless()) glFinish();
}

}  // namespace

bool CreatePreviewTarget()
{
    DestroyPreviewTarget();
    gPreviewTargetFormat[0] = kPreviewTargetSize;
    gPreviewTargetFormat[1] = kPreviewTargetSize;
    gPreviewTargetFormat[2] = 32;
    gPreviewTargetFormat[3] = 24;
    gPreviewTargetFormat[4] = 0;
    if (!CurrentGlHasFramebufferObjects()) return false;

    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &gPreviewTargetTexture);
    glBindTexture(GL_TEXTURE_2D, gPreviewTargetTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kPreviewTargetSize, kPreviewTargetSize, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);

    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glGenRenderbuffers(1, &gDepthRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, gDepthRenderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kPreviewTargetSize, kPreviewTargetSize);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenFramebuffers(1, &gFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, gFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gPreviewTargetTexture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, gDepthRenderbuffer);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    glBindTexture(GL_TEXTURE_2D, gPreviewTargetTexture);
    if (!complete) {
        DestroyPreviewTarget();
        return false;
    }
    gPreviewTargetAvailable = 1;
    ClearPreviewTarget();
    glBindTexture(GL_TEXTURE_2D, gPreviewTargetTexture);
    return true;
}

void DestroyPreviewTarget()
{
    if (gFramebuffer) glDeleteFramebuffers(1, &gFramebuffer);
    if (gDepthRenderbuffer) glDeleteRenderbuffers(1, &gDepthRenderbuffer);
    if (gPreviewTargetTexture) glDeleteTextures(1, &gPreviewTargetTexture);
    gFramebuffer = 0;
    gDepthRenderbuffer = 0;
    gPreviewTargetTexture = 0;
    gPreviewTargetAvailable = 0;
    gInsideTarget = false;
}

void BeginPreviewTarget()
{
    if (!gPreviewTargetAvailable || gInsideTarget) return;
    gInsideTarget = true;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &gSavedFramebuffer);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    FinishQueuedDrawing();
    glBindFramebuffer(GL_FRAMEBUFFER, gFramebuffer);
    SetTargetState();
}

void EndPreviewTarget()
{
    if (!gInsideTarget) return;
    gInsideTarget = false;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(gSavedFramebuffer));
    FinishQueuedDrawing();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

// ClearPreviewPbuffer in the original design.
void ClearPreviewTarget()
{
    if (!gPreviewTargetAvailable) return;
    BeginPreviewTarget();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    EndPreviewTarget();
}

void FinishPreviewDrawingHeadless(bool on) { gFinishHeadless = on; }
