// Contact sheets of equally sized tiles: pictures laid out in rows, drawn
// without GL, for reference pictures of generated images.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/shape_icons.h"

// Tiles of the first tile's size, `columns` a row, `gap` pixels apart and
// around, on the background colour; tiles of another size are left out.
IconImage TileContactSheet(const std::vector<IconImage>& tiles, int columns, int gap, const uint8_t background[3]);
