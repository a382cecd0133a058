#include "effects/filter_effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::bytes;
using test::picture;
using test::Rgb;
using test::uniform;

// One way to run a filter: ConvolveFilter(kind, choice) or NeighbourFilter(kind).
struct Filter {
    const char* name;
    bool convolve;
    int kind;
    ConvolveChoice choice = ConvolveChoice::First;
};

constexpr ConvolveChoice kFirst = ConvolveChoice::First;
constexpr ConvolveChoice kSecond = ConvolveChoice::Second;

const Filter kLowPassLarge{"ローパス 大", true, 0, kFirst};
const Filter kLowPassSmall{"ローパス 小", true, 0, kSecond};
const Filter kHighPassLarge{"ハイパス 大", true, 1, kFirst};
const Filter kHighPassSmall{"ハイパス 小", true, 1, kSecond};
const Filter kEdgeGreyVertical{"エッジ検出 縦", true, 2, kFirst};
const Filter kEdgeGreyHorizontal{"エッジ検出 横", true, 2, kSecond};
const Filter kEdgeColourVertical{"エッジ検出(カラー) 縦", true, 3, kFirst};
const Filter kEdgeColourHorizontal{"エッジ検出(カラー) 横", true, 3, kSecond};
const Filter kSobel{"ソーベル", false, 0};
const Filter kMax{"マックス", false, 1};
const Filter kMin{"ミニ", false, 2};
const Filter kMedian{"メディアン", false, 3};
const Filter kAverage{"平均化", false, 4};

const std::array<Filter, 13> kAllFilters{kLowPassLarge,
                                         kLowPassSmall,
                                         kHighPassLarge,
                                         kHighPassSmall,
                                         kEdgeGreyVertical,
                                         kEdgeGreyHorizontal,
                                         kEdgeColourVertical,
                                         kEdgeColourHorizontal,
                                         kSobel,
                                         kMax,
                                         kMin,
                                         kMedian,
                                         kAverage};

void run(const Filter& filter, ColorPlanes& planes, const RowProgress& progress = {}) {
    if (filter.convolve)
        ConvolveFilter(planes, filter.kind, filter.choice, progress);
    else
        NeighbourFilter(planes, filter.kind, progress);
}

// ---- A plain reference: the rule pixel by pixel, neighbours taken modulo the size ----------

using Weights = std::array<int, 9>;  // rows top to bottom, as written

struct Convolution {
    Weights weights;
    int divisor;
};

Convolution convolutionOf(const Filter& f) {
    const bool first = f.choice == kFirst;
    switch (f.kind) {
        case 0:
            return first ? Convolution{{1, 2, 1, 2, 4, 2, 1, 2, 1}, 16} : Convolution{{0, 1, 0, 1, 2, 1, 0, 1, 0}, 5};
        case 1:
            return first ? Convolution{{-1, -1, -1, -1, 9, -1, -1, -1, -1}, 1}
                         : Convolution{{0, -1, 0, -1, 5, -1, 0, -1, 0}, 1};
        default:
            return first ? Convolution{{1, 0, -1, 2, 0, -2, 1, 0, -1}, 1}
                         : Convolution{{1, 2, 1, 0, 0, 0, -1, -2, -1}, 1};
    }
}

int clampByte(int v) { return std::min(std::max(v, 0), 255); }

std::uint8_t referencePixel(const Filter& f, const std::array<int, 9>& v) {
    auto weighted = [&](const Weights& k) {
        int s = 0;
        for (int i = 0; i < 9; ++i) s += k[static_cast<std::size_t>(i)] * v[static_cast<std::size_t>(i)];
        return s;
    };
    if (f.convolve) {
        const Convolution c = convolutionOf(f);
        return static_cast<std::uint8_t>(clampByte(weighted(c.weights) / c.divisor));
    }
    std::array<int, 9> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    switch (f.kind) {
        case 0: {
            const double gx = weighted({1, 2, 1, 0, 0, 0, -1, -2, -1});
            const double gy = weighted({-1, 0, 1, -2, 0, 2, -1, 0, 1});
            return static_cast<std::uint8_t>(std::min(std::sqrt(gx * gx + gy * gy), 255.0));
        }
        case 1: return static_cast<std::uint8_t>(sorted[8]);
        case 2: return static_cast<std::uint8_t>(sorted[0]);
        case 3: return static_cast<std::uint8_t>(sorted[4]);
        default: {
            int s = 0;
            for (int x : v) s += x;
            return static_cast<std::uint8_t>(s / 9);
        }
    }
}

