// The fractal parameter help overlay: for the types whose constants are the
// positions of transformations 0 and 1, a framed window with the type's
// name, the live values and which transformation moves what. A click on a
// value row picks that parameter; its value goes to gParamValueText and the
// input box shows it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/kernel_framework.h"
#include "ui/text_boxes.h"

// Parameters of each fractal type (0 for the types without any).
extern const int ParamRowCount[kFractalTypeCount];

inline constexpr size_t kParamValueTextSize = 1024;
extern char gParamValueText[kParamValueTextSize];

class SLWindow2 {
public:
    SLWindow2() = default;
    virtual ~SLWindow2() = default;

    // The two pointers of the old signature are not read; tag is kept.
    void Build(const int& x, const int& y, const int& z, const int& width, const int& rowHeight, const int& rows,
               int tag);
    // 1 when a parameter row of the current type was picked, else 0.
    int Click(const int& x, const int& y);
    // The overlay of the current fractal type, or nothing for a type
    // without help or while hidden.
    void DrawFractalParamHelp() const;

    float lineY[16] = {};  // [0] the top edge, [k] = top - 16 k
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float z = 0;
    int rows = 0;
    unsigned frameList = 0;
    uint8_t visible = 0;
    int pickedRow = 0;
    float rowHeight = 0, halfRowHeight = 0;
    uint8_t editing = 0;
    int pickX = 0;
    int pickedParameter = 0;
    int tag = 0;
};

extern SLWindow2 gParamHelpWindow;
// The field that shows the picked parameter's value while its active flag is set.
extern InputBox gInputBox;

// Builds the help window (36, 92), 340 wide, 13 rows of 16, and the input box.
void BuildParamHelp();
// The text field on the picked parameter, opened over the value of the row
// that was clicked; the input box frames it while it is open.
void OpenPickedParameter();
bool ParamFieldOpen();
// Drawn after the field: a grey frame on its edge.
void DrawParamInputBox();
// Where the field stands in a row: its left edge this far left of the value
// column (room for the field's prompt), the column x0 + 64, right of the
// labels (at most 7 glyphs).
inline constexpr float kParamValueColumn = 64.0f;
inline constexpr float kParamFieldLead = 6.0f;

// The value of parameter p of a type (transformation 0 or 1's position), or
// 0 for a type or parameter without one.
float ParamValue(int type, int parameter);

// ---- The overlay's lines, by fractal type ----
enum class HelpValue : uint8_t { kNone, kT0x, kT0y, kT0z, kT1x, kT1z };
struct ParamHelpLine {
    int row;        // window row 2..11
    bool indented;  // starts at x0 + 16
    const char* label;
    HelpValue value;
};
// The lines of a type's overlay (count in *count), or null for a type
// without help (also outside 0..49).
const ParamHelpLine* ParamHelpLines(int type, int* count);
float HelpLineValue(HelpValue value);

// ---- The seven help lines of the "Fractals" page ----
inline constexpr int kTypeHelpLines = 7;
// Line i (0..6) of a type's help, never null ("" past the text or outside 0..49).
const char* FractalTypeHelpLine(int type, int line);
// The lines at x 32, y 606 down to 510.
void DrawFractalTypeHelp();
