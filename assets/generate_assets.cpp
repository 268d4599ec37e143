// Writes every interface picture into the output folder:
//   <out>/img/   tool icons and fractal-type icons, read by name at start-up
//   <out>/res/   the font, skins, splash, shape-icon sheets, window icon
//   <out>/maps/  the colour maps a new user's textures folder starts with
// Usage: generate_assets <out>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "assets/color_map_files.h"
#include "assets/png_file.h"
#include "assets/pictures.h"

namespace {

bool Save(const std::filesystem::path& path, const assetgen::Canvas& c)
{
    if (assetgen::WritePngRgb(path.string(), c.pixels.data(), c.width, c.height)) return true;
    std::fprintf(stderr, "generate_assets: cannot write %s\n", path.string().c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace assetgen;
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate_assets <output folder>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out / "img", ec);
    if (!ec) std::filesystem::create_directories(out / "res", ec);
    if (!ec) std::filesystem::create_directories(out / "maps", ec);
    if (ec) {
        std::fprintf(stderr, "generate_assets: cannot create %s\n", out.string().c_str());
        return 1;
    }
    const auto img = out / "img";
    const auto res = out / "res";
    Canvas font;
    try {
        font = MakeFontSheet();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "generate_assets: %s\n", e.what());
        return 1;
    }
    bool ok = Save(res / "font.png", font);
    ok &= Save(res / "button_face.png", MakeButtonFace(false));
    ok &= Save(res / "button_pressed.png", MakeButtonFace(true));
    ok &= Save(res / "tab_a.png", MakeTabSkin(true));
    ok &= Save(res / "tab_b.png", MakeTabSkin(false));
    ok &= Save(res / "panel.png", MakePanelSkin());
    for (int i = 0; i < 6; ++i) ok &= Save(res / ("trackball_" + std::to_string(i) + ".png"), MakeTrackballSkin(i));
    ok &= Save(res / "window_icon.png", MakeWindowIcon());
    ok &= Save(res / "axis_letters.png", MakeAxisLetters());
    ok &= Save(res / "splash.png", MakeSplashPicture());
    ok &= Save(res / "material_a.png", MakeMaterialTextureA());
    ok &= Save(res / "material_b.png", MakeMaterialTextureB());
    ok &= WriteStarterColorMaps(out / "maps");
    Canvas sheet1, sheet2;
    MakeShapeIconSheets(sheet1, sheet2);
    ok &= Save(res / "shape_icons_1.png", sheet1);
    ok &= Save(res / "shape_icons_2.png", sheet2);
    for (const char* name : {"RZ", "RX", "RY", "RXYZ", "Y", "X", "XY", "Zoom"})
        ok &= Save(img / (std::string(name) + ".png"), MakeToolIcon(name));
    for (int n = 1; n <= 50; ++n) {
        bool drawnByKernel = false;
        ok &= Save(img / (std::to_string(n) + ".png"), MakeFractalTypeIcon(n, &drawnByKernel));
        if (!drawnByKernel)
            std::fprintf(stderr, "generate_assets: fractal type %d: its kernel leaves too few points; %d.png is a "
                         "numbered tile\n", n - 1, n);
    }
    return ok ? 0 : 1;
}
