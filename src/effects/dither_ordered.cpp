// Ordered dither with the 4 × 4 Bayer, volute and mesh matrices, on the grey or per channel.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/wide_loops.h"
#include "effects/dither_effects.h"
#include "image/color_model.h"

namespace veltrane {

namespace {

constexpr int kTile = 4;

// Threshold matrices, [row offset][column offset]: Bayer, volute (a spiral from row 1, column 1)
// and mesh; kinds 2k and 2k + 1 use matrix k.
constexpr std::uint8_t kMatrices[3][kTile][kTile] = {
    {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}},
    {{6, 7, 8, 9}, {5, 0, 1, 10}, {4, 3, 2, 11}, {15, 14, 13, 12}},
    {{11, 4, 6, 9}, {12, 0, 2, 14}, {7, 8, 10, 5}, {3, 15, 13, 1}},
};

constexpr int kTopLevel = 15;

// One of 16 levels, the quotient taken in double and truncated: grey 128 (g =
// 127.99999999999999) is level 8, pure white (16) is held at 15. A cell with entry m turns
// white when m < level.
inline int ditherLevel(double v) { return std::min(kTopLevel, static_cast<int>(v / 15.9375)); }

// ---- colour kinds -----------------------------------------------------------------------------

// The largest byte whose level is not above m: a channel value v whitens a cell with entry m
// exactly when v > channelLimit(m). The entry 15 gets 255, which nothing exceeds.
std::uint8_t channelLimit(int m) {
    int v = 255;
    while (v > 0 && ditherLevel(v) > m) --v;
    return static_cast<std::uint8_t>(v);
}

// ---- grey kinds -------------------------------------------------------------------------------

// The grey g = (0.3 R + 0.59 G) + 0.11 B whitens a cell with entry m < 15 when g / 15.9375 ≥
// k = m + 1 in double. In exact arithmetic g / 15.9375 = 4S / 6375 with the integer
// S = 30 R + 59 G + 11 B (0..25500). Where 4S ≠ 6375k the exact quotient is at least 1/6375 from
// k, far more than the rounding of the double sums and quotient can move it, so S > 6375k div 4
// decides. Where 4S = 6375k (k = 4, 8, 12: S = 6375, 12750, 19125) the rounding decides:
// (0, 201, 81) gives g = 127.49999999999999, level 7, and (0, 179, 199) g = 127.5, level 8.
// Those pixels, rare in a picture, take the double rule itself.
constexpr std::uint16_t kNever = 0xFFFF;  // above every S

struct GreyLimit {
    std::uint16_t above;  // white when S > above
    std::uint16_t tie;    // S == tie needs the double rule; kNever when no S is a tie
};

GreyLimit greyLimit(int m) {
    if (m >= kTopLevel) return {kNever, kNever};
    const int boundary = 6375 * (m + 1);
    const auto above = static_cast<std::uint16_t>(boundary / 4);
    return {above, boundary % 4 == 0 ? above : kNever};
}

inline std::uint16_t greySum(std::uint8_t R, std::uint8_t G, std::uint8_t B) {
    return static_cast<std::uint16_t>(30 * R + 59 * G + 11 * B);
}

// The integer decision of every pixel of a row into `out`; true when some pixel is a tie.
VELTRANE_WIDE_LOOP bool greyRowByLimits(const std::uint8_t* __restrict R, const std::uint8_t* __restrict G,
                                        const std::uint8_t* __restrict B, const std::uint16_t* __restrict above,
                                        const std::uint16_t* __restrict tie, std::uint8_t* __restrict out,
                                        int width) {
    unsigned ties = 0;
    for (int x = 0; x < width; ++x) {
        const std::uint16_t s = greySum(R[x], G[x], B[x]);
        out[x] = s > above[x] ? 255 : 0;
        ties |= s == tie[x];
    }
    return ties != 0;
}

void settleGreyTies(const std::uint8_t* R, const std::uint8_t* G, const std::uint8_t* B, const std::uint16_t* tie,
                    const std::uint8_t* cells, std::uint8_t* out, int width) {
    for (int x = 0; x < width; ++x)
        if (greySum(R[x], G[x], B[x]) == tie[x])
            out[x] = cells[x] < ditherLevel(FloatLuminance(R[x], G[x], B[x])) ? 255 : 0;
}

VELTRANE_WIDE_LOOP void channelRowByLimits(std::uint8_t* __restrict v, const std::uint8_t* __restrict limits,
                                           int width) {
    for (int x = 0; x < width; ++x) v[x] = v[x] > limits[x] ? 255 : 0;
}

// Per row of the tile, what a picture row needs laid along its whole width.
struct TileRows {
    explicit TileRows(std::size_t width, bool colour)
        : cells(kTile * width), greyAbove(colour ? 0 : kTile * width), greyTie(colour ? 0 : kTile * width),
          channelLimits(colour ? kTile * width : 0), width(width) {}
    std::vector<std::uint8_t> cells;          // the matrix entries
    std::vector<std::uint16_t> greyAbove;     // grey kinds: GreyLimit::above of the cell
    std::vector<std::uint16_t> greyTie;       // grey kinds: GreyLimit::tie of the cell
    std::vector<std::uint8_t> channelLimits;  // colour kinds: channelLimit of the cell
    std::size_t width;

    std::size_t start(int y) const { return static_cast<std::size_t>(y % kTile) * width; }
};

}  // namespace

void OrderedDither(ColorPlanes& planes, int kind) {
    if (kind < 0 || kind > 5 || planes.width <= 0) return;
    const auto& matrix = kMatrices[kind / 2];
    const bool colour = kind % 2 == 1;
    const int width = planes.width;
    TileRows rows(static_cast<std::size_t>(width), colour);
    std::vector<std::uint8_t> out(colour ? 0 : static_cast<std::size_t>(width));

    std::uint8_t channelLimits[kTopLevel + 1];
    GreyLimit greyLimits[kTopLevel + 1];
    for (int m = 0; m <= kTopLevel; ++m) {
        channelLimits[m] = channelLimit(m);
        greyLimits[m] = greyLimit(m);
    }
    for (int i = 0; i < kTile; ++i)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = rows.start(i) + static_cast<std::size_t>(x);
            const int m = matrix[i][x % kTile];
            rows.cells[at] = static_cast<std::uint8_t>(m);
            if (colour) {
                rows.channelLimits[at] = channelLimits[m];
            } else {
                rows.greyAbove[at] = greyLimits[m].above;
                rows.greyTie[at] = greyLimits[m].tie;
            }
        }

    for (int y = 0; y < planes.height; ++y) {
        const std::size_t at = rows.start(y);
        std::uint8_t *R = planes.R[y], *G = planes.G[y], *B = planes.B[y];
        if (colour) {
            for (std::uint8_t* channel : {R, G, B}) channelRowByLimits(channel, rows.channelLimits.data() + at, width);
            continue;
        }
        if (greyRowByLimits(R, G, B, rows.greyAbove.data() + at, rows.greyTie.data() + at, out.data(), width))
            settleGreyTies(R, G, B, rows.greyTie.data() + at, rows.cells.data() + at, out.data(), width);
        for (std::uint8_t* channel : {R, G, B}) std::memcpy(channel, out.data(), out.size());
    }
}

}  // namespace veltrane
