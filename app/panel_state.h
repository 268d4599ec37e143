// What the option pages remember that no model keeps: the page on screen,
// the choices that only steer the panels (the texture page's colour panel,
// the light editor's lists), and the requests that the release turns into
// model changes (a new fractal type, a render size). The panels' controls
// edit these fields like any model value. A control that shows a model
// value is bound to the model itself (through a getter and a setter where
// no one variable holds it), never to a copy here.
#pragma once

#include <cstdint>

#include "ui/panel_pages.h"  // the tabs and pages

inline constexpr int32_t kNoFractalTypeRequest = -1;

struct PanelState {
    // The main tab strip's choice is gCurrentTab (create_interface.h).
    int32_t renderPage = kPageMaterials;
    int32_t editorPage = kPageBaseshapes;
    int32_t materialTab = kMaterialAmbient;

    // "Fractals"
    // "Fractal Type": a type picked that the release makes the type, once no
    // export runs and no editor is shown (kNoFractalTypeRequest: none); the
    // list shows it meanwhile, else gFractalType.
    int32_t fractalTypeRequest = kNoFractalTypeRequest;
    uint8_t colorByTransformation = 0; // "Color by Transformation"

    // "Render" / "Materials": the ambient (0) and diffuse (1) texture pages.
    uint8_t generatorOn[2] = {};       // "Texture Generator"
    uint8_t colorPanelShown[2] = {};   // "Color" shows the page's colour panel
    int32_t colorPanelRgb[2][3] = {};  // the colour "Select" gives the texture
    int32_t format = 0;                // "Format": 0 "Tile", 1 "Plane", 2 "Sphere"
    int32_t presetEntry[5] = {};       // the entry chosen in each preset panel
    int32_t textureListEntry = -1;     // the texture folder file chosen, -1 none

    // "Camera"
    float renderSize[2] = {2048.0f, 2048.0f};  // "Render Resolution:" (the next "Change")
    uint8_t antiAlias2x = 0;           // "Enable 2X AA." (the next "Change")
    float perspectiveAngle = 60.0f;    // "Perspective"
    int32_t fixedView = 0;             // "Fixed View"
    int32_t resolutionPreset = 0;      // "Resolution presets"
    int32_t viewPanel = 1;             // "Panel": 1 "Vector", 0 "Points"

    // "Editors" / "Additional Objects": the light editor.
    uint8_t lightEditOn = 0;           // "Edit"
    int32_t objectToEdit = 1;          // "Object to Edit:": 1 "Additional Lights", 0 "Camera POV"
    int32_t lightWindow = 2;           // "Window": 3 "Camera", 2 "Front", 1 "Left", 0 "Top"
    int32_t lightControls = 0;         // "Controls": 1 "Rotate", 0 "Pan"
    int32_t lightTrans = 4;            // "Trans": 4 "Free" .. 0 "Center"
    int32_t lightRotation = 4;         // "Rot": 4 "T" .. 0 "0"

    // "Voxels"
    int32_t voxelResolution = 1;       // "Voxel Resolution": 1 "200x200x200 vx", 0 "400x400x400 vx"
    int32_t interpolation = 4;         // "Interpolation Type": 4 "Cubes" .. 0 "Median 5X"
    float density[2] = {0.5f, 1.0f};   // "Density Threshold      Thin <-*-> Thick": value, distance
    float sideLength = 10.0f;          // "Side Length of the Voxel Volume:"
    uint8_t interiorWall = 0;          // "Interior Wall"
    float wallThickness[2] = {2.0f, 1.0f};  // "Wall Thickness (Voxels)": value, distance
    uint8_t scaleMesh = 0;             // "Scale the output Mesh"

    // "Animation"
    uint8_t previewAnimations = 0;     // "Enable Preview Animations"
    float renderParameters[3] = {0.0f, 100.0f, 1.0f};  // start frame, frames, frame iterations
    float cycleFrames = 100.0f;        // "Number of Frames for a Complete Cycle"
    int32_t imageType = 1;             // "Image Type": 1 "BMP - Windows Bitmap", 0 "PNG"
    int32_t axis = 6;                  // "Axis": from the lowest row, 6 "+Y"
    float rotationAxis[3] = {0.0f, 1.0f, 0.0f};  // "Rotation Axis"
};

extern PanelState gPanel;
