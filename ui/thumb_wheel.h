// The "Zoom" thumb wheel: a textured cylinder standing across the slider,
// turned by the value (a full turn per 1.0) and changed by horizontal drags
// and wheel steps by its own fixed step (not the control sensitivity). The
// value has no limits; the view reads it and the last change directly.
#pragma once

#include <cstdint>

class YSlider {
public:
    YSlider() = default;
    virtual ~YSlider() = default;

    void Build(const int& x, const int& y, const int& zValue, const int& width, const int& height, const int& unused,
               const float& unusedValue, const char* caption);
    void Draw() const;
    // A press strictly inside starts a drag.
    void Click(const int& x, const int& y);
    bool Wheel(int x, int y, float delta);
    // Travel of gPointerX since the press or the last drag event.
    bool Drag();
    float Value() const;

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0, z = 0;
    float value = 1.0f;
    float step = 0.005f;
    unsigned frameList = 0;
    float pressX = 0;
    uint8_t held = 0;
    uint8_t visible = 0;
    unsigned knobList = 0;
    float knobRadius = 0;
    float knobX = 0;
    float lastChange = 1.0f;
};
