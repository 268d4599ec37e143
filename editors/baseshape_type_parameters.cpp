// The parameter rows of each baseshape kind and its random draws.
//
// Sections: [captions and steps] [ranges] [random draws]
#include "editors/baseshape_type_parameters.h"

#include <cmath>

#include "engine/random_helpers.h"

// ---- [captions and steps] ---------------------------------------------------------

namespace {

constexpr float kPi = 3.14159265f;

// Rows shared by several kinds.
#define TRADIUS {"TRadius", 0.025f}
#define M_ROWS {{"M0", 1}, {"M1", 1}, {"M2", 1}}, {{"M3", 1}, {"M4", 1}, {"M5", 1}, {"M6", 1}, {"M7", 1}}
#define SPLINE_ROWS                                                                                  \
    {{"P1.X", 0.1f}, {"P1.Y", 0.1f}, {"P2.X", 0.1f}},                                               \
        {{"P2.Y", 0.1f}, {"P3.X", 0.1f}, {"P3.Y", 0.1f}, {"P4.X", 0.1f}, {"P4.Y", 0.1f}}
#define LOXODROME_ROWS {{"Turns", 0.05f}, {"Height", 0.5f}, {"Width", 0.05f}}
#define CONE_ROWS {{"Height", 0.1f}, {"T. Rad.", 0.05f}, {"B. Rad.", 0.05f}}
#define SHELL_ROWS {{"Turns", 0.1f}, {"I. Rad.", 0.1f}, {"Height", 0.1f}}, {{"Angle", 0.1f}}
#define HELIX_ROWS {TRADIUS, {"IRad.", 0.05f}, {"Turns", 0.1f}}, {{"Length", 0.1f}}
#define SHELL2_ROWS                                                                                   \
    {{"Turns", 0.25f}, {"TRadius", 0.05f}, {"Height", 0.05f}},                                     \
        {{"Ratio", 0.025f}, {"M0", 1}, {"M1", 1}, {"M2", 1}, {"M3", 1}}, {{"M4", 1}, {"M5", 1}, {"M6", 1}, {"M7", 1}}

}  // namespace

