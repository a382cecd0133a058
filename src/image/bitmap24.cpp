#include "image/bitmap24.h"

namespace veltrane {

Bitmap24::Bitmap24(int width, int height)
    : width_(width), height_(height), stride_(strideFor(width)),
      data_(stride_ * static_cast<std::size_t>(height), 0) {}

bool isAllocatable(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

}  // namespace veltrane
