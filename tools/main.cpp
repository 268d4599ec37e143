// shape_icon_sheet: writes the contact sheet of all baseshape kinds, or the
// icon of one kind, as a PNG image (OUT ending in .png) or else as PPM.
//   shape_icon_sheet [--filled] [--plain] [--kind K] [--size N] OUT
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assets/png_file.h"
#include "tools/shape_icons.h"

int main(int argc, char** argv)
{
    bool filled = false;
    bool labels = true;
    int kind = -1;
    ShapeIconStyle style;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--filled")) {
            filled = true;
        } else if (!std::strcmp(argv[i], "--plain")) {
            labels = false;
        } else if (!std::strcmp(argv[i], "--kind") && i + 1 < argc) {
            kind = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--size") && i + 1 < argc) {
            style.size = std::atoi(argv[++i]);
        } else {
            out = argv[i];
        }
    }
    if (out.empty() || style.size < 8 || style.size > 1024 || kind > 194) {
        std::fprintf(stderr, "usage: %s [--filled] [--plain] [--kind 0..194] [--size 8..1024] OUT.png|OUT.ppm\n", argv[0]);
        return 2;
    }
    const IconImage image = kind >= 0 ? DrawShapeIcon(kind, filled, DefaultIconTemplate(), style)
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
