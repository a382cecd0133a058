#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

#include "image/bitmap24.h"

namespace veltrane {

// A picture file as read from disk: always converted to the 24-bit working bitmap, with the
// bit depth the file itself had (1, 4, 8, 16, 24 or 32 for BMP; 8 or 24 for JPEG).
struct DecodedImage {
    Bitmap24 bitmap;
    int bitsPerPixel = 24;
};

// A file that cannot be read or decoded. The message is a complete Japanese sentence fit
// for the error box.
class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws the DecodeError every decoder gives for a picture too large to hold (see
// isAllocatable). Call it with the header's size before allocating anything.
void requireAllocatable(std::int64_t width, std::int64_t height);

}  // namespace veltrane
