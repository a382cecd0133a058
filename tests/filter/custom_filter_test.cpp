#include "filter/custom_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

// The window's starting kernel (sum 1).
constexpr FilterKernel kDesign = {-1, 0, -2, -2, -2, 0, 1, -1, -1, 0, 1, -1, 5, -1, -1, 0, -1, -1, 1, 0, 2, 2, 2, 0, 1};

FilterKernel centreOnly(int centre) {
    FilterKernel k{};
    k[kFilterCentre] = centre;
    return k;
}

FilterKernel filled(int cell, int centre) {
    FilterKernel k;
    k.fill(cell);
    k[kFilterCentre] = centre;
    return k;
}

FilterKernel oneCell(int index, int value) {
    FilterKernel k{};
    k[static_cast<std::size_t>(index)] = value;
    return k;
}

// The filter as its rule reads, on a whole integer copy of each plane: the picture at (r + 2,
// c + 2), two mirrored columns on each side, then two mirrored rows above and below over the
// full padded width; a mirrored index outside a picture narrower or lower than 2 is clamped
// into it.
ColorPlanes naiveFilter(const ColorPlanes& in, const FilterKernel& k) {
    const int w = in.width, h = in.height;
    auto col = [w](int i) { return std::clamp(i, 0, w - 1); };
    auto row = [h](int i) { return std::clamp(i, 0, h - 1); };
    int d = 0;
    for (int cell : k) d += cell;
    if (d == 0) d = 1;
    ColorPlanes out(w, h);
    const Plane* src[3] = {&in.R, &in.G, &in.B};
    Plane* dst[3] = {&out.R, &out.G, &out.B};
    for (int p = 0; p < 3; ++p) {
        std::vector<std::vector<int>> padded(static_cast<std::size_t>(h + 4), std::vector<int>(static_cast<std::size_t>(w + 4)));
        auto at = [&padded](int r, int c) -> int& { return padded[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; };
        for (int r = 0; r < h; ++r) {
            for (int c = 0; c < w; ++c) at(r + 2, c + 2) = (*src[p])[r][c];
            at(r + 2, 1) = (*src[p])[r][col(0)];
            at(r + 2, 0) = (*src[p])[r][col(1)];
            at(r + 2, w + 2) = (*src[p])[r][col(w - 1)];
            at(r + 2, w + 3) = (*src[p])[r][col(w - 2)];
        }
        for (int c = 0; c < w + 4; ++c) {
            at(1, c) = at(row(0) + 2, c);
            at(0, c) = at(row(1) + 2, c);
            at(h + 2, c) = at(row(h - 1) + 2, c);
            at(h + 3, c) = at(row(h - 2) + 2, c);
        }
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                int s = 0;
                for (int a = 0; a < 5; ++a)
                    for (int b = 0; b < 5; ++b) s += k[static_cast<std::size_t>(5 * a + b)] * at(r + a, c + b);
                const int v = s / d;
                (*dst[p])[r][c] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
            }
    }
    return out;
}

// Pixels from a small linear congruential sequence; each plane differs.
ColorPlanes noisePicture(int w, int h, std::uint32_t seed) {
    ColorPlanes planes(w, h);
    std::uint32_t state = seed;
    for (Plane* plane : {&planes.R, &planes.G, &planes.B})
        for (std::size_t i = 0; i < plane->size(); ++i) {
            state = state * 1664525u + 1013904223u;
            plane->data()[i] = static_cast<std::uint8_t>(state >> 24);
        }
    return planes;
}

// The float quotient equals C++'s truncating division for every sum and divisor the window's
// ranges allow.
TEST(CustomFilter, FloatQuotientEqualsIntegerDivisionForEveryReachableSumAndDivisor) {
    int mismatches = 0;
    for (int d = -129; d <= 130; ++d) {
        if (d == 0) continue;
        for (int s = -33150; s <= 33150; ++s)
            if (FilterQuotient(s, d) != s / d && ++mismatches <= 5) ADD_FAILURE() << s << " / " << d;
    }
    EXPECT_EQ(mismatches, 0);
}