const ShapeTypeParameters kShapeTypeParameters[] = {
    {{2, 5, 181}, {TRADIUS}},
    {{3}, {TRADIUS, {"P", 1}, {"Q", 1}}},
    {{4, 187}, {{"Height", 0.02f}}},
    {{6}, {{"CRadius", 0.025f}, TRADIUS}},
    {{7}, {TRADIUS, {"Turns", 0.025f}}},
    {{8, 10}, {{"Width", 0.05f}}},
    {{9}, {{"CRadius", 0.05f}}},
    {{12, 31, 32}, LOXODROME_ROWS},
    {{17},
     {{"T1-D", 1}, {"T1-P1", 10}, {"T1-P2", 10}},
     {{"T1-P3", 0.001f}, {"T2-D", 1}, {"T2-P1", 10}, {"T2-P2", 10}, {"T2-P3", 0.001f}}},
    {{18, 20}, {{"TRadius", 0.1f}}},
    {{24, 34, 35}, M_ROWS},
    {{33}, {{"Height", 0.1f}}},
    {{36, 65}, {{"R1", 0.025f}, {"R2", 0.025f}, {"R3", 0.025f}}},
    {{38}, {TRADIUS, {"P", 1}, {"Q", 1}}, {{"CRadius", 0.025f}, {"SLength", 1}}},
    {{39}, {{"CRadius", 0.1f}, TRADIUS, {"Turns", 1}}, {{"ZDisp.", 0.025f}}},
    {{41, 42}, {{"TSurf.", 0.1f}}},
    {{43}, SPLINE_ROWS},
    {{44}, {{"Freq.", 0.055556f}, {"Ampl.", 0.1f}}},
    {{45, 59}, SPLINE_ROWS, {{"Petals", 1}, {"Distance", 0.1f}, {"Size", 0.1f}}},
    {{46}, {{"NTeeth", 1}, {"Height", 0.1f}, {"TSurf.", 0.1f}}, {{"SLength", 0.05f}}},
    {{48}, {{"Sides", 1}, {"Height", 0.1f}, {"PHeight", 0.1f}}},
    {{49, 50, 54, 90}, {{"Disp.", 0.1f}}},
    {{51, 73}, {{"Disp.", 0.1f}, {"Height", 0.1f}, {"IRad.", 0.1f}}},
    {{52, 55}, {{"Disp.", 0.1f}, {"IRad.", 0.1f}, {"Height", 0.1f}}},
    {{53}, {{"Disp.", 0.1f}, {"IRad.", 0.1f}, {"DLength", 0.1f}}},
    {{56}, {{"Turns", 1}, {"Height", 0.1f}}},
    {{61, 66},
     {{"C1-P1", 0.1f}, {"C1-P2", 0.1f}, {"C1-P3", 0.1f}},
     {{"C2-P1", 0.1f}, {"C2-P2", 0.1f}, {"C2-P3", 0.1f}}},
    {{62}, {{"Lat.", 0.055556f}, {"Long.", 0.027778f}}},
    {{63}, M_ROWS, {{"", 0.01f}}},
    {{64}, {{"Sp. I", 0.25f}, {"Sp. II", 0.25f}, {"Height", 0.1f}}, {{"Turns", 0.1f}}},
    {{67, 68, 105}, {{"RBox", 0.05f}}},
    {{69}, {{"P1.X", 0.1f}, {"P2.X", 0.1f}, {"P3.X", 0.1f}}, {{"P1.Y", 0.1f}, {"P2.Y", 0.1f}}},
    {{70}, {{"Sides", 1}, {"P1.X", 0.1f}, {"P2.X", 0.1f}}, {{"P3.X", 0.1f}, {"P2.Y", 0.1f}, {"P3.Y", 0.1f}}},
    {{71, 143}, {TRADIUS, {"Extrd.", 0.1f}, {"NTeeth", 1}}},
    {{72, 144, 189}, HELIX_ROWS},
    {{74, 78}, SHELL2_ROWS},
    {{75}, {{"Height", 0.05f}, {"Width", 0.05f}}},
    {{76}, {{"Steps", 1}}},
    {{77}, {TRADIUS, {"Disp.", 0.1f}}},
    {{79}, {{"TRadius", 0.05f}, {"Length", 0.05f}}},
    {{81}, {{"P1.X", 0.1f}, {"P2.X", 0.1f}, {"P3.X", 0.1f}}, {{"P1.Y", 0.1f}, {"P2.Y", 0.1f}, {"Sides", 1}}},
    {{82}, {TRADIUS, {"Sides", 1}, {"T-Sides", 1}}, {{"T_Rot", 0.05f}}},
    {{83}, {{"Phase", 0.1f}, {"Turns", 1}, {"Radius", 0.05f}}},
    {{84}, {{"Disp.", 0.1f}, {"IRad.", 0.1f}, {"Sides", 1}}, {{"Height", 0.1f}}},
    {{85}, {{"Lat.", 0.055556f}, {"Long.", 0.027778f}, {"Disp.", 0.1f}}, {{"Repeats", 1}}},
    {{86}, {{"Disp.", 0.1f}, {"IRad.", 0.1f}, {"Sides", 1}}, {{"Height", 0.1f}, {"Length", 0.027778f}}},
    {{87}, {{"Disp.", 0.1f}, {"Length", 0.1f}, {"Sides", 1}}, {{"Height", 0.1f}}},
    {{88}, {{"Freq.", 0.055556f}, {"Ampl.", 0.1f}, {"Sides", 1}}},
    {{89, 92}, {{"Sides", 1}, {"Power", 1}, {"Length", 0.1f}}, {{"Fn", 1}}},
    {{91}, {{"Freq.", 0.111111f}, {"Ampl.", 0.1f}, {"Shape", 0.1f}}, {{"Scale", 0.1f}}},
    {{93}, {{"P1", 0.1f}, {"P2", 0.1f}, {"B. Rad.", 0.1f}}, {{"Rot.1", 0.25f}, {"Rot.2", 0.25f}}},
    {{94, 104}, {{"Disp.", 0.1f}}},
    {{95, 106}, {TRADIUS, {"B. Rad.", 0.1f}}},
    {{96}, M_ROWS, {{"", 0.05f}}},
    {{97, 108, 188}, CONE_ROWS},
    {{98},
     {{"P1.X", 0.1f}, {"P1.Y", 0.1f}, {"P1.Z", 0.1f}},
     {{"P2.X", 0.1f}, {"P2.Y", 0.1f}, {"P2.Z", 0.1f}, {"CRadius", 0.1f}, {"Sides", 1}}},
    {{99}, {{"Twist", 0.25f}, {"B. Rad.", 0.1f}, {"Sides", 1}}, {{"Height", 0.1f}}},
    {{100}, {TRADIUS, {"TRatio", 0.1f}, {"IRad.", 0.025f}}},
    {{101}, {{"a (*10)", 0.1f}, {"d", 0.1f}, {"u", 0.1f}}, {{"v", 1}}},
    {{102}, {{"R1", 0.025f}, {"R2", 0.025f}, {"R3", 0.025f}}, {{"Sides", 1}}},
    {{103}, {TRADIUS, {"Sides", 1}, {"RayStps", 1}}, {{"TRatio", 0.1f}}},
    {{107}, {{"Long.", 0.027778f}, {"Lat.", 0.055556f}, {"C. Depth", 0.1f}}},
    {{109}, {{"Width", 0.025f}, {"Freq.", 1}, {"Ampl.", 0.05f}}},
    {{110}, CONE_ROWS, {{"", 1}, {"", 0.1f}}},
    {{111}, {{"Turns", 0.1f}, {"Surface", 0.05f}, {"Height", 0.01f}}},
    {{112}, {{"Ampl.", 0.05f}, {"Width", 0.05f}, {"Height", 0.05f}}},
    {{113}, {{"Petals", 1}, {"Length", 0.025f}}},
    {{114}, {{"Petals", 1}, {"Length", 0.025f}, {"I. Rad.", 0.025f}}},
    {{118}, {{"C. Rad.", 0.1f}, {"Petals", 1}, {"Length", 0.1f}}, {{"Width", 0}}},
    {{120, 185, 186}, SHELL_ROWS},
    {{121, 122}, {{"Length", 0.1f}}},
    {{123}, {{"Length", 0.1f}, {"Sides", 1}}},
    {{124}, {{"Length", 0.1f}, {"I. Rad.", 0.1f}}},
    {{125, 126, 127}, {{"I. Rad.", 0.025f}, {"T. Rad.", 0.025f}}},
    {{128}, {{"T. Rad.", 0.025f}, {"P", 1}, {"Q", 1}}},
    {{129}, {{"Turns", 1}}},
    {{130, 131, 132}, {{"Extr.", 0.025f}, {"Lat.", 1}, {"Long.", 1}}},
    {{134}, {{"Cr", 0.05f}, {"Ci", 0.05f}, {"Disp.", 0.05f}}},
    {{135, 138}, {{"A", 0.1f}, {"B", 0.1f}, {"C", 0.1f}}},
    {{136, 137}, {{"A", 0.1f}, {"B", 0.1f}, {"C", 0.05f}}},
    {{139}, {{"Sides", 1}, {"A", 0.025f}, {"B", 0.025f}}, {{"C", 0.025f}, {"D", 0.025f}, {"Rot.", 0.25f}}},
    {{140}, {{"A", 0.027778f}, {"B", 0.1f}, {"C", 0.1f}}},
    {{141, 142}, {{"A", 0.1f}, {"B", 0.05f}, {"C", 0.025f}}, {{"D", 0}}},
    {{145}, {{"Freq.", 1}}},
    {{146}, {{"Freq.", 0.111111f}, {"Ampl.", 0.1f}, {"Shape", 0.1f}}, {{"", 0.1f}}},
    {{147, 148}, {{"A", 0.1f}}},
    {{149}, {{"Height", 0.1f}, {"Width", 0.1f}, {"Freq.", 0.05f}}},
    {{150}, {{"Variation", 0.1f}}},
    {{151}, {{"Sides", 1}}},
    {{152, 153}, {{"Frecuency", 0.25f}, {"Amplitude", 0.1f}, {"Thickness", 0.1f}}},
    {{154}, {{"Frecuency", 0.05f}, {"Amplitude", 0.1f}}},
    {{155}, {{"Frecuency", 0.025f}}},
    {{158}, {{"Amount", 1}}},
    {{159, 194}, {{"Width", 0.025f}, {"Height", 0.05f}}},
    {{160}, {{"Blades", 1}, {"Width", 0.1f}}},
    {{161}, {{"Separation", 0.055556f}}},
    {{162}, {{"Height", 0.01f}, {"Turns", 0.05f}}},
    {{163}, {{"Width", 0.1f}}},
    {{164}, {{"Div", 0.025f}}},
    {{165, 166, 167, 183}, {TRADIUS}},
    {{172}, {{"Sp.Radius", 0.1f}}},
    {{173}, {{"Sp.Radius", 0.05f}}},
    {{184, 192, 193}, {TRADIUS}},
    {{191}, {{"Height", 0.025f}, {"Width", 0.025f}}},
};

