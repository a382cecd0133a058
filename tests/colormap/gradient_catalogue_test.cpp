// The gradient catalogue: its names and counts, stops and the entries between them, the bands,
// and the seeded random gradients with the generator state every build leaves.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "colormap/gradient_catalogue.h"

using namespace veltrane;

namespace {

struct Entry {
    int r, g, b;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << "(" << e.r << ", " << e.g << ", " << e.b << ")";
}

Entry entryOf(const GradientCatalogue& catalogue, int kind, int slot, int e) {
    const GradientTable& t = catalogue.table(kind, slot);
    return {t.R[e], t.G[e], t.B[e]};
}

std::unique_ptr<GradientCatalogue> built(std::uint32_t startState = 1) {
    auto catalogue = std::make_unique<GradientCatalogue>();
    RandomGenerator random;
    random.seed(startState);
    BuildGradientCatalogue(*catalogue, random);
    return catalogue;
}

// The state after seed 10000 (discarding one number) and the draws of "ランダム(5)", (6) and
// (7): 358 + 307 + 768.
constexpr std::uint32_t kStateAfterBuild = 2150892846u;

}  // namespace

TEST(GradientCatalogueTest, NamesAndSlotsInUsePerKind) {
    const auto catalogue = built();
    struct Case {
        int kind, slot;
        const char* name;
    };
    const Case cases[] = {
        {0, 0, "黒"},
        {0, 5, "黄色-緑"},
        {0, 11, "紫・シアン"},
        {0, 19, "黄色・緑・水色"},
        {1, 0, "水色・緑・黄色"},
        {1, 13, "黒・ピンク・黄色・cream"},
        {1, 21, "黒・黄色・オレンジ・赤・ピンク・白"},
        {2, 0, "メタル(1)"},
        {2, 5, "勾配色(輝度値)"},
        {2, 21, "勾配色(8)"},
        {3, 0, "パステル(1)"},
        {3, 12, "パステル(13)"},
        {4, 0, "スペクトル"},
        {4, 5, "赤・ピンク・黄色・オレンジ"},
        {4, 6, "ランダム(1)"},
        {4, 12, "ランダム(7)"},
    };
    for (const Case& c : cases) EXPECT_EQ(catalogue->names[c.kind][c.slot], c.name) << c.kind << "/" << c.slot;

    EXPECT_EQ(kGradientSlotsInUse, (std::array<int, 5>{20, 22, 22, 13, 13}));
    std::set<std::string> distinct;
    for (int kind = 0; kind < kGradientKinds; ++kind)
        for (int slot = 0; slot < kGradientSlots; ++slot) {
            const std::string& name = catalogue->names[kind][slot];
            EXPECT_EQ(name.empty(), slot >= kGradientSlotsInUse[kind]) << kind << "/" << slot;
            if (!name.empty()) distinct.insert(name);
        }
    EXPECT_EQ(distinct.size(), 90u) << "every gradient has a name of its own";
}

TEST(GradientCatalogueTest, StraightLineGradientsBetweenTheirStops) {
    const auto catalogue = built();
    struct Case {
        const char* what;
        int kind, slot, entry;
        Entry colour;
    };
    const Case cases[] = {
        {"オレンジ first stop", 0, 3, 0, {255, 128, 0}},
        {"オレンジ between", 0, 3, 100, {255, 177, 100}},
        {"オレンジ last stop", 0, 3, 255, {255, 255, 255}},
        // Falling channels: the quotient truncates toward zero, so they round up:
        // blue 255 + (−127 × 100) / 255 = 255 − 49.
        {"紫・シアン", 0, 11, 100, {155, 49, 206}},
        {"赤・ピンク・白・紫 before the jump", 1, 4, 127, {255, 202, 202}},
        {"赤・ピンク・白・紫 after the jump", 1, 4, 128, {255, 255, 255}},
        // 255 + (−151 × 72) / 127, 255 + (−253 × 72) / 127, 255 + (−50 × 72) / 127.
        {"赤・ピンク・白・紫 falling", 1, 4, 200, {170, 112, 227}},
        {"シルバー(3) jump", 2, 4, 65, {3, 3, 3}},
        {"シルバー(3) last", 2, 4, 255, {251, 251, 251}},
        {"パステル(13) before the jump", 3, 12, 75, {255, 204, 165}},
        {"パステル(13) after the jump", 3, 12, 76, {254, 204, 154}},
        // 247 × 16 / 31 = 127.5.
        {"スペクトル", 4, 0, 240, {0, 127, 255}},
        {"スペクトル last", 4, 0, 255, {0, 247, 255}},
        {"虹色(1) flat start", 4, 1, 5, {255, 0, 51}},
        {"虹色(1) flat end", 4, 1, 250, {102, 0, 255}},
    };
    for (const Case& c : cases) EXPECT_EQ(entryOf(*catalogue, c.kind, c.slot, c.entry), c.colour) << c.what;

    for (int e = 0; e < 256; ++e) EXPECT_EQ(entryOf(*catalogue, 0, 0, e), (Entry{e, e, e})) << "黒 entry " << e;
    for (int e = 0; e < 256; ++e) EXPECT_EQ(catalogue->table(0, 3).R[e], 255) << "オレンジ keeps red";
}

