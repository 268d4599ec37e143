// A GL test context with the interface resources every widget draws with,
// built as the program builds them at start-up: the font and the skins.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/desktop/gl_test_context.h"

class GlInterfaceTest {
public:
    GlInterfaceTest();
    bool ok() const { return ok_; }
    const char* why() const { return why_; }
    bool llvmpipe() const { return gl_.IsLlvmpipe(); }

    void ClearFrame();
    std::vector<uint8_t> Frame() const { return gl_.ReadPixelsRgb(); }
    static int Width() { return 1600; }
    static int Height() { return 1000; }

protected:
    void Fail(const char* why)
    {
        ok_ = false;
        why_ = why;
    }

private:
    GlTestContext gl_;
    bool ok_ = false;
    const char* why_ = "";
};

// Bounding box of the pixels brighter than 'threshold' (sum of channels) in
// a 1600 x 1000 top-row-first frame, in virtual units (y up). x1 < 0 when
// nothing is lit.
struct LitBox {
    int x0 = 1600, y0 = 1000, x1 = -1, y1 = -1;
};
LitBox FindLit(const std::vector<uint8_t>& rgb, int threshold = 30);
