// The colour effects against the pixel rules written out plainly here, on the worked values of
// the rules, on every RGB triple, and on small and odd picture sizes.
#include "effects/color_effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::Rgb;

// ---- The plain per-pixel rules ----

std::uint8_t toByte(int value) {
    EXPECT_TRUE(value >= 0 && value <= 255) << value;
    return static_cast<std::uint8_t>(value);
}

Rgb rgb(int r, int g, int b) { return {toByte(r), toByte(g), toByte(b)}; }

int grey(Rgb p) { return (30 * p.r + 59 * p.g + 11 * p.b) / 100; }

int silverCurve(int v) {
    if (v <= 63) return 2 * v + 100;
    if (v <= 127) return 356 - 2 * v;
    if (v <= 191) return 2 * v - 129;
    return (610 - 2 * v) % 256;
}

int goldCurve(int v) {
    if (0 < v && v < 64) return 2 * v + 100;
    if (64 <= v && v <= 127) return 356 - 2 * v;
    if (128 <= v && v <= 191) return 2 * v - 129;
    return (610 - 2 * v) % 256;
}

Rgb neon(Rgb p) {
    int r = p.r, g = p.g, b = p.b;
    const int t = ((255 - r) + (255 - g) + (255 - b)) / 3;
    if (t <= 150) {
        const int v = t * 255 / 150;
        return rgb(v, v, v);
    }
    if (b == 0) b = 1;
    g = ((r / b) * 4 * t / 5) & 0xFF;
    b = r = (255 - t) * 9 / 5;
    return rgb(r, g, b);
}

Rgb referenceTint(int kind, Rgb p) {
    const int r = p.r, g = p.g, b = p.b, y = grey(p);
    switch (kind) {
        case 0: return rgb(r, 0, 0);
        case 1: return rgb(r, 0, b);
        case 2: return rgb(r, g / 2, 0);
        case 3: return rgb(r, g, 0);
        case 4: return rgb(r / 2, g, 0);
        case 5: return rgb(0, g, 0);
        case 6: return rgb(0, g, b);
        case 7: return rgb(0, 0, b);
        case 8: return rgb(r / 2, 0, b / 2);
        case 9: return rgb(std::min(240, y * 240 / 255), std::min(200, y * 200 / 255), std::min(145, y * 145 / 255));
        case 10: {
            const int f = silverCurve(y);
            return rgb(f, f, f);
        }
        case 11: {
            const int v = goldCurve(y);
            return rgb(v, v * 3 / 4, v / 4);
        }
        case 12: return rgb(std::min(255, r + 20), std::min(255, g + 5), std::max(0, b - 20));
        case 13: return rgb(std::max(0, r - 20), std::min(255, g + 5), std::min(255, b + 20));
        case 14: return neon(p);
    }
    ADD_FAILURE() << "no rule for kind " << kind;
    return p;
}

// One routine of the family with its plain rule.
struct Effect {
    std::string name;
    std::function<void(ColorPlanes&)> run;
    std::function<Rgb(Rgb)> rule;
};

std::vector<Effect> allEffects() {
    std::vector<Effect> effects;
    effects.push_back({"ToGray", [](ColorPlanes& p) { ToGray(p); }, [](Rgb p) {
                           const int y = grey(p);
                           return rgb(y, y, y);
                       }});
    effects.push_back({"Negate", [](ColorPlanes& p) { Negate(p); }, [](Rgb p) {
                           return rgb(255 - p.r, 255 - p.g, 255 - p.b);
                       }});
    for (int kind = 0; kind <= 14; ++kind)
        effects.push_back({"ColorTint" + std::to_string(kind), [kind](ColorPlanes& p) { ColorTint(p, kind); },
                           [kind](Rgb p) { return referenceTint(kind, p); }});
    return effects;
}

Rgb pixelAt(const ColorPlanes& planes, int y, int x) { return {planes.R[y][x], planes.G[y][x], planes.B[y][x]}; }

bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

std::string show(Rgb p) {
    std::ostringstream text;
    text << '(' << int{p.r} << ", " << int{p.g} << ", " << int{p.b} << ')';
    return text.str();
}

// Every pixel of `after` against the rule applied to the same pixel of `before`; reports the
// first difference and the count.
void expectRuleEverywhere(const ColorPlanes& before, const ColorPlanes& after, const std::function<Rgb(Rgb)>& rule) {
    ASSERT_EQ(after.width, before.width);
    ASSERT_EQ(after.height, before.height);
    std::int64_t wrong = 0;
    for (int y = 0; y < before.height; ++y)
        for (int x = 0; x < before.width; ++x) {
            const Rgb in = pixelAt(before, y, x);
            const Rgb want = rule(in);
            const Rgb got = pixelAt(after, y, x);
            if (!(got == want) && wrong++ == 0)
                ADD_FAILURE() << "at row " << y << ", column " << x << ": " << show(in) << " gave " << show(got)
                              << ", expected " << show(want);
        }
    EXPECT_EQ(wrong, 0);
}

