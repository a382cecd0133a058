#include "image/morphology.h"

#include <gtest/gtest.h>

#include "support/plane_fixtures.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using test::bytes;
using test::picture;
using test::Rgb;
using test::uniform;

void expectGrey(const ColorPlanes& planes, const std::vector<std::uint8_t>& expected, const std::string& what) {
    EXPECT_EQ(bytes(planes.R), expected) << what << " red";
    EXPECT_EQ(bytes(planes.G), expected) << what << " green";
    EXPECT_EQ(bytes(planes.B), expected) << what << " blue";
}

// ---- ThresholdBinarize -------------------------------------------------------------------

struct ThresholdCase {
    const char* name;
    int w, h;
    std::vector<Rgb> pixels;
    std::vector<std::uint8_t> expected;
};

TEST(ThresholdBinarize, SplitsAtTheFirstBestThreshold) {
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    const ThresholdCase cases[] = {
        // Every score is 0 (ω is 0 below the value and 1 from it on): threshold 0.
        {"single grey value", 3, 2, std::vector<Rgb>(6, {70, 70, 70}), std::vector<std::uint8_t>(6, 255)},
        {"one pixel", 1, 1, {{1, 1, 1}}, {255}},
        {"single colour, Y = 124", 1, 3, std::vector<Rgb>(3, {10, 200, 30}), {255, 255, 255}},
        {"all black", 3, 3, std::vector<Rgb>(9, black), std::vector<std::uint8_t>(9, 0)},
        // Threshold 0: score 16256.25 at i = 0, no larger one before ω reaches 1.
        {"half black, half white", 3, 2, {black, white, black, white, white, black}, {0, 255, 0, 255, 255, 0}},
        // Y = 0, 10, 200 (the middle pixel is (0, 18, 0): 1062 / 100 = 10). μT = 70. Split after
        // 0: (70/3)² / (2/9) = 2450; after 10: (130/3)² / (2/9) = 8450, first reached at i = 10
        // and never exceeded, so k = 10 and the pixel whose Y equals it turns black.
        {"three levels", 3, 1, {black, {0, 18, 0}, {200, 200, 200}}, {0, 0, 255}},
        // Y = 0, 0, 100, 110: μT = 52.5. After 0: (26.25)² / 0.25 = 2756.25; after 100:
        // (14.375)² / 0.1875 = 1102.1. k = 0.
        {"two dark, two bright", 2, 2, {black, black, {100, 100, 100}, {110, 110, 110}}, {0, 0, 255, 255}},
    };
    for (const ThresholdCase& c : cases) {
        ColorPlanes planes = picture(c.w, c.h, c.pixels);
        ThresholdBinarize(planes, {});
        expectGrey(planes, c.expected, c.name);
    }
}

// ---- Dilate and Erode --------------------------------------------------------------------

// Red plane drawn with '#' = 255, '.' = 0, 'g' = 128, '1' = 1, 'e' = 254; green and blue hold
// other values, which must not matter.
ColorPlanes drawn(const std::vector<std::string>& rows) {
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(rows[0].size());
    ColorPlanes planes(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char c = rows[y][x];
            planes.R[y][x] = c == '#' ? 255 : c == 'g' ? 128 : c == '1' ? 1 : c == 'e' ? 254 : 0;
            planes.G[y][x] = static_cast<std::uint8_t>(x * 40 + 3);
            planes.B[y][x] = static_cast<std::uint8_t>(255 - y);
        }
    return planes;
}

// Expected output drawn with '#' = 255 and '.' = 0, in all three planes.
std::vector<std::uint8_t> blackWhite(const std::vector<std::string>& rows) {
    std::vector<std::uint8_t> out;
    for (const std::string& row : rows)
        for (char c : row) out.push_back(c == '#' ? 255 : 0);
    return out;
}

struct MorphologyCase {
    const char* name;
    void (*op)(ColorPlanes&, const RowProgress&);
    std::vector<std::string> before, after;
};

