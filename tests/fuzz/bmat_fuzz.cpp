// The material file reader on arbitrary bytes: a file it accepts is
// installed, written again and must read back whole.
// Installing a file costs more than reading it: a longer run in CI.
// fuzz-seconds: 60
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "files/material_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto settings = std::make_unique<MaterialSettings>();
    if (ParseMaterialFile(data, size, settings.get(), nullptr) != FileParseStatus::kRead) return 0;
    InstallMaterialSettings(*settings);
    std::vector<uint8_t> again;
    if (!WriteMaterialFile(SinkOf(again))) __builtin_trap();
    if (ParseMaterialFile(again.data(), again.size(), settings.get(), nullptr) != FileParseStatus::kRead) __builtin_trap();
    return 0;
}
