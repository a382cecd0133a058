// Binarise, contrast, gamma and posterise: exact bytes from hand computation.
#include <gtest/gtest.h>

#include <string>

#include "adjust/adjust_fixtures.h"
#include "adjust/adjustments.h"

namespace veltrane {
namespace {

using testing::at;
using testing::Px;
using testing::single;
using testing::wholeArea;

const char* name(ChannelChoice c) {
    switch (c) {
        case ChannelChoice::All: return "all";
        case ChannelChoice::Red: return "red";
        case ChannelChoice::Green: return "green";
        case ChannelChoice::Blue: return "blue";
    }
    return "?";
}

// ---- binarise ---------------------------------------------------------------------------------

struct BinariseCase {
    ChannelChoice choice;
    int threshold;
    Px in, out;
};

TEST(Binarise, PreviewAndFinalFollowTheMeanRule) {
    using C = ChannelChoice;
    const BinariseCase cases[] = {
        {C::All, 128, {129, 129, 129}, {255, 255, 255}},
        {C::All, 128, {128, 128, 128}, {0, 0, 0}},        // mean equal to T gives black
        {C::All, 128, {130, 128, 127}, {0, 0, 0}},        // 385 div 3 = 128
        {C::All, 128, {130, 129, 128}, {255, 255, 255}},  // 387 div 3 = 129
        {C::All, 255, {255, 255, 255}, {0, 0, 0}},        // T = 255: everything black
        {C::All, 0, {1, 0, 0}, {0, 0, 0}},                // 1 div 3 = 0
        {C::All, 0, {1, 1, 1}, {255, 255, 255}},
        {C::Red, 128, {200, 10, 20}, {200, 0, 0}},
        {C::Red, 128, {50, 200, 220}, {50, 255, 255}},
        {C::Red, 128, {7, 130, 127}, {7, 0, 0}},       // 257 div 2 = 128
        {C::Red, 128, {7, 130, 128}, {7, 255, 255}},   // 258 div 2 = 129
        {C::Red, 0, {255, 0, 0}, {255, 0, 0}},         // red itself is never thresholded
        {C::Green, 100, {101, 50, 101}, {255, 50, 255}},
        {C::Green, 100, {101, 50, 100}, {0, 50, 0}},   // 201 div 2 = 100
        {C::Blue, 100, {100, 102, 9}, {255, 255, 9}},
        {C::Blue, 100, {100, 101, 9}, {0, 0, 9}},
    };
    for (const BinariseCase& c : cases) {
        const std::string what = std::string(name(c.choice)) + " T=" + std::to_string(c.threshold) + " in " +
                                 std::to_string(c.in[0]) + "," + std::to_string(c.in[1]) + "," + std::to_string(c.in[2]);
        ColorPlanes preview = single(c.in);
        binarisePreview(preview, wholeArea(preview), c.threshold, c.choice);
        EXPECT_EQ(at(preview, 0, 0), c.out) << "preview " << what;
        ColorPlanes final = single(c.in);
        binariseFinal(final, c.threshold, c.choice);
        EXPECT_EQ(at(final, 0, 0), c.out) << "final " << what;
    }
}

// ---- contrast ---------------------------------------------------------------------------------

struct ContrastCase {
    int p;
    ChannelChoice choice;
    Px in, preview, final;
};

TEST(Contrast, PreviewReadsTheSourceAndFinalWorksInPlace) {
    using C = ChannelChoice;
    // At p = 30 the sums are (10R + G + B) / 7 and so on.
    const ContrastCase cases[] = {
        {30, C::All, {10, 20, 30}, {21, 34, 47}, {21, 35, 50}},
        // b = 0 at p = 35: no channel depends on another.
        {35, C::All, {100, 50, 0}, {150, 75, 0}, {150, 75, 0}},
        // Clamped, not wrapped: white would otherwise come out as 437 mod 256 = 181.
        {30, C::All, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
        {70, C::All, {0, 255, 255}, {0, 255, 255}, {0, 255, 255}},  // red −510 gives 0
        // The final green reads the stored (clamped) red 255, not the sum 301.
        {30, C::All, {200, 100, 10}, {255, 172, 57}, {255, 180, 76}},
        {30, C::Red, {10, 20, 30}, {21, 20, 30}, {21, 20, 30}},
        {30, C::Green, {10, 20, 30}, {10, 34, 30}, {10, 34, 30}},
        {30, C::Blue, {10, 20, 30}, {10, 20, 47}, {10, 20, 47}},
        {20, C::All, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        // Whole-number sums: the weights carry the rounding of the extended constants 1/70 and
        // 2/70, which puts some sums just below the whole number and others just above.
        // Exact values 3, 2, 3, 21, 6 give 2, 1, 2, 21, 6 (all-double weights: 3, 2, 3, 20, 5).
        {20, C::Red, {0, 1, 6}, {2, 1, 6}, {2, 1, 6}},
        {30, C::Red, {0, 1, 13}, {1, 1, 13}, {1, 1, 13}},
        {50, C::Red, {3, 0, 5}, {2, 0, 5}, {2, 0, 5}},
        {20, C::Red, {2, 42, 1}, {21, 42, 1}, {21, 42, 1}},
        {50, C::Red, {6, 5, 5}, {6, 5, 5}, {6, 5, 5}},
    };
    for (const ContrastCase& c : cases) {
        const std::string what = std::string(name(c.choice)) + " p=" + std::to_string(c.p) + " in " +
                                 std::to_string(c.in[0]) + "," + std::to_string(c.in[1]) + "," + std::to_string(c.in[2]);
        const ColorPlanes source = single(c.in);
        ColorPlanes result = single(c.in);
        contrastPreview(source, result, wholeArea(result), c.p, c.choice);
        EXPECT_EQ(at(result, 0, 0), c.preview) << "preview " << what;
        ColorPlanes final = single(c.in);
        contrastFinal(final, c.p, c.choice);
        EXPECT_EQ(at(final, 0, 0), c.final) << "final " << what;
    }
}

TEST(Contrast, PreviewInputsComeFromTheSourcePlanes) {
    // The result planes hold something else; channels not recomputed keep the result's bytes.
    const ColorPlanes source = single({10, 20, 30});
    ColorPlanes result = single({99, 98, 97});
    contrastPreview(source, result, wholeArea(result), 30, ChannelChoice::Green);
    EXPECT_EQ(at(result, 0, 0), (Px{99, 34, 97}));
}

// ---- gamma ------------------------------------------------------------------------------------

TEST(Gamma, TableValues) {
    struct Case {
        int position, v, out;
    };
    // trunc(255 × (v / 255)^(1 / (position × 0.1)))
    const Case cases[] = {
        {20, 64, 127},                // γ 2.0: 127.75
        {1, 254, 245}, {1, 128, 0},   // γ 0.1: power 10
        {40, 1, 63},  {40, 128, 214}, // γ 4.0: power 0.25
        {5, 200, 156},                // γ 0.5: 156.86
        {15, 100, 136}, {30, 10, 86},
    };
    for (const Case& c : cases) {
        std::uint8_t table[256];
        gammaTable(c.position, table);
        EXPECT_EQ(table[c.v], c.out) << "position " << c.position << " value " << c.v;
    }
    for (int position = 1; position <= 40; ++position) {
        std::uint8_t table[256];
        gammaTable(position, table);
        EXPECT_EQ(table[0], 0) << position;
        EXPECT_EQ(table[255], 255) << position;
        for (int v = 1; v < 256; ++v) {
            if (position > 10) {
                EXPECT_GE(table[v], v) << "γ > 1 brightens: " << position << " " << v;
            } else if (position == 10) {
                EXPECT_EQ(table[v], v) << "γ = 1 keeps every value: " << v;
            } else {
                EXPECT_LE(table[v], v) << "γ < 1 darkens: " << position << " " << v;
            }
        }
    }
}

TEST(Gamma, PreviewAndFinalApplyTheTableToAllChannels) {
    ColorPlanes preview = testing::pixelRow({{64, 0, 255}, {1, 128, 64}});
    ColorPlanes final = preview;
    gammaPreview(preview, wholeArea(preview), 20);
    gammaFinal(final, 20);
    const Px expected0{127, 0, 255};
    const Px expected1{15, 180, 127};  // trunc(255 × sqrt(1/255)) = 15, sqrt(128/255) → 180.66
    EXPECT_EQ(at(preview, 0, 0), expected0);
    EXPECT_EQ(at(preview, 0, 1), expected1);
    EXPECT_EQ(at(final, 0, 0), expected0);
    EXPECT_EQ(at(final, 0, 1), expected1);
}

TEST(Gamma, LabelIsTheShortestDecimal) {
    const std::pair<int, const char*> cases[] = {{10, "1"}, {25, "2.5"}, {1, "0.1"}, {3, "0.3"},
                                                 {7, "0.7"}, {33, "3.3"}, {40, "4"}};
    for (const auto& [position, text] : cases) EXPECT_EQ(gammaLabel(position), text) << position;
}

// ---- posterise --------------------------------------------------------------------------------

TEST(Posterise, TableMovesEachValueUpToTheNextStep) {
    struct Case {
        int n, v, out;
    };
    const Case cases[] = {
        {5, 0, 51},    {5, 50, 51},   {5, 51, 102},  {5, 204, 255}, {5, 254, 255}, {5, 255, 255},
        {2, 0, 127},   {2, 126, 127}, {2, 127, 254}, {2, 253, 254}, {2, 254, 254}, {2, 255, 255},
        {3, 84, 85},   {3, 85, 170},  {3, 170, 255}, {3, 255, 255},
        {4, 251, 252}, {4, 252, 252}, {4, 255, 255},
        {8, 30, 31},   {8, 247, 248}, {8, 248, 248},
        {16, 14, 15},  {16, 239, 240}, {16, 240, 240}, {16, 245, 245},
    };
    for (const Case& c : cases) {
        std::uint8_t table[256];
        posteriseTable(c.n, table);
        EXPECT_EQ(table[c.v], c.out) << "n " << c.n << " value " << c.v;
    }
}

TEST(Posterise, OnlyTheChosenChannelChanges) {
    struct Case {
        ChannelChoice choice;
        Px out;
    };
    const Case cases[] = {{ChannelChoice::All, {51, 102, 255}},
                          {ChannelChoice::Red, {51, 51, 254}},
                          {ChannelChoice::Green, {0, 102, 254}},
                          {ChannelChoice::Blue, {0, 51, 255}}};
    for (const Case& c : cases) {
        ColorPlanes preview = single({0, 51, 254});
        ColorPlanes final = preview;
        posterisePreview(preview, wholeArea(preview), 5, c.choice);
        posteriseFinal(final, 5, c.choice);
        EXPECT_EQ(at(preview, 0, 0), c.out) << name(c.choice);
        EXPECT_EQ(at(final, 0, 0), c.out) << name(c.choice);
    }
}

}  // namespace
}  // namespace veltrane
