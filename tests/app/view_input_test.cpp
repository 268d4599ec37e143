#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "app/frame.h"
#include "app/pending_services.h"
#include "app/point_preview.h"
#include "app/render_control.h"
#include "app/text_field.h"
#include "app/view_drags.h"
#include "app/window_messages.h"
#include "engine/fractal_model.h"
#include "platform/gl_window.h"
#include "render/render_buffers.h"
#include "render/view_camera.h"
#include "ui/widget.h"

namespace {

const float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

void Send(PlatformEventType type, int x, int y, int button = 0, int wheel = 0)
{
    PlatformEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = button;
    e.wheelDelta = wheel;
    HandleWindowEvent(e);
}

void Key(int key) { PlatformEvent e; e.type = PlatformEventType::KeyDown; e.key = key; HandleWindowEvent(e); }
void Type(const char* text)
{
    for (; *text; ++text) {
        PlatformEvent e;
        e.type = PlatformEventType::Character;
        e.character = static_cast<uint8_t>(*text);
        HandleWindowEvent(e);
    }
}

class ViewInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        OnWindowResized(1600, 1000, false);
        std::memcpy(gCameraRotation, kIdentity, sizeof kIdentity);
        gScreenState = kScreenPointPreview;
        gRenderInBuffers = 0;
        gControlSensitivity = 1.0f;
        gRotateMode = kRotateTrackBall;
        gMoveMode = kMoveXY;
        gPanX = gPanY = 0.0f;
        gZoom = 1.0f;
        gFocal = gInverseFocal = 1.0f;
        ResetDragVectors();
    }
    void TearDown() override { gRotateMode = kRotateTrackBall; }
};

TEST_F(ViewInput, StartVectorsOfEachMode)
{
    struct Case {
        const char* name;
        int mode, x, y;
        float vx, vy, vz, factor;
    };
    const float h = std::sqrt(0.5f);
    const Case cases[] = {
        {"TBall centre", kRotateTrackBall, 1116, 424, 0, 0, 1, 1},
        {"TBall beyond the sphere", kRotateTrackBall, 1416, 124, h, h, 0, h * 416.0f / 300.0f},
        {"Yr half way", kRotateY, 1324, 100, 0.5f, 0, std::sqrt(0.75f), 1},
        {"Xr on the centre line", kRotateX, 1400, 424, 0, 0, 1, 1},
        {"mode outside the list", 9, 800, 800, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        gRotateMode = c.mode;
        ResetDragVectors();
        Send(PlatformEventType::MouseDown, c.x, c.y, kMouseLeft);
        Send(PlatformEventType::MouseUp, c.x, c.y, kMouseLeft);
        const DragVector v = gViewDragStart;
        EXPECT_NEAR(v.x, c.vx, 1e-6) << c.name;
        EXPECT_NEAR(v.y, c.vy, 1e-6) << c.name;
        EXPECT_NEAR(v.z, c.vz, 1e-6) << c.name;
        EXPECT_NEAR(v.factor, c.factor, 1e-6) << c.name;
    }
    // The window's top left corner is the click point (0, 1000).
    Send(PlatformEventType::MouseDown, 0, 0, kMouseLeft);
    EXPECT_EQ(gLastPointerX, 0);
    EXPECT_EQ(kVirtualScreenHeight - gLastPointerY, 1000);
    Send(PlatformEventType::MouseUp, 0, 0, kMouseLeft);
}

float MaxDeviationFromIdentity(const float* m)
{
    float worst = 0.0f;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            float dot = 0.0f;
            for (int k = 0; k < 3; ++k) dot += m[3 * i + k] * m[3 * j + k];
            worst = std::fmax(worst, std::fabs(dot - (i == j ? 1.0f : 0.0f)));
        }
    return worst;
}

