// What the baseshape editor shows for the 13 shape parameters of each kind:
// the caption and wheel step of each parameter row (a step of 0 means the
// row is not in use), the rows' ranges and integer rows, and the random
// values "Random" draws. Data and arithmetic only; the panel applies them
// to its three parameter windows.
//
// Parameter pages: page 0 shows "Depth", "Radius" and P0..P2; page 1 shows
// P3..P7; page 2 shows P8..P12. A page shows its first rows in use only.
#pragma once

#include <cstdint>

inline constexpr int kShapeParameters = 13;
inline constexpr int kParameterPages = 3;
inline constexpr int kParameterPageRows = 5;

// The caption and wheel step of one parameter row.
struct ParameterRow {
    const char* caption = nullptr;
    float step = 0.0f;
};

// One kind's rows: P0..P2, P3..P7 and P8..P11 (P12 has no row of its own).
struct ShapeTypeParameters {
    int16_t types[4];  // 0 ends the list
    ParameterRow page1[3] = {};
    ParameterRow page2[5] = {};
    ParameterRow page3[4] = {};
};
extern const ShapeTypeParameters kShapeTypeParameters[];
extern const int kShapeTypeParametersCount;

// The caption ("" when none) and wheel step of parameter Pk of the kind.
const char* ShapeParameterCaption(int type, int k);
float ShapeParameterStep(int type, int k);
// Rows in use on a page: page 0 counts "Depth" and "Radius"; page 2 never
// counts its fifth row.
int ShapeParameterRows(int type, int page);
// Page tabs: 1, plus one for each of pages 1 and 2 with a row in use.
int ShapeParameterPages(int type);

// A parameter row's range as the editor's window holds it. Every row runs
// 0 to 2 unclamped, except the kinds' whole-number rows and their clamps.
struct ParameterRange {
    float minimum = 0.0f;
    float maximum = 2.0f;
    float dragStep = 0.005747f;
    uint8_t integer = 0;
    uint8_t clamped = 0;  // at both ends
};
ParameterRange ShapeParameterRange(int type, int k);

// One step of gGlobalRandomB: (hi - lo) x word x 2^-32 + lo.
float RandomRangeB(float lo, float hi);
// The kind's random draws from gGlobalRandomB into the parameters it names;
// the others keep their values, and kinds without draws change nothing.
void RandomizeBaseshape(int type, float p[kShapeParameters]);
