// The fractal script reader on arbitrary text: whatever it holds, the
// program stays inside its arrays (every tform's operations among those
// read, every operand in the pool) and the weights sum to 1.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/baseshape_model.h"
#include "engine/script_program.h"
#include "files/script_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ScriptBaseshapeSetup setup{{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 112.0f, 710.0f, 0, 1}, 48.0f, 582.0f};
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ScriptReadReport report = ReadScriptText(text, setup);
    const ScriptProgram& p = gScriptProgram;
    if (p.tformCount < 0 || p.tformCount > kScriptMaxTforms || p.operationCount > kScriptMaxOperations) __builtin_trap();
    if (p.parameterCount > kScriptParameterPoolSize || gBaseshapeCount > 64 || report.tbaseBlocks > 64) __builtin_trap();
    float sum = 0.0f;
    for (int t = 0; t < p.tformCount; ++t) {
        if (p.tformFirstOperation[t] + p.tformOperationCount[t] > p.operationCount) __builtin_trap();
        sum += p.tformWeight[t];
    }
    for (int o = 0; o < p.operationCount; ++o)
        if (p.operationCode[o] >= kScriptOpCodeCount || p.operationFirstParameter[o] > 255) __builtin_trap();
    if (p.tformCount > 0 && std::isfinite(sum) && std::fabs(sum - 1.0f) > 1e-3f) __builtin_trap();
    return 0;
}
