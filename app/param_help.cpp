// Sections: [parameters] [window] [overlay lines] [type help].
#include "app/param_help.h"

#include <cstdio>
#include <cstring>

#include "app/text_field.h"
#include "engine/fractal_model.h"
#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/widget.h"

char gParamValueText[kParamValueTextSize] = {};
SLWindow2 gParamHelpWindow;
InputBox gInputBox;

// ---- [parameters] ---------------------------------------------------------------

const int ParamRowCount[kFractalTypeCount] = {
    0, 0, 0, 4, 0, 4, 4, 0, 2, 4,  // 0..9
    0, 0, 0, 2, 4, 0, 2, 4, 2, 4,  // 10..19
    3, 0, 0, 0, 0, 4, 0, 0, 0, 0,  // 20..29
    0, 2, 0, 0, 0, 0, 0, 0, 0, 3,  // 30..39
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 40..49
};

namespace {

bool ValidType(int type) { return type >= 0 && type < kFractalTypeCount; }

// Which coordinate parameter p of a type with n parameters stands for.
HelpValue ParameterSource(int n, int p)
{
    static const HelpValue kFour[4] = {HelpValue::kT0x, HelpValue::kT0z, HelpValue::kT1x, HelpValue::kT1z};
    static const HelpValue kThree[3] = {HelpValue::kT0x, HelpValue::kT0y, HelpValue::kT0z};
    static const HelpValue kTwo[2] = {HelpValue::kT0x, HelpValue::kT0z};
    if (p < 0 || p >= n) return HelpValue::kNone;
    if (n == 4) return kFour[p];
    if (n == 3) return kThree[p];
    if (n == 2) return kTwo[p];
    return HelpValue::kNone;
}

}  // namespace

float HelpLineValue(HelpValue value)
{
    switch (value) {
    case HelpValue::kT0x: return SharedLoad(gTransforms[0].position[0]);
    case HelpValue::kT0y: return SharedLoad(gTransforms[0].position[1]);
    case HelpValue::kT0z: return SharedLoad(gTransforms[0].position[2]);
    case HelpValue::kT1x: return SharedLoad(gTransforms[1].position[0]);
    case HelpValue::kT1z: return SharedLoad(gTransforms[1].position[2]);
    case HelpValue::kNone: break;
    }
    return 0.0f;
}

float ParamValue(int type, int parameter)
{
    if (!ValidType(type)) return 0.0f;
    return HelpLineValue(ParameterSource(ParamRowCount[type], parameter));
}

namespace {

// The coordinate a parameter stands for, and its transformation.
float* ParamAddress(int type, int parameter, int* transform)
{
    if (!ValidType(type)) return nullptr;
    switch (ParameterSource(ParamRowCount[type], parameter)) {
    case HelpValue::kT0x: *transform = 0; return &gTransforms[0].position[0];
    case HelpValue::kT0y: *transform = 0; return &gTransforms[0].position[1];
    case HelpValue::kT0z: *transform = 0; return &gTransforms[0].position[2];
    case HelpValue::kT1x: *transform = 1; return &gTransforms[1].position[0];
    case HelpValue::kT1z: *transform = 1; return &gTransforms[1].position[2];
    case HelpValue::kNone: break;
    }
    return nullptr;
}

float* gParamFieldTarget = nullptr;

}  // namespace

void OpenPickedParameter()
{
    int transform = -1;
    float* target = ParamAddress(gFractalType, gParamHelpWindow.pickedParameter, &transform);
    if (target == nullptr) return;
    // The field covers the value of the row that was clicked, right of its
    // label, and the input box frames it there.
    const SLWindow2& w = gParamHelpWindow;
    const float bottom = w.y0 + static_cast<float>(w.pickedRow) * w.rowHeight;
    gInputBox.x0 = w.x0 + kParamValueColumn - kParamFieldLead;
    gInputBox.y0 = bottom;
    gInputBox.x1 = gInputBox.x0 + kTextInputWidth;
    gInputBox.y1 = bottom + w.rowHeight;
    gInputBox.active = 1;
    gParamFieldTarget = target;
    OpenTextInput(target, static_cast<int>(gInputBox.x0), static_cast<int>(gInputBox.y0), transform);
}

