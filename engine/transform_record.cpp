#include "engine/transform_record.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "engine/pick_table.h"

namespace {

constexpr float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

bool IsTransformIndex(int i) { return i >= 0 && i < kMaxTransforms; }

int PickCountInUse()
{
    const int n = gPickTransformCount;
    return n < 1 ? 1 : (n > kMaxTransforms ? kMaxTransforms : n);
}

void SetAllWeights(int n, float w, bool records)
{
    for (int t = 0; t < n; ++t) {
        if (records) gTransforms[t].weight = w;
        gTransformWeights[t] = w;
    }
}

float WeightSum(int n)
{
    float sum = 0.0f;
    for (int t = 0; t < n; ++t) sum += gTransforms[t].weight;
    return sum;
}

// Published weights (and the records' when records is set) become record
// weight / sum, or 1 / count when the sum cannot divide; then the table.
void DivideWeightsBySum(bool records)
{
    const int n = TransformCountInUse();
    const float sum = WeightSum(n);
    if (sum == 0.0f || !std::isfinite(sum)) {
        SetAllWeights(n, 1.0f / static_cast<float>(n), records);
    } else {
        for (int t = 0; t < n; ++t) {
            const float w = gTransforms[t].weight / sum;
            if (records) gTransforms[t].weight = w;
            gTransformWeights[t] = w;
        }
    }
    BuildTransformPickTable();
}

}  // namespace

int TransformCountInUse()
{
    const int n = gTransformCount;
    return n < 1 ? 1 : (n > kMaxTransforms ? kMaxTransforms : n);
}

void ResetTransformation(const float* baseRotation, int i)
{
    if (!IsTransformIndex(i)) return;
    TransformRecord& t = gTransforms[i];
    std::memcpy(t.rotation, baseRotation, sizeof t.rotation);
    std::memset(t.scaleShear, 0, sizeof t.scaleShear);
    t.scaleShear[0] = t.scaleShear[4] = t.scaleShear[8] = 0.5f;
    if (gFractalType == 37) {
        t.scaleShear[0] = 2.0f;
        gTransformCoefficients.m00[i] = 2.0f;
    }
    t.position[0] = t.position[1] = t.position[2] = 0.0f;
    t.weight = 1.0f / static_cast<float>(PickCountInUse());
    std::memcpy(t.matrix, kIdentity, sizeof t.matrix);
    t.variationCount = 1;
    std::memset(t.variationOn, 0, sizeof t.variationOn);
    std::memset(t.variationAmount, 0, sizeof t.variationAmount);
    t.variationOn[0] = 1;
    t.variationAmount[0] = 1.0f;
    std::memset(t.glMatrix, 0, sizeof t.glMatrix);
    t.glMatrix[0] = t.glMatrix[5] = t.glMatrix[10] = t.glMatrix[15] = 1.0f;
}

void CopyTransformation(int from, int to)
{
    if (!IsTransformIndex(from) || !IsTransformIndex(to) || from == to) return;
    const TransformRecord& a = gTransforms[from];
    TransformRecord& b = gTransforms[to];
    std::memcpy(b.rotation, a.rotation, sizeof b.rotation);
    std::memcpy(b.scaleShear, a.scaleShear, sizeof b.scaleShear);
    std::memcpy(b.position, a.position, sizeof b.position);
    b.weight = a.weight;
    std::memcpy(b.variationOn, a.variationOn, 10);
    std::memcpy(b.variationAmount, a.variationAmount, 10 * sizeof(float));
    std::memcpy(b.matrix, a.matrix, sizeof b.matrix);
    std::memcpy(b.glMatrix, a.glMatrix, sizeof b.glMatrix);

    TransformCoefficients& k = gTransformCoefficients;
    for (float* m : {k.m00, k.m01, k.m02, k.m10, k.m11, k.m12, k.m20, k.m21, k.m22, k.tx, k.ty, k.tz})
        m[to] = m[from];
    gTransformWeights[to] = gTransformWeights[from];
    gTransformColors.r[to] = gTransformColors.r[from];
    gTransformColors.g[to] = gTransformColors.g[from];
    gTransformColors.b[to] = gTransformColors.b[from];
}

