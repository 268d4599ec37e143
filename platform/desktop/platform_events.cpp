#include "platform/desktop/platform_events.h"

#include <SDL2/SDL.h>

#include <atomic>
#include <string>

#include "platform/text_encoding.h"
#include "platform/desktop/gl_window.h"

namespace {

std::atomic<bool> gTimerPending{false};
SDL_TimerID gTimer = 0;
uint32_t gCloseEvent = 0;
uint32_t gTimerEvent = 0;
std::string gPendingText;  // Windows-1252 bytes still to report
size_t gPendingTextAt = 0;
// A click on the window's close button brings SDL_WINDOWEVENT_CLOSE and, as
// the last window closes, SDL_QUIT: one request, asked once. Cleared when the
// queue has been drained.
bool gWindowCloseSeen = false;

void RegisterEvents()
{
    if (gCloseEvent) return;
    const Uint32 first = SDL_RegisterEvents(2);
    if (first == static_cast<Uint32>(-1)) return;
    gCloseEvent = first;
    gTimerEvent = first + 1;
}

// SDL reports pointer positions in window coordinates; the viewport is in
// drawable pixels, which differ on high-DPI screens.
void ToDrawable(int* x, int* y)
{
    if (!gMainWindow) return;
    int ww = 0, wh = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(gMainWindow, &ww, &wh);
    SDL_GL_GetDrawableSize(gMainWindow, &dw, &dh);
    if (ww > 0 && wh > 0 && (ww != dw || wh != dh)) {
        *x = static_cast<int>(static_cast<int64_t>(*x) * dw / ww);
        *y = static_cast<int>(static_cast<int64_t>(*y) * dh / wh);
    }
}

void FillButtons(PlatformEvent* event, Uint32 state)
{
    event->leftHeld = (state & SDL_BUTTON_LMASK) != 0;
    event->middleHeld = (state & SDL_BUTTON_MMASK) != 0;
    event->rightHeld = (state & SDL_BUTTON_RMASK) != 0;
    const SDL_Keymod mod = SDL_GetModState();
    event->shift = (mod & KMOD_SHIFT) != 0;
    event->control = (mod & KMOD_CTRL) != 0;
}

int KeyFromSdl(SDL_Keycode key)
{
    switch (key) {
    case SDLK_BACKSPACE: return kKeyBackspace;
    case SDLK_TAB: return kKeyTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return kKeyReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return kKeyShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return kKeyControl;
    case SDLK_ESCAPE: return kKeyEscape;
    case SDLK_END: return kKeyEnd;
    case SDLK_HOME: return kKeyHome;
    case SDLK_LEFT: return kKeyLeft;
    case SDLK_UP: return kKeyUp;
    case SDLK_RIGHT: return kKeyRight;
    case SDLK_DOWN: return kKeyDown;
    case SDLK_DELETE: return kKeyDelete;
    default: return kKeyOther;
    }
}

bool ResizedEvent(PlatformEvent* event)
{
    event->type = PlatformEventType::Resized;
    GetMainDrawableSize(&event->width, &event->height);
    event->maximized = gMainWindow && (SDL_GetWindowFlags(gMainWindow) & SDL_WINDOW_MAXIMIZED) != 0;
    return event->width > 0 && event->height > 0;
}

// True when the SDL event became a platform event.
bool Translate(const SDL_Event& e, PlatformEvent* event)
{
    *event = PlatformEvent{};
    if (gCloseEvent && e.type == gCloseEvent) {
        event->type = PlatformEventType::CloseRequested;
        return true;
    }
    if (gTimerEvent && e.type == gTimerEvent) {
        gTimerPending = false;
        event->type = PlatformEventType::Timer;
        return true;
    }
    switch (e.type) {
    case SDL_QUIT:
        if (gWindowCloseSeen) {
            gWindowCloseSeen = false;
            return false;
        }
        event->type = PlatformEventType::CloseRequested;
        return true;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            gWindowCloseSeen = true;
            event->type = PlatformEventType::CloseRequested;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
            event->type = PlatformEventType::Exposed;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            return ResizedEvent(event);
        default:
            return false;
        }
    case SDL_MOUSEMOTION:
        event->type = PlatformEventType::MouseMove;
        event->x = e.motion.x;
        event->y = e.motion.y;
        ToDrawable(&event->x, &event->y);
        FillButtons(event, e.motion.state);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_MIDDLE &&
            e.button.button != SDL_BUTTON_RIGHT) {
            return false;
        }
        event->type = e.type == SDL_MOUSEBUTTONDOWN ? PlatformEventType::MouseDown : PlatformEventType::MouseUp;
        event->button = e.button.button == SDL_BUTTON_LEFT     ? kMouseLeft
                        : e.button.button == SDL_BUTTON_MIDDLE ? kMouseMiddle
                                                               : kMouseRight;
        event->x = e.button.x;
        event->y = e.button.y;
        ToDrawable(&event->x, &event->y);
        FillButtons(event, SDL_GetMouseState(nullptr, nullptr));
        return true;
    case SDL_MOUSEWHEEL: {
        const int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (notches == 0) return false;
        event->type = PlatformEventType::MouseWheel;
        event->wheelDelta = notches * 120;
        // The notch's own position, as the pointer stood when it turned.
#if SDL_VERSION_ATLEAST(2, 26, 0)
        event->x = e.wheel.mouseX;
        event->y = e.wheel.mouseY;
#else
        SDL_GetMouseState(&event->x, &event->y);
#endif
        ToDrawable(&event->x, &event->y);
        FillButtons(event, SDL_GetMouseState(nullptr, nullptr));
        return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        event->type = e.type == SDL_KEYDOWN ? PlatformEventType::KeyDown : PlatformEventType::KeyUp;
        event->key = KeyFromSdl(e.key.keysym.sym);
        FillButtons(event, SDL_GetMouseState(nullptr, nullptr));
        // These keys also type a control character, as text fields expect.
        if (e.type == SDL_KEYDOWN && (event->key == kKeyBackspace || event->key == kKeyTab ||
                                      event->key == kKeyReturn || event->key == kKeyEscape)) {
            gPendingText.assign(1, static_cast<char>(event->key));
            gPendingTextAt = 0;
        }
        return true;
    case SDL_TEXTINPUT: {
        char text[64];
        Utf8ToWindows1252(e.text.text, text, sizeof text);
        gPendingText = text;
        gPendingTextAt = 0;
        return false;
    }
    default:
        return false;
    }
}

