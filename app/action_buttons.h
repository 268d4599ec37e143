// The push buttons of the main window and its pages whose actions the
// dispatcher runs besides the render row of gMainButtons: the file buttons
// of the fractal page, the material, texture and view buttons, the voxel and
// animation pages, and "New Fractal", "Help", "RND", "CLR" and "Cancel"
// under the preview. Each is built once at its place; the control tables
// draw it on its page and route presses to it. A press marks the button
// (its pressed byte); the release's dispatcher acts on it and clears it. A
// button also has an enabled byte: a disabled button is neither drawn nor
// hit.
#pragma once

#include <cstdint>

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
    kActionSendToBlocks,
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
    kActionTimesTwo,
    // About page
    kActionNews,
    // Voxels page
    kActionStartVoxelEngine,
    kActionStlMesh,
    kActionObjMesh,
    kActionRawFile,
    kActionPngSlices,
    kActionStopVoxelEngine,
    // Animation page
    kActionOutputFilename,
    kActionRenderAnimation,
    // Every page
    kActionNewFractal,
    kActionHelp,
    kActionRandomSuccessors,
    kActionClearSuccessors,
    kActionCancelExport,
    kActionButtonCount,
};

// Caption, place (x, y of the lower left corner, width, height) and the
// enabled byte at start-up.
struct ActionButtonPlace {
    ActionButtonId id;
    const char* caption;
    int x, y, width, height;
    uint8_t enabledAtStart;
};
extern const ActionButtonPlace kActionButtonPlaces[kActionButtonCount];

extern Button gActionButtons[kActionButtonCount];
extern uint8_t gActionButtonEnabled[kActionButtonCount];

inline bool ActionPressed(ActionButtonId id) { return gActionButtons[id].pressed != 0; }
inline void ClearActionPressed(ActionButtonId id) { gActionButtons[id].pressed = 0; }
inline void EnableActionButton(ActionButtonId id, bool on) { gActionButtonEnabled[id] = on ? 1 : 0; }
inline bool ActionButtonEnabled(ActionButtonId id) { return gActionButtonEnabled[id] != 0; }

// Builds every button at its place (needs the GL context).
void BuildActionButtons();
// Every pressed byte cleared and every enabled byte at its start-up value.
void ResetActionButtons();
