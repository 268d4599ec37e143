// Generator chains of fractal type 48: one GeneratorGroup per
// transformation, owning its block arrays. Every group is built, copied and
// freed through the functions below, so a stored block type is always
// 0..54 and its function and parameter array always match it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/generator_blocks.h"

inline constexpr int kMaxGeneratorBlocks = 5;  // what AllocateGeneratorGroup can set up

struct GeneratorGroup {
    uint8_t* blockTypes;          // blockCount types, 0..54
    int32_t blockCount;
    float** parameters;           // entry k: gGeneratorParameterCounts[blockTypes[k]] floats
    GeneratorBlockFn* functions;  // entry k: the block of blockTypes[k]
    float weight;                 // normalised into the pick weights by the presets
};

// The live array, indexed by transformation, and its number of groups. The
// type-48 kernel reads both without a lock: replace or free the array only
// while the render is stopped.
extern GeneratorGroup* gGeneratorGroups;
extern int32_t gGeneratorGroupCount;

// A new array of count empty groups (no blocks, weight 0); null for count <= 0.
GeneratorGroup* NewGeneratorGroupArray(int32_t count);
// Frees every group's arrays and the array itself; null is allowed.
void FreeGeneratorGroupArray(GeneratorGroup* groups, int32_t count);
// Makes array the live one and frees the previous live array.
void ReplaceGeneratorGroups(GeneratorGroup* groups, int32_t count);

// Frees the group's arrays and leaves it empty (weight kept).
void ReleaseGeneratorGroup(GeneratorGroup& group);
// Told of every parameter array just before it is freed (the shell closes
// a text field that edits one); null for none.
extern void (*gGeneratorParametersReleased)(const void* begin, size_t bytes);
// Gives the group count blocks of the given types (null types: all 0), each
// with its function and a zero-filled parameter array; the arrays it held
// before are freed. A type above 54 becomes type 0. Refuses (false, group
// unchanged) a count below 0 or above kMaxGeneratorBlocks.
bool BuildGeneratorGroup(GeneratorGroup& group, float weight, int32_t count, const uint8_t* types);
// Deep copy: dst shares nothing with src afterwards; dst's old arrays are freed.
void CopyGeneratorGroup(GeneratorGroup& dst, const GeneratorGroup& src);

// Live group i gets the weight and count blocks of types t0..t4 (only the
// first count are used). Refuses an index outside the live array or more
// than five blocks.
bool AllocateGeneratorGroup(int32_t i, float weight, int32_t count, uint8_t t0, uint8_t t1 = 0, uint8_t t2 = 0,
                            uint8_t t3 = 0, uint8_t t4 = 0);

// Parameter helpers of the presets. Each writes only when the group and
// block exist and the block's type holds the parameters it writes.
// p0..p8 = the rotation about the normalised axis (zero axis: all zero) by
// the angle in degrees.
void SetGeneratorRotation(int32_t group, int32_t block, const float* axis, float degrees);
// The 30 parameters of an affine block: p0..p8 = R S, p9..p11 = translation,
// p12..p20 = R (about the normalised axis by the angle in radians),
// p21..p29 = S = diag(scale).
void SetGeneratorAffine(const float* translation, const float* axis, const float* scale, float radians,
                        float* target);
void SetGeneratorValues3(int32_t group, int32_t block, float a, float b, float c);
// p0, p1 = a, b; p2 = 0.
void SetGeneratorValues2(int32_t group, int32_t block, float a, float b);

// One of the warps 31..48 and 50, evenly, from one step of gGlobalRandomB.
uint8_t RandomWarpBlockType();
