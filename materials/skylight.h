// The daylight sky of one shading worker: an analytic model of the clear sky
// (zenith luminance and chromaticity, and the five-coefficient distribution
// of luminance and chromaticity over the sky for a sun direction and an
// atmospheric turbidity). Each worker owns one, so evaluating it needs no
// lock; SetSun runs between passes.
#pragma once

// Largest exponent B / cos(theta) the distribution function evaluates. Below
// the horizon (cos(theta) < 0, with B < 0) and for turbidities under about
// 1.2 (B > 0, near the horizon) the exponent grows without bound and exp()
// overflows; capped at 20 (e^20 = 4.9e8) every term stays finite in single
// precision, and above the horizon at ordinary turbidities the cap never
// binds, since the exponent is negative there.
inline constexpr float kSkyExponentLimit = 20.0f;
// Turbidities outside this range are clamped: far above it the zenith
// luminance's tangent reaches its pole.
inline constexpr float kSkyMinTurbidity = 0.5f;
inline constexpr float kSkyMaxTurbidity = 64.0f;

class Skylight {
public:
    Skylight() = default;
    virtual ~Skylight() = default;

    // Any direction: it is normalised first (zero gives the zenith).
    void SetSun(const float* direction, float turbidity);
    // sample: view direction (x, y, z), then three values that SkyColor
    // fills with x, y, Y; a z of exactly 0 is written back as 1e-6.
    void SkyColor(float* sample) const;
    // Replaces x, y, Y of the sample by linear R, G, B (a value of exactly 0
    // taken as 1e-6 first). Not clamped.
    static void XyYToRgb(float* sample);

    float requestedDirection[3] = {};  // as the owner set it
    float mirroredDirection[3] = {};   // (x, y, -z): what the owner passes to SetSun
    float ownerTurbidity = 0.0f;
    float sunZenith = 0.0f;            // theta_s in radians
    float turbidity = 0.0f;            // in use
    float zenithLuminance = 0.0f;      // Yz
    float zenithX = 0.0f, zenithY = 0.0f;
    float perezY[5] = {}, perezX[5] = {}, perezYChroma[5] = {};  // A..E of Y, x, y
    float normX = 0.0f, normY = 0.0f, normLuminance = 0.0f;
    float sunDirection[3] = {};        // in use
};
