// Sections: the helpers; the busy mark; the title, status and info panels;
// the warning and voxel panels; the 3-D preview helpers; BuildScreenLists.
#include "app/screen_lists.h"

#include <cmath>
#include <cstdio>
#include <thread>

#include "app/about_box.h"
#include "app/startup_state.h"
#include "platform/desktop/gl_api.h"
#include "platform/asset_paths.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/skins.h"
#include "ui/texture_upload.h"

Opengl gOpengl;

namespace {

constexpr float kPi = 3.14159265f;

void Grey(float g) { glColor3f(g, g, g); }

void BlackQuad(float x0, float y0, float x1, float y1, float z)
{
    glColor3f(0, 0, 0);
    FlatQuad(x0, y0, x1, y1, z);
}

// ---- Busy mark ---------------------------------------------------------------

// A ring band from radius r0 (colour c0) to r1 (colour c1) as a quad strip.
void RingBand(float r0, float r1, const float c0[3], const float c1[3], int segments)
{
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= segments; ++i) {
        const float a = 2.0f * kPi * i / segments;
        const float c = std::cos(a), s = std::sin(a);
        glColor3fv(c0);
        glVertex2f(r0 * c, r0 * s);
        glColor3fv(c1);
        glVertex2f(r1 * c, r1 * s);
    }
    glEnd();
}

void RecordBusyMark()
{
    static const float kBright[3] = {1.0f, 0.8f, 0.0f};
    static const float kBlack[3] = {0, 0, 0};
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_TEXTURE_2D);
    RingBand(13, 14, kBlack, kBright, 32);
    RingBand(14, 15, kBright, kBlack, 32);
    // The hub: bright on its rim at radius 3, fading inwards to black at 1.5
    // and, over the first band, again at 2, so its outer part glows most.
    RingBand(3, 1.5f, kBright, kBlack, 16);
    RingBand(3, 2, kBright, kBlack, 16);
    for (int k = 0; k < 8; ++k) {
        glPushMatrix();
        glRotatef(45.0f * k, 0, 0, 1);
        // The spoke lies along +x: bright on its axis, black one unit aside.
        for (float side : {-1.0f, 1.0f}) {
            glBegin(GL_QUAD_STRIP);
            glColor3fv(kBright);
            glVertex2f(1, 0);
            glColor3fv(kBlack);
            glVertex2f(1, side);
            glColor3fv(kBright);
            glVertex2f(18, 0);
            glColor3fv(kBlack);
            glVertex2f(18, side);
            glEnd();
        }
        glBegin(GL_TRIANGLES);
        glColor3fv(kBlack);
        glVertex2f(18, -1);
        glVertex2f(18, 1);
        glColor3fv(kBright);
        glVertex2f(20, 0);
        glEnd();
        glPopMatrix();
    }
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
}

// ---- Title, status and information panels -------------------------------------

void RecordTitle()
{
    static const float kBrightRed[3] = {0.725f, 0, 0};
    static const float kDarkRed[3] = {0.25f, 0, 0};
    Grey(0.3f);
    glBegin(GL_LINES);
    glVertex3f(0, 1000, 30);
    glVertex3f(1600, 1000, 30);
    glEnd();
    DrawText(24, 972, "TALVORAN VANE", 0);
    DrawText(502, 972, "Version 1.0 x64", 1);
    glBegin(GL_LINE_LOOP);
    glColor3fv(kBrightRed);
    const float* r = kPreviewFrameRect;
    glVertex3f(r[0], r[1], 20);
    glColor3fv(kDarkRed);
    glVertex3f(r[2], r[1], 20);
    glColor3fv(kBrightRed);
    glVertex3f(r[2], r[3], 20);
    glColor3fv(kDarkRed);
    glVertex3f(r[0], r[3], 20);
    glEnd();
}

void RecordStatusPanel()
{
    static const float kDark[3] = {0.25f, 0.25f, 0.25f};
    static const float kLight[3] = {0.75f, 0.75f, 0.75f};
    const float* r = kStatusPanelRect;
    BlackQuad(r[0], r[1], r[2], r[3], 30);
    AlternatingLoop(r[0], r[1], r[2], r[3], 30, kDark, kLight);
}

void RecordStatusBlank()
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    BlackQuad(700, 37, 1213, 210, 0);
    glEnable(GL_DEPTH_TEST);
}