TEST(GradientCatalogueTest, BandedGradientsHoldEachRunsColour) {
    const auto catalogue = built();
    // "勾配色(輝度値)": five grey levels, changing at 52, 103, 154 and 205.
    for (int e = 0; e < 256; ++e) {
        const int level = e < 52 ? 0 : e < 103 ? 64 : e < 154 ? 128 : e < 205 ? 192 : 255;
        EXPECT_EQ(entryOf(*catalogue, 2, 5, e), (Entry{level, level, level})) << e;
    }
    struct Case {
        int slot, entry;
        Entry colour;
    };
    const Case cases[] = {
        {21, 0, {208, 96, 48}},    {21, 32, {208, 96, 48}},    {21, 33, {208, 160, 48}},
        {21, 224, {208, 208, 255}}, {21, 225, {208, 160, 192}}, {21, 255, {208, 160, 192}},
        {11, 153, {123, 91, 123}}, {8, 255, {255, 234, 193}},
    };
    for (const Case& c : cases) EXPECT_EQ(entryOf(*catalogue, 2, c.slot, c.entry), c.colour) << c.slot << "/" << c.entry;
}

TEST(GradientCatalogueTest, RandomGradientsFromTheirSeeds) {
    const auto catalogue = built();
    struct Case {
        int slot, entry;
        Entry colour;
    };
    // Worked from the generator: seed, one number discarded, then R, G, B of each entry in turn.
    const Case cases[] = {
        {6, 0, {1, 85, 8}},       {6, 1, {90, 55, 136}},    {6, 255, {184, 152, 90}},
        {7, 0, {207, 26, 53}},    {7, 128, {126, 229, 44}}, {7, 255, {3, 76, 247}},
        {8, 0, {0, 220, 0}},      {8, 100, {210, 153, 232}}, {8, 255, {192, 219, 102}},
        {9, 0, {234, 153, 246}},  {9, 100, {204, 236, 104}}, {9, 255, {42, 209, 116}},
        {10, 0, {255, 245, 102}}, {10, 52, {2, 222, 153}},  {10, 255, {242, 102, 255}},
        {11, 0, {204, 205, 153}}, {11, 128, {153, 254, 218}}, {11, 255, {204, 153, 247}},
        // De(0) at entry 0 is 0 but draws: entry 1 reads the numbers after it.
        {12, 0, {2, 0, 255}},     {12, 1, {67, 0, 255}},    {12, 100, {8, 62, 69}},
        {12, 200, {7, 10, 32}},   {12, 255, {71, 12, 255}},
    };
    for (const Case& c : cases) EXPECT_EQ(entryOf(*catalogue, 4, c.slot, c.entry), c.colour) << c.slot << "/" << c.entry;
}

// Whatever the generator held before, a build leaves it in one state and makes the same tables.
TEST(GradientCatalogueTest, EveryBuildLeavesTheGeneratorInOneState) {
    for (const std::uint32_t start : {1u, 0xDEADBEEFu}) {
        auto catalogue = std::make_unique<GradientCatalogue>();
        RandomGenerator random;
        random.seed(start);
        BuildGradientCatalogue(*catalogue, random);
        EXPECT_EQ(random.state(), kStateAfterBuild) << "from " << start;
        const auto reference = built();
        for (int kind = 0; kind < kGradientKinds; ++kind)
            for (int slot = 0; slot < kGradientSlotsInUse[kind]; ++slot) {
                const GradientTable& a = catalogue->table(kind, slot);
                const GradientTable& b = reference->table(kind, slot);
                EXPECT_TRUE(a.R == b.R && a.G == b.G && a.B == b.B) << kind << "/" << slot;
            }
    }
}
