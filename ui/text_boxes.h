// Text plates: TextBox, a small black plate showing one short text (mostly a
// number) at a place fixed at Build, and InputBox, the fixed 160 by 16 field
// at (10, 42) meant for the value of a picked fractal parameter.
#pragma once

#include <cstdint>

class TextBox {
public:
    TextBox() = default;
    virtual ~TextBox() = default;

    // The placeholder's length fixes where the text starts: the centre minus
    // 4 + 4 * length, so longer texts grow to the right.
    void Build(const int& x, const int& y, const int& z, const int& width, const int& height, const char* placeholder);
    void SetNumber(int n);
    // Copies text into the plate, cut to its 63 characters.
    void SetText(const char* text);
    void Draw() const;

    float left = 0, bottom = 0, right = 0, top = 0;
    float depth = 0;
    uint8_t spare = 0;
    int width = 0;
    char text[64] = {};
    unsigned octagonList = 0, plainList = 0, framedList = 0;
    uint8_t visible = 0;
    int textX = 0, textY = 0;
};

class InputBox {
public:
    InputBox() = default;
    virtual ~InputBox() = default;

    // Records the field (at the origin, placed by a translation) and the box
    // over its fixed rectangle.
    void Build();

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float z = 0;
    uint8_t visible = 0;
    unsigned fieldList = 0, boxList = 0;
    uint8_t active = 0;  // a parameter has been picked
};
