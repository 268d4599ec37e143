// The whole program, started offscreen and driven as a user drives it:
// pointer events pushed into the window's event queue at virtual-screen
// places (y up) and handled as the loop handles them; frames drawn by the
// program's own loop when a test asks for them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/controls.h"

class ProgramDriver {
public:
    // Starts the program and runs frames until its start-up steps are done.
    bool Start(std::string* error);
    void Stop();
    bool running() const { return running_; }

    void Frames(int count);
    // A display's swap waits for the frame it shows; the offscreen driver's
    // neither waits nor flushes, and the software GL driver then gathers
    // frame after frame into batches it keeps. On, each frame is finished
    // after it is drawn, as a display finishes it: for measures of what a
    // user's window holds (the preview's target finishes its drawing as on a
    // display, too).
    void FinishFramesAsADisplay(bool on);
    // Handles the queued events as the loop does, without drawing.
    void Pump();
    // Left press and release at (x, y).
    void Click(int x, int y);
    void Press(int x, int y);
    void Release(int x, int y);
    void MoveTo(int x, int y);
    // A left drag from (x0, y0) to (x1, y1) in the given number of moves.
    void Drag(int x0, int y0, int x1, int y1, int moves = 6);
    // A wheel notch at (x, y): +1 away from the user, -1 toward.
    void Wheel(int x, int y, int notches);
    // Text typed at the keyboard, and one key (an SDL key code) pressed and let go.
    void Type(const char* text);
    void Key(int sdlKey);
    // Frames until the render or export threads have stopped, at most timeoutMs.
    bool WaitUntil(bool (*done)(), int timeoutMs);

    // The window's last frame, RGB rows from the top, with its size.
    std::vector<uint8_t> Screenshot(int* width = nullptr, int* height = nullptr);

    // A main tab, then (when given) its page and the material strip's tab,
    // pressed on their strips.
    void GoTo(int tab, int page = -1, int materialTab = -1);
    // The named control of a table clicked at its row; false (with a test
    // failure) when no such control is in the table.
    bool ClickControl(ControlTable table, const char* name, int row = 0);

private:
    void Push(uint32_t type, int x, int y, int button, int wheel);
    bool running_ = false;
    bool finishFrames_ = false;
};

