#include "app/main_buttons.h"

#include "app/screen_lists.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"

Button gMainButtons[kMainButtonCount];
uint8_t gMainButtonEnabled[kMainButtonCount] = {};

void BuildMainButtons()
{
    for (const MainButtonPlace& place : kMainButtonPlaces) {
        Button& button = gMainButtons[place.id];
        button.Build(place.x, place.y, 30, place.width, place.height, place.caption, place.id,
                     kVirtualScreenWidth, kVirtualScreenHeight);
        gMainButtonEnabled[place.id] = place.enabledAtStart;
    }
}

void DrawEraseQuestion()
{
    if (ButtonEnabled(kButtonNo) && gOpengl.warningList) glCallList(gOpengl.warningList);
}
