#include "baseshapes/sampler_contract.h"

#include <cmath>

namespace {

const BaseshapeImage* SlotImage(const BaseshapeImage* images, uint8_t slot)
{
    const int b = gSlotBaseshape[slot];
    if (b < 0 || b >= kMaxBaseshapes) return nullptr;
    const BaseshapeImage& image = images[b];
    if (!image.pixels || image.width == 0 || image.height == 0) return nullptr;
    return &image;
}

// floor(x) as an index in [0, last]; NaN goes to 0 (never a float-to-int
// conversion out of range).
uint32_t ClampedIndex(float x, uint32_t last)
{
    if (!(x >= 0.0f)) return 0;
    if (x >= static_cast<float>(last)) return last;
    return static_cast<uint32_t>(x);
}

// X in [0, last] for a bilinear position; NaN goes to 0.
float ClampedPosition(float x, uint32_t last)
{
    if (!(x >= 0.0f)) return 0.0f;
    const float top = static_cast<float>(last);
    return x > top ? top : x;
}

// Index along one axis of a displacement map and its neighbour.
void DrawAxis(RandomState& rs, uint32_t n, bool wraps, uint32_t& index, uint32_t& next)
{
    if (wraps) {
        index = RandomStep(rs) % n;
        next = index + 1 == n ? 0 : index + 1;
        return;
    }
    // Edge-weighted: 5% of the draws go to the first or last cell.
    const float e = RandomUniform(rs);
    const uint32_t w = RandomStep(rs);
    if (n < 2) {
        index = next = 0;
        return;
    }
    if (e >= 0.95f) {
        index = w <= 0x80000000u ? n - 2 : 0;
    } else {
        index = w % (n - 1);
    }
    next = index + 1;
}

}  // namespace

const BaseshapeImage* SlotTexture(uint8_t slot) { return SlotImage(gBaseshapeTextures, slot); }

void SampleBaseshapeTextureNearest(const float* u, const float* v, uint8_t slot)
{
    const BaseshapeImage* t = SlotTexture(slot);
    if (!t) return;
    const uint32_t col = ClampedIndex(std::floor(static_cast<float>(t->width) * *u), t->width - 1);
    const uint32_t row = ClampedIndex(std::floor(static_cast<float>(t->height) * *v), t->height - 1);
    const uint8_t* texel = t->pixels + (static_cast<size_t>(row) * t->width + col) * 3;
    gSlotTexelColor[slot][0] = texel[0];
    gSlotTexelColor[slot][1] = texel[1];
    gSlotTexelColor[slot][2] = texel[2];
}

void SampleBaseshapeTextureBilinear(const float* u, const float* v, uint8_t slot)
{
    const BaseshapeImage* t = SlotTexture(slot);
    if (!t) return;
    const float x = ClampedPosition(static_cast<float>(t->width - 1) * *u, t->width - 1);
    const float y = ClampedPosition(static_cast<float>(t->height - 1) * *v, t->height - 1);
    const float fx0 = std::floor(x);
    const float fy0 = std::floor(y);
    const uint32_t x0 = static_cast<uint32_t>(fx0);
    const uint32_t x1 = static_cast<uint32_t>(std::ceil(x));
    const uint32_t y0 = static_cast<uint32_t>(fy0);
    const uint32_t y1 = static_cast<uint32_t>(std::ceil(y));
    const float fx = x - fx0;
    const float fy = y - fy0;
    const size_t w = t->width;
    const uint8_t* t00 = t->pixels + (y0 * w + x0) * 3;
    const uint8_t* t01 = t->pixels + (y1 * w + x0) * 3;
    const uint8_t* t10 = t->pixels + (y0 * w + x1) * 3;
    const uint8_t* t11 = t->pixels + (y1 * w + x1) * 3;
    for (int c = 0; c < 3; ++c) {
        const float value = (1.0f - fx) * ((1.0f - fy) * t00[c] + fy * t01[c]) +
                            fx * ((1.0f - fy) * t10[c] + fy * t11[c]);
        gSlotTexelColor[slot][c] = static_cast<uint8_t>(value);
    }
}

void ApplyTexelColor(BaseshapePoint* point, float u, float v, uint8_t slot)
{
    const uint8_t mode = gSlotColorMode[slot];
    if ((mode != 1 && mode != 2) || !SlotTexture(slot)) return;
    if (mode == 1) {
        SampleBaseshapeTextureNearest(&u, &v, slot);
    } else {
        SampleBaseshapeTextureBilinear(&u, &v, slot);
    }
    point->red = gSlotTexelColor[slot][0];
    point->green = gSlotTexelColor[slot][1];
    point->blue = gSlotTexelColor[slot][2];
}

DisplacementCell DrawDisplacementCell(uint8_t slot, bool wrapColumns, bool wrapRows, bool rejectHoles)
{
    DisplacementCell cell{};
    const BaseshapeImage* map = SlotImage(gBaseshapeDMaps, slot);
    if (!map) return cell;
    RandomState& rs = SamplerRandom(slot);
    const uint32_t w = map->width;
    const uint32_t h = map->height;
    const uint8_t* px = map->pixels;
    cell.mapWidth = w;
    cell.mapHeight = h;
    const int tries = rejectHoles ? kDisplacementTries : 1;
    for (int attempt = 0; attempt < tries; ++attempt) {
        DrawAxis(rs, w, wrapColumns, cell.col, cell.col1);
        DrawAxis(rs, h, wrapRows, cell.row, cell.row1);
        cell.fx = RandomUniform(rs);
        cell.fy = RandomUniform(rs);
        const float fx = cell.fx;
        const float top = (1.0f - fx) * px[cell.row * w + cell.col] + fx * px[cell.row * w + cell.col1];
        const float bottom = (1.0f - fx) * px[cell.row1 * w + cell.col] + fx * px[cell.row1 * w + cell.col1];
        cell.u = (static_cast<float>(cell.col) + cell.fx) / static_cast<float>(w);
        cell.v = (static_cast<float>(cell.row) + cell.fy) / static_cast<float>(h);
        // Zero heights are holes in the shape.
        if (rejectHoles && top == 0.0f && bottom == 0.0f) continue;
        cell.height = (1.0f - cell.fy) * top + cell.fy * bottom;
        return cell;
    }
    cell.height = 0.0f;
    return cell;
}

const float* DrawMeshTriangle(uint8_t slot)
{
    const int b = gSlotBaseshape[slot];
    if (b < 0 || b >= kMaxBaseshapes) return nullptr;
    const BaseshapeMesh& mesh = gBaseshapeMeshes[b];
    if (!mesh.vertices || mesh.triangleCount == 0) return nullptr;
    const uint32_t t = RandomStep(SamplerRandom(slot)) % mesh.triangleCount;
    return mesh.vertices + static_cast<size_t>(t) * 9;
}
