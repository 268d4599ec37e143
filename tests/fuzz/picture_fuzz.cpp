// fuzz-seconds: 100 (half a million inputs on a CI core)
// The picture decoders (PNG, JPEG, BMP) on arbitrary bytes, whole and as a
// thumbnail: a picture accepted is within the limits and as large as it
// says; a refused one is the grey stand-in.
#include <cstddef>
#include <cstdint>

#include "platform/picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RgbImage image;
    if (DecodeImageRgb(image, data, size)) {
        if (image.width == 0 || image.height == 0 || image.width > kMaxImageSide || image.height > kMaxImageSide ||
            image.pixels.size() != size_t{image.width} * image.height * 3)
            __builtin_trap();
    } else if (image.width != 16 || image.pixels.size() != 16 * 16 * 3) {
        __builtin_trap();
    }
    RgbImage thumbnail;
    if (DecodeImageThumbnailRgb(thumbnail, data, size, 64) && thumbnail.pixels.size() != 64 * 64 * 3) __builtin_trap();
    const RgbPicture picture = DecodePictureRgb(data, size);
    if (!picture.empty() && picture.pixels.size() != size_t(picture.width) * size_t(picture.height) * 3) __builtin_trap();
    return 0;
}
