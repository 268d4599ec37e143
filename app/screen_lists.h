// The fixed pieces of the main window, recorded once into display lists right
// after the font and the skins: title line and preview frame, information and
// status panels, the render-overwrite warning, the about box, the voxel panel
// frames, the grid, axes and cube of the 3-D preview, and the busy mark.
#pragma once

#include <cstddef>

inline constexpr size_t kAboutTextSize = 128;

// Where the fixed pieces stand (x0, y0, x1, y1), read by the lists and by
// the layout of the pages around them.
inline constexpr float kPreviewFrameRect[4] = {699, 159, 1533, 993};
inline constexpr float kStatusPanelRect[4] = {700, 8, 1532, 156};
inline constexpr float kWarningBoxRect[4] = {1230, 54, 1442, 146};
inline constexpr float kInfoFrameRect[4] = {32, 484, 536, 704};
inline constexpr float kThreadsFrameRect[4] = {32, 48, 266, 182};
inline constexpr int kCpuCountTextX = 44, kCpuCountTextY = 54;
// The voxel panel: its bottom with the engine off and on, and the "Export"
// group with its caption band (from kVoxelExportCaptionBottom up).
inline constexpr float kVoxelFrameLeft = 32, kVoxelFrameRight = 590, kVoxelFrameTop = 922;
inline constexpr float kVoxelFrameBottomOff = 706, kVoxelFrameBottomOn = 264;
inline constexpr int kVoxelTitleX = 34, kVoxelTitleY = 904;
inline constexpr float kVoxelExportGroupRect[4] = {252, 560, 402, 702};
inline constexpr float kVoxelExportCaptionBottom = 682;

class Opengl {
public:
    Opengl() = default;
    virtual ~Opengl() = default;

    // Needs the current context, the font and the skin textures. Loads the
    // about picture (also the splash picture) and records every list.
    void BuildScreenLists();

    char statusLine[256] = {};                 // formatted by the action dispatcher
    char aboutText[4][kAboutTextSize] = {};    // the about box's own lines
    unsigned titleList = 0;
    unsigned axesList = 0;
    unsigned cubeList = 0;
    unsigned busyMarkList = 0;  // the rotating sun of the busy screens
    unsigned pointCloudList = 0;  // recorded at interface construction
    unsigned aboutTexture = 0;
    unsigned infoPanelList = 0;
    unsigned voxelPanelList = 0;
    unsigned voxelExportPanelList = 0;
    unsigned warningList = 0;
    unsigned statusPanelList = 0;
    unsigned statusBlankList = 0;
    unsigned aboutList = 0;
};

extern Opengl gOpengl;

// Logical processors as the system reports them (at least 1).
int LogicalProcessorCount();

// The 8 x 8 axis letters X, Y, Z as glBitmap rows (bottom row first, bit 7
// the left pixel), read from the axis-letter picture; zero rows when missing.
struct AxisLetterBits {
    unsigned char rows[3][8];
};
AxisLetterBits LoadAxisLetters();
