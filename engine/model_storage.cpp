// Storage of the model's global arrays. The operations live in their own files.
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"

TransformRecord gTransforms[kMaxTransforms];
int32_t gTransformCount = 1;
int32_t gPickTransformCount = 1;
TransformCoefficients gTransformCoefficients;
float gTransformWeights[kMaxTransforms];
ColorArrays65 gTransformColors;
MobiusCoefficients gMobiusCoefficients;
float gTransformQuaternionA[kMaxTransforms][4];
float gTransformQuaternionB[kMaxTransforms][4];
float gTransformQuaternionC[kMaxTransforms][4];
float gTransformQuaternionD[kMaxTransforms][4];
int32_t gFractalType = 0;

float gPointX[kPointBatchSize];
float gPointY[kPointBatchSize];
float gPointZ[kPointBatchSize];
uint8_t gPointColorIndex[kPointBatchSize];
uint8_t gPointColorR[kPointBatchSize];
uint8_t gPointColorG[kPointBatchSize];
uint8_t gPointColorB[kPointBatchSize];

uint16_t gSlotBatchStart[kSlotTableSize];
uint16_t gSlotBatchLast[kSlotTableSize];
uint16_t gSlotBatchEnd[kSlotTableSize];
SlotVector3 gSlotPoint;
int32_t gSlotTransform[kMaxRenderSlots];
SlotComplex gSlotComplexPoint;
SlotComplex gSlotComplexOrigin;
float gSlotQuaternionW[kMaxRenderSlots];
QuaternionPoint gSlotQuaternionPoint[kMaxRenderSlots];

BaseshapeRecord gBaseshapes[kMaxBaseshapes];
int32_t gBaseshapeCount = 0;
uint8_t gUseBaseshapes = 0;
BaseshapePoint gBaseshapePointTemplates[kMaxBaseshapes];
BaseshapeColorArrays gBaseshapeColors;
ColorRamp gBaseshapeColorRamps[kMaxBaseshapes];
BaseshapeImage gBaseshapeTextures[kMaxBaseshapes];
BaseshapeImage gBaseshapeDMaps[kMaxBaseshapes];
BaseshapeMesh gBaseshapeMeshes[kMaxBaseshapes];
int32_t gBaseshapeModifierType[kMaxBaseshapes];
float gBaseshapeModifierAmount[kMaxBaseshapes];
int32_t gBaseshapeArrayType[kMaxBaseshapes];
uint32_t gBaseshapeArrayCount[kMaxBaseshapes];
float gBaseshapeArrayAngle[kMaxBaseshapes];
float gBaseshapeArrayPivotX[kMaxBaseshapes];
float gBaseshapeArrayPivotY[kMaxBaseshapes];
float gBaseshapeArrayPivotZ[kMaxBaseshapes];
BaseshapeNeonColors gBaseshapeNeonColor;
float gBaseshapeNeonStrength[kMaxBaseshapes];

SlotBaseshapePoint gSlotBaseshapePoints[kMaxRenderSlots];
int8_t gSlotBaseshape[kMaxRenderSlots];
uint8_t gSlotBaseshapeColorIndex[kMaxRenderSlots];
SlotSeedPosition gSlotBaseshapePosition[kMaxRenderSlots];
SlotSeedPosition gSlotSeedPoint[kMaxRenderSlots];
uint8_t gSlotSampleColor[kMaxRenderSlots][3];
uint8_t gSlotColorMode[kMaxRenderSlots];
uint8_t gSlotTexelColor[kMaxRenderSlots][3];
