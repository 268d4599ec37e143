#include "shading/preview_image.h"

uint8_t gPreviewImage[kPreviewImageSize * kPreviewImageSize * 3];
std::atomic<uint8_t> gPreviewUploadPending{0};
float gExportPreviewSums[kPreviewShown * kPreviewShown * 3];
uint16_t gExportPreviewCounts[kPreviewShown * kPreviewShown];