void RecordInfoPanel()
{
    // The frames lie at depth 0, the far plane: drawn with the depth test off.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    // DrawBevelFrame's frames start at x 32.
    const float* info = kInfoFrameRect;
    const float* threads = kThreadsFrameRect;
    DrawBevelFrame(static_cast<int>(info[1]), static_cast<int>(info[2]), static_cast<int>(info[3]), 0.0625f);
    DrawBevelFrame(static_cast<int>(threads[1]), static_cast<int>(threads[2]), static_cast<int>(threads[3]), 0.0f);
    glEnable(GL_DEPTH_TEST);
    DrawText(32, 686, "Fractal Type:", 1);
    DrawText(32, 670, "Transformations:", 1);
    DrawText(32, 654, "Baseshapes:", 1);
    DrawText(32, 638, "Resolution:", 1);
    char text[64];
    std::snprintf(text, sizeof text, "Number of CPU Cores: %d", LogicalProcessorCount());
    DrawText(kCpuCountTextX, kCpuCountTextY, text, 1);
}

// ---- Warning and voxel panels ----------------------------------------------------

void RecordWarning()
{
    static const float kDarkRed[3] = {0.125f, 0, 0};
    static const float kRed[3] = {1, 0, 0};
    glDisable(GL_DEPTH_TEST);
    const float* r = kWarningBoxRect;
    BlackQuad(r[0], r[1], r[2], r[3], 50);
    AlternatingLoop(r[0], r[1], r[2], r[3], 50, kDarkRed, kRed);
    DrawText(1243, 124, "Warning!! The previous", 1);
    DrawText(1245, 108, "render will be erased", 1);
    DrawText(1237, 92, "Do you want to continue?", 1);
}

void RecordVoxelFrame(float bottom)
{
    static const float kLight[3] = {0.5f, 0.5f, 0.5f};
    static const float kDark[3] = {0.125f, 0.125f, 0.125f};
    glBegin(GL_LINE_LOOP);
    glColor3fv(kLight);
    glVertex3f(kVoxelFrameLeft, bottom, 50);
    glColor3fv(kDark);
    glVertex3f(kVoxelFrameRight, bottom, 50);
    glColor3fv(kLight);
    glVertex3f(kVoxelFrameRight, kVoxelFrameTop, 50);
    glColor3fv(kDark);
    glVertex3f(kVoxelFrameLeft, kVoxelFrameTop, 50);
    glEnd();
    DrawText(kVoxelTitleX, kVoxelTitleY, "Voxel Mesh Generator", 0);
}

void RecordVoxelExportGroup()
{
    static const float kDark[3] = {0.25f, 0.25f, 0.25f};
    static const float kLight[3] = {0.5f, 0.5f, 0.5f};
    glBegin(GL_QUADS);
    glColor3f(0, 0, 0);
    const float* r = kVoxelExportGroupRect;
    glVertex3f(r[0], kVoxelExportCaptionBottom, 1);
    glVertex3f(r[2], kVoxelExportCaptionBottom, 1);
    Grey(0.25f);
    glVertex3f(r[2], r[3], 1);
    glVertex3f(r[0], r[3], 1);
    glEnd();
    AlternatingLoop(r[0], r[1], r[2], r[3], 2, kDark, kLight);
    DrawText(static_cast<int>(r[0]), static_cast<int>(kVoxelExportCaptionBottom) + 4, "Export", 1);
}

// ---- 3-D preview helpers --------------------------------------------------------------

