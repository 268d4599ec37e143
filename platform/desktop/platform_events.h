// What the window layer reports to the program, already in the program's
// terms: pointer positions in drawable pixels (origin top left), wheel steps
// of 120 per notch, keys as our own codes, typed text as Windows-1252 bytes.
#pragma once

#include <cstdint>

enum class PlatformEventType : uint8_t {
    None,
    CloseRequested,  // the window's close button, or PostCloseRequest
    Resized,         // width and height are the drawable size; maximized set
    MouseMove,
    MouseDown,
    MouseUp,
    MouseWheel,
    KeyDown,
    KeyUp,
    Character,       // one typed character in `character`
    Timer,
    Exposed,         // the window must be drawn again (uncovered, shown)
};

enum MouseButton : int { kMouseLeft = 1, kMouseMiddle = 2, kMouseRight = 3 };

enum KeyCode : int {
    kKeyOther = 0,
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyReturn = 13,
    kKeyShift = 16,
    kKeyControl = 17,
    kKeyEscape = 27,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyDelete = 46,
};

struct PlatformEvent {
    PlatformEventType type = PlatformEventType::None;
    int x = 0, y = 0;          // pointer, drawable pixels
    int button = 0;            // MouseButton
    int wheelDelta = 0;        // +120 per notch away from the user
    int key = kKeyOther;       // KeyCode
    uint8_t character = 0;     // Windows-1252
    bool shift = false, control = false;
    bool leftHeld = false, rightHeld = false, middleHeld = false;
    int width = 0, height = 0; // Resized: drawable size
    bool maximized = false;
};

// Takes the next event without waiting; false when there is none.
bool PollPlatformEvent(PlatformEvent* event);

// Waits until an event is queued or the time has passed, taking none;
// true when one is there.
bool WaitForPlatformEvent(uint32_t timeoutMs);

// Asks the loop to close, as the window's close button does.
void PostCloseRequest();

// Timer events every interval on the window thread's queue (one pending at a
// time); a new call changes the interval, 0 stops it.
void SetFrameTimer(uint32_t intervalMs);

// The pointer keeps reporting to the window while a button is held outside it.
void CaptureMouse(bool on);

// Shift and Control as they are now.
bool ShiftHeld();
bool ControlHeld();

// Milliseconds since start-up.
uint64_t TickCount();
void SleepMs(uint32_t ms);
