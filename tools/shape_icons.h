// Shape icons: the points of one baseshape kind drawn as a small lit solid
// with a fixed view, and a contact sheet of all kinds. The interface's
// shape-icon sheets are made with these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/baseshape_model.h"

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // RGB, row 0 at the top
};

struct ShapeIconStyle {
    int size = 64;            // icon width and height in pixels
    int points = 262144;      // most samples drawn per icon (fewer once the picture stops filling)
    uint32_t seed = 1;        // the sampler generator's seed, per icon
    uint8_t slot = 0;         // the render slot (and baseshape) whose state the icon borrows
    uint8_t background[3] = {20, 22, 28};
    uint8_t color[3] = {235, 225, 200};  // nearest points; farther ones darker
};

// Size 1 and every parameter 0.35: a template every kind draws something
// recognisable from.
BaseshapePoint DefaultIconTemplate();
// The template kind's icon is drawn from: the common one, or for the kinds
// that draw only a line or a ring from it, the starting parameters the
// baseshape editor gives them.
BaseshapePoint IconTemplate(int kind);

// Draws the points of the kind's sampler (filled table when `filled`) from
// the template. The view turns the shape 30 degrees about y and 20 about x,
// and fits its projected bounding box into the icon. Kinds that read a
// displacement map or a mesh get a bumpy map and a small mesh of ours; kind
// 0, which has no shape of its own, shows a unit cube and its sheared image.
// Icons on different slots may be drawn at the same time once the sampler
// tables are built (BuildBaseshapeGeneratorTables).
IconImage DrawShapeIcon(int kind, bool filled, const BaseshapePoint& shape, const ShapeIconStyle& style);

// All 195 kinds in kind order, `columns` icons a row, one pixel apart; with
// `labels` each icon carries its kind number in the top-left corner.
IconImage DrawShapeContactSheet(bool filled, int columns, bool labels, const ShapeIconStyle& style);

// Binary PPM (P6) bytes of the image.
std::vector<uint8_t> EncodePpm(const IconImage& image);
bool WritePpmFile(const std::string& path, const IconImage& image);
