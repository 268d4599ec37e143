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
    // The Kleinian types pick their maps in pairs: the count in use may be
    // evened from the file's, never past the arrays.
    const int type = contents->fractalType;
    if (type == 3 || type == 19 || type == 45) {
        if (gTransformCount < 0 || gTransformCount > kMaxTransforms || gPickTransformCount != gTransformCount) std::abort();
    } else if (gTransformCount != contents->count) {
        std::abort();
    }
    return 0;
}
