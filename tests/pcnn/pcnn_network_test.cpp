#include "pcnn/pcnn_network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/letterbox.h"
#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::Rgb;

constexpr int kSide = PcnnNetwork::kSide;

PcnnParameters luminance(int pair = 0, int passes = 20) {
    PcnnParameters p;
    p.colourPair = pair;
    p.passes = passes;
    return p;
}

PcnnParameters rgb(int passes = 20) {
    PcnnParameters p;
    p.input = PcnnInput::Rgb;
    p.passes = passes;
    return p;
}

ColorPlanes boxed(int w, int h, Rgb colour) {
    return buildLetterbox(test::uniform(w, h, colour), letterboxGeometry(w, h, kSide));
}

// The network is 8 MB: tests keep it on the heap.
std::unique_ptr<PcnnNetwork> startedNetwork(const ColorPlanes& source, const PcnnParameters& parameters) {
    auto network = std::make_unique<PcnnNetwork>();
    network->ResetNetwork();
    network->StartRun(source, parameters);
    return network;
}

bool fired(const PcnnNetwork& network, int c, int y, int x) { return network.pulse(c, y + 1, x + 1) == 1; }

TEST(PcnnNetwork, DecayFactorsArePowersOfBase2718) {
    EXPECT_NEAR(kPcnnLinkDecay, 0.3985570574, 1e-10);
    EXPECT_NEAR(kPcnnFeedDecay, 0.1999209844, 1e-10);
    EXPECT_NEAR(kPcnnThresholdDecay, 0.5915875661, 1e-10);
    EXPECT_GT(std::abs(kPcnnThresholdDecay - std::exp(-0.525)), 3e-5);
}

TEST(PcnnNetwork, StimulusFromLuminanceOrChannels) {
    struct Case {
        Rgb colour;
        double luminance, red, green, blue;
    };
    for (const Case& c : std::vector<Case>{
             {{255, 255, 255}, 1.0, 1.0, 1.0, 1.0},
             {{100, 0, 0}, 3000.0 / 25500, 100.0 / 255, 0, 0},
             {{0, 0, 1}, 11.0 / 25500, 0, 0, 1.0 / 255},
             {{0, 0, 0}, 0, 0, 0, 0},
             {{10, 20, 30}, 1810.0 / 25500, 10.0 / 255, 20.0 / 255, 30.0 / 255}}) {
        const ColorPlanes source = test::uniform(kSide, kSide, c.colour);
        auto network = startedNetwork(source, luminance());
        EXPECT_NEAR(network->stimulus(0, 17, 200), c.luminance, 1e-15);
        EXPECT_EQ(network->stimulus(1, 17, 200), 0.0) << "luminance input leaves green alone";
        network->StartRun(source, rgb());
        EXPECT_NEAR(network->stimulus(0, 17, 200), c.red, 1e-15);
        EXPECT_NEAR(network->stimulus(1, 17, 200), c.green, 1e-15);
        EXPECT_NEAR(network->stimulus(2, 17, 200), c.blue, 1e-15);
    }
}

// A pixel inside a white picture: every neighbour fires with it, so n = 1 from pass 2 on.
// With "中" the pixel rests in pass 4; with "大" it keeps firing.
TEST(PcnnNetwork, WhitePixelFollowsTheWorkedValues) {
    struct Step {
        double L, F, U, T;
        bool fired;
    };
    struct Run {
        PcnnChange change;
        std::vector<Step> steps;
    };
    const std::vector<Run> runs = {
        {PcnnChange::Medium,
         {{0.0, 1.0, 1.0, 2.0, true},
          {1.0, 2.1999209844348586, 2.8598972797653164, 3.1831751322225674, true},
          {1.3985570574414383, 2.4398103688871204, 3.463474571954885, 3.8831268289775127, true},
          {1.5574047854778161, 2.487769290782289, 3.650108430371016, 2.2972095496562344, false}}},
        {PcnnChange::Large,
         {{0.0, 1.0, 1.0, 1.5, true},
          {1.0, 2.1999209844348586, 3.299881476652288, 2.387381349166926, true},
          {1.3985570574414383, 2.4398103688871204, 4.145917374000061, 2.912345121733135, true},
          {1.5574047854778161, 2.487769290782289, 4.425001190096834, 3.222907162242176, true}}},
    };
    for (const Run& run : runs) {
        PcnnParameters parameters = luminance();
        const PcnnStrength strength = pcnnStrength(run.change);
        parameters.beta = strength.beta;
        parameters.thresholdStep = strength.thresholdStep;
        auto network = startedNetwork(test::uniform(kSide, kSide, {255, 255, 255}), parameters);
        ColorPlanes out(kSide, kSide);
        for (std::size_t k = 0; k < run.steps.size(); ++k) {
            network->Pass(out);
            const Step& s = run.steps[k];
            const std::string where = "beta " + std::to_string(strength.beta) + " pass " + std::to_string(k + 1);
            EXPECT_NEAR(network->link(0, 128, 128), s.L, 1e-12) << where;
            EXPECT_NEAR(network->feed(0, 128, 128), s.F, 1e-12) << where;
            EXPECT_NEAR(network->activity(0, 128, 128), s.U, 1e-12) << where;
            EXPECT_NEAR(network->threshold(0, 128, 128), s.T, 1e-12) << where;
            EXPECT_EQ(fired(*network, 0, 128, 128), s.fired) << where;
            EXPECT_EQ(out.R[128][128], s.fired ? 255 : 0) << where;
        }
    }
}

