// Places, start values and rows of the material and light panel's widgets,
// which the Shader holds as members. BuildMaterialPanel builds them from the
// layout table below; drawing and hit tests read the widgets' rectangles, so
// a widget is moved in its row alone.
#pragma once

enum MaterialPanelPlaceId : int {
    kPlaceDirectionBall,
    kPlaceRotation,
    kPlaceGlowShader,
    kPlaceGlowParameters,
    kPlaceGlowBackground,
    kPlaceReflections,
    kPlaceReflectivity,
    kPlaceBackgroundFog,
    kPlaceEdit,
    kPlaceEnableLight,
    kPlaceSurfaceMaterial,
    kPlaceObjectToEdit,
    kPlacePreviousLight,  // the six light buttons follow in caption order
    kPlaceNextLight,
    kPlaceLoadGel,
    kPlaceClearGel,
    kPlaceNewGels,
    kPlaceSelectGel,
    kPlaceShadingModel1,
    kPlaceShadingModel2,
    kPlaceTextureBox1,
    kPlaceTextureBox2,
    kPlaceWindow,
    kPlaceControls,
    kPlaceTrans,
    kPlaceLightColor,
    kPlaceFogPanel,
    kPlaceLightParameters,
    kPlaceTexturePanels,
    kPlaceUseTexture,
    kPlaceSpecular,
    kPlaceMaterialType,
    kMaterialPanelPlaceCount,
};

// x, y of the lower left corner; width and height where the widget takes
// them (a list's or slider window's height is its row height).
struct MaterialPanelPlace {
    MaterialPanelPlaceId id;
    int x, y, width, height;
};
// One row per widget in id order.
extern const MaterialPanelPlace kMaterialPanelPlaces[kMaterialPanelPlaceCount];

inline constexpr int kGlowThresholdRow = 0;
inline constexpr int kGlowStepsRow = 1;
inline constexpr int kGlowIntensityRow = 2;
inline constexpr int kLightRadiusRow = 0;
inline constexpr int kLightCutOffRow = 1;

// Slider rows: minimum, maximum, start, clamp at minimum, clamp at maximum,
// whole-number display.
inline constexpr float kGlowRows[18] = {0, 1, 0.5f, 1, 1, 0, 1, 16, 4, 1, 1, 1, 0, 10, 1.0f, 1, 0, 0};
inline constexpr float kReflectivityRows[6] = {0, 1, 0.02f, 1, 1, 0};
inline constexpr float kLightParameterRows[12] = {0, 100, 0.5f, 1, 0, 0, 0, 1, 0.001f, 1, 1, 0};

inline constexpr const char* kRotationEntries[] = {"T", "X", "Y", "Z", "0"};
inline constexpr const char* kObjectEntries[] = {"Additional Lights", "Camera POV"};
// The lists show the curve modes top down from 6; the selection is the mode.
inline constexpr const char* kShadingModelEntries[] = {"Flat", "Lambert", "Oren-Nayar", "Pow2",
                                                       "Pow10", "Metallic", "Cook-Torrance"};
inline constexpr const char* kWindowEntries[] = {"Camera", "Front", "Left", "Top"};
inline constexpr const char* kControlEntries[] = {"Rotate", "Pan"};
inline constexpr const char* kTransEntries[] = {"Free", "X Axis", "Y Axis", "Z Axis", "Center"};
inline constexpr const char* kLightButtonCaptions[] = {"#", "$", "Load", "Clear", "New Textures", "Select"};
inline constexpr const char* kGlowCaptions[] = {"Glow Parameters", "Threshold", "Smoothing Steps", "Intensity"};
inline constexpr const char* kReflectivityCaptions[] = {"Reflectivity Index (0.0 .. 1.0)", "Value"};
inline constexpr const char* kLightParameterCaptions[] = {"Light Parameters", "Radius", "Cut-off"};

// What the panel needs of the application: the procedural texture thread and
// the point preview's dirty flag. Installed at start-up; until then "Select"
// generates nothing and edits mark nothing.
struct MaterialPanelHooks {
    bool (*proceduralBusy)() = nullptr;
    // Starts the procedural texture thread for a target kind (5: light gel);
    // refuses with the status text while one runs.
    bool (*startProcedural)(int kind) = nullptr;
    // Clears the point preview's valid flag.
    void (*previewChanged)() = nullptr;
    // The camera's point of view, which "Center" resets with "Camera POV".
    float* cameraPov = nullptr;
};
extern MaterialPanelHooks gMaterialPanelHooks;

inline constexpr int kLightGelPanel = 4;
inline constexpr int kLightGelTarget = 5;
inline constexpr int kMaterialTypeThumbGroup = 68;
inline constexpr int kRotationResetEntry = 4;  // "0" in "Rot"
inline constexpr int kTransCenterEntry = 4;    // "Center" in "Trans"
