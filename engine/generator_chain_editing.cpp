// Sections: [captions] [helpers] [chain set-up] [block defaults] [controls]
#include "engine/generator_chain_editing.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "engine/generator_groups.h"
#include "engine/quaternion.h"
#include "engine/random_helpers.h"
#include "engine/transform_record.h"
#include "engine/transform_set.h"
#include "engine/vector_math.h"

TransformEditState gTransformEdit;

// ---- [captions] -------------------------------------------------------------------

const uint8_t gGeneratorShownParamCounts[kGeneratorBlockTypes] = {
    12, 3, 9, 3, 4, 4, 4, 0, 0, 0, 3, 0, 0, 2, 0, 0, 0, 0, 10, 0, 4, 2, 8, 12, 4, 16, 0, 0,
    0,  0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,  3, 3, 0, 9, 0, 0, 0};

namespace {

const char* const kLetters[] = {" a:", " b:", " c:", " d:", " e:", " f:", " g:", " h:", " i:", " j:", " k:", " l:"};
const char* const kScale[] = {"Scale X:", "Scale Y:", "Scale Z:"};
const char* const kPosition[] = {"Pos. X:", "Pos. Y:", "Pos. Z:"};
const char* const kSphere[] = {"Radius:", "Pos. X:", "Pos. Y:", "Pos. Z:"};
const char* const kAngles[] = {"Angle X:", "Angle Y:", "Angle Z:"};
const char* const kPower[] = {"Power", "Incr."};
const char* const kZMobius[] = {"Ar", "Ai", "Br", "Bi", "Cr", "Ci", "Dr", "Di", "Z Trans", "Z Scale"};
const char* const kLoxodrome[] = {"Position", "Radius", "Y Scale", "XZ Scale"};
const char* const kAttractor[] = {"A:", "B:"};
const char* const kQMobius[] = {"Qar:", "Qai:", "Qaj:", "Qak:", "Qbr:", "Qbi:", "Qbj:", "Qbk:",
                                "Qcr:", "Qci:", "Qcj:", "Qck:", "Qdr:", "Qdi:", "Qdj:", "Qdk:"};
const char* const kRoot[] = {"C Real", "C Imag", "Angle"};
const char* const kAxes[] = {"X:", "Y:", "Z:"};
const char* const kBezier[] = {"P1 ang", "P1 rad", "P2 ang", "P2 rad", "Max Size", "Scale", "Pos. X", "Pos.Y", "Pos. Z"};

const char* const* CaptionsOf(int type)
{
    switch (type) {
    case 0: case 2: case 23: return kLetters;
    case 1: return kScale;
    case 3: return kPosition;
    case 4: case 5: case 6: case 24: return kSphere;
    case 10: return kAngles;
    case 13: return kPower;
    case 18: case 22: return kZMobius;
    case 20: return kLoxodrome;
    case 21: return kAttractor;
    case 25: return kQMobius;
    case 30: case 49: return kRoot;
    case 51: return kBezier;
    default: return type >= 31 && type <= 48 ? kAxes : nullptr;
    }
}

}  // namespace

const char* GeneratorParamCaption(int type, int i)
{
    if (type < 0 || type >= kGeneratorBlockTypes || i < 0 || i >= gGeneratorShownParamCounts[type]) return "";
    const char* const* captions = CaptionsOf(type);
    return captions ? captions[i] : "";
}

int32_t BlockParamOffset(int type)
{
    int32_t sum = 0;
    for (int k = 0; k < type && k < kGeneratorBlockTypes; ++k) sum += gGeneratorShownParamCounts[k];
    return sum;
}

float RecordFloatInFieldOrder(const TransformRecord& r, int k)
{
    if (k < 0) return 0.0f;
    if (k < 13) return r.variationAmount[k];
    if ((k -= 13) < 3) return r.position[k];
    if ((k -= 3) < 9) return r.rotation[k];
    if ((k -= 9) < 9) return r.scaleShear[k];
    return 0.0f;
}

// ---- [helpers] --------------------------------------------------------------------

