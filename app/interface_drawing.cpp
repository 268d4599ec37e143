#include "app/interface_drawing.h"

#include "app/frame.h"
#include "app/main_buttons.h"

// The panels of the tabs join as they are built; the status line, the
// buttons every tab shows and the erase question are here.
void DrawInterface()
{
    DrawStatusLine();
    DrawMainButtons();
    DrawEraseQuestion();
}
