#include "engine/generator_groups.h"

#include <cmath>
#include <cstring>

#include "engine/random_helpers.h"
#include "engine/vector_math.h"

GeneratorGroup* gGeneratorGroups = nullptr;
int32_t gGeneratorGroupCount = 0;

namespace {

inline constexpr float kDegree = 0.017453292f;

float* NewParameters(uint8_t type)
{
    return new float[static_cast<size_t>(gGeneratorParameterCounts[type])]();
}

// The parameter array of live group g, block b, when it holds at least n floats.
float* LiveParameters(int32_t g, int32_t b, int32_t n)
{
    if (!gGeneratorGroups || g < 0 || g >= gGeneratorGroupCount) return nullptr;
    const GeneratorGroup& group = gGeneratorGroups[g];
    if (b < 0 || b >= group.blockCount || gGeneratorParameterCounts[group.blockTypes[b]] < n) return nullptr;
    return group.parameters[b];
}

// The axis normalised; a zero axis stays zero.
void UnitAxis(const float* axis, float* out)
{
    const float length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    const float k = length > 0.0f ? 1.0f / length : 0.0f;
    for (int e = 0; e < 3; ++e) out[e] = axis[e] * k;
}

}  // namespace

GeneratorGroup* NewGeneratorGroupArray(int32_t count)
{
    if (count <= 0) return nullptr;
    return new GeneratorGroup[static_cast<size_t>(count)]();
}

void FreeGeneratorGroupArray(GeneratorGroup* groups, int32_t count)
{
    if (!groups) return;
    for (int32_t i = 0; i < count; ++i) ReleaseGeneratorGroup(groups[i]);
    delete[] groups;
}

void ReplaceGeneratorGroups(GeneratorGroup* groups, int32_t count)
{
    GeneratorGroup* const old = gGeneratorGroups;
    const int32_t oldCount = gGeneratorGroupCount;
    gGeneratorGroups = groups;
    gGeneratorGroupCount = groups ? count : 0;
    if (old != groups) FreeGeneratorGroupArray(old, oldCount);
}

void (*gGeneratorParametersReleased)(const void* begin, size_t bytes) = nullptr;

void ReleaseGeneratorGroup(GeneratorGroup& group)
{
    for (int32_t k = 0; k < group.blockCount; ++k) {
        if (gGeneratorParametersReleased && group.parameters[k]) {
            gGeneratorParametersReleased(group.parameters[k],
                                         sizeof(float) * static_cast<size_t>(gGeneratorParameterCounts[group.blockTypes[k]]));
        }
        delete[] group.parameters[k];
    }
    delete[] group.parameters;
    delete[] group.functions;
    delete[] group.blockTypes;
    group.parameters = nullptr;
    group.functions = nullptr;
    group.blockTypes = nullptr;
    group.blockCount = 0;
}

bool BuildGeneratorGroup(GeneratorGroup& group, float weight, int32_t count, const uint8_t* types)
{
    if (count < 0 || count > kMaxGeneratorBlocks) return false;
    ReleaseGeneratorGroup(group);
    group.weight = weight;
    if (count == 0) return true;
    group.blockTypes = new uint8_t[static_cast<size_t>(count)];
    group.functions = new GeneratorBlockFn[static_cast<size_t>(count)];
    group.parameters = new float*[static_cast<size_t>(count)];
    for (int32_t k = 0; k < count; ++k) {
        const uint8_t type = (types && types[k] < kGeneratorBlockTypes) ? types[k] : 0;
        group.blockTypes[k] = type;
        group.functions[k] = GetGeneratorFunction(type);
        group.parameters[k] = NewParameters(type);
    }
    group.blockCount = count;
    return true;
}

void CopyGeneratorGroup(GeneratorGroup& dst, const GeneratorGroup& src)
{
    if (&dst == &src) return;
    ReleaseGeneratorGroup(dst);
    dst.weight = src.weight;
    const int32_t count = src.blockCount > 0 ? src.blockCount : 0;
    if (count == 0) return;
    dst.blockTypes = new uint8_t[static_cast<size_t>(count)];
    dst.functions = new GeneratorBlockFn[static_cast<size_t>(count)];
    dst.parameters = new float*[static_cast<size_t>(count)];
    for (int32_t k = 0; k < count; ++k) {
        const uint8_t type = src.blockTypes[k] < kGeneratorBlockTypes ? src.blockTypes[k] : 0;
        dst.blockTypes[k] = type;
        dst.functions[k] = GetGeneratorFunction(type);
        dst.parameters[k] = NewParameters(type);
        if (type == src.blockTypes[k]) {
            std::memcpy(dst.parameters[k], src.parameters[k],
                        sizeof(float) * static_cast<size_t>(gGeneratorParameterCounts[type]));
        }
    }
    dst.blockCount = count;
}

bool AllocateGeneratorGroup(int32_t i, float weight, int32_t count, uint8_t t0, uint8_t t1, uint8_t t2, uint8_t t3,
                            uint8_t t4)
{
    if (!gGeneratorGroups || i < 0 || i >= gGeneratorGroupCount) return false;
    const uint8_t types[kMaxGeneratorBlocks] = {t0, t1, t2, t3, t4};
    return BuildGeneratorGroup(gGeneratorGroups[i], weight, count, types);
}

void SetGeneratorRotation(int32_t group, int32_t block, const float* axis, float degrees)
{
    float* const p = LiveParameters(group, block, 9);
    if (!p) return;
    float unit[3];
    UnitAxis(axis, unit);
    AxisAngleMatrix(unit, degrees * kDegree, p);
}

void SetGeneratorAffine(const float* translation, const float* axis, const float* scale, float radians,
                        float* target)
{
    float unit[3];
    UnitAxis(axis, unit);
    float r[9];
    AxisAngleMatrix(unit, radians, r);
    const float s[9] = {scale[0], 0, 0, 0, scale[1], 0, 0, 0, scale[2]};
    MultiplyMatrix3(r, s, target);
    std::memcpy(target + 9, translation, 3 * sizeof(float));
    std::memcpy(target + 12, r, sizeof r);
    std::memcpy(target + 21, s, sizeof s);
}

void SetGeneratorValues3(int32_t group, int32_t block, float a, float b, float c)
{
    float* const p = LiveParameters(group, block, 3);
    if (!p) return;
    p[0] = a;
    p[1] = b;
    p[2] = c;
}

void SetGeneratorValues2(int32_t group, int32_t block, float a, float b)
{
    float* const p = LiveParameters(group, block, 2);
    if (!p) return;
    p[0] = a;
    p[1] = b;
    // Blocks of two parameters ("1D Pow", the attractor) have no third.
    if (gGeneratorParameterCounts[gGeneratorGroups[group].blockTypes[block]] >= 3) p[2] = 0.0f;
}

uint8_t RandomWarpBlockType()
{
    static constexpr uint8_t kWarps[19] = {31, 32, 33, 34, 35, 36, 37, 38, 39, 40,
                                           41, 42, 43, 44, 45, 46, 47, 48, 50};
    return kWarps[GlobalRandomU32B() % 19u];
}