#undef TRADIUS
#undef M_ROWS
#undef SPLINE_ROWS
#undef LOXODROME_ROWS
#undef CONE_ROWS
#undef SHELL_ROWS
#undef HELIX_ROWS
#undef SHELL2_ROWS

const int kShapeTypeParametersCount = static_cast<int>(sizeof kShapeTypeParameters / sizeof kShapeTypeParameters[0]);

namespace {

const ShapeTypeParameters* Find(int type)
{
    if (type < 1) return nullptr;
    for (const ShapeTypeParameters& row : kShapeTypeParameters)
        for (int16_t t : row.types)
            if (t == type) return &row;
    return nullptr;
}

const ParameterRow* RowOf(int type, int k)
{
    const ShapeTypeParameters* row = Find(type);
    if (row == nullptr || k < 0) return nullptr;
    if (k < 3) return &row->page1[k];
    if (k < 8) return &row->page2[k - 3];
    if (k < 12) return &row->page3[k - 8];
    return nullptr;
}

}  // namespace

const char* ShapeParameterCaption(int type, int k)
{
    const ParameterRow* r = RowOf(type, k);
    return r != nullptr && r->caption != nullptr ? r->caption : "";
}

float ShapeParameterStep(int type, int k)
{
    const ParameterRow* r = RowOf(type, k);
    return r != nullptr ? r->step : 0.0f;
}

