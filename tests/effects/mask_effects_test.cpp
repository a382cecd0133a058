#include "effects/mask_effects.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "effects/mask_fixtures.h"
#include "image/color_model.h"
#include "image/pixel_buffer.h"

namespace veltrane {
namespace {

using test::Rgb;

Rgb pixelAt(const ColorPlanes& planes, int y, int x) { return {planes.R[y][x], planes.G[y][x], planes.B[y][x]}; }

void expectPixel(const ColorPlanes& planes, int y, int x, Rgb expected) {
    const Rgb actual = pixelAt(planes, y, x);
    EXPECT_EQ(actual.r, expected.r) << "R at row " << y << ", column " << x;
    EXPECT_EQ(actual.g, expected.g) << "G at row " << y << ", column " << x;
    EXPECT_EQ(actual.b, expected.b) << "B at row " << y << ", column " << x;
}

// One row whose R plane holds the given values and whose G and B are R + 100 and R + 200.
ColorPlanes rowOf(const std::vector<int>& values) {
    std::vector<Rgb> pixels;
    for (int v : values)
        pixels.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v + 100),
                          static_cast<std::uint8_t>(v + 200)});
    return test::picture(static_cast<int>(values.size()), 1, pixels);
}

// The same values as one column.
ColorPlanes columnOf(const std::vector<int>& values) {
    const ColorPlanes row = rowOf(values);
    ColorPlanes column(1, row.width);
    for (int y = 0; y < row.width; ++y) {
        column.R[y][0] = row.R[0][y];
        column.G[y][0] = row.G[0][y];
        column.B[y][0] = row.B[0][y];
    }
    return column;
}

std::vector<int> rValuesAlongRow(const ColorPlanes& planes) {
    std::vector<int> values;
    for (int x = 0; x < planes.width; ++x) values.push_back(planes.R[0][x]);
    return values;
}

std::vector<int> rValuesDownColumn(const ColorPlanes& planes) {
    std::vector<int> values;
    for (int y = 0; y < planes.height; ++y) values.push_back(planes.R[y][0]);
    return values;
}

// ---- Glass ----------------------------------------------------------------------------------

struct GlassCase {
    std::vector<int> input, expected;
};

class GlassStripsOnALine : public ::testing::TestWithParam<GlassCase> {};

TEST_P(GlassStripsOnALine, VerticalMirrorsEachRowAndHorizontalEachColumn) {
    const GlassCase& c = GetParam();
    ColorPlanes row = rowOf(c.input);
    GlassStrips(row, 0);
    EXPECT_EQ(rValuesAlongRow(row), c.expected);
    std::vector<int> expectedG;
    for (int v : c.expected) expectedG.push_back(v + 100);
    for (int x = 0; x < row.width; ++x) EXPECT_EQ(row.G[0][x], expectedG[x]) << "G moves with R";

    ColorPlanes column = columnOf(c.input);
    GlassStrips(column, 1);
    EXPECT_EQ(rValuesDownColumn(column), c.expected);

    // Each kind leaves a line across its strips unchanged.
    ColorPlanes untouchedRow = rowOf(c.input);
    GlassStrips(untouchedRow, 1);
    EXPECT_EQ(rValuesAlongRow(untouchedRow), c.input);
}

INSTANTIATE_TEST_SUITE_P(
    MaskEffects, GlassStripsOnALine,
    ::testing::Values(
        GlassCase{{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {5, 4, 3, 2, 1, 0, 11, 10, 9, 8, 7, 6}},
        // A trailing strip of fewer than 6 is left as it is.
        GlassCase{{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {5, 4, 3, 2, 1, 0, 6, 7, 8, 9}},
        GlassCase{{10, 20, 30, 40, 50, 60, 70}, {60, 50, 40, 30, 20, 10, 70}},
        GlassCase{{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}}, GlassCase{{9}, {9}}));

TEST(MaskEffects, GlassTwiceGivesThePictureBack) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {6, 6}, {7, 13}, {13, 7}, {25, 19}})
        for (int kind : {0, 1}) {
            const ColorPlanes original = test::randomPicture(w, h, 11u * w + h);
            ColorPlanes planes = original;
            GlassStrips(planes, kind);
            if (w >= 6 && h >= 6) {
                SCOPED_TRACE("kind " + std::to_string(kind));
                EXPECT_NE(test::bytes(planes.B), test::bytes(original.B)) << "the effect changed something";
            }
            GlassStrips(planes, kind);
            test::expectSamePlanes(planes, original);
        }
}