TEST(Morphology, ThreeByThreeSquareOnTheRedPlane) {
    const MorphologyCase cases[] = {
        {"dilate single pixel", Dilate, {".....", ".....", "..#..", ".....", "....."}, {".....", ".###.", ".###.", ".###.", "....."}},
        {"dilate corner pixel", Dilate, {"#...", "....", "...."}, {"##..", "##..", "...."}},
        {"dilate far corner", Dilate, {"....", "....", "...#"}, {"....", "..##", "..##"}},
        {"dilate 1 x 1 white", Dilate, {"#"}, {"#"}},
        {"dilate 1 x 1 black", Dilate, {"."}, {"."}},
        {"dilate 1 x 1 grey", Dilate, {"g"}, {"."}},
        {"dilate grey picture", Dilate, {"ggg", "ggg", "ggg"}, {"...", "...", "..."}},
        // Only red exactly 0 grows; red 1..254 turns black even next to white.
        {"dilate beside 1, 128, 254", Dilate, {"1g.", "e#.", "..."}, {"..#", ".##", "###"}},
        {"dilate row", Dilate, {"..#....#"}, {".###..##"}},
        {"dilate column", Dilate, {".", "#", ".", ".", "."}, {"#", "#", "#", ".", "."}},
        {"erode square", Erode, {".....", ".###.", ".###.", ".###.", "....."}, {".....", ".....", "..#..", ".....", "....."}},
        {"erode white picture", Erode, {"####", "####", "####"}, {"####", "####", "####"}},
        {"erode 1 x 1 white", Erode, {"#"}, {"#"}},
        {"erode 1 x 1 grey", Erode, {"g"}, {"."}},
        {"erode hole", Erode, {"#####", "#####", "##.##", "#####", "#####"}, {"#####", "#...#", "#...#", "#...#", "#####"}},
        // Red 128 is no hole: its neighbours stay white, the pixel itself is not 255.
        {"erode grey pixel", Erode, {"###", "#g#", "###"}, {"###", "#.#", "###"}},
        {"erode row", Erode, {"###.###"}, {"##...##"}},
        {"erode column at the edge", Erode, {"#", "#", "."}, {"#", ".", "."}},
    };
    for (const MorphologyCase& c : cases) {
        ColorPlanes planes = drawn(c.before);
        c.op(planes, {});
        expectGrey(planes, blackWhite(c.after), c.name);
    }
}

// The rules pixel by pixel, with every neighbour tested against the picture's bounds.
std::vector<std::uint8_t> naiveSquare(const ColorPlanes& p, bool dilate) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const int red = p.R[y][x];
            bool mask = red == 255;
            for (int i = -1; i <= 1; ++i)
                for (int j = -1; j <= 1; ++j) {
                    const int yy = y + i, xx = x + j;
                    if (yy < 0 || yy >= p.height || xx < 0 || xx >= p.width) continue;
                    if (dilate && red == 0 && p.R[yy][xx] == 255) mask = true;
                    if (!dilate && red == 255 && p.R[yy][xx] == 0) mask = false;
                }
            out.push_back(mask ? 255 : 0);
        }
    return out;
}

TEST(Morphology, MatchesThePixelByPixelRuleOnEverySize) {
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 2}, {2, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 3},
                                         {5, 3}, {3, 5}, {17, 9}, {40, 7}, {7, 40}, {33, 34}};
    const std::uint8_t values[] = {0, 0, 0, 255, 255, 255, 128, 1, 254};
    for (auto [w, h] : sizes)
        for (bool dilate : {true, false}) {
            ColorPlanes planes(w, h);
            std::uint32_t state = static_cast<std::uint32_t>(w * 977 + h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    state = state * 1664525u + 1013904223u;
                    planes.R[y][x] = values[(state >> 24) % 9];
                    planes.G[y][x] = static_cast<std::uint8_t>(state >> 8);
                    planes.B[y][x] = static_cast<std::uint8_t>(state >> 16);
                }
            const std::vector<std::uint8_t> expected = naiveSquare(planes, dilate);
            if (dilate)
                Dilate(planes, {});
            else
                Erode(planes, {});
            expectGrey(planes, expected, (dilate ? "dilate " : "erode ") + std::to_string(w) + "x" + std::to_string(h));
        }
}

