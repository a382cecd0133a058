#include "player/media_units.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace veltrane {

double volumeToGain(int volume) {
    if (volume <= -10000) return 0.0;
    if (volume >= 0) return 1.0;
    return std::pow(10.0, volume / 2000.0);
}

double balanceToPanorama(int balance) {
    const int b = std::clamp(balance, -10000, 10000);
    if (b == 0) return 0.0;
    const double magnitude = 1.0 - std::pow(10.0, -std::abs(b) / 2000.0);
    return b < 0 ? -magnitude : magnitude;
}

std::int64_t framesToNanoseconds(std::int64_t frames, int rateNum, int rateDen) {
    if (rateNum <= 0 || rateDen <= 0 || frames <= 0) return 0;
    const __int128 numerator = static_cast<__int128>(frames) * kNanosecondsPerSecond * rateDen;
    return static_cast<std::int64_t>((numerator + rateNum / 2) / rateNum);
}

std::int64_t nanosecondsToFrames(std::int64_t nanoseconds, int rateNum, int rateDen) {
    if (rateNum <= 0 || rateDen <= 0 || nanoseconds <= 0) return 0;
    const __int128 denominator = static_cast<__int128>(kNanosecondsPerSecond) * rateDen;
    return static_cast<std::int64_t>((static_cast<__int128>(nanoseconds) * rateNum + denominator / 2) / denominator);
}

}  // namespace veltrane
