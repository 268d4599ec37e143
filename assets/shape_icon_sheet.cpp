// shape_icon_sheet: writes the contact sheet of all baseshape kinds, the icon
// of one kind, or the contact sheet of the 50 fractal-type icons, as a PNG
// image (OUT ending in .png) or else as PPM.
//   shape_icon_sheet [--filled] [--plain] [--kind K] [--size N] [--types] OUT
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assets/pictures.h"
#include "assets/png_file.h"
#include "tools/shape_icons.h"

namespace {

// The fractal-type icons, 10 a row, one pixel apart.
IconImage FractalTypeSheet()
{
    constexpr int kIcon = 128, kColumns = 10, kRows = 5, kCell = kIcon + 1;
    IconImage sheet;
    sheet.width = kColumns * kCell - 1;
    sheet.height = kRows * kCell - 1;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 60);
    for (int n = 1; n <= kColumns * kRows; ++n) {
        const assetgen::Canvas icon = assetgen::MakeFractalTypeIcon(n);
        const int x0 = ((n - 1) % kColumns) * kCell, y0 = ((n - 1) / kColumns) * kCell;
        for (int y = 0; y < icon.height && y < kIcon; ++y)
            std::memcpy(&sheet.pixels[(static_cast<size_t>(y0 + y) * sheet.width + x0) * 3], icon.At(0, y),
                        static_cast<size_t>(icon.width) * 3);
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv)
{
    bool filled = false;
    bool labels = true;
    bool types = false;
    int kind = -1;
    ShapeIconStyle style;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--filled")) {
            filled = true;
        } else if (!std::strcmp(argv[i], "--plain")) {
            labels = false;
        } else if (!std::strcmp(argv[i], "--types")) {
            types = true;
        } else if (!std::strcmp(argv[i], "--kind") && i + 1 < argc) {
            kind = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--size") && i + 1 < argc) {
            style.size = std::atoi(argv[++i]);
        } else {
            out = argv[i];
        }
    }
    if (out.empty() || style.size < 8 || style.size > 1024 || kind > 194) {
        std::fprintf(stderr,
                     "usage: %s [--filled] [--plain] [--kind 0..194] [--size 8..1024] [--types] OUT.png|OUT.ppm\n",
                     argv[0]);
        return 2;
    }
    const IconImage image = types       ? FractalTypeSheet()
                           : kind >= 0 ? DrawShapeIcon(kind, filled, IconTemplate(kind), style)
                                       : DrawShapeContactSheet(filled, 16, labels, style);
    const bool png = out.size() > 4 && out.compare(out.size() - 4, 4, ".png") == 0;
    const bool written = png ? assetgen::WritePngRgb(out, image.pixels.data(), image.width, image.height)
                             : WritePpmFile(out, image);
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
