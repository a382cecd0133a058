#pragma once
// The working bitmap: 24 bits per pixel, bytes B, G, R per pixel, scan line 0 at the
// top, each scan line padded to a multiple of 4 bytes as a device-independent bitmap is.
#include <cstddef>
#include <cstdint>

#include "image/pixel_buffer.h"

namespace veltrane {

class Bitmap24 {
public:
    Bitmap24() = default;
    // Allocates a black picture. Sizes must be validated by the caller (see isAllocatable).
    Bitmap24(int width, int height);
    // Allocates a picture whose every pixel the caller is about to write: only the row
    // padding is cleared, which saves a pass over a large picture.
    static Bitmap24 forOverwrite(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    std::size_t stride() const { return stride_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* row(int y) { return data_.data() + static_cast<std::size_t>(y) * stride_; }
    const std::uint8_t* row(int y) const { return data_.data() + static_cast<std::size_t>(y) * stride_; }
    std::uint8_t* data() { return data_.data(); }
    const std::uint8_t* data() const { return data_.data(); }

    static std::size_t strideFor(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

private:
    struct NoFill {};
    Bitmap24(int width, int height, NoFill);

    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
    PixelBuffer data_;
};

// Largest side a decoder accepts, and the largest picture the program will hold: the
// document keeps it three times (working bitmap and two plane sets).
constexpr std::int64_t kMaxPictureSide = 30000;
constexpr std::int64_t kMaxPicturePixels = 400'000'000;

// True when a picture of this size may be allocated: both sides 1..kMaxPictureSide and
// the pixel count within kMaxPicturePixels. All arithmetic is 64-bit.
bool isAllocatable(std::int64_t width, std::int64_t height);

}  // namespace veltrane
