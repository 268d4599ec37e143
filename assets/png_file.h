// 8-bit RGB PNG writing through libpng, into memory or a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Encodes width x height RGB pixels, rows top first. Returns false (and
// leaves out empty) when the sizes are not positive or libpng fails.
bool EncodePngRgb(const uint8_t* rgb, int width, int height, std::vector<uint8_t>& out);

// Writes the encoded picture; false when it cannot be written.
bool WritePngRgb(const std::string& path, const uint8_t* rgb, int width, int height);

}  // namespace assetgen
