// What every adjustment shares: previews stay inside the picture area, final passes report
// each row once it is final, and degenerate picture sizes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "adjust/adjust_fixtures.h"
#include "adjust/adjustments.h"

namespace veltrane {
namespace {

using testing::bytes;
using testing::expectSamePlanes;
using testing::patterned;

using Preview = std::function<void(const ColorPlanes& source, ColorPlanes& result, const PictureArea&)>;
using Final = std::function<void(ColorPlanes&, const RowProgress&)>;

struct Adjustment {
    std::string name;
    Preview preview;
    Final final;
};

std::vector<Adjustment> adjustments() {
    using C = ChannelChoice;
    return {
        {"binarise", [](const ColorPlanes&, ColorPlanes& r, const PictureArea& a) { binarisePreview(r, a, 100, C::All); },
         [](ColorPlanes& p, const RowProgress& pr) { binariseFinal(p, 100, C::All, pr); }},
        {"contrast", [](const ColorPlanes& s, ColorPlanes& r, const PictureArea& a) { contrastPreview(s, r, a, 30, C::All); },
         [](ColorPlanes& p, const RowProgress& pr) { contrastFinal(p, 30, C::All, pr); }},
        {"gamma", [](const ColorPlanes&, ColorPlanes& r, const PictureArea& a) { gammaPreview(r, a, 25); },
         [](ColorPlanes& p, const RowProgress& pr) { gammaFinal(p, 25, pr); }},
        {"posterise", [](const ColorPlanes&, ColorPlanes& r, const PictureArea& a) { posterisePreview(r, a, 4, C::All); },
         [](ColorPlanes& p, const RowProgress& pr) { posteriseFinal(p, 4, C::All, pr); }},
        {"rgb", [](const ColorPlanes& s, ColorPlanes& r, const PictureArea& a) { rgbPreview(s, r, a, 40, -40, 90); },
         [](ColorPlanes& p, const RowProgress& pr) { rgbFinal(p, 40, -40, 90, pr); }},
        {"hsi", [](const ColorPlanes&, ColorPlanes& r, const PictureArea& a) { hsiPreview(r, a, 60, 20, -10); },
         [](ColorPlanes& p, const RowProgress& pr) { hsiFinal(p, 60, 20, -10, pr); }},
        {"noise",
         [](const ColorPlanes&, ColorPlanes& r, const PictureArea& a) {
             RandomGenerator random;
             noisePreview(r, a, a.colBegin == 0, 100, true, random);
         },
         [](ColorPlanes& p, const RowProgress& pr) {
             RandomGenerator random;
             noiseFinal(p, 100, true, random, pr);
         }},
    };
}

TEST(AdjustmentPreview, ChangesOnlyThePictureArea) {
    // A wide area (rows 3..8 of 12) and a tall one (columns 2..9 of 12).
    for (const PictureArea& area : {PictureArea{3, 9, 0, 12}, PictureArea{0, 12, 2, 10}}) {
        for (const Adjustment& adj : adjustments()) {
            const ColorPlanes source = patterned(12, 12);
            ColorPlanes result = source;
            adj.preview(source, result, area);
            bool changedInside = false;
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x) {
                    const bool inside = y >= area.rowBegin && y < area.rowEnd && x >= area.colBegin && x < area.colEnd;
                    const bool same = result.R[y][x] == source.R[y][x] && result.G[y][x] == source.G[y][x] &&
                                      result.B[y][x] == source.B[y][x];
                    if (!inside) {
                        EXPECT_TRUE(same) << adj.name << " changed " << y << "," << x;
                    }
                    if (inside && !same) changedInside = true;
                }
            EXPECT_TRUE(changedInside) << adj.name;
        }
    }
}

TEST(AdjustmentPreview, WholeAreaPreviewEqualsFinalPassWhereTheRuleIsTheSame) {
    // Binarise, gamma, posterise and RGB apply one rule in both; contrast differs (in place),
    // HSI (hue constant) and noise (placement) too.
    for (const Adjustment& adj : adjustments()) {
        if (adj.name == "contrast" || adj.name == "hsi" || adj.name == "noise") continue;
        const ColorPlanes source = patterned(9, 7);
        ColorPlanes preview = source;
        adj.preview(source, preview, testing::wholeArea(preview));
        ColorPlanes final = source;
        adj.final(final, {});
        expectSamePlanes(preview, final);
    }
}

TEST(AdjustmentFinal, ReportsEachRowOnceItIsFinal) {
    for (const Adjustment& adj : adjustments()) {
        ColorPlanes done = patterned(7, 5);
        adj.final(done, {});

        // Copy each row as it is reported, as the window does into the working bitmap.
        ColorPlanes planes = patterned(7, 5);
        ColorPlanes copied(7, 5);
        std::vector<int> rows;
        adj.final(planes, [&](int y) {
            rows.push_back(y);
            for (int x = 0; x < 7; ++x) {
                copied.R[y][x] = planes.R[y][x];
                copied.G[y][x] = planes.G[y][x];
                copied.B[y][x] = planes.B[y][x];
            }
        });
        EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3, 4})) << adj.name;
        EXPECT_EQ(bytes(copied.R), bytes(done.R)) << adj.name;
        EXPECT_EQ(bytes(copied.G), bytes(done.G)) << adj.name;
        EXPECT_EQ(bytes(copied.B), bytes(done.B)) << adj.name;
    }
}

TEST(AdjustmentFinal, DegenerateSizes) {
    // 1 × 1, 1 × 3 and 3 × 1 run and report every row; an empty picture reports none.
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{1, 3}, std::pair{3, 1}, std::pair{0, 0}}) {
        for (const Adjustment& adj : adjustments()) {
            ColorPlanes planes = patterned(w, h);
            int calls = 0;
            adj.final(planes, [&](int) { ++calls; });
            EXPECT_EQ(calls, h) << adj.name << " " << w << "x" << h;
        }
    }
}

}  // namespace
}  // namespace veltrane
