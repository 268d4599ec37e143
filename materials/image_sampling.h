// The bilinear core of the image samplers, in pixel coordinates.
#pragma once

#include <cstdint>

#include "materials/texture_slot.h"

// fx, fy are clamped into the image (a value that is not a number samples
// the first pixel); black without pixels.
float* BilinearAt(float* out, float fx, float fy, uint32_t width, uint32_t height, const uint8_t* pixels);
float* BilinearAt(float* out, float fx, float fy, const SlotImage* image);
