#include "image/bgrx_rows.h"

#include <bit>
#include <cstring>

namespace veltrane {

void packBgrxRow(const std::uint8_t* bgrx, std::uint8_t* bgr, int width) {
    static_assert(std::endian::native == std::endian::little, "the word packing below assumes little-endian words");
    int x = 0;
    // Four pixels in four words out as three words: B0G0R0B1 G1R1B2G2 R2B3G3R3.
    for (; x + 4 <= width; x += 4, bgrx += 16, bgr += 12) {
        std::uint32_t p[4];
        std::memcpy(p, bgrx, sizeof p);
        const std::uint32_t out[3] = {(p[0] & 0xFFFFFFu) | (p[1] << 24), ((p[1] >> 8) & 0xFFFFu) | (p[2] << 16),
                                      ((p[2] >> 16) & 0xFFu) | (p[3] << 8)};
        std::memcpy(bgr, out, sizeof out);
    }
    for (; x < width; ++x, bgrx += 4, bgr += 3) {
        bgr[0] = bgrx[0];
        bgr[1] = bgrx[1];
        bgr[2] = bgrx[2];
    }
}

}  // namespace veltrane
