#pragma once

#include <cstdint>
#include <vector>

namespace tevanor::testing {

// An 8-bit RGB picture as a PNG file: `rgb` holds the rows top to bottom, 3 bytes a pixel.
// The image data is stored in uncompressed deflate blocks, which every reader accepts.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace tevanor::testing
