#include "ui/texture_upload.h"

#include <vector>

#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"
#include "ui/gl_shapes.h"

void UploadPictureInto(unsigned texture, const RgbPicture& picture, TextureMip mip, TextureWrap wrap)
{
    static const uint8_t kBlack[12] = {};
    const bool empty = picture.empty();
    const int width = empty ? 2 : picture.width;
    const int height = empty ? 2 : picture.height;
    const uint8_t* pixels = empty ? kBlack : picture.pixels.data();

    glBindTexture(GL_TEXTURE_2D, texture);
    // Rows of odd widths are packed tightly in our pictures.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mip == TextureMip::Full) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    }
    glPopClientAttrib();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLint wrapMode = wrap == TextureWrap::Clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
}

unsigned UploadPictureTexture(const RgbPicture& picture, TextureMip mip, TextureWrap wrap)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    UploadPictureInto(texture, picture, mip, wrap);
    return texture;
}

unsigned LoadPictureTexture(const std::string& path, TextureMip mip, TextureWrap wrap)
{
    return UploadPictureTexture(LoadPictureRgb(path), mip, wrap);
}

void ReplaceRgbTexture(unsigned texture, int width, int height, const uint8_t* rgb)
{
    if (texture == 0 || rgb == nullptr) return;
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glPopClientAttrib();
    glPopAttrib();
}

unsigned CreateRgbTexture(int width, int height, const uint8_t* rgb, TextureWrap wrap)
{
    if (CurrentGlRenderer().empty() || width <= 0 || height <= 0) return 0;
    std::vector<uint8_t> black;
    if (rgb == nullptr) {
        black.assign(static_cast<size_t>(width) * height * 3, 0);
        rgb = black.data();
    }
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLint wrapMode = wrap == TextureWrap::Clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glPopClientAttrib();
    glPopAttrib();
    return texture;
}

void DrawTextureRect(unsigned texture, float x0, float y0, float x1, float y1, float z)
{
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    TexturedQuad(x0, y0, x1, y1, z);
    glPopAttrib();
}
