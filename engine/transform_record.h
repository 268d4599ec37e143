// Operations on the transformation records that every writer shares: the
// default record, copies, the forbidden-pair bookkeeping, the one-level undo
// copy and the weight rules. They work on gTransforms and the published
// arrays only; the transformation editor adds the transfers to and from its
// widgets around them.
#pragma once

#include <cstdint>

#include "engine/constants.h"
#include "engine/fractal_model.h"

// The editor's one-level undo copy.
struct TransformUndo {
    TransformRecord records[kMaxTransforms];
    int32_t selected;
    int32_t transformCount;
};

// gTransformCount as an index bound: 1..65 whatever a file left in it.
int TransformCountInUse();

// The default transformation: base rotation, scale 0.5 (x scale 2.0 and m00
// published at once for fractal type 37), no translation, weight
// 1 / gPickTransformCount, only the plain affine step. Does not compose.
void ResetTransformation(const float* baseRotation, int i);
// Record from -> to (all but variationCount and variations 10..12), then the
// published coefficients, weight and colour.
void CopyTransformation(int from, int to);
// Identity rotation and 0.25 scale; does not compose.
void ResetRotationAndScale(int i);

// Keeps gForbiddenSuccessors in step after a transformation was inserted at
// index (insert true) or the one at index deleted (insert false);
// gTransformCount is already the new count and selected is the editor's
// selection. A deleted transformation's entry goes with it, the old last
// entry becomes free, and references to it become -1. Callers rebuild the
// pick table after the count change that follows.
void UpdateTransformationPairs(int index, bool insert, int selected);

void SnapshotTransformations(TransformUndo& undo, int selected);
// Brings the snapshot back: records, count (both counts), every record
// composed, the Moebius coefficients of types 3, 19 and 45, the pick table.
// Returns the selection saved with it.
int RestoreTransformations(const TransformUndo& undo);

// Weight rules. Each rebuilds the pick table. A sum of weights that is 0 or
// not finite gives every transformation 1 / count.
// "Norm.": record and published weights divided by their sum.
void NormalizeTransformWeights();
// "Equal.": record and published weights 1 / count.
void EqualizeTransformWeights();
// The release after a weight drag: published weights = record weight / sum;
// the records keep their values.
void PublishNormalizedWeights();
// The pick count and equal weights that some fractal types need; other
// types keep both. gTransformCount is not changed.
void SetDefaultTransformationCount();
