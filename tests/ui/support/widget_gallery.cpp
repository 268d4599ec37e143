#include "ui/support/widget_gallery.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "assets/png_file.h"
#include "materials/color_maps.h"
#include "platform/desktop/gl_api.h"
#include "ui/file_services.h"
#include "ui/font.h"
#include "ui/icons.h"
#include "ui/texture_upload.h"
#include "ui/thumbnail_atlas.h"

namespace {

const char* const kWindowCaptions[] = {"Slider Window", "Size", "Step", "Mix"};
// min, max, initial, clamp at min, clamp at max, integer
const float kWindowRows[] = {0, 16, 4, 1, 1, 0, -8, 8, 2, 1, 1, 1, 0, 1, 0.1f, 0, 0, 0};
const char* const kOptions[] = {"Orthographic", "Perspective", "Fisheye", "Panorama"};
const char* const kChecks[] = {"Shadows", "Fog", "Glow", "Grain"};
const char* const kTabs[] = {"Render", "Shading", "Voxels"};
const char* const kMaxTabs[] = {"Shape", "Move", "Array", "Mod", "Mesh"};

// A generated picture, each pixel painted by 'paint' (row y of the pixels).
RgbPicture Pattern(int width, int height, const std::function<void(int x, int y, uint8_t* p)>& paint)
{
    RgbPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) paint(x, y, &picture.pixels[(static_cast<size_t>(y) * width + x) * 3]);
    return picture;
}

unsigned Upload(const RgbPicture& picture)
{
    glEnable(GL_TEXTURE_2D);
    const unsigned name = UploadPictureTexture(picture, TextureMip::None, TextureWrap::Clamp);
    glDisable(GL_TEXTURE_2D);
    return name;
}

// A red and blue checkerboard with a yellow corner.
unsigned MakeSwatchTexture()
{
    return Upload(Pattern(32, 32, [](int x, int y, uint8_t* p) {
        const bool dark = ((x / 8) + (y / 8)) % 2 == 0, corner = x < 8 && y >= 24;
        p[0] = corner || !dark ? 230 : 20;
        p[1] = corner ? 220 : 40;
        p[2] = dark && !corner ? 200 : 30;
    }));
}

}  // namespace

void ValueWidgetGallery::Build()
{
    slWindow.Build(20, 820, 30, 256, 24, 3, kWindowCaptions, kWindowRows, 1);
    stWindow.Build(320, 820, 30, 256, 24, 3, kWindowCaptions, kWindowRows, 2);
    list.Build(20, 600, 30, 180, 20, 4, "Projection", kOptions);
    checks.Build(240, 600, 30, 160, 20, 4, "Effects", kChecks);
    captionedChecks.Build(440, 600, 30, 160, 20, 4, "Effects", kChecks);
    tab.Build(700, 880, 30, 400, 80, 3, kTabs);
    maxTab.Build(700, 780, 400, 60, 5, kMaxTabs);
    number.Build(20, 500, 30, 100, 20, " ");
    for (int i = 0; i < 3; ++i) progress[i].Build(700, 700 - 30 * i, 30, 120, 16);
    placed.Build(0, 0, 30, 120, 24, "Placed", 7);
    swatchTexture = MakeSwatchTexture();
    swatch.SetLayout(1200, 760, 30, 96, 96, swatchTexture);
    input.Build();
    SetVisible(1);
}

void ValueWidgetGallery::SetVisible(uint8_t v)
{
    slWindow.visible = stWindow.visible = list.visible = checks.visible = captionedChecks.visible = v;
    tab.visible = maxTab.visible = number.visible = placed.visible = swatch.visible = v;
    for (SliderBox& p : progress) p.visible = v;
}

