// The HSI range rule: its worked values, the branch-free conversion against RgbToHsi for every
// colour, and the extraction over pictures of odd sizes.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frames/hsi_range.h"
#include "image/color_model.h"

using namespace veltrane;

namespace {

// The start positions of the six bars.
const HsiRange kStart = hsiRangeFromPositions(0, 65, 15, 75, 26, 90);

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A pixel's colour from its position, with every hue, greys and saturated colours among them.
void fillDistinct(Bitmap24& picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            std::uint8_t* p = picture.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 37 + y * 11);
            p[1] = static_cast<std::uint8_t>(x * 53 + y * 7 + 90);
            p[2] = static_cast<std::uint8_t>((x % 5 == 0) ? p[0] : x * 7 + y * 3 + 200);
        }
}

}  // namespace

TEST(HsiRange, TheStartRangesKeepSkinTonesAndDropTheRest) {
    struct Case {
        const char* what;
        std::uint8_t r, g, b;
        bool kept;
    };
    const Case cases[] = {
        {"skin (H 0.414, S 0.384, I 0.878)", 224, 172, 138, true},
        {"dark brown: I 0.235 below 0.26", 60, 40, 30, false},
        {"grey: S 0", 128, 128, 128, false},
        {"white", 255, 255, 255, false},
        {"black", 0, 0, 0, false},
        {"pure red: H 6.283", 255, 0, 0, false},
        {"blue", 40, 60, 200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(keepsColour(kStart, c.r, c.g, c.b), c.kept);
    }
}

TEST(HsiRange, BoundsCountInEitherOrderWithTheLimitsIncluded) {
    // The lower hue bar at 630 and the upper at 0: every hue, pure red's 6.283 included.
    const HsiRange everyHue = hsiRangeFromPositions(630, 0, 0, 100, 0, 100);
    EXPECT_TRUE(keepsColour(everyHue, 255, 0, 0));
    EXPECT_TRUE(keepsColour(everyHue, 0, 0, 255));
    EXPECT_TRUE(keepsColour(everyHue, 0, 0, 0));

    // Saturation exactly 1 and intensity exactly 1 lie on the upper limits.
    EXPECT_TRUE(keepsColour(hsiRangeFromPositions(0, 630, 100, 100, 100, 100), 0, 255, 0));
    // Intensity 0.26 is 66.3 / 255: 66 lies below, 67 above.
    const HsiRange intensity = hsiRangeFromPositions(0, 630, 100, 0, 100, 26);
    EXPECT_FALSE(keepsColour(intensity, 66, 0, 0));
    EXPECT_TRUE(keepsColour(intensity, 67, 0, 0));
    EXPECT_DOUBLE_EQ(intensity.i2, 0.26);
}

TEST(HsiRange, TheBranchFreeConversionIsRgbToHsiBitForBitForEveryColour) {
    std::vector<std::uint8_t> R(256), G(256), B(256);
    std::vector<double> H(256), S(256), I(256);
    int differing = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                R[b] = static_cast<std::uint8_t>(r);
                G[b] = static_cast<std::uint8_t>(g);
                B[b] = static_cast<std::uint8_t>(b);
            }
            hsiOfPixels(R.data(), G.data(), B.data(), 256, H.data(), S.data(), I.data());
            for (int b = 0; b < 256; ++b) {
                double h, s, i;
                RgbToHsi(r, g, b, h, s, i);
                if (!sameBits(H[b], h) || !sameBits(S[b], s) || !sameBits(I[b], i)) {
                    if (++differing <= 5)
                        ADD_FAILURE() << "(" << r << ", " << g << ", " << b << "): " << H[b] << " " << S[b] << " " << I[b]
                                      << " against " << h << " " << s << " " << i;
                }
            }
        }
    EXPECT_EQ(differing, 0);
}

TEST(HsiRange, TheExtractionKeepsExactlyThePixelsTheRuleKeeps) {
    const HsiRange ranges[] = {kStart, hsiRangeFromPositions(300, 100, 90, 20, 10, 95),
                               hsiRangeFromPositions(630, 0, 0, 100, 0, 100)};
    // 1 × 1, odd widths, and rows longer than the pieces the extraction converts at a time.
    const int sizes[][2] = {{1, 1}, {7, 3}, {129, 2}, {300, 5}, {1, 40}};
    for (const HsiRange& range : ranges)
        for (const auto& size : sizes) {
            SCOPED_TRACE(::testing::Message() << size[0] << " × " << size[1] << ", hue " << range.h1 << ".." << range.h2);
            Bitmap24 picture(size[0], size[1]);
            fillDistinct(picture);
            Bitmap24 result(size[0], size[1]);
            std::memset(result.data(), 0xAB, result.stride() * size[1]);
            extractHsiRange(picture, result, range);
            Bitmap24 inPlace = picture;
            extractHsiRange(inPlace, inPlace, range);
            int kept = 0;
            for (int y = 0; y < size[1]; ++y) {
                for (int x = 0; x < size[0]; ++x) {
                    const std::uint8_t* p = picture.row(y) + 3 * x;
                    const bool keep = keepsColour(range, p[2], p[1], p[0]);
                    kept += keep;
                    for (int c = 0; c < 3; ++c) {
                        const int expected = keep ? p[c] : 0;
                        ASSERT_EQ(result.row(y)[3 * x + c], expected) << "(" << x << ", " << y << ")";
                        ASSERT_EQ(inPlace.row(y)[3 * x + c], expected) << "(" << x << ", " << y << ") in place";
                    }
                }
                // The row padding is not the extraction's.
                for (std::size_t pad = 3 * static_cast<std::size_t>(size[0]); pad < result.stride(); ++pad)
                    EXPECT_EQ(result.row(y)[pad], 0xAB);
            }
            if (size[0] * size[1] > 100) {
                EXPECT_GT(kept, 0);
            }
        }
}
