// RGB and HSI offsets: exact bytes from hand computation with the colour model's rules.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "adjust/adjust_fixtures.h"
#include "adjust/adjustments.h"
#include "image/color_model.h"

namespace veltrane {
namespace {

using testing::at;
using testing::Px;
using testing::single;
using testing::wholeArea;

std::string text(const Px& p) {
    return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
}

// ---- RGB --------------------------------------------------------------------------------------

TEST(RgbOffsets, ClampEachChannel) {
    struct Case {
        int dR, dG, dB;
        Px in, out;
    };
    const Case cases[] = {
        {100, 0, 0, {200, 7, 9}, {255, 7, 9}},
        {-128, 0, 0, {100, 7, 9}, {0, 7, 9}},
        {-100, 0, 0, {100, 7, 9}, {0, 7, 9}},
        {-99, 0, 0, {100, 7, 9}, {1, 7, 9}},
        {0, 128, -128, {1, 127, 128}, {1, 255, 0}},
        {0, 128, -128, {1, 128, 129}, {1, 255, 1}},
        {5, -5, 55, {250, 5, 200}, {255, 0, 255}},
    };
    for (const Case& c : cases) {
        const ColorPlanes source = single(c.in);
        ColorPlanes result(1, 1);  // black: the preview must not read it
        rgbPreview(source, result, wholeArea(result), c.dR, c.dG, c.dB);
        EXPECT_EQ(at(result, 0, 0), c.out) << "preview " << text(c.in);
        ColorPlanes final = single(c.in);
        rgbFinal(final, c.dR, c.dG, c.dB);
        EXPECT_EQ(at(final, 0, 0), c.out) << "final " << text(c.in);
    }
}

// ---- HSI --------------------------------------------------------------------------------------

TEST(HsiOffsets, HueOffsetsDifferBetweenPreviewAndFinal) {
    // Preview: position × (1/180) × 2 × 3.1415 with 1/180 extended, rounded once to a double.
    EXPECT_EQ(hsiPreviewHueOffset(180), 6.283);
    EXPECT_EQ(hsiPreviewHueOffset(-180), -6.283);
    EXPECT_EQ(hsiPreviewHueOffset(0), 0.0);
    // For −167 the all-double product is one unit in the last place further from zero.
    EXPECT_EQ(hsiPreviewHueOffset(-167), -0x1.751211629f614p+2);
    EXPECT_EQ(hsiPreviewHueOffset(1), 0x1.1df24171ea105p-5);
    // Final: position × 0.034883.
    EXPECT_DOUBLE_EQ(hsiFinalHueOffset(180), 6.27894);
    EXPECT_DOUBLE_EQ(hsiFinalHueOffset(-180), -6.27894);
    EXPECT_EQ(hsiUnitOffset(128), 1.0);
    EXPECT_EQ(hsiUnitOffset(-32), -0.25);
}

TEST(HsiOffsets, ShiftWrapsHueAndClampsSaturationAndIntensity) {
    struct Case {
        HsiColor in;
        double dH, dS, dI;
        HsiColor out;
    };
    const Case cases[] = {
        {{0.5, 0.5, 0.5}, -1.0, 0, 0, {5.783, 0.5, 0.5}},
        {{6.283, 0.5, 0.5}, 0, 0, 0, {6.283, 0.5, 0.5}},   // exactly a full turn stays
        {{6.0, 0.5, 0.5}, 0.5, 0, 0, {0.217, 0.5, 0.5}},
        {{0, 0, 0.5}, -0.1, 0, 0, {6.183, 0, 0.5}},        // a grey's hue 0 turned backwards
        {{0.5, 0.9, 0.1}, 0, 0.25, -0.5, {0.5, 1.0, 0.0}},
        {{0.5, 0.75, 0.25}, 0, 0.25, 0.75, {0.5, 1.0, 1.0}},  // sums of exactly 1 stay 1
        {{0.5, 0.2, 0.2}, 0, -0.2, -0.1, {0.5, 0.0, 0.1}},
    };
    for (const Case& c : cases) {
        const HsiColor r = shiftHsi(c.in, c.dH, c.dS, c.dI);
        EXPECT_NEAR(r.H, c.out.H, 1e-12) << c.in.H << " + " << c.dH;
        EXPECT_DOUBLE_EQ(r.S, c.out.S) << c.in.S << " + " << c.dS;
        EXPECT_DOUBLE_EQ(r.I, c.out.I) << c.in.I << " + " << c.dI;
    }
}

TEST(HsiToRgbBytes, StoresTruncatedBytesOrNothing) {
    struct Case {
        double H, S, I;
        Px before, after;
    };
    const Case cases[] = {
        {6.283, 1, 1, {1, 2, 3}, {1, 2, 3}},         // no colour: the pixel keeps its bytes
        {6.29, 1, 1, {1, 2, 3}, {1, 2, 3}},
        {6.3, 1, 1, {1, 2, 3}, {255, 255, 0}},       // at or above 6.293: sector 0
        {-1.0, 1, 1, {1, 2, 3}, {255, 0, 182}},      // computed with 5.283
        {6.283, 0, 0.5, {1, 2, 3}, {127, 127, 127}}, // S = 0: grey whatever the hue
        {100.0, 1, 1, {1, 2, 3}, {255, 255, 0}},     // far above: still sector 0
        {-10.0, 1, 1, {1, 2, 3}, {1, 2, 3}},         // one turn up is still negative: no sector
    };
    for (const Case& c : cases) {
        std::uint8_t r = static_cast<std::uint8_t>(c.before[0]), g = static_cast<std::uint8_t>(c.before[1]),
                     b = static_cast<std::uint8_t>(c.before[2]);
        HsiToRgbBytes(c.H, c.S, c.I, r, g, b);
        EXPECT_EQ((Px{r, g, b}), c.after) << "H " << c.H;
    }
}

TEST(HsiToRgbBytes, AgreesWithTheColourModelWhereItGivesAColour) {
    for (double H = -6.0; H < 6.6; H += 0.0137)
        for (double S : {0.0, 0.3, 0.77, 1.0})
            for (double I : {0.0, 0.25, 0.6, 1.0}) {
                double R = -1, G = -1, B = -1;
                std::uint8_t r = 7, g = 8, b = 9;
                HsiToRgbBytes(H, S, I, r, g, b);
                if (HsiToRgb(H, S, I, R, G, B)) {
                    ASSERT_EQ((Px{r, g, b}), (Px{int(R), int(G), int(B)})) << H << " " << S << " " << I;
                } else {
                    ASSERT_EQ((Px{r, g, b}), (Px{7, 8, 9})) << H << " " << S << " " << I;
                }
            }
}

struct HsiCase {
    int hue, saturation, intensity;
    Px in, preview, final;
};

TEST(HsiAdjust, PreviewAndFinalPixels) {
    const HsiCase cases[] = {
        // All sliders 0: still a round trip through the colour model.
        {0, 0, 0, {200, 100, 50}, {200, 102, 50}, {200, 102, 50}},
        {0, 0, 0, {0, 255, 0}, {0, 255, 24}, {0, 255, 24}},
        {0, 0, 0, {0, 0, 255}, {48, 0, 255}, {48, 0, 255}},
        {0, 0, 0, {255, 0, 0}, {255, 0, 0}, {255, 0, 0}},  // hue 6.283: no colour, kept
        {0, 0, 0, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}},
        {0, 0, 0, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        // Hue 180: the preview turns by 6.283 (back where it was), the final pass by 6.27894.
        {180, 0, 0, {255, 128, 0}, {255, 134, 0}, {255, 133, 0}},
        {180, 0, 0, {0, 0, 255}, {48, 0, 255}, {0, 0, 255}},
        {-180, 0, 0, {255, 0, 0}, {255, 0, 0}, {255, 1, 0}},  // 6.283 − 6.27894 leaves the band
        {90, 0, 0, {255, 128, 0}, {0, 84, 255}, {0, 85, 255}},
        // Saturation and intensity to their limits.
        {0, 128, 0, {200, 100, 50}, {200, 69, 0}, {200, 69, 0}},
        {0, -128, 0, {200, 100, 50}, {200, 200, 200}, {200, 200, 200}},
        {0, 0, 128, {200, 100, 50}, {255, 130, 63}, {255, 130, 63}},
        {0, 0, -128, {200, 100, 50}, {0, 0, 0}, {0, 0, 0}},
        {0, 32, -32, {200, 100, 50}, {136, 47, 0}, {136, 47, 0}},
        {0, 64, -32, {90, 60, 200}, {56, 0, 136}, {56, 0, 136}},
    };
    for (const HsiCase& c : cases) {
        const std::string what = text(c.in) + " by " + std::to_string(c.hue) + "/" + std::to_string(c.saturation) +
                                 "/" + std::to_string(c.intensity);
        ColorPlanes preview = single(c.in);
        hsiPreview(preview, wholeArea(preview), c.hue, c.saturation, c.intensity);
        EXPECT_EQ(at(preview, 0, 0), c.preview) << "preview " << what;
        ColorPlanes final = single(c.in);
        hsiFinal(final, c.hue, c.saturation, c.intensity);
        EXPECT_EQ(at(final, 0, 0), c.final) << "final " << what;
    }
}

TEST(HsiAdjust, FinalPassConvertsRepeatedAndChangingColoursAlike) {
    // Runs of equal pixels, a colour that comes back after another, and a no-colour pixel
    // between two that convert: every pixel must come out as it does alone.
    const testing::Px row[] = {{200, 100, 50}, {200, 100, 50}, {255, 0, 0}, {200, 100, 50},
                               {0, 0, 255},    {0, 0, 255},    {255, 0, 0}, {255, 0, 0}};
    ColorPlanes planes(8, 1);
    for (int x = 0; x < 8; ++x) {
        planes.R[0][x] = static_cast<std::uint8_t>(row[x][0]);
        planes.G[0][x] = static_cast<std::uint8_t>(row[x][1]);
        planes.B[0][x] = static_cast<std::uint8_t>(row[x][2]);
    }
    hsiFinal(planes, 0, 0, 0);
    const Px expected[] = {{200, 102, 50}, {200, 102, 50}, {255, 0, 0}, {200, 102, 50},
                           {48, 0, 255},   {48, 0, 255},   {255, 0, 0}, {255, 0, 0}};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(at(planes, 0, x), expected[x]) << x;
}

}  // namespace
}  // namespace veltrane
