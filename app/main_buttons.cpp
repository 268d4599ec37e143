#include "app/main_buttons.h"

#include "app/screen_lists.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"

Button gMainButtons[kMainButtonCount];

void BuildMainButtons()
{
    for (const MainButtonPlace& place : kMainButtonPlaces) {
        Button& button = gMainButtons[place.id];
        button.Build(place.x, place.y, 30, place.width, place.height, place.caption, place.id,
                     kVirtualScreenWidth, kVirtualScreenHeight);
        button.visible = place.enabledAtStart;
    }
}

void ClickMainButtons(int x, int y)
{
    // The order of the click dispatcher; a hit only marks the button.
    static const MainButtonId kOrder[] = {kButtonPreview, kButtonQuit, kButtonDraw, kButtonRender, kButtonStop,
                                          kButtonYes,     kButtonNo,   kButtonContinue};
    for (MainButtonId id : kOrder) gMainButtons[id].Click(x, y);
}

void DrawMainButtons()
{
    static const MainButtonId kAlwaysDrawn[] = {kButtonPreview, kButtonQuit, kButtonDraw, kButtonRender,
                                                kButtonStop, kButtonContinue};
    for (MainButtonId id : kAlwaysDrawn) gMainButtons[id].Draw();
}

void DrawEraseQuestion()
{
    if (!ButtonEnabled(kButtonNo)) return;
    if (gOpengl.warningList) glCallList(gOpengl.warningList);
    gMainButtons[kButtonYes].Draw();
    gMainButtons[kButtonNo].Draw();
}