// ---- MonoTint ----------------------------------------------------------------------------

struct TintCase {
    Rgb tint, pixel, expected;
};

TEST(MonoTint, ScalesTheTintByTheLuminance) {
    const TintCase cases[] = {
        {{255, 0, 0}, {255, 255, 255}, {255, 0, 0}},
        {{255, 0, 0}, {128, 128, 128}, {128, 0, 0}},
        {{255, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        // Y = (300 + 1180 + 330) / 100 = 18: 1800 / 255 = 7, 3600 / 255 = 14, 900 / 255 = 3.
        {{100, 200, 50}, {10, 20, 30}, {7, 14, 3}},
        // Y = 10050 / 100 = 100: a white tint gives the grey of the luminance.
        {{255, 255, 255}, {200, 50, 100}, {100, 100, 100}},
        // Y = 254: 64516 / 255 = 253, 32258 / 255 = 126, 762 / 255 = 2.
        {{254, 127, 3}, {254, 254, 254}, {253, 126, 2}},
        {{1, 1, 1}, {255, 255, 255}, {1, 1, 1}},
    };
    for (const TintCase& c : cases) {
        // A 3 × 1 picture of the pixel, so the row is longer than one pixel.
        ColorPlanes planes = uniform(3, 1, c.pixel);
        MonoTint(planes, c.tint.r, c.tint.g, c.tint.b, {});
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(planes.R[0][x], c.expected.r) << int(c.tint.r) << "," << int(c.tint.g) << "," << int(c.tint.b);
            EXPECT_EQ(planes.G[0][x], c.expected.g);
            EXPECT_EQ(planes.B[0][x], c.expected.b);
        }
    }
}

TEST(MonoTint, EachPixelUsesItsOwnLuminance) {
    // 1 × 1 and an odd-sized picture with a different pixel in each place.
    for (auto [w, h] : {std::pair{1, 1}, std::pair{37, 5}}) {
        std::vector<Rgb> pixels;
        std::vector<std::uint8_t> r, g, b;
        for (int i = 0; i < w * h; ++i) {
            const Rgb p{static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 3)};
            pixels.push_back(p);
            const int y = (30 * p.r + 59 * p.g + 11 * p.b) / 100;
            r.push_back(static_cast<std::uint8_t>(y * 200 / 255));
            g.push_back(static_cast<std::uint8_t>(y * 90 / 255));
            b.push_back(static_cast<std::uint8_t>(y * 255 / 255));
        }
        ColorPlanes planes = picture(w, h, pixels);
        MonoTint(planes, 200, 90, 255, {});
        EXPECT_EQ(bytes(planes.R), r);
        EXPECT_EQ(bytes(planes.G), g);
        EXPECT_EQ(bytes(planes.B), b);
    }
}

TEST(BinaryOperations, ReportEveryRowOnceInOrder) {
    const std::vector<std::pair<const char*, std::function<void(ColorPlanes&, const RowProgress&)>>> operations = {
        {"ThresholdBinarize", ThresholdBinarize},
        {"Dilate", Dilate},
        {"Erode", Erode},
        {"MonoTint", [](ColorPlanes& p, const RowProgress& progress) { MonoTint(p, 10, 20, 30, progress); }},
    };
    for (const auto& [name, op] : operations)
        for (auto [w, h] : {std::pair{1, 1}, std::pair{4, 7}, std::pair{9, 2}}) {
            ColorPlanes planes = uniform(w, h, {255, 20, 30});
            planes.R[0][0] = 0;
            std::vector<int> rows;
            op(planes, [&](int row) { rows.push_back(row); });
            std::vector<int> expected;
            for (int y = 0; y < h; ++y) expected.push_back(y);
            EXPECT_EQ(rows, expected) << name << " " << w << "x" << h;
        }
}

}  // namespace
}  // namespace veltrane
