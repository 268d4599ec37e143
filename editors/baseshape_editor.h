// The baseshape editor: the panel on "Editors" / "Baseshapes" in which the
// user places and shapes the baseshapes the fractal is seeded from: which
// one is current, its kind and parameters, placement, material, interior,
// texture, displacement map, colour table, neon, modifier and array modes
// and its animation.
//
// Its widgets meet the model through BaseShapeEditorControls(): each shows
// a field of the current baseshape (gCurrentBaseshape) or of its rows of the
// per-baseshape arrays, so the records are the truth and the widgets follow
// them. The commands (baseshape_editor_commands.cpp) take the one-level undo
// copy, change the records and let the preview follow; edit drags in the
// 3-D preview arrive through DragInPreview.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/baseshape_record.h"
#include "ui/balls.h"
#include "ui/button.h"
#include "ui/color_panels.h"
#include "ui/controls.h"
#include "ui/option_lists.h"
#include "ui/picture_pickers.h"
#include "ui/slider_windows.h"
#include "ui/tabs.h"
#include "ui/text_boxes.h"
#include "ui/texture_box.h"

// The panel's own tabs.
enum BaseshapeTab : int { kBsShapeTab, kBsControlsTab, kBsModifiersTab, kBsColorsTab, kBsAnimationTab, kBsTabCount };

// The buttons, in the order they are built.
enum BsButton : int {
    kBsOpen,
    kBsPrevious,  // "#"
    kBsNext,      // "$"
    kBsNew,
    kBsDelete,
    kBsClone,
    kBsUndo,
    kBsAppend,
    kBsSave,
    kBsLoad,
    kBsOk,
    kBsRandom,
    kBsSaveBaseshape,
    kBsLoadDMap,
    kBsNewDMaps,
    kBsSelectDMap,
    kBsLoadMesh,
    kBsClearMesh,
    kBsReset,
    kBsLoadTexture,
    kBsClearTexture,
    kBsNewTextures,
    kBsSelectTexture,
    kBsLoadGradient,
    kBsSaveGradient,
    kBsRandomGradient,
    kBsButtonCount,
};

// Shell services the editor calls (installed at start-up; each may be null).
struct BaseShapeEditorHooks {
    void (*buildPointCloud)() = nullptr;  // the 3-D preview's points
    // Shows the chosen procedural preset in the editor's preview and starts
    // the full-size image of kind 3 (texture) or 4 (displacement map) for
    // the current baseshape; false when a generation runs already.
    bool (*startTextureJob)(int kind) = nullptr;
    // New random texture and displacement-map presets with their thumbnails.
    void (*regeneratePresets)() = nullptr;
};

// Procedural target kinds of the texture job.
inline constexpr int kBsTextureJob = 3, kBsDMapJob = 4;

class BaseShapeEditor {
public:
    BaseShapeEditor() = default;
    virtual ~BaseShapeEditor();

    // Every widget, the panel's textures, the 65 slots' default images and
    // baseshape 0 initialised; no baseshape in use.
    void Build();
    // The panel's texts and pictures of each frame (the table draws the widgets).
    void DrawReadout();
    // Closes and opens the edit widgets.
    void HideWidgets() { widgetsOpen = 0; }
    void ShowWidgets() { widgetsOpen = 1; }
    bool Editing() const;

    // ---- commands (baseshape_editor_commands.cpp) ------------------------------------------
    void Snapshot();
    void Undo();
    // Current becomes i, the first parameter page shows, the previews follow.
    void Select(int i);
    void Previous();
    void Next();
    void Open();
    void NewBaseshape();
    void DeleteBaseshape();
    // Baseshape count becomes a copy of the current one; false at 64.
    bool CloneBaseshape();
    void Clone();
    void SaveAll();
    void SaveCurrent();
    void LoadFile();
    void AppendFile();
    // The shape selector chose a kind (the current one's changes only when it differs).
    void ChooseShapeType(int type);
    void Commit();      // "Ok"
    void Randomize();   // "Random"
    void LoadDMap();
    void LoadMesh();
    void ClearMesh();
    void LoadTexture();
    void ClearTexture();
    void LoadGradient();
    void RandomGradient();
    bool SaveGradient();
    void GradientPicked();
    void StartTextureJob(int kind);
    void NewPresets();
    void ResetScaleAndShear();
    void ApplyFixedRotation(int row);
    void ResetRotation();
    void MoveToOrigin();
    void ModifierChosen();
    void ArrayChosen();
    void ApplyAxisPreset(int row, float* vector);
    // What every edit sets off: the preview restarts, the point preview is
    // rebuilt at the release (at once for a wheel notch, which has none).
    void Edited(bool compose);
    // An edit drag in the 3-D preview: the step in view units across and up.
    void DragInPreview(float across, float up, const float* viewMatrix);
    // The left or right release: true when the point preview was rebuilt.
    bool FinishPress();