void ValueWidgetGallery::Draw()
{
    slWindow.Draw();
    stWindow.Draw(80);
    list.Draw();
    checks.Draw();
    captionedChecks.DrawBase();
    tab.Draw();
    maxTab.Draw();
    number.Draw();
    for (SliderBox& p : progress) p.Draw();
    for (const auto& at : kPlacedButtonAt) placed.Draw(at[0], at[1]);
    swatch.Draw();
}

namespace {

const char* const kFilter[] = {"Filter:", "Scale", "Shear"};
const float kFilterRows[] = {-1, 2, 1, 1, 1, 1, -1, 2, 1, 1, 1, 1};
const char* const kViews[] = {"R", "L", "D", "U", "B", "F"};
const char* const kMaterialTypes[] = {"Plastic", "Metal",   "Glass",   "Chrome", "Rubber", "Stone",
                                      "Wood",    "Ceramic", "Velvet",  "Water",  "Ice",    "Gold",
                                      "Copper",  "Marble",  "Neon",    "Paper",  "Skin"};

std::vector<std::string> TypeNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < 50; ++i) names.push_back("Fractal type " + std::to_string(i + 1));
    return names;
}

// A colour-distinct test picture: hue by index, a diagonal stripe.
void WritePicture(const std::string& path, int index)
{
    const RgbPicture picture = Pattern(48, 40, [index](int x, int y, uint8_t* p) {
        const bool stripe = (x + y + index * 5) % 16 < 4;
        p[0] = static_cast<uint8_t>(stripe ? 255 : 40 + 53 * (index % 4));
        p[1] = static_cast<uint8_t>(stripe ? 255 : 30 + 70 * (index % 3));
        p[2] = static_cast<uint8_t>(stripe ? 255 : 200 - 9 * index);
    });
    assetgen::WritePngRgb(path, picture.pixels.data(), 48, 40);
}

// Shape icons of the gallery: the icon sheets change whenever a sampler is
// refined, so the selector shows numbered tiles instead.
void UseTestShapeIcons()
{
    gShapeIconListBase = glGenLists(kShapeIcons);
    for (int n = 0; n < kShapeIcons; ++n) {
        glNewList(gShapeIconListBase + static_cast<unsigned>(n), GL_COMPILE);
        glDisable(GL_TEXTURE_2D);
        glColor3f(0.1f + 0.004f * static_cast<float>(n), 0.15f, 0.5f - 0.002f * static_cast<float>(n));
        glBegin(GL_QUADS);
        glVertex3f(4, 4, 30), glVertex3f(60, 4, 30), glVertex3f(60, 60, 30), glVertex3f(4, 60, 30);
        glEnd();
        DrawIntText(20, 26, n, 0);
        glEndList();
    }
}

}  // namespace

