// The on-screen preview picture that the shading passes and the export
// write and the frame uploads, and the double-density sums behind it.
#pragma once

#include <atomic>
#include <cstdint>

inline constexpr int kPreviewImageSize = 1024;  // texels per side; the 832 x 832 corner is shown
inline constexpr int kPreviewShown = 832;

extern uint8_t gPreviewImage[kPreviewImageSize * kPreviewImageSize * 3];  // RGB, row 0 at the bottom
// Set after pixels changed; the frame uploads the picture and clears it.
extern std::atomic<uint8_t> gPreviewUploadPending;

// Colour sums and sample counts per shown preview pixel.
extern float gExportPreviewSums[kPreviewShown * kPreviewShown * 3];
extern uint16_t gExportPreviewCounts[kPreviewShown * kPreviewShown];