    // ---- previews ----------------------------------------------------------------------------
    void UploadTexturePreview(int i);
    void UploadDMapPreview(int i);
    // A 128 x 128 RGB picture into the texture (kind 3) or DMap (kind 4) preview.
    void ShowPreview(int kind, const uint8_t* rgb);

    // ---- widgets -----------------------------------------------------------------------------
    Button buttons[kBsButtonCount];
    OptionsBox editBox, applyToAllBox, showBaseshapeBox, moveAllBox, uniformBox;
    OptionsBox useTextureBox, smoothTextureBox, useGradientBox, neonBox;
    TextBox numberBox;
    ListBox windowList, controlsList, interiorList, materialList, rotList, fixedRotationList, transList;
    ListBox modifierList, arrayList, blendModeList, spinAxisList, moveAxisList, waveTypeList;
    Tab tabStrip;
    MaxTab pageTabs[3];  // one strip for each number of pages in use
    SLWindow parameterPages[3];
    SLWindow scaleWindow, shearWindow, strengthWindow, sidesWindow, offsetWindow;
    STWindow neonWindow, spinFramesWindow, movementWindow;
    TSelector shapeSelector;
    TrackBall trackBall;
    SimpleBall spinBall, directionBall;
    TextureBox texturePreview, dmapPreview;
    ColorPanel colorPanel, neonPanel;
    GSelector gradientBrowser;

    // ---- state -------------------------------------------------------------------------------
    BaseShapeEditorHooks hooks;
    BaseshapeUndo undo{};
    BaseshapeDefaults defaults{};
    float rememberedPosition[3] = {};
    uint8_t pointPreviewDirty = 0;
    uint8_t widgetsOpen = 0;
    std::atomic<uint8_t> redraw{0};  // set while a procedural texture job runs
    uint8_t redrawSeen = 0;
    int32_t textureJobKind = kBsTextureJob;
    // The values of the panel's own choices (lists count from the bottom).
    int32_t tab = kBsShapeTab;
    int32_t page = 0;
    int32_t windowRow = 2;   // 3 "Camera", 2 "Front", 1 "Left", 0 "Top"
    int32_t controlsRow = 0; // 1 "Rotate", 0 "Pan"
    int32_t rotRow = 4;      // 4 "T", 3 "X", 2 "Y", 1 "Z", 0 "0"
    int32_t transRow = 4;    // 4 "F", 3 "X", 2 "Y", 1 "Z", 0 "0"
    int32_t fixedRotationRow = -1;  // the "FRot" row last applied; -1 lets a second press apply again
    int32_t spinAxisRow = -1, moveAxisRow = -1;
    uint8_t applyToAll = 0, moveAll = 0, uniform = 0;
    // What the selector last showed, so a wheel turn of its page stays.
    int32_t selectorShownFor = -1, selectorShownType = -1;
    // The parameter windows' ranges follow this kind.
    int32_t rangesFor = -1;
    unsigned texturePreviewTexture = 0, dmapPreviewTexture = 0;
    uint8_t built = 0;
};

extern BaseShapeEditor gBaseShapeEditor;

// The "Edit" box: while on, the editor is shown in the 3-D preview.
extern uint8_t gBaseShapeEditorOpen;

// The editor's controls, in press order ("Editors" / "Baseshapes").
ControlTable BaseShapeEditorControls();

// The rotation of "FRot" row r (rows from the bottom: 7 "+X" .. 1 "XZ"),
// row-major; null for "Rf" and rows outside.
const float* BaseshapeFixedRotation(int row);
// The direction of "Axis" row r (7 "+X" .. 2 "-Z"); "XZ" (1) and "Rf" (0)
// follow the rotation's second column (its negation for "Rf").
void BaseshapeAxisPreset(int row, const float* rotation, float out[3]);
