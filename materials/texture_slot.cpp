#include "materials/texture_slot.h"

#include <cstring>

SlotImagePtr MakeSolidImage(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b)
{
    auto image = std::make_shared<SlotImage>();
    image->width = width;
    image->height = height;
    image->pixels.resize(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < image->pixels.size(); i += 3) {
        image->pixels[i] = r;
        image->pixels[i + 1] = g;
        image->pixels[i + 2] = b;
    }
    return image;
}

void TextureSlot::Replace(SlotImagePtr next)
{
    gTexturesBusy.store(1, std::memory_order_release);
    image_.store(std::move(next), std::memory_order_release);
    gTexturesBusy.store(0, std::memory_order_release);
}

uint32_t TextureSlot::Width() const
{
    const SlotImagePtr image = Image();
    return image ? image->width : 0;
}

uint32_t TextureSlot::Height() const
{
    const SlotImagePtr image = Image();
    return image ? image->height : 0;
}

void TextureSlot::NameGenerated(bool both)
{
    std::memset(name1, 0, 8);
    name1[0] = '#';
    if (both) {
        std::memset(name2, 0, 8);
        name2[0] = '#';
    }
}