void referencePlane(const Filter& f, const Plane& in, Plane& out, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::array<int, 9> v{};
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    v[static_cast<std::size_t>((dy + 1) * 3 + dx + 1)] = in[(y + dy + h) % h][(x + dx + w) % w];
            out[y][x] = referencePixel(f, v);
        }
}

ColorPlanes reference(const Filter& f, const ColorPlanes& in) {
    const int w = in.width, h = in.height;
    ColorPlanes out(w, h);
    if (f.convolve && f.kind == 2) {
        Plane grey(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                grey[y][x] = static_cast<std::uint8_t>((0.3 * in.R[y][x] + 0.59 * in.G[y][x]) + 0.11 * in.B[y][x]);
        referencePlane(f, grey, out.R, w, h);
        referencePlane(f, grey, out.G, w, h);
        referencePlane(f, grey, out.B, w, h);
    } else {
        referencePlane(f, in.R, out.R, w, h);
        referencePlane(f, in.G, out.G, w, h);
        referencePlane(f, in.B, out.B, w, h);
    }
    return out;
}

ColorPlanes randomPicture(int w, int h, std::mt19937& random) {
    ColorPlanes planes(w, h);
    std::uniform_int_distribution<int> byte(0, 255);
    for (Plane* p : {&planes.R, &planes.G, &planes.B})
        for (std::size_t i = 0; i < p->size(); ++i) p->data()[i] = static_cast<std::uint8_t>(byte(random));
    return planes;
}

void expectPlanes(const ColorPlanes& actual, const ColorPlanes& expected, const std::string& what) {
    EXPECT_EQ(bytes(actual.R), bytes(expected.R)) << what << " red";
    EXPECT_EQ(bytes(actual.G), bytes(expected.G)) << what << " green";
    EXPECT_EQ(bytes(actual.B), bytes(expected.B)) << what << " blue";
}

void expectGrey(const ColorPlanes& planes, const std::vector<std::uint8_t>& expected, const std::string& what) {
    EXPECT_EQ(bytes(planes.R), expected) << what << " red";
    EXPECT_EQ(bytes(planes.G), expected) << what << " green";
    EXPECT_EQ(bytes(planes.B), expected) << what << " blue";
}

// ---- Worked values ----------------------------------------------------------------------------

TEST(FilterEffects, UniformGreyHundred) {
    const struct {
        Filter filter;
        std::uint8_t expected;
    } cases[] = {
        {kLowPassLarge, 100},
        {kLowPassSmall, 120},
        {kHighPassLarge, 100},
        {kHighPassSmall, 100},
        {kEdgeGreyVertical, 0},
        {kEdgeGreyHorizontal, 0},
        {kEdgeColourVertical, 0},
        {kEdgeColourHorizontal, 0},
        {kSobel, 0},
        {kMax, 100},
        {kMin, 100},
        {kMedian, 100},
        {kAverage, 100},
    };
    for (const auto& c : cases)
        for (const auto& [w, h] : {std::pair{1, 1}, std::pair{4, 3}, std::pair{2, 5}, std::pair{1, 6}}) {
            ColorPlanes planes = uniform(w, h, {100, 100, 100});
            run(c.filter, planes);
            expectGrey(planes, std::vector<std::uint8_t>(static_cast<std::size_t>(w * h), c.expected),
                       std::string(c.filter.name) + " " + std::to_string(w) + "x" + std::to_string(h));
        }
}

// One grey pixel of value v in the middle of a black 5 × 5 picture: the 3 × 3 block around it
// (everything else stays 0).
TEST(FilterEffects, SinglePixelOnBlack) {
    const struct {
        Filter filter;
        std::uint8_t v;
        std::array<std::uint8_t, 9> block;
    } cases[] = {
        {kLowPassLarge, 160, {10, 20, 10, 20, 40, 20, 10, 20, 10}},
        {kLowPassSmall, 100, {0, 20, 0, 20, 40, 20, 0, 20, 0}},
        {kHighPassLarge, 10, {0, 0, 0, 0, 90, 0, 0, 0, 0}},  // the neighbours' −10 clamps to 0
        {kHighPassSmall, 10, {0, 0, 0, 0, 50, 0, 0, 0, 0}},
        // "縦" lights the pixels that have the bright one on their left.
        {kEdgeColourVertical, 50, {0, 0, 50, 0, 0, 100, 0, 0, 50}},
        {kEdgeGreyVertical, 50, {0, 0, 50, 0, 0, 100, 0, 0, 50}},
        // "横" lights the pixels that have it above.
        {kEdgeColourHorizontal, 50, {0, 0, 0, 0, 0, 0, 50, 100, 50}},
        {kEdgeGreyHorizontal, 50, {0, 0, 0, 0, 0, 0, 50, 100, 50}},
        // Sides 2v; diagonals sqrt(2) v = 70.7 truncated.
        {kSobel, 50, {70, 100, 70, 100, 0, 100, 70, 100, 70}},
        // Sides 510 and diagonals 360.6 both limited to 255.
        {kSobel, 255, {255, 255, 255, 255, 0, 255, 255, 255, 255}},
        {kMax, 255, {255, 255, 255, 255, 255, 255, 255, 255, 255}},
        {kMin, 255, {}},
        {kMedian, 255, {}},
        {kAverage, 255, {28, 28, 28, 28, 28, 28, 28, 28, 28}},
    };
    for (const auto& c : cases) {
        ColorPlanes planes = uniform(5, 5, {0, 0, 0});
        planes.R[2][2] = planes.G[2][2] = planes.B[2][2] = c.v;
        run(c.filter, planes);
        std::vector<std::uint8_t> expected(25, 0);
        for (int i = 0; i < 9; ++i) expected[static_cast<std::size_t>((1 + i / 3) * 5 + 1 + i % 3)] = c.block[i];
        expectGrey(planes, expected, c.filter.name + std::string(" v=") + std::to_string(c.v));
    }
}

// Black columns 0..2, white 3..5 (or the mirror), 4 rows. The wrapped border puts column 5 to
// the left of column 0.
TEST(FilterEffects, EdgesOfHalfBlackHalfWhite) {
    const Rgb k{0, 0, 0}, o{255, 255, 255};
    const std::vector<Rgb> blackLeftRow{k, k, k, o, o, o}, whiteLeftRow{o, o, o, k, k, k};
    const struct {
        Filter filter;
        const std::vector<Rgb>* row;
        std::vector<std::uint8_t> expectedRow;
    } cases[] = {
        // The middle edge sums to −1020; the outer columns see white on their left: 1020.
        {kEdgeGreyVertical, &blackLeftRow, {255, 0, 0, 0, 0, 255}},
        {kEdgeColourVertical, &blackLeftRow, {255, 0, 0, 0, 0, 255}},
        {kEdgeGreyHorizontal, &blackLeftRow, {0, 0, 0, 0, 0, 0}},
        {kEdgeColourHorizontal, &blackLeftRow, {0, 0, 0, 0, 0, 0}},
        {kEdgeGreyVertical, &whiteLeftRow, {0, 0, 255, 255, 0, 0}},
        {kEdgeColourVertical, &whiteLeftRow, {0, 0, 255, 255, 0, 0}},
    };
    for (const auto& c : cases) {
        std::vector<Rgb> pixels;
        std::vector<std::uint8_t> expected;
        for (int y = 0; y < 4; ++y) {
            pixels.insert(pixels.end(), c.row->begin(), c.row->end());
            expected.insert(expected.end(), c.expectedRow.begin(), c.expectedRow.end());
        }
        ColorPlanes planes = picture(6, 4, pixels);
        run(c.filter, planes);
        expectGrey(planes, expected, c.filter.name);
    }
}

// The rows wrap too: a white bottom row is the row above row 0.
TEST(FilterEffects, TopRowSeesBottomRow) {
    ColorPlanes planes = uniform(3, 4, {0, 0, 0});
    for (int x = 0; x < 3; ++x) planes.R[3][x] = planes.G[3][x] = planes.B[3][x] = 255;
    ConvolveFilter(planes, 3, kSecond);
    // Row 0 has white above (1020), row 2 white below (−1020); rows 1 and 3 see black on both sides.
    expectGrey(planes, {255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "横");
}

// A bright corner pixel spreads under "マックス" to the pixels whose wrapped 3 × 3 holds it:
// rows H − 1, 0, 1 by columns W − 1, 0, 1, so the opposite corner too.
TEST(FilterEffects, CornerSeesOppositeCorner) {
    ColorPlanes planes = uniform(5, 4, {0, 0, 0});
    planes.R[0][0] = planes.G[0][0] = planes.B[0][0] = 200;
    NeighbourFilter(planes, 1);
    expectGrey(planes, {200, 200, 0, 0, 200,  //
                        200, 200, 0, 0, 200,  //
                        0,   0,   0, 0, 0,    //
                        200, 200, 0, 0, 200},
               "corner");
}

// "エッジ検出" works on trunc(0.3 R + 0.59 G + 0.11 B) in double: grey 10 gives
// 9.999999999999998, so 9, where the integer luminance gives 10 and the colour kind keeps 10.
TEST(FilterEffects, GreyEdgeUsesTruncatedFloatingLuminance) {
    const std::vector<Rgb> row{{10, 10, 10}, {0, 0, 0}, {0, 0, 0}};
    ColorPlanes grey = picture(3, 1, row);
    ConvolveFilter(grey, 2, kFirst);
    expectGrey(grey, {0, 36, 0}, "grey kind");

    ColorPlanes colour = picture(3, 1, row);
    ConvolveFilter(colour, 3, kFirst);
    expectGrey(colour, {0, 40, 0}, "colour kind");

    // A colour pixel: R, G and B all receive the edge of its grey value 30 (0.3 × 100).
    ColorPlanes red = picture(3, 1, {{100, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    ConvolveFilter(red, 2, kFirst);
    expectGrey(red, {0, 120, 0}, "red pixel");
}

// ---- Every size against the plain rule ----------------------------------------------------

TEST(FilterEffects, EqualThePlainRuleOnEverySmallSizeAndSomeLargerOnes) {
    std::mt19937 random(20261210);
    std::vector<std::pair<int, int>> sizes{{17, 13}, {193, 67}, {67, 193}, {31, 2}, {257, 2}, {600, 3}};
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) sizes.emplace_back(w, h);
    for (const auto& [w, h] : sizes) {
        const ColorPlanes source = randomPicture(w, h, random);
        const std::string sizeName = std::to_string(w) + "x" + std::to_string(h) + " ";
        for (const Filter& f : kAllFilters) {
            ColorPlanes planes = source;
            run(f, planes);
            expectPlanes(planes, reference(f, source), sizeName + f.name);
        }
    }
}

// Low values, near-uniform patches and saturated ones reach the clamps and the exact squares of
// the Sobel magnitude more often than uniform noise does.
TEST(FilterEffects, EqualThePlainRuleOnFewLevels) {
    std::mt19937 random(7);
    for (const std::vector<int>& levels :
         {std::vector<int>{0, 255}, std::vector<int>{0, 3, 4, 5}, std::vector<int>{250, 255}}) {
        ColorPlanes source(37, 11);
        std::uniform_int_distribution<std::size_t> pick(0, levels.size() - 1);
        for (Plane* p : {&source.R, &source.G, &source.B})
            for (std::size_t i = 0; i < p->size(); ++i) p->data()[i] = static_cast<std::uint8_t>(levels[pick(random)]);
        for (const Filter& f : kAllFilters) {
            ColorPlanes planes = source;
            run(f, planes);
            expectPlanes(planes, reference(f, source), f.name);
        }
    }
}

// ---- Progress and unknown kinds -------------------------------------------------------------

TEST(FilterEffects, ReportEachRowOnceInOrder) {
    std::vector<int> expected(7);
    for (int y = 0; y < 7; ++y) expected[static_cast<std::size_t>(y)] = y;
    for (const Filter& f : kAllFilters) {
        ColorPlanes planes = uniform(3, 7, {1, 2, 3});
        std::vector<int> rows;
        run(f, planes, [&](int row) { rows.push_back(row); });
        EXPECT_EQ(rows, expected) << f.name;
    }
}

TEST(FilterEffects, UnknownKindsChangeNothing) {
    std::mt19937 random(3);
    const ColorPlanes source = randomPicture(4, 3, random);
    for (const Filter& f : {Filter{"convolve −1", true, -1}, Filter{"convolve 4", true, 4},
                            Filter{"neighbour −1", false, -1}, Filter{"neighbour 5", false, 5}}) {
        ColorPlanes planes = source;
        int reports = 0;
        run(f, planes, [&](int) { ++reports; });
        expectPlanes(planes, source, f.name);
        EXPECT_EQ(reports, 0) << f.name;
    }
}

}  // namespace
}  // namespace veltrane
