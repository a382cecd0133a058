#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/decoded_image.h"

namespace veltrane {

// Decodes a JPEG file held in memory into the working bitmap (greyscale becomes equal
// R, G, B; CMYK and YCCK are converted to RGB). libjpeg's errors never end the process:
// they come back as DecodeError.
DecodedImage decodeJpeg(const std::uint8_t* data, std::size_t size);

// Encodes the working bitmap as a baseline colour JPEG at the given quality.
// Throws std::runtime_error when the encoder fails.
std::vector<std::uint8_t> encodeJpeg(const Bitmap24& bitmap, int quality);

}  // namespace veltrane