// The row loop's vector division and clamp against the integer rule, for every divisor, with
// the two extreme kernels over rows that run from dark to fully bright (the largest sums).
TEST(CustomFilter, RowLoopDividesAndClampsLikeIntegerDivisionForEveryDivisor) {
    const int width = 1021;  // vector body and tail
    std::vector<std::vector<std::uint8_t>> rows(5, std::vector<std::uint8_t>(width + 4));
    std::uint32_t state = 7;
    for (int a = 0; a < 5; ++a)
        for (int i = 0; i < width + 4; ++i) {
            state = state * 1664525u + 1013904223u;
            // Brighter to the right: the last windows are all 255 or nearly.
            const int spread = std::max(0, 255 - (255 * i) / (width - 60));
            rows[static_cast<std::size_t>(a)][static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(255 - static_cast<int>((state >> 16) % static_cast<std::uint32_t>(spread + 1)));
        }
    const std::uint8_t* r[5] = {rows[0].data(), rows[1].data(), rows[2].data(), rows[3].data(), rows[4].data()};
    std::vector<std::uint8_t> out(width);
    int mismatches = 0;
    for (const FilterKernel& k : {filled(5, 10), filled(-5, -9)}) {
        for (int d = -129; d <= 130; ++d) {
            if (d == 0) continue;
            CustomFilterRow(r, k, d, out.data(), width);
            for (int x = 0; x < width; ++x) {
                int s = 0;
                for (int a = 0; a < 5; ++a)
                    for (int b = 0; b < 5; ++b) s += k[static_cast<std::size_t>(5 * a + b)] * r[a][x + b];
                const int expected = std::clamp(s / d, 0, 255);
                if (out[static_cast<std::size_t>(x)] != expected && ++mismatches <= 5)
                    ADD_FAILURE() << "sum " << s << " divisor " << d << ": " << int(out[static_cast<std::size_t>(x)]);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(CustomFilter, DivisorIsTheSumOfTheCellsAndOneForASumOfZero) {
    struct Case {
        FilterKernel kernel;
        int divisor;
    };
    const Case cases[] = {
        {kDesign, 1},
        {filled(1, 1), 25},
        {filled(5, 10), 130},
        {filled(-5, -9), -129},
        {centreOnly(-1), -1},
        {FilterKernel{}, 1},
        {{0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 0, -1, 4, -1, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0}, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(FilterDivisor(c.kernel), c.divisor);
}

// Every kernel against the naive padded-copy rule on pictures of every awkward shape: one
// pixel, one row, one column, two, odd sizes, and a picture tall enough that the last rows'
// mirrors must come from saved rows.
TEST(CustomFilter, EqualsTheNaivePaddedCopyOnEveryShapeAndKernel) {
    const FilterKernel kernels[] = {
        kDesign,
        centreOnly(1),
        filled(1, 1),                                                                       // box blur, d = 25
        {0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 0, -1, 4, -1, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0},  // sum 0
        centreOnly(-1),                                                                     // d = −1
        {-5, 3, 0, 1, 2, 0, 0, 4, 0, -5, 0, 0, -3, 0, 0, 5, 0, -2, 0, 0, -4, 0, 0, 0, 5},  // d = −1
        {0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, -9, 0, 0, 0, 0, 0, 0, 0, -5, 0, 0, 0, 0},      // d = −9
        filled(5, 10),
        filled(-5, -9),
        oneCell(0, 1),   // two up, two left
        oneCell(24, 1),  // two down, two right
    };
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 6}, {6, 1}, {2, 2}, {2, 1}, {1, 2}, {3, 7},
                                         {7, 3}, {4, 4}, {5, 9}, {37, 11}, {70, 2}};
    for (const auto& [w, h] : sizes)
        for (std::size_t i = 0; i < std::size(kernels); ++i) {
            const ColorPlanes in = noisePicture(w, h, static_cast<std::uint32_t>(w * 1000 + h * 10 + i));
            ColorPlanes actual = in;
            CustomFilterPlanes(actual, kernels[i]);
            test::expectSamePlanes(actual, naiveFilter(in, kernels[i]),
                                   std::to_string(w) + "x" + std::to_string(h) + " kernel " + std::to_string(i));
        }
}

// Hand-computed bytes: the kernel is laid over the neighbourhood as written (not flipped), the
// edge repeats in the mirror, and a one-pixel-wide or -high picture repeats its only column or
// row in all four padding places.
TEST(CustomFilter, HandComputedBytesOfOrientationMirrorAndOnePixelPictures) {
    struct Case {
        const char* what;
        int w, h;
        std::vector<std::uint8_t> red;
        FilterKernel kernel;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"cell 0 reads two up, two left", 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}, oneCell(0, 1), {5, 4, 4, 2, 1, 1, 2, 1, 1}},
        {"cell 24 reads two down, two right", 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}, oneCell(24, 1), {9, 9, 8, 9, 9, 8, 6, 6, 5}},
        {"one row: both columns left of column 0 read column 0", 3, 1, {10, 20, 30}, oneCell(10, 1), {20, 10, 10}},
        {"one column: both rows above row 0 read row 0", 1, 3, {10, 20, 30}, oneCell(2, 1), {20, 10, 10}},
        {"one pixel wide, two left", 1, 2, {40, 50}, oneCell(10, 1), {40, 50}},
        {"one pixel: every cell reads it", 1, 1, {7}, filled(1, 1), {7}},
        {"sum 0 divides by 1: flat goes black", 3, 1, {9, 9, 9},
         {0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 0, -1, 4, -1, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0}},
        {"sum −1 gives the pixel back", 2, 1, {77, 200}, centreOnly(-1), {77, 200}},
        {"box blur truncates", 2, 1, {0, 1}, filled(1, 1), {0, 0}},
        {"quotients clamp to 0..255", 3, 1, {200, 0, 100}, [] {
             FilterKernel k = centreOnly(3);
             k[13] = -2;  // one right
             return k;
         }(), {255, 0, 100}},
    };
    for (const Case& c : cases) {
        ColorPlanes planes(c.w, c.h);
        std::copy(c.red.begin(), c.red.end(), planes.R.data());
        CustomFilterPlanes(planes, c.kernel);
        EXPECT_EQ(test::bytes(planes.R), c.expected) << c.what;
    }
}

TEST(CustomFilter, ReportsEachRowOnceAfterAllThreePlanes) {
    ColorPlanes planes = noisePicture(4, 5, 3);
    std::vector<int> rows;
    CustomFilterPlanes(planes, kDesign, [&rows](int r) { rows.push_back(r); });
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(CustomFilter, ACellOutOfRangeIsRefusedBeforeAnyPixelChanges) {
    const FilterKernel outOfRange[] = {oneCell(0, 6), oneCell(24, -6), centreOnly(11), centreOnly(-10)};
    for (const FilterKernel& k : outOfRange) {
        EXPECT_FALSE(FilterKernelInRange(k));
        const ColorPlanes in = noisePicture(3, 3, 1);
        ColorPlanes planes = in;
        EXPECT_THROW(CustomFilterPlanes(planes, k), std::invalid_argument);
        test::expectSamePlanes(planes, in);
    }
    EXPECT_TRUE(FilterKernelInRange(filled(-5, 10)));
    EXPECT_TRUE(FilterKernelInRange(filled(5, -9)));
}

}  // namespace
}  // namespace veltrane
