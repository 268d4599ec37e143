#include "tools/contact_sheet.h"

#include <cstring>

IconImage TileContactSheet(const std::vector<IconImage>& tiles, int columns, int gap, const uint8_t background[3])
{
    IconImage sheet;
    if (tiles.empty() || columns < 1 || gap < 0) return sheet;
    const int w = tiles[0].width, h = tiles[0].height;
    const int count = static_cast<int>(tiles.size());
    const int rows = (count + columns - 1) / columns;
    const int used = count < columns ? count : columns;
    sheet.width = used * (w + gap) + gap;
    sheet.height = rows * (h + gap) + gap;
    sheet.pixels.resize(static_cast<size_t>(sheet.width) * sheet.height * 3);
    for (size_t i = 0; i < sheet.pixels.size(); i += 3) std::memcpy(&sheet.pixels[i], background, 3);
    for (int t = 0; t < count; ++t) {
        const IconImage& tile = tiles[t];
        if (tile.width != w || tile.height != h || tile.pixels.size() != static_cast<size_t>(w) * h * 3) continue;
        const int x0 = gap + (t % columns) * (w + gap), y0 = gap + (t / columns) * (h + gap);
        for (int y = 0; y < h; ++y) {
            std::memcpy(&sheet.pixels[(static_cast<size_t>(y0 + y) * sheet.width + x0) * 3],
                        &tile.pixels[static_cast<size_t>(y) * w * 3], static_cast<size_t>(w) * 3);
        }
    }
    return sheet;
}
