#include "app/support/gl_interface.h"

#include <algorithm>

#include "app/screen_lists.h"
#include "platform/gl_api.h"
#include "ui/font.h"
#include "ui/skins.h"
#include "ui/texture_upload.h"

GlInterfaceTest::GlInterfaceTest()
{
    if (!gl_.ok()) {
        why_ = "no OpenGL context";
        return;
    }
    if (!BuildFont() || !LoadInterfaceTextures()) {
        why_ = "interface pictures missing";
        return;
    }
    gOpengl.BuildScreenLists();
    UseTestSplashPicture();
    ok_ = true;
}

// The splash picture is drawn by the fractal kernels, which other changes
// may refine; screenshots of the screens show this fixed picture instead:
// a diagonal gradient with a bright square near its lower left corner.
void GlInterfaceTest::UseTestSplashPicture()
{
    RgbPicture picture;
    picture.width = picture.height = 512;
    picture.pixels.resize(512 * 512 * 3);
    for (int y = 0; y < 512; ++y)  // row 0 at the bottom
        for (int x = 0; x < 512; ++x) {
            uint8_t* p = &picture.pixels[(static_cast<size_t>(y) * 512 + x) * 3];
            const bool square = x >= 48 && x < 144 && y >= 48 && y < 144;
            p[0] = static_cast<uint8_t>(x / 2);
            p[1] = static_cast<uint8_t>(y / 4);
            p[2] = square ? 255 : 60;
        }
    glDeleteTextures(1, &gOpengl.aboutTexture);
    glEnable(GL_TEXTURE_2D);
    gOpengl.aboutTexture = UploadPictureTexture(picture, TextureMip::Full, TextureWrap::Repeat);
    glDisable(GL_TEXTURE_2D);
}

void GlInterfaceTest::ClearFrame()
{
    glClearColor(0, 0, 0, 0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
}

LitBox FindLit(const std::vector<uint8_t>& rgb, int threshold)
{
    LitBox b;
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1600; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(999 - y) * 1600 + x) * 3];
            if (p[0] + p[1] + p[2] < threshold) continue;
            b.x0 = std::min(b.x0, x);
            b.y0 = std::min(b.y0, y);
            b.x1 = std::max(b.x1, x);
            b.y1 = std::max(b.y1, y);
        }
    return b;
}