int ShapeParameterRows(int type, int page)
{
    static const int kFirst[kParameterPages] = {0, 3, 8}, kCounted[kParameterPages] = {3, 5, 4};
    if (page < 0 || page >= kParameterPages) return 0;
    int rows = page == 0 ? 2 : 0;
    for (int k = 0; k < kCounted[page]; ++k) rows += ShapeParameterStep(type, kFirst[page] + k) != 0.0f ? 1 : 0;
    return rows;
}

int ShapeParameterPages(int type)
{
    return 1 + (ShapeParameterRows(type, 1) > 0 ? 1 : 0) + (ShapeParameterRows(type, 2) > 0 ? 1 : 0);
}

// ---- [ranges] -----------------------------------------------------------------------

namespace {

struct IntegerRows {
    int16_t types[11];
    uint16_t parameters;  // bit k: Pk
    float minimum = 0, maximum = 0;  // clamped at both ends when maximum > 0
};

constexpr uint16_t P(int k) { return static_cast<uint16_t>(1u << k); }

const IntegerRows kIntegerRows[] = {
    {{3, 38, 82, 103, 128, 130, 131, 132}, P(1) | P(2)},
    {{17, 46, 48, 70, 76, 113, 114, 129, 151, 158, 160}, P(0)},
    {{24, 34, 35, 63, 96}, 0xFF},
    {{45, 59}, P(8)},
    {{71, 84, 86, 87, 88, 99}, P(2)},
    {{81}, P(5)},
    {{85, 102, 110}, P(3)},
    {{89, 92}, P(0) | P(1) | P(3)},
    {{98}, P(7)},
    {{109, 118, 123}, P(1)},
    {{139}, P(0), 3, 16},
    {{143}, P(2), 1, 32},
    {{145}, P(0), 1, 32},
};

}  // namespace

