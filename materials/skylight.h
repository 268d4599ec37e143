// The daylight sky model of one shading worker. Each worker owns one, so
// evaluating the sky needs no lock; SetSun runs between passes.
//
// For now a stand-in: SetSun keeps its arguments and SkyColor gives one fixed,
// finite sky colour for every direction. The analytic model replaces it.
#pragma once

class Skylight {
public:
    Skylight() = default;
    virtual ~Skylight() = default;

    void SetSun(const float* direction, float turbidity);
    // sample: view direction (x, y, z), then three values that SkyColor
    // fills with x, y, Y and XyYToRgb turns into linear R, G, B.
    void SkyColor(float* sample) const;
    static void XyYToRgb(float* sample);

    float requestedDirection[3] = {};  // as the owner set it
    float mirroredDirection[3] = {};   // (x, y, -z): what the owner passes to SetSun
    float ownerTurbidity = 0.0f;
    float sunZenith = 0.0f;            // theta_s in radians
    float turbidity = 0.0f;            // in use
    float sunDirection[3] = {};        // in use
};

// True while Skylight is the fixed stand-in sky.
inline constexpr bool kSkylightIsStandIn = true;