bool ParamFieldOpen()
{
    return gInputBox.active != 0 && TextInputActive() && gParamFieldTarget != nullptr &&
           gTextInput.target == gParamFieldTarget;
}

// ---- [window] -------------------------------------------------------------------

void SLWindow2::Build(const int& x, const int& y, const int& zIn, const int& width, const int& rowH,
                      const int& rowCount, int tagIn)
{
    tag = tagIn;
    rows = rowCount;
    x0 = static_cast<float>(x);
    y0 = static_cast<float>(y);
    x1 = static_cast<float>(x + width);
    y1 = static_cast<float>(y + (rowCount + 1) * rowH);
    z = static_cast<float>(zIn);
    rowHeight = static_cast<float>(rowH);
    halfRowHeight = static_cast<float>(rowH / 2);
    visible = 0;
    lineY[0] = y1;
    for (int k = 1; k < 16; ++k) lineY[k] = y1 - 16.0f * static_cast<float>(k);

    frameList = glGenLists(1);
    glNewList(frameList, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    FlatQuad(x0 - 1, y0 - 1, x1 + 2, y1 + 1, z);
    static const float kDark[3] = {0.25f, 0.25f, 0.25f}, kLight[3] = {0.5f, 0.5f, 0.5f};
    AlternatingLoop(x0 - 1, y0 - 1, x1 + 2, y1 + 1, z, kDark, kLight);
    glEndList();
}

int SLWindow2::Click(const int& x, const int& y)
{
    if (!visible) return 0;
    editing = 0;
    const int type = gFractalType;
    const int n = ValidType(type) ? ParamRowCount[type] : 0;
    if (n < 1) return 0;
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    if (!(x0 < fx && fx < x1)) return 0;
    int picked = -1;
    for (int r = rows - n; r <= rows - 1 && picked < 0; ++r) {
        const float bottom = y0 + static_cast<float>(r) * rowHeight;
        if (bottom < fy && fy < bottom + rowHeight) picked = r;
    }
    if (picked < 0) return 0;
    pickedRow = picked;
    pickX = x;
    pickedParameter = rows - picked - 1;
    std::memset(gParamValueText, 0, sizeof gParamValueText);
    std::snprintf(gParamValueText, sizeof gParamValueText, "%2.6f",
                  static_cast<double>(ParamValue(type, pickedParameter)));
    return 1;
}

void BuildParamHelp()
{
    gParamHelpWindow.Build(36, 92, 30, 340, 16, 13, 0);
    gInputBox.Build();
    gInputBox.visible = 1;
}

void DrawParamInputBox()
{
    // Return and Esc close the field, and the box goes with it.
    if (!ParamFieldOpen()) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(0.5f, 0.5f, 0.5f);
    OutlineQuad(gInputBox.x0, gInputBox.y0, gInputBox.x1, gInputBox.y1, gInputBox.z);
    glPopAttrib();
}

// ---- [overlay lines] ------------------------------------------------------------

namespace {

using V = HelpValue;

struct HelpBlock {
    const ParamHelpLine* lines;
    int count;
};

#define HELP_BLOCK(name) {name, static_cast<int>(sizeof name / sizeof name[0])}

const ParamHelpLine kKleinianLong[] = {
    {2, false, " T_a.r=", V::kT0x}, {3, false, " T_a.i=", V::kT0z}, {4, false, " T_b.r=", V::kT1x},
    {5, false, " T_b.i=", V::kT1z}, {7, false, "Use Tranformation 0 to control", V::kNone},
    {8, true, "T_a (real=x, imaginary=y)", V::kNone}, {9, false, "and Tranformation 1 to control", V::kNone},
    {10, true, "T_b (real=x, imaginary=y)", V::kNone},
};
const ParamHelpLine kKleinianShort[] = {
    {2, false, " T_a.r=", V::kT0x}, {3, false, " T_a.i=", V::kT0z}, {4, false, " T_b.r=", V::kT1x},
    {5, false, " T_b.i=", V::kT1z}, {7, false, "Use Tranformation 0 to control", V::kNone},
    {8, true, "T_a (real=x, imag.=y)", V::kNone}, {9, false, "and Tranformation 1 to control", V::kNone},
    {10, true, "T_b (real=x, imag.=y)", V::kNone},
};
const ParamHelpLine kQuaternionJulia[] = {
    {2, false, " QC.r=", V::kT0x},
    {3, false, " QC.i=", V::kT0z},
    {4, false, " QC.j=", V::kT1x},
    {5, false, " QC.k=", V::kT1z},
    {7, false, "Use Tranformation 0 to control the real", V::kNone},
    {8, false, "and imaginary parts of the quaternionic C", V::kNone},
    {9, false, "also, use the Tranformation 1 to control", V::kNone},
    {10, false, "the other two \"imaginary\" parts of", V::kNone},
    {11, false, "the quaternionic C", V::kNone},
};
const ParamHelpLine kJulia[] = {
    {2, false, " C.r=", V::kT0x}, {3, false, " C.i=", V::kT0z},
    {5, false, "Use Tranformation 0 to control", V::kNone}, {6, true, "C (real=x, imag.=y)", V::kNone},
};
const ParamHelpLine kSpikyJulia[] = {
    {2, false, " C.r=", V::kT0x}, {3, false, " C.i=", V::kT0z},
    {5, false, "Use Tranformation 0 to control", V::kNone}, {6, true, "C (real=x, imaginary=y)", V::kNone},
};
#define JULIA_PAIR(name, cLine, c1Line)                                                                          \
    const ParamHelpLine name[] = {                                                                               \
        {2, false, " C.r=", V::kT0x},  {3, false, " C.i=", V::kT0z}, {4, false, " C1.r=", V::kT1x},              \
        {5, false, " C1.i=", V::kT1z}, {7, false, "Use Tranformation 0 to control", V::kNone},                  \
        {8, true, cLine, V::kNone},    {9, false, "and the Tranformation 1 to control", V::kNone},              \
        {10, true, c1Line, V::kNone},                                                                            \
    };
JULIA_PAIR(kJuliaPair, "C (real=x, imag.=y)", "C1 (real=x, imag.=y)")
JULIA_PAIR(kJuliaPairIII, "C (real=x, imaginary=y)", "C1 (real=x, imag.=y)")
JULIA_PAIR(kJuliaPairIV, "C (real=x, imag.=y)", "the scale values")
#undef JULIA_PAIR
const ParamHelpLine kGumowskiMira[] = {
    {2, false, " A=", V::kT0x}, {3, false, " B=", V::kT0z},
    {5, false, "Use Tranformation 0 to control", V::kNone}, {6, true, "The A and B parametes", V::kNone},
};
const ParamHelpLine kKleinian3D[] = {
    {2, false, "   P =", V::kT0x}, {3, false, "   Q =", V::kT0y}, {4, false, "   R =", V::kT0z}};
const ParamHelpLine kQuaternionJulia2[] = {
    {2, false, "   Qr =", V::kT0x}, {3, false, "   Qi =", V::kT0y}, {4, false, "   Qj =", V::kT0z}};
const ParamHelpLine kRadiolarian[] = {
    {2, false, " Variation", V::kT0x}, {3, false, " Filter Radius", V::kT0z},
    {5, false, "Use Tranformation 0 to control", V::kNone},
    {6, true, "The Filter Radius and the Variation", V::kNone},
};

HelpBlock BlockOf(int type)
{
    switch (type) {
    case 3: return HELP_BLOCK(kKleinianLong);
    case 19:
    case 45: return HELP_BLOCK(kKleinianShort);
    case 5:
    case 6: return HELP_BLOCK(kQuaternionJulia);
    case 8:
    case 13:
    case 16: return HELP_BLOCK(kJulia);
    case 31: return HELP_BLOCK(kSpikyJulia);
    case 9:
    case 14: return HELP_BLOCK(kJuliaPair);
    case 17: return HELP_BLOCK(kJuliaPairIII);
    case 25: return HELP_BLOCK(kJuliaPairIV);
    case 18: return HELP_BLOCK(kGumowskiMira);
    case 20: return HELP_BLOCK(kKleinian3D);
    case 39: return HELP_BLOCK(kQuaternionJulia2);
    case 32:
    case 33:
    case 34:
    case 35:
    case 36: return HELP_BLOCK(kRadiolarian);
    default: return {nullptr, 0};
    }
}
#undef HELP_BLOCK

bool IsRadiolarian(int type) { return type >= 32 && type <= 36; }

}  // namespace

const ParamHelpLine* ParamHelpLines(int type, int* count)
{
    const HelpBlock block = BlockOf(type);
    if (count != nullptr) *count = block.count;
    return block.lines;
}

void SLWindow2::DrawFractalParamHelp() const
{
    if (!visible) return;
    const int type = gFractalType;
    int count = 0;
    const ParamHelpLine* lines = ParamHelpLines(type, &count);
    if (lines == nullptr) return;
    const bool raised = IsRadiolarian(type);
    const int left = static_cast<int>(x0);
    const int valueX = left + (raised ? 128 : 64);
    glPushMatrix();
    if (raised) {
        glTranslatef(0.0f, 200.0f, 0.0f);
    } else if (frameList != 0) {
        glCallList(frameList);
    }
    DrawText(left, static_cast<int>(lineY[1]), kFractalTypes[type].name, 1);
    for (int i = 0; i < count; ++i) {
        const ParamHelpLine& line = lines[i];
        const int y = static_cast<int>(lineY[line.row]);
        DrawText(left + (line.indented ? 16 : 0), y, line.label, 1);
        if (line.value != HelpValue::kNone) {
            DrawText(valueX, y, FormatFloatText(gTextScratch, sizeof gTextScratch, HelpLineValue(line.value)), 1);
        }
    }
    glPopMatrix();
}

// ---- [type help] ----------------------------------------------------------------

namespace {

// A few lines per type on what it draws and what shapes it; the rest empty.
const char* const kTypeHelp[kFractalTypeCount][kTypeHelpLines] = {
    /* 0 */ {"Affine maps chosen at random by weight.", "Each transformation is one contraction:",
             "move, turn and scale them in the editor.", "Baseshapes give the seed points."},
    /* 1 */ {"A branching tree grown by inverse maps.", "Transformation 0 is the trunk, the others",
             "the branches."},
    /* 2 */ {"Affine maps followed by variations.", "Each transformation mixes its variations",
             "by their amounts."},
    /* 3 */ {"Limit sets of two Mobius generators.", "Transformations 0 and 1 hold the traces",
             "T_a and T_b (see the help window)."},
    /* 4 */ {"A popcorn map stepped through space.", "The transformations set the step sizes."},
    /* 5 */ {"Quaternion Julia set with a condition", "on each step. The quaternion C comes",
             "from transformations 0 and 1."},
    /* 6 */ {"Quaternion Julia set Q^2 + C.", "The quaternion C comes from the",
             "positions of transformations 0 and 1."},
    /* 7 */ {"A planar IFS lifted by depth.", "Each transformation adds its own height."},
    /* 8 */ {"Inverse Julia set of Z^2 + C.", "C is the position of transformation 0."},
    /* 9 */ {"Inverse Julia set of (Z^2+C)/(Z^2+C1).", "C and C1 are the positions of",
             "transformations 0 and 1."},
    /* 10 */ {"Julia set Z^3 + C mixed with the", "affine maps of the other transformations."},
    /* 11 */ {"IFS of quaternion products.", "Each transformation is one quaternion map."},
    /* 12 */ {"Circles packed by inversions.", "The transformations place the inversions."},
    /* 13 */ {"Julia set Z^2 + C on a sphere.", "C is the position of transformation 0."},
    /* 14 */ {"Julia set (Z^2+C)/(Z^2+C1) on a sphere.", "C and C1 are the positions of",
              "transformations 0 and 1."},
    /* 15 */ {"A planar IFS with a third axis", "folded in by each transformation."},
    /* 16 */ {"A second Julia set form.", "C is the position of transformation 0."},
    /* 17 */ {"A third Julia set form.", "C and C1 are the positions of", "transformations 0 and 1."},
    /* 18 */ {"The Gumowski-Mira attractor.", "A and B are the x and z of", "transformation 0."},
    /* 19 */ {"Kleinian limit sets on a sphere.", "Transformations 0 and 1 hold T_a and T_b."},
    /* 20 */ {"Three-dimensional Kleinian sets.", "P, Q and R are the x, y and z of", "transformation 0."},
    /* 21 */ {"Tilings of the hyperbolic plane.", "The transformations pick the reflections."},
    /* 22 */ {"Runs the fractal script.", "Load or save a script on this page."},
    /* 23 */ {"Variations after the affine maps,", "with a final colouring step."},
    /* 24 */ {"An IFS mirrored at every step.", "The transformations set the mirrors."},
    /* 25 */ {"A fourth Julia set form.", "C comes from transformation 0, the", "scale from transformation 1."},
    /* 26 */ {"A fifth Julia set form.", "The transformations set the constants."},
    /* 27 */ {"A sixth Julia set form.", "The transformations set the constants."},
    /* 28 */ {"A scroll wound by the affine maps."},
    /* 29 */ {"Two scrolls wound against each other."},
    /* 30 */ {"A spiky Julia set in three dimensions.", "The transformations set the spikes."},
    /* 31 */ {"A spiky Julia set lifted by depth.", "C is the position of transformation 0."},
    /* 32 */ {"Radiolarian on a tetrahedron.", "Transformation 0 sets the variation", "and the filter radius."},
    /* 33 */ {"Radiolarian on an octahedron.", "Transformation 0 sets the variation", "and the filter radius."},
    /* 34 */ {"Radiolarian on a cube.", "Transformation 0 sets the variation", "and the filter radius."},
    /* 35 */ {"Radiolarian on a dodecahedron.", "Transformation 0 sets the variation",
              "and the filter radius."},
    /* 36 */ {"Radiolarian on an icosahedron.", "Transformation 0 sets the variation",
              "and the filter radius."},
    /* 37 */ {"A second hyperbolic tiling.", "The transformations pick the reflections."},
    /* 38 */ {"Towers of boxes on a square plan.", "The transformations stack the blocks."},
    /* 39 */ {"Quaternion Julia set, second form.", "The x, y and z of transformation 0",
              "are three parts of the quaternion."},
    /* 40 */ {"Rings grown by the affine maps."},
    /* 41 */ {"A Julia set wrapped on a sphere."},
    /* 42 */ {"An IFS mirrored at every step,", "second form."},
    /* 43 */ {"Shell-like forms of the affine maps."},
    /* 44 */ {"Stars and polyhedra from the maps."},
    /* 45 */ {"Kleinian sets with quaternions.", "Transformations 0 and 1 hold T_a and T_b."},
    /* 46 */ {"Stochastic Mandelbrot set.", "The editor's Function row picks the", "escape function."},
    /* 47 */ {"Towers grown by the affine maps."},
    /* 48 */ {"Chains of generator blocks.", "Build the chains in the transformation",
              "editor; Send to Blocks copies them."},
    /* 49 */ {"Stochastic Mandelbrot set, second form.", "The editor's Function row picks the",
              "escape function."},
};

}  // namespace

const char* FractalTypeHelpLine(int type, int line)
{
    if (!ValidType(type) || line < 0 || line >= kTypeHelpLines) return "";
    const char* text = kTypeHelp[type][line];
    return text != nullptr ? text : "";
}

void DrawFractalTypeHelp()
{
    const int type = gFractalType;
    for (int line = 0; line < kTypeHelpLines; ++line) DrawText(32, 606 - 16 * line, FractalTypeHelpLine(type, line), 0);
}
