#include "frames/frame_numbers.h"

#include <algorithm>
#include <cstdint>

namespace veltrane {

int frameAtTrackPosition(int position, int totalFrames, int maximum) {
    if (totalFrames <= 0 || maximum <= 0) return position;
    return static_cast<int>(static_cast<std::int64_t>(position) * totalFrames / maximum);
}

int jumpFrame(int totalSeconds, int point, int totalFrames) {
    if (totalFrames <= 0) return point;
    const std::int64_t m = static_cast<std::int64_t>(totalSeconds) * point * 30 / totalFrames;
    return static_cast<int>(std::clamp<std::int64_t>(m, 0, totalFrames));
}

}  // namespace veltrane
