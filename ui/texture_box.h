// A texture swatch: a square inset in an octagonal frame, showing one GL
// texture drawn afresh every frame (a new texture name shows at once). A
// press inside sets the hit flag the owner reads.
#pragma once

#include <cstdint>

class TextureBox {
public:
    TextureBox() = default;
    virtual ~TextureBox() = default;

    // Corners cut by height / 16, the swatch inset by height / 12.
    void SetLayout(const int& x, const int& y, const int& z, const int& width, const int& height,
                   const unsigned& textureName);
    void Draw() const;
    // Bounds included; a miss clears a hit left from before.
    bool Click(const int& x, const int& y);

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0, height = 0;
    float z = 0;
    float left = 0, leftIn = 0, rightIn = 0, right = 0;
    float swatchLeft = 0, swatchRight = 0;
    float bottomIn = 0, topIn = 0, top = 0, bottom = 0;
    float swatchBottom = 0, swatchTop = 0;
    uint8_t hit = 0;
    unsigned texture = 0;
    uint8_t visible = 0;
};