namespace {

constexpr float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

bool IsTransform(int t) { return t >= 0 && t < kMaxTransforms; }

GeneratorGroup* LiveGroup(int g)
{
    if (!gGeneratorGroups || g < 0 || g >= gGeneratorGroupCount) return nullptr;
    return &gGeneratorGroups[g];
}

// The block's parameters with their count, for writes that stop at the end
// of the array whatever the rule of a type asks.
struct BlockParams {
    float* p = nullptr;
    int n = 0;
    void Set(int i, float v) const
    {
        if (i >= 0 && i < n) p[i] = v;
    }
    float Get(int i) const { return i >= 0 && i < n ? p[i] : 0.0f; }
};

BlockParams ParamsOf(int g, int b)
{
    GeneratorGroup* group = LiveGroup(g);
    if (!group || b < 0 || b >= group->blockCount) return {};
    return {group->parameters[b], gGeneratorParameterCounts[group->blockTypes[b]]};
}

// The function follows the type stored with the block, not the one asked
// for: the kernel never runs a block on an array sized for another type.
void InstallFunction(int g, int b)
{
    GeneratorGroup* group = LiveGroup(g);
    if (!group || b < 0 || b >= group->blockCount) return;
    group->functions[b] = GetGeneratorFunction(group->blockTypes[b]);
}

struct Map {
    float m[9];
    float t[3];
};

// Transformation t's published map.
Map PublishedMap(int t)
{
    const TransformCoefficients& k = gTransformCoefficients;
    if (!IsTransform(t)) return Map{{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}};
    return Map{{k.m00[t], k.m01[t], k.m02[t], k.m10[t], k.m11[t], k.m12[t], k.m20[t], k.m21[t], k.m22[t]},
               {k.tx[t], k.ty[t], k.tz[t]}};
}

// The 30 parameters of an affine block from a transformation's map and record.
void FillAffine(const BlockParams& p, int t)
{
    if (!IsTransform(t)) return;
    const Map map = PublishedMap(t);
    const TransformRecord& r = gTransforms[t];
    for (int i = 0; i < 9; ++i) {
        p.Set(i, map.m[i]);
        p.Set(12 + i, r.rotation[i]);
        p.Set(21 + i, r.scaleShear[i]);
    }
    for (int i = 0; i < 3; ++i) p.Set(9 + i, map.t[i]);
}

void DeriveInversionRadius(const BlockParams& p)
{
    const float a = p.Get(1), b = p.Get(2), c = p.Get(3);
    const float r = std::sqrt(a * a + b * b + c * c + 1e-8f);
    p.Set(4, r);
    p.Set(5, 1.0f / r);
}

// One uniform minus a second, drawn in that order.
float Difference()
{
    const float u = GlobalRandomFloatB();
    return u - GlobalRandomFloatB();
}

float RadiusDraw()
{
    if (!GlobalRandomBoolB()) return 0.1f + 1.9f * GlobalRandomFloatB();
    if (GlobalRandomBoolB()) return 0.1f + 0.35f * GlobalRandomFloatB();
    return -0.1f - 0.35f * GlobalRandomFloatB();
}

void SetThree(const BlockParams& p, int at, float a, float b, float c)
{
    p.Set(at, a);
    p.Set(at + 1, b);
    p.Set(at + 2, c);
}

// The three record floats a chain set-up reads for block b.
void SetRecordFloatsA(const BlockParams& p, int t, int b)
{
    if (!IsTransform(t)) return;
    for (int i = 0; i < 3; ++i) p.Set(i, RecordFloatInFieldOrder(gTransforms[t], 4 * b + 1 + i));
}

float Amount(int t, int k) { return IsTransform(t) ? gTransforms[t].variationAmount[k] : 0.0f; }

void SetEulerRotation(const BlockParams& p)
{
    float m[9];
    RotationMatrixFromEuler(p.Get(0), p.Get(1), p.Get(2), m);
    for (int i = 0; i < 9; ++i) p.Set(3 + i, m[i]);
}

// Quaternion (x, 0, z, 0) turned by (0, 0, 0, -1) into block entry k.
void SetTurnedQuaternion(const BlockParams& p, int k, float x, float z)
{
    static const float kMinusK[4] = {0, 0, 0, -1};
    const float q[4] = {x, 0, z, 0};
    float out[4];
    MultiplyQuaternions(out, kMinusK, q);
    for (int i = 0; i < 4; ++i) p.Set(4 * k + i, out[i]);
}

}  // namespace

