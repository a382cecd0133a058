#include "image/decoded_image.h"

#include <string>

namespace veltrane {

void requireAllocatable(std::int64_t width, std::int64_t height) {
    if (!isAllocatable(width, height)) {
        throw DecodeError("画像が大きすぎて開けません（幅 " + std::to_string(width) + " × 高さ " +
                          std::to_string(height) + "）");
    }
}

}  // namespace veltrane
