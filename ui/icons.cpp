#include "ui/icons.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/fractal_model.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"
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

// The fractal-type icons (one shows at a time) and the shape-icon sheets
// (shown only by the baseshape-type selector) are read when the interface
// is built, so a missing file is known then, but filled into their texture
// names only when first drawn: about 9 MB of textures a session may never
// show. The names belong to the context that made them.
struct DeferredUpload {
    uint64_t contextSerial = 0;
    bool pending = false;
};

DeferredUpload gSheetUpload;
DeferredUpload gTypeIconUpload[kFractalTypeIcons];

void Defer(DeferredUpload* upload) { *upload = {MainContextSerial(), true}; }

// True once, when the upload is still owed in the current context.
bool TakeUpload(DeferredUpload* upload)
{
    if (!upload->pending || upload->contextSerial != MainContextSerial()) return false;
    upload->pending = false;
    return true;
}

// Filled in the middle of a frame: the texture state around it stays as it was.
void FillTexture(unsigned texture, const std::string& path, TextureMip mip, TextureWrap wrap)
{
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    UploadPictureInto(texture, LoadPictureRgb(path), mip, wrap);
    glPopAttrib();
}

std::string NumberedIconPath(int n)
{
    char name[16];
    std::snprintf(name, sizeof name, "%d.png", n);
    return IconPath(name);
}

const char* const kShapeIconSheetFiles[2] = {"shape_icons_1.png", "shape_icons_2.png"};

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
        ok &= !LoadPictureRgb(NumberedIconPath(n)).empty();
        glGenTextures(1, &gFractalTypeIconTextures[n - 1]);
        Defer(&gTypeIconUpload[n - 1]);
    }
    gFractalTypeIconList = RecordIconQuad(380, 556, 508, 684);
    return ok;
}

void DrawFractalTypeIcon()
{
    if (gFractalType < 0 || gFractalType >= kFractalTypeIcons) return;
    if (TakeUpload(&gTypeIconUpload[gFractalType]))
        FillTexture(gFractalTypeIconTextures[gFractalType], NumberedIconPath(gFractalType + 1), TextureMip::None,
                    TextureWrap::Clamp);
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
    for (int s = 0; s < 2; ++s) {
        ok &= !LoadPictureRgb(ResourcePath(kShapeIconSheetFiles[s])).empty();
        glGenTextures(1, &gShapeIconSheets[s]);
    }
    Defer(&gSheetUpload);
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
    if (TakeUpload(&gSheetUpload))
        for (int s = 0; s < 2; ++s)
            FillTexture(gShapeIconSheets[s], ResourcePath(kShapeIconSheetFiles[s]), TextureMip::Full,
                        TextureWrap::Repeat);
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
