#include "image/letterbox.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veltrane {
namespace {

// Each pixel names its own place: R = row mod 256, G = column mod 256, B = the high parts.
ColorPlanes coded(int w, int h) {
    ColorPlanes planes(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            planes.R[y][x] = static_cast<std::uint8_t>(y % 256);
            planes.G[y][x] = static_cast<std::uint8_t>(x % 256);
            planes.B[y][x] = static_cast<std::uint8_t>((y / 256) * 16 + x / 256);
        }
    return planes;
}

struct Sample {
    int boxRow, boxCol;
    std::optional<std::pair<int, int>> source;  // (row, column) of the picture; none for black
};

void expectSamples(const ColorPlanes& box, const std::vector<Sample>& samples, const std::string& what) {
    for (const Sample& s : samples) {
        const int r = box.R[s.boxRow][s.boxCol], g = box.G[s.boxRow][s.boxCol], b = box.B[s.boxRow][s.boxCol];
        if (!s.source) {
            EXPECT_EQ(r + g + b, 0) << what << " box " << s.boxRow << "," << s.boxCol << " should be black";
            continue;
        }
        const auto [sy, sx] = *s.source;
        EXPECT_EQ(r, sy % 256) << what << " box " << s.boxRow << "," << s.boxCol;
        EXPECT_EQ(g, sx % 256) << what << " box " << s.boxRow << "," << s.boxCol;
        EXPECT_EQ(b, (sy / 256) * 16 + sx / 256) << what << " box " << s.boxRow << "," << s.boxCol;
    }
}

bool rowIsBlack(const ColorPlanes& p, int y) {
    for (int x = 0; x < p.width; ++x)
        if (p.R[y][x] || p.G[y][x] || p.B[y][x]) return false;
    return true;
}

bool colIsBlack(const ColorPlanes& p, int x) {
    for (int y = 0; y < p.height; ++y)
        if (p.R[y][x] || p.G[y][x] || p.B[y][x]) return false;
    return true;
}

struct GeometryCase {
    int w, h, box;
    bool wide;
    double extent, margin;
    PictureArea area;
};

TEST(LetterboxGeometry, ExtentMarginAndPictureArea) {
    const GeometryCase cases[] = {
        {400, 200, 192, true, 96, 48, {48, 144, 0, 192}},
        {200, 400, 192, false, 96, 48, {0, 192, 48, 144}},
        {300, 300, 192, false, 192, 0, {0, 192, 0, 192}},  // square: not wide, no band
        {1, 1, 192, false, 192, 0, {0, 192, 0, 192}},
        {100, 300, 192, false, 64, 64, {0, 192, 64, 128}},
        {192, 100, 192, true, 100, 46, {46, 146, 0, 192}},
        // A margin with a fraction: the area starts at trunc(margin) and ends before the first
        // index ≥ P − margin, so it holds one band row more than the picture covers.
        {192, 101, 192, true, 101, 45.5, {45, 147, 0, 192}},
        {400, 201, 192, true, 96.48, 47.76, {47, 145, 0, 192}},
        {256, 128, 128, true, 64, 32, {32, 96, 0, 128}},
        {128, 512, 256, false, 64, 96, {0, 256, 96, 160}},
    };
    for (const GeometryCase& c : cases) {
        const LetterboxGeometry g = letterboxGeometry(c.w, c.h, c.box);
        const std::string what = std::to_string(c.w) + "x" + std::to_string(c.h);
        EXPECT_EQ(g.box, c.box) << what;
        EXPECT_EQ(g.wide, c.wide) << what;
        EXPECT_DOUBLE_EQ(g.rowScale, static_cast<double>(c.h) / c.box) << what;
        EXPECT_DOUBLE_EQ(g.colScale, static_cast<double>(c.w) / c.box) << what;
        EXPECT_DOUBLE_EQ(g.extent, c.extent) << what;
        EXPECT_DOUBLE_EQ(g.margin, c.margin) << what;
        const PictureArea a = g.pictureArea();
        EXPECT_EQ(a.rowBegin, c.area.rowBegin) << what;
        EXPECT_EQ(a.rowEnd, c.area.rowEnd) << what;
        EXPECT_EQ(a.colBegin, c.area.colBegin) << what;
        EXPECT_EQ(a.colEnd, c.area.colEnd) << what;
    }
}

TEST(BuildLetterbox, WidePictureHasBandsAboveAndBelow) {
    const ColorPlanes src = coded(400, 200);
    const ColorPlanes box = buildLetterbox(src, letterboxGeometry(400, 200, 192));
    ASSERT_EQ(box.width, 192);
    ASSERT_EQ(box.height, 192);
    for (int y : {0, 47, 144, 191}) EXPECT_TRUE(rowIsBlack(box, y)) << "row " << y;
    // Scale 400/192: box column x shows picture column trunc(x × 2.0833).
    expectSamples(box,
                  {{48, 0, {{0, 0}}},
                   {48, 191, {{0, 397}}},
                   {100, 96, {{108, 200}}},
                   {143, 191, {{197, 397}}},
                   {47, 96, std::nullopt},
                   {144, 0, std::nullopt}},
                  "400x200");
}

TEST(BuildLetterbox, TallPictureHasBandsLeftAndRight) {
    const ColorPlanes src = coded(100, 300);
    const ColorPlanes box = buildLetterbox(src, letterboxGeometry(100, 300, 192));
    for (int x : {0, 63, 128, 191}) EXPECT_TRUE(colIsBlack(box, x)) << "column " << x;
    // Scale 300/192 = 1.5625 in both directions, columns measured from the margin 64.
    expectSamples(box,
                  {{0, 64, {{0, 0}}},
                   {191, 127, {{298, 98}}},
                   {100, 100, {{156, 56}}},
                   {5, 63, std::nullopt},
                   {5, 128, std::nullopt}},
                  "100x300");
}

TEST(BuildLetterbox, SquarePictureFillsTheBox) {
    const ColorPlanes src = coded(384, 384);
    const ColorPlanes box = buildLetterbox(src, letterboxGeometry(384, 384, 192));
    expectSamples(box, {{0, 0, {{0, 0}}}, {191, 191, {{382, 382}}}, {10, 181, {{20, 362}}}}, "384x384");
}

TEST(BuildLetterbox, SinglePixelFillsTheWholeBox) {
    ColorPlanes src(1, 1);
    src.R[0][0] = 9;
    src.G[0][0] = 8;
    src.B[0][0] = 7;
    const ColorPlanes box = buildLetterbox(src, letterboxGeometry(1, 1, 192));
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 192; ++x)
            ASSERT_TRUE(box.R[y][x] == 9 && box.G[y][x] == 8 && box.B[y][x] == 7) << y << "," << x;
}

