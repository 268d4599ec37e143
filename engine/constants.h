// Fixed sizes shared by the whole engine.
#pragma once

#include <cstddef>

inline constexpr int kMaxRenderSlots = 24;     // render workers, one slot each
inline constexpr int kMaxTransforms = 65;      // transformation records
inline constexpr int kMaxBaseshapes = 65;      // baseshape records
inline constexpr int kBaseshapeKinds = 195;    // baseshape kinds 0..194
inline constexpr int kBaseshapeTableSize = 205;  // generator table entries (195..204 repeat kind 0)
inline constexpr int kSlotBatchSize = 1000;    // points a slot fills per kernel call
inline constexpr int kPointBatchSize = 24024;  // shared point batch
inline constexpr int kSlotTableSize = 32;      // entries of the u16 batch-bound tables
