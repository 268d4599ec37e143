// The baseshape editor's panel: its widgets and places, the slots' default
// images, the texts and pictures of each frame and the two image previews.
//
// Sections: [places] [build] [previews] [readout] [fixed rotations]
#include "editors/baseshape_editor.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <vector>

#include "baseshapes/generator_table.h"
#include "engine/baseshape_hooks.h"
#include "engine/baseshape_images.h"
#include "platform/desktop/gl_api.h"
#include "ui/font.h"
#include "ui/gl_shapes.h"
#include "ui/texture_upload.h"
#include "engine/window_ranges.h"

BaseShapeEditor gBaseShapeEditor;
uint8_t gBaseShapeEditorOpen = 0;

BaseShapeEditor::~BaseShapeEditor() = default;

// ---- [places] -----------------------------------------------------------------------

namespace {

constexpr int kZ = 30;
// Drag groups of the panel's draggable widgets.
constexpr int kParameterGroup = 2, kScaleGroup = 3, kBallGroup = 6, kShearGroup = 15, kPanelGroup = 16;
constexpr int kColorGroup = 33, kNeonGroup = 34;

struct ButtonPlace {
    int x, y, width, height;
    const char* caption;
};

// In build order (BsButton).
constexpr ButtonPlace kButtonPlaces[kBsButtonCount] = {
    {108, 876, 64, 22, "Open"},          {180, 876, 64, 22, "#"},          {252, 876, 64, 22, "$"},
    {324, 876, 64, 22, "New"},           {396, 876, 64, 22, "Delete"},     {468, 876, 64, 22, "Clone"},
    {180, 848, 64, 22, "Undo"},          {252, 848, 64, 22, "Append"},     {324, 848, 64, 22, "Save"},
    {396, 848, 64, 22, "Load"},          {304, 396, 58, 22, "Ok"},         {240, 396, 58, 22, "Random"},
    {48, 358, 148, 22, "Save Baseshape"}, {68, 212, 120, 22, "Load DMap"}, {328, 144, 128, 22, "New DMaps"},
    {494, 144, 58, 22, "Select"},        {48, 204, 120, 22, "Load STL Mesh"}, {48, 176, 120, 22, "Clear Mesh"},
    {130, 156, 58, 20, "Reset"},         {140, 618, 64, 22, "Load"},       {140, 584, 64, 22, "Clear"},
    {328, 452, 128, 22, "New Textures"}, {494, 452, 58, 22, "Select"},     {51, 234, 50, 22, "Load"},
    {105, 234, 50, 22, "Save"},          {159, 234, 50, 22, "Rnd"},
};

const char* const kTabCaptions[kBsTabCount] = {"Shape", "Controls", "Modifiers", "Colors", "Animation"};
const char* const kPageCaptions[3] = {"1", "2", "3"};
const char* const kWindowRows[] = {"Camera", "Front", "Left", "Top"};
const char* const kControlsRows[] = {"Rotate", "Pan"};
const char* const kInteriorRows[] = {"Empty", "Filled"};
const char* const kMaterialRows[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const char* const kRotRows[] = {"T", "X", "Y", "Z", "0"};
const char* const kTransRows[] = {"F", "X", "Y", "Z", "0"};
const char* const kAxisRows[] = {"+X", "+Y", "+Z", "-X", "-Y", "-Z", "XZ", "Rf"};
const char* const kModifierRows[] = {"None",   "Waves I", "Waves II", "Twist XZ", "Twist XY",  "Box I",
                                     "Box II", "Gyroid",  "Root 1",   "Root 2",   "Spherical", "Octahedral"};
const char* const kArrayRows[] = {"None",       "Rotation Array XZ", "Rotation Array XY", "Rotation Array II XZ",
                                  "Rotation Array II XY", "Tetrahedron", "Octahedron", "Hexahedron",
                                  "Dodecahedron", "Icosahedron"};
const char* const kBlendRows[] = {"Addition",    "Multiply",     "Average", "Difference",
                                  "Darken only", "Lighten only", "Screen",  "Negation"};
const char* const kWaveRows[] = {"Sine", "Triangle", "Square", "SawTooth"};
// The readers take a stored row only within these lists.
static_assert(std::size(kModifierRows) == kModifierListRows && std::size(kArrayRows) == kArrayListRows &&
              std::size(kBlendRows) == kBaseshapeBlendListRows && std::size(kWaveRows) == kWaveListRows);

// Rows: minimum, maximum, start, clamp low, clamp high, whole numbers.
const char* const kPage1Captions[] = {" ", "Depth", "Radius", "", "", ""};
const char* const kPageCaptionsEmpty[] = {" ", "", "", "", "", ""};
const float kPage1Rows[] = {0, 50, 50, 1, 0, 1, 0, 2, 0.5f, 1, 0, 0, 0, 2, 0.5f, 0, 0, 0,
                            0, 2, 0.5f, 0, 0, 0, 0, 2, 0.5f, 0, 0, 0};
const float kParameterRows[] = {0, 2, 0.5f, 0, 0, 0, 0, 2, 0.5f, 0, 0, 0, 0, 2, 0.5f, 0, 0, 0,
                                0, 2, 0.5f, 0, 0, 0, 0, 2, 0.5f, 0, 0, 0};
const char* const kScaleCaptions[] = {"Scale", "X", "Y", "Z"};
const float kScaleRows[] = {-1, 1, 1, 0, 0, 0, -1, 1, 1, 0, 0, 0, -1, 1, 1, 0, 0, 0};
const char* const kShearCaptions[] = {"Shear", "XY", "XZ", "YX", "YZ", "ZX", "ZY"};
const char* const kOffsetCaptions[] = {"Offset", "X", "Y", "Z"};
const float kSignedRows[] = {-1, 1, 0, 0, 0, 0, -1, 1, 0, 0, 0, 0, -1, 1, 0, 0, 0, 0,
                             -1, 1, 0, 0, 0, 0, -1, 1, 0, 0, 0, 0, -1, 1, 0, 0, 0, 0};
const char* const kSidesCaptions[] = {"Rotation Array", "Sides"};
const char* const kStrengthCaptions[] = {"Strength", "Force"};
const char* const kNeonCaptions[] = {"Neon Intensity", "Value:"};
const char* const kSpinCaptions[] = {"Number of Frames by Cycle", "Frames"};
const char* const kMovementCaptions[] = {"Movement Parameters", "Amplitude", "Frames", "Phase Shift"};

template <int N>
void BuildList(ListBox& list, int x, int y, int width, int rowH, const char* caption, const char* const (&rows)[N],
               int row)
{
    list.Build(x, y, kZ, width, rowH, N, caption, rows);
    list.selected = list.previous = row;
    list.selectedFromTop = N - 1 - row;
}

void BuildCheck(OptionsBox& box, int x, int y, int width, int rowH, const char* caption)
{
    const char* labels[] = {caption};
    box.Build(x, y, kZ, width, rowH, 1, caption, labels);
}

// The defaults of the rows every slot keeps beside its record.
void ResetSlotRows(int i)
{
    ResetBaseshapeDMap(i, 1);
    ClearBaseshapeTexture(i);
    ClearBaseshapeMesh(i);
    gBaseshapeNeonColor.r[i] = 255;
    gBaseshapeNeonColor.g[i] = gBaseshapeNeonColor.b[i] = 0;
    gBaseshapeNeonStrength[i] = 2.0f;
    gBaseshapeModifierType[i] = gBaseshapeArrayType[i] = 0;
    gBaseshapeModifierAmount[i] = 0.0f;
    gBaseshapeArrayPivotX[i] = gBaseshapeArrayPivotY[i] = gBaseshapeArrayPivotZ[i] = 0.0f;
    gBaseshapeArrayCount[i] = 8;
    gBaseshapeArrayAngle[i] = 0.7853982f;
    const float spin[4] = {0, 1, 0, 0}, up[3] = {0, 1, 0};
    std::memcpy(gBaseshapeSpin[i], spin, sizeof spin);
    std::memcpy(gBaseshapeMoveDirection[i], up, sizeof up);
    gBaseshapeMoveWave[i][0] = gBaseshapeMoveWave[i][1] = gBaseshapeMoveWave[i][2] = 0.0f;
    gBaseshapeWaveType[i] = 3;
}

}  // namespace

// ---- [build] ------------------------------------------------------------------------

void BaseShapeEditor::Build()
{
    if (texturePreviewTexture == 0) {
        std::vector<uint8_t> black(kBaseshapePreviewSide * kBaseshapePreviewSide * 3, 0);
        std::vector<uint8_t> white(black.size(), 255);
        texturePreviewTexture =
            CreateRgbTexture(kBaseshapePreviewSide, kBaseshapePreviewSide, black.data(), TextureWrap::Clamp);
        dmapPreviewTexture =
            CreateRgbTexture(kBaseshapePreviewSide, kBaseshapePreviewSide, white.data(), TextureWrap::Clamp);
    }
    for (int i = 0; i < kMaxBaseshapes; ++i) ResetSlotRows(i);

    for (int b = 0; b < kBsButtonCount; ++b) {
        const ButtonPlace& p = kButtonPlaces[b];
        buttons[b].Build(p.x, p.y, kZ, p.width, p.height, p.caption, b, 0, 0);
    }
    BuildCheck(editBox, 32, 876, 64, 24, "Edit");
    // 16 high: 30 high it would reach under "Open" (y 876). Blanks: room for two digits.
    numberBox.Build(116, 854, kZ, 30, 16, "  ");
    BuildList(windowList, 574, 732, 78, 20, "Window", kWindowRows, windowRow);
    BuildList(controlsList, 574, 664, 78, 20, "Controls", kControlsRows, controlsRow);
    tabStrip.Build(32, 816, kZ, 520, 24, kBsTabCount, kTabCaptions);

    // "Shape"
    for (int n = 0; n < 3; ++n) pageTabs[n].Build(408, 552, 48 * (n + 1), 24, n + 1, kPageCaptions);
    parameterPages[0].Build(49, 426, kZ, 348, 24, 5, kPage1Captions, kPage1Rows, kParameterGroup);
    parameterPages[1].Build(49, 426, kZ, 348, 24, 5, kPageCaptionsEmpty, kParameterRows, kParameterGroup);
    parameterPages[2].Build(49, 426, kZ, 348, 24, 5, kPageCaptionsEmpty, kParameterRows, kParameterGroup);
    BuildCheck(applyToAllBox, 408, 526, 148, 18, "Apply to all");
    BuildCheck(showBaseshapeBox, 48, 396, 148, 18, "Show Baseshape");
    shapeSelector.Build(48, 582, kZ);
    BuildList(interiorList, 418, 696, 120, 20, "Interior Type", kInteriorRows, 1);
    BuildList(materialList, 574, 438, 78, 20, "Material", kMaterialRows, 9);
    dmapPreview.SetLayout(94, 240, kZ, 74, 74, dmapPreviewTexture);

    // "Controls"
    scaleWindow.Build(130, 330, kZ, 320, 19, 3, kScaleCaptions, kScaleRows, kScaleGroup);
    shearWindow.Build(130, 186, kZ, 320, 19, 6, kShearCaptions, kSignedRows, kShearGroup);
    {
        const float facing[3] = {0, 0, 1};
        trackBall.Build(180, 440, kZ, 250, 250, facing, kBallGroup);
        trackBall.SetRotation(facing);
    }
    // A little wider than given (34, 40 and 34), so that their texts keep
    // off the right edge.
    BuildList(rotList, 444, 539, 36, 20, "Rot", kRotRows, rotRow);
    BuildList(fixedRotationList, 504, 509, 44, 20, "FRot", kAxisRows, 0);
    BuildList(transList, 108, 539, 36, 20, "Tr.", kTransRows, transRow);
    BuildCheck(moveAllBox, 36, 672, 92, 18, "Move All");
    // Beside the scale window's title, clear of the rows and the position.
    BuildCheck(uniformBox, 458, 388, 84, 18, "Uniform");

    // "Modifiers"
    BuildList(modifierList, 40, 520, 200, 20, "Modifier Type", kModifierRows, 0);
    strengthWindow.Build(40, 474, kZ, 320, 20, 1, kStrengthCaptions, kModifierStrengthRows, kPanelGroup);
    BuildList(arrayList, 40, 238, 200, 20, "Array Type", kArrayRows, 0);
    sidesWindow.Build(40, 188, kZ, 320, 20, 1, kSidesCaptions, kArraySidesRows, kPanelGroup);
    offsetWindow.Build(64, 102, kZ, 320, 20, 3, kOffsetCaptions, kSignedRows, kPanelGroup);

    // "Colors": the two check boxes under the texture keep clear of the
    // surface-texture presets beside them.
    BuildCheck(useTextureBox, 40, 656, 184, 18, "Use Surface Texture");
    texturePreview.SetLayout(40, 577, kZ, 74, 74, texturePreviewTexture);
    BuildCheck(smoothTextureBox, 40, 550, 160, 18, "Smooth Texture");
    BuildCheck(useGradientBox, 40, 404, 184, 18, "Use Gradient");
    gradientBrowser.Build(240, 274, kZ);
    BuildList(blendModeList, 416, 64, 136, 22, "Color Blend Mode", kBlendRows, 7);
    colorPanel.Build(40, 708, kZ, "Color    R       G       B ", kColorGroup);
    BuildCheck(neonBox, 40, 198, 128, 18, "Enable Neon");
    neonPanel.Build(40, 110, kZ, "Color    R       G       B ", kNeonGroup);
    neonWindow.Build(40, 64, kZ, 320, 20, 1, kNeonCaptions, kNeonRows, kPanelGroup);

    // "Animation"
    spinFramesWindow.Build(146, 472, kZ, 320, 20, 1, kSpinCaptions, kSpinRows, kPanelGroup);
    spinBall.Build(192, 528, kZ, 200, 200, 0, kPanelGroup, "Rotation Pivot");
    BuildList(spinAxisList, 418, 550, 48, 20, "Axis", kAxisRows, 6);
    movementWindow.Build(138, 54, kZ, 320, 20, 3, kMovementCaptions, kMovementRows, kBallGroup);
    directionBall.Build(192, 140, kZ, 200, 200, 0, kShearGroup, "Direction");
    BuildList(moveAxisList, 410, 160, 48, 20, "Axis", kAxisRows, 6);
    BuildList(waveTypeList, 80, 192, 98, 20, "Wave Type", kWaveRows, 3);
    {
        const float steps[3] = {0.1f, 1.0f, 1.0f};
        movementWindow.SetValueList(3, steps);
    }

    // What a new baseshape takes: the ball's start and the cell after the
    // selector's first.
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) defaults.rotation[3 * r + c] = trackBall.rotation[r][c];
    defaults.pickerX = shapeSelector.highlightX + 64.0f;
    defaults.pickerY = shapeSelector.highlightY;
    defaults.pickerFirst = shapeSelector.first;
    defaults.pickerCell = shapeSelector.cell + 1;
    shapeSelector.selected = defaults.pickerFirst + defaults.pickerCell;

