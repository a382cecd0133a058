#pragma once
// The histogram commands of the main window: counting the four histograms shown in the
// histogram window, the size line above them, and the two whole-picture histogram operations
// (stretching and equalising each colour channel).
#include <array>
#include <cstdint>
#include <string>

#include "image/color_planes.h"

namespace veltrane {

// The luminance of n pixels into y: (30 R + 59 G + 11 B) / 100 in integers, 0..255. Written so that the compiler vectorises it (the sum fits
// 16 bits and the division by 100 becomes a multiply-high).
void LuminanceRow(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, std::uint8_t* y, int n);

// Counts the byte values of a run of rows. Consecutive pixels of a smooth picture often share a
// value, and a single table would make each count wait for the one before it; four tables
// taken in turn keep four counts in flight. The 32-bit tables are added to 64-bit totals
// before they can overflow, so any picture size is counted exactly.
class ByteCounts {
public:
    void addRow(const std::uint8_t* values, int n);
    // Adds the counts so far to totals.
    void addTo(std::array<std::int64_t, 256>& totals);

private:
    void flush();

    std::array<std::int64_t, 256> totals_{};
    std::uint32_t tables_[4][256] = {};
    std::int64_t pending_ = 0;
};

// Counts per value 0..255 of R, G, B and the luminance.
struct Histograms {
    std::array<std::int64_t, 256> red{}, green{}, blue{}, luminance{};
};

Histograms ComputeHistograms(const ColorPlanes& planes);

// "縦×横：" H "×" W "　ピクセル総数：" W × H (the pixel count in 64 bits), in UTF-8.
std::string histogramSizeLine(int width, int height);

// Stretches each of R, G, B on its own to the full range: v becomes ((v − min) × 255) / d
// with d = max − min, truncating; a channel with a single value becomes 0.
// Progress: rows 0 .. H − 1 in order, during the pass that writes the new values.
void StretchChannels(ColorPlanes& planes, const RowProgress& progress = {});

// Equalises each of R, G, B on its own with one output level per 301 pixels: v becomes
// (number of pixels of the channel with a value of v or less) / 301, held at 255.
// Progress: rows 0 .. H − 1 in order, during the pass that writes the new values.
void EqualizeChannels(ColorPlanes& planes, const RowProgress& progress = {});

}  // namespace veltrane
