// The "WINマスク": bands of 16 rows scrambled by one fixed permutation.
#include <algorithm>
#include <array>

#include "effects/mask_patterns.h"
#include "image/pixel_buffer.h"

namespace veltrane {

namespace {

constexpr int kBand = 16;
// New row k of a band takes old row kOrder[k].
constexpr std::array<int, kBand> kOrder = {15, 8, 6, 12, 9, 13, 2, 11, 1, 4, 14, 7, 0, 5, 10, 3};

}  // namespace

void WinMask(ColorPlanes& planes) {
    const int width = planes.width;
    if (planes.height < kBand || width <= 0) return;
    PixelBuffer band(static_cast<std::size_t>(kBand) * static_cast<std::size_t>(width));
    const auto bandRow = [&](int k) { return band.data() + static_cast<std::size_t>(k) * width; };
    for (Plane* plane : {&planes.R, &planes.G, &planes.B})
        for (int start = 0; start + kBand <= planes.height; start += kBand) {
            for (int k = 0; k < kBand; ++k) std::copy_n((*plane)[start + k], width, bandRow(k));
            for (int k = 0; k < kBand; ++k) std::copy_n(bandRow(kOrder[k]), width, (*plane)[start + k]);
        }
}

}  // namespace veltrane
