#include "app/interface_drawing.h"

#include "app/frame.h"
#include "app/main_buttons.h"
#include "engine/baseshape_seed_pick.h"
#include "ui/font.h"

// The panels of the tabs join as they are built; the status line, the
// buttons every tab shows and the erase question are here.
void DrawInterface()
{
    if (gVoxelEngineOn) DrawFramedTextF(936, 134, "%s", "Voxel Mode");
    DrawStatusLine();
    DrawMainButtons();
    DrawEraseQuestion();
}
