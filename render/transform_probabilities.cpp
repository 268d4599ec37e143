#include "render/transform_probabilities.h"

#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/pick_table.h"
#include "render/symmetry_modes.h"

void UpdateTransformProbabilities()
{
    const int32_t transforms = gTransformCount < kMaxTransforms ? gTransformCount : kMaxTransforms;
    for (int32_t t = 0; t < transforms; ++t) gTransformWeights[t] = gTransforms[t].weight;
    const int32_t baseshapes = gBaseshapeCount < kMaxBaseshapes ? gBaseshapeCount : kMaxBaseshapes;
    for (int32_t b = 0; b < baseshapes; ++b) gBaseshapes[b].probability = 1.0f / static_cast<float>(baseshapes);
    if (gSymmetryOn.load(std::memory_order_relaxed)) SetSymmetryCopyWeights();
    BuildTransformPickTable();
}
