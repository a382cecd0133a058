#include "colormap/color_exchange.h"

#include <cstdint>

#include "colormap/channel_orders.h"
#include "common/wide_loops.h"

namespace veltrane {

namespace {

struct KeepMasks {
    std::uint8_t red, green, blue;  // 0xFF keeps the channel, 0 blanks it
};

KeepMasks masksOf(ChannelKeep keep) {
    const auto mask = [](bool kept) { return static_cast<std::uint8_t>(kept ? 0xFF : 0); };
    return {mask(keep.red), mask(keep.green), mask(keep.blue)};
}

// Output red, green and blue take input channels From0, From1 and From2. The three rows
// belong to three different planes, so each pixel is read whole before it is written.
template <int From0, int From1, int From2>
[[gnu::always_inline]] inline void exchangeRowAs(std::uint8_t* __restrict r, std::uint8_t* __restrict g,
                                                 std::uint8_t* __restrict b, int begin, int end, KeepMasks keep) {
    for (int x = begin; x < end; ++x) {
        const std::uint8_t in[3] = {r[x], g[x], b[x]};
        r[x] = in[From0] & keep.red;
        g[x] = in[From1] & keep.green;
        b[x] = in[From2] & keep.blue;
    }
}

// The orders of kChannelOrders, each with its sources fixed at compile time.
VELTRANE_WIDE_LOOP void exchangeRow(std::uint8_t* r, std::uint8_t* g, std::uint8_t* b, int begin, int end, int mode,
                                    KeepMasks keep) {
    static_assert(kChannelOrders[1].from == std::array<int, 3>{0, 2, 1} &&
                  kChannelOrders[2].from == std::array<int, 3>{1, 0, 2} &&
                  kChannelOrders[3].from == std::array<int, 3>{1, 2, 0} &&
                  kChannelOrders[4].from == std::array<int, 3>{2, 0, 1} &&
                  kChannelOrders[5].from == std::array<int, 3>{2, 1, 0});
    switch (mode) {
        case 1: exchangeRowAs<0, 2, 1>(r, g, b, begin, end, keep); break;
        case 2: exchangeRowAs<1, 0, 2>(r, g, b, begin, end, keep); break;
        case 3: exchangeRowAs<1, 2, 0>(r, g, b, begin, end, keep); break;
        case 4: exchangeRowAs<2, 0, 1>(r, g, b, begin, end, keep); break;
        case 5: exchangeRowAs<2, 1, 0>(r, g, b, begin, end, keep); break;
        default: exchangeRowAs<0, 1, 2>(r, g, b, begin, end, keep); break;
    }
}

}  // namespace

void exchangeColours(ColorPlanes& planes, const PictureArea& area, int mode, ChannelKeep keep) {
    const KeepMasks masks = masksOf(keep);
    for (int y = area.rowBegin; y < area.rowEnd; ++y)
        exchangeRow(planes.R[y], planes.G[y], planes.B[y], area.colBegin, area.colEnd, mode, masks);
}

void exchangeColours(ColorPlanes& planes, int mode, ChannelKeep keep, const RowProgress& progress) {
    const KeepMasks masks = masksOf(keep);
    for (int y = 0; y < planes.height; ++y) {
        exchangeRow(planes.R[y], planes.G[y], planes.B[y], 0, planes.width, mode, masks);
        if (progress) progress(y);
    }
}

}  // namespace veltrane
