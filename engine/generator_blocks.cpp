// The generator blocks in type order, then their table and lookups.
//   [0..10]  affine maps, inversions, reflections, rotations
//   [11..30] complex and quaternion maps, Moebius maps, absolute values, roots
//   [31..48] the "(+)" warps: the point plus a weighted variation per axis
//   [49..54] roots, the Bezier bend and the inverse trees
// Single precision except where a block says double.
#include "engine/generator_blocks.h"

#include <array>

#include "engine/generator_block_maps.h"

using namespace generator_detail;

constexpr GeneratorBlockRow kGeneratorBlocks[kGeneratorBlockTypes] = {
    {0, "Affine Trans", GeneratorBlock0, 30},
    {1, "Scale", GeneratorBlock1, 3},
    {2, "Rotation", GeneratorBlock2, 9},
    {3, "Traslation", GeneratorBlock3, 3},
    {4, "Sphere Inv.", GeneratorBlock4, 4},
    {5, "Rings", GeneratorBlock5, 4},
    {6, "Hyp. Tess. II", GeneratorBlock6, 6},
    {7, "Reflection", GeneratorBlock7, 1},
    {8, "Neg X", GeneratorBlock8, 1},
    {9, "Neg XZ", GeneratorBlock9, 1},
    {10, "Rotation XYZ", GeneratorBlock10, 12},
    {11, "Cplx. Sine", GeneratorBlock11, 1},
    {12, "Cplx. Cosine", GeneratorBlock12, 1},
    {13, "1D Pow", GeneratorBlock13, 2},
    {14, "Quaternion Root", GeneratorBlock14, 10},
    {15, "Cplx. Hyp. Sin", GeneratorBlock15, 1},
    {16, "Cplx. Hyp. Cos", GeneratorBlock16, 1},
    {17, "Cplx. Exp.", GeneratorBlock17, 0},
    {18, "Z Mobius", GeneratorBlock18, 10},
    {19, "XYZ->-Z-XY", GeneratorBlock19, 0},
    {20, "Loxodrome", GeneratorBlock20, 4},
    {21, "GumowskiMira Attr.", GeneratorBlock21, 2},
    {22, "Mobius (XZ)", GeneratorBlock22, 8},
    {23, "Affine Stars", GeneratorBlock23, 30},
    {24, "Trilobites", GeneratorBlock24, 4},
    {25, "Q Mobius", GeneratorBlock25, 16},
    {26, "Absolute XYZ", GeneratorBlock26, 0},
    {27, "Absolute X", GeneratorBlock27, 0},
    {28, "Absolute Y", GeneratorBlock28, 0},
    {29, "Absolute Z", GeneratorBlock29, 0},
    {30, "Complex Root", GeneratorBlock30, 3},
    {31, "(+) Sin", GeneratorBlock31, 3},
    {32, "(+) Spherical", GeneratorBlock32, 3},
    {33, "(+) Swirl I", GeneratorBlock33, 3},
    {34, "(+) Sin4", GeneratorBlock34, 3},
    {35, "(+) Hyper", GeneratorBlock35, 3},
    {36, "(+) FishEye", GeneratorBlock36, 3},
    {37, "(+) Horns", GeneratorBlock37, 3},
    {38, "(+) RadSin", GeneratorBlock38, 3},
    {39, "(+) QRoot", GeneratorBlock39, 3},
    {40, "(+) Sin II", GeneratorBlock40, 3},
    {41, "(+) Sin III", GeneratorBlock41, 3},
    {42, "(+) RadSin II", GeneratorBlock42, 3},
    {43, "(+) RadSin III", GeneratorBlock43, 3},
    {44, "(+) Swirl II", GeneratorBlock44, 3},
    {45, "(+) Swirl III", GeneratorBlock45, 3},
    {46, "(+) PopCorn I", GeneratorBlock46, 3},
    {47, "(+) PopCorn II", GeneratorBlock47, 3},
    {48, "(+) PopCorn III", GeneratorBlock48, 3},
    {49, "Spiky Root", GeneratorBlock49, 3},
    {50, "New Root", GeneratorBlock50, 3},
    {51, "Bezier", GeneratorBlock51, 13},
    {52, "Inv. Tree I", GeneratorBlock52, 0},
    {53, "Inv. Tree II", GeneratorBlock53, 0},
    {54, "Inv. Tree III", GeneratorBlock54, 0},
};

constexpr std::array<int32_t, kGeneratorBlockTypes> gGeneratorParameterCounts = [] {
    std::array<int32_t, kGeneratorBlockTypes> counts{};
    for (int k = 0; k < kGeneratorBlockTypes; ++k) counts[k] = kGeneratorBlocks[k].parameterCount;
    return counts;
}();

constexpr std::array<const char*, kGeneratorBlockTypes + 1> gGeneratorBlockNames = [] {
    std::array<const char*, kGeneratorBlockTypes + 1> names{};
    for (int k = 0; k < kGeneratorBlockTypes; ++k) names[k] = kGeneratorBlocks[k].name;
    return names;
}();

GeneratorBlockFn GetGeneratorFunction(uint32_t type)
{
    return kGeneratorBlocks[type < static_cast<uint32_t>(kGeneratorBlockTypes) ? type : 0].function;
}

void FillGeneratorFunctionTable(GeneratorBlockFn* table)
{
    for (int k = 0; k < kGeneratorBlockTypes; ++k) table[k] = kGeneratorBlocks[k].function;
}

