// The push button: a slanted skin with a centred caption, recorded once in a
// normal and a pressed look. A press inside sets the pressed flag; the owner
// (the action dispatcher) acts on it after the release and clears it.
#pragma once

#include <cstdint>

class Button {
public:
    Button() = default;
    virtual ~Button() = default;

    // Records both looks at the origin and stores the hit rectangle
    // (x, y, x + width, y + height); clears the pressed flag. refRight and
    // refTop give the margins to the screen's right and top edges.
    void Build(const int& x, const int& y, const int& z, const int& width, const int& height, const char* caption,
               const int& tag, const int& refRight, const int& refTop);
    void Draw() const;
    // Sets the pressed flag on a hit (bounds inclusive) when visible; returns
    // the pressed flag as it then stands.
    bool Click(const int& px, const int& py);

    // End width of the skin: 8 units when the button is wider than 16, else 4.
    static int EndWidth(int width) { return width > 16 ? 8 : 4; }
    // Caption position relative to the button, normal look.
    static int CaptionX(int width, int length);
    static int CaptionY(int height) { return height / 2 - 6; }

    float localRect[4] = {};  // 0, 0, width, height
    uint8_t pressed = 0;
    unsigned normalList = 0;
    unsigned pressedList = 0;
    uint8_t visible = 0;
    int ownerValue = 0;  // never touched by the button
    int rect[4] = {};    // x0, y0, x1, y1: hit test and drawing position
    int rectCopy[4] = {};
    int margins[2] = {};  // refRight - x0, refTop - y0
    int tag = 0;

protected:
    // The normal and pressed looks at the origin; the placed button has no
    // outline.
    void RecordLooks(int width, int height, int z, const char* caption, bool outline);
    // Rectangles, margins to the reference corner, tag, released; then the looks.
    void Place(int x, int y, int z, int width, int height, const char* caption, int tagValue, int refRight, int refTop,
               bool outline);
};

// A push button placed by its owner at every draw and click (a panel that
// scrolls or follows the pointer). Its looks have no outline; the margins
// count from the 1600 by 1000 screen's right and top edges.
class ButtonXY : public Button {
public:
    void Build(const int& x, const int& y, const int& z, const int& width, const int& height, const char* caption,
               const int& tag);
    void Draw(const int& x, const int& y) const;
    // Sets the pressed flag on a hit of the button placed at (x, y), bounds
    // included; returns the flag as it then stands (a miss reports a flag
    // set before).
    bool Click(const int& px, const int& py, const int& x, const int& y);
};
