#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/decoded_image.h"

namespace veltrane {

// Decodes a BMP file held in memory: OS/2 (12-byte) and Windows (40, 52, 56, 108, 124-byte)
// headers; 1, 4, 8, 16, 24 and 32 bits per pixel; uncompressed, RLE8, RLE4 and bit fields;
// bottom-up and top-down. Throws DecodeError for anything truncated, malformed or too large.
DecodedImage decodeBmp(const std::uint8_t* data, std::size_t size);

// Encodes the working bitmap as an uncompressed 24-bit bottom-up BMP file.
std::vector<std::uint8_t> encodeBmp24(const Bitmap24& bitmap);

}  // namespace veltrane
