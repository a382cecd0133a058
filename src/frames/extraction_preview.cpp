#include "frames/extraction_preview.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace veltrane {

ColorPlanes buildExtractionPreview(const ColorPlanes& picture) {
    constexpr int PW = kExtractionPreviewWidth, PH = kExtractionPreviewHeight;
    ColorPlanes preview(PW, PH);
    const std::int64_t W = picture.width, H = picture.height;
    if (W <= 0 || H <= 0) return preview;

    int x0 = 0, y0 = 0, cw = PW, ch = PH;
    if (W * PH >= H * PW)
        ch = static_cast<int>(std::max<std::int64_t>(1, H * PW / W)), y0 = (PH - ch) / 2;
    else
        cw = static_cast<int>(std::max<std::int64_t>(1, W * PH / H)), x0 = (PW - cw) / 2;

    std::array<int, PW> column{};
    for (int x = 0; x < cw; ++x) column[x] = static_cast<int>(x * W / cw);
    for (int y = 0; y < ch; ++y) {
        const int row = static_cast<int>(y * H / ch);
        const std::uint8_t *r = picture.R[row], *g = picture.G[row], *b = picture.B[row];
        std::uint8_t *outR = preview.R[y0 + y] + x0, *outG = preview.G[y0 + y] + x0, *outB = preview.B[y0 + y] + x0;
        for (int x = 0; x < cw; ++x) {
            outR[x] = r[column[x]];
            outG[x] = g[column[x]];
            outB[x] = b[column[x]];
        }
    }
    return preview;
}

}  // namespace veltrane