float* GeneratorBlockParameters(int g, int b, int n)
{
    const BlockParams p = ParamsOf(g, b);
    return p.n >= n && p.n > 0 ? p.p : nullptr;
}

// ---- [chain set-up] ---------------------------------------------------------------

void InitGeneratorBlock(int type, int g, int b)
{
    gTransformEdit.selectedBlock = 0;
    InstallFunction(g, b);
    const BlockParams p = ParamsOf(g, b);
    if (!p.p) return;
    const int row = gFractalGeneratorRow;
    const Map T = PublishedMap(g);
    const Map T0 = PublishedMap(0);
    switch (type) {
    case 0:
    case 23: FillAffine(p, g); break;
    case 1: {
        const float s = row == 16 ? Amount(0, 0) : Difference();
        SetThree(p, 0, s, s, s);
        if (row == 20) SetThree(p, 0, 1, Amount(0, 1), 1);
        if (row == 21) SetRecordFloatsA(p, g, b);
        if (row == 22) {
            if (g < 2) {
                SetThree(p, 0, 1, Amount(0, 2), 1);
            } else {
                SetThree(p, 0, Amount(g, 0), Amount(g, 0), Amount(g, 0));
            }
        }
        break;
    }
    case 2:
        if (row == 17 || row == 18 || row == 22) {
            for (int i = 0; i < 9; ++i) p.Set(i, T.m[i]);
        } else if (IsTransform(g)) {
            std::memcpy(gTransforms[g].scaleShear, kIdentity, sizeof kIdentity);
            for (int i = 0; i < 9; ++i) p.Set(i, gTransforms[g].rotation[i]);
        }
        break;
    case 3:
        if (row == 16) {
            SetThree(p, 0, 0, Amount(0, 1), 0);
        } else {
            const float x = Difference(), y = Difference(), z = Difference();
            SetThree(p, 0, x, y, z);
        }
        if (row == 21) SetRecordFloatsA(p, g, b);
        break;
    case 4:
        ResetRotationAndScale(g);
        p.Set(0, T.m[0]);
        SetThree(p, 1, T.t[0], T.t[1], T.t[2]);
        if (row == 10) {
            p.Set(0, Amount(0, 1));
            SetThree(p, 1, 0, g == 4 ? -Amount(0, 0) : Amount(0, 0), 0);
        }
        if (row == 9 || row == 23) {
            p.Set(0, Amount(g, 0));
            SetThree(p, 1, 0, 0, 0);
        }
        break;
    case 5:
    case 6: {
        ResetRotationAndScale(g);
        if (type == 6 && (row == 17 || row == 18)) {
            const float u = GlobalRandomFloatB();
            p.Set(0, row == 17 ? 1.25f + 0.25f * u * u : 1.25f + 0.75f * u);
            SetThree(p, 1, T.t[0], T.t[1], T.t[2]);
        } else {
            p.Set(0, RadiusDraw());
            if (b == 0) {
                SetThree(p, 1, T.t[0], T.t[1], T.t[2]);
            } else {
                const float x = Difference(), y = Difference(), z = Difference();
                SetThree(p, 1, x, y, z);
            }
            if (type == 6 && row == 23) {
                p.Set(0, 1.0f);
                if (GlobalRandomBoolB()) {
                    p.Set(1, 0.0f);
                    p.Set(2, 1.0f);
                } else {
                    const float a = GlobalRandomFloatB() * 3.14159265f;
                    p.Set(1, std::sin(a));
                    p.Set(2, std::cos(a));
                }
                p.Set(3, 0.0f);
            }
        }
        if (type == 6) DeriveInversionRadius(p);
        break;
    }
    case 10:
        for (int i = 0; i < 3; ++i) p.Set(i, 360.0f / static_cast<float>((GlobalRandomU32B() & 15u) + 1u));
        if (row == 21) SetRecordFloatsA(p, g, b);
        SetEulerRotation(p);
        break;
    case 11:
    case 12: p.Set(0, 2.0f * Difference()); break;
    case 13: {
        const float u = GlobalRandomFloatB();
        p.Set(0, u);
        p.Set(1, GlobalRandomFloatB());
        break;
    }
    case 18: {
        for (int i = 0; i < 8; ++i) p.Set(i, T.m[i]);
        p.Set(8, g == 0 ? 0.0f : 1.0f);
        const float u = GlobalRandomFloatB();
        const float v = 0.5f + 0.45f * (1.0f - u * u * u * u);
        p.Set(9, GlobalRandomBoolB() ? -v : v);
        break;
    }
    case 20:
        for (int i = 0; i < 4; ++i) p.Set(i, T.m[i]);
        break;
    case 22: {
        const int order[8] = {0, 1, 2, 5, 4, 3, 6, 7};
        for (int i = 0; i < 8; ++i) p.Set(i, T.m[order[i]]);
        break;
    }
    case 24:
        ResetRotationAndScale(g);
        p.Set(0, row == 0 ? 1.0f + GlobalRandomFloatB() : (T.m[0] != 0.0f ? 1.0f / T.m[0] : 1.0f));
        SetThree(p, 1, T.t[0], T.t[1], T.t[2]);
        if (row == 19) {
            p.Set(0, 1.0f);
            SetThree(p, 1, 0, g == 2 ? 1.0f : -1.0f, 0);
        }
        break;
    case 25: {
        const float* m = (row == 23 ? T0 : T).m;
        if (row == 23) {
            const float s = g == 0 ? 1.0f : -1.0f;
            SetTurnedQuaternion(p, 0, m[0], m[1]);
            SetTurnedQuaternion(p, 1, m[2], m[5]);
            SetTurnedQuaternion(p, 2, s * m[4], s * m[3]);
            SetTurnedQuaternion(p, 3, s * m[6], s * m[7]);
        } else {
            const float x = row == 19 ? m[3] : m[5], y = row == 19 ? m[5] : m[3];
            SetTurnedQuaternion(p, 0, m[0], m[1]);
            SetTurnedQuaternion(p, 1, m[2], x);
            SetTurnedQuaternion(p, 2, m[4], y);
            SetTurnedQuaternion(p, 3, m[6], m[7]);
        }
        break;
    }
    case 30:
    case 49:
        if (row == 20) SetThree(p, 0, Amount(0, 0), 0, g == 0 ? 0.0f : 180.0f);
        if (row == 22) SetThree(p, 0, Amount(0, 0), Amount(0, 1), g == 0 ? 0.0f : 180.0f);
        break;
    default:
        if (type >= 31 && type <= 48) {
            const float v = 0.1f + 0.9f * GlobalRandomFloatB();
            const float s = GlobalRandomU32B() <= 0x80000000u ? -v : v;
            SetThree(p, 0, s, s, s);
        }
        break;
    }
}

