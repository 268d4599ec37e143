#include "app/input_wheel.h"

#include "app/input_clicks.h"
#include "app/pointer_state.h"
#include "app/view_drags.h"

void OnMouseWheel(int x, int y, int delta)
{
    RouteWheelToWidgets(gHoverX, gHoverY, delta);
    ZoomViewByWheel(x, y, delta);
}
