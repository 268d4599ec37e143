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
// What a saved picture shows: its share of lit pixels (brightest channel
// above 24); the lit region's extent across and up (the span holding all
// but 0.5 % of the lit pixels on each side, over the picture's size); its
// edges, the share of the neighbouring pairs of 8 x 8 blocks whose mean
// brightness differs by more than a tenth of the brightest block's; and
// the solid blocks' own: the share of the pairs whose two blocks are lit in
// every pixel (solid), and the share of those that are edges (solidEdges),
// which a blob without inner structure lacks.
struct PictureFigures {
    double litShare = 0, extentX = 0, extentY = 0, edges = 0, solid = 0, solidEdges = 0;
};
PictureFigures MeasurePicture(const std::vector<uint8_t>& rgb, int w, int h);

// A contact sheet of pictures shrunk to tiles of size x size (each pixel
// the mean of its box), `columns` a row, 4 pixels apart on a dark blue;
// written as PNG.
struct PictureSheet {
    int size = 128, columns = 3;
    std::vector<std::vector<uint8_t>> tiles;
    void Add(const std::vector<uint8_t>& rgb, int w, int h);
    void Write(const std::filesystem::path& file) const;
};

// Pixels of the render buffers the fractal covers (a depth is kept).
size_t DrawnPixels();

// The panel alone (the 3-D preview's points are random) compared with the
// reference picture of that name.
void ExpectPanelLooksLike(const char* name);
