// The main options panel's widgets and operations.
// Sections: [tables] [build] [lists] [animation] [scene export] [grids]
// [page drawing] [shell services].
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/action_buttons.h"
#include "app/create_interface.h"
#include "engine/file_dialogs.h"
#include "app/interface_layout.h"
#include "app/interface_panel.h"
#include "app/panel_state.h"
#include "shading/animation_step.h"
#include "engine/status_line.h"
#include "app/frame.h"
#include "engine/baseshape_animation.h"
#include "engine/baseshape_record.h"
#include "engine/baseshape_seed_pick.h"
#include "engine/baseshape_model.h"
#include "engine/fractal_model.h"
#include "engine/kernel_framework.h"
#include "engine/vector_math.h"
#include "materials/shader.h"
#include "platform/desktop/gl_api.h"
#include "platform/desktop/gl_window.h"
#include "render/render_buffers.h"
#include "render/render_threads.h"
#include "render/view_camera.h"
#include "shading/shading_settings.h"
#include "ui/font.h"
#include "ui/widget.h"
#include "engine/window_ranges.h"

// ---- [tables] -------------------------------------------------------------------
namespace {

constexpr int kZ = 30;
constexpr int kPanelGroup = 3;  // drag group of the panel's windows and ball

const uint8_t kKavrolinKinds[79] = {1,  2,   3,   4,   6,   9,   10,  12,  11,  16,  17,  20,  22,  23,  24,  27,
                                    30, 31,  32,  33,  35,  36,  38,  39,  40,  43,  44,  45,  56,  59,  61,  62,
                                    63, 65,  66,  69,  71,  72,  74,  75,  78,  80,  81,  83,  88,  89,  91,  93,
                                    95, 96,  97,  98,  58,  100, 101, 102, 106, 108, 109, 110, 111, 112, 113, 114,
                                    115, 116, 117, 118, 119, 120, 121, 122, 123, 125, 126, 127, 130, 131, 132};
const uint8_t kKavrolinTypes[30] = {0,  1,  2,  7,  8,  10, 11, 12, 15, 16, 18, 20, 21, 22, 23,
                                    24, 25, 26, 27, 28, 29, 30, 31, 37, 38, 40, 43, 44, 47, 48};
const uint8_t kTypeButtonTypes[] = {0, 1, 2, 7, 10, 15, 20, 23, 24, 28, 29, 37, 38, 40, 42, 43, 44, 46, 47, 48};

// "Control Sensitivity" by selection (counted from the lowest row).
const float kSensitivities[7] = {0.001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.5f, 1.0f};

const char* const kSensitivityRows[] = {"Normal",  "Medium",       "Fine",             "Very Fine",
                                        "Precise", "Very Precise", "Extremely Precise"};
const char* const kGridRows[] = {"None", "Cross", "Thirds", "Divine1", "Divine2"};
const char* const kShadowRows[] = {"On", "Off"};
const char* const kProjectionRows[] = {"Perspective", "Orthographic"};
// Cells from the right, as the list's builder takes them: F, B, U, D, L, R
// from the left.
const char* const kFixedViewCells[] = {"R", "L", "D", "U", "B", "F"};
const char* const kColorFunctionRows[] = {"Standard",
                                          "Transformation: Color Interpolation",
                                          "Transformation: Color Addition",
                                          "Transformation: Color Multipliation",
                                          "Transformation: Interp. blend with Texture",
                                          "Transformation: Color",
                                          "Transformation: Blend Color with Texture",
                                          "Baseshape: Color",
                                          "Transformation: Weighted Interpolation"};
const char* const kImageTypeRows[] = {"BMP - Windows Bitmap", "PNG - Portable Network Graphics"};
const char* const kAxisRows[] = {"+X", "+Y", "+Z", "-X", "-Y", "-Z", "+A", "-A"};
const char* const kTextureTabs[] = {"Ambient", "Diffuse", "Specular", "Advanced"};
const char* const kFormatRows[] = {"Sphere", "Plane", "Tile"};
const char* const kVoxelResolutionRows[] = {"200x200x200 vx", "400x400x400 vx"};
const char* const kInterpolationRows[] = {"Cubes", "Linear", "Gaussian", "Median 3X", "Median 5X"};
const char* const kBlendingRows[] = {"Replace",      "Addition",     "Multiply", "Average", "Difference",
                                     "Darken only",  "Lighten only", "Screen",   "Negation"};
const char* const kBackgroundTypeRows[] = {"SkyLight", "Images or textures"};
const char* const kResolutionPresets[] = {
    "Desktop Resolution",   "512 x 512      1:1",   "832 x 832      1:1",   "800 x 600      4:3",
    "1024 x 768     4:3",   "1280 x 720     16:9",  "1280 x 800     16:10", "1280 x 1024    5:4",
    "1360 x 768     16:9",  "1366 x 768     16:9",  "1440 x 900     16:9",  "1600 x 900     16:9",
    "1680 x 1050    16:10", "1920 x 1080    16:9",  "1024 x 1024    1:1",   "2048 x 2048    1:1",
    "2560 x 2560    1:1",   "3072 x 3072    1:1"};
const char* const kSymmetryRows[] = {"Normal",        "Tetrahedron",   "Octahedron",        "Hexahedron",
                                     "Dodecahedron",  "Icosahedron",   "Penta",             "Loxodrome",
                                     "Sphere",        "Array 3x3",     "Array 5x5",         "Rotation XZ",
                                     "Rotation XY",   "Combined Rotation", "XYZ Reflection", "X Reflection",
                                     "Y Reflection",  "Z Reflection",  "Dihedral XZ",       "Dihedral XY",
                                     "Dihedral XZ Ref. Y"};

const char* const kDrawingTypes[] = {"Grayscale",        "Black and White", "Standard", "Radial Gradient",
                                     "Angular Gradient", "Color Shaded",    "Stipple"};
const char* const kLightDistributions[] = {"Standard",    "Sine Stripes", "Cosine Stripes", "Exponential",
                                           "Random",      "Interference", "Soft Light",     "Inverse"};

// Window rows: caption list (title first) and six floats per row: minimum,
// maximum, start, clamp at minimum, clamp at maximum, whole numbers.
const char* const kFogCaptions[] = {"Parameters", "A", "B"};
const float kFogSteps[] = {0.1f, 0.1f};
const char* const kTurbidityCaptions[] = {"Sun Turbidity", "Value"};
const char* const kGammaCaptions[] = {"Gamma Correction", "Gamma"};
const char* const kRenderParameterCaptions[] = {"Render Parameters", "Start Frame", "Number of Frames",
                                                "Frame Iterations"};
const char* const kCycleCaptions[] = {"Number of Frames for a Complete Cycle", "Frames"};
const float kCycleRows[] = {0, 100000, 100, 1, 1, 1};
const char* const kDensityCaptions[] = {"Density Threshold      Thin <-*-> Thick", "Value", "Distance"};
const float kDensityRows[] = {0, 1, 0.5f, 1, 1, 0, 0, 10, 1, 1, 1, 0};
const char* const kSideLengthCaptions[] = {"Side Length of the Voxel Volume:", ""};
const float kSideLengthRows[] = {0.1f, 1000, 10, 1, 1, 0};
const char* const kWallCaptions[] = {"Wall Thickness (Voxels)", "Value", "Distance"};
const float kWallRows[] = {1, 50, 2, 1, 1, 1, 0, 10, 1, 1, 1, 0};
const char* const kWeightCaptions[] = {"Color Interpolation Weight", "Weight"};
const char* const kShadowSamplingCaptions[] = {"Shadow Sampling Parameters", "Samples", "Radius"};
const char* const kVolumetricFogCaptions[] = {"Volumetric Fog Color", "Red", "Green", "Blue"};
const char* const kFresnelCaptions[] = {"Fresnel Parameters", "Fresnel Ext.", "Fresnel Int."};
// The current material's windows; start values as gShader's defaults.
const char* const kAmbientCaptions[] = {"Ambient Parameters", "Intensity", "Rotation", "Roughness"};
const float kAmbientSteps[] = {0.1f, 1, 0.1f};
const char* const kDiffuseCaptions[] = {"Diffuse Parameters", "Intensity", "Rotation Angle"};
const float kDiffuseSteps[] = {0.1f, 1};
const char* const kSpecularCaptions[] = {"Specular Parameters", "Magnitude", "Intensity"};
const float kSpecularSteps[] = {1, 0.1f};
const char* const kShadowDepthCaptions[] = {"Shadow Depth", "Depth"};
const char* const kSidesCaptions[] = {"Sides:", "Sides"};
const char* const kSeparationCaptions[] = {" ", "Separation"};

template <int N>
void BuildList(ListBox& list, PanelPlaceId id, const char* caption, const char* const (&rows)[N], int selected)
{
    const PanelPlace& p = Place(id);
    list.Build(p.x, p.y, kZ, p.width, p.h, N, caption, rows);
    list.selected = list.previous = selected;
    list.selectedFromTop = N - 1 - selected;
}

void BuildBox(OptionsBox& box, PanelPlaceId id, const char* caption, uint8_t on)
{
    const PanelPlace& p = Place(id);
    const char* labels[] = {caption};
    box.Build(p.x, p.y, kZ, p.width, p.h, 1, caption, labels);
    box.flags[0] = on;
}

void BuildWindow(SLWindow& window, PanelPlaceId id, const char* const* captions, const float* rows)
{
    const PanelPlace& p = Place(id);
    window.Build(p.x, p.y, kZ, p.width, p.h, p.rows, captions, rows, kPanelGroup);
}

template <int N>
void BuildDropBox(NewDropBox& box, PanelPlaceId id, const char* caption, const char* const (&rows)[N])
{
    const PanelPlace& p = Place(id);
    box.Build(p.x, p.y, kZ, p.width, p.h, N, p.rows, caption, rows);
}

// The matrix m (row-major 3 x 3) times n.
void Multiply3(const float* m, const float* n, float* out)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) out[3 * r + c] = m[3 * r] * n[c] + m[3 * r + 1] * n[3 + c] + m[3 * r + 2] * n[6 + c];
}

