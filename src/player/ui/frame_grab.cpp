#include "player/ui/frame_grab.h"

#include <cstring>

namespace veltrane {

int GrabResult::rowBytes() const { return paddedRowBytes(width); }

int paddedRowBytes(int width) { return (3 * width + 3) & ~3; }

GrabResult packBottomUp(const std::uint8_t* top, std::size_t size, int width, int height, int stride) {
    GrabResult result;
    if (top == nullptr || width <= 0 || height <= 0 || stride < 3 * width) return result;
    const std::size_t needed = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height - 1) +
                               3 * static_cast<std::size_t>(width);
    if (size < needed) return result;

    const int rowBytes = paddedRowBytes(width);
    result.width = width;
    result.height = height;
    result.bits.assign(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = top + static_cast<std::size_t>(stride) * static_cast<std::size_t>(y);
        std::uint8_t* target =
            result.bits.data() + static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height - 1 - y);
        std::memcpy(target, source, 3 * static_cast<std::size_t>(width));
    }
    result.status = GrabResult::Status::Ok;
    return result;
}

}  // namespace veltrane
