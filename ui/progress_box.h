// The export progress bar: a bar lit along its middle that grows from the
// left edge by one unit per percent over a scale of eleven ticks (the scale
// is 100 units long whatever the width). Display only.
#pragma once

#include <cstdint>

class SliderBox {
public:
    SliderBox() = default;
    virtual ~SliderBox() = default;

    void Build(const int& x, const int& y, const int& z, const int& width, const int& height);
    void Draw() const;
    // The whole part of v (toward zero); not-a-number gives 0, values beyond
    // the int range its bounds.
    bool SetValue(const float& v);

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float z = 0;
    uint8_t built = 0;
    float halfWidth = 0;
    unsigned frameList = 0, scaleList = 0;
    float corner = 0;
    uint8_t visible = 0;
    float centreX = 0, centreY = 0;
    int value = 0;  // written by the window thread as the export thread reports
};
