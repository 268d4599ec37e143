// Screenshot comparison for the GL tests: a frame read back from the
// offscreen context is compared with a stored reference picture.
//
// References live in the reference folder beside the test,
// tests/<folder>/reference/<name>.png. Run a test with
// TALVORAN_UPDATE_SCREENSHOTS=1 to write them anew; a mismatch leaves the
// actual frame beside the test binary as <name>.actual.png.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScreenshotResult {
    bool ok = false;
    std::string message;
};

// rgb: width * height RGB bytes, top row first (as GlTestContext reads them).
// Pixels may differ by up to 'channelTolerance' per channel; at most
// 'maxBadFraction' of the pixels may differ by more.
ScreenshotResult CompareWithReference(const std::string& name, const std::vector<uint8_t>& rgb, int width,
                                      int height, int channelTolerance = 24, double maxBadFraction = 0.002);
