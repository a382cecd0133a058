// The 280 × 210 preview of the HSI range extraction on wide, tall, tiny and exact pictures.
#include <gtest/gtest.h>

#include <cstdint>

#include "frames/extraction_preview.h"

using namespace veltrane;

namespace {

// Pixel (x, y) of the picture holds R = x mod 256, G = y mod 256, B = (x div 256) × 16 + y div 256 + 1,
// so every sampled pixel says where it came from and none is black.
ColorPlanes coordinates(int width, int height) {
    ColorPlanes p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            p.R[y][x] = static_cast<std::uint8_t>(x % 256);
            p.G[y][x] = static_cast<std::uint8_t>(y % 256);
            p.B[y][x] = static_cast<std::uint8_t>((x / 256) * 16 + y / 256 + 1);
        }
    return p;
}

struct Sample {
    int x, y;  // picture pixel, or −1 for black
};

// The mended rule written out from its definition.
Sample expectedSample(std::int64_t W, std::int64_t H, int x, int y) {
    if (W * 210 >= H * 280) {
        const std::int64_t ch = std::max<std::int64_t>(1, H * 280 / W), y0 = (210 - ch) / 2;
        if (y < y0 || y >= y0 + ch) return {-1, -1};
        return {static_cast<int>(x * W / 280), static_cast<int>((y - y0) * H / ch)};
    }
    const std::int64_t cw = std::max<std::int64_t>(1, W * 210 / H), x0 = (280 - cw) / 2;
    if (x < x0 || x >= x0 + cw) return {-1, -1};
    return {static_cast<int>((x - x0) * W / cw), static_cast<int>(y * H / 210)};
}

}  // namespace

TEST(ExtractionPreview, ShowsTheWholePictureCentredBetweenBlackBands) {
    const int sizes[][2] = {{640, 480}, {800, 300}, {300, 800}, {4, 3}, {3, 4}, {1, 1}, {1, 30000}, {30000, 1},
                            {281, 211}, {279, 210}, {1000, 750}};
    for (const auto& size : sizes) {
        const int W = size[0], H = size[1];
        SCOPED_TRACE(::testing::Message() << W << " × " << H);
        const ColorPlanes picture = coordinates(W, H);
        const ColorPlanes preview = buildExtractionPreview(picture);
        ASSERT_EQ(preview.width, 280);
        ASSERT_EQ(preview.height, 210);
        int mismatches = 0;
        for (int y = 0; y < 210; ++y)
            for (int x = 0; x < 280; ++x) {
                const Sample s = expectedSample(W, H, x, y);
                const int r = s.x < 0 ? 0 : picture.R[s.y][s.x], g = s.x < 0 ? 0 : picture.G[s.y][s.x],
                          b = s.x < 0 ? 0 : picture.B[s.y][s.x];
                if (preview.R[y][x] != r || preview.G[y][x] != g || preview.B[y][x] != b) ++mismatches;
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(ExtractionPreview, PlacesWideAndTallPicturesAsWorkedOut) {
    // 800 × 300: 280 × 105 rows 52..156; the bottom row of the picture is shown.
    const ColorPlanes wide = buildExtractionPreview(coordinates(800, 300));
    EXPECT_EQ(wide.B[51][0], 0);
    EXPECT_NE(wide.B[52][0], 0);
    EXPECT_NE(wide.B[156][279], 0);
    EXPECT_EQ(wide.B[157][279], 0);
    EXPECT_EQ(wide.G[156][0], static_cast<std::uint8_t>(104 * 300 / 105));
    // 300 × 800: 78 × 210 columns 101..178.
    const ColorPlanes tall = buildExtractionPreview(coordinates(300, 800));
    EXPECT_EQ(tall.B[0][100], 0);
    EXPECT_NE(tall.B[0][101], 0);
    EXPECT_NE(tall.B[209][178], 0);
    EXPECT_EQ(tall.B[209][179], 0);
}

TEST(ExtractionPreview, APictureOfThePreviewsSizeIsItsOwnPreview) {
    const ColorPlanes picture = coordinates(280, 210);
    const ColorPlanes preview = buildExtractionPreview(picture);
    for (int y = 0; y < 210; ++y)
        for (int x = 0; x < 280; ++x)
            ASSERT_TRUE(preview.R[y][x] == picture.R[y][x] && preview.G[y][x] == picture.G[y][x] &&
                        preview.B[y][x] == picture.B[y][x])
                << x << ", " << y;
}