ColorPlanes randomPicture(int w, int h, std::uint32_t seed) {
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    ColorPlanes planes(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            planes.R[y][x] = static_cast<std::uint8_t>(byte(engine));
            planes.G[y][x] = static_cast<std::uint8_t>(byte(engine));
            planes.B[y][x] = static_cast<std::uint8_t>(byte(engine));
        }
    return planes;
}

// ---- Worked values ----

struct WorkedCase {
    const char* what;
    std::function<void(ColorPlanes&)> run;
    Rgb in, out;
};

void tint(ColorPlanes& planes, int kind) { ColorTint(planes, kind); }

TEST(ColorEffects, WorkedValues) {
    const auto gray = [](ColorPlanes& p) { ToGray(p); };
    const auto negate = [](ColorPlanes& p) { Negate(p); };
    const auto kind = [](int k) { return std::function<void(ColorPlanes&)>([k](ColorPlanes& p) { tint(p, k); }); };
    const WorkedCase cases[] = {
        {"grey of red", gray, {255, 0, 0}, {76, 76, 76}},
        {"grey of green", gray, {0, 255, 0}, {150, 150, 150}},
        {"grey of blue", gray, {0, 0, 255}, {28, 28, 28}},
        {"grey of white", gray, {255, 255, 255}, {255, 255, 255}},
        {"grey of 128 grey stays 128", gray, {128, 128, 128}, {128, 128, 128}},
        {"negate", negate, {0, 100, 255}, {255, 155, 0}},
        {"red", kind(TintRed), {10, 20, 30}, {10, 0, 0}},
        {"pink", kind(TintPink), {10, 20, 30}, {10, 0, 30}},
        {"orange", kind(TintOrange), {200, 101, 50}, {200, 50, 0}},
        {"yellow", kind(TintYellow), {10, 20, 30}, {10, 20, 0}},
        {"yellow green halves odd R", kind(TintYellowGreen), {255, 20, 30}, {127, 20, 0}},
        {"green", kind(TintGreen), {10, 20, 30}, {0, 20, 0}},
        {"light blue", kind(TintLightBlue), {10, 20, 30}, {0, 20, 30}},
        {"blue", kind(TintBlue), {10, 20, 30}, {0, 0, 30}},
        {"purple", kind(TintPurple), {255, 20, 31}, {127, 0, 15}},
        {"sepia of white", kind(TintSepia), {255, 255, 255}, {240, 200, 145}},
        {"sepia of black", kind(TintSepia), {0, 0, 0}, {0, 0, 0}},
        // Y = 76: 76 × 240 / 255 = 71.5, 76 × 200 / 255 = 59.6, 76 × 145 / 255 = 43.2.
        {"sepia of red", kind(TintSepia), {255, 0, 0}, {71, 59, 43}},
        {"warmer clips at both ends", kind(TintWarmer), {250, 252, 10}, {255, 255, 0}},
        {"warmer inside the range", kind(TintWarmer), {100, 100, 100}, {120, 105, 80}},
        {"cooler clips at both ends", kind(TintCooler), {10, 252, 250}, {0, 255, 255}},
        {"cooler at the limits exactly", kind(TintCooler), {20, 250, 235}, {0, 255, 255}},
        {"silver 63", kind(TintSilver), {63, 63, 63}, {226, 226, 226}},
        {"silver 64", kind(TintSilver), {64, 64, 64}, {228, 228, 228}},
        {"silver 127", kind(TintSilver), {127, 127, 127}, {102, 102, 102}},
        {"silver 128", kind(TintSilver), {128, 128, 128}, {127, 127, 127}},
        {"silver 191", kind(TintSilver), {191, 191, 191}, {253, 253, 253}},
        {"silver 192", kind(TintSilver), {192, 192, 192}, {226, 226, 226}},
        {"silver 255", kind(TintSilver), {255, 255, 255}, {100, 100, 100}},
        {"silver of black", kind(TintSilver), {0, 0, 0}, {100, 100, 100}},
        {"silver reads the grey of a colour (Y 76)", kind(TintSilver), {255, 0, 0}, {204, 204, 204}},
        {"gold of black", kind(TintGold), {0, 0, 0}, {98, 73, 24}},
        {"gold of white", kind(TintGold), {255, 255, 255}, {100, 75, 25}},
        {"gold of grey 1", kind(TintGold), {1, 1, 1}, {102, 76, 25}},
        {"neon of white", kind(TintNeon), {255, 255, 255}, {0, 0, 0}},
        {"neon of 200 grey", kind(TintNeon), {200, 200, 200}, {93, 93, 93}},
        {"neon at t = 150", kind(TintNeon), {105, 105, 105}, {255, 255, 255}},
        {"neon of 100 grey", kind(TintNeon), {100, 100, 100}, {180, 124, 180}},
        {"neon keeps the low 8 bits of G", kind(TintNeon), {200, 50, 50}, {180, 240, 180}},
        {"neon of black raises B to 1", kind(TintNeon), {0, 0, 0}, {0, 0, 0}},
        // t = 170, B raised to 1: G = 255 × 4 × 170 / 5 = 34680, low byte 120; R = B = 85 × 9 / 5 = 153.
        {"neon of pure red", kind(TintNeon), {255, 0, 0}, {153, 120, 153}},
    };
    for (const WorkedCase& c : cases) {
        ColorPlanes planes = test::uniform(1, 1, c.in);
        c.run(planes);
        EXPECT_EQ(show(pixelAt(planes, 0, 0)), show(c.out)) << c.what;
    }
}