    gBaseshapeHooks.showInEditor = [](int i) { gBaseShapeEditor.Select(i); };
    gBaseshapeHooks.texturePreview = [](int i) { gBaseShapeEditor.UploadTexturePreview(i); };
    gBaseshapeHooks.dmapPreview = [](int i) { gBaseShapeEditor.UploadDMapPreview(i); };

    gCurrentBaseshape = 0;
    gBaseshapeCount = 0;
    InitNewBaseshape(defaults, 0);
    UploadTexturePreview(0);
    UploadDMapPreview(0);
    HideWidgets();
    gUseBaseshapes = 0;
    built = 1;
    SaveBaseshapeUndo(undo, applyToAll);  // the first undo copy
}

bool BaseShapeEditor::Editing() const { return gBaseShapeEditorOpen != 0 && widgetsOpen != 0 && gBaseshapeCount > 0; }

// ---- [previews] ---------------------------------------------------------------------

namespace {

void UploadPreview(unsigned texture, const BaseshapeImage& image, uint32_t bytesPerPixel)
{
    std::vector<uint8_t> rgb(kBaseshapePreviewSide * kBaseshapePreviewSide * 3);
    BuildBaseshapePreview(image, bytesPerPixel, rgb.data());
    ReplaceRgbTexture(texture, kBaseshapePreviewSide, kBaseshapePreviewSide, rgb.data());
}

int Slot(int i) { return i >= 0 && i < kMaxBaseshapes ? i : 0; }

}  // namespace

