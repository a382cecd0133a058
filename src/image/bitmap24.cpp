#include "image/bitmap24.h"

#include <cstring>

namespace veltrane {

Bitmap24::Bitmap24(int width, int height)
    : width_(width), height_(height), stride_(strideFor(width)),
      data_(stride_ * static_cast<std::size_t>(height), 0) {}

Bitmap24::Bitmap24(int width, int height, NoFill)
    : width_(width), height_(height), stride_(strideFor(width)), data_(stride_ * static_cast<std::size_t>(height)) {}

Bitmap24 Bitmap24::forOverwrite(int width, int height) {
    Bitmap24 bitmap(width, height, NoFill{});
    const std::size_t used = static_cast<std::size_t>(width) * 3;
    if (bitmap.stride_ > used)
        for (int y = 0; y < height; ++y) std::memset(bitmap.row(y) + used, 0, bitmap.stride_ - used);
    return bitmap;
}

bool isAllocatable(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

}  // namespace veltrane
