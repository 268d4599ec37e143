// The fractal data file reader on arbitrary bytes, as ".zdat" and as
// ".zb3f": a file it accepts is installed, written again and must read
// back whole.
// Installing a file costs more than reading it: a longer run in CI.
// fuzz-seconds: 60
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "files/fractal_data_file.h"
#include "render/render_buffers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const bool buffers : {false, true}) {
        auto doc = std::make_unique<FractalDataDocument>();
        if (ParseFractalDataFile(data, size, buffers, doc.get(), nullptr) != FileParseStatus::kRead) continue;
        if (!InstallFractalData(*doc, AllocateRenderBuffers)) continue;
        std::vector<uint8_t> again;
        if (!WriteFractalDataFile(SinkOf(again), buffers, doc->panel)) __builtin_trap();
        auto back = std::make_unique<FractalDataDocument>();
        if (ParseFractalDataFile(again.data(), again.size(), buffers, back.get(), nullptr) != FileParseStatus::kRead)
            __builtin_trap();
    }
    return 0;
}