void Transpose3(const float* m, float* out)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) out[3 * c + r] = m[3 * r + c];
}

}  // namespace

Interface gInterface;

// ---- [build] --------------------------------------------------------------------

void Interface::Build()
{
    std::memcpy(kavrolinKinds, kKavrolinKinds, sizeof kavrolinKinds);
    std::memcpy(kavrolinTypes, kKavrolinTypes, sizeof kavrolinTypes);
    std::memset(typeButtonsAllowed, 0, sizeof typeButtonsAllowed);
    for (uint8_t type : kTypeButtonTypes) typeButtonsAllowed[type] = 1;

    BuildBox(enableFog, kPlaceEnableFog, "Enable Fog", 0);
    BuildBox(enableBackground, kPlaceEnableBackground, "Enable Background", 0);
    BuildBox(enableDrawingShaders, kPlaceEnableDrawingShaders, "Enable Drawing Shaders", 0);
    BuildBox(enableVolumetricFog, kPlaceEnableVolumetricFog, "Enable Volumetric Fog", 0);
    BuildWindow(fogParameters, kPlaceFogParameters, kFogCaptions, kFogRows);
    fogParameters.SetValueList(2, kFogSteps);
    BuildWindow(sunTurbidity, kPlaceSunTurbidity, kTurbidityCaptions, kTurbidityRows);
    BuildWindow(volumetricFogColor, kPlaceVolumetricFogColor, kVolumetricFogCaptions, kVolumetricFogRows);
    BuildList(drawingType, kPlaceDrawingType, "Drawing Type", kDrawingTypes, kDrawingStandard);
    BuildList(backgroundType, kPlaceBackgroundType, "Background Type", kBackgroundTypeRows, 1);
    BuildBox(backgroundReflection, kPlaceBackgroundReflection, "Background Reflection", 0);
    BuildBox(affectedByFog, kPlaceAffectedByFog, "Affected by Fog", 0);

    BuildWindow(shadowSampling, kPlaceShadowSampling, kShadowSamplingCaptions, kShadowSamplingRows);
    {
        const PanelPlace& p = Place(kPlaceEnhancedDarkening);
        const char* labels[] = {"Enhanced Darkening FX", "Ray casting Algorithm"};
        enhancedDarkening.Build(p.x, p.y, kZ, p.width, p.h, 2, "Enhanced Darkening FX", labels);
    }

    BuildList(lightDistribution, kPlaceLightDistribution, "Light Distribution Shader", kLightDistributions,
              kLightDistributionStandard);
    BuildWindow(gammaCorrection, kPlaceGamma, kGammaCaptions, kGammaRows);
    BuildWindow(colorInterpolationWeight, kPlaceColorInterpolationWeight, kWeightCaptions, kColorWeightRows);
    BuildList(materialColorBlend, kPlaceMaterialColorBlend, "Material Color Blend", kBlendingRows, 7);
    BuildList(colorFunction, kPlaceColorFunction, "Color Function (Baseshapes and Trasformations)",
              kColorFunctionRows, 8);
    BuildList(blendingFunction, kPlaceBlendingFunction, "Blending Function", kBlendingRows, 8);

    {
        const PanelPlace& p = Place(kPlaceTextureTab);
        textureTab.Build(p.x, p.y, kZ, p.width, p.h, p.rows, kTextureTabs);
    }
    BuildWindow(ambientParameters, kPlaceAmbientParameters, kAmbientCaptions, kAmbientRows);
    ambientParameters.SetValueList(3, kAmbientSteps);
    BuildWindow(diffuseParameters, kPlaceDiffuseParameters, kDiffuseCaptions, kDiffuseRows);
    diffuseParameters.SetValueList(2, kDiffuseSteps);
    BuildWindow(specularParameters, kPlaceSpecularParameters, kSpecularCaptions, kSpecularRows);
    specularParameters.SetValueList(2, kSpecularSteps);
    BuildWindow(shadowDepth, kPlaceShadowDepth, kShadowDepthCaptions, kShadowDepthRows);
    {
        const PanelPlace& p = Place(kPlaceMaterialColor);
        ambientColor.Build(p.x, p.y, kZ, "Ambient  R       G       B ", kPanelGroup);
        diffuseColor.Build(p.x, p.y, kZ, "Diffuse  R       G       B ", kPanelGroup);
    }
    BuildBox(enableFresnel, kPlaceEnableFresnel, "Enable Fresnel Equation", 0);
    BuildWindow(fresnelParameters, kPlaceFresnelParameters, kFresnelCaptions, kFresnelRows);
    BuildList(format, kPlaceFormat, "Format", kFormatRows, 0);
    for (TexturePanel& folder : textureFolders) folder.Build(kTexturePickerX, kTexturePickerY, kZ, 0, 0, "", 0);

    BuildList(controlSensitivity, kPlaceControlSensitivity, "Control Sensitivity", kSensitivityRows, 5);
    BuildList(grid, kPlaceGrid, "Grid", kGridRows, 4);
    BuildList(shadows, kPlaceShadows, "Shadows", kShadowRows, 0);
    BuildList(projection, kPlaceProjection, "Projection", kProjectionRows, 0);
    SharedStore(gFastShadowUpdate, 0);
    SharedStore(gProjectionSelector, 0);
    {
        const PanelPlace& p = Place(kPlaceFixedView);
        fixedView.Build(p.x, p.y, kZ, p.width, p.h, p.rows, "Fixed View", kFixedViewCells, true);
    }
    BuildDropBox(resolutionPresets, kPlaceResolutionPresets, "Resolution presets", kResolutionPresets);
    BuildDropBox(symmetry, kPlaceSymmetry, "Symmetry", kSymmetryRows);
    BuildWindow(sides, kPlaceSides, kSidesCaptions, kSidesRows);
    BuildWindow(separation, kPlaceSeparation, kSeparationCaptions, kSeparationRows);

    BuildList(voxelResolution, kPlaceVoxelResolution, "Voxel Resolution", kVoxelResolutionRows, 1);
    BuildList(interpolationType, kPlaceInterpolationType, "Interpolation Type", kInterpolationRows, 4);
    BuildWindow(densityThreshold, kPlaceDensityThreshold, kDensityCaptions, kDensityRows);
    BuildWindow(sideLength, kPlaceSideLength, kSideLengthCaptions, kSideLengthRows);
    BuildBox(interiorWall, kPlaceInteriorWall, "Interior Wall", 0);
    BuildBox(scaleMesh, kPlaceScaleMesh, "Scale the output Mesh", 0);
    BuildBox(fillBaseshapes, kPlaceFillBaseshapes, "Fill Baseshapes when possible", 1);
    BuildWindow(wallThickness, kPlaceWallThickness, kWallCaptions, kWallRows);

    BuildBox(previewAnimations, kPlacePreviewAnimations, "Enable Preview Animations", 0);
    BuildWindow(renderParameters, kPlaceRenderParameters, kRenderParameterCaptions, kRenderParameterRows);
    BuildList(imageType, kPlaceImageType, "Image Type", kImageTypeRows, 1);
    BuildList(axis, kPlaceAxis, "Axis", kAxisRows, 6);  // "+Y"
    {
        const PanelPlace& p = Place(kPlaceRotationAxis);
        rotationAxis.Build(p.x, p.y, kZ, p.width, p.h, 0, kPanelGroup, "Rotation Axis");
        SetAnimationAxis(1);
    }
    {
        const PanelPlace& p = Place(kPlaceCycleFrames);
        cycleFrames.Build(p.x, p.y, kZ, p.width, p.h, p.rows, kCycleCaptions, kCycleRows, kPanelGroup);
    }
    BuildBox(colorByTransformation, kPlaceColorByTransformation, "Color by Transformation", 0);

    std::snprintf(outputBaseName, sizeof outputBaseName, "%.260s/Anim", gImagesPath);
    frameTickCount = 0;
    SharedStore(gAnimationFrameLength, 1);
    for (unsigned& list : gridLists) list = glGenLists(1);
    BuildGridOverlays(256, 256);
    SetGridRow(4);                 // "None"
    SetControlSensitivityRow(5);   // "Medium"
    UpdateTypeButtons();
}

