// The transformation file (".tmf"): text of the transformations in use with
// the fractal type and the two mirror flags. Line 1 the count; per
// transformation the rotation and the scale/shear column by column, the
// position (three numbers a line), the weight, the ten variation flags and
// the ten amounts (one a line); then the type and the two flags. Numbers
// are written with six decimals and read in any layout of blanks and line
// ends, with '.' as the decimal point whatever the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/byte_sink.h"
#include "engine/constants.h"

struct TransformationFileRecord {
    float rotation[9];    // row-major, as the record holds it
    float scaleShear[9];  // row-major
    float position[3];
    float weight;
    uint8_t variationOn[10];
    float variationAmount[10];
};

struct TransformationFileContents {
    int32_t count = 0;
    TransformationFileRecord records[kMaxTransforms];
    int32_t fractalType = 0;
    uint8_t mirror = 0;
    uint8_t mirrorY = 0;
};

// The biggest file the reader looks at; a file that needs more is refused.
inline constexpr size_t kTransformationFileMaxBytes = 4u << 20;

// The model's transformations (gTransformCount of them), type and flags.
std::string TransformationFileText();
bool WriteTransformationFile(const ByteSink& sink);

// Reads the text into out. Refuses, with a message for the status line, a
// count outside 0..65, a type outside 0..49, a missing or malformed number
// and a number that is not finite; out is then of no use, and nothing of the
// model has changed either way.
bool ParseTransformationFile(std::string_view text, TransformationFileContents& out, std::string* error);

// The parsed set becomes the model's: both counts, every record (flags that
// read 1 are on, anything else off) composed, the type and the mirror flags;
// types 3, 19 and 45 recompute their Moebius maps, types 12 and 21 make every
// scale uniform; then the pick table. The kernel of the type is left to the
// caller.
void ApplyTransformationFile(const TransformationFileContents& in);

// The types after whose load the editor's view returns to "Camera".
bool TransformationFileResetsView(int fractalType);

// Reads and parses the file at path (at most kTransformationFileMaxBytes).
bool ReadTransformationFile(const std::string& path, TransformationFileContents& out, std::string* error);
