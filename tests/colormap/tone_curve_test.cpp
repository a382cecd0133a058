// The tone curve: tables from control points, the tone rule on the planes, the curve box and
// the value bars, byte for byte.
#include "colormap/tone_curve.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

struct Entry {
    int input;
    int value;
};

TEST(ToneCurve, TableFromPoints) {
    struct Point {
        int x, y;
        bool pressed;  // through the press path, which holds x and y within 0..254
    };
    struct Case {
        const char* what;
        std::vector<Point> points;
        std::vector<Entry> table;
    };
    const Case cases[] = {
        {"the two corners: identity", {}, {{0, 0}, {1, 1}, {64, 64}, {200, 200}, {255, 255}}},
        // (0, 0)–(128, 255): x × 255 / 128, then flat at 255.
        {"press at the top of column 128", {{128, 0, true}}, {{0, 0}, {1, 1}, {64, 127}, {127, 253}, {128, 255}, {200, 255}, {255, 255}}},
        // (50, 255)–(200, 10) falls: 255 + (x − 50) × −245 / 150 truncates toward zero, so
        // input 51 gives 254 (flooring would give 253); (200, 10)–(255, 255) rises again.
        {"falling line truncates toward zero",
         {{50, 0, false}, {200, 245, false}},
         {{0, 0}, {25, 127}, {50, 255}, {51, 254}, {125, 133}, {199, 12}, {200, 10}, {201, 14}, {254, 250}, {255, 255}}},
        {"a second press at one x replaces the first", {{128, 0, true}, {128, 191, true}}, {{64, 32}, {128, 64}, {255, 255}}},
        // x 300 → 254, y −5 → 0: the point (254, 255); the corner 255 stays.
        {"press beyond the right and above the top", {{300, -5, true}}, {{127, 127}, {253, 253}, {254, 255}, {255, 255}}},
        // x −3 → 0, y 400 → 254: the corner at 0 becomes value 1.
        {"press beyond the left and below the bottom", {{-3, 400, true}}, {{0, 1}, {1, 1}, {2, 2}, {255, 255}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ToneCurve curve;
        for (const Point& p : c.points) {
            if (p.pressed)
                curve.AddPressedPoint(p.x, p.y);
            else
                curve.AddTonePoint(p.x, p.y);
        }
        for (const Entry& e : c.table) EXPECT_EQ(curve.toneTable()[e.input], e.value) << "input " << e.input;
        EXPECT_TRUE(curve.pointSet()[0]);
        EXPECT_TRUE(curve.pointSet()[255]);
        EXPECT_EQ(curve.pointValue()[255], 255) << "no press reaches the corner at 255";
    }
}

TEST(ToneCurve, PressMakesInput64ComeOut128AndResetForgetsEveryPoint) {
    ToneCurve curve;
    curve.AddPressedPoint(128, 0);
    EXPECT_EQ(curve.pointValue()[128], 255);
    EXPECT_TRUE(curve.pointSet()[128]);
    const ByteTable out = curve.outputTable();
    EXPECT_EQ(out[64], 128);
    EXPECT_EQ(out[0], 255);
    for (int v = 128; v < 256; ++v) EXPECT_EQ(out[v], 0) << v;

    curve.reset();
    int points = 0;
    for (bool set : curve.pointSet()) points += set;
    EXPECT_EQ(points, 2);
    for (int v = 0; v < 256; ++v) EXPECT_EQ(curve.toneTable()[v], v);
}

TEST(ToneCurve, RuleChangesTheChosenChannelsOnly) {
    // 3 × 2, odd width: the tail of every row goes through the byte-at-a-time path.
    const ColorPlanes before = test::picture(3, 2, {{0, 64, 255}, {10, 20, 30}, {128, 1, 200},
                                                    {255, 255, 255}, {0, 0, 0}, {64, 127, 128}});
    ToneCurve curve;
    curve.AddPressedPoint(128, 0);  // 0 → 255, 1 → 254, 10 → 236, 20 → 216, 30 → 196, 64 → 128, 127 → 2, 128 up → 0
    const auto negated = [](std::uint8_t v) -> std::uint8_t {
        switch (v) {
        case 0: return 255;
        case 1: return 254;
        case 10: return 236;
        case 20: return 216;
        case 30: return 196;
        case 64: return 128;
        case 127: return 2;
        default: return v >= 128 ? 0 : 99;
        }
    };
    struct Case {
        ToneChannel channel;
        bool red, green, blue;
    };
    const Case cases[] = {{ToneChannel::All, true, true, true},    {ToneChannel::Red, true, false, false},
                          {ToneChannel::Green, false, true, false}, {ToneChannel::Blue, false, false, true},
                          {ToneChannel::None, false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.channel));
        ColorPlanes planes = before;
        std::vector<int> rows;
        applyToneRule(planes, curve, c.channel, [&rows](int row) { rows.push_back(row); });
        EXPECT_EQ(rows, (std::vector<int>{0, 1}));
        ColorPlanes expected = before;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                if (c.red) expected.R[y][x] = negated(before.R[y][x]);
                if (c.green) expected.G[y][x] = negated(before.G[y][x]);
                if (c.blue) expected.B[y][x] = negated(before.B[y][x]);
            }
        test::expectSamePlanes(planes, expected);
    }
}

