#include "app/interface_layout.h"

// The status panel (700..1532, 8..156) holds the render row in two rows at
// its left, the status line across it at y 46, the "Zoom" slider at its
// place moved left of the erase question's box (1230..1442, 54..146, with
// "Yes" and "No" inside under its three lines), and "Quit" and "Help" right
// of that box.
const MainButtonPlace kMainButtonPlaces[kMainButtonCount] = {
    {kButtonRender, "Render", 708, 96, 80, 24, 1},
    {kButtonStop, "Stop", 796, 96, 64, 24, 0},
    {kButtonContinue, "Continue", 868, 96, 96, 24, 0},
    {kButtonYes, "Yes", 1262, 60, 64, 22, 0},
    {kButtonNo, "No", 1346, 60, 64, 22, 0},
    {kButtonPreview, "Preview", 708, 66, 88, 24, 1},
    {kButtonDraw, "Draw", 804, 66, 64, 24, 1},
    {kButtonQuit, "Quit", 1452, 100, 72, 24, 1},
};

// The places the panel fixes are kept (the light trackball, "Resolution
// presets"), but for "Symmetry": with its fixed bottom (y 232) it would lie
// under the symmetry notice, so it stands lower. The rest keep each page's
// widgets together left of the preview, which starts at x 700, and keep off
// the fixed places of every page they show on. The push buttons are placed
// with their captions (app/action_buttons.cpp).
const PanelPlace kPanelPlaces[kPanelPlaceCount] = {
    {16, 944, 672, 24, 7},    // main tab bar (under the title line)
    {16, 914, 672, 22, 4},    // render tab bar
    {16, 914, 672, 22, 3},    // editor tab bar
    // "Fractals"
    {32, 740, 300, 24, 7},    // "Fractal Type" (top 932)
    {300, 444, 240, 18, 1},   // "Color by Transformation"
    {380, 740, 200, 18, 1},   // "Keep Default Paths"
    {28, 250, 300, 18, 1},    // "Render Threads"
    {28, 190, 300, 18, 1},    // "Export Threads (BMP, PNG)"
    {40, 78, 100, 16, 5},     // "Threads", in the frame above "Number of CPU Cores"
    {360, 190, 320, 18, 8},   // "Fractal Generator" (type 48)
    // "Render" / "Environment"
    {32, 870, 220, 18, 1},    // "Enable Fog"
    {32, 846, 220, 18, 1},    // "Enable Background"
    {32, 822, 220, 18, 1},    // "Enable Drawing Shaders"
    {32, 798, 220, 18, 1},    // "Enable Volumetric Fog"
    {280, 830, 300, 18, 2},   // fog "Parameters"
    {280, 780, 300, 18, 1},   // "Sun Turbidity"
    {280, 690, 300, 18, 3},   // "Volumetric Fog Color"
    {32, 610, 220, 18, 7},    // "Drawing Type"
    {32, 520, 220, 18, 2},    // "Background Type"
    {280, 640, 220, 18, 1},   // "Background Reflection"
    {280, 616, 220, 18, 1},   // "Affected by Fog"
    // "Render" / "Shaders" and "Advanced"
    {32, 40, 400, 18, 2},     // "Shadow Sampling Parameters" (its share beside it at 452, 52)
    {32, 470, 260, 18, 2},    // "Enhanced Darkening FX"
    {32, 700, 240, 18, 8},    // "Light Distribution Shader"
    {280, 820, 400, 18, 1},   // "Gamma Correction"
    {280, 760, 400, 18, 1},   // "Color Interpolation Weight"
    {32, 470, 200, 18, 9},    // "Material Color Blend"
    {260, 470, 400, 18, 9},   // "Color Function (Baseshapes and Trasformations)"
    {260, 270, 200, 18, 9},   // "Blending Function"
    {32, 640, 240, 18, 1},    // "Enable Fresnel Equation"
    {32, 560, 400, 18, 2},    // "Fresnel Parameters"
    // texture tab of the materials
    {16, 886, 672, 22, 4},    // material (texture) tab bar
    {150, 500, 140, 18, 3},   // "Format"
    {32, 760, 400, 18, 3},    // "Ambient Parameters"
    {32, 778, 400, 18, 2},    // "Diffuse Parameters"
    {32, 600, 400, 18, 2},    // "Specular Parameters"
    {32, 700, 400, 18, 1},    // "Shadow Depth"
    {32, 600, 320, 64, 0},    // "Ambient  R       G       B ", "Diffuse  R       G       B "
    // "Camera"
    {32, 832, 240, 16, 2},    // "Render Resolution:"
    {290, 852, 136, 18, 1},   // "Enable 2X AA."
    {32, 626, 216, 24, 6},    // "Resolution presets"
    {32, 560, 180, 18, 2},    // "Projection", under the presets, left of "Control Sensitivity"
    // "Perspective": 400 wide for its values' column at 140 and its wheel, it
    // fits across the left and middle columns only under "Grid" and the
    // symmetry notice (y 350), over "Symmetry" and "Sides:".
    {32, 300, 400, 16, 1},
    {270, 520, 164, 18, 7},   // "Control Sensitivity" (160 wide, "Extremely Precise" would touch its edge)
    {270, 400, 160, 18, 5},   // "Grid"
    {450, 520, 120, 18, 2},   // "Shadows"
    {450, 440, 144, 24, 6},   // "Fixed View"
    {40, 64, 216, 24, 6},     // "Symmetry" (at y 232 it would lie under the symmetry notice)
    {270, 180, 240, 16, 1},   // "Sides:"
    {270, 130, 300, 16, 1},   // " " (separation)
    {442, 720, 200, 200, 0},  // the light trackball
    // "Editors"
    // "Panel", in edit mode on every editor page: in the lower right corner
    // of the option pages, left of the preview, clear of the transformation
    // editor's fixed places ("Fixed Rotation" ends at x 554, the trackball
    // at y 112).
    {574, 40, 78, 18, 2},
    // "Voxels"
    // Inside the voxel panel's frame (x 32..590 from y 922 down to 706, or to
    // 264 with the engine on) and around its "Export" group (252..402, 560..702).
    {40, 790, 220, 18, 2},    // "Voxel Resolution"
    {384, 740, 200, 18, 5},   // "Interpolation Type" (right of the busy mark at 360, 804)
    {40, 712, 340, 18, 2},    // "Density Threshold      Thin <-*-> Thick"
    {40, 410, 340, 18, 1},    // "Side Length of the Voxel Volume:" (its read-out under it at 90, 388)
    {40, 640, 200, 18, 1},    // "Interior Wall"
    {40, 616, 200, 18, 1},    // "Scale the output Mesh"
    {40, 740, 260, 18, 1},    // "Fill Baseshapes when possible" (the engine off)
    {40, 300, 340, 18, 2},    // "Wall Thickness (Voxels)"
    // "Animation"
    {32, 824, 260, 18, 1},    // "Enable Preview Animations"
    {32, 690, 420, 20, 3},    // "Render Parameters"
    {300, 800, 290, 18, 2},   // "Image Type"
    {32, 330, 140, 140, 0},   // "Rotation Axis"
    {200, 310, 100, 18, 8},   // "Axis"
    {32, 250, 360, 20, 1},    // "Number of Frames for a Complete Cycle"
};

int PlaceHeight(PanelPlaceId id)
{
    const PanelPlace& p = kPanelPlaces[id];
    switch (id) {
    case kPlaceMainTabs:
    case kPlaceRenderTabs:
    case kPlaceEditorTabs:
    case kPlaceTextureTab: return p.h;       // rows: the tab count
    case kPlaceFixedView: return 2 * p.h;    // caption bar over one row of cells
    default: return p.rows == 0 ? p.h : (p.rows + 1) * p.h;
    }
}
