// The generator chains of fractal type 48 as the transformation editor edits
// them: the selected transformation's record mirrors its selected block, so
// the editor's ordinary controls (rotation, scale, shear, position) edit the
// block. Also the starting parameters a block gets when a chain is set up,
// and the readout captions of each block type. Model only: the loaders, the
// presets and the editor call these alike.
#pragma once

#include <cstdint>

#include "engine/fractal_model.h"
#include "engine/generator_blocks.h"

// What the editor has selected, and the one chain request it may have
// pending for EditTransformSet(1) to carry out.
struct TransformEditState {
    int32_t selected = 0;          // the selected transformation
    int32_t selectedBlock = 0;     // the block of its chain (type 48)
    int32_t blockParamOffset = 0;  // readout captions before the selected block's type
    // The default rotation of a reset transformation (the editor's trackball
    // at its start).
    float baseRotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    // Chain request: 0 a transformation was appended, 1 one was deleted
    // (argument: its index), 2 remove the selected block, 3 give it
    // blockType, 4 insert a block behind it, 5 open the text field on
    // parameter 'parameter' of it, 6 nothing, 7 reselect.
    uint8_t pending = 0;
    int32_t code = 0;
    int32_t argument = 0;
    int32_t blockType = 0;
    int32_t parameter = 0;
};
extern TransformEditState gTransformEdit;

// The readout: how many parameters of each type it lists, and their captions.
extern const uint8_t gGeneratorShownParamCounts[kGeneratorBlockTypes];
// Caption i of the type, or "" past its shown count.
const char* GeneratorParamCaption(int type, int i);
// The shown counts of all types below the type (types outside 0..54: 0).
int32_t BlockParamOffset(int type);

// Float k of a record in its field order: the 13 variation amounts, the
// position, the rotation and the scale/shear, one after the other (a chain
// set-up reads three of them starting anywhere in that run); 0 past them.
float RecordFloatInFieldOrder(const TransformRecord& record, int k);

// The parameters of block b of live group g when the block's type holds at
// least n of them; null otherwise.
float* GeneratorBlockParameters(int g, int b, int n);

// Block b of group g gets the function of its type and its starting
// parameters, from transformation g and the "Fractal Generator" row
// (draws from gGlobalRandomB); selects block 0. The caller has set the
// block's type and array.
void InitGeneratorBlock(int type, int g, int b);
// The defaults of the type, and the selected transformation back to its
// default (the block a user just inserted or retyped).
void EditGeneratorParameters(int type, int g, int b);
// The block takes over transformation g's current map; selects block 0.
void SetGeneratorBlockType(int type, int g, int b);
// The selected transformation's record (and published map) from its
// selected block.
void SelectGeneratorBlock();
// The selected transformation's record into its selected block.
void ApplyBlockWidgets();
