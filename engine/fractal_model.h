// The fractal model: transformation records, the counts, the flat arrays
// the kernels read, the shared point batch and the per-slot arrays of the
// render slots. Plain global storage of fixed size.
#pragma once

#include <cstdint>

#include "engine/constants.h"

struct Complex {
    float re;
    float im;
};

// One transformation. The render side never reads records: edits go record,
// then ComposeTransformation, then the published arrays below.
struct TransformRecord {
    int32_t variationCount;      // variations 0..9 that are on (editor bookkeeping)
    uint8_t variationOn[13];     // flag 0 is the plain affine step
    float variationAmount[13];
    float position[3];
    float rotation[9];           // row-major
    float scaleShear[9];         // row-major; diagonal = scale, off-diagonal = shear
    float matrix[9];             // rotation x scaleShear (derived)
    float weight;
    float glMatrix[16];          // the same map, column order (derived)
};

// Twelve arrays of 65: entry t is the composed matrix and position of
// transformation t. x' = m00 x + m01 y + m02 z + tx, and so on.
struct TransformCoefficients {
    float m00[kMaxTransforms], m01[kMaxTransforms], m02[kMaxTransforms];
    float m10[kMaxTransforms], m11[kMaxTransforms], m12[kMaxTransforms];
    float m20[kMaxTransforms], m21[kMaxTransforms], m22[kMaxTransforms];
    float tx[kMaxTransforms], ty[kMaxTransforms], tz[kMaxTransforms];
};

struct ColorArrays65 {
    int32_t r[kMaxTransforms];
    int32_t g[kMaxTransforms];
    int32_t b[kMaxTransforms];
};

// Möbius maps w = (a z + b) / (c z + d), one per transformation index.
struct MobiusCoefficients {
    Complex a[kMaxTransforms];
    Complex b[kMaxTransforms];
    Complex c[kMaxTransforms];
    Complex d[kMaxTransforms];
};

struct SlotVector3 {
    float x[kMaxRenderSlots];
    float y[kMaxRenderSlots];
    float z[kMaxRenderSlots];
};

// The four-component orbit of one slot (w last).
struct alignas(16) QuaternionPoint {
    float x, y, z, w;
};

struct SlotComplex {
    float re[kMaxRenderSlots];
    float im[kMaxRenderSlots];
};

// ---- Records, counts and published arrays --------------------------------
extern TransformRecord gTransforms[kMaxTransforms];
extern int32_t gTransformCount;       // records in use, 1..65
extern int32_t gPickTransformCount;   // seen by the pick table and the kernels, >= 1
extern TransformCoefficients gTransformCoefficients;
extern float gTransformWeights[kMaxTransforms];
extern ColorArrays65 gTransformColors;
extern MobiusCoefficients gMobiusCoefficients;
extern float gTransformQuaternionA[kMaxTransforms][4];
extern float gTransformQuaternionB[kMaxTransforms][4];
extern float gTransformQuaternionC[kMaxTransforms][4];
extern float gTransformQuaternionD[kMaxTransforms][4];
extern int32_t gFractalType;          // 0..49

// ---- The shared point batch (slot s owns 1000 s .. 1000 s + 999) ---------
extern float gPointX[kPointBatchSize];
extern float gPointY[kPointBatchSize];
extern float gPointZ[kPointBatchSize];
extern uint8_t gPointColorIndex[kPointBatchSize];
extern uint8_t gPointColorR[kPointBatchSize];
extern uint8_t gPointColorG[kPointBatchSize];
extern uint8_t gPointColorB[kPointBatchSize];

// ---- Render slots ---------------------------------------------------------
extern uint16_t gSlotBatchStart[kSlotTableSize];  // 1000 s
extern uint16_t gSlotBatchLast[kSlotTableSize];   // 1000 s + 999
extern uint16_t gSlotBatchEnd[kSlotTableSize];    // 1000 s + 1000, exclusive
extern SlotVector3 gSlotPoint;                    // orbit point carried between kernel calls
extern int32_t gSlotTransform[kMaxRenderSlots];   // previous transformation
extern SlotComplex gSlotComplexPoint;
extern SlotComplex gSlotComplexOrigin;
extern float gSlotQuaternionW[kMaxRenderSlots];
extern QuaternionPoint gSlotQuaternionPoint[kMaxRenderSlots];  // orbit of type 45

// ---- Operations -------------------------------------------------------------
// Fills the batch-bound tables and zeroes the batch and the per-slot state.
void InitGlobalState();

// Composes record i (matrix = rotation x scaleShear, glMatrix) and publishes
// its coefficients and weight. The two names do the same work.
void ComposeTransformMatrices(int i);
void ComposeTransformation(int i);

// Möbius generators of fractal types 3, 19 and 45 from two complex traces.
// For type 45 they also become transformations 0..3 in quaternion form, the
// first half of the set is mirrored into the second and gPickTransformCount
// becomes the even count below it (at least 1), gTransformCount with it.
void ComputeTransformCoefficients(Complex traceA, Complex traceB);
// Moebius map k of gMobiusCoefficients into the kernels' coefficients and
// into transformation k's quaternion form (complex parts on 1 and j).
void PublishMobiusMap(int k);
// For fractal types 3, 19 and 45, whose maps come from the (x, z) positions
// of transformations 0 and 1: the maps again, after an edit of a record
// (the kernels read the maps, not the records). Other types: nothing.
void RefreshMobiusMaps();
// The four generator maps of the two traces into gMobiusCoefficients 0..3,
// nothing else (the random Kleinian sets test candidates with it).
void ComputeMobiusGenerators(Complex traceA, Complex traceB);

// Out-of-line complex arithmetic; each writes through out and returns it.
Complex* ComplexMake(Complex* out, float re, float im);
Complex* ComplexNegate(Complex* out, const Complex* a);
Complex* ComplexAdd(Complex* out, const Complex* a, const Complex* b);
Complex* ComplexSubtract(Complex* out, const Complex* a, const Complex* b);
Complex* ComplexMultiply(Complex* out, const Complex* a, const Complex* b);
Complex* ComplexDivide(Complex* out, const Complex* a, const Complex* b);
Complex* ComplexMobius(Complex* out, const Complex* a, const Complex* b, const Complex* c,
                       const Complex* d, const Complex* z);
// From t, k and c: a = t/k, b = k - |t|^2/k, c' = c/k, d = (-Re t / k, Im t / k).
void MakeComplexMobiusCoefficients(Complex* a, Complex* b, Complex* cOut, Complex* d,
                                   const Complex* t, float k, const Complex* c);