// ---- [block defaults] -------------------------------------------------------------

namespace {

// The selected transformation back to its default, keeping its weight.
void ResetSelectedKeepingWeight()
{
    const int t = gTransformEdit.selected;
    if (!IsTransform(t)) return;
    const float weight = gTransforms[t].weight;
    ResetTransformation(gTransformEdit.baseRotation, t);
    gTransforms[t].weight = weight;
}

}  // namespace

void EditGeneratorParameters(int type, int g, int b)
{
    InstallFunction(g, b);
    const BlockParams p = ParamsOf(g, b);
    const int t = gTransformEdit.selected;
    if (p.p) {
        for (int i = 0; i < p.n; ++i) p.p[i] = 0.0f;
        if (type >= 31 && type <= 48) SetThree(p, 0, 0.1f, 0.1f, 0.1f);
        const auto values = [&p](std::initializer_list<float> v) {
            int i = 0;
            for (float x : v) p.Set(i++, x);
        };
        switch (type) {
        case 0:
        case 23:
            if (!IsTransform(t)) break;
            ResetSelectedKeepingWeight();
            ComposeTransformation(t);
            FillAffine(p, t);
            break;
        case 1: values({1, 1, 1}); break;
        case 2:
            if (!IsTransform(t)) break;
            ResetSelectedKeepingWeight();
            for (int i = 0; i < 9; ++i) p.Set(i, gTransforms[t].rotation[i]);
            ComposeTransformation(t);
            break;
        case 4:
        case 5:
            ResetRotationAndScale(g);
            values({1, 0, 0, 0});
            break;
        case 24: values({1, 0, 0, 0}); break;
        case 6: values({1, 0, 1, 0, 1, 1}); break;
        case 10: values({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}); break;
        case 11:
        case 12: values({1}); break;
        case 13: values({0.85f, 0.1475f}); break;
        case 18: values({1, 0, 0, 0, 1, 0, 0, 0, 0, 0.5f}); break;
        case 20: values({0, 1, 0.25f, 1.333f}); break;
        case 21: values({-0.11558f, 0.20466f}); break;
        case 22: values({1, 0, 0, 0, 1, 0, 0, 0}); break;
        case 25: values({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}); break;
        case 51: values({0, 2, 30, 1, 2, 1}); break;
        default: break;
        }
    }
    if (IsTransform(t)) {
        ResetTransformation(gTransformEdit.baseRotation, t);
        ComposeTransformation(t);
    }
}