// ---- Every triple, every size ----

class EveryEffect : public ::testing::TestWithParam<int> {
protected:
    const Effect& effect() const {
        static const std::vector<Effect> effects = allEffects();
        return effects[static_cast<std::size_t>(GetParam())];
    }
};

// All 2^24 colours in one 4096 × 4096 picture: R from the row's high bits, G and B running along.
const ColorPlanes& everyTriple() {
    static const ColorPlanes planes = [] {
        ColorPlanes p(4096, 4096);
        for (int y = 0; y < 4096; ++y)
            for (int x = 0; x < 4096; ++x) {
                const int i = y * 4096 + x;
                p.R[y][x] = static_cast<std::uint8_t>(i >> 16);
                p.G[y][x] = static_cast<std::uint8_t>(i >> 8);
                p.B[y][x] = static_cast<std::uint8_t>(i);
            }
        return p;
    }();
    return planes;
}

TEST_P(EveryEffect, FollowsItsRuleForEveryColour) {
    const ColorPlanes& before = everyTriple();
    ColorPlanes after = before;
    effect().run(after);
    expectRuleEverywhere(before, after, effect().rule);
}

// Every size up to 10 × 10, the long and thin ones, odd sizes and a row wider than the routines'
// working chunk: the vector loops' tails and every column must follow the rule, and nothing
// outside the planes is touched (checked by the sanitizer builds).
TEST_P(EveryEffect, FollowsItsRuleOnEverySize) {
    std::vector<std::pair<int, int>> sizes = {{0, 0}, {0, 3}, {3, 0}, {1, 9}, {9, 1}, {17, 13}, {193, 67}, {2053, 3}};
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) sizes.emplace_back(w, h);
    std::uint32_t seed = 1;
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const ColorPlanes before = randomPicture(w, h, seed++);
        ColorPlanes after = before;
        effect().run(after);
        expectRuleEverywhere(before, after, effect().rule);
    }
}

INSTANTIATE_TEST_SUITE_P(ColorEffects, EveryEffect, ::testing::Range(0, 17),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return allEffects()[static_cast<std::size_t>(info.param)].name;
                         });

// ---- Progress ----

// ColorTint reports each row once, in order, when that row is final and the next is untouched.
TEST(ColorEffects, TintReportsEachFinishedRowInOrder) {
    const ColorPlanes before = randomPicture(7, 5, 42);
    for (int kind = 0; kind <= 14; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        ColorPlanes planes = before;
        std::vector<int> rows;
        ColorTint(planes, kind, [&](int row) {
            rows.push_back(row);
            for (int x = 0; x < planes.width; ++x) {
                EXPECT_EQ(show(pixelAt(planes, row, x)), show(referenceTint(kind, pixelAt(before, row, x))));
                if (row + 1 < planes.height) {
                    EXPECT_EQ(show(pixelAt(planes, row + 1, x)), show(pixelAt(before, row + 1, x)));
                }
            }
        });
        EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3, 4}));
    }
}

TEST(ColorEffects, TintOfAnUnknownKindChangesAndReportsNothing) {
    const ColorPlanes before = randomPicture(4, 3, 7);
    for (int kind : {-1, 15, 100}) {
        ColorPlanes planes = before;
        int calls = 0;
        ColorTint(planes, kind, [&](int) { ++calls; });
        EXPECT_EQ(calls, 0);
        EXPECT_EQ(test::bytes(planes.R), test::bytes(before.R));
        EXPECT_EQ(test::bytes(planes.G), test::bytes(before.G));
        EXPECT_EQ(test::bytes(planes.B), test::bytes(before.B));
    }
}

TEST(ColorEffects, NegateTwiceRestoresThePicture) {
    const ColorPlanes before = randomPicture(193, 67, 3);
    ColorPlanes planes = before;
    Negate(planes);
    EXPECT_NE(test::bytes(planes.R), test::bytes(before.R));
    Negate(planes);
    EXPECT_EQ(test::bytes(planes.R), test::bytes(before.R));
    EXPECT_EQ(test::bytes(planes.G), test::bytes(before.G));
    EXPECT_EQ(test::bytes(planes.B), test::bytes(before.B));
}

}  // namespace
}  // namespace veltrane
