#include "ui/skins.h"

#include "platform/desktop/gl_api.h"
#include "platform/asset_paths.h"
#include "ui/texture_upload.h"

unsigned gSkinTextures[kSkinTextureCount];

namespace {

bool Load(SkinTexture entry, const char* file, TextureMip mip, TextureWrap wrap)
{
    const RgbPicture picture = LoadPictureRgb(ResourcePath(file));
    gSkinTextures[entry] = UploadPictureTexture(picture, mip, wrap);
    return !picture.empty();
}

}  // namespace

bool LoadInterfaceTextures()
{
    glEnable(GL_TEXTURE_2D);
    bool ok = Load(kSkinButtonFace, "button_face.png", TextureMip::None, TextureWrap::Clamp);
    ok &= Load(kSkinButtonPressed, "button_pressed.png", TextureMip::None, TextureWrap::Clamp);
    ok &= Load(kSkinTabA, "tab_a.png", TextureMip::None, TextureWrap::Clamp);
    ok &= Load(kSkinTabB, "tab_b.png", TextureMip::None, TextureWrap::Clamp);
    // Only the panel tile repeats, across the frames it covers.
    ok &= Load(kSkinPanel, "panel.png", TextureMip::Full, TextureWrap::Repeat);
    static const char* const kTrackballFiles[6] = {"trackball_0.png", "trackball_1.png", "trackball_2.png",
                                                   "trackball_3.png", "trackball_4.png", "trackball_5.png"};
    for (int i = 0; i < 6; ++i)
        ok &= Load(static_cast<SkinTexture>(kSkinTrackball0 + i), kTrackballFiles[i], TextureMip::Full,
                   TextureWrap::Clamp);
    return ok;
}

void DrawBevelFrame(int bottom, int right, int top, float grey)
{
    const float l = 32.0f, r = static_cast<float>(right), b = static_cast<float>(bottom), t = static_cast<float>(top);
    glColor3f(grey, grey, grey);
    glBegin(GL_QUADS);
    glVertex2f(l, b);
    glVertex2f(l, t);
    glVertex2f(r, t);
    glVertex2f(r, b);
    glEnd();
    glBegin(GL_LINE_LOOP);
    glColor3f(0.125f, 0.125f, 0.125f);
    glVertex2f(l, b);
    glColor3f(0.5f, 0.5f, 0.5f);
    glVertex2f(l, t);
    glColor3f(0.125f, 0.125f, 0.125f);
    glVertex2f(r, t);
    glColor3f(0.5f, 0.5f, 0.5f);
    glVertex2f(r, b);
    glEnd();
}
