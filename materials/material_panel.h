// The widgets of the material and light panel as the shading reads them.
// Until the panel is laid out, drawn and operated, each widget is kept as
// its value: a list's selection (counted from its lowest row, so the last
// entry is 0), a check box's flag, a slider window's rows, a colour panel's
// bytes and floats. kMaterialPanelWidgets lists the captions and the start
// values that BuildMaterialPanel gives them.
#pragma once

#include <cstdint>

inline constexpr int kGlowThresholdRow = 0;
inline constexpr int kGlowStepsRow = 1;
inline constexpr int kGlowIntensityRow = 2;

// The fog colour panel's colour as bytes 0..255 and as floats (byte / 255).
struct FogColorSetting {
    int32_t bytes[3] = {};
    float floats[3] = {};
};

// A colour panel's value.
struct ColorPanelValue {
    int32_t bytes[3] = {};
    float floats[3] = {};
};

struct MaterialPanelWidgets {
    float directionBall[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // "Texture  Dir." orientation
    int32_t rotation = 0;                  // "Rot": "T" .. "0"
    uint8_t glowOn = 0;                    // "Enable the Glow Shader"
    uint8_t glowBackground = 0;            // "Include the background brighness in the shader"
    float glow[3] = {};                    // "Glow Parameters": Threshold, Smoothing Steps, Intensity
    uint8_t reflectionsOn = 0;             // "Enable Reflections"
    float reflectivity = 0.0f;             // "Reflectivity Index (0.0 .. 1.0)": Value
    uint8_t backgroundFog = 0;             // "Use Background as Fog source"
    uint8_t edit = 0;                      // "Edit"
    uint8_t lightEnabled = 0;              // "Enable Light"
    uint8_t surfaceMaterial = 0;           // "Enable Surface Material"
    int32_t objectToEdit = 0;              // "Object to Edit:"
    int32_t shadingModel[2] = {};          // the two "Shading Model" lists (curve modes 1 and 2)
    int32_t window = 0;                    // "Window"
    int32_t controls = 0;                  // "Controls"
    int32_t trans = 0;                     // "Trans"
    ColorPanelValue lightColor;            // "Color    R       G       B "
    float lightParameters[2] = {};         // "Light Parameters": Radius, Cut-off
    uint8_t useTexture = 0;                // "Use Texture"
    ColorPanelValue specular;              // "Specular  R       G       B "
    uint8_t materialTypeMarks[17] = {};    // "Material Type" check list
    int32_t materialTypeSelected = 0;
    int32_t materialTypeTop = 0;
};

// One row per widget: its class, caption, entries (top first) and start value
// (for lists the entry that starts selected, top first).
struct MaterialPanelWidgetRow {
    const char* widgetClass;
    const char* caption;
    const char* entries;
    const char* start;
};
inline constexpr MaterialPanelWidgetRow kMaterialPanelWidgets[] = {
    {"SimpleBall", "Texture  Dir.", "", "identity"},
    {"ListBox", "Rot", "T X Y Z 0", "T"},
    {"OptionsBox", "Enable the Glow Shader", "", "off"},
    {"OptionsBox", "Include the background brighness in the shader", "", "off"},
    {"SLWindow", "Glow Parameters", "Threshold, Smoothing Steps, Intensity", "0.5, 4, 1.0"},
    {"OptionsBox", "Enable Reflections", "", "off"},
    {"SLWindow", "Reflectivity Index (0.0 .. 1.0)", "Value", "0.02"},
    {"OptionsBox", "Use Background as Fog source", "", "on"},
    {"OptionsBox", "Edit", "", "off"},
    {"OptionsBox", "Enable Light", "", "off"},
    {"OptionsBox", "Enable Surface Material", "", "off"},
    {"ListBox", "Object to Edit:", "Additional Lights, Camera POV", "Additional Lights"},
    {"Button", "#, $, Load, Clear, New Textures, Select", "", ""},
    {"ListBox", "Shading Model", "Flat, Lambert, Oren-Nayar, Pow2, Pow10, Metallic, Cook-Torrance", "Flat"},
    {"ListBox", "Shading Model", "Flat, Lambert, Oren-Nayar, Pow2, Pow10, Metallic, Cook-Torrance", "Lambert"},
    {"TextureBox", "", "", ""},
    {"TextureBox", "", "", ""},
    {"ListBox", "Window", "Camera, Front, Left, Top", "Front"},
    {"ListBox", "Controls", "Rotate, Pan", "Pan"},
    {"ListBox", "Trans", "Free, X Axis, Y Axis, Z Axis, Center", "Free"},
    {"ColorPanel", "Color    R       G       B ", "", "light colour"},
    {"FogColorPanel", "Fog Color R       G       B ", "", "0, 0, 0"},
    {"STWindow", "Light Parameters", "Radius, Cut-off", "edited light"},
    {"TexturePanel", "", "", "presets 15 t .. 15 t + 14"},
    {"OptionsBox", "Use Texture", "", "off"},
    {"ColorPanel", "Specular  R       G       B ", "", "255, 255, 255"},
    {"BoolBox", "Material Type", "17 Material Types", "entry 0"},
};

// The start values of the table into the widget values.
void SetMaterialPanelStartValues(MaterialPanelWidgets& panel);