void RecordAxes(const AxisLetterBits& letters)
{
    glBegin(GL_LINES);
    for (int i = -10; i <= 10; ++i) {
        Grey(0.35f + 0.02f * i);
        const float t = 0.5f * i;
        for (float y : {0.005f, -0.005f}) {
            glVertex3f(t, y, -5);
            glVertex3f(t, y, 5);
            glVertex3f(-5, y, t);
            glVertex3f(5, y, t);
        }
    }
    glEnd();

    static const float kAxis[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_LINES);
    for (const auto& a : kAxis) {
        glColor3f(0.25f * a[0], 0.25f * a[1], 0.25f * a[2]);
        glVertex3f(0, 0, 0);
        glColor3fv(a);
        glVertex3fv(a);
    }
    glEnd();

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    for (int k = 0; k < 3; ++k) {
        // A square of half-width 0.05 at 0.95 across the axis, the tip at 1.
        const int u = (k + 1) % 3, v = (k + 2) % 3;
        float tip[3] = {0, 0, 0}, corner[4][3] = {};
        tip[k] = 1.0f;
        static const float kSquare[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int c = 0; c < 4; ++c) {
            corner[c][k] = 0.95f;
            corner[c][u] = 0.05f * kSquare[c][0];
            corner[c][v] = 0.05f * kSquare[c][1];
        }
        glColor3fv(kAxis[k]);
        glBegin(GL_TRIANGLE_FAN);
        glVertex3fv(tip);
        for (int c = 0; c <= 4; ++c) glVertex3fv(corner[c % 4]);
        glEnd();
    }
    glDisable(GL_BLEND);

    glDisable(GL_DEPTH_TEST);
    for (int k = 0; k < 3; ++k) {
        glColor3fv(kAxis[k]);
        glRasterPos3f(kAxis[k][0], kAxis[k][1], kAxis[k][2]);
        glBitmap(8, 8, 0, 0, 0, 0, letters.rows[k]);
    }
    glEnable(GL_DEPTH_TEST);
}

void RecordCube()
{
    constexpr float h = 0.125f;
    glColor3f(0, 0.25f, 0);
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis)
        for (float a : {-h, h})
            for (float b : {-h, h}) {
                float p[3], q[3];
                p[axis] = -h;
                q[axis] = h;
                p[(axis + 1) % 3] = q[(axis + 1) % 3] = a;
                p[(axis + 2) % 3] = q[(axis + 2) % 3] = b;
                glVertex3fv(p);
                glVertex3fv(q);
            }
    // Body diagonals, brightening towards the centre.
    for (float x : {-h, h})
        for (float y : {-h, h}) {
            glColor3f(0, 0.25f, 0);
            glVertex3f(x, y, -h);
            glColor3f(0, 1, 0);
            glVertex3f(0, 0, 0);
            glVertex3f(0, 0, 0);
            glColor3f(0, 0.25f, 0);
            glVertex3f(-x, -y, h);
        }
    glEnd();
}

unsigned Record(void (*record)())
{
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    // Every fixed piece is untextured apart from its texts, whatever the
    // caller left enabled.
    glDisable(GL_TEXTURE_2D);
    record();
    glEndList();
    return list;
}

}  // namespace

int LogicalProcessorCount()
{
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : static_cast<int>(n);
}

AxisLetterBits LoadAxisLetters()
{
    AxisLetterBits bits{};
    const RgbPicture picture = LoadPictureRgb(ResourcePath("axis_letters.png"));
    if (picture.width < 24 || picture.height < 8) return bits;
    for (int k = 0; k < 3; ++k)
        for (int row = 0; row < 8; ++row)
            for (int x = 0; x < 8; ++x)
                if (picture.pixels[(static_cast<size_t>(row) * picture.width + 8 * k + x) * 3] > 127)
                    bits.rows[k][row] |= static_cast<unsigned char>(0x80 >> x);
    return bits;
}

void Opengl::BuildScreenLists()
{
    gStartupStep = 0;
    gSplashFrameCount = 0;

    glEnable(GL_TEXTURE_2D);
    aboutTexture = LoadPictureTexture(ResourcePath("splash.png"), TextureMip::Full, TextureWrap::Repeat);
    glDisable(GL_TEXTURE_2D);

    busyMarkList = Record(RecordBusyMark);
    titleList = Record(RecordTitle);
    static AxisLetterBits letters;  // glBitmap copies the bits into the list
    letters = LoadAxisLetters();
    axesList = glGenLists(1);
    glNewList(axesList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    RecordAxes(letters);
    glEndList();
    cubeList = Record(RecordCube);
    statusPanelList = Record(RecordStatusPanel);
    statusBlankList = Record(RecordStatusBlank);
    infoPanelList = Record(RecordInfoPanel);
    warningList = Record(RecordWarning);
    voxelPanelList = Record([] { RecordVoxelFrame(kVoxelFrameBottomOff); });
    voxelExportPanelList = Record([] {
        RecordVoxelFrame(kVoxelFrameBottomOn);
        RecordVoxelExportGroup();
    });
    FillAboutTexts(*this);
    aboutList = glGenLists(1);
    glNewList(aboutList, GL_COMPILE);
    RecordAboutBox(*this);
    glEndList();
}
