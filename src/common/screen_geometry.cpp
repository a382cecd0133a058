#include "common/screen_geometry.h"

#include <algorithm>
#include <cstdint>

namespace veltrane {

bool meetsAScreen(int left, int top, WindowSize size, const std::vector<ScreenRect>& screens) {
    const std::int64_t right = std::int64_t{left} + std::max(size.width, 1);
    const std::int64_t bottom = std::int64_t{top} + std::max(size.height, 1);
    return std::any_of(screens.begin(), screens.end(), [&](const ScreenRect& s) {
        return left < std::int64_t{s.left} + s.width && s.left < right && top < std::int64_t{s.top} + s.height &&
               s.top < bottom;
    });
}

}  // namespace veltrane