TEST_F(ViewInput, DragsThatTurnNothing)
{
    // No motion on the sphere, then a "Zr" move straight across the centre.
    struct Case {
        const char* name;
        int mode, x0, y0, x1, y1;
    } const cases[] = {
        {"p1 equal to p0", kRotateTrackBall, 1200, 300, 1200, 300},
        {"Zr across the centre", kRotateZ, 1216, 424, 1016, 424},
    };
    for (const Case& c : cases) {
        gRotateMode = c.mode;
        Send(PlatformEventType::MouseDown, c.x0, c.y0, kMouseLeft);
        Send(PlatformEventType::MouseMove, c.x1, c.y1);
        Send(PlatformEventType::MouseUp, c.x1, c.y1, kMouseLeft);
        for (int i = 0; i < 9; ++i) EXPECT_EQ(gCameraRotation[i], kIdentity[i]) << c.name << " element " << i;
    }
}

TEST_F(ViewInput, YrAlongTheCentreLineTurnsAboutTheVerticalOnly)
{
    gRotateMode = kRotateY;
    Send(PlatformEventType::MouseDown, 1116, 424, kMouseLeft);
    for (int x = 1120; x < 1400; x += 20) Send(PlatformEventType::MouseMove, x, 424);
    Send(PlatformEventType::MouseUp, 1400, 424, kMouseLeft);
    EXPECT_LT(gCameraRotation[0], 0.99f);  // it did turn
    const int fixed[] = {1, 3, 5, 7};
    for (int i : fixed) EXPECT_NEAR(gCameraRotation[i], 0.0f, 1e-6) << i;
    EXPECT_NEAR(gCameraRotation[4], 1.0f, 1e-6);
}

TEST_F(ViewInput, TenThousandRandomStepsStayOrthonormal)
{
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
    };
    for (int step = 0; step < 10000; ++step) {
        if (step % 100 == 0) {
            gRotateMode = next(4);
            Send(PlatformEventType::MouseUp, 0, 0, kMouseLeft);
            Send(PlatformEventType::MouseDown, 701 + next(831), 9 + next(831), kMouseLeft);
        }
        Send(PlatformEventType::MouseMove, 701 + next(831), 9 + next(831));
    }
    Send(PlatformEventType::MouseUp, 0, 0, kMouseLeft);
    EXPECT_LT(MaxDeviationFromIdentity(gCameraRotation), 1e-5f);
    EXPECT_LT(MaxDeviationFromIdentity(gCameraMatrix), 1e-5f);

    // In edit mode the right button turns the 3-D preview's own view.
    const float cameraBefore = gCameraRotation[0];
    gXFormsEditorOpen = 1;
    gRenderInBuffers = 1;
    gScreenState = kScreenPreview3D;
    for (int step = 0; step < 2000; ++step) {
        if (step % 100 == 0) {
            gRotateMode = next(3) + 1;
            Send(PlatformEventType::MouseUp, 0, 0, kMouseRight);
            Send(PlatformEventType::MouseDown, 701 + next(831), 9 + next(831), kMouseRight);
        }
        Send(PlatformEventType::MouseMove, 701 + next(831), 9 + next(831));
    }
    Send(PlatformEventType::MouseUp, 0, 0, kMouseRight);
    gXFormsEditorOpen = 0;
    float view[9];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) view[3 * i + j] = gPreview3DFreeView[4 * j + i];
    EXPECT_LT(MaxDeviationFromIdentity(view), 1e-5f);
    EXPECT_NE(view[0], 1.0f);
    EXPECT_EQ(gCameraRotation[0], cameraBefore);
}

