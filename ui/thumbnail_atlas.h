// The thumbnail atlas: one 64 by 64 thumbnail of every file of the textures
// folder (pictures, and colour maps as swatches marked with a "G"), on pages
// of 512 by 512 pixels holding 8 by 8 cells. List gThumbListBase + i draws
// the thumbnail of file i. Built once at start-up, after the folder scan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/color_map.h"
#include "platform/picture_file.h"

inline constexpr int kThumbSize = 64;
inline constexpr int kThumbsPerRow = 8;
inline constexpr int kThumbsPerPage = kThumbsPerRow * kThumbsPerRow;
inline constexpr int kThumbPageSize = kThumbSize * kThumbsPerRow;

extern unsigned gThumbListBase;
extern int gThumbnailCount;  // files in the atlas
extern std::vector<unsigned> gThumbPageTextures;

// File i: its page, and its cell's row (from the top of the page) and column.
struct ThumbCell {
    int page, row, column;
};
inline ThumbCell ThumbnailCell(int index)
{
    const int j = index % kThumbsPerPage;
    return {index / kThumbsPerPage, j / kThumbsPerRow, j % kThumbsPerRow};
}

// A file is read as a colour map when its name ends in ".map" (any case).
bool IsColorMapName(const std::string& name);

// Paint one cell of an RGB page (rows from the bottom, kThumbPageSize
// pixels a row) whose lower left pixel is (x0, y0): a colour map as
// horizontal bands of four averaged entries (entry 0 at the bottom) with
// the mark in its corner, a picture scaled by nearest neighbour.
void PaintColorMapCell(uint8_t* page, int x0, int y0, const ColorMap& map);
void PaintPictureCell(uint8_t* page, int x0, int y0, const RgbImage& image);

// Builds the pages and lists of the files (names within folder). Each colour
// map read replaces *lastMap (when given): the last one read stays in it.
void BuildThumbnailAtlas(const std::string& folder, const std::vector<std::string>& names,
                         ColorMap* lastMap = nullptr);
// Thumbnail n (64 by 64 units) with its lower left corner at (x, y);
// nothing for a file the atlas does not hold.
void DrawThumbnail(int x, int y, int n);
