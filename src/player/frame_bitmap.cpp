#include "player/frame_bitmap.h"

#include <cstring>

namespace veltrane {

Bitmap24 frameToBitmap(const std::uint8_t* rows, std::size_t size, int width, int height, int stride, RowOrder order) {
    if (rows == nullptr || !isAllocatable(width, height) || stride < 3 * width) return {};
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    const std::size_t needed = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height - 1) + rowBytes;
    if (size < needed) return {};

    Bitmap24 bitmap = Bitmap24::forOverwrite(width, height);
    for (int y = 0; y < height; ++y) {
        const int source = order == RowOrder::TopFirst ? y : height - 1 - y;
        std::memcpy(bitmap.row(y), rows + static_cast<std::size_t>(stride) * static_cast<std::size_t>(source), rowBytes);
    }
    return bitmap;
}

Bitmap24 frameToBitmap(const VideoFrame& frame) {
    return frameToBitmap(frame.bits, frame.size, frame.width, frame.height, frame.stride);
}

}  // namespace veltrane