ParameterRange ShapeParameterRange(int type, int k)
{
    ParameterRange range;
    if (type < 3 || type > 160 || k < 0 || k >= kShapeParameters) return range;
    for (const IntegerRows& rows : kIntegerRows) {
        bool listed = false;
        for (int16_t t : rows.types) listed = listed || t == type;
        if (!listed || (rows.parameters & P(k)) == 0) continue;
        range.integer = 1;
        range.dragStep = 0.125f;
        if (rows.maximum > 0) {
            range.minimum = rows.minimum;
            range.maximum = rows.maximum;
            range.clamped = 1;
        }
    }
    return range;
}

// ---- [random draws] -----------------------------------------------------------------

float RandomRangeB(float lo, float hi)
{
    return (hi - lo) * static_cast<float>(GlobalRandomU32B()) * kRandomWordToFloat + lo;
}

namespace {

// Each helper is one draw, or two in the order written.
float U() { return GlobalRandomFloatB(); }
float S() { return GlobalRandomSignedFloatB(); }
float N(uint32_t modulus) { return static_cast<float>(GlobalRandomU32B() % modulus); }
float Low(uint32_t mask) { return static_cast<float>(GlobalRandomU32B() & mask); }
float R(float lo, float hi) { return RandomRangeB(lo, hi); }
float Diff()
{
    const float a = U();
    return a - U();
}

void Fill(float* p, int first, int last, float (*draw)())
{
    for (int k = first; k <= last; ++k) p[k] = draw();
}
void FillN(float* p, int first, int last, uint32_t modulus)
{
    for (int k = first; k <= last; ++k) p[k] = N(modulus);
}

}  // namespace

