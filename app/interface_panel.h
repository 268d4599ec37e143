// The main options panel gInterface: the widgets of the option pages that no
// other panel owns (fog and background, drawing shaders, shaders, colouring,
// view, voxel and animation pages), the preview's grid overlays, the
// animation camera and the output base name. The widgets show model values
// through the control tables (app/control_tables.h); the push buttons of the
// pages are the dispatcher's (gActionButtons).
#pragma once

#include <cstdint>

#include "ui/balls.h"
#include "ui/color_panels.h"
#include "ui/option_lists.h"
#include "ui/picture_pickers.h"
#include "ui/scroll_lists.h"
#include "ui/slider_windows.h"
#include "ui/tabs.h"

// The animation page's output name: where it starts and how many glyphs
// it shows before the preview.
inline constexpr int kBaseFileNameX = 148;
inline constexpr int kBaseFileNameGlyphs = 66;

class Interface {
public:
    Interface() = default;
    virtual ~Interface() = default;

    // Builds every widget at its place (start-up step 9; needs the GL context).
    void Build();
    void DrawAnimationPage();
    void UpdateTypeButtons();
    bool CanExportKavrolinScene() const;
    // 0 saves the camera, 2 restores it, 1 turns it one animation step.
    void SetSymmetryRotation(int mode);
    // "Axis" row (0 "+X" .. 7 "-A" from the top) into the animation axis.
    void SetAnimationAxis(int fromTop);
    // "Control Sensitivity" (rows from the lowest, 0 "Extremely Precise" ..
    // 6 "Normal"): the row of gControlSensitivity (-1 when no row holds
    // it), and a row's factor into gControlSensitivity.
    int ControlSensitivityRow() const;
    void SetControlSensitivityRow(int row);
    // "Grid" (0 "Divine2" .. 4 "None" from the lowest row): the row of the
    // overlay replayed (-1 when none), and a row's overlay into gGridOverlayList.
    int GridRow() const;
    void SetGridRow(int row);
    // "Output Filename": the save dialog and the base name; false when nothing changed.
    bool ChooseOutputFilename();

    uint8_t kavrolinKinds[79] = {};
    uint8_t kavrolinTypes[30] = {};
    unsigned gridLists[5] = {};  // "Cross", "Thirds", "Divine1", "Divine2", "None"
    char outputBaseName[1040] = {};
    int frameTickCount = 0;
    float savedCamera[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    uint8_t typeButtonsAllowed[50] = {};

    // "Environment"
    OptionsBox enableFog, enableBackground, enableDrawingShaders, enableVolumetricFog;
    SLWindow fogParameters;           // "Parameters": p0, p1 of the fog
    SLWindow sunTurbidity;            // "Sun Turbidity"
    SLWindow volumetricFogColor;      // "Volumetric Fog Color"
    ListBox drawingType;              // "Drawing Type"
    ListBox backgroundType;           // "Background Type"
    OptionsBox backgroundReflection;  // "Background Reflection"
    OptionsBox affectedByFog;         // "Affected by Fog"
    // "Shaders"
    SLWindow shadowSampling;          // "Shadow Sampling Parameters"
    OptionsBox enhancedDarkening;     // "Enhanced Darkening FX"
    // "Advanced"
    ListBox lightDistribution;        // "Light Distribution Shader"
    SLWindow gammaCorrection;         // "Gamma Correction"
    SLWindow colorInterpolationWeight;
    ListBox materialColorBlend;       // "Material Color Blend"
    ListBox colorFunction;            // "Color Function (Baseshapes and Trasformations)"
    ListBox blendingFunction;         // "Blending Function"
    // "Materials": the material strip, the current material's windows and
    // colour panels, the texture format.
    Tab textureTab;
    SLWindow ambientParameters, diffuseParameters, specularParameters, shadowDepth;
    ColorPanel ambientColor;          // "Ambient  R       G       B "
    ColorPanel diffuseColor;          // "Diffuse  R       G       B "
    OptionsBox enableFresnel;         // "Enable Fresnel Equation"
    SLWindow fresnelParameters;       // "Fresnel Parameters"
    ListBox format;                   // "Format"
    // The textures folder, paged by thumbnails, for the ambient (0) and
    // diffuse (1) pages; "Select" takes the file chosen.
    TexturePanel textureFolders[2];
    // "Camera"
    ListBox controlSensitivity;       // "Control Sensitivity"
    ListBox grid;                     // "Grid"
    ListBox shadows;                  // "Shadows"
    ListBox projection;               // "Projection"
    HListBox fixedView;               // "Fixed View"
    NewDropBox resolutionPresets, symmetry;
    SLWindow sides, separation;
    // "Voxels"
    ListBox voxelResolution, interpolationType;
    SLWindow densityThreshold, sideLength, wallThickness;
    OptionsBox interiorWall, scaleMesh, fillBaseshapes;
    // "Animation"
    OptionsBox previewAnimations;     // "Enable Preview Animations"
    SLWindow renderParameters;        // "Render Parameters"
    ListBox imageType;                // "Image Type"
    ListBox axis;                     // "Axis"
    SimpleBall rotationAxis;          // "Rotation Axis"
    STWindow cycleFrames;             // "Number of Frames for a Complete Cycle"
    // "Fractals"
    OptionsBox colorByTransformation;
};

extern Interface gInterface;

// Start-up callback of the transformation editor: "RND" and "CLR" by type.
void UpdateTypeButtonsCallback();

// The grid chosen in "Grid", replayed over the preview (the panel's current
// grid list).
extern unsigned gGridOverlayList;
// Records the five grid lists for a picture of width x height.
void BuildGridOverlays(int width, int height);
// gInterface.SetSymmetryRotation: 0 save, 2 restore, 1 one animation step.
void SetSymmetryRotation(int mode);

// The label of "Fixed View"'s cell i counted from the left ("" outside).
const char* FixedViewLabel(int cell);
// gInterface.CanExportKavrolinScene for the dispatcher.
bool CanExportKavrolinScene();
// The camera an animation started from, back in place ("Stop" of an animation).
void RestoreSavedCamera();
// "Enable Preview Animations" unticked.
void UncheckPreviewAnimations();
// The animation fields, saved camera and start frame for a new animation.
bool WindAnimationToStartFrame();