TEST(MaskEffects, VerticalAndHorizontalGlassMirrorsEachFullCellBothWays) {
    // "縦横ガラス": kind 0 then kind 1; in a 7 × 7 picture the 6 × 6 cell turns half round and the
    // last row and column only move along their own line.
    const ColorPlanes original = test::randomPicture(7, 7, 5);
    ColorPlanes planes = original;
    GlassStrips(planes, 0);
    GlassStrips(planes, 1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(planes.G[y][x], original.G[5 - y][5 - x]) << y << "," << x;
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(planes.R[6][k], original.R[6][5 - k]) << "last row, column " << k;
        EXPECT_EQ(planes.R[k][6], original.R[5 - k][6]) << "last column, row " << k;
    }
    EXPECT_EQ(planes.R[6][6], original.R[6][6]);
}

// ---- XOR ------------------------------------------------------------------------------------

TEST(MaskEffects, XorFlipsTheTopBitOfTheChosenPlanesOnly) {
    struct Case {
        int kind;
        bool r, g, b;
    };
    const std::vector<int> values = {0, 127, 128, 255, 1, 200};
    const std::vector<int> flipped = {128, 255, 0, 127, 129, 72};
    for (const Case& c : {Case{0, true, true, true}, Case{1, true, false, false}, Case{2, false, true, false},
                          Case{3, false, false, true}}) {
        SCOPED_TRACE("kind " + std::to_string(c.kind));
        std::vector<Rgb> pixels;
        for (int v : values) pixels.push_back({std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)});
        ColorPlanes planes = test::picture(3, 2, pixels);
        XorMask(planes, c.kind);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int y = static_cast<int>(i) / 3, x = static_cast<int>(i) % 3;
            EXPECT_EQ(planes.R[y][x], c.r ? flipped[i] : values[i]) << "value " << values[i];
            EXPECT_EQ(planes.G[y][x], c.g ? flipped[i] : values[i]) << "value " << values[i];
            EXPECT_EQ(planes.B[y][x], c.b ? flipped[i] : values[i]) << "value " << values[i];
        }
        XorMask(planes, c.kind);
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(planes.G[i / 3][i % 3], values[i]) << "twice restores";
    }
}

// ---- WIN ------------------------------------------------------------------------------------

constexpr std::array<int, 16> kWinOrder = {15, 8, 6, 12, 9, 13, 2, 11, 1, 4, 14, 7, 0, 5, 10, 3};

// Each pixel names its row: R = row, G = row + 3 × column, B = 255 − row (rows below 256).
ColorPlanes rowNumbered(int w, int h) {
    ColorPlanes planes(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            planes.R[y][x] = static_cast<std::uint8_t>(y);
            planes.G[y][x] = static_cast<std::uint8_t>(y + 3 * x);
            planes.B[y][x] = static_cast<std::uint8_t>(255 - y);
        }
    return planes;
}

TEST(MaskEffects, WinPermutesWholeBandsOf16Rows) {
    ColorPlanes planes = rowNumbered(5, 192);
    PatternMask(planes, 0);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(planes.R[0][x], 15) << "row 15 moves to row 0";
        EXPECT_EQ(planes.R[12][x], 0) << "row 0 moves to row 12";
    }
    for (int y = 0; y < 192; ++y) {
        const int source = y / 16 * 16 + kWinOrder[y % 16];
        for (int x = 0; x < 5; ++x) expectPixel(planes, y, x, pixelAt(rowNumbered(5, 192), source, x));
    }
}

TEST(MaskEffects, WinLeavesThePartialLastBand) {
    struct Case {
        int height, firstKeptRow;
    };
    for (const Case& c : {Case{20, 16}, Case{15, 0}, Case{1, 0}, Case{47, 32}}) {
        SCOPED_TRACE("height " + std::to_string(c.height));
        const ColorPlanes original = rowNumbered(3, c.height);
        ColorPlanes planes = original;
        PatternMask(planes, 0);
        for (int y = 0; y < c.height; ++y)
            EXPECT_EQ(planes.R[y][1], y < c.firstKeptRow ? y / 16 * 16 + kWinOrder[y % 16] : y) << "row " << y;
    }
}

// ---- Meko -----------------------------------------------------------------------------------