TEST_F(ViewInput, ViewWheelAndPans)
{
    gImageWidth = gImageHeight = 832;
    gPanX = gPanY = 10.0f;
    Send(PlatformEventType::MouseMove, 1100, 400);
    Send(PlatformEventType::MouseWheel, 1100, 400, 0, -120);  // towards the user
    EXPECT_FLOAT_EQ(gPanX, 10.0f * 1.02f);
    EXPECT_FLOAT_EQ(gZoom, 1.01f);
    gPanX = gPanY = 10.0f;
    gZoom = 1.0f;
    Send(PlatformEventType::MouseWheel, 1100, 400, 0, 120);
    EXPECT_FLOAT_EQ(gPanY, 9.8f);
    EXPECT_FLOAT_EQ(gZoom, 0.98f);
    // Outside the view nothing zooms.
    Send(PlatformEventType::MouseWheel, 100, 400, 0, 120);
    EXPECT_FLOAT_EQ(gZoom, 0.98f);

    // A right drag pans by the pointer travel; a notch on the way only
    // scales what the drag has done, and the next move goes on from there.
    gPanX = gPanY = 0.0f;
    Send(PlatformEventType::MouseDown, 1000, 400, kMouseRight);
    Send(PlatformEventType::MouseMove, 1010, 395);
    EXPECT_FLOAT_EQ(gPanX, 10.0f);
    EXPECT_FLOAT_EQ(gPanY, 5.0f);
    Send(PlatformEventType::MouseWheel, 1010, 395, 0, 120);
    const float panX = gPanX, panY = gPanY;
    Send(PlatformEventType::MouseMove, 1010, 395);
    Send(PlatformEventType::MouseUp, 1010, 395, kMouseRight);
    EXPECT_FLOAT_EQ(gPanX, panX);
    EXPECT_FLOAT_EQ(gPanY, panY);
    EXPECT_FLOAT_EQ(gImageOffsetX, 416.0f + panX);

    // On the 3-D preview the wheel moves the focal length instead.
    gScreenState = kScreenPreview3D;
    Send(PlatformEventType::MouseWheel, 1100, 400, 0, -120);
    EXPECT_FLOAT_EQ(gFocal, 1.01f);
    EXPECT_FLOAT_EQ(gInverseFocal, 1.0f / 1.01f);
}

TEST(TextField, TypingAndStoring)
{
    struct Case {
        const char* name;
        const char* typed;  // after the opened value is erased
        float stored;       // kept: 7
    } const cases[] = {
        {"exponent", "1.5e2", 150.0f},
        {"letters", "abc", 0.0f},
        {"not a number", "nan", 7.0f},
        {"infinity", "inf", 7.0f},
        {"beyond the float range", "1e99", 7.0f},
    };
    for (const Case& c : cases) {
        float target = 7.0f;
        OpenTextInput(&target, 10, 42);
        EXPECT_EQ(gTextInput.text, "7.00000") << c.name;
        for (int i = 0; i < 8; ++i) Type("\b");
        Type(c.typed);
        Key(kKeyReturn);
        EXPECT_EQ(target, c.stored) << c.name;
        EXPECT_FALSE(TextInputActive()) << c.name;
    }

    float target = 1.0f;
    OpenTextInput(&target, 10, 42);
    gTextInput.caret = 0;
    Type("\b");                 // Backspace at 0
    Key(kKeyRight);
    Key(kKeyLeft);
    gTextInput.caret = static_cast<int>(gTextInput.text.size());
    Key(kKeyDelete);            // Delete at the end
    EXPECT_EQ(gTextInput.text, "1.00000");
    Key(kKeyEscape);
    EXPECT_FALSE(TextInputActive());
    OpenTextInput(&target, 10, 42);
    Key(kKeyEscape);
    gTextInput.active = 1;      // reopened before Esc's character arrives
    Type("\x1b" "5");
    EXPECT_EQ(gTextInput.text, "1.000005");
    EndTextInput();

    // A field on memory that is rebuilt closes and never writes through it.
    float block[4] = {};
    OpenTextInput(&block[2], 10, 42);
    ForgetTextInputTarget(block, sizeof block);
    Key(kKeyReturn);
    EXPECT_EQ(block[2], 0.0f);
    EXPECT_FALSE(TextInputActive());
}

}  // namespace
