#include "materials/texture_busy.h"

std::atomic<uint8_t> gTexturesBusy{0};
