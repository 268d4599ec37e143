// The main window's tabs and the pages of the tabs that have pages: the
// places a control table puts its controls (ui/controls.h), shared by the
// shell's tables and the editor panels'.
#pragma once

enum MainTab : int {
    kTabFractals,
    kTabRender,
    kTabCamera,
    kTabEditors,
    kTabAbout,
    kTabVoxels,
    kTabAnimation,
    kMainTabCount,
};
enum RenderPage : int { kPageMaterials, kPageEnvironment, kPageShaders, kPageAdvanced };
enum EditorPage : int { kPageBaseshapes, kPageTransformations, kPageObjects };
// The material strip of "Materials".
enum MaterialTab : int { kMaterialAmbient, kMaterialDiffuse, kMaterialSpecular, kMaterialAdvanced };
