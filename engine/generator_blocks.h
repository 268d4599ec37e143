// The 55 generator blocks of fractal type 48 ("Blocks"): small point maps
// that a transformation's chain runs one after the other. A block reads the
// point from work[0..2], writes its image to work[3..5] (all three, always)
// and reads only its own parameters.
#pragma once

#include <array>
#include <cstdint>

using GeneratorBlockFn = void (*)(float* work, const float* parameters);

inline constexpr int kGeneratorBlockTypes = 55;
inline constexpr int kMaxAffineBlockParameters = 30;  // the largest count (types 0 and 23)

struct GeneratorBlockRow {
    int32_t type;
    const char* name;  // entry of the editor's "Block Type" list
    GeneratorBlockFn function;
    int32_t parameterCount;
};
extern const GeneratorBlockRow kGeneratorBlocks[kGeneratorBlockTypes];

// The parameters allocated for a block of each type (the table's column).
extern const std::array<int32_t, kGeneratorBlockTypes> gGeneratorParameterCounts;
// The names in type order, then a null entry.
extern const std::array<const char*, kGeneratorBlockTypes + 1> gGeneratorBlockNames;

// The block of that type; 55 and above give "Affine Trans" (type 0).
GeneratorBlockFn GetGeneratorFunction(uint32_t type);
// Entries 0..54 of table = the blocks in type order.
void FillGeneratorFunctionTable(GeneratorBlockFn* table);


// The quaternion Moebius map (a p + b) / (c p + d) of the point p = (x, y, z, 0),
// each quaternion scalar first; block 25 and fractal type 45 share it.
inline void QuaternionMobius(const float* a, const float* b, const float* c, const float* d, float x, float y,
                             float z, float* out)
{
    const float n0 = a[0] * x - a[1] * y - a[2] * z + b[0];
    const float n1 = a[0] * y + a[1] * x + a[3] * z + b[1];
    const float n2 = a[0] * z + a[2] * x - a[3] * y + b[2];
    const float n3 = a[2] * y + a[3] * x - a[1] * z + b[3];
    const float d0 = c[0] * x - c[1] * y - c[2] * z + d[0];
    const float d1 = c[0] * y + c[1] * x + c[3] * z + d[1];
    const float d2 = c[0] * z + c[2] * x - c[3] * y + d[2];
    const float d3 = c[2] * y + c[3] * x - c[1] * z + d[3];
    const double k = 1.0 / (static_cast<double>(d0) * d0 + static_cast<double>(d1) * d1 +
                            static_cast<double>(d2) * d2 + static_cast<double>(d3) * d3);
    out[0] = static_cast<float>((n0 * d0 + n1 * d1 + n2 * d2 + n3 * d3) * k);
    out[1] = static_cast<float>((n0 * d1 - n1 * d0 - n2 * d3 + n3 * d2) * k);
    out[2] = static_cast<float>((n0 * d2 + n1 * d3 - n2 * d0 - n3 * d1) * k);
}