TEST(ToneCurve, RuleWithTheCornersAloneGivesTheNegativeOfOnePixel) {
    ColorPlanes planes = test::picture(1, 1, {{255, 0, 100}});
    applyToneRule(planes, ToneCurve(), ToneChannel::All);
    test::expectSamePlanes(planes, test::picture(1, 1, {{0, 255, 155}}));
}

struct Colour {
    int r, g, b;
    bool operator==(const Colour&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Colour& c) { return out << "(" << c.r << ", " << c.g << ", " << c.b << ")"; }

Colour boxPixel(const Bitmap24& box, int x, int y) {
    const std::uint8_t* p = box.row(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

TEST(ToneCurve, CurveBoxShowsTheInputUpwardsUnderTheGrid) {
    const Colour black{0, 0, 0}, grey{128, 128, 128};
    struct Case {
        ToneChannel channel;
        bool pressed;
        Colour colour;
    };
    const Case cases[] = {{ToneChannel::All, false, {255, 255, 0}}, {ToneChannel::Red, true, {255, 0, 0}},
                          {ToneChannel::Green, true, {0, 255, 0}},  {ToneChannel::Blue, false, {0, 0, 255}},
                          {ToneChannel::None, true, black}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.channel));
        ToneCurve curve;
        if (c.pressed) curve.AddPressedPoint(128, 0);
        ToneCurveImages images;
        drawToneCurve(curve, c.channel, images);
        const Bitmap24 box = toneCurveBox(images);
        ASSERT_EQ(box.width(), 255);
        ASSERT_EQ(box.height(), 255);
        // Box row r is input 255 − r; the curve passes at column toneTable[input].
        int wrong = 0;
        for (int r = 0; r < 255; ++r)
            for (int col = 0; col < 255; ++col) {
                const bool grid = r == 63 || r == 127 || r == 191 || col == 64 || col == 128 || col == 192;
                const bool onCurve = col == curve.toneTable()[255 - r];
                const Colour expected = grid ? grey : onCurve ? c.colour : black;
                if (!(boxPixel(box, col, r) == expected)) ++wrong;
            }
        EXPECT_EQ(wrong, 0);
    }

    // By hand: with the press, input 32 has value 63, so box row 223 is lit at column 63;
    // inputs 128 and up all sit in column 255, which the box does not show.
    ToneCurve curve;
    curve.AddPressedPoint(128, 0);
    ToneCurveImages images;
    drawToneCurve(curve, ToneChannel::All, images);
    const Bitmap24 box = toneCurveBox(images);
    EXPECT_EQ(boxPixel(box, 63, 223), (Colour{255, 255, 0}));
    EXPECT_EQ(boxPixel(box, 62, 223), black);
    EXPECT_EQ(boxPixel(box, 254, 0), black);
    EXPECT_EQ(boxPixel(box, 128, 127), grey) << "the grid lies over the curve where they cross";
    EXPECT_EQ(boxPixel(box, 1, 254), (Colour{255, 255, 0})) << "the bottom row is input 1, value 1";
    EXPECT_EQ(boxPixel(box, 0, 254), black);
}

TEST(ToneCurve, ValueBarsInTheChannelsColour) {
    struct Case {
        ToneChannel channel;
        Colour at200;  // the colour of value 200
    };
    const Case cases[] = {{ToneChannel::All, {200, 200, 200}}, {ToneChannel::Red, {200, 0, 0}},
                          {ToneChannel::Green, {0, 200, 0}},   {ToneChannel::Blue, {0, 0, 200}},
                          {ToneChannel::None, {0, 0, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.channel));
        const Bitmap24 across = horizontalValueBar(c.channel);
        const Bitmap24 up = verticalValueBar(c.channel);
        ASSERT_EQ(across.width(), 255);
        ASSERT_EQ(across.height(), 18);
        ASSERT_EQ(up.width(), 18);
        ASSERT_EQ(up.height(), 255);
        for (int k = 0; k < 18; ++k) {
            EXPECT_EQ(boxPixel(across, 200, k), c.at200);
            EXPECT_EQ(boxPixel(up, k, 55), c.at200);
        }
        EXPECT_EQ(boxPixel(across, 0, 0), (Colour{0, 0, 0})) << "column 0 is value 0";
    }
}

}  // namespace
}  // namespace veltrane
