#include "app/gl_setup.h"

#include <cstdio>
#include <string>

#include "app/screen_lists.h"
#include "platform/dialogs.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"
#include "platform/desktop/preview_target.h"
#include "ui/font.h"
#include "ui/skins.h"

bool SetupPixelFormat()
{
    std::string error;
    if (!CreateMainContext(&error)) {
        std::fprintf(stderr, "talvoran: %s\n", error.c_str());
        ShowMessageBox("Cannot create the OpenGL context", "Error", MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    glEnable(GL_DEPTH_TEST);
    InitGLResources();
    return true;
}

void InitGLResources()
{
    glViewport(0, 0, kVirtualScreenWidth, kVirtualScreenHeight);
    ApplyVirtualScreenProjection();
    if (!BuildFont()) std::fprintf(stderr, "talvoran: the font picture is missing; texts stay blank\n");
    if (!LoadInterfaceTextures()) std::fprintf(stderr, "talvoran: a skin picture is missing\n");
    gOpengl.BuildScreenLists();
    // Without framebuffer objects the point preview takes its path without
    // the off-screen target; nothing is reported.
    CreatePreviewTarget();
}