// Colours before and after the half turn of the hue, worked through the colour model's rules by
// hand: red turns to 3.1415 (sector 3), green to 5.2358 (sector 5), a grey stays itself.
struct TurnCase {
    Rgb before, after;
};
const std::vector<TurnCase> kTurns = {
    {{255, 0, 0}, {0, 218, 255}},    {{0, 255, 0}, {255, 0, 194}},    {{0, 0, 255}, {242, 255, 0}},
    {{0, 255, 255}, {255, 0, 0}},    {{200, 100, 50}, {50, 126, 200}}, {{10, 20, 30}, {30, 20, 10}},
    {{90, 180, 45}, {164, 45, 180}}, {{128, 128, 128}, {128, 128, 128}}, {{0, 0, 0}, {0, 0, 0}},
    {{255, 255, 255}, {255, 255, 255}},
};

TEST(MaskEffects, MekoTurnsTheHueHalfACircle) {
    for (const TurnCase& c : kTurns) {
        ColorPlanes planes = test::picture(1, 1, {c.before});
        PatternMask(planes, 1);
        SCOPED_TRACE(std::to_string(c.before.r) + "," + std::to_string(c.before.g) + "," + std::to_string(c.before.b));
        expectPixel(planes, 0, 0, c.after);
    }
}

TEST(MaskEffects, MekoRotatesCompleteBlocksAndKeepsAnUnpairedEdge) {
    // 3 × 3: one complete block (a b / c d); the last row and column only turn their hues.
    const std::vector<Rgb> input = {kTurns[0].before, kTurns[1].before, kTurns[4].before,
                                    kTurns[2].before, kTurns[3].before, kTurns[5].before,
                                    kTurns[6].before, kTurns[7].before, kTurns[8].before};
    ColorPlanes planes = test::picture(3, 3, input);
    PatternMask(planes, 1);
    const Rgb a = kTurns[0].after, b = kTurns[1].after, c = kTurns[2].after, d = kTurns[3].after;
    expectPixel(planes, 0, 0, c);
    expectPixel(planes, 0, 1, d);
    expectPixel(planes, 1, 0, b);
    expectPixel(planes, 1, 1, a);
    expectPixel(planes, 0, 2, kTurns[4].after);
    expectPixel(planes, 1, 2, kTurns[5].after);
    expectPixel(planes, 2, 0, kTurns[6].after);
    expectPixel(planes, 2, 1, kTurns[7].after);
    expectPixel(planes, 2, 2, kTurns[8].after);
}

// The Meko mask as its rules read, pixel by pixel through the double-valued colour model.
ColorPlanes mekoReference(const ColorPlanes& input) {
    ColorPlanes out = input;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            double h, s, i;
            RgbToHsi(out.R[y][x], out.G[y][x], out.B[y][x], h, s, i);
            h = h > 3.1415 ? h - 3.1415 : h + 3.1415;
            double r = out.R[y][x], g = out.G[y][x], b = out.B[y][x];
            HsiToRgb(h, s, i, r, g, b);
            out.R[y][x] = static_cast<std::uint8_t>(static_cast<int>(r));
            out.G[y][x] = static_cast<std::uint8_t>(static_cast<int>(g));
            out.B[y][x] = static_cast<std::uint8_t>(static_cast<int>(b));
        }
    const ColorPlanes turned = out;
    for (int y = 0; y + 1 < out.height; y += 2)
        for (int x = 0; x + 1 < out.width; x += 2)
            for (const auto& [plane, source] : {std::pair{&out.R, &turned.R}, std::pair{&out.G, &turned.G},
                                                std::pair{&out.B, &turned.B}}) {
                (*plane)[y][x] = (*source)[y + 1][x];
                (*plane)[y][x + 1] = (*source)[y + 1][x + 1];
                (*plane)[y + 1][x] = (*source)[y][x + 1];
                (*plane)[y + 1][x + 1] = (*source)[y][x];
            }
    return out;
}

// ---- Rainbow --------------------------------------------------------------------------------

struct RainbowCase {
    int y, x;
    Rgb colour;
};

TEST(MaskEffects, RainbowOnBlackShowsTheCellsInDiagonalStripes) {
    ColorPlanes planes(130, 70);
    PatternMask(planes, 3);
    for (const RainbowCase& c : {
             RainbowCase{0, 0, {255, 0, 0}},         // cell row u 0, cell column w 0: colour 0
             RainbowCase{7, 15, {255, 200, 200}},    // u 0, w 1: 1
             RainbowCase{0, 40, {0, 0, 255}},        // u 0, w 5: 5
             RainbowCase{8, 0, {255, 0, 255}},       // u 1, w 0: (0 − 1) mod 7 = 6, not −1
             RainbowCase{48, 0, {255, 200, 200}},    // u 6, w 0: (−6) mod 7 = 1
             RainbowCase{40, 10, {153, 204, 102}},   // u 5, w 1: 3
             RainbowCase{16, 55, {0, 128, 255}},     // u 2, w 6: 4
             RainbowCase{24, 47, {255, 255, 0}},     // u 3, w 5: 2
             RainbowCase{9, 9, {255, 0, 0}},         // down the diagonal the colour stays
             RainbowCase{56, 56, {255, 0, 0}},       // the pattern repeats every 56 pixels
             RainbowCase{69, 129, {255, 200, 200}},  // u (69 mod 56) / 8 = 1, w (129 mod 56) / 8 = 2
         })
        expectPixel(planes, c.y, c.x, c.colour);
}

