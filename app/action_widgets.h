// The widget values the main-window actions read or write, for the widgets
// whose panels are not built yet (the options panel, the texture tab, the
// voxel page). They sit here as plain values that the panels will own; tests
// set them as a user would.
#pragma once

#include <cstdint>

struct ActionWidgets {
    // Fractals page
    int fractalTypeSelection = 0;      // "Fractal Type"
    uint8_t colorByTransformation = 0; // "Color by Transformation"
    int materialBlendSelection = 0;    // "Material Color Blend"
    int colorFunctionSelection = 0;    // "Color Function"
    float sides = 3.0f;                // "Sides:"
    float separation = 0.0f;           // "Separation"
    uint8_t kavrolinAllowed = 0;       // CanExportKavrolinScene of the last type change

    // Render page: fog and environment
    uint8_t volumetricFogBox = 0;      // "Enable Volumetric Fog"
    uint8_t fogColorWindowShown = 0;   // "Volumetric Fog Color"
    float fogParameters[2] = {0.15f, 3.5f};
    float sunTurbidity = 5.0f;
    float fogColor[3] = {1.5f, 1.5f, 1.5f};

    // Camera page
    float resolution[2] = {2048.0f, 2048.0f};  // "Render Resolution:"
    uint8_t antiAlias2x = 0;                    // "Enable 2X AA."

    // Materials page: the texture tab (page 0 ambient, 1 diffuse)
    int texturePage = 0;
    uint8_t generatorOn[2] = {0, 0};   // "Texture Generator"
    int formatSelection = 0;           // "Format": 0 "Tile", 1 "Plane", 2 "Sphere"
    char textureListFile[260] = "";    // the file chosen in the texture list
    uint8_t colorPanelShown[2] = {0, 0};
    uint8_t colorPanelRgb[2][3] = {};

    // Voxels page
    int voxelResolutionSelection = 0;  // "Voxel Resolution"
    int interpolationSelection = 0;    // "Interpolation Type"
    float densityThreshold = 0.5f;     // "Density Threshold      Thin <-*-> Thick"
    float sideLength = 10.0f;          // "Side Length of the Voxel Volume:"
    uint8_t interiorWall = 0;          // "Interior Wall"
    float wallThickness = 2.0f;        // "Wall Thickness (Voxels)"
    uint8_t scaleMesh = 0;             // "Scale the output Mesh"
    char sideLengthLabel[32] = "";     // "in (%2.3f cm)"
    char slotNumberText[12] = "0";      // the material slot number box
    // Shown states of the voxel page's widgets.
    uint8_t densityShown = 0, interpolationShown = 0, interiorWallShown = 0, scaleMeshShown = 0;
    uint8_t wallThicknessShown = 0, sideLengthShown = 0, fillBaseshapesShown = 1;
    uint8_t ySliderShown = 1;          // the main window's vertical slider
};

extern ActionWidgets gActionWidgets;
