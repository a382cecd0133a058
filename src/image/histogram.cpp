#include "image/histogram.h"

#include <algorithm>
#include <vector>

#include "common/wide_loops.h"

namespace veltrane {

void ByteCounts::addRow(const std::uint8_t* values, int n) {
    if (n <= 0) return;
    constexpr std::int64_t kFlushAt = std::int64_t{1} << 31;
    if (pending_ + n > kFlushAt) flush();
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        ++tables_[0][values[x]];
        ++tables_[1][values[x + 1]];
        ++tables_[2][values[x + 2]];
        ++tables_[3][values[x + 3]];
    }
    for (; x < n; ++x) ++tables_[0][values[x]];
    pending_ += n;
}

void ByteCounts::flush() {
    for (auto& table : tables_) {
        for (int v = 0; v < 256; ++v) totals_[v] += table[v];
        std::fill(std::begin(table), std::end(table), 0u);
    }
    pending_ = 0;
}

void ByteCounts::addTo(std::array<std::int64_t, 256>& totals) {
    flush();
    for (int v = 0; v < 256; ++v) totals[v] += totals_[v];
}

VELTRANE_WIDE_LOOP void LuminanceRow(const std::uint8_t* __restrict r, const std::uint8_t* __restrict g,
                                     const std::uint8_t* __restrict b, std::uint8_t* __restrict y, int n) {
    for (int x = 0; x < n; ++x) {
        // 30 × 255 + 59 × 255 + 11 × 255 = 25500: the sum and its quotient fit 16 bits.
        const std::uint16_t sum = static_cast<std::uint16_t>(30 * r[x] + 59 * g[x] + 11 * b[x]);
        y[x] = static_cast<std::uint8_t>(sum / 100);
    }
}

Histograms ComputeHistograms(const ColorPlanes& planes) {
    Histograms result;
    const int w = planes.width;
    const int h = planes.height;
    if (w <= 0 || h <= 0) return result;
    std::vector<std::uint8_t> luma(static_cast<std::size_t>(w));
    ByteCounts red, green, blue, luminance;
    for (int y = 0; y < h; ++y) {
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luma.data(), w);
        red.addRow(planes.R[y], w);
        green.addRow(planes.G[y], w);
        blue.addRow(planes.B[y], w);
        luminance.addRow(luma.data(), w);
    }
    red.addTo(result.red);
    green.addTo(result.green);
    blue.addTo(result.blue);
    luminance.addTo(result.luminance);
    return result;
}

std::string histogramSizeLine(int width, int height) {
    const std::int64_t pixels = static_cast<std::int64_t>(width) * height;
    return "縦×横：" + std::to_string(height) + "×" + std::to_string(width) + "　ピクセル総数：" + std::to_string(pixels);
}

namespace {

using ChannelMap = std::array<std::uint8_t, 256>;

// Rewrites every row of the three planes through its channel's map, reporting each row.
void mapChannels(ColorPlanes& planes, const ChannelMap& red, const ChannelMap& green, const ChannelMap& blue,
                 const RowProgress& progress) {
    const int w = planes.width;
    const std::pair<Plane*, const ChannelMap*> channels[] = {{&planes.R, &red}, {&planes.G, &green}, {&planes.B, &blue}};
    for (int y = 0; y < planes.height; ++y) {
        for (const auto& [plane, map] : channels) {
            std::uint8_t* row = (*plane)[y];
            const std::uint8_t* lut = map->data();
            for (int x = 0; x < w; ++x) row[x] = lut[row[x]];
        }
        if (progress) progress(y);
    }
}

// The stretch map of one plane. The first pixel starts both the minimum and the maximum;
// a value can only be above the maximum or below the minimum, never both, so these are the
// plane's plain minimum and maximum.
ChannelMap stretchMap(const Plane& plane) {
    const std::uint8_t* p = plane.data();
    const std::size_t n = plane.size();
    std::uint8_t low = p[0];
    std::uint8_t high = p[0];
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t v = p[i];
        low = v < low ? v : low;
        high = v > high ? v : high;
    }
    ChannelMap map{};
    const int d = high - low;
    // With d = 0 every pixel equals the minimum and (v − min) × 255 is 0.
    if (d != 0)
        for (int v = low; v <= high; ++v) map[v] = static_cast<std::uint8_t>(((v - low) * 255) / d);
    return map;
}

// One output level per 301 pixels at or below the value; a level above 255 is held at 255.
ChannelMap equalizeMap(const std::array<std::int64_t, 256>& counts) {
    constexpr std::int64_t kPixelsPerLevel = 301;
    ChannelMap map{};
    std::int64_t atOrBelow = 0;
    for (int v = 0; v < 256; ++v) {
        atOrBelow += counts[v];
        map[v] = static_cast<std::uint8_t>(std::min<std::int64_t>(atOrBelow / kPixelsPerLevel, 255));
    }
    return map;
}

}  // namespace

void StretchChannels(ColorPlanes& planes, const RowProgress& progress) {
    if (planes.width <= 0 || planes.height <= 0) return;
    mapChannels(planes, stretchMap(planes.R), stretchMap(planes.G), stretchMap(planes.B), progress);
}

void EqualizeChannels(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    if (w <= 0 || h <= 0) return;
    ByteCounts red, green, blue;
    for (int y = 0; y < h; ++y) {
        red.addRow(planes.R[y], w);
        green.addRow(planes.G[y], w);
        blue.addRow(planes.B[y], w);
    }
    std::array<std::int64_t, 256> r{}, g{}, b{};
    red.addTo(r);
    green.addTo(g);
    blue.addTo(b);
    mapChannels(planes, equalizeMap(r), equalizeMap(g), equalizeMap(b), progress);
}

}  // namespace veltrane
