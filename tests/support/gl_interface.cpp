#include "support/gl_interface.h"

#include <algorithm>

#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/skins.h"

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
    ok_ = true;
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