// Left half a barely lit red (stimulus 30 / 25500), right half black: the first pass fires the
// left half only, painted in each colour pair, in planes and in the work bitmap alike.
TEST(PcnnNetwork, FirstPassPaintsEveryColourPair) {
    ColorPlanes source(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide / 2; ++x) source.R[y][x] = 1;
    for (int pair = 0; pair < static_cast<int>(kPcnnColourPairs.size()); ++pair) {
        const PcnnColourPair& colours = kPcnnColourPairs[static_cast<std::size_t>(pair)];
        auto network = startedNetwork(source, luminance(pair));
        auto copy = std::make_unique<PcnnNetwork>(*network);
        ColorPlanes planes(kSide, kSide);
        Bitmap24 bitmap(kSide, kSide);
        network->Pass(planes);
        copy->Pass(bitmap);
        for (int y : {0, 77, 255})
            for (int x : {0, 127, 128, 255}) {
                const PcnnRgb& want = x < 128 ? colours.fired : colours.notFired;
                const std::string where = std::string(colours.item) + " " + std::to_string(y) + "," + std::to_string(x);
                EXPECT_EQ(planes.R[y][x], want.r) << where;
                EXPECT_EQ(planes.G[y][x], want.g) << where;
                EXPECT_EQ(planes.B[y][x], want.b) << where;
                const std::uint8_t* px = bitmap.row(y) + 3 * x;
                EXPECT_EQ(px[0], want.b) << where;
                EXPECT_EQ(px[1], want.g) << where;
                EXPECT_EQ(px[2], want.r) << where;
            }
    }
}

// A 512 × 256 white picture sits between bands 64 rows high. The picture fires in the first
// pass; each band row fires for the first time one pass after the row next to it inward.
TEST(PcnnNetwork, BlackBandsFillOneRowPerPass) {
    const ColorPlanes source = boxed(512, 256, {255, 255, 255});
    ASSERT_EQ(source.R[63][10], 0);
    ASSERT_EQ(source.R[64][10], 255);
    ASSERT_EQ(source.R[191][10], 255);
    ASSERT_EQ(source.R[192][10], 0);
    const int passes = 30;
    auto network = startedNetwork(source, luminance(0, passes));
    Bitmap24 out(kSide, kSide);
    std::vector<int> firstFire(kSide, 0);
    for (int k = 1; k <= passes; ++k) {
        network->Pass(out);
        for (int y = 0; y < kSide; ++y) {
            const bool rowFired = fired(*network, 0, y, 0);
            for (int x = 1; x < kSide; ++x)
                ASSERT_EQ(fired(*network, 0, y, x), rowFired) << "row " << y << " not uniform after pass " << k;
            if (rowFired && firstFire[static_cast<std::size_t>(y)] == 0) firstFire[static_cast<std::size_t>(y)] = k;
        }
        if (k == 1) {
            EXPECT_EQ(out.row(63)[0], 0);
            EXPECT_EQ(out.row(64)[0], 255);
            EXPECT_EQ(out.row(191)[765], 255);
            EXPECT_EQ(out.row(192)[765], 0);
        }
    }
    for (int y = 0; y < kSide; ++y) {
        const int distance = y < 64 ? 64 - y : y > 191 ? y - 191 : 0;
        const int expected = distance == 0 ? 1 : distance + 1 <= passes ? distance + 1 : 0;
        EXPECT_EQ(firstFire[static_cast<std::size_t>(y)], expected) << "row " << y;
    }
}

