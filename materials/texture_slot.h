// Texture slots: one RGB8 image each (material textures, the background,
// light gels). Shading threads sample a slot while the window thread may
// replace its image. Readers announce the image they use in a hazard entry
// of their own (one cache line per thread, no lock, no shared counter); a
// replacement publishes the new image and frees the old one only once no
// reader announces it, so no sampler ever reads freed pixels.
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
using SlotImagePtr = std::unique_ptr<SlotImage>;

// gTexturesBusy is set around every replacement of a slot's image and the
// samplers return black while it is set; a hint only, since the hazard
// entries are what keep readers safe.

// A width x height image of one colour.
SlotImagePtr MakeSolidImage(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b);

// A reader's hold on a slot's image: the image stays valid while the hold
// lives. Empty when the slot has no image (or while 64 other threads hold
// the hazard entries). Holds of one thread may nest two deep.
class SlotImageHold {
public:
    SlotImageHold() = default;
    SlotImageHold(const SlotImage* image, std::atomic<const SlotImage*>* hazard) : image_(image), hazard_(hazard) {}
    SlotImageHold(const SlotImageHold&) = delete;
    SlotImageHold& operator=(const SlotImageHold&) = delete;
    ~SlotImageHold();
    const SlotImage* get() const { return image_; }
    const SlotImage* operator->() const { return image_; }
    explicit operator bool() const { return image_ != nullptr; }

private:
    const SlotImage* image_ = nullptr;
    std::atomic<const SlotImage*>* hazard_ = nullptr;
};

inline constexpr int kSlotNameSize = 260;

class TextureSlot {
public:
    TextureSlot() = default;
    ~TextureSlot();
    TextureSlot(const TextureSlot&) = delete;
    TextureSlot& operator=(const TextureSlot&) = delete;

    char name1[kSlotNameSize] = {};
    char name2[kSlotNameSize] = {};

    // The image at this moment, held until the hold goes.
    SlotImageHold Image() const;
    // Publishes a new image with gTexturesBusy set around the swap, waits
    // until no reader holds the old one, and frees it.
    void Replace(SlotImagePtr next);
    uint32_t Width() const;
    uint32_t Height() const;
    // The name(s) become "#": an image without a file of its own.
    void NameGenerated(bool both);

private:
    std::atomic<const SlotImage*> image_{nullptr};
};
