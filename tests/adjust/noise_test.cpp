// Noise: dots from the process-wide generator, checked against dots worked out here from the
// recurrence itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "adjust/adjust_fixtures.h"
#include "adjust/adjustments.h"
#include "image/letterbox.h"
#include "common/random_generator.h"

namespace veltrane {
namespace {

using testing::expectSamePlanes;
using testing::patterned;
using testing::Px;

// The generator written out again: state × 22695477 + 1 mod 2^32, bits 16..30.
struct Recurrence {
    std::uint32_t state = 1;
    int next() {
        state = state * 22695477u + 1u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

// trunc(e × n / 32767) − 1, at least 0. Whole-number arithmetic agrees with the extended
// product for every size with no factor in common with 32767 = 7 × 31 × 151 (only e = 0 and
// e = 32767 give a whole quotient there, and both come out exactly); the sizes below are such.
int index(int e, int n) {
    const int i = static_cast<int>(static_cast<std::int64_t>(e) * n / 32767) - 1;
    return i < 0 ? 0 : i;
}

Px colourOf(int e, bool colour) {
    if (!colour) return e < 16384 ? Px{0, 0, 0} : Px{255, 255, 255};
    const Px table[8] = {{0, 0, 0},     {0, 255, 0},   {0, 0, 255},   {255, 0, 0},
                         {0, 255, 255}, {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    return table[e >= 28665 ? 7 : e / 4095];
}

struct Dot {
    int row, col;
    Px colour;
};

std::vector<Dot> expectedDots(Recurrence& rec, std::int64_t count, int rows, int cols, bool colour) {
    std::vector<Dot> dots;
    for (std::int64_t i = 0; i < count; ++i) {
        Dot d;
        d.row = index(rec.next(), rows);
        d.col = index(rec.next(), cols);
        d.colour = colourOf(rec.next(), colour);
        dots.push_back(d);
    }
    return dots;
}

void paint(ColorPlanes& p, const Dot& d) {
    p.R[d.row][d.col] = static_cast<std::uint8_t>(d.colour[0]);
    p.G[d.row][d.col] = static_cast<std::uint8_t>(d.colour[1]);
    p.B[d.row][d.col] = static_cast<std::uint8_t>(d.colour[2]);
}

TEST(Noise, ColourTableBoundaries) {
    struct Case {
        int e;
        bool colour;
        Px out;
    };
    const Case cases[] = {
        {32767, true, {255, 255, 255}}, {28665, true, {255, 255, 255}}, {28664, true, {255, 255, 0}},
        {24570, true, {255, 255, 0}},   {24569, true, {255, 0, 255}},   {20475, true, {255, 0, 255}},
        {20474, true, {0, 255, 255}},   {16380, true, {0, 255, 255}},   {16379, true, {255, 0, 0}},
        {12285, true, {255, 0, 0}},     {12284, true, {0, 0, 255}},     {8190, true, {0, 0, 255}},
        {8189, true, {0, 255, 0}},      {4095, true, {0, 255, 0}},      {4094, true, {0, 0, 0}},
        {0, true, {0, 0, 0}},
        {0, false, {0, 0, 0}},          {16383, false, {0, 0, 0}},      {16384, false, {255, 255, 255}},
        {32767, false, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        const NoiseColour n = noiseColour(c.e, c.colour);
        EXPECT_EQ((Px{n.R, n.G, n.B}), c.out) << c.e << (c.colour ? " colour" : " mono");
    }
}

TEST(Noise, DotCountIsComputedIn64Bits) {
    EXPECT_EQ(noiseDotCount(800, 1000, 10), 80000);
    EXPECT_EQ(noiseDotCount(192, 192, 100), 36864);
    EXPECT_EQ(noiseDotCount(192, 192, 1), 368);
    EXPECT_EQ(noiseDotCount(5000, 5000, 100), 25000000);  // 2.5e9 before the division
    EXPECT_EQ(noiseDotCount(30000, 13000, 99), 386100000);
    EXPECT_EQ(noiseDotCount(3, 3, 11), 0);
}

TEST(Noise, FinalPassFromAFreshGeneratorPlacesTheRecurrencesDots) {
    for (bool colour : {true, false}) {
        // 5 × 4 at q = 100: 20 dots, 60 draws.
        ColorPlanes planes = patterned(5, 4);
        ColorPlanes expected = planes;
        Recurrence rec;
        for (const Dot& d : expectedDots(rec, 20, 4, 5, colour)) paint(expected, d);

        RandomGenerator random;
        noiseFinal(planes, 100, colour, random);
        expectSamePlanes(planes, expected);
        EXPECT_EQ(random.state(), rec.state) << "three draws per dot, no more";
    }
}

TEST(Noise, FirstDotsOfAFreshGeneratorByHand) {
    // From state 1 the generator gives 346, 130, 10982, 1090, 11656, 7117, 17595, 6415, 22948.
    // On 10 × 10 at q = 3 that is (10 × 10 × 3) div 100 = 3 dots:
    //   1: row trunc(346 × 10 / 32767) − 1 → 0, column trunc(130 × 10 / 32767) − 1 → 0, 10982 blue
    //   2: row trunc(1090 × 10 / 32767) − 1 → 0, column trunc(11656 × 10 / 32767) − 1 = 2, 7117 green
    //   3: row trunc(17595 × 10 / 32767) − 1 = 4, column trunc(6415 × 10 / 32767) − 1 = 0,
    //      22948 magenta
    RandomGenerator random;
    ColorPlanes planes(10, 10);
    noiseFinal(planes, 3, true, random);
    ColorPlanes expected(10, 10);
    paint(expected, {0, 0, {0, 0, 255}});
    paint(expected, {0, 2, {0, 255, 0}});
    paint(expected, {4, 0, {255, 0, 255}});
    expectSamePlanes(planes, expected);
}

TEST(Noise, ExtendedProductDecidesWholeQuotients) {
    // With 21 rows a row draw of 23405 gives 23405 × 21 / 32767 = 15 exactly, but the extended
    // product of 1/32767 falls just below it: row 14 − 1 = 13, not 14. A row draw of 32767
    // reaches the last row, 20.
    struct Case {
        int rowDraw, row;
    };
    for (const Case& c : {Case{23405, 13}, Case{32767, 20}, Case{0, 0}, Case{1560, 0}, Case{1561, 0}, Case{3121, 1}}) {
        // Find the state whose next draw is the wanted value: the new state is draw × 2^16
        // (bit 31 clear, low bits 0), and the step back inverts × 22695477 + 1 mod 2^32.
        std::uint32_t inverse = 1;
        for (int i = 0; i < 6; ++i) inverse *= 2u - 22695477u * inverse;  // Newton's step, mod 2^32
        const std::uint32_t target = static_cast<std::uint32_t>(c.rowDraw) << 16;
        RandomGenerator random;
        random.seed((target - 1u) * inverse);
        ColorPlanes planes(1, 21);  // 1 column × 21 rows of grey; q = 5 gives one dot
        std::fill(planes.R.data(), planes.R.data() + planes.R.size(), 100);
        noiseFinal(planes, 5, false, random);
        int hit = -1;
        for (int y = 0; y < 21; ++y)
            if (planes.R[y][0] != 100) hit = y;
        EXPECT_EQ(hit, c.row) << "draw " << c.rowDraw;
    }
}

TEST(Noise, ZeroPercentChangesNothingAndDrawsNothing) {
    ColorPlanes planes = patterned(7, 5);
    const ColorPlanes before = planes;
    RandomGenerator random;
    noiseFinal(planes, 0, true, random);
    expectSamePlanes(planes, before);
    EXPECT_EQ(random.state(), 1u);

    ColorPlanes box = patterned(192, 192);
    const ColorPlanes boxBefore = box;
    noisePreview(box, {0, 192, 0, 192}, false, 0, true, random);
    expectSamePlanes(box, boxBefore);
    EXPECT_EQ(random.state(), 1u);
}

TEST(Noise, ThousandByEightHundredAtTenPercentDrawsEightyThousandDots) {
    ColorPlanes planes(1000, 800);
    RandomGenerator random;
    noiseFinal(planes, 10, true, random);
    Recurrence rec;
    for (int i = 0; i < 3 * 80000; ++i) rec.next();
    EXPECT_EQ(random.state(), rec.state);
}

TEST(Noise, FinalProgressFollowsTheDots) {
    ColorPlanes planes(6, 9);
    RandomGenerator random;
    std::vector<int> rows;
    ColorPlanes atFirstStep;
    noiseFinal(planes, 100, true, random, [&](int y) {
        if (rows.empty()) atFirstStep = planes;
        rows.push_back(y);
    });
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    expectSamePlanes(atFirstStep, planes);  // every dot is placed before the sweep
}

TEST(Noise, PreviewMovesDotsOutsideThePictureAreaOntoItsEdge) {
    struct Case {
        int w, h;  // picture size, for the geometry
    };
    for (const Case& c : {Case{400, 200}, Case{100, 300}, Case{192, 101}, Case{300, 300}}) {
        const LetterboxGeometry g = letterboxGeometry(c.w, c.h, 192);
        const PictureArea area = g.pictureArea();
        for (bool colour : {true, false}) {
            ColorPlanes box = patterned(192, 192, static_cast<std::uint32_t>(c.w));
            ColorPlanes expected = box;
            Recurrence rec;
            int moved = 0;
            for (Dot d : expectedDots(rec, 192 * 192 * 3 / 100, 192, 192, colour)) {
                const Dot original = d;
                if (g.wide) {
                    if (d.row < area.rowBegin) d.row = area.rowBegin;
                    if (d.row >= area.rowEnd) d.row = area.rowEnd - 1;
                } else {
                    if (d.col < area.colBegin) d.col = area.colBegin;
                    if (d.col >= area.colEnd) d.col = area.colEnd - 1;
                }
                moved += (d.row != original.row || d.col != original.col);
                paint(expected, d);
            }
            if (area.rowEnd - area.rowBegin < 192 || area.colEnd - area.colBegin < 192) {
                EXPECT_GT(moved, 0) << "the case should move some dots";
            }

            RandomGenerator random;
            noisePreview(box, area, g.wide, 3, colour, random);
            expectSamePlanes(box, expected);
            EXPECT_EQ(random.state(), rec.state);
        }
    }
}

TEST(Noise, SuccessivePreviewsDrawNewDots) {
    RandomGenerator random;
    ColorPlanes first(192, 192), second(192, 192);
    noisePreview(first, {0, 192, 0, 192}, false, 10, true, random);
    noisePreview(second, {0, 192, 0, 192}, false, 10, true, random);
    EXPECT_NE(testing::bytes(first.R), testing::bytes(second.R));
}

}  // namespace
}  // namespace veltrane
