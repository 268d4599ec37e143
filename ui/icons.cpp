#include "ui/icons.h"

#include <cstdio>

#include "engine/fractal_model.h"
#include "platform/desktop/gl_api.h"
#include "platform/asset_paths.h"
#include "ui/gl_shapes.h"
#include "ui/texture_upload.h"

ToolIconSet gToolIcons;
unsigned gFractalTypeIconTextures[kFractalTypeIcons];
unsigned gFractalTypeIconList = 0;
unsigned gShapeIconSheets[2];
unsigned gShapeIconListBase = 0;

namespace {

bool LoadIcon(const char* name, unsigned* texture)
{
    const RgbPicture picture = LoadPictureRgb(IconPath(name));
    *texture = UploadPictureTexture(picture, TextureMip::None, TextureWrap::Clamp);
    return !picture.empty();
}

// One list: an untextured-state quad at the icon's place, depth test off.
unsigned RecordIconQuad(float x0, float y0, float x1, float y1)
{
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glDisable(GL_DEPTH_TEST);
    TexturedQuad(x0, y0, x1, y1, 0);
    glEnable(GL_DEPTH_TEST);
    glEndList();
    return list;
}

}  // namespace

bool LoadToolIcons()
{
    glEnable(GL_TEXTURE_2D);
    static const char* const kRotation[kRotationModeIcons] = {"RZ.png", "RX.png", "RY.png", "RXYZ.png"};
    static const char* const kAxis[kMoveAxisIcons] = {"Y.png", "X.png", "XY.png"};
    bool ok = true;
    for (int i = 0; i < kRotationModeIcons; ++i) ok &= LoadIcon(kRotation[i], &gToolIcons.rotation[i]);
    for (int i = 0; i < kMoveAxisIcons; ++i) ok &= LoadIcon(kAxis[i], &gToolIcons.axis[i]);
    ok &= LoadIcon("Zoom.png", &gToolIcons.zoom);
    gToolIcons.zoomList = RecordIconQuad(1536, 928, 1600, 992);
    gToolIcons.rotationList = RecordIconQuad(1536, 864, 1600, 928);
    gToolIcons.axisList = RecordIconQuad(1536, 800, 1600, 864);
    return ok;
}

void DrawToolIcons(int rotationMode, int moveAxis)
{
    if (rotationMode < 0 || rotationMode >= kRotationModeIcons || moveAxis < 0 || moveAxis >= kMoveAxisIcons) return;
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gToolIcons.zoom);
    glCallList(gToolIcons.zoomList);
    glBindTexture(GL_TEXTURE_2D, gToolIcons.rotation[rotationMode]);
    glCallList(gToolIcons.rotationList);
    glBindTexture(GL_TEXTURE_2D, gToolIcons.axis[moveAxis]);
    glCallList(gToolIcons.axisList);
    glDisable(GL_TEXTURE_2D);
}

bool LoadNumberedIcons()
{
    glEnable(GL_TEXTURE_2D);
    bool ok = true;
    for (int n = 1; n <= kFractalTypeIcons; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%d.png", n);
        ok &= LoadIcon(name, &gFractalTypeIconTextures[n - 1]);
    }
    gFractalTypeIconList = RecordIconQuad(380, 556, 508, 684);
    return ok;
}

void DrawFractalTypeIcon()
{
    if (gFractalType < 0 || gFractalType >= kFractalTypeIcons) return;
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gFractalTypeIconTextures[gFractalType]);
    glCallList(gFractalTypeIconList);
    glDisable(GL_TEXTURE_2D);
}

SheetCell ShapeIconCell(int n)
{
    const int k = n % kShapeIconsPerSheet;
    const float t1 = 1.0f - (k / 8) / 16.0f;
    return {n / kShapeIconsPerSheet, (k % 8) / 8.0f, t1 - 1.0f / 16.0f};
}

bool LoadShapeIcons()
{
    glEnable(GL_TEXTURE_2D);
    bool ok = true;
    static const char* const kSheets[2] = {"shape_icons_1.png", "shape_icons_2.png"};
    for (int s = 0; s < 2; ++s) {
        const RgbPicture picture = LoadPictureRgb(ResourcePath(kSheets[s]));
        gShapeIconSheets[s] = UploadPictureTexture(picture, TextureMip::Full, TextureWrap::Repeat);
        ok &= !picture.empty();
    }
    gShapeIconListBase = glGenLists(kShapeIcons);
    for (int n = 0; n < kShapeIcons; ++n) {
        const SheetCell cell = ShapeIconCell(n);
        glNewList(gShapeIconListBase + n, GL_COMPILE);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, gShapeIconSheets[cell.sheet]);
        glBegin(GL_QUADS);
        glTexCoord2f(cell.s0, cell.t0), glVertex3f(0, 0, 30);
        glTexCoord2f(cell.s0 + 0.125f, cell.t0), glVertex3f(64, 0, 30);
        glTexCoord2f(cell.s0 + 0.125f, cell.t0 + 0.0625f), glVertex3f(64, 64, 30);
        glTexCoord2f(cell.s0, cell.t0 + 0.0625f), glVertex3f(0, 64, 30);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        static const float kGrey[3] = {0.125f, 0.125f, 0.125f};
        AlternatingLoop(0, 0, 64, 64, 31, kGrey, kGrey);
        glEndList();
    }
    glDisable(GL_TEXTURE_2D);
    return ok;
}

void DrawShapeIcon(int x, int y, int n)
{
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    // A negative n would reach lists below the base: bounded on both sides.
    if (n >= 0 && n < kShapeIcons) glCallList(gShapeIconListBase + n);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}
