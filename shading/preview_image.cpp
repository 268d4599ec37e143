#include "shading/preview_image.h"

uint8_t gPreviewImage[kPreviewImageSize * kPreviewImageSize * 3];
std::atomic<uint8_t> gPreviewUploadPending{0};
