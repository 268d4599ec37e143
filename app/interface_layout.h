// Where the widgets of the main window sit on the 1600 x 1000 virtual
// screen. Drawing and hit tests both read these rectangles, so a widget is
// moved in one place.
#pragma once

#include <cstdint>

// The texture pickers of the materials, the background and the gels (the
// presets and the textures folder) share one place in the lower left corner.
inline constexpr int kTexturePickerX = 20;
inline constexpr int kTexturePickerY = 12;

// The render row, the erase question's "Yes" and "No", and "Quit" (gMainButtons).
enum MainButtonId : int {
    kButtonRender,
    kButtonStop,
    kButtonContinue,
    kButtonYes,
    kButtonNo,
    kButtonPreview,
    kButtonDraw,
    kButtonQuit,
    kMainButtonCount,
};

struct MainButtonPlace {
    MainButtonId id;
    const char* caption;
    int x, y, width, height;
    uint8_t enabledAtStart;
};

// One row per button in index order.
extern const MainButtonPlace kMainButtonPlaces[kMainButtonCount];

// ---- The option pages left of the preview ------------------------------------
// x, y: lower left; width; h: a button's height or a list's or window's row
// height (a list's or window's height is (rows + 1) h, a drop box's (rows + 1)
// 24); rows: rows, cells or tabs.
struct PanelPlace {
    int x, y, width, h, rows;
};

enum PanelPlaceId : int {
    // Tab bars
    kPlaceMainTabs,
    kPlaceRenderTabs,
    kPlaceEditorTabs,
    // "Fractals"
    kPlaceFractalType,
    kPlaceColorByTransformation,
    kPlaceKeepDefaultPaths,
    kPlaceRenderThreads,
    kPlaceExportThreads,
    kPlaceThreads,
    kPlaceFractalGenerator,
    // "Render" / "Environment"
    kPlaceEnableFog,
    kPlaceEnableBackground,
    kPlaceEnableDrawingShaders,
    kPlaceEnableVolumetricFog,
    kPlaceFogParameters,
    kPlaceSunTurbidity,
    kPlaceVolumetricFogColor,
    kPlaceDrawingType,
    kPlaceBackgroundType,
    kPlaceBackgroundReflection,
    kPlaceAffectedByFog,
    // "Render" / "Shaders" and "Advanced"
    kPlaceShadowSampling,
    kPlaceEnhancedDarkening,
    kPlaceLightDistribution,
    kPlaceGamma,
    kPlaceColorInterpolationWeight,
    kPlaceMaterialColorBlend,
    kPlaceColorFunction,
    kPlaceBlendingFunction,
    kPlaceEnableFresnel,
    kPlaceFresnelParameters,
    // "Render", every sub-tab; texture tab of the materials
    kPlaceTextureTab,
    kPlaceFormat,
    kPlaceAmbientParameters,
    kPlaceDiffuseParameters,
    kPlaceSpecularParameters,
    kPlaceShadowDepth,
    kPlaceMaterialColor,  // the ambient and the diffuse colour panel
    // "Camera"
    kPlaceRenderResolution,
    kPlaceEnable2xAA,
    kPlaceResolutionPresets,
    kPlaceProjection,
    kPlacePerspective,
    kPlaceControlSensitivity,
    kPlaceGrid,
    kPlaceShadows,
    kPlaceFixedView,
    kPlaceSymmetry,
    kPlaceSides,
    kPlaceSeparation,
    kPlaceLightTrackBall,
    // "Editors"
    kPlaceViewPanel,
    // "Voxels"
    kPlaceVoxelResolution,
    kPlaceInterpolationType,
    kPlaceDensityThreshold,
    kPlaceSideLength,
    kPlaceInteriorWall,
    kPlaceScaleMesh,
    kPlaceFillBaseshapes,
    kPlaceWallThickness,
    // "Animation"
    kPlacePreviewAnimations,
    kPlaceRenderParameters,
    kPlaceImageType,
    kPlaceRotationAxis,
    kPlaceAxis,
    kPlaceCycleFrames,
    kPanelPlaceCount,
};

extern const PanelPlace kPanelPlaces[kPanelPlaceCount];
inline const PanelPlace& Place(PanelPlaceId id) { return kPanelPlaces[id]; }

// The height a place covers: a button's or tab bar's h, else (rows + 1) h.
int PlaceHeight(PanelPlaceId id);
