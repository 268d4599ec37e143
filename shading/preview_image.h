// The 1024 x 1024 RGB preview image (832 x 832 shown, row stride 1024) that
// the shading passes fill. The passes never touch GL: they set
// gPreviewUploadPending, and the frame on the main thread uploads.
#pragma once

#include <atomic>
#include <cstdint>

inline constexpr int kPreviewImageSize = 1024;
extern uint8_t gPreviewImage[kPreviewImageSize * kPreviewImageSize * 3];  // RGB, row 0 at the bottom
extern std::atomic<uint8_t> gPreviewUploadPending;