void ResetRotationAndScale(int i)
{
    if (!IsTransformIndex(i)) return;
    TransformRecord& t = gTransforms[i];
    std::memcpy(t.rotation, kIdentity, sizeof t.rotation);
    for (int e = 0; e < 9; ++e) t.scaleShear[e] = 0.25f * kIdentity[e];
}

void UpdateTransformationPairs(int index, bool insert, int selected)
{
    auto& pairs = gForbiddenSuccessors;
    const int n = gTransformCount;
    const int s = selected;
    if (insert) {
        if (n < 1 || n > kMaxTransforms) return;
        if (s != n - 1 && index >= 0 && index < n) {
            // Entry index - 1 is copied as well; the copy is cleared below
            // when the new transformation is the selected one.
            for (int k = n - 2; k >= index - 1 && k >= 0; --k) {
                pairs[k + 1][0] = pairs[k][0];
                pairs[k + 1][1] = pairs[k][1];
            }
            for (int k = 0; k < n; ++k)
                for (int32_t& v : pairs[k])
                    if (v >= index) ++v;
        }
        if (IsTransformIndex(s)) pairs[s][0] = pairs[s][1] = -1;
        return;
    }
    // After a delete the count is below 65 and the deleted index at most the
    // new count (the old last one).
    const int d = index;
    if (n < 0 || n >= kMaxTransforms || d < 0 || d > n) return;
    for (int k = d; k < n; ++k) {
        pairs[k][0] = pairs[k + 1][0];
        pairs[k][1] = pairs[k + 1][1];
    }
    pairs[n][0] = pairs[n][1] = -1;
    // What named the deleted transformation names none now.
    for (int k = 0; k < n; ++k) {
        for (int32_t& v : pairs[k]) {
            if (v == d) {
                v = -1;
            } else if (v > d) {
                --v;
            }
        }
    }
}

void SnapshotTransformations(TransformUndo& undo, int selected)
{
    std::memcpy(undo.records, gTransforms, sizeof undo.records);
    undo.selected = selected;
    undo.transformCount = gTransformCount;
}

int RestoreTransformations(const TransformUndo& undo)
{
    std::memcpy(gTransforms, undo.records, sizeof gTransforms);
    gTransformCount = undo.transformCount;
    const int n = TransformCountInUse();
    gTransformCount = gPickTransformCount = n;
    for (int t = 0; t < n; ++t) ComposeTransformation(t);
    RefreshMobiusMaps();
    BuildTransformPickTable();
    return undo.selected < 0 ? 0 : (undo.selected >= n ? n - 1 : undo.selected);
}

void NormalizeTransformWeights() { DivideWeightsBySum(true); }

void EqualizeTransformWeights()
{
    const int n = TransformCountInUse();
    SetAllWeights(n, 1.0f / static_cast<float>(n), true);
    BuildTransformPickTable();
}

void PublishNormalizedWeights() { DivideWeightsBySum(false); }

void SetDefaultTransformationCount()
{
    int count = 0;
    switch (gFractalType) {
    case 1: case 3: case 10: case 19: case 20:
        count = 4;
        break;
    case 5: case 6: case 8: case 9: case 13: case 14: case 16: case 17:
    case 25: case 26: case 30: case 31: case 39: case 41:
        count = 2;
        break;
    case 38:
        count = 3;
        break;
    case 45:
        count = PickCountInUse();
        break;
    default:
        break;
    }
    if (count > 0) {
        gPickTransformCount = count;
        SetAllWeights(count, 1.0f / static_cast<float>(count), true);
    }
    BuildTransformPickTable();
}
