// Texture slots: one RGB8 image each (material textures, the background,
// light gels). Shading threads sample a slot while the window thread may
// replace its image, so a slot holds an immutable image through a shared
// pointer that readers copy atomically: a reader keeps the image it took
// alive until it lets go, and a replacement never frees pixels in use.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "materials/texture_busy.h"

struct SlotImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels;  // width x height x 3: rows of R, G, B, row 0 first
};
using SlotImagePtr = std::shared_ptr<const SlotImage>;

// gTexturesBusy is set around every replacement of a slot's image and the
// samplers return black while it is set; a hint only, since the shared
// pointer is what keeps readers safe.

// A width x height image of one colour.
SlotImagePtr MakeSolidImage(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b);

inline constexpr int kSlotNameSize = 260;

struct TextureSlot {
    char name1[kSlotNameSize] = {};
    char name2[kSlotNameSize] = {};

    // The image at this moment; null before the first one is set.
    SlotImagePtr Image() const { return image_.load(std::memory_order_acquire); }
    // Publishes a new image with gTexturesBusy set around the swap; the old
    // image is freed when its last reader lets go.
    void Replace(SlotImagePtr next);
    uint32_t Width() const;
    uint32_t Height() const;
    // Both names become "#": an image without a file of its own.
    void NameGenerated(bool both);

private:
    std::atomic<SlotImagePtr> image_;
};
