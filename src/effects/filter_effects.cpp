#include "effects/filter_effects.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "effects/filter_kernels.h"

namespace veltrane {
namespace {

// The unchanged source rows one channel of a 3 × 3 pass needs, each padded with its wrapped
// neighbours: the row above, the row itself and the row below the one being written, plus a
// copy of row 0 taken before anything is written (the last row's lower neighbour).
struct WrappedRows {
    std::uint8_t* above;
    std::uint8_t* here;
    std::uint8_t* below;
    std::uint8_t* first;
};

// Fills the wrap columns of a padded row whose values sit at 1 .. width.
void wrapEnds(std::uint8_t* padded, int width) {
    padded[0] = padded[width];
    padded[width + 1] = padded[1];
}

// Runs a 3 × 3 pass over `channels` source channels. fillRow(channel, y, dest) writes the width
// source values of picture row y into dest; writeRow(y, rows) writes picture row y from the
// padded rows of every channel. Source rows are copied before their picture row is written, so
// every output comes from unchanged values; the working memory is taken before any write.
template <int channels, class FillRow, class WriteRow>
void wrappedPass(int width, int height, FillRow fillRow, WriteRow writeRow, const RowProgress& progress) {
    const std::size_t stride = static_cast<std::size_t>(width) + 2;
    std::vector<std::uint8_t> storage(4 * stride * channels);
    std::array<WrappedRows, channels> rows;
    for (int c = 0; c < channels; ++c) {
        std::uint8_t* base = storage.data() + 4 * stride * static_cast<std::size_t>(c);
        WrappedRows& r = rows[static_cast<std::size_t>(c)];
        r = {base, base + stride, base + 2 * stride, base + 3 * stride};
        fillRow(c, 0, r.first + 1);
        wrapEnds(r.first, width);
        std::memcpy(r.here, r.first, stride);
        fillRow(c, height - 1, r.above + 1);
        wrapEnds(r.above, width);
    }
    for (int y = 0; y < height; ++y) {
        for (int c = 0; c < channels; ++c) {
            WrappedRows& r = rows[static_cast<std::size_t>(c)];
            if (y + 1 < height) {
                fillRow(c, y + 1, r.below + 1);
                wrapEnds(r.below, width);
            } else {
                r.below = r.first;  // row 0 has been rewritten by now; its copy stands in
            }
        }
        writeRow(y, rows);
        for (WrappedRows& r : rows) {
            std::uint8_t* const spare = r.above;
            r.above = r.here;
            r.here = r.below;
            r.below = spare;
        }
        if (progress) progress(y);
    }
}

// Each channel filtered on its own with the same kernel.
void filterEachChannel(ColorPlanes& planes, FilterRowKernel kernel, const RowProgress& progress) {
    const std::array<Plane*, 3> channel{&planes.R, &planes.G, &planes.B};
    const int width = planes.width;
    wrappedPass<3>(
        width, planes.height,
        [&](int c, int y, std::uint8_t* dest) { std::memcpy(dest, (*channel[c])[y], static_cast<std::size_t>(width)); },
        [&](int y, const std::array<WrappedRows, 3>& rows) {
            for (int c = 0; c < 3; ++c) kernel(rows[c].above, rows[c].here, rows[c].below, (*channel[c])[y], width);
        },
        progress);
}

// The kernel on the floating grey value of each pixel; the result is written to R, G and B.
void filterGrey(ColorPlanes& planes, FilterRowKernel kernel, const RowProgress& progress) {
    const int width = planes.width;
    const std::size_t bytes = static_cast<std::size_t>(width);
    wrappedPass<1>(
        width, planes.height,
        [&](int, int y, std::uint8_t* dest) { FloatGreyRow(planes.R[y], planes.G[y], planes.B[y], dest, width); },
        [&](int y, const std::array<WrappedRows, 1>& rows) {
            kernel(rows[0].above, rows[0].here, rows[0].below, planes.R[y], width);
            std::memcpy(planes.G[y], planes.R[y], bytes);
            std::memcpy(planes.B[y], planes.R[y], bytes);
        },
        progress);
}

FilterRowKernel convolveKernel(int kind, ConvolveChoice choice) {
    const bool first = choice == ConvolveChoice::First;
    switch (kind) {
        case 0: return first ? LowPassLargeRow : LowPassSmallRow;
        case 1: return first ? HighPassLargeRow : HighPassSmallRow;
        case 2:
        case 3: return first ? EdgeVerticalRow : EdgeHorizontalRow;
        default: return nullptr;
    }
}

FilterRowKernel neighbourKernel(int kind) {
    switch (kind) {
        case 0: return SobelRow;
        case 1: return MaxRow;
        case 2: return MinRow;
        case 3: return MedianRow;
        case 4: return AverageRow;
        default: return nullptr;
    }
}

bool hasPixels(const ColorPlanes& planes) { return planes.width > 0 && planes.height > 0; }

}  // namespace

void ConvolveFilter(ColorPlanes& planes, int kind, ConvolveChoice choice, const RowProgress& progress) {
    const FilterRowKernel kernel = convolveKernel(kind, choice);
    if (kernel == nullptr || !hasPixels(planes)) return;
    if (kind == 2)
        filterGrey(planes, kernel, progress);
    else
        filterEachChannel(planes, kernel, progress);
}

void NeighbourFilter(ColorPlanes& planes, int kind, const RowProgress& progress) {
    const FilterRowKernel kernel = neighbourKernel(kind);
    if (kernel == nullptr || !hasPixels(planes)) return;
    filterEachChannel(planes, kernel, progress);
}

}  // namespace veltrane