void BaseShapeEditor::UploadTexturePreview(int i) { UploadPreview(texturePreviewTexture, gBaseshapeTextures[Slot(i)], 3); }

void BaseShapeEditor::UploadDMapPreview(int i) { UploadPreview(dmapPreviewTexture, gBaseshapeDMaps[Slot(i)], 1); }

// The panel shows baseshape i: its first page, its ranges and pictures.
void BaseShapeEditor::Select(int i)
{
    gCurrentBaseshape = std::clamp(i, 0, kMaxBaseshapes - 1);
    page = 0;
    rangesFor = selectorShownFor = -1;
    trackBall.axis[0] = trackBall.axis[2] = 0.0f;
    trackBall.axis[1] = 1.0f;
    UploadTexturePreview(gCurrentBaseshape);
    UploadDMapPreview(gCurrentBaseshape);
}

void BaseShapeEditor::ShowPreview(int kind, const uint8_t* rgb)
{
    const unsigned texture = kind == kBsDMapJob ? dmapPreviewTexture : texturePreviewTexture;
    ReplaceRgbTexture(texture, kBaseshapePreviewSide, kBaseshapePreviewSide, rgb);
}

// ---- [readout] ----------------------------------------------------------------------

namespace {

// The interior icons: a hollow ball (points on the surface) and a solid one.
void DrawInteriorIcon(bool filled)
{
    constexpr float x0 = 444, y0 = 622, cx = 476, cy = 654, r = 26;
    // The texts before leave texturing and the depth test on.
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.0f, 0.0f, 0.0f);
    FlatQuad(x0, y0, x0 + 64, y0 + 64, kZ);
    glColor3f(0.5f, 0.5f, 0.5f);
    OutlineQuad(x0, y0, x0 + 64, y0 + 64, kZ);
    constexpr int kSteps = 48;
    if (filled) {
        // Rings from the rim inwards, brightening towards the lit centre.
        for (int ring = 0; ring < 13; ++ring) {
            const float rr = r * (1.0f - static_cast<float>(ring) / 13.0f), shade = 0.3f + 0.05f * static_cast<float>(ring);
            glColor3f(shade, shade * 0.8f, 0.2f);
            glBegin(GL_TRIANGLE_FAN);
            glVertex3f(cx - 6, cy + 6, kZ);
            for (int k = 0; k <= kSteps; ++k) {
                const float a = 6.2831853f * static_cast<float>(k) / kSteps;
                glVertex3f(cx - 6 * (1 - rr / r) + rr * std::cos(a), cy + 6 * (1 - rr / r) + rr * std::sin(a), kZ);
            }
            glEnd();
        }
        return;
    }
    glColor3f(0.9f, 0.75f, 0.2f);
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k < kSteps; ++k) {
        const float a = 6.2831853f * static_cast<float>(k) / kSteps;
        glVertex3f(cx + r * std::cos(a), cy + r * std::sin(a), kZ);
    }
    glEnd();
    glBegin(GL_LINE_LOOP);  // the equator, seen from a little above
    for (int k = 0; k < kSteps; ++k) {
        const float a = 6.2831853f * static_cast<float>(k) / kSteps;
        glVertex3f(cx + r * std::cos(a), cy + 0.3f * r * std::sin(a), kZ);
    }
    glEnd();
}

