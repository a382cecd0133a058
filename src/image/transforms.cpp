#include "image/transforms.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace veltrane {
namespace {

constexpr int kBevelWidth = 12;
constexpr int kBevelDepth = 75;

std::array<Plane*, 3> planesOf(ColorPlanes& planes) { return {&planes.R, &planes.G, &planes.B}; }

// Reports rows from .. to − 1 in order.
void reportRows(const RowProgress& progress, int from, int to) {
    if (!progress) return;
    for (int row = from; row < to; ++row) progress(row);
}

// Reversing bytes within a vector takes a byte shuffle that the x86-64 baseline lacks, so the
// compiler leaves these loops scalar there; GCC builds SSSE3 and AVX2 copies beside the plain
// one and the loader picks the best the processor has.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define VELTRANE_REVERSE_LOOP __attribute__((target_clones("default", "ssse3", "avx2"), noinline))
#else
#define VELTRANE_REVERSE_LOOP
#endif

// Reverses a row of n bytes in place: whole-vector loads from both ends, byte reversal, stores.
VELTRANE_REVERSE_LOOP void reverseRow(std::uint8_t* row, int n) {
    const int half = n / 2;
    for (int x = 0; x < half; ++x) {
        const std::uint8_t left = row[x];
        row[x] = row[n - 1 - x];
        row[n - 1 - x] = left;
    }
}

// Swaps the bytes of two distinct rows of n bytes where the mask is 0xFF and leaves them where
// it is 0x00.
void swapMasked(std::uint8_t* __restrict a, std::uint8_t* __restrict b, const std::uint8_t* __restrict mask, int n) {
    for (int x = 0; x < n; ++x) {
        const std::uint8_t t = static_cast<std::uint8_t>((a[x] ^ b[x]) & mask[x]);
        a[x] = static_cast<std::uint8_t>(a[x] ^ t);
        b[x] = static_cast<std::uint8_t>(b[x] ^ t);
    }
}

// Darkens or lightens the bytes from .. to − 1 of a row, clipped to 0 .. width − 1.
void darkenSpan(std::uint8_t* row, int from, int to, int width) {
    from = std::max(from, 0);
    to = std::min(to, width);
    for (int x = from; x < to; ++x) row[x] = row[x] > kBevelDepth ? static_cast<std::uint8_t>(row[x] - kBevelDepth) : 0;
}

void lightenSpan(std::uint8_t* row, int from, int to, int width) {
    from = std::max(from, 0);
    to = std::min(to, width);
    for (int x = from; x < to; ++x)
        row[x] = row[x] < 255 - kBevelDepth ? static_cast<std::uint8_t>(row[x] + kBevelDepth) : 255;
}

}  // namespace

void FlipVertical(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    for (int y = 0; y < h / 2; ++y) {
        for (Plane* plane : planesOf(planes)) std::swap_ranges((*plane)[y], (*plane)[y] + w, (*plane)[h - 1 - y]);
        reportRows(progress, 2 * y, 2 * y + 2);
    }
    reportRows(progress, h / 2 * 2, h);
}

void FlipHorizontal(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    for (int y = 0; y < planes.height; ++y) {
        for (Plane* plane : planesOf(planes)) reverseRow((*plane)[y], w);
        reportRows(progress, y, y + 1);
    }
}

// The swap loop over every even row pairs row y with row H − 1 − y. With an even height one of
// the two is odd, so every pair of rows is swapped exactly once, on the even columns; with an
// odd height both are even, so every pair is swapped twice (and the middle row with itself),
// which restores the picture. This does the net effect directly.
void InterleaveVertical(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    if (h % 2 != 0) {
        reportRows(progress, 0, h);
        return;
    }
    std::vector<std::uint8_t> evenColumns(static_cast<std::size_t>(w));
    for (int x = 0; x < w; x += 2) evenColumns[static_cast<std::size_t>(x)] = 0xFF;
    for (int y = 0; y < h / 2; ++y) {
        for (Plane* plane : planesOf(planes)) swapMasked((*plane)[y], (*plane)[h - 1 - y], evenColumns.data(), w);
        reportRows(progress, 2 * y, 2 * y + 2);
    }
}

// Within an even row the swaps pair column x with W − 1 − x for every even x. With an even
// width each pair has exactly one even member, so the row is reversed; with an odd width each
// pair is swapped twice and the row stays.
void InterleaveHorizontal(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    for (int y = 0; y < planes.height; ++y) {
        if (y % 2 == 0 && w % 2 == 0)
            for (Plane* plane : planesOf(planes)) reverseRow((*plane)[y], w);
        reportRows(progress, y, y + 1);
    }
}

namespace {

// Copies the left half of a row of n bytes, reversed, onto its right half.
VELTRANE_REVERSE_LOOP void mirrorRow(std::uint8_t* row, int n) {
    const int half = n / 2;
    const std::uint8_t* __restrict left = row;
    std::uint8_t* __restrict right = row + (n - half);  // columns n − half .. n − 1
    for (int x = 0; x < half; ++x) right[half - 1 - x] = left[x];
}

}  // namespace

void MirrorLeftToRight(ColorPlanes& planes, const RowProgress& progress) {
    for (int y = 0; y < planes.height; ++y) {
        for (Plane* plane : planesOf(planes)) mirrorRow((*plane)[y], planes.width);
        reportRows(progress, y, y + 1);
    }
}

void MirrorTopToBottom(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    for (int y = 0; y < h / 2; ++y) {
        for (Plane* plane : planesOf(planes)) std::memcpy((*plane)[h - 1 - y], (*plane)[y], static_cast<std::size_t>(w));
        reportRows(progress, 2 * y, 2 * y + 2);
    }
    reportRows(progress, h / 2 * 2, h);
}

// Every band step changes one pixel on its own, so the bands may be applied row by row as long
// as each pixel sees them in the order top, left, bottom, right. For row y the four bands
// cover these column ranges (before clipping to the picture):
//   top    (y < 12)             [y, W − y)
//   left                        [0, min(12, y + 1, H − y))
//   bottom (k = y − (H − 12) in 0..11)  [12 − k, W − 12 + k)
//   right                       [W − 12 + max(0, 12 − y, y − H + 13), W)
void BevelFrame(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    const int t = kBevelWidth;
    for (int y = 0; y < h; ++y) {
        for (Plane* plane : planesOf(planes)) {
            std::uint8_t* row = (*plane)[y];
            if (y < t) darkenSpan(row, y, w - y, w);
            darkenSpan(row, 0, std::min({t, y + 1, h - y}), w);
            const int k = y - (h - t);
            if (k >= 0 && k < t) lightenSpan(row, t - k, w - t + k, w);
            lightenSpan(row, w - t + std::max({0, t - y, y - h + t + 1}), w, w);
        }
        reportRows(progress, y, y + 1);
    }
}

}  // namespace veltrane
