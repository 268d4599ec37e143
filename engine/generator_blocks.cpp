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

void RunGeneratorChain(const uint8_t* types, const float* const* parameters, int32_t count, float* work)
{
    for (int32_t b = 0; b < count; ++b) {
        switch (types[b]) {
        case 1: GeneratorBlock1(work, parameters[b]); break;
        case 2: GeneratorBlock2(work, parameters[b]); break;
        case 3: GeneratorBlock3(work, parameters[b]); break;
        case 4: GeneratorBlock4(work, parameters[b]); break;
        case 5: GeneratorBlock5(work, parameters[b]); break;
        case 6: GeneratorBlock6(work, parameters[b]); break;
        case 7: GeneratorBlock7(work, parameters[b]); break;
        case 8: GeneratorBlock8(work, parameters[b]); break;
        case 9: GeneratorBlock9(work, parameters[b]); break;
        case 10: GeneratorBlock10(work, parameters[b]); break;
        case 11: GeneratorBlock11(work, parameters[b]); break;
        case 12: GeneratorBlock12(work, parameters[b]); break;
        case 13: GeneratorBlock13(work, parameters[b]); break;
        case 14: GeneratorBlock14(work, parameters[b]); break;
        case 15: GeneratorBlock15(work, parameters[b]); break;
        case 16: GeneratorBlock16(work, parameters[b]); break;
        case 17: GeneratorBlock17(work, parameters[b]); break;
        case 18: GeneratorBlock18(work, parameters[b]); break;
        case 19: GeneratorBlock19(work, parameters[b]); break;
        case 20: GeneratorBlock20(work, parameters[b]); break;
        case 21: GeneratorBlock21(work, parameters[b]); break;
        case 22: GeneratorBlock22(work, parameters[b]); break;
        case 23: GeneratorBlock23(work, parameters[b]); break;
        case 24: GeneratorBlock24(work, parameters[b]); break;
        case 25: GeneratorBlock25(work, parameters[b]); break;
        case 26: GeneratorBlock26(work, parameters[b]); break;
        case 27: GeneratorBlock27(work, parameters[b]); break;
        case 28: GeneratorBlock28(work, parameters[b]); break;
        case 29: GeneratorBlock29(work, parameters[b]); break;
        case 30: GeneratorBlock30(work, parameters[b]); break;
        case 31: GeneratorBlock31(work, parameters[b]); break;
        case 32: GeneratorBlock32(work, parameters[b]); break;
        case 33: GeneratorBlock33(work, parameters[b]); break;
        case 34: GeneratorBlock34(work, parameters[b]); break;
        case 35: GeneratorBlock35(work, parameters[b]); break;
        case 36: GeneratorBlock36(work, parameters[b]); break;
        case 37: GeneratorBlock37(work, parameters[b]); break;
        case 38: GeneratorBlock38(work, parameters[b]); break;
        case 39: GeneratorBlock39(work, parameters[b]); break;
        case 40: GeneratorBlock40(work, parameters[b]); break;
        case 41: GeneratorBlock41(work, parameters[b]); break;
        case 42: GeneratorBlock42(work, parameters[b]); break;
        case 43: GeneratorBlock43(work, parameters[b]); break;
        case 44: GeneratorBlock44(work, parameters[b]); break;
        case 45: GeneratorBlock45(work, parameters[b]); break;
        case 46: GeneratorBlock46(work, parameters[b]); break;
        case 47: GeneratorBlock47(work, parameters[b]); break;
        case 48: GeneratorBlock48(work, parameters[b]); break;
        case 49: GeneratorBlock49(work, parameters[b]); break;
        case 50: GeneratorBlock50(work, parameters[b]); break;
        case 51: GeneratorBlock51(work, parameters[b]); break;
        case 52: GeneratorBlock52(work, parameters[b]); break;
        case 53: GeneratorBlock53(work, parameters[b]); break;
        case 54: GeneratorBlock54(work, parameters[b]); break;
        default: GeneratorBlock0(work, parameters[b]); break;
        }
        work[0] = work[3];
        work[1] = work[4];
        work[2] = work[5];
    }
}
