#include "app/support/app_interface.h"

#include "app/screen_lists.h"
#include "platform/desktop/gl_api.h"
#include "ui/texture_upload.h"

AppInterfaceTest::AppInterfaceTest()
{
    if (!ok()) return;
    gOpengl.BuildScreenLists();
    UseTestSplashPicture();
}

// The splash picture is drawn by the fractal kernels, which other changes
// may refine; screenshots of the screens show this fixed picture instead:
// a diagonal gradient with a bright square near its lower left corner.
void AppInterfaceTest::UseTestSplashPicture()
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
