#include "tools/shape_icons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "baseshapes/generator_table.h"
#include "baseshapes/kind_table.h"
#include "engine/constants.h"
#include "engine/random.h"

namespace {

// The icons draw on one slot and restore what they change of it.
constexpr uint8_t kIconSlot = 0;

struct SlotSnapshot {
    RndField random;
    int8_t baseshape;
    uint8_t colorMode;
    SlotSnapshot() : random(gBaseshapeRandom[kIconSlot]), baseshape(gSlotBaseshape[kIconSlot]),
                     colorMode(gSlotColorMode[kIconSlot]) {}
    ~SlotSnapshot()
    {
        gBaseshapeRandom[kIconSlot] = random;
        gSlotBaseshape[kIconSlot] = baseshape;
        gSlotColorMode[kIconSlot] = colorMode;
    }
};

void EnsureTables()
{
    if (!gBaseshapeGenerators[0][0]) BuildBaseshapeGeneratorTables();
}

// 3x5 digits for the sheet's kind labels, one row of three bits a line.
constexpr uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

void DrawLabel(IconImage& image, int x0, int y0, int number)
{
    const std::string text = std::to_string(number);
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t* glyph = kDigits[text[i] - '0'];
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (!(glyph[row] & (4 >> col))) continue;
                const int x = x0 + static_cast<int>(i) * 4 + col;
                const int y = y0 + row;
                if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
                uint8_t* px = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
                px[0] = 250, px[1] = 200, px[2] = 60;
            }
        }
    }
}

}  // namespace

BaseshapePoint DefaultIconTemplate()
{
    BaseshapePoint p{};
    p.size = 1.0f;
    for (float& v : p.p) v = 0.35f;
    return p;
}

IconImage DrawShapeIcon(int kind, bool filled, const BaseshapePoint& shape, const ShapeIconStyle& style)
{
    EnsureTables();
    const int size = std::max(style.size, 1);
    IconImage image;
    image.width = image.height = size;
    image.pixels.resize(static_cast<size_t>(size) * size * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = style.background[i % 3];
    if (kind < 0 || kind >= kBaseshapeTableSize) return image;

    SlotSnapshot keep;
    gBaseshapeRandom[kIconSlot].Seed(style.seed);
    gSlotBaseshape[kIconSlot] = 0;
    gSlotColorMode[kIconSlot] = 0;
    const BaseshapeSampler sampler = gBaseshapeGenerators[filled ? 1 : 0][kind];
    const uint8_t* color = style.color;
    const int points = std::max(style.points, 0);

    // View: 30 degrees about y, then 20 about x; y up on the screen.
    const float cy = std::cos(0.5235988f), sy = std::sin(0.5235988f);
    const float cx = std::cos(0.3490659f), sx = std::sin(0.3490659f);
    std::vector<float> view;
    view.reserve(static_cast<size_t>(points) * 3);
    BaseshapePoint last = shape;
    for (int i = 0; i < points; ++i) {
        BaseshapePoint p = shape;
        // Kinds that continue from the previous point get it, as in a run.
        p.x = last.x, p.y = last.y, p.z = last.z;
        sampler(&p, kIconSlot);
        last = p;
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) continue;
        const float x1 = cy * p.x + sy * p.z;
        const float z1 = -sy * p.x + cy * p.z;
        view.push_back(x1);
        view.push_back(cx * p.y - sx * z1);
        view.push_back(sx * p.y + cx * z1);  // larger is nearer
    }
    if (view.empty()) return image;

    float lo[3] = {view[0], view[1], view[2]};
    float hi[3] = {view[0], view[1], view[2]};
    for (size_t i = 0; i < view.size(); i += 3) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], view[i + a]);
            hi[a] = std::max(hi[a], view[i + a]);
        }
    }
    const float extent = std::max({hi[0] - lo[0], hi[1] - lo[1], 1e-6f});
    const float scale = (static_cast<float>(size) - 4.0f) / extent;
    const float mx = 0.5f * (lo[0] + hi[0]);
    const float my = 0.5f * (lo[1] + hi[1]);
    const float depthSpan = std::max(hi[2] - lo[2], 1e-6f);

    std::vector<float> depth(static_cast<size_t>(size) * size, -1.0f);
    for (size_t i = 0; i < view.size(); i += 3) {
        const float fx = (view[i] - mx) * scale + 0.5f * static_cast<float>(size);
        const float fy = 0.5f * static_cast<float>(size) - (view[i + 1] - my) * scale;
        if (!(fx >= 0.0f && fy >= 0.0f && fx < static_cast<float>(size) && fy < static_cast<float>(size))) continue;
        const size_t at = static_cast<size_t>(fy) * size + static_cast<size_t>(fx);
        const float d = (view[i + 2] - lo[2]) / depthSpan;
        if (d > depth[at]) depth[at] = d;
    }
    for (size_t at = 0; at < depth.size(); ++at) {
        if (depth[at] < 0.0f) continue;
        const float light = 0.3f + 0.7f * depth[at];
        for (int c = 0; c < 3; ++c) image.pixels[at * 3 + c] = static_cast<uint8_t>(color[c] * light);
    }
    return image;
}

IconImage DrawShapeContactSheet(bool filled, int columns, bool labels, const ShapeIconStyle& style)
{
    columns = std::clamp(columns, 1, kBaseshapeKinds);
    const int rows = (kBaseshapeKinds + columns - 1) / columns;
    const int cell = style.size + 1;
    IconImage sheet;
    sheet.width = columns * cell - 1;
    sheet.height = rows * cell - 1;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 0);
    const BaseshapePoint shape = DefaultIconTemplate();
    EnsureTables();
    for (int k = 0; k < kBaseshapeKinds; ++k) {
        const IconImage icon = DrawShapeIcon(k, filled, shape, style);
        const int x0 = (k % columns) * cell;
        const int y0 = (k / columns) * cell;
        for (int y = 0; y < icon.height; ++y) {
            std::copy_n(&icon.pixels[static_cast<size_t>(y) * icon.width * 3], icon.width * 3,
                        &sheet.pixels[(static_cast<size_t>(y0 + y) * sheet.width + x0) * 3]);
        }
        if (labels) DrawLabel(sheet, x0 + 1, y0 + 1, k);
    }
    return sheet;
}

std::vector<uint8_t> EncodePpm(const IconImage& image)
{
    const std::string header = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), image.pixels.begin(), image.pixels.end());
    return bytes;
}

bool WritePpmFile(const std::string& path, const IconImage& image)
{
    const std::vector<uint8_t> bytes = EncodePpm(image);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