TEST(BuildLetterbox, SmallPictureIsEnlargedByRepetition) {
    // 4 × 2 into 192: each picture pixel becomes a 48 × 48 block between bands of 48 rows.
    const ColorPlanes src = coded(4, 2);
    const ColorPlanes box = buildLetterbox(src, letterboxGeometry(4, 2, 192));
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 192; ++x) {
            if (y < 48 || y >= 144) {
                ASSERT_EQ(box.R[y][x] + box.G[y][x] + box.B[y][x], 0) << y << "," << x;
            } else {
                ASSERT_EQ(box.R[y][x], (y - 48) / 48) << y << "," << x;
                ASSERT_EQ(box.G[y][x], x / 48) << y << "," << x;
            }
        }
}

TEST(BuildLetterbox, FractionalMarginSamplesFromTheMarginNotItsTruncation) {
    // 192 × 101: margin 45.5. Row 45 lies in the picture area but before the margin, so it
    // stays black; row 46 samples picture row trunc(0.5) = 0 and row 146 the last row, 100.
    const ColorPlanes src = coded(192, 101);
    const ColorPlanes box = buildLetterbox(src, letterboxGeometry(192, 101, 192));
    EXPECT_TRUE(rowIsBlack(box, 45));
    EXPECT_TRUE(rowIsBlack(box, 147));
    expectSamples(box, {{46, 0, {{0, 0}}}, {46, 191, {{0, 191}}}, {146, 7, {{100, 7}}}, {96, 50, {{50, 50}}}},
                  "192x101");

    // 400 × 201: margin 47.76, picture rows 48 .. 144 (144 < 47.76 + 96.48).
    const ColorPlanes src2 = coded(400, 201);
    const ColorPlanes box2 = buildLetterbox(src2, letterboxGeometry(400, 201, 192));
    EXPECT_TRUE(rowIsBlack(box2, 47));
    EXPECT_TRUE(rowIsBlack(box2, 145));
    expectSamples(box2, {{48, 0, {{0, 0}}}, {144, 191, {{200, 397}}}}, "400x201");
}

TEST(BuildLetterbox, OtherBoxSizes) {
    const ColorPlanes src = coded(256, 128);
    const ColorPlanes box = buildLetterbox(src, letterboxGeometry(256, 128, 128));
    ASSERT_EQ(box.width, 128);
    EXPECT_TRUE(rowIsBlack(box, 31));
    EXPECT_TRUE(rowIsBlack(box, 96));
    expectSamples(box, {{32, 0, {{0, 0}}}, {95, 127, {{126, 254}}}}, "256x128 in 128");
}

}  // namespace
}  // namespace veltrane
