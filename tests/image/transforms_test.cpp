#include "image/transforms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::bytes;
using test::expectSamePlanes;

using Operation = void (*)(ColorPlanes&, const RowProgress&);

// A picture whose three planes all differ and whose every pixel differs from its neighbours,
// so a pixel moved to the wrong place or taken from the wrong plane shows.
ColorPlanes patterned(int w, int h) {
    ColorPlanes planes(w, h);
    std::uint32_t state = 12345u + static_cast<std::uint32_t>(w * 131 + h);
    for (Plane* plane : {&planes.R, &planes.G, &planes.B})
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                state = state * 1664525u + 1013904223u;
                (*plane)[y][x] = static_cast<std::uint8_t>(state >> 24);
            }
    return planes;
}

ColorPlanes uniform(int w, int h, std::uint8_t value) {
    ColorPlanes planes(w, h);
    for (Plane* plane : {&planes.R, &planes.G, &planes.B}) std::fill(plane->data(), plane->data() + plane->size(), value);
    return planes;
}



// Naive forms of the operations, pixel by pixel exactly as the menu commands are described,
// with no shortcut: the interleaves run their swap loops over the whole height or width.
template <class Step>
void eachPlane(ColorPlanes& p, Step step) {
    for (Plane* plane : {&p.R, &p.G, &p.B}) step(*plane);
}

void naiveFlipVertical(ColorPlanes& p) {
    eachPlane(p, [&](Plane& P) {
        for (int y = 0; y < p.height / 2; ++y)
            for (int x = 0; x < p.width; ++x) std::swap(P[y][x], P[p.height - 1 - y][x]);
    });
}
void naiveFlipHorizontal(ColorPlanes& p) {
    eachPlane(p, [&](Plane& P) {
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width / 2; ++x) std::swap(P[y][x], P[y][p.width - 1 - x]);
    });
}
void naiveInterleaveVertical(ColorPlanes& p) {
    eachPlane(p, [&](Plane& P) {
        for (int y = 0; y < p.height; y += 2)
            for (int x = 0; x < p.width; x += 2) std::swap(P[y][x], P[p.height - 1 - y][x]);
    });
}
void naiveInterleaveHorizontal(ColorPlanes& p) {
    eachPlane(p, [&](Plane& P) {
        for (int y = 0; y < p.height; y += 2)
            for (int x = 0; x < p.width; x += 2) std::swap(P[y][x], P[y][p.width - 1 - x]);
    });
}
void naiveMirrorLeftToRight(ColorPlanes& p) {
    eachPlane(p, [&](Plane& P) {
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width / 2; ++x) P[y][p.width - 1 - x] = P[y][x];
    });
}
void naiveMirrorTopToBottom(ColorPlanes& p) {
    eachPlane(p, [&](Plane& P) {
        for (int y = 0; y < p.height / 2; ++y)
            for (int x = 0; x < p.width; ++x) P[p.height - 1 - y][x] = P[y][x];
    });
}
// The four band loops in their order; a position outside the picture is skipped.
void naiveBevelFrame(ColorPlanes& p) {
    const int W = p.width, H = p.height;
    auto inside = [&](int x, int y) { return x >= 0 && x < W && y >= 0 && y < H; };
    auto darken = [&](int x, int y) {
        if (!inside(x, y)) return;
        eachPlane(p, [&](Plane& P) { P[y][x] = static_cast<std::uint8_t>(std::max(P[y][x] - 75, 0)); });
    };
    auto lighten = [&](int x, int y) {
        if (!inside(x, y)) return;
        eachPlane(p, [&](Plane& P) { P[y][x] = static_cast<std::uint8_t>(std::min(P[y][x] + 75, 255)); });
    };
    for (int y = 0; y <= 11; ++y)
        for (int x = y; x < W - y; ++x) darken(x, y);
    for (int x = 0; x <= 11; ++x)
        for (int y = x; y < H - x; ++y) darken(x, y);
    for (int k = 0; k <= 11; ++k)
        for (int x = 12 - k; x < W - 12 + k; ++x) lighten(x, H - 12 + k);
    for (int j = 0; j <= 11; ++j)
        for (int y = 12 - j; y < H - 12 + j; ++y) lighten(W - 12 + j, y);
}

struct Pair {
    const char* name;
    Operation fast;
    void (*naive)(ColorPlanes&);
};

const Pair kOperations[] = {
    {"FlipVertical", FlipVertical, naiveFlipVertical},
    {"FlipHorizontal", FlipHorizontal, naiveFlipHorizontal},
    {"InterleaveVertical", InterleaveVertical, naiveInterleaveVertical},
    {"InterleaveHorizontal", InterleaveHorizontal, naiveInterleaveHorizontal},
    {"MirrorLeftToRight", MirrorLeftToRight, naiveMirrorLeftToRight},
    {"MirrorTopToBottom", MirrorTopToBottom, naiveMirrorTopToBottom},
    {"BevelFrame", BevelFrame, naiveBevelFrame},
};