// The first sweep reads only the previous pass's pulses: in pass 2 the eight neighbours of a
// lone lit pixel fire and nothing farther out does, even after them in row order.
TEST(PcnnNetwork, PulsesSpreadOneRingPerPass) {
    ColorPlanes source(kSide, kSide);
    source.R[100][100] = source.G[100][100] = source.B[100][100] = 255;
    auto network = startedNetwork(source, luminance());
    ColorPlanes out(kSide, kSide);
    network->Pass(out);
    network->Pass(out);
    for (int y = 96; y <= 104; ++y)
        for (int x = 96; x <= 104; ++x) {
            const bool neighbour = std::abs(y - 100) <= 1 && std::abs(x - 100) <= 1 && !(y == 100 && x == 100);
            EXPECT_EQ(fired(*network, 0, y, x), neighbour) << y << "," << x;
        }
    // The centre's threshold is V after pass 1 and its activity 1.4499… × (1 + 0.3 × 0.25) stays below it.
    EXPECT_NEAR(network->threshold(0, 100, 100), 2.0 * kPcnnThresholdDecay, 1e-15);
}

// The border copy stops at column 256: cells [0][257] and [257][257] stay 0, so the right-hand
// corner pixels see one 0.25 less than the left-hand ones in a picture that fires everywhere.
TEST(PcnnNetwork, RightHandBorderCornersStayZero) {
    auto network = startedNetwork(test::uniform(kSide, kSide, {255, 255, 255}), luminance());
    ColorPlanes out(kSide, kSide);
    network->Pass(out);
    EXPECT_EQ(network->pulse(0, 0, 0), 1);
    EXPECT_EQ(network->pulse(0, 257, 0), 1);
    EXPECT_EQ(network->pulse(0, 0, 256), 1);
    EXPECT_EQ(network->pulse(0, 128, 257), 1);
    EXPECT_EQ(network->pulse(0, 0, 257), 0);
    EXPECT_EQ(network->pulse(0, 257, 257), 0);
    network->Pass(out);
    EXPECT_EQ(network->link(0, 0, 0), 1.0);
    EXPECT_EQ(network->link(0, 255, 0), 1.0);
    EXPECT_EQ(network->link(0, 0, 255), 0.9375);
    EXPECT_EQ(network->link(0, 255, 255), 0.9375);
    EXPECT_EQ(network->link(0, 128, 255), 1.0);
    for (int k = 0; k < 10; ++k) network->Pass(out);
    EXPECT_EQ(network->pulse(0, 0, 257), 0);
    EXPECT_EQ(network->pulse(0, 257, 257), 0);
}

// Eight column blocks, one per combination of lit channels: RGB input fires each channel on its
// own, and every pixel of every pass is one of the eight colours.
TEST(PcnnNetwork, RgbModeGivesEightColours) {
    ColorPlanes source(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const int combo = x / 32;
            source.R[y][x] = (combo & 1) ? 200 : 0;
            source.G[y][x] = (combo & 2) ? 1 : 0;
            source.B[y][x] = (combo & 4) ? 90 : 0;
        }
    PcnnParameters parameters = rgb();
    parameters.colourPair = 6;  // not read in RGB mode
    auto network = startedNetwork(source, parameters);
    Bitmap24 out(kSide, kSide);
    network->Pass(out);
    for (int combo = 0; combo < 8; ++combo) {
        const std::uint8_t* px = out.row(40) + 3 * (combo * 32 + 5);
        EXPECT_EQ(px[2], (combo & 1) ? 255 : 0) << combo;
        EXPECT_EQ(px[1], (combo & 2) ? 255 : 0) << combo;
        EXPECT_EQ(px[0], (combo & 4) ? 255 : 0) << combo;
    }
    for (int k = 0; k < 8; ++k) network->Pass(out);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < 3 * kSide; ++x) ASSERT_TRUE(out.row(y)[x] == 0 || out.row(y)[x] == 255) << y << "," << x;
}

TEST(PcnnNetwork, RgbRunKeepsTheLastColourPair) {
    const ColorPlanes source = test::uniform(kSide, kSide, {1, 2, 3});
    auto network = startedNetwork(source, luminance(6));
    PcnnParameters parameters = rgb();
    parameters.colourPair = 99;
    network->StartRun(source, parameters);
    EXPECT_EQ(network->parameters().colourPair, 6);
    EXPECT_EQ(network->parameters().input, PcnnInput::Rgb);
    network->StartRun(source, luminance(3));
    EXPECT_EQ(network->parameters().colourPair, 3);
}

TEST(PcnnNetwork, ResetClearsFieldsAndBorders) {
    auto network = startedNetwork(test::uniform(kSide, kSide, {200, 100, 50}), rgb());
    ColorPlanes out(kSide, kSide);
    network->Pass(out);
    ASSERT_EQ(network->pulse(2, 0, 0), 1);
    network->Pass(out);
    ASSERT_GT(network->threshold(2, 7, 7), 0.0);
    network->ResetNetwork();
    for (int c = 0; c < PcnnNetwork::kChannels; ++c) {
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                ASSERT_EQ(network->stimulus(c, y, x), 0.0);
                ASSERT_EQ(network->feed(c, y, x), 0.0);
                ASSERT_EQ(network->link(c, y, x), 0.0);
                ASSERT_EQ(network->activity(c, y, x), 0.0);
                ASSERT_EQ(network->threshold(c, y, x), 0.0);
            }
        for (int r = 0; r < PcnnNetwork::kPulseSide; ++r)
            for (int col = 0; col < PcnnNetwork::kPulseSide; ++col) ASSERT_EQ(network->pulse(c, r, col), 0);
    }
}