// ---- [lists] --------------------------------------------------------------------

int Interface::ControlSensitivityRow() const
{
    for (int row = 0; row < 7; ++row)
        if (kSensitivities[row] == gControlSensitivity) return row;
    return -1;
}

void Interface::SetControlSensitivityRow(int row)
{
    if (row >= 0 && row < 7) gControlSensitivity = kSensitivities[row];
}

// The lists are kept "Cross", "Thirds", "Divine1", "Divine2", "None".
constexpr int kGridListOfRow[5] = {3, 2, 1, 0, 4};

int Interface::GridRow() const
{
    for (int row = 0; row < 5; ++row)
        if (gridLists[kGridListOfRow[row]] == gGridOverlayList) return row;
    return -1;
}

void Interface::SetGridRow(int row)
{
    if (row >= 0 && row < 5) gGridOverlayList = gridLists[kGridListOfRow[row]];
}

void Interface::SetAnimationAxis(int fromTop)
{
    float a[3] = {0, 1, 0};
    static const float kFixed[6][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    if (fromTop >= 0 && fromTop < 6) {
        std::memcpy(a, kFixed[fromTop], sizeof a);
    } else if (fromTop == 6 || fromTop == 7) {
        const float sign = fromTop == 6 ? 1.0f : -1.0f;
        a[0] = sign * savedCamera[1];
        a[1] = sign * savedCamera[4];
        a[2] = sign * savedCamera[7];
    }
    // The ball shows the new axis with its rotations reset (the control's show).
    for (int k = 0; k < 3; ++k) gPanel.rotationAxis[k] = a[k];
}

// ---- [animation] ----------------------------------------------------------------

bool Interface::ChooseOutputFilename()
{
    if (!TryBeginFileOperation()) return false;
    FileOperationEnd busy;
    const bool bitmap = gPanel.imageType == 1;
    const int kind = bitmap ? 15 : 14;  // the image kinds offered to save only
    bool changed = false;
    if (ShowSaveFileDialog(kind, 0, gDialogDefaultFolderFlags[bitmap ? 1 : 0])) {
        // A cut path would name another file: a path that does not fit is refused.
        const size_t length = std::strlen(gFilePath);
        if (length >= sizeof outputBaseName) {
            SetStatusText("The output file name is too long");
        } else {
            std::memcpy(outputBaseName, gFilePath, length + 1);
            changed = true;
        }
    }
    return changed;
}

void Interface::SetSymmetryRotation(int mode)
{
    if (mode == 0) {
        std::memcpy(savedCamera, gCameraMatrix, sizeof savedCamera);
    } else if (mode == 2) {
        std::memcpy(gCameraMatrix, savedCamera, sizeof savedCamera);
    } else if (mode == 1) {
        const int n = CheckedTruncToInt(gPanel.cycleFrames);
        if (n == 0) return;
        float a[3];
        for (int k = 0; k < 3; ++k) a[k] = gPanel.rotationAxis[k];
        const float length = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
        if (!(length > 0.0f) || !std::isfinite(length)) return;
        for (float& c : a) c /= length;
        float turn[9], t[9], product[9];
        AxisAngleMatrix(a, 6.2831855f / static_cast<float>(n), turn);
        Transpose3(gCameraMatrix, t);
        Multiply3(t, turn, product);
        Transpose3(product, gCameraMatrix);
    }
}

void SetSymmetryRotation(int mode) { gInterface.SetSymmetryRotation(mode); }

// ---- [scene export] -------------------------------------------------------------

bool Interface::CanExportKavrolinScene() const
{
    const int type = gFractalType;
    if (type == 46 || type == 49) return false;
    bool listed = false;
    for (uint8_t t : kavrolinTypes) listed = listed || t == type;
    if (!listed) return false;
    const int count = gBaseshapeCount < 0 ? 0 : (gBaseshapeCount > kMaxBaseshapes ? kMaxBaseshapes : gBaseshapeCount);
    for (int i = 0; i < count; ++i) {
        for (uint8_t kind : kavrolinKinds)
            if (gBaseshapes[i].shapeType == kind) return true;
    }
    return false;
}

void Interface::UpdateTypeButtons()
{
    const int type = gFractalType;
    const bool allowed = type >= 0 && type < kFractalTypeCount && typeButtonsAllowed[type] && gTransformCount >= 3;
    EnableActionButton(kActionRandomSuccessors, allowed);
    EnableActionButton(kActionClearSuccessors, allowed);
}

void UpdateTypeButtonsCallback() { gInterface.UpdateTypeButtons(); }
bool CanExportKavrolinScene() { return gInterface.CanExportKavrolinScene(); }

// ---- [grids] --------------------------------------------------------------------

unsigned gGridOverlayList = 0;

namespace {

void Line(float xa, float ya, float xb, float yb)
{
    glVertex3f(xa, ya, 20.0f);
    glVertex3f(xb, yb, 20.0f);
}

// Opens a grid list; the first three grids follow the picture's aspect.
void BeginGrid(unsigned list, float r, bool fitted)
{
    glNewList(list, GL_COMPILE);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    // An overlay: the preview's quad lies nearer than the lines' depth.
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    if (fitted) {
        glTranslatef(0.0f, (1.0f - r) * 416.0f + 160.0f, 0.0f);
        glScalef(1.0f, r, 1.0f);
    }
    glColor3f(0.0f, 0.25f, 0.0f);
    glBegin(GL_LINES);
}

void EndGrid()
{
    glEnd();
    glPopMatrix();
    glPopAttrib();
    glEndList();
}

}  // namespace

void BuildGridOverlays(int width, int height)
{
    const unsigned* lists = gInterface.gridLists;
    if (lists[0] == 0) return;
    // A picture without width has no aspect: drawn square.
    const float r = width >= 1 && height >= 1 ? static_cast<float>(height) / static_cast<float>(width) : 1.0f;

    BeginGrid(lists[0], r, true);  // "Cross"
    for (int v = 16; v <= 496; v += 16) {
        const float t = 1.625f * static_cast<float>(v);
        Line(700, t, 708, t);
        Line(1530, t, 1522, t);
        Line(700 + t, 0, 700 + t, 8);
        Line(700 + t, 830, 700 + t, 822);
    }
    Line(701, 416, 1530, 416);
    Line(1116, 1, 1116, 830);
    EndGrid();

    BeginGrid(lists[1], r, true);  // "Thirds"
    Line(976.25f, 1, 976.25f, 830);
    Line(1255.75f, 1, 1255.75f, 830);
    Line(701, 276.25f, 1530, 276.25f);
    Line(701, 555.75f, 1530, 555.75f);
    EndGrid();

    BeginGrid(lists[2], r, true);  // "Divine1"
    Line(701, 317.79575f, 1532, 317.79575f);
    Line(701, 512.2043f, 1530, 512.2043f);
    Line(1017.7957f, 1, 1017.7957f, 830);
    Line(1212.2042f, 1, 1212.2042f, 830);
    EndGrid();

    BeginGrid(lists[3], r, false);  // "Divine2"
    glColor3f(0.725f, 0.25f, 0.25f);
    Line(701, 318.89786f, 1530, 318.89786f);
    Line(701, 833.1022f, 1530, 833.1022f);
    glColor3f(0.0f, 0.25f, 0.0f);
    Line(1017.7957f, 318.89786f, 1017.7957f, 833.1022f);
    Line(1212.2042f, 318.89786f, 1212.2042f, 833.1022f);
    Line(701, 636.69354f, 1530, 636.69354f);
    Line(701, 515.3064f, 1530, 515.3064f);
    EndGrid();

    glNewList(lists[4], GL_COMPILE);  // "None"
    glEndList();
}

// ---- [page drawing] -------------------------------------------------------------

namespace {

const char* FileNamePart(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

}  // namespace

// The page's texts and rule; its widgets are drawn from the control table.
void Interface::DrawAnimationPage()
{
    DrawText(32, 860, "Animation Parameters", 1);
    DrawText(32, 492, "Fractal Rotation Controls", 1);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.3f, 0.3f, 0.3f);
    glBegin(GL_LINES);
    glVertex3f(24, 526, 10);
    glVertex3f(664, 526, 10);
    glEnd();
    glPopAttrib();
    DrawText(32, 644, "Base FileName:", 1);
    // A long name keeps its end, the part that changes, inside the page.
    const char* name = FileNamePart(outputBaseName);
    const size_t length = std::strlen(name);
    const size_t room = static_cast<size_t>(kBaseFileNameGlyphs);
    DrawText(kBaseFileNameX, 644, length > room ? name + (length - room) : name, 1);
    if (!ActionButtonEnabled(kActionRenderAnimation) && SharedLoad(gAnimationOn)) {
        DrawText(288, 604, "Rendering Frame:", 1);
        DrawIntText(420, 604, gAnimationFrame, 1);
    }
}

// ---- [shell services] -----------------------------------------------------------

// The panel's part of an animation start (the dispatcher has checked the
// voxel engine and disabled "Render Animation"): frame length and counter,
// the saved camera, and the scene wound forward to the start frame.
bool WindAnimationToStartFrame()
{
    Interface& panel = gInterface;
    SharedStore(gAnimationFrameLength, CheckedTruncToInt(gPanel.renderParameters[2]));
    const int start = CheckedTruncToInt(gPanel.renderParameters[0]);
    // Frames "Start Frame" .. "Start Frame" + "Number of Frames" - 1, named
    // from the base name the user chose.
    gAnimationFrame = start;
    gAnimationRange[0] = std::trunc(gPanel.renderParameters[0]);
    gAnimationRange[1] = std::trunc(gPanel.renderParameters[1]);
    gAnimationCallCounter = 0;
    gAnimationBaseName = panel.outputBaseName;
    panel.frameTickCount = 0;
    if (!gPanel.previewAnimations) panel.SetSymmetryRotation(0);
    panel.SetSymmetryRotation(2);
    const int count = gBaseshapeCount < 0 ? 0 : (gBaseshapeCount > kMaxBaseshapes ? kMaxBaseshapes : gBaseshapeCount);
    for (int i = 0; i < count; ++i) ComputeBaseshapeMatrix(i);
    // The spin accumulates step by step, so the start frame is reached by
    // running every frame before it.
    if (start <= 0) {
        gBaseshapeAnimationFrame = 0;
        AnimateBaseshapes();
    } else {
        for (int i = 0; i < start; ++i) {
            if (i > 0) panel.SetSymmetryRotation(1);
            gBaseshapeAnimationFrame = i;
            AnimateBaseshapes();
        }
    }
    return true;
}

void RestoreSavedCamera() { gInterface.SetSymmetryRotation(2); }
void UncheckPreviewAnimations() { gPanel.previewAnimations = 0; }

const char* FixedViewLabel(int cell)
{
    constexpr int count = static_cast<int>(sizeof kFixedViewCells / sizeof kFixedViewCells[0]);
    return cell >= 0 && cell < count ? kFixedViewCells[count - 1 - cell] : "";
}
