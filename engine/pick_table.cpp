#include "engine/pick_table.h"

#include "engine/fractal_model.h"
#include "engine/random.h"

uint8_t gTransformPickTable[256];
uint32_t gTransformTransitions[kMaxTransforms][256];
int32_t gForbiddenSuccessors[kMaxTransforms][2];
SlotPickModel gSlotPickModel[kMaxRenderSlots];

namespace {

// No transformation forbids another until an editor or a file says so.
const bool kForbiddenSuccessorsCleared = [] {
    for (auto& pair : gForbiddenSuccessors) pair[0] = pair[1] = -1;
    return true;
}();

// The count as the table may use it: at least 1 and never past the arrays,
// whatever a file or a caller left in it.
int PickCount()
{
    int n = gPickTransformCount;
    if (n < 1) n = 1;
    if (n > kMaxTransforms) n = kMaxTransforms;
    gPickTransformCount = n;
    return n;
}

}  // namespace

void BuildTransformPickTable()
{
    const int n = PickCount();
    for (int e = 0; e < 256; ++e) {
        float u = RandomUniform(gGlobalRandomA);
        int entry = 0;
        if (n > 1) {
            // Transformation 0 takes what the others leave; a weight that is
            // not a number stops the walk at its own transformation.
            for (int t = n - 1; t >= 1; --t) {
                u -= gTransformWeights[t];
                if (!(u >= 0.0f)) {
                    entry = t;
                    break;
                }
            }
        }
        gTransformPickTable[e] = static_cast<uint8_t>(entry);
    }
    ExpandTransformTransitions();
}

void ExpandTransformTransitions()
{
    const int n = PickCount();
    for (int t = 0; t < n; ++t) {
        for (int e = 0; e < 256; ++e) {
            // A table filled for a larger count is folded into range, so no
            // successor ever names a row that is not in use.
            const uint32_t v = gTransformPickTable[e];
            gTransformTransitions[t][e] = v < static_cast<uint32_t>(n) ? v : v % static_cast<uint32_t>(n);
        }
    }
    if (n < 3) return;
    for (int t = 0; t < n; ++t) {
        // Values of -1 or at or above the count never equal an entry, and with
        // three or more transformations an allowed value always exists.
        const int64_t f0 = gForbiddenSuccessors[t][0];
        const int64_t f1 = gForbiddenSuccessors[t][1];
        for (uint32_t& entry : gTransformTransitions[t]) {
            // Redrawn as long as the generator is sound; a generator stuck on
            // one word (never seeded) steps to the next allowed row instead.
            for (int tries = 0; entry == f0 || entry == f1; ++tries)
                entry = (tries < 64 ? RandomStep(gGlobalRandomA) : entry + 1) % static_cast<uint32_t>(n);
        }
    }
}
