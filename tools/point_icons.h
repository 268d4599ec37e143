// Small pictures of point sets, as the shape icons and the fractal-type icons
// show them. The points go into a depth buffer at twice the picture size,
// each as a small dome (a splat), so a closed surface drawn from enough
// points has no pinholes; the nearest surface is lit by one light from the
// upper left through normals taken from the depth, and the buffer is averaged
// down to the picture, which smooths the edges.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/shape_icons.h"

struct IconPoint {
    float x, y, z;
    uint8_t r, g, b;
};

struct IconLook {
    float turnY = 30.0f;       // degrees about y, then
    float turnX = 20.0f;       // degrees about x; y stays up on the screen
    float margin = 2.0f;       // picture pixels kept free on each side
    float trim = 0.0f;         // share of points on each side left out of the fit (strays)
    float splat = 1.5f;        // splat radius in buffer pixels
    float dome = 0.35f;        // splat height over its radius: 1 makes lone points small balls
    int smoothing = 2;         // passes of depth smoothing before the normals
    int supersample = 2;       // buffer pixels per picture pixel, each way
    float ambient = 0.28f;
    uint8_t background[3] = {20, 22, 28};
};

// How far the points fill their surfaces, in buffer pixels.
struct IconCoverage {
    int covered = 0;  // pixels some splat covers
    int patched = 0;  // gaps in a nearer surface that had to be filled from around
};

// Draws the points (non-finite ones skipped) fitted into a size x size
// picture; coverage, when given, tells how well they filled it.
IconImage DrawIconPoints(const std::vector<IconPoint>& points, int size, const IconLook& look,
                        IconCoverage* coverage = nullptr);
