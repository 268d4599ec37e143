#include "app/input_wheel.h"

#include "app/view_drags.h"

bool RouteWheelToWidgets(int, int, int) { return false; }

void OnMouseWheel(int x, int y, int delta)
{
    RouteWheelToWidgets(gHoverX, gHoverY, delta);
    ZoomViewByWheel(x, y, delta);
}
