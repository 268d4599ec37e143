// Whole generator chains for fractal type 48: the eleven layouts of groups
// and blocks, the eight chain recipes of the "Fractal Generator" rows 25 to
// 32, the random combinations of row 24, and the deep copies between the
// live groups and the backup the combinations are assembled in. Window
// thread only; every draw steps gGlobalRandomB (gGlobalRandomA for random
// axes) in the order each layout lists.
#pragma once

#include <cstdint>

#include "engine/generator_groups.h"

inline constexpr int kGeneratorLayoutCount = 11;
inline constexpr int kGeneratorBackupSize = 6;

// The backup groups the random combinations copy chains through.
extern GeneratorGroup gGeneratorBackup[kGeneratorBackupSize];

// The number of groups of a layout (0 for a layout outside 0..10).
int GeneratorLayoutGroups(int layout);
// Fills every group of the live array (the caller has made it with the
// layout's number of groups) with the layout's weights, blocks and
// parameters. Touches neither the records nor their weights. A layout
// outside 0..10, or a live array of another size, changes nothing.
void ApplyGeneratorPreset(int layout);

// Recipe n = 1..8 (the list row less 24): a new live array of the recipe's
// size filled by its layout, row n + 24 selected, transformation 0
// selected, the pick weights from the group weights.
void SetupGeneratorChainPreset(int n);
// "Combination": chains taken from other rows, in one of three modes by a draw.
void CreateRandomGeneratorChains();

// Deep copies; the target shares nothing with its source afterwards. An
// index outside its array does nothing.
void CopyGeneratorGroupFromBackup(int live, int backup);
void CopyGeneratorGroupToBackup(int backup, int live);