TEST(PcnnNetwork, PassReportsProgressAndEndsAtN) {
    auto network = std::make_unique<PcnnNetwork>();
    EXPECT_FALSE(network->running());
    network->ResetNetwork();
    network->StartRun(test::uniform(kSide, kSide, {9, 9, 9}), luminance(0, 10));
    EXPECT_TRUE(network->running());
    EXPECT_EQ(network->passesDone(), 0);
    Bitmap24 out(kSide, kSide);
    std::vector<int> bars;
    for (int k = 0; k < 10; ++k) {
        const PcnnPassReport report = network->Pass(out);
        bars.push_back(report.progress);
        EXPECT_EQ(report.passNumber, k + 1);
        EXPECT_EQ(report.last, k == 9);
        EXPECT_EQ(network->passesDone(), k + 1);
    }
    EXPECT_EQ(bars, std::vector<int>({0, 11, 22, 33, 44, 55, 66, 77, 88, 100}));
    network->EndRun();
    EXPECT_FALSE(network->running());
    EXPECT_EQ(network->passesDone(), 0);
}

TEST(PcnnNetwork, BadSizesAndParametersThrowAndChangeNothing) {
    auto network = startedNetwork(test::uniform(kSide, kSide, {255, 255, 255}), luminance(2, 10));
    ColorPlanes out(kSide, kSide);
    network->Pass(out);
    const PcnnNetwork before = *network;

    struct Case {
        const char* what;
        std::function<void(PcnnNetwork&)> call;
    };
    ColorPlanes narrowPlanes(kSide - 1, kSide);
    Bitmap24 lowBitmap(kSide, kSide - 1);
    const std::vector<Case> cases = {
        {"source 255 wide", [](PcnnNetwork& n) { n.StartRun(ColorPlanes(kSide - 1, kSide), luminance()); }},
        {"empty source", [](PcnnNetwork& n) { n.StartRun(ColorPlanes(), luminance()); }},
        {"pair 7", [](PcnnNetwork& n) { n.StartRun(ColorPlanes(kSide, kSide), luminance(7)); }},
        {"pair -1", [](PcnnNetwork& n) { n.StartRun(ColorPlanes(kSide, kSide), luminance(-1)); }},
        {"no passes", [](PcnnNetwork& n) { n.StartRun(ColorPlanes(kSide, kSide), luminance(0, 0)); }},
        {"narrow planes", [&](PcnnNetwork& n) { n.Pass(narrowPlanes); }},
        {"low bitmap", [&](PcnnNetwork& n) { n.Pass(lowBitmap); }},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(c.call(*network), std::invalid_argument) << c.what;
        EXPECT_EQ(network->passesDone(), 1) << c.what;
        EXPECT_EQ(network->parameters().colourPair, 2) << c.what;
        EXPECT_EQ(network->parameters().passes, 10) << c.what;
        EXPECT_EQ(network->stimulus(0, 5, 5), before.stimulus(0, 5, 5)) << c.what;
        EXPECT_EQ(network->threshold(0, 5, 5), before.threshold(0, 5, 5)) << c.what;
        EXPECT_EQ(network->pulse(0, 6, 6), before.pulse(0, 6, 6)) << c.what;
    }
}

// Extreme shapes letterbox to a valid source; the first pass fires exactly the lit cells.
TEST(PcnnNetwork, ExtremePictureShapesRun) {
    struct Case {
        int w, h;
    };
    for (const Case& c : std::vector<Case>{{1, 1}, {1, 30000}, {30000, 1}, {2, 1}}) {
        const ColorPlanes source = boxed(c.w, c.h, {40, 80, 120});
        auto network = startedNetwork(source, luminance(4, 10));
        Bitmap24 out(kSide, kSide);
        network->Pass(out);
        int lit = 0;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const bool on = source.R[y][x] != 0;
                lit += on;
                ASSERT_EQ(fired(*network, 0, y, x), on) << c.w << "x" << c.h << " " << y << "," << x;
                ASSERT_EQ(out.row(y)[3 * x], on ? 255 : 0);
            }
        EXPECT_GT(lit, 0) << c.w << "x" << c.h;
        for (int k = 1; k < 10; ++k) network->Pass(out);
        EXPECT_EQ(network->passesDone(), 10);
    }
}

}  // namespace
}  // namespace veltrane
