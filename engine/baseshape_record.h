// Operations on the baseshape records that every writer shares: a new
// baseshape, the shape-type defaults, composition, copies, the one-level
// undo copy and the weights. They work on gBaseshapes and the per-baseshape
// arrays; the baseshape editor adds the transfers to and from its widgets.
#pragma once

#include <cstdint>

#include "engine/baseshape_model.h"
#include "engine/constants.h"

// The editor's working copies of the point templates; every change of size
// or parameters is written here and then copied whole into the template.
extern BaseshapePoint gBaseshapeEditPoints[kMaxBaseshapes];
extern int32_t gCurrentBaseshape;

// Animation values per baseshape.
extern float gBaseshapeSpin[kMaxBaseshapes][4];           // axis x, y, z; period in frames (0 = none)
extern float gBaseshapeMoveDirection[kMaxBaseshapes][3];
extern float gBaseshapeMoveWave[kMaxBaseshapes][3];       // amplitude, period in frames, phase in degrees
extern uint8_t gBaseshapeWaveType[kMaxBaseshapes];        // 0 "SawTooth", 1 "Square", 2 "Triangle", 3 "Sine"

// What the editor captures when its panel is built and a new baseshape takes.
struct BaseshapeDefaults {
    float rotation[9];  // the trackball's initial matrix
    float pickerX;
    float pickerY;
    int32_t pickerFirst;
    int32_t pickerCell;
};

struct BaseshapeUndo {
    BaseshapeRecord records[kMaxBaseshapes];
    BaseshapePoint editPoints[kMaxBaseshapes];
    int32_t current;
    int32_t count;
    uint8_t editorSetting;  // the editor's own setting byte, handed back on undo
    uint8_t useBaseshapes;
};

// Colour k of the table a new baseshape gets repeats colour k mod 16 of this wheel.
extern const uint8_t kBaseshapeColorWheel[16][3];

// 1 for the 15 displacement-mapped shape types.
bool ShapeTypeUsesDMap(int shapeType);

// Record i and all its rows get the defaults of a new baseshape (type 1,
// probability 0.5, matrix all 0 until composed); texture and mesh stay.
void InitNewBaseshape(const BaseshapeDefaults& defaults, int i);
// After a change of shapeType: size 0.5, parameters 0, then the type's own
// values; resets the DMap or the mesh for the types that need one; base
// colour white.
void ApplyShapeTypeDefaults(int i);
// matrix = rotation x scaleShear; glMatrix from matrix and position.
void ComputeBaseshapeMatrix(int i);
// Baseshape to becomes a copy of baseshape from, with its own texture, DMap,
// mesh and colour table. Count and probabilities stay.
void CopyBaseshape(int from, int to);
// probability = 1 / gBaseshapeCount for the baseshapes in use.
void ResetBaseshapeWeights();

void SaveBaseshapeUndo(BaseshapeUndo& undo, uint8_t editorSetting);
// Records, edit points (and templates), current index, count and
// gUseBaseshapes come back; then the colouring mode is reinstalled and the
// weights reset. Images, meshes, colour tables and the per-baseshape mode
// arrays are not part of the undo copy.
void RestoreBaseshapeUndo(const BaseshapeUndo& undo);

// One row of the shape-type defaults, in type order of their first type.
struct ShapeTypeDefaultsRow {
    int16_t types[5];    // 0 ends the list
    float p[13];         // P0..P12; unnamed values stay 0
    float size = 0.5f;
    int8_t dmapBorder = -1;  // >= 0: the DMap is reset with this border mode
    bool resetMesh = false;
};
extern const ShapeTypeDefaultsRow kShapeTypeDefaults[];
extern const int kShapeTypeDefaultsCount;
// The row of a shape type, or null for types that keep the baseline.
const ShapeTypeDefaultsRow* FindShapeTypeDefaults(int shapeType);
