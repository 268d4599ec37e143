#include "app/interface_layout.h"

// The render row sits under the preview area, left of the status line; the
// question's two buttons sit inside the warning box (1230..1442, 54..146),
// under its three lines.
const MainButtonPlace kMainButtonPlaces[kMainButtonCount] = {
    {kButtonRender, "Render", 700, 100, 80, 24, 1},
    {kButtonStop, "Stop", 788, 100, 64, 24, 0},
    {kButtonContinue, "Continue", 860, 100, 96, 24, 0},
    {kButtonYes, "Yes", 1262, 60, 64, 22, 0},
    {kButtonNo, "No", 1346, 60, 64, 22, 0},
    {kButtonPreview, "Preview", 964, 100, 88, 24, 1},
    {kButtonDraw, "Draw", 1060, 100, 64, 24, 1},
    {kButtonQuit, "Quit", 1460, 100, 72, 24, 1},
};
