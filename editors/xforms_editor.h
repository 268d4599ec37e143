// The transformation editor: the panel on "Editors" / "Transformations" in
// which the user edits the transformations of the fractal (the selected
// one's rotation, scale, shear, weight, variations, colour and forbidden
// successors), the generator chains of fractal type 48 and, for the
// escape-time types 46 and 49, the Mandelbrot picker of their view.
//
// Its widgets meet the model through XFormsEditorControls(): each shows a
// field of the selected transformation's record (gTransformEdit.selected),
// so the record is the truth and the widgets follow it. What is not a kit
// widget (the picker image, the chain view, edit drags in the 3-D preview)
// the shell hands to HandleAreaClick, HandleAreaWheel and DragInPreview.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/transform_record.h"
#include "ui/balls.h"
#include "ui/button.h"
#include "ui/color_panels.h"
#include "ui/controls.h"
#include "ui/option_lists.h"
#include "ui/scroll_lists.h"
#include "ui/slider_windows.h"
#include "ui/text_boxes.h"

// The widgets the tables by fractal type switch on and off.
enum XfWidget : int {
    kXfReset,
    kXfPair,
    kXfNew,
    kXfDelete,
    kXfSave,
    kXfLoad,
    kXfPrevious,
    kXfNext,
    kXfTrackBall,
    kXfScale,
    kXfUniform,
    kXfShear,
    kXfWeight,
    kXfNormalize,
    kXfEqualize,
    kXfRot,
    kXfFixedRotation,
    kXfTrans,
    kXfVariations,
    kXfAmounts,
    kXfUndo,
    kXfColor,
    kXfPickerParameters,
    kXfPickerButtons,
    kXfZoomType,
    kXfFunction,
    kXfEditGenerators,
    kXfWidgetCount,
};

// The transformation buttons, in the order they are built.
enum XfButton : int {
    kXfButtonPrevious,  // "#"
    kXfButtonNext,      // "$"
    kXfButtonEqualize,
    kXfButtonNew,
    kXfButtonDelete,
    kXfButtonNormalize,
    kXfButtonSave,
    kXfButtonLoad,
    kXfButtonUndo,
    kXfButtonReset,
    kXfButtonCount = 14,  // four are never built
};
enum XfPickerButton : int { kXfPickerLoad, kXfPickerRandom, kXfPickerSave, kXfPickerReset, kXfPickerButtonCount = 7 };

// Shell services the editor calls (installed at start-up; each may be null).
struct XFormsEditorHooks {
    void (*buildPickTable)() = nullptr;     // the transformation pick table
    void (*buildPointCloud)() = nullptr;    // the 3-D preview's points
    void (*updateTypeButtons)() = nullptr;  // the fractal-type buttons by the count
};

// The picker image: 256 x 256 RGB, row 0 at the bottom.
inline constexpr int kPickerSize = 256;
// Where the picker image lies on the panel.
inline constexpr int kPickerLeft = 200, kPickerBottom = 436;

class XFormsEditor {
public:
    XFormsEditor() = default;
    virtual ~XFormsEditor();

    // Every widget and the default fractal of three transformations.
    void BuildPanel();
    // After BuildPanel: the picker's image, at the view of the escape-time
    // preset, rendered once (mandelbrot_picker.cpp).
    void StartPicker();
    // The panel's texts and pictures of each frame (the table draws the
    // widgets); for type 48 the generator chain view over them
    // (generator_chain_view.cpp).
    void DrawReadout();
    void DrawTransformationOverlay();

    // ---- widget states by fractal type -----------------------------------------------
    void EnableEditorWidgets();
    void DisableEditorWidgetsForType();
    // The tables as each frame applies them: by gFractalType.
    void UpdateWidgetStates();
    bool Enabled(XfWidget w);

    // ---- commands ------------------------------------------------------------------------
    bool SnapshotTransformations();
    void Undo();
    void SelectTransformation(int t);
    void PreviousTransformation();
    void NextTransformation();
    void NewTransformation();
    void DeleteTransformation();
    void NormalizeWeights();
    void EqualizeWeights();
    void ResetScaleAndShear();
    bool SaveTransformationFile();
    bool LoadTransformationFile();
    // The left-button release: the weights a drag left are published.
    void UpdateWeightSum();
    // What a control's change of the selected record sets off.
    void RecordChanged(bool recompose);
    // Press and wheel on the picker image and the chain view; true when taken.
    bool HandleAreaClick(int x, int y);
    bool HandleAreaWheel(int x, int y, int delta);
    // An edit drag in the 3-D preview: the step in view units across and up.
    void DragInPreview(float across, float up, const float* viewMatrix);
    void SetDefaultTransformationCount();
    void ClickOptionList(int x, int y);
    // Requests a chain change and carries it out at once.
    void PostChainRequest(int code, int argument);

