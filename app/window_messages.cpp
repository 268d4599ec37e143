#include "app/window_messages.h"

#include <algorithm>
#include <cstdio>

#include "app/main_input.h"
#include "app/mesh_export_thread.h"
#include "shading/export_image.h"
#include "app/preview_timer.h"
#include "app/procedural_texture_thread.h"
#include "app/text_field.h"
#include "app/view_drags.h"
#include "app/input_wheel.h"
#include "platform/dialogs.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"
#include "render/render_threads.h"
#include "ui/widget.h"

int gViewportWidth = kVirtualScreenWidth;
int gViewportHeight = kVirtualScreenHeight;
bool gQuitPosted = false;

namespace {

// The render's stop sequence, but bounded: a coordinator that does not end
// within the 5 seconds is left behind and the program quits all the same.
void StopRenderForQuit()
{
    gRenderRunFlag.store(0);
    if (gRenderCoordinatorThread.WaitFor(kRenderStopWaitMs)) {
        StopRender();
        return;
    }
    std::fprintf(stderr, "talvoran: the render did not stop within %u ms; quitting all the same\n",
                 kRenderStopWaitMs);
}

// An image export being written is cancelled and waited for, so its file is
// closed properly rather than left cut off by the end of the process.
void FinishExportBeforeQuit()
{
    if (gFileThreadBusy.load()) {
        gExportCancel = 1;
        for (int waited = 0; waited < 5000 && gFileThreadBusy.load(); waited += 10) SleepMs(10);
    }
    // Joined when it has ended; one still running is left to the end of the process.
    ReleaseExportThread(false);
}

}  // namespace

void OnWindowResized(int width, int height, bool maximized)
{
    if (width <= 0 || height <= 0) return;
    if (maximized) width = std::min(width, static_cast<int>(height * 1.6));
    gViewportWidth = width;
    gViewportHeight = height;
    glViewport(0, 0, width, height);
    gMouseScaleX = static_cast<float>(kVirtualScreenWidth) / static_cast<float>(width);
    gMouseScaleY = static_cast<float>(kVirtualScreenHeight) / static_cast<float>(height);
}

bool AskToQuit()
{
    MessageRequest request;
    request.text = "Do you want to Quit?";
    request.caption = "Talvoran";
    request.buttons = MessageButtons::YesNo;
    request.icon = MessageIcon::Warning;
    request.topmost = true;
    const MessageAnswer answer = ShowMessageBox(request);
    // A question nobody can be shown cannot be answered: the close goes on.
    if (answer == MessageAnswer::Unavailable) {
        std::fprintf(stderr, "talvoran: the quit question cannot be shown; closing\n");
    } else if (answer != MessageAnswer::Yes) {
        return false;
    }
    StopBackgroundWork();
    gQuitPosted = true;
    return true;
}

void StopBackgroundWork()
{
    StopRenderForQuit();
    // A dialog that another thread still waits for (the export's file
    // question, say) is cancelled, so that thread can end.
    CloseDialogQueue();
    FinishExportBeforeQuit();
    // The texture generation and the mesh export write into the shader and
    // files: both end before the program's objects go away.
    CancelProceduralTexture();
    for (int waited = 0; waited < 5000 && gMeshExportRunning.load(); waited += 10) SleepMs(10);
}

void HandleWindowEvent(const PlatformEvent& event)
{
    switch (event.type) {
    case PlatformEventType::CloseRequested: AskToQuit(); break;
    case PlatformEventType::Resized: OnWindowResized(event.width, event.height, event.maximized); break;
    case PlatformEventType::Timer: OnTimer(); break;
    case PlatformEventType::MouseMove:
        OnMouseMove(event.x, event.y, event.leftHeld, event.rightHeld, event.middleHeld);
        break;
    case PlatformEventType::MouseDown:
        if (event.button == kMouseLeft) {
            OnLeftButtonDown(event.x, event.y);
        } else if (event.button == kMouseRight) {
            OnRightButtonDown(event.x, event.y);
        } else {
            CaptureMouse(true);
            gMouseState = kMouseStateMiddle;
            gLastPointerX = PointerToVirtualX(event.x);
            gLastPointerY = PointerToVirtualYDown(event.y);
        }
        break;
    case PlatformEventType::MouseUp:
        if (event.button == kMouseLeft) {
            OnLeftButtonUp();
        } else if (event.button == kMouseRight) {
            OnRightButtonUp();
        } else {
            gMouseState = kMouseStateNone;
            gDragGroup = 0;
            CaptureMouse(false);
        }
        break;
    case PlatformEventType::MouseWheel: OnMouseWheel(event.x, event.y, event.wheelDelta); break;
    case PlatformEventType::KeyDown: TextInputKeyDown(event.key); break;
    case PlatformEventType::Character: TextInputCharacter(event.character); break;
    default: break;
    }
}