std::string MakeColorMapFolder(const std::string& name, int count)
{
    // One folder a process: ctest runs the gallery's cases side by side.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    char file[32];
    for (int i = 0; i < count; ++i) {
        ColorMap map;
        for (int e = 0; e < kColorMapEntries; ++e) {
            map.red[e] = static_cast<uint8_t>(e * (i + 1));
            map.green[e] = static_cast<uint8_t>(255 - e);
            map.blue[e] = static_cast<uint8_t>(i * 40);
        }
        std::snprintf(file, sizeof file, "gradient%02d.map", i);
        FILE* f = std::fopen((folder / file).c_str(), "w");
        if (f == nullptr) continue;
        const std::string text = ColorMapText(map);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    return folder.string();
}

std::string MakeThumbnailFolder(const std::string& name, int pictures, int maps)
{
    const std::string folder = MakeColorMapFolder(name, maps);
    std::vector<std::string> names;
    char file[32];
    for (int i = 0; i < pictures; ++i) {
        std::snprintf(file, sizeof file, "picture%02d.png", i);
        WritePicture(folder + "/" + file, i);
        names.push_back(file);
    }
    for (int i = 0; i < maps; ++i) {
        std::snprintf(file, sizeof file, "gradient%02d.map", i);
        names.push_back(file);
    }
    BuildThumbnailAtlas(folder, names);
    return folder;
}

void ScrollWidgetGallery::Build()
{
    static const std::vector<std::string> typeNames = TypeNames();
    std::vector<const char*> items;
    for (const std::string& n : typeNames) items.push_back(n.c_str());
    types.Build(20, 620, 30, 220, 24, 50, 7, "Fractal Type", items.data());
    filter.Build(300, 800, 30, 144, 24, 2, kFilter, kFilterRows, 3, 0);
    fixedView.Build(300, 680, 30, 132, 22, 6, "Fixed View", kViews, true);
    zoom.Build(300, 560, 30, 200, 20, 0, 0.0f, "Zoom");
    materialTypes.Build(560, 620, 30, 200, 24, 7, 17, "Material Type", kMaterialTypes);
    MakeThumbnailFolder("talvoran_gallery_textures", 20, 6);
    browser.Build(20, 300, 30, 0, 0, "", 0);
    presets.Build(440, 300, 30, 0, 0, "", 1);
    // Fifteen preset swatches: a hue ramp across, brightness down the grid.
    for (int k = 0; k < kPickerCells; ++k)
        presets.textures[k] = presetTextures[k] = Upload(Pattern(16, 16, [k](int x, int y, uint8_t* p) {
            p[0] = static_cast<uint8_t>(std::min(16 * k + x * 4, 255));
            p[1] = static_cast<uint8_t>(y * 12 + 40);
            p[2] = static_cast<uint8_t>(255 - 16 * k);
        }));
    UseTestShapeIcons();
    shapes.Build(860, 300, 30);
    SetVisible(1);
}

void ScrollWidgetGallery::SetVisible(uint8_t v)
{
    types.visible = filter.visible = fixedView.visible = zoom.visible = materialTypes.visible = v;
    browser.visible = presets.visible = shapes.visible = v;
}

void ScrollWidgetGallery::Draw()
{
    types.Draw();
    filter.Draw(56);
    fixedView.Draw();
    zoom.Draw();
    materialTypes.Draw();
    browser.Draw();
    presets.Draw();
    shapes.Draw(shapes.selected);
}

namespace {

std::string gGalleryMapFolder;

}  // namespace

void DirectionWidgetGallery::Build()
{
    const float front[3] = {0.5f, 0.5f, 0.5f}, behind[3] = {0.4f, -0.3f, -1.0f}, none[3] = {0, 0, 1};
    ball.Build(20, 700, 30, 200, 200, none, 4);
    lightFront.Build(240, 700, 30, 200, 200, front, 5);
    lightBehind.Build(460, 700, 30, 200, 200, behind, 5);
    turned.Build(680, 700, 30, 200, 200, 0, 6, "Rotation Axis");
    fresh.Build(900, 700, 30, 200, 200, 0, 6, "Direction");
    color.Build(1150, 780, 30, "Light Color", 1);
    gGalleryMapFolder = MakeColorMapFolder("talvoran_gallery_maps", 11);
    gInterfaceFileServices.texturesFolder = +[]() -> const char* { return gGalleryMapFolder.c_str(); };
    fog.gradient = &fogGradient;
    fog.Build(700, 300, 30, "", 26);
    fogBrowser.gradient = &fogGradient;
    fogBrowser.Build(100, 300, 30, "", 26);
    fogBrowser.browserMode = 1;
    SetVisible(1);
}

void DirectionWidgetGallery::SetVisible(uint8_t v)
{
    ball.visible = lightFront.visible = lightBehind.visible = turned.visible = fresh.visible = v;
    color.visible = fog.visible = fogBrowser.visible = v;
}

void DirectionWidgetGallery::Draw()
{
    ball.Draw();
    lightFront.DrawLightDirection();
    lightBehind.DrawLightDirection();
    turned.Draw();
    fresh.Draw();
    color.Draw();
    fog.Draw();
    fogBrowser.Draw();
}