TEST(MaskEffects, RainbowOrsTheCellColourIntoEachByte) {
    ColorPlanes planes = test::uniform(60, 60, {0x0F, 0x30, 0x81});
    PatternMask(planes, 3);
    expectPixel(planes, 0, 0, {0xFF, 0x30, 0x81});
    expectPixel(planes, 8, 0, {0xFF, 0x30, 0xFF});
    expectPixel(planes, 40, 10, {153 | 0x0F, 204 | 0x30, 102 | 0x81});

    const ColorPlanes white = test::uniform(60, 60, {255, 255, 255});
    planes = white;
    PatternMask(planes, 3);
    test::expectSamePlanes(planes, white);
}

// ---- Every kind on small and odd sizes ------------------------------------------------------

struct MaskStep {
    std::string name;
    std::function<void(ColorPlanes&)> run;
};

const std::vector<MaskStep> kAllKinds = {
    {"glass 0", [](ColorPlanes& p) { GlassStrips(p, 0); }},
    {"glass 1", [](ColorPlanes& p) { GlassStrips(p, 1); }},
    {"WIN", [](ColorPlanes& p) { PatternMask(p, 0); }},
    {"Meko", [](ColorPlanes& p) { PatternMask(p, 1); }},
    {"FL", [](ColorPlanes& p) { PatternMask(p, 2); }},
    {"rainbow", [](ColorPlanes& p) { PatternMask(p, 3); }},
    {"XOR 0", [](ColorPlanes& p) { XorMask(p, 0); }},
    {"XOR 1", [](ColorPlanes& p) { XorMask(p, 1); }},
    {"XOR 2", [](ColorPlanes& p) { XorMask(p, 2); }},
    {"XOR 3", [](ColorPlanes& p) { XorMask(p, 3); }},
};

TEST(MaskEffects, EveryKindRunsOnEverySmallSize) {
    // Under the address sanitizer this also shows that nothing reads or writes outside the planes.
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) {
            const ColorPlanes original = test::randomPicture(w, h, 100u * h + w);
            for (const MaskStep& step : kAllKinds) {
                ColorPlanes planes = original;
                step.run(planes);
                ASSERT_EQ(planes.width, w);
                ASSERT_EQ(planes.height, h);
            }
            ColorPlanes meko = original;
            PatternMask(meko, 1);
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            test::expectSamePlanes(meko, mekoReference(original));
        }
}

TEST(MaskEffects, MekoEqualsItsRulesOnOddSizes) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{17, 13}, {1, 9}, {9, 1}, {193, 67}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const ColorPlanes original = test::randomPicture(w, h, 3u * w + h);
        ColorPlanes planes = original;
        PatternMask(planes, 1);
        test::expectSamePlanes(planes, mekoReference(original));
    }
}

TEST(MaskEffects, UnknownKindsChangeNothing) {
    const ColorPlanes original = test::randomPicture(20, 20, 9);
    for (int kind : {-1, 4, 99}) {
        ColorPlanes planes = original;
        GlassStrips(planes, kind);
        GlassStrips(planes, 2);
        PatternMask(planes, kind);
        XorMask(planes, kind);
        test::expectSamePlanes(planes, original);
    }
}

// ---- Working memory -------------------------------------------------------------------------

class MaskEffectsWithoutMemory : public ::testing::Test {
protected:
    void TearDown() override { setAllocationGate(nullptr); }
};

TEST_F(MaskEffectsWithoutMemory, WinMekoAndFlLeaveThePlanesAsTheyWere) {
    const ColorPlanes original = test::randomPicture(40, 40, 21);
    for (int kind : {0, 1, 2}) {
        ColorPlanes planes = original;
        setAllocationGate([](std::size_t) { return false; });
        EXPECT_THROW(PatternMask(planes, kind), std::bad_alloc) << "kind " << kind;
        setAllocationGate(nullptr);
        test::expectSamePlanes(planes, original);
    }
}

}  // namespace
}  // namespace veltrane
