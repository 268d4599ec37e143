#include "materials/support/reference_picture.h"

#include <cstdlib>
#include <cstring>

#include "assets/png_file.h"
#include "ui/picture_file.h"

PictureMatch MatchReferencePicture(const std::string& folder, const std::string& name, const std::vector<uint8_t>& rgb,
                                   int width, int height, int channelTolerance, double maxBadFraction)
{
    PictureMatch result;
    const std::string path = std::string(TALVORAN_SOURCE_DIR) + "/tests/" + folder + "/reference/" + name + ".png";
    if (rgb.size() != static_cast<size_t>(width) * height * 3) {
        result.message = "picture has the wrong size";
        return result;
    }
    const char* update = std::getenv("TALVORAN_UPDATE_SCREENSHOTS");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        result.ok = assetgen::WritePngRgb(path, rgb.data(), width, height);
        result.message = result.ok ? "reference written" : "cannot write " + path;
        return result;
    }
    const RgbPicture reference = LoadPictureRgb(path);
    if (reference.width != width || reference.height != height) {
        assetgen::WritePngRgb(name + ".actual.png", rgb.data(), width, height);
        result.message = "reference " + path + " is missing or has another size";
        return result;
    }
    size_t bad = 0;
    for (int y = 0; y < height; ++y) {
        // The loader gives the bottom row first.
        const uint8_t* want = &reference.pixels[static_cast<size_t>(height - 1 - y) * width * 3];
        const uint8_t* got = &rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                if (std::abs(int(want[3 * x + c]) - int(got[3 * x + c])) > channelTolerance) {
                    ++bad;
                    break;
                }
            }
        }
    }
    result.ok = bad <= maxBadFraction * width * height;
    if (!result.ok) {
        assetgen::WritePngRgb(name + ".actual.png", rgb.data(), width, height);
        result.message = std::to_string(bad) + " pixels differ from " + path;
    }
    return result;
}
