// The ranges of the values the option windows edit: one table for the panels
// that build the windows and for the readers that install the same values
// from a file, so that a value read from a file is taken as the window takes
// a typed one, and a file can hold nothing a user could not set.
//
// A window row is six floats: minimum, maximum, start, clamp at the minimum
// (1), clamp at the maximum (1), whole numbers (1). A window of n rows is an
// array of 6 n floats, top row first. A list a file stores a row of has its
// row count here.
#pragma once

// ---- Render page: "Environment" -----------------------------------------------
inline constexpr float kFogRows[] = {0, 10, 1.5f, 1, 0, 0, -10, 10, -1.0f, 0, 0, 0};  // "Parameters" A, B
inline constexpr float kTurbidityRows[] = {1, 20, 1.0f, 1, 1, 0};                      // "Sun Turbidity"
inline constexpr float kVolumetricFogRows[] = {0, 4, 1.5f, 1, 1, 0, 0, 4, 1.5f, 1, 1, 0,  // "Volumetric Fog Color"
                                               0, 4, 1.5f, 1, 1, 0};

// ---- Render page: "Materials" (the current material's windows) ------------------
inline constexpr float kAmbientRows[] = {0, 10, 1, 1, 1, 0, 0, 360, 0, 1, 1, 1, 0, 1, 0, 1, 1, 0};  // intensity, rotation, roughness
inline constexpr float kDiffuseRows[] = {0, 10, 1, 1, 1, 0, 0, 360, 0, 1, 1, 1};  // intensity, rotation angle
inline constexpr float kSpecularRows[] = {1, 200, 90, 1, 1, 0, 0, 10, 1, 1, 1, 0};  // magnitude, intensity
inline constexpr float kFresnelRows[] = {1, 3, 1, 1, 1, 0, 1, 3, 1.5f, 1, 1, 0};    // "Fresnel Ext.", "Fresnel Int."
inline constexpr float kShadowDepthRows[] = {0, 1, 0.25f, 1, 1, 0};

// ---- Render page: "Shaders" and "Advanced" ---------------------------------------
inline constexpr float kShadowSamplingRows[] = {1, 256, 16, 1, 1, 1, 0, 512, 8, 1, 1, 0};  // samples, radius
inline constexpr float kAveragedRows[] = {0, 4, 1, 1, 1, 0, 1, 512, 64, 1, 1, 1};        // strength, samples
inline constexpr float kPerPixelRows[] = {1, 128, 16, 1, 1, 1, 1, 512, 32, 1, 1, 1};     // samples, radius
inline constexpr float kGlowRows[] = {0, 1, 0.5f, 1, 1, 0, 1, 16, 4, 1, 1, 1, 0, 10, 1.0f, 1, 0, 0};  // threshold, steps, intensity
inline constexpr float kReflectivityRows[] = {0, 1, 0.02f, 1, 1, 0};
inline constexpr float kGammaRows[] = {0.1f, 4, 1.0f, 1, 1, 0};
inline constexpr float kColorWeightRows[] = {0, 1, 0.5f, 1, 1, 0};  // "Color Interpolation Weight"

// ---- Camera and animation pages ----------------------------------------------------
inline constexpr float kResolutionRows[] = {16, 3072, 2048, 1, 1, 1, 16, 3072, 2048, 1, 1, 1};  // width, height
inline constexpr float kPerspectiveRows[] = {1, 179, 60, 1, 1, 0};  // below 180: the derived values stay finite
inline constexpr float kSidesRows[] = {2, 16, 6, 1, 1, 1};          // the symmetry's "Sides:"
inline constexpr float kSeparationRows[] = {0, 10, 1, 1, 1, 0};
inline constexpr float kRenderParameterRows[] = {0, 100000, 0, 1, 1, 1, 1, 100000, 100, 1, 1, 1,  // start, frames,
                                                 1, 1000, 1, 1, 1, 1};                          // frame iterations

// ---- Baseshape editor --------------------------------------------------------------
inline constexpr float kArraySidesRows[] = {1, 16, 2, 1, 0, 1};  // "Rotation Array" "Sides"
inline constexpr float kModifierStrengthRows[] = {0, 5, 1, 0, 0, 0};
inline constexpr float kNeonRows[] = {0, 5, 2, 1, 1, 0};
inline constexpr float kSpinRows[] = {0, 128, 36, 1, 0, 1};  // "Number of Frames by Cycle"
inline constexpr float kMovementRows[] = {0, 5, 0, 0, 0, 0, 0, 128, 0, 1, 0, 1, 0, 256, 0, 0, 0, 1};  // amplitude, frames, phase
inline constexpr int kModifierListRows = 12;
inline constexpr int kArrayListRows = 10;
inline constexpr int kBaseshapeBlendListRows = 8;
inline constexpr int kWaveListRows = 4;

// Row `row` of a window of these rows: the value a file holds for it, as
// the window takes a typed value. False for a value that is not a number,
// or one that stays infinite where the row does not clamp (the file is
// refused); otherwise it is clamped where the row clamps, and a row of whole
// numbers drops the fraction.
bool TakeWindowValue(const float* rows, int row, float& value);
