#include "app/action_buttons.h"

Button gActionButtons[kActionButtonCount];

const ActionButtonInfo kActionButtonInfo[kActionButtonCount] = {
    {"Reset Paths", 1},
    {"Kavrolin", 1},
    {"Load Script", 0},
    {"Save Script", 1},
    {"Save Buffers", 1},
    {"Load Buffers", 1},
    {"Save Fractal", 1},
    {"Load Fractal", 1},
    {"Reset Parameters", 0},
    {"Reset Env. Parameters", 0},
    {"Save Bitmap", 0},
    {"Save PNG", 0},
    {"Save Material", 1},
    {"Load Material", 0},
    {"Load Img.", 0},
    {"Select", 1},
    {"New Set", 1},
    {"#", 1},
    {"$", 1},
    {"Clear Fog", 0},
    {"Clr. Shadows", 0},
    {"Texture Generator", 1},
    {"New Textures", 1},
    {"Cancel", 0},
    {"Select", 1},
    {"Ext.Text.", 1},
    {"Gradient", 1},
    {"Color", 1},
    {"Cancel", 0},
    {"Select", 1},
    {"Ext.Text.", 1},
    {"Gradient", 1},
    {"Color", 1},
    {"Export", 1},
    {"Change", 0},
    {"Reset Position", 0},
    {"Reset Rotation", 0},
    {"Scale", 1},
    {"Start the Voxel Engine", 1},
    {"STL Mesh", 0},
    {"OBJ Mesh", 0},
    {"RAW File", 0},
    {"PNG Slices", 0},
    {"Stop the Voxel Engine", 0},
    {"New Fractal", 1},
    {"Help", 1},
    {"RND", 1},
    {"CLR", 1},
    {"Render Animation", 1},
};

void ResetActionButtons()
{
    for (int i = 0; i < kActionButtonCount; ++i) {
        gActionButtons[i].pressed = 0;
        gActionButtons[i].visible = kActionButtonInfo[i].enabledAtStart;
    }
}
