// The interface of every frame, drawn before the preview screen: the main
// tab bar, the widgets of the shown tab and sub-tab, the status line and
// notices, the buttons every tab shows and the erase question.
#pragma once

#include <cstddef>
#include <cstdint>

// The clock of what moves on screen by itself, the busy mark's turn and the
// resolution reminder's pulse and its frames (milliseconds); tests fix it.
extern uint64_t (*gFrameTicks)();

void DrawInterface();
// The export progress box, its bar at gExportProgress.
void DrawExportProgressBox();

// Substring test on the status line, as the notices use it.
bool StatusTextContains(const char* part);
// "Camera": the two symmetry lines while the status text holds "activated".
void DrawSymmetryNotice();
// "Editors" / "Baseshapes": the two lines while it holds "is out ".
void DrawBaseshapeNotice();
// "Render Resolution:" (doubled with "Enable 2X AA.") or the AA box differs
// from the render buffers: the loop around "Change" pulses on gFrameTicks.
// Its corners, left, bottom, right, top.
inline constexpr float kReminderLoop[4] = {280, 798, 354, 826};
bool ResolutionReminderDue();
// Due and drawn: on "Camera", where DrawInterface draws the loop.
bool ResolutionReminderShown();
void DrawResolutionReminder();
// The render size as the user chose it ("%d x %d" formats with W and H),
// halved under 2X anti-aliasing with the second format.
void RenderSizeText(char* out, size_t size, const char* plain, const char* antiAliased);