void SetGeneratorBlockType(int type, int g, int b)
{
    gTransformEdit.selectedBlock = 0;
    InstallFunction(g, b);
    const BlockParams p = ParamsOf(g, b);
    if (!p.p) return;
    const Map T = PublishedMap(g);
    switch (type) {
    case 0:
    case 23: FillAffine(p, g); break;
    case 4:
    case 5:
    case 24:
        p.Set(0, T.m[0]);
        SetThree(p, 1, T.t[0], T.t[1], T.t[2]);
        break;
    case 6:
        p.Set(0, T.m[0]);
        SetThree(p, 1, T.t[0], T.t[1], -T.t[2]);
        DeriveInversionRadius(p);
        break;
    case 13:
        p.Set(0, 0.85f);
        p.Set(1, 0.1475f);
        break;
    case 21:
        p.Set(0, T.t[0]);
        p.Set(1, T.t[2]);
        break;
    case 22: {
        if (!IsTransform(g)) break;
        const MobiusCoefficients& m = gMobiusCoefficients;
        const float s = g >= 2 ? -1.0f : 1.0f;
        const Complex v[4] = {m.a[g], m.b[g], m.c[g], m.d[g]};
        const float sign[4] = {s, 1.0f, s, 1.0f};
        for (int k = 0; k < 4; ++k) {
            p.Set(2 * k, sign[k] * v[k].re);
            p.Set(2 * k + 1, sign[k] * v[k].im);
        }
        break;
    }
    default: break;
    }
}

// ---- [controls] -------------------------------------------------------------------

namespace {

struct SelectedBlock {
    int t = -1;
    int type = -1;
    BlockParams p;
};

SelectedBlock CurrentBlock()
{
    SelectedBlock s;
    s.t = gTransformEdit.selected;
    GeneratorGroup* group = LiveGroup(s.t);
    const int b = gTransformEdit.selectedBlock;
    if (!IsTransform(s.t) || !group || b < 0 || b >= group->blockCount) return s;
    s.type = group->blockTypes[b];
    s.p = ParamsOf(s.t, b);
    return s;
}

void SetScaleDiagonal(TransformRecord& r, float x, float y, float z)
{
    r.scaleShear[0] = x;
    r.scaleShear[4] = y;
    r.scaleShear[8] = z;
}

}  // namespace

