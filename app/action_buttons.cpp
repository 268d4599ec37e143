#include "app/action_buttons.h"

#include "platform/desktop/gl_window.h"

Button gActionButtons[kActionButtonCount];
uint8_t gActionButtonEnabled[kActionButtonCount] = {};

// Each page keeps its buttons together left of the preview, which starts at
// x 700; the texture choices of the ambient and diffuse pages share places.
const ActionButtonPlace kActionButtonPlaces[kActionButtonCount] = {
    {kActionResetPaths, "Reset Paths", 520, 712, 120, 24, 1},
    {kActionKavrolin, "Kavrolin", 150, 360, 120, 22, 1},
    {kActionLoadScript, "Load Script", 288, 414, 120, 24, 1},
    {kActionSaveScript, "Save Script", 418, 414, 120, 24, 1},
    {kActionSaveBuffers, "Save Buffers", 158, 444, 120, 24, 1},
    {kActionLoadBuffers, "Load Buffers", 158, 414, 120, 24, 1},
    {kActionSaveFractal, "Save Fractal", 28, 444, 120, 24, 1},
    {kActionLoadFractal, "Load Fractal", 28, 414, 120, 24, 1},
    {kActionSendToBlocks, "Send to Blocks", 216, 712, 132, 24, 1},
    {kActionResetParameters, "Reset Parameters", 520, 852, 160, 24, 1},
    {kActionResetEnvParameters, "Reset Env. Parameters", 32, 470, 200, 24, 1},
    // "Render", every page: right of the texture panel and the shading-model
    // thumbnail, whose places are fixed
    {kActionSaveBitmap, "Save Bitmap", 372, 170, 112, 24, 1},
    {kActionSavePng, "Save PNG", 492, 170, 112, 24, 1},
    {kActionSaveMaterial, "Save Material", 372, 140, 120, 24, 1},
    {kActionLoadMaterial, "Load Material", 500, 140, 120, 24, 1},
    {kActionLoadImage, "Load Img.", 260, 470, 110, 24, 1},
    {kActionSelectBackground, "Select", 502, 370, 92, 24, 1},
    {kActionNewSet, "New Set", 390, 370, 92, 24, 1},
    {kActionPreviousSlot, "#", 392, 852, 32, 24, 1},
    {kActionNextSlot, "$", 428, 852, 32, 24, 1},
    {kActionClearFog, "Clear Fog", 372, 110, 112, 24, 1},
    {kActionClearShadows, "Clr. Shadows", 492, 110, 112, 24, 1},
    {kActionTextureGenerator, "Texture Generator", 120, 720, 180, 24, 1},
    {kActionNewTextures, "New Textures", 400, 560, 130, 22, 1},
    {kActionCancelA, "Cancel", 328, 680, 80, 24, 0},
    {kActionSelectA, "Select", 32, 720, 80, 24, 1},
    {kActionExternalTextureA, "Ext.Text.", 224, 680, 96, 24, 1},
    {kActionGradientA, "Gradient", 120, 680, 96, 24, 1},
    {kActionColorA, "Color", 32, 680, 80, 24, 1},
    {kActionCancelB, "Cancel", 328, 680, 80, 24, 0},
    {kActionSelectB, "Select", 32, 720, 80, 24, 1},
    {kActionExternalTextureB, "Ext.Text.", 224, 680, 96, 24, 1},
    {kActionGradientB, "Gradient", 120, 680, 96, 24, 1},
    {kActionColorB, "Color", 32, 680, 80, 24, 1},
    {kActionExportTexture, "Export", 54, 560, 78, 22, 1},
    // "Camera": the reminder's loop (280, 798)..(354, 826) rings "Change"
    {kActionChange, "Change", 282, 800, 70, 24, 1},
    {kActionResetPosition, "Reset Position", 450, 660, 132, 24, 1},
    {kActionResetRotation, "Reset Rotation", 450, 630, 132, 24, 1},
    {kActionScale, "Scale", 590, 660, 90, 24, 1},
    {kActionTimesTwo, "*2", 208, 800, 48, 24, 1},
    {kActionNews, "TALVORAN News", 268, 96, 124, 22, 1},
    // "Voxels": the engine's buttons under the panel's title; the exports
    // stacked in the "Export" group above "PNG Slices", whose place it is.
    {kActionStartVoxelEngine, "Start the Voxel Engine", 40, 866, 200, 24, 1},
    {kActionStlMesh, "STL Mesh", 256, 652, 140, 24, 0},
    {kActionObjMesh, "OBJ Mesh", 256, 624, 140, 24, 0},
    {kActionRawFile, "RAW File", 256, 596, 140, 24, 0},
    {kActionPngSlices, "PNG Slices", 256, 568, 140, 24, 0},
    {kActionStopVoxelEngine, "Stop the Voxel Engine", 250, 866, 200, 24, 0},
    {kActionOutputFilename, "Output Filename", 36, 598, 148, 24, 1},
    {kActionRenderAnimation, "Render Animation", 288, 598, 148, 24, 1},
    // Under the preview, beside the render row. "RND" and "CLR" stand 64
    // left of their given places, clear of the erase question's box.
    // "Cancel" right of the export progress it stops: at its given place
    // (1068, 72) it would cover the "Zoom" slider, and between the slider and
    // the status line under it there is no room for it.
    {kActionNewFractal, "New Fractal", 876, 66, 98, 24, 1},
    {kActionHelp, "Help", 1452, 68, 72, 24, 1},
    {kActionRandomSuccessors, "RND", 1118, 126, 50, 24, 1},
    {kActionClearSuccessors, "CLR", 1178, 126, 50, 24, 1},
    {kActionCancelExport, "Cancel", 1178, 23, 100, 18, 0},
};

void BuildActionButtons()
{
    for (const ActionButtonPlace& p : kActionButtonPlaces) {
        gActionButtons[p.id].Build(p.x, p.y, 30, p.width, p.height, p.caption, p.id, kVirtualScreenWidth,
                                   kVirtualScreenHeight);
    }
    ResetActionButtons();
}

void ResetActionButtons()
{
    for (const ActionButtonPlace& p : kActionButtonPlaces) {
        gActionButtons[p.id].pressed = 0;
        gActionButtonEnabled[p.id] = p.enabledAtStart;
    }
}
