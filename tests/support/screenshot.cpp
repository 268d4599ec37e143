#include "support/screenshot.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "assets/png_file.h"
#include "platform/picture_file.h"

namespace {

std::string ReferencePath(const std::string& name)
{
    return std::string(TALVORAN_REFERENCE_DIR) + "/" + name + ".png";
}

bool UpdateRequested()
{
    const char* env = std::getenv("TALVORAN_UPDATE_SCREENSHOTS");
    return env != nullptr && std::strcmp(env, "1") == 0;
}

}  // namespace

ScreenshotResult CompareWithReference(const std::string& name, const std::vector<uint8_t>& rgb, int width,
                                      int height, int channelTolerance, double maxBadFraction)
{
    ScreenshotResult result;
    if (rgb.size() != static_cast<size_t>(width) * height * 3) {
        result.message = "frame has the wrong size";
        return result;
    }
    if (UpdateRequested()) {
        result.ok = assetgen::WritePngRgb(ReferencePath(name), rgb.data(), width, height);
        result.message = result.ok ? "reference written" : "cannot write " + ReferencePath(name);
        return result;
    }
    const RgbPicture reference = LoadPictureRgb(ReferencePath(name));
    const std::string actualPath = name + ".actual.png";
    if (reference.width != width || reference.height != height) {
        assetgen::WritePngRgb(actualPath, rgb.data(), width, height);
        result.message = "reference " + ReferencePath(name) + " missing or of another size; frame in " + actualPath;
        return result;
    }
    // The reference is bottom row first, the frame top row first.
    size_t bad = 0;
    int worst = 0;
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        const uint8_t* a = rgb.data() + stride * y;
        const uint8_t* b = reference.pixels.data() + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            int diff = 0;
            for (int c = 0; c < 3; ++c) diff = std::max(diff, std::abs(a[3 * x + c] - b[3 * x + c]));
            worst = std::max(worst, diff);
            if (diff > channelTolerance) ++bad;
        }
    }
    const size_t allowed = static_cast<size_t>(maxBadFraction * width * height);
    result.ok = bad <= allowed;
    if (!result.ok) {
        assetgen::WritePngRgb(actualPath, rgb.data(), width, height);
        result.message = std::to_string(bad) + " pixels differ (allowed " + std::to_string(allowed) +
                         ", worst difference " + std::to_string(worst) + "); frame in " + actualPath;
    }
    return result;
}
