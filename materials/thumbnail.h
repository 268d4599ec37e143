// A 128 x 128 RGB picture a panel shows: a preset, a material texture, a
// light gel, the shading ball, a shading model. The shader draws it on the
// window thread and counts each change; the panel that shows it uploads it
// again when the count has moved, so the shader needs no GL.
#pragma once

#include <cstdint>
#include <cstring>

inline constexpr int kThumbnailSize = 128;
inline constexpr int kThumbnailBytes = kThumbnailSize * kThumbnailSize * 3;

struct Thumbnail {
    uint8_t rgb[kThumbnailBytes] = {};  // rows from the bottom
    uint32_t revision = 0;

    void Set(const uint8_t* picture)
    {
        std::memcpy(rgb, picture, sizeof rgb);
        ++revision;
    }
    // One pixel, then the filled part copied onto the rest, doubling: a
    // file load fills twenty of these.
    void Fill(uint8_t r, uint8_t g, uint8_t b)
    {
        rgb[0] = r, rgb[1] = g, rgb[2] = b;
        for (int done = 3; done < kThumbnailBytes; done *= 2)
            std::memcpy(rgb + done, rgb, static_cast<size_t>(done * 2 <= kThumbnailBytes ? done : kThumbnailBytes - done));
        ++revision;
    }
};
