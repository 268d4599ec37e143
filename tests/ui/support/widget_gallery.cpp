#include "ui/support/widget_gallery.h"

#include <vector>

#include "platform/gl_api.h"
#include "ui/texture_upload.h"

namespace {

const char* const kWindowCaptions[] = {"Slider Window", "Size", "Step", "Mix"};
// min, max, initial, clamp at min, clamp at max, integer
const float kWindowRows[] = {0, 16, 4, 1, 1, 0, -8, 8, 2, 1, 1, 1, 0, 1, 0.1f, 0, 0, 0};
const char* const kOptions[] = {"Orthographic", "Perspective", "Fisheye", "Panorama"};
const char* const kChecks[] = {"Shadows", "Fog", "Glow", "Grain"};
const char* const kTabs[] = {"Render", "Shading", "Voxels"};
const char* const kMaxTabs[] = {"Shape", "Move", "Array", "Mod", "Mesh"};

// A generated texture: a red and blue checkerboard with a yellow corner.
unsigned MakeSwatchTexture()
{
    RgbPicture picture;
    picture.width = picture.height = 32;
    picture.pixels.resize(32 * 32 * 3);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            uint8_t* p = &picture.pixels[(static_cast<size_t>(y) * 32 + x) * 3];
            const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
            const bool corner = x < 8 && y >= 24;
            p[0] = corner || !dark ? 230 : 20;
            p[1] = corner ? 220 : 40;
            p[2] = dark && !corner ? 200 : 30;
        }
    glEnable(GL_TEXTURE_2D);
    const unsigned name = UploadPictureTexture(picture, TextureMip::None, TextureWrap::Clamp);
    glDisable(GL_TEXTURE_2D);
    return name;
}

}  // namespace

void ValueWidgetGallery::Build()
{
    slWindow.Build(20, 820, 30, 256, 24, 3, kWindowCaptions, kWindowRows, 1);
    stWindow.Build(320, 820, 30, 256, 24, 3, kWindowCaptions, kWindowRows, 2);
    list.Build(20, 600, 30, 180, 20, 4, "Projection", kOptions);
    checks.Build(240, 600, 30, 160, 20, 4, "Effects", kChecks);
    captionedChecks.Build(440, 600, 30, 160, 20, 4, "Effects", kChecks);
    tab.Build(700, 880, 30, 400, 80, 3, kTabs);
    maxTab.Build(700, 780, 400, 60, 5, kMaxTabs);
    number.Build(20, 500, 30, 100, 20, " ");
    for (int i = 0; i < 3; ++i) progress[i].Build(700, 700 - 30 * i, 30, 120, 16);
    placed.Build(0, 0, 30, 120, 24, "Placed", 7);
    swatchTexture = MakeSwatchTexture();
    swatch.SetLayout(1200, 760, 30, 96, 96, swatchTexture);
    input.Build();
    SetVisible(1);
}

void ValueWidgetGallery::SetVisible(uint8_t v)
{
    slWindow.visible = stWindow.visible = list.visible = checks.visible = captionedChecks.visible = v;
    tab.visible = maxTab.visible = number.visible = placed.visible = swatch.visible = v;
    for (SliderBox& p : progress) p.visible = v;
}

void ValueWidgetGallery::Draw()
{
    slWindow.Draw();
    stWindow.Draw(80);
    list.Draw();
    checks.Draw();
    captionedChecks.DrawBase();
    tab.Draw();
    maxTab.Draw();
    number.Draw();
    for (SliderBox& p : progress) p.Draw();
    for (const auto& at : kPlacedButtonAt) placed.Draw(at[0], at[1]);
    swatch.Draw();
}