// The colour table as 16 by 16 swatches over a dark backing.
void DrawColorTable(const ColorRamp& ramp)
{
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.1f, 0.1f, 0.1f);
    FlatQuad(67, 262, 196, 391, kZ);
    ColorSwatchGrid(ramp.r, ramp.g, ramp.b, 69.0f, 384.0f, kZ);
}

}  // namespace

void BaseShapeEditor::DrawReadout()
{
    if (!gBaseShapeEditorOpen) return;
    // A finished generation: the previews show the full image.
    const uint8_t running = redraw.load();
    if (redrawSeen && !running && gBaseshapeCount > 0) {
        UploadTexturePreview(gCurrentBaseshape);
        UploadDMapPreview(gCurrentBaseshape);
    }
    redrawSeen = running;

    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_LINE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor3f(1, 1, 1);
    DrawText(32, 856, "Baseshape:", 1);
    numberBox.SetNumber(gCurrentBaseshape);
    numberBox.visible = 1;
    numberBox.Draw();
    if (Editing()) {
        const int i = Slot(gCurrentBaseshape);
        BaseshapeRecord& r = gBaseshapes[i];
        const int type = r.shapeType;
        glDisable(GL_TEXTURE_2D);
        switch (tab) {
        case kBsShapeTab:
            glColor3f(1, 1, 1);
            if (type >= 0 && type < kBaseshapeKinds) DrawText(48, 780, gBaseshapeTypeNames[static_cast<size_t>(type)], 1);
            if (type >= 0 && type < kBaseshapeTableSize && gBaseshapeHasFilled[type]) {
                glDisable(GL_BLEND);
                DrawInteriorIcon(r.interior != 0);
            }
            break;
        case kBsControlsTab:
            glColor3f(1, 1, 1);
            DrawText(48, 419, "Position", 1);
            DrawText(150, 419, "X=          Y=          Z=", 1);
            DrawFloatText(170, 419, r.position[0]);
            DrawFloatText(266, 419, r.position[1]);
            DrawFloatText(362, 419, r.position[2]);
            break;
        case kBsColorsTab:
            // A kind that cannot be texture-coloured drops its texture.
            if (type >= 0 && type < kBaseshapeTableSize && !gBaseshapeTextureOk[type]) r.useTexture = 0;
            if (r.useGradient) {
                glDisable(GL_BLEND);
                DrawColorTable(gBaseshapeColorRamps[i]);
            }
            break;
        case kBsAnimationTab:
            glColor3f(1, 1, 1);
            DrawText(40, 796, "Rotation", 1);
            DrawText(40, 404, "Movement", 1);
            break;
        default: break;
        }
    }
    glPopAttrib();
}

