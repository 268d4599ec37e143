// Raised around every replacement of a texture's pixel buffer: the image
// samplers of the shading workers return black while it is set.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<uint8_t> gTexturesBusy;
