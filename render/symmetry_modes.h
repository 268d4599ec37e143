// Symmetry modes: after the kernel refilled a slot's slice, the slot's
// worker calls
//
//     if (gSymmetryOn) ApplySymmetry(slot);
//
// and the current mode moves the slice gSlotBatchStart[slot] ..
// gSlotBatchLast[slot] - 1 in place (the point at gSlotBatchLast is left
// alone). Most modes move the whole slice by one randomly chosen copy of
// the symmetry group, so the render fills every copy over time.
#pragma once

#include <atomic>
#include <cstdint>

inline constexpr int kSymmetryModeCount = 20;
inline constexpr int32_t kSymmetryModeNormal = 100;  // "Normal": symmetry off
inline constexpr int kSymmetryCopyWeightCount = 25;
inline constexpr int kSymmetryMinFolds = 2;
inline constexpr int kSymmetryMaxFolds = 16;

// Written by the window thread while workers run, read once per call.
extern std::atomic<int32_t> gSymmetryMode;       // 0..19, or 100
extern std::atomic<uint8_t> gSymmetryOn;
extern std::atomic<float> gSymmetryFoldCount;    // "Sides", read truncated, clamped to 2..16
extern std::atomic<float> gSymmetrySeparation;   // "Separation" c
// Copy weights of the tiling, reflection and N-fold modes; the tuner may
// rewrite them while the workers are held.
extern std::atomic<float> gSymmetryCopyWeights[kSymmetryCopyWeightCount];

// Set by the render start for some fractal types, read by the projection
// passes; SetSymmetryCopyWeights clears it.
extern uint8_t gMirrorCopy;

extern const float gSymmetryFoldAngles[kSymmetryMaxFolds + 1];  // [N] = 2 pi / N, [0] = 2 pi
extern const float gSymmetryTileOffsets[kSymmetryCopyWeightCount][2];  // dx, dz
extern const uint8_t gSymmetryOctantSigns[8][3];  // negate y, x, z

// Captions of the "Symmetry" list: entry 0 "Normal", entry i = mode i - 1.
extern const char* const kSymmetryListItems[kSymmetryModeCount + 1];

// Runs the current mode on the slot's slice; modes above 19 do nothing.
void ApplySymmetry(uint8_t slot);

// Resets the copy weights of the current mode to equal shares and returns
// their number (1 for modes 0..7, whose weights are left alone).
int32_t SetSymmetryCopyWeights();

// The fold count as the modes use it: truncated, clamped to 2..16.
int32_t SymmetryFoldCount();

// The per-mode operations, chosen by ApplySymmetry (mode 7 has none).
void ApplySymmetryMode0(uint8_t slot);
void ApplySymmetryMode1(uint8_t slot);
void ApplySymmetryMode2(uint8_t slot);
void ApplySymmetryMode3(uint8_t slot);
void ApplySymmetryMode4(uint8_t slot);
void ApplySymmetryMode5(uint8_t slot);
void ApplySymmetryMode6(uint8_t slot);
void ApplySymmetryMode8(uint8_t slot);
void ApplySymmetryMode9(uint8_t slot);
void ApplySymmetryMode10(uint8_t slot);
void ApplySymmetryMode11(uint8_t slot);
void ApplySymmetryMode12(uint8_t slot);
void ApplySymmetryMode13(uint8_t slot);
void ApplySymmetryMode14(uint8_t slot);
void ApplySymmetryMode15(uint8_t slot);
void ApplySymmetryMode16(uint8_t slot);
void ApplySymmetryMode17(uint8_t slot);
void ApplySymmetryMode18(uint8_t slot);
void ApplySymmetryMode19(uint8_t slot);
