// The material and light panel: the widgets that edit gShader's materials,
// lights, glow, reflections and fog colour (the light editor on "Editors" /
// "Additional Objects", the glow and reflection switches on "Shaders", the
// fog colour and its source on "Environment", the surface material, shading
// models and specular colour on "Materials"). The widgets show the shader's
// values through the control tables; the thumbnails are the shader's
// pictures, uploaded when they change.
#pragma once

#include "ui/balls.h"
#include "ui/button.h"
#include "ui/color_panels.h"
#include "ui/option_lists.h"
#include "ui/picture_pickers.h"
#include "ui/scroll_lists.h"
#include "ui/slider_windows.h"
#include "ui/text_boxes.h"
#include "ui/texture_box.h"

struct Thumbnail;

enum LightButton : int { kLightPrevious, kLightNext, kLightLoad, kLightClear, kLightNewTextures, kLightSelect };

class MaterialPanel {
public:
    MaterialPanel() = default;
    virtual ~MaterialPanel() = default;

    // Builds every widget at its place (start-up step 9; needs the GL context)
    // and gives the shader's panel values their start values.
    void Build();
    // The texture ids the widgets show, from the shader's thumbnails.
    void UpdateTextures();

    SimpleBall textureDirection;  // "Texture  Dir.": turns the edited light
    ListBox rotationList;         // "Rot"
    OptionsBox glowShader;        // "Enable the Glow Shader"
    OptionsBox glowBackground;    // "Include the background brighness in the shader"
    SLWindow glowParameters;      // "Glow Parameters"
    OptionsBox reflections;       // "Enable Reflections"
    SLWindow reflectivity;        // "Reflectivity Index (0.0 .. 1.0)"
    OptionsBox backgroundFog;     // "Use Background as Fog source"
    OptionsBox editBox;           // "Edit"
    OptionsBox lightEnabledBox;   // "Enable Light"
    OptionsBox surfaceMaterialBox;  // "Enable Surface Material"
    ListBox objectToEdit;         // "Object to Edit:"
    Button lightButtons[6];       // "#", "$", "Load", "Clear", "New Textures", "Select"
    ListBox shadingModel[2];      // "Shading Model": curve mode 1, curve mode 2
    TextureBox textureBoxes[3];   // the material side's texture, the light's gel, the shading ball
    ListBox windowList;           // "Window"
    ListBox controlsList;         // "Controls"
    ListBox transList;            // "Trans"
    ColorPanel lightColor;        // "Color    R       G       B "
    FogColorPanel fogPanel;       // "Fog Color R       G       B "
    STWindow lightParameters;     // "Light Parameters"
    TexturePanel texturePanels[5];
    OptionsBox useTextureBox;     // "Use Texture"
    ColorPanel specular;          // "Specular  R       G       B "
    BoolBox materialTypeList;     // "Material Type"
    TextBox slotNumber;           // the number of the material "#" and "$" step through
};

extern MaterialPanel gMaterialPanel;

// The GL texture that shows the thumbnail, uploaded again when it changed.
unsigned ThumbnailTexture(const Thumbnail& thumbnail, bool repeat = false);

// The current material and the edited light, kept inside their ranges.
int CurrentMaterial();
int EditedLight();
// The shading ball of the current material, lit from the light ball.
void RenderCurrentShadingBall();
// The thumbnail of shading model m at (296, 112)..(360, 176).
// The thumbnail of the chosen "Shading Model", beside its list.
inline constexpr float kShadingModelThumbnailRect[4] = {372, 300, 436, 364};
void DrawShadingModelThumbnail(int mode);
// The light editor's texts (its widgets are drawn from the control table).
void DrawLightEditorLabels();