void SelectGeneratorBlock()
{
    const SelectedBlock s = CurrentBlock();
    const int t = gTransformEdit.selected;
    if (!IsTransform(t)) return;
    ResetTransformation(gTransformEdit.baseRotation, t);
    gTransformEdit.blockParamOffset = s.type >= 0 ? BlockParamOffset(s.type) : 0;
    if (s.type >= 0 && s.p.p) {
        TransformRecord& r = gTransforms[t];
        const BlockParams& p = s.p;
        if (s.type >= 30 && s.type <= 48) SetScaleDiagonal(r, p.Get(0), p.Get(1), p.Get(2));
        switch (s.type) {
        case 0:
        case 23:
            for (int i = 0; i < 9; ++i) {
                r.rotation[i] = p.Get(12 + i);
                r.scaleShear[i] = p.Get(21 + i);
            }
            for (int i = 0; i < 3; ++i) r.position[i] = p.Get(9 + i);
            break;
        case 1: SetScaleDiagonal(r, p.Get(0), p.Get(1), p.Get(2)); break;
        case 2:
            for (int i = 0; i < 9; ++i) r.rotation[i] = p.Get(i);
            break;
        case 3:
            for (int i = 0; i < 3; ++i) r.position[i] = p.Get(i);
            break;
        case 4:
        case 5:
        case 6:
        case 24:
            SetScaleDiagonal(r, p.Get(0), p.Get(0), p.Get(0));
            for (int i = 0; i < 3; ++i) r.position[i] = p.Get(1 + i);
            if (s.type == 6) DeriveInversionRadius(p);
            break;
        case 10:
            SetEulerRotation(p);
            for (int i = 0; i < 9; ++i) r.rotation[i] = p.Get(3 + i);
            break;
        case 21:
            r.position[0] = p.Get(0);
            r.position[2] = p.Get(1);
            break;
        case 51:
            for (int i = 0; i < 3; ++i) r.position[i] = p.Get(6 + i);
            break;
        default: break;
        }
    }
    ComposeTransformation(t);
}

void ApplyBlockWidgets()
{
    const SelectedBlock s = CurrentBlock();
    if (s.type < 0 || !s.p.p) return;
    TransformRecord& r = gTransforms[s.t];
    const BlockParams& p = s.p;
    if (s.type >= 30 && s.type <= 48) SetThree(p, 0, r.scaleShear[0], r.scaleShear[4], r.scaleShear[8]);
    switch (s.type) {
    case 0:
    case 23: {
        for (int i = 0; i < 9; ++i) {
            p.Set(12 + i, r.rotation[i]);
            p.Set(21 + i, r.scaleShear[i]);
        }
        ComposeTransformation(s.t);
        const Map map = PublishedMap(s.t);
        for (int i = 0; i < 9; ++i) p.Set(i, map.m[i]);
        for (int i = 0; i < 3; ++i) p.Set(9 + i, map.t[i]);
        break;
    }
    case 1: SetThree(p, 0, r.scaleShear[0], r.scaleShear[4], r.scaleShear[8]); break;
    case 2:
        for (int i = 0; i < 9; ++i) p.Set(i, r.rotation[i]);
        break;
    case 3: SetThree(p, 0, r.position[0], r.position[1], r.position[2]); break;
    case 4:
    case 5:
    case 6:
    case 24:
        // The radius is one scale: the window becomes uniform.
        p.Set(0, r.scaleShear[0]);
        r.scaleShear[4] = r.scaleShear[8] = r.scaleShear[0];
        SetThree(p, 1, r.position[0], r.position[1], r.position[2]);
        if (s.type == 6) DeriveInversionRadius(p);
        ComposeTransformation(s.t);
        break;
    case 10:
        SetEulerRotation(p);
        for (int i = 0; i < 9; ++i) r.rotation[i] = p.Get(3 + i);
        ComposeTransformation(s.t);
        break;
    case 21:
        p.Set(0, r.position[0]);
        p.Set(1, r.position[2]);
        break;
    case 51: SetThree(p, 6, r.position[0], r.position[1], r.position[2]); break;
    default: break;
    }
}
