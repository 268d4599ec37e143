// The parsed fractal script that fractal type 22 runs: tforms, each a weight
// and a run of consecutive operations, and one pool of float operands. Plain
// arrays without pointers, so the program is copied and stored field by
// field. Written by the script reader and the fractal-data loader while no
// render runs; read by RunFractalType22.
#pragma once

#include <cstdint>

// "Talvoran Script", the fractal type that runs the program.
inline constexpr int kScriptFractalType = 22;

// The tforms become the transformations of the chaos game (65 of them).
inline constexpr int kScriptMaxTforms = 65;
// Operation indices are 8-bit.
inline constexpr int kScriptMaxOperations = 256;
// A first operand below 256 and at most nine operands per operation.
inline constexpr int kScriptMaxOperands = 9;
inline constexpr int kScriptParameterPoolSize = 256 + kScriptMaxOperands;

// Operation codes; the reader maps each keyword to one of them.
enum ScriptOpCode : uint8_t {
    kScriptScale = 0,
    kScriptTranslate = 1,
    kScriptRotate = 2,
    kScriptSphereInversion = 3,
    kScriptJulia2 = 4,
    kScriptJulia2Z = 5,
    kScriptFnSphere = 6,
    kScriptFnStereo = 7,
    kScriptHyperSphere = 8,
    kScriptBaseshape = 9,
    kScriptRotateRandom = 10,
    kScriptMobius = 11,
    kScriptFlameSinusoidal = 12,
    kScriptFlameSpherical = 13,
    kScriptFlameSwirl3D = 14,
    kScriptFlameHyper = 15,
    kScriptFlameFisheye = 16,
    kScriptFlameHorns = 17,
    kScriptFlameRadSin = 18,
    kScriptFlameQSqrt = 19,
    kScriptMatrix3D = 20,
    kScriptFlame2Sinusoidal = 21,
    kScriptFlame2Spherical = 22,
    kScriptFlame2Swirl3D = 23,
    kScriptFlame2Hyper = 24,
    kScriptFlame2Fisheye = 25,
    kScriptFlame2Horns = 26,
    kScriptFlame2RadSin = 27,
    kScriptFlame2QSqrt = 28,
    kScriptFlameGnarl = 29,
    kScriptFlame2Gnarl = 30,
    kScriptMatrix2D = 31,
    kScriptJulia2M = 32,
    kScriptJulia3 = 33,
    kScriptBoolSphere = 34,
    kScriptBoolCube = 35,
    kScriptBoolGyroid = 36,
    kScriptMandel = 37,
    kScriptSpheris = 38,
    kScriptOpCodeCount = 39,
};

struct ScriptProgram {
    int32_t tformCount;      // also the transformation count "New Fractal" takes for a script
    int32_t operationCount;  // in all tforms together
    int32_t parameterCount;  // pool entries in use
    uint8_t tformFirstOperation[kScriptMaxTforms];
    uint8_t tformOperationCount[kScriptMaxTforms];
    float tformWeight[kScriptMaxTforms];  // normalised to sum 1 by the reader
    uint8_t operationCode[kScriptMaxOperations];
    uint8_t operationFirstParameter[kScriptMaxOperations];
    float parameters[kScriptParameterPoolSize];
};

extern ScriptProgram gScriptProgram;
