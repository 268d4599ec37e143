// What the running program shows, read back from its window: frames kept
// for a person to look at, the point preview cut out of them, and the
// measures the tests take of them (lit pixels, pixels that changed).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

// One frame of the window: RGB rows from the top, with its size in pixels.
struct WindowPicture {
    std::vector<uint8_t> rgb;
    int w = 0, h = 0;
    // The pixel at a virtual-screen point (1600 x 1000, y up), clamped to
    // the picture.
    const uint8_t* At(int x, int y) const;
    // The point preview, 700..1532 by 160..992 of the virtual screen (y up),
    // RGB rows from the top.
    std::vector<uint8_t> Preview() const;
    void Write(const std::filesystem::path& file) const;
};

// The window's last frame; with a name, also kept beside the test binary as
// <name>.review.png for a person to look at.
WindowPicture Shot(const char* reviewName = nullptr);

// Pixels of RGB bytes whose brightest channel is above dark, and their share.
size_t LitPixels(const std::vector<uint8_t>& rgb, int dark);
double LitShare(const std::vector<uint8_t>& rgb, int dark);
// Share of pixels whose colour differs by more than a little (16 in a
// channel); 1 for pictures of other sizes or none.
double DifferentShare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
// Pixels of the render buffers the fractal covers (a depth is kept).
size_t DrawnPixels();

// The panel alone (the 3-D preview's points are random) compared with the
// reference picture of that name.
void ExpectPanelLooksLike(const char* name);