void RandomizeBaseshape(int type, float p[kShapeParameters])
{
    switch (type) {
    case 1: Fill(p, 0, 5, S), p[6] = U() + 0.1f; break;
    case 2: case 33: p[0] = U(); break;
    case 3: case 128: p[1] = N(50) + 1, p[2] = N(50) + 1; break;
    case 4: case 121: case 122: case 187: p[0] = U() * 1.5f; break;
    case 6: p[0] = Diff(), p[1] = 2 * Diff(); break;
    case 7: p[0] = 2 * Diff(), p[1] = Diff() * kPi; break;
    case 8: case 9: p[0] = 2 * Diff(); break;
    case 10: p[0] = U() * 4 + 0.2f; break;
    case 12: case 31: case 32: p[0] = Diff() * kPi, p[1] = Diff() * 7, p[2] = Diff() * 1.2f; break;
    case 17: p[0] = N(10) + 2, p[4] = N(10) + 2; break;
    case 20: p[0] = U() * 1.3f + 0.1f; break;
    case 24: case 34: case 35: FillN(p, 0, 7, 19); break;
    case 36: case 65: Fill(p, 0, 2, U); break;
    case 38: p[0] = U() * 0.5f, p[1] = N(50) + 1, p[2] = N(50) + 1, p[3] = U() * 2; break;
    case 39: p[0] = U() * 2, p[1] = U() * 2, p[2] = U() * 4 * kPi, p[3] = Diff() * 0.3f; break;
    case 41: p[0] = U() * 0.4f; break;
    case 42: p[0] = U() * 0.2f; break;
    case 43: Fill(p, 0, 7, S); break;
    case 44: p[0] = U(), p[1] = U() * 1.5f; break;
    case 45: case 59: Fill(p, 0, 7, S), p[8] = Low(15) + 1, p[9] = S() * 3, p[10] = S(); break;
    case 46: p[0] = N(30), p[1] = U() * 0.5f, p[2] = U(), p[3] = S() * 0.25f; break;
    case 48: p[0] = N(13) + 3, p[1] = U(), p[2] = U() + p[1]; break;
    case 56: p[0] = N(10), p[1] = U() * 5; break;
    case 61: case 66: Fill(p, 0, 5, S); break;
    case 62: p[0] = U() * 1.9f + 0.1f, p[1] = U() * 0.9f + 0.1f; break;
    case 63: FillN(p, 0, 7, 19), p[8] = S() * 0.1f; break;
    case 64: p[0] = U() * 12 - 6, p[1] = U() * 12 - 6, p[2] = U() * 1.5f, p[3] = U() * 2 + 0.5f; break;
    case 67: p[0] = U() * 0.85f + 0.05f; break;
    case 68: case 105: p[0] = U() * 0.36f + 0.6f; break;
    case 69: Fill(p, 0, 4, S); break;
    case 70: p[0] = N(14) + 3, Fill(p, 1, 7, U); break;
    case 71: case 143: p[0] = U(), p[1] = U(), p[2] = N(13) + 2; break;
    case 72: case 144: case 189: p[0] = U() * 0.25f, p[1] = U(), p[2] = U() * 8 + 0.25f, p[3] = U() * 1.25f; break;
    case 74: case 78:
        p[0] = U() * 16, p[1] = U() * 2, p[2] = Diff() * 5, p[3] = Diff() * 0.125f;
        p[4] = N(25), p[5] = N(26);
        FillN(p, 6, 11, 25);
        break;
    case 75: p[0] = U() * 0.9f + 0.1f, p[1] = U() * 0.5f + 0.05f; break;
    case 76: p[0] = N(15) + 2; break;
    case 79: p[0] = Diff(), p[1] = U(); break;
    case 81: Fill(p, 0, 4, S), p[5] = N(9) + 3; break;
    case 82: p[0] = Diff(), p[1] = N(5) + 3, p[2] = N(9) + 3, p[3] = U() <= 0.75f ? U() * kPi : kPi / 4; break;
    case 83: p[0] = U() * 1.5f, p[1] = U() * 10, p[2] = U() * 4 - 2; break;
    case 84: case 86: p[2] = N(13) + 3; break;
    case 88: p[0] = U(), p[1] = U() * 1.5f, p[2] = N(13) + 3; break;
    case 89: case 92: p[0] = N(13) + 3, p[1] = N(30) + 1, p[2] = U() * 2, p[3] = N(6); break;
    case 91: case 146: p[0] = Diff() * 2 * kPi, Fill(p, 1, 3, Diff); break;
    case 93: for (int k = 0; k < 5; ++k) p[k] = U() * 4 - 2; break;
    case 95: case 106: p[0] = U() * 0.5f, p[1] = U() * 3 + 0.5f; break;
    case 96: FillN(p, 0, 7, 13), p[8] = S() * 0.1f; break;
    case 97: case 108: case 188: p[0] = U() * 0.9f + 0.1f, p[1] = U(), p[2] = U(); break;
    case 98: Fill(p, 0, 5, S), p[6] = U() * 0.25f + 0.5f, p[7] = N(10) + 3; break;
    case 99: p[0] = U() * 3.5f + 0.5f, p[1] = U() * 0.75f + 0.25f, p[2] = N(10) + 3, p[3] = (U() + 1) * 0.5f; break;
    case 100: p[0] = U() * 0.49f + 0.01f, p[1] = U() * 1.75f + 0.5f; break;
    case 101: {
        const float a = U() * 0.6f + 0.3f;
        p[3] = 57.295776f / std::sqrt(1 - a * a);
        p[0] = a * 10;
        break;
    }
    case 102:
        p[0] = U();
        if (U() > 0.75f) {
            p[1] = p[2] = p[0];
        } else {
            p[1] = U(), p[2] = U();
        }
        p[3] = N(10) + 3;
        break;
    case 103:
        p[0] = U() * 0.78f + 0.01f, p[1] = N(12) + 5;
        do p[2] = N(6) + 2;
        while (p[2] == p[1]);
        p[3] = U() * 0.9f + 0.1f;
        break;
    case 104: p[0] = U() * 2 + 0.25f; break;
    case 107: p[0] = U() * 0.5f + 0.1f, p[1] = U() * 0.5f + 0.1f, p[2] = U() * 0.5f + 0.45f; break;
    case 109: p[0] = U() * 0.5f, p[1] = N(29) + 1, p[2] = U() + 0.05f; break;
    case 110: p[0] = U() * 0.9f + 0.1f, p[1] = U(), p[2] = U(), p[3] = Low(15) + 1, p[4] = U(); break;
    case 111: p[0] = U() * 3, p[1] = U() * 1.5f, p[2] = U() * 0.5f; break;
    case 112: p[0] = U(), p[1] = U(), p[2] = S(); break;
    case 113: case 114: p[0] = N(20) + 1, p[1] = U() * std::sqrt(p[0] / 2) + 1; break;
    case 118: {
        p[0] = U();
        const float petals = N(20) + 1;
        p[1] = GlobalRandomBoolB() ? petals : -petals;
        p[2] = U(), p[3] = U() * 0.9f + 0.1f;
        break;
    }
    case 120: case 185: case 186: p[0] = U() * 16, p[1] = U() * 2, p[2] = Diff() * 5, p[3] = U() * 2 * kPi; break;
    case 123: p[0] = U() * 1.5f, p[1] = N(10) + 3; break;
    case 124: p[0] = U() * 1.5f, p[1] = U() * 1.5f; break;
    case 130: case 131: case 132: p[0] = U() * 1.5f - 0.25f, p[1] = Low(15) + 1, p[2] = Low(15) + 1; break;
    case 134: Fill(p, 0, 2, Diff); break;
    case 135: p[0] = R(0.1f, 2); break;
    case 136: case 138: p[0] = R(-1.5f, 1.5f); break;
    case 137: p[0] = R(0.02f, 0.3f); break;
    case 139:
        p[0] = N(14) + 3, p[1] = R(-0.5f, 0.5f), p[2] = R(-1, 0.5f), p[3] = R(-0.75f, 0.75f), p[4] = R(-0.3f, 0.45f);
        if (U() > 0.75f) p[5] = R(-2, 2);
        break;
    case 140: p[0] = R(0.05f, 0.95f); break;
    case 141: case 142: p[0] = R(-2, 2), p[1] = R(-1.5f, 1.5f), p[2] = R(0.01f, 0.45f), p[3] = R(-3, 1.7f); break;
    case 145: p[0] = Low(31) + 1; break;
    case 147: case 148: p[0] = R(-1.5f, 2); break;
    case 149: p[0] = R(0.5f, 1); break;
    case 150: p[0] = R(0, 1.25f); break;
    case 151: p[0] = N(12) + 1; break;
    case 152: case 153: p[0] = R(kPi / 4, 2 * kPi); break;
    case 154: p[0] = R(0, 2 * kPi), p[1] = R(0, 1.5f); break;
    case 155: p[0] = R(0.2f, kPi); break;
    case 158: p[0] = N(40) + 3; break;
    case 159: case 194: p[0] = R(0, 1), p[1] = R(-1, 1); break;
    case 160: p[0] = N(20) + 3, p[1] = R(0, 1.4f); break;
    case 161: p[0] = R(0, 0.45f); break;
    case 162: p[0] = R(0, 1), p[1] = R(-1, 3); break;
    case 163: p[0] = R(0.1f, 1.5f); break;
    case 164: case 165: case 166: case 167: p[0] = R(0.01f, 0.5f); break;
    case 172: p[0] = R(0.01f, 2); break;
    case 173: p[0] = R(0.01f, 1); break;
    default: break;
    }
}