// Sizes (width, height): single pixels, single rows and columns, odd and even sides, pictures
// below, at and above the 12-pixel bevel band, and rows longer than one vector.
const std::pair<int, int> kSizes[] = {{1, 1},   {1, 2},   {2, 1},   {1, 7},   {7, 1},   {2, 2},   {3, 3},
                                      {5, 3},   {3, 5},   {4, 6},   {6, 4},   {11, 20}, {20, 11}, {11, 11},
                                      {12, 12}, {13, 12}, {12, 13}, {23, 24}, {24, 23}, {25, 25}, {67, 33},
                                      {100, 2}, {2, 100}, {30, 1}, {1, 30}};

TEST(Transforms, MatchThePixelByPixelFormOnEverySize) {
    for (const Pair& op : kOperations)
        for (auto [w, h] : kSizes) {
            ColorPlanes actual = patterned(w, h);
            ColorPlanes expected = actual;
            op.fast(actual, {});
            op.naive(expected);
            expectSamePlanes(actual, expected, std::string(op.name) + " " + std::to_string(w) + "x" + std::to_string(h));
        }
}

TEST(Transforms, EmptyPlanesAreLeftAlone) {
    for (const Pair& op : kOperations) {
        ColorPlanes none;
        op.fast(none, {});
        EXPECT_EQ(none.R.size(), 0u) << op.name;
    }
}

// One plane of a picture written as rows of letters, one byte per letter.
ColorPlanes letters(const std::vector<std::string>& rows) {
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(rows[0].size());
    ColorPlanes planes(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto c = static_cast<std::uint8_t>(rows[y][x]);
            planes.R[y][x] = c;
            planes.G[y][x] = static_cast<std::uint8_t>(c + 100);
            planes.B[y][x] = static_cast<std::uint8_t>(c + 150);
        }
    return planes;
}

struct LetterCase {
    const char* name;
    Operation op;
    std::vector<std::string> before, after;
};

TEST(Transforms, RearrangeSmallPicturesAsDescribed) {
    const LetterCase cases[] = {
        {"FlipVertical", FlipVertical, {"abc", "def", "ghi"}, {"ghi", "def", "abc"}},
        {"FlipVertical one row", FlipVertical, {"abcde"}, {"abcde"}},
        {"FlipVertical two rows", FlipVertical, {"ab", "cd"}, {"cd", "ab"}},
        {"FlipHorizontal", FlipHorizontal, {"abcd", "efgh"}, {"dcba", "hgfe"}},
        {"FlipHorizontal odd width", FlipHorizontal, {"abcde"}, {"edcba"}},
        {"FlipHorizontal one column", FlipHorizontal, {"a", "b", "c"}, {"a", "b", "c"}},
        {"InterleaveVertical odd height", InterleaveVertical, {"abcd", "efgh", "ijkl"}, {"abcd", "efgh", "ijkl"}},
        {"InterleaveHorizontal even width", InterleaveHorizontal, {"abcd", "efgh", "ijkl"}, {"dcba", "efgh", "lkji"}},
        {"InterleaveHorizontal odd width", InterleaveHorizontal, {"abcde", "fghij"}, {"abcde", "fghij"}},
        {"MirrorLeftToRight odd width", MirrorLeftToRight, {"abcde"}, {"abcba"}},
        {"MirrorLeftToRight even width", MirrorLeftToRight, {"abcd", "efgh"}, {"abba", "effe"}},
        {"MirrorLeftToRight one column", MirrorLeftToRight, {"a", "b"}, {"a", "b"}},
        {"MirrorTopToBottom odd height", MirrorTopToBottom, {"ab", "cd", "ef", "gh", "ij"}, {"ab", "cd", "ef", "cd", "ab"}},
        {"MirrorTopToBottom even height", MirrorTopToBottom, {"ab", "cd", "ef", "gh"}, {"ab", "cd", "cd", "ab"}},
    };
    for (const LetterCase& c : cases) {
        ColorPlanes planes = letters(c.before);
        c.op(planes, {});
        expectSamePlanes(planes, letters(c.after), c.name);
    }
}

TEST(Transforms, InterleaveVerticalOnFourRowsFlipsEvenColumnsOnly) {
    // Columns 0, 2, 4 turned upside down; columns 1 and 3 as they were.
    ColorPlanes planes = letters({"abcde", "fghij", "klmno", "pqrst"});
    InterleaveVertical(planes, {});
    expectSamePlanes(planes, letters({"pbrdt", "kgmio", "flhnj", "aqcse"}), "four rows");
}

