// The fractal script reader on arbitrary text: whatever it holds, the
// program stays inside its arrays (every tform's operations among those
// read, every operand in the pool), every operand and weight is finite, the
// weights are not negative and sum to 1, the baseshapes' values are finite,
// and a text that is no script changes nothing. Lines of thousands of
// characters are asked for: the seeds hold some, and inputs may be as long.
// fuzz-args: -max_len=16384 -len_control=0
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/baseshape_model.h"
#include "engine/script_program.h"
#include "files/script_file.h"

namespace {

bool Finite(const float* v, size_t n)
{
    for (size_t k = 0; k < n; ++k)
        if (!std::isfinite(v[k])) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ScriptBaseshapeSetup setup{{{1, 0, 0, 0, 1, 0, 0, 0, 1}, 112.0f, 710.0f, 0, 1}, 48.0f, 582.0f};
    static ScriptProgram before;
    before = gScriptProgram;
    const int baseshapesBefore = gBaseshapeCount;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ScriptReadReport report = ReadScriptText(text, setup);
    const ScriptProgram& p = gScriptProgram;
    if (report.notAScript) {
        if (std::memcmp(&p, &before, sizeof p) != 0 || gBaseshapeCount != baseshapesBefore) __builtin_trap();
        return 0;
    }
    if (p.tformCount < 0 || p.tformCount > kScriptMaxTforms || p.operationCount > kScriptMaxOperations) __builtin_trap();
    if (p.parameterCount > kScriptParameterPoolSize || gBaseshapeCount > 64 || report.tbaseBlocks > 64) __builtin_trap();
    float sum = 0.0f;
    for (int t = 0; t < p.tformCount; ++t) {
        if (p.tformFirstOperation[t] + p.tformOperationCount[t] > p.operationCount) __builtin_trap();
        if (!std::isfinite(p.tformWeight[t]) || p.tformWeight[t] < 0.0f) __builtin_trap();
        sum += p.tformWeight[t];
    }
    for (int o = 0; o < p.operationCount; ++o)
        if (p.operationCode[o] >= kScriptOpCodeCount || p.operationFirstParameter[o] > 255) __builtin_trap();
    if (!Finite(p.parameters, static_cast<size_t>(p.parameterCount))) __builtin_trap();
    if (p.tformCount > 0 && std::fabs(sum - 1.0f) > 1e-3f) __builtin_trap();
    for (int i = 0; i < report.tbaseBlocks; ++i) {
        const BaseshapeRecord& r = gBaseshapes[i];
        const BaseshapePoint& point = gBaseshapePointTemplates[i];
        if (!(Finite(r.position, 3) && Finite(r.rotation, 9) && Finite(r.scaleShear, 9) && Finite(point.p, 13) &&
              std::isfinite(point.size))) {
            __builtin_trap();
        }
    }
    return 0;
}