// ---- [fixed rotations] --------------------------------------------------------------

const float* BaseshapeFixedRotation(int row)
{
    static const float kRotations[7][9] = {
        {0.7071f, 0, -0.7071f, 0, 1, 0, 0.7071f, 0, 0.7071f},  // "XZ"
        {0, 1, 0, 1, 0, 0, 0, 0, 1},                           // "-Z"
        {0, 0, -1, 0, -1, 0, 1, 0, 0},                         // "-Y"
        {1, 0, 0, 0, 0, -1, 0, -1, 0},                         // "-X"
        {0, -1, 0, 1, 0, 0, 0, 0, 1},                          // "+Z"
        {0, 0, -1, 0, 1, 0, 1, 0, 0},                          // "+Y"
        {1, 0, 0, 0, 0, -1, 0, 1, 0},                          // "+X"
    };
    return row >= 1 && row <= 7 ? kRotations[row - 1] : nullptr;
}

void BaseshapeAxisPreset(int row, const float* rotation, float out[3])
{
    static const float kAxes[6][3] = {{0, 0, -1}, {0, -1, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
    if (row >= 2 && row <= 7) {
        std::memcpy(out, kAxes[row - 2], sizeof kAxes[0]);
        return;
    }
    // "XZ" and "Rf": the second column of the rotation, or its negation.
    const float sign = row == 0 ? -1.0f : 1.0f;
    for (int k = 0; k < 3; ++k) out[k] = sign * rotation[3 * k + 1];
}
