// The buttons of the main window and its panels whose actions the dispatcher
// runs besides the render row of gMainButtons: the file buttons of the
// fractal page, the material, texture and view buttons, the voxel page and
// the panel's "New Fractal", "Help", "RND" and "CLR". The panels that place
// and draw them own their positions; the dispatcher only reads and clears
// the pressed byte and sets the enabled (visible) byte.
#pragma once

#include "ui/button.h"

enum ActionButtonId : int {
    // Fractals page
    kActionResetPaths,
    kActionKavrolin,
    kActionLoadScript,
    kActionSaveScript,
    kActionSaveBuffers,
    kActionLoadBuffers,
    kActionSaveFractal,
    kActionLoadFractal,
    // Render page: materials and environment
    kActionResetParameters,
    kActionResetEnvParameters,
    kActionSaveBitmap,
    kActionSavePng,
    kActionSaveMaterial,
    kActionLoadMaterial,
    kActionLoadImage,
    kActionSelectBackground,
    kActionNewSet,
    kActionPreviousSlot,
    kActionNextSlot,
    kActionClearFog,
    kActionClearShadows,
    kActionTextureGenerator,
    kActionNewTextures,
    // Texture tab, first row (ambient) then second row (diffuse)
    kActionCancelA,
    kActionSelectA,
    kActionExternalTextureA,
    kActionGradientA,
    kActionColorA,
    kActionCancelB,
    kActionSelectB,
    kActionExternalTextureB,
    kActionGradientB,
    kActionColorB,
    kActionExportTexture,
    // Camera page
    kActionChange,
    kActionResetPosition,
    kActionResetRotation,
    kActionScale,
    // Voxels page
    kActionStartVoxelEngine,
    kActionStlMesh,
    kActionObjMesh,
    kActionRawFile,
    kActionPngSlices,
    kActionStopVoxelEngine,
    // Every page
    kActionNewFractal,
    kActionHelp,
    kActionRandomSuccessors,
    kActionClearSuccessors,
    kActionRenderAnimation,
    kActionButtonCount,
};

struct ActionButtonInfo {
    const char* caption;
    uint8_t enabledAtStart;
};
extern const ActionButtonInfo kActionButtonInfo[kActionButtonCount];

extern Button gActionButtons[kActionButtonCount];

inline bool ActionPressed(ActionButtonId id) { return gActionButtons[id].pressed != 0; }
inline void ClearActionPressed(ActionButtonId id) { gActionButtons[id].pressed = 0; }
inline void EnableActionButton(ActionButtonId id, bool on) { gActionButtons[id].visible = on ? 1 : 0; }
inline bool ActionButtonEnabled(ActionButtonId id) { return gActionButtons[id].visible != 0; }

// Every pressed byte cleared and every enabled byte at its start-up value.
void ResetActionButtons();
