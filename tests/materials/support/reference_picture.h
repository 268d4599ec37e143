// Pictures drawn without GL compared with references stored under
// tests/<folder>/reference/<name>.png. With TALVORAN_UPDATE_SCREENSHOTS=1 the
// reference is written anew; a mismatch leaves <name>.actual.png beside the
// test binary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PictureMatch {
    bool ok = false;
    std::string message;
};

// rgb: width x height RGB bytes, top row first. A pixel may differ by up to
// channelTolerance per channel; at most maxBadFraction of them by more.
PictureMatch MatchReferencePicture(const std::string& folder, const std::string& name, const std::vector<uint8_t>& rgb,
                                   int width, int height, int channelTolerance = 6, double maxBadFraction = 0.002);