TEST(Transforms, FlipsAndInterleavesUndoThemselves) {
    const Operation selfInverse[] = {FlipVertical, FlipHorizontal, InterleaveVertical, InterleaveHorizontal};
    for (Operation op : selfInverse)
        for (auto [w, h] : {std::pair{1, 1}, std::pair{4, 4}, std::pair{5, 7}, std::pair{36, 18}}) {
            const ColorPlanes start = patterned(w, h);
            ColorPlanes planes = start;
            op(planes, {});
            op(planes, {});
            expectSamePlanes(planes, start, std::to_string(w) + "x" + std::to_string(h));
        }
}

struct PixelCase {
    int x, y;
    std::uint8_t expected;
};

// Picture 30 × 26: W − 12 = 18, H − 12 = 14.
void expectBevelPixels(std::uint8_t background, int times, const std::vector<PixelCase>& cases) {
    ColorPlanes planes = uniform(30, 26, background);
    for (int i = 0; i < times; ++i) BevelFrame(planes, {});
    for (const PixelCase& c : cases) {
        const std::string where = std::to_string(c.x) + "," + std::to_string(c.y);
        EXPECT_EQ(planes.R[c.y][c.x], c.expected) << where;
        EXPECT_EQ(planes.G[c.y][c.x], c.expected) << where;
        EXPECT_EQ(planes.B[c.y][c.x], c.expected) << where;
    }
}

TEST(BevelFrame, OnWhiteDarkensTopAndLeftAndLeavesTheRest) {
    expectBevelPixels(255, 1,
                      {
                          {0, 0, 105},    {5, 5, 105},   {11, 11, 105},  // top-left diagonal: darkened twice
                          {1, 0, 180},    {29, 0, 180},  {17, 11, 180},  // top band
                          {0, 1, 180},    {0, 25, 180},  {11, 14, 180},  // left band
                          {12, 12, 255},  {15, 13, 255}, {17, 13, 255},  // interior
                          {28, 1, 180},   {29, 1, 255},                  // top-right anti-diagonal split
                          {1, 24, 180},   {1, 25, 255},                  // bottom-left split
                          {20, 25, 255},  {29, 20, 255}, {29, 25, 255},  // bottom, right, corner
                      });
}

TEST(BevelFrame, OnBlackLightensBottomAndRightExceptTheirDiagonal) {
    expectBevelPixels(0, 1,
                      {
                          {0, 0, 0},     {5, 0, 0},    {0, 5, 0},     // top, left: stay 0
                          {1, 25, 75},   {20, 25, 75}, {15, 14, 75},  // bottom band
                          {29, 1, 75},   {29, 24, 75}, {18, 12, 75},  // right band
                          {29, 25, 0},   {28, 24, 0},  {18, 14, 0},   // bottom-right diagonal
                          {27, 24, 75},  {28, 23, 75},                // beside the diagonal
                          {29, 0, 0},    {0, 25, 0},                  // corners of the dark bands
                          {17, 13, 0},                                // interior
                      });
}

TEST(BevelFrame, TwiceOnWhiteDarkensFurtherAndStopsAtZero) {
    expectBevelPixels(255, 2, {{5, 0, 105}, {0, 5, 105}, {0, 0, 0}, {11, 11, 0}, {20, 25, 255}, {15, 15, 255}});
}

TEST(BevelFrame, SinglePixelIsDarkenedByTheTopAndLeftBandsOnly) {
    // Top band row 0 and left band column 0 both cover (0, 0); the bottom and right bands start
    // at x = 1 and y = 1 there.
    for (auto [before, after] : {std::pair<int, int>{200, 50}, {100, 0}, {0, 0}, {255, 105}}) {
        ColorPlanes planes = uniform(1, 1, static_cast<std::uint8_t>(before));
        BevelFrame(planes, {});
        EXPECT_EQ(planes.R[0][0], after) << before;
        EXPECT_EQ(planes.B[0][0], after) << before;
    }
}

TEST(Transforms, ReportEveryRowOnceInOrder) {
    for (const Pair& op : kOperations)
        for (auto [w, h] : {std::pair{1, 1}, std::pair{3, 5}, std::pair{4, 6}, std::pair{13, 14}}) {
            ColorPlanes planes = patterned(w, h);
            std::vector<int> rows;
            op.fast(planes, [&](int row) { rows.push_back(row); });
            std::vector<int> expected(static_cast<std::size_t>(h));
            for (int y = 0; y < h; ++y) expected[static_cast<std::size_t>(y)] = y;
            EXPECT_EQ(rows, expected) << op.name << " " << w << "x" << h;
        }
}

}  // namespace
}  // namespace veltrane