Uint32 TimerCallback(Uint32 interval, void*)
{
    // One timer event at a time: a slow frame does not pile them up.
    if (!gTimerPending.exchange(true)) {
        SDL_Event e{};
        e.type = gTimerEvent;
        SDL_PushEvent(&e);
    }
    return interval;
}

}  // namespace

bool PollPlatformEvent(PlatformEvent* event)
{
    RegisterEvents();
    for (;;) {
        if (gPendingTextAt < gPendingText.size()) {
            *event = PlatformEvent{};
            event->type = PlatformEventType::Character;
            event->character = static_cast<uint8_t>(gPendingText[gPendingTextAt++]);
            return true;
        }
        SDL_Event e;
        if (!SDL_PollEvent(&e)) {
            gWindowCloseSeen = false;
            return false;
        }
        if (Translate(e, event)) return true;
    }
}

bool WaitForPlatformEvent(uint32_t timeoutMs)
{
    if (gPendingTextAt < gPendingText.size()) return true;
    return SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs)) == 1;
}

void PostCloseRequest()
{
    RegisterEvents();
    SDL_Event e{};
    e.type = gCloseEvent;
    SDL_PushEvent(&e);
}

void SetFrameTimer(uint32_t intervalMs)
{
    RegisterEvents();
    if (gTimer) {
        SDL_RemoveTimer(gTimer);
        gTimer = 0;
    }
    gTimerPending = false;
    if (intervalMs > 0) gTimer = SDL_AddTimer(intervalMs, TimerCallback, nullptr);
}

void CaptureMouse(bool on) { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

bool ShiftHeld() { return (SDL_GetModState() & KMOD_SHIFT) != 0; }
bool ControlHeld() { return (SDL_GetModState() & KMOD_CTRL) != 0; }

uint64_t TickCount() { return SDL_GetTicks64(); }
void SleepMs(uint32_t ms) { SDL_Delay(ms); }
