// libFuzzer target: the transformation file reader (".tmf") on any bytes. A
// refused file says why; an accepted one stays within its bounds and loads
// into the model without leaving the arrays.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "engine/fractal_model.h"
#include "files/transformation_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto contents = std::make_unique<TransformationFileContents>();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (!ParseTransformationFile(text, *contents, &error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (contents->count < 0 || contents->count > kMaxTransforms) std::abort();
    if (contents->fractalType < 0 || contents->fractalType > 49) std::abort();
    ApplyTransformationFile(*contents);
    if (gFractalType != contents->fractalType) std::abort();
    // The table picks from at least one transformation; an empty set is shown
    // as empty. Type 45 mirrors its maps in pairs: its count may be evened
    // from the file's, never past the arrays.
    const int shown = gTransformCount;
    if (gPickTransformCount != (shown > 0 ? shown : 1)) std::abort();
    if (contents->fractalType == 45 ? shown < 1 || shown > kMaxTransforms : shown != contents->count) std::abort();
    return 0;
}