    // ---- picker ----------------------------------------------------------------------------
    void RenderMandelbrotPicker(int x, int y, bool keepScale);
    bool PickColorMap();
    bool SavePickerColorMap();
    void RandomPickerColorMap();
    void ResetPickerView();
    // "Reset": the escape-time preset and its view.
    void PickerReset();
    // Where the text field opens over readout row i of the selected block.
    static void ReadoutRowPlace(int i, int* x, int* y);
    // What the generator chain view (type 48) draws as rectangles: its block
    // rows, the connector's segments and the readout rows; their count.
    int ChainViewRects(float (*rects)[4], int max) const;

    // ---- widgets -----------------------------------------------------------------------------
    SliderWindow pairWindow;      // "Filter:"
    SLWindow weightWindow;        // "Probability"
    SLWindow amountWindow;        // the amounts of variations 0..9
    Button buttons[kXfButtonCount];
    ButtonXY blockButtons[2];     // "Block Type", "insert"
    Button pickerButtons[kXfPickerButtonCount];
    STWindow pickerParameters;    // "Parameters"
    SLWindow scaleWindow;         // "Scale"
    SLWindow shearWindow;         // "Shear"
    TextBox numberBox;
    HListBox fixedRotation;       // "Fixed Rotation"
    TrackBall trackBall;
    ListBox windowList, controlsList, rotList, transList, zoomTypeList, functionList;
    GSelector gradientBrowser;
    OptionsBox variationList, editBox, uniformBox, editGeneratorsBox;
    NewDropBox blockTypeList;     // "Block Type"
    BoolBox generatorList;        // "Fractal Generator" (type 48, "Edit Generators" on)
    ColorPanel colorPanel;

    // ---- state ---------------------------------------------------------------------------------
    XFormsEditorHooks hooks;
    TransformUndo undo{};
    uint8_t pointPreviewDirty = 0;
    uint8_t panelShown = 0;
    uint8_t enabled[kXfWidgetCount] = {};
    uint8_t blockTypeListOpen = 0;
    // The values of the panel's own choices (lists count from the bottom).
    int32_t windowRow = 2;       // 3 "Camera", 2 "Front", 1 "Left", 0 "Top"
    int32_t controlsRow = 0;     // 1 "Rotate", 0 "Pan"
    int32_t rotRow = 4;          // 4 "T", 3 "X", 2 "Y", 1 "Z", 0 "0"
    int32_t transRow = 4;        // 4 "F", 3 "X", 2 "Y", 1 "Z", 0 "0"
    int32_t zoomTypeRow = 1;     // 1 "+", 0 "-"
    int32_t fixedChoice = -1;    // the cell of "Fixed Rotation" last applied
    int32_t blockTypeChoice = 0; // the type the open "Block Type" list shows
    uint8_t uniformOn = 0;
    uint8_t editGeneratorsOn = 0;
    // The picker's "Zoom Speed"; its other rows show the model's values
    // ("Maxiter" is gEscapeIterationLimit, so it shows the limit in force).
    float pickerZoomSpeed = 0.1f;
    uint8_t weightDragged = 0;
    uint8_t pickerDragged = 0;
    uint8_t pickerHover = 0;
    uint8_t pickerBusy = 0;
    std::vector<uint8_t> pickerImage;
    unsigned pickerTexture = 0;
    uint8_t built = 0;
};

extern XFormsEditor gXFormsEditor;

// The "Edit" box: while on, the editor is shown in the 3-D preview.
extern uint8_t gXFormsEditorOpen;

// The editor's controls, in press order ("Editors" / "Transformations").
ControlTable XFormsEditorControls();

// Fixed rotations of "Fixed Rotation", cell from the left (row-major).
const float* FixedRotationMatrix(int cell);
// The colour index of an escape count: n below 256, else n mod 255.
int PickerColorIndex(int iterations);
// Iterations until |z|^2 reaches 1000, or -1 for a point inside (the
// period-2 bulb, the main cardioid, or no escape within the limit).
int PickerEscapeCount(double re, double im, int limit);
