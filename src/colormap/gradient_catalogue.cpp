// The catalogue's recipes and the one routine that turns a list of stops into a table.
#include "colormap/gradient_catalogue.h"

#include <optional>
#include <vector>

namespace veltrane {

namespace {

struct Colour {
    int r, g, b;
};

// A colour fixed at one entry; the entries between two stops are interpolated.
struct Stop {
    int entry;
    Colour colour;
};

// A run of entries first..last of one colour.
struct Band {
    int first, last;
    Colour colour;
};

// How one channel of a random gradient's entry e is made from the next number n drawn
// (0..32767): D(k) = (n × k) / 32767, De(c) = (n × (e + c)) / 32767, either taken from 255 or
// not; a constant channel draws nothing.
struct ChannelRule {
    enum Kind { Constant, Scaled, EntryScaled } kind;
    int value;  // the constant, k or c
    bool fromWhite = false;  // 255 − the drawn value
};

constexpr ChannelRule Fixed(int v) { return {ChannelRule::Constant, v}; }
constexpr ChannelRule D(int k) { return {ChannelRule::Scaled, k}; }
constexpr ChannelRule WhiteMinusD(int k) { return {ChannelRule::Scaled, k, true}; }
constexpr ChannelRule De(int c) { return {ChannelRule::EntryScaled, c}; }
constexpr ChannelRule WhiteMinusDe(int c) { return {ChannelRule::EntryScaled, c, true}; }

struct RandomRun {
    int first, last;
    ChannelRule r, g, b;
};

// A random gradient: reseeded first unless it continues from the gradient before it.
struct RandomRecipe {
    std::optional<std::uint32_t> seed;
    std::vector<RandomRun> runs;
};

struct Recipe {
    const char* name;
    std::vector<Stop> stops;               // straight-line and banded gradients
    const RandomRecipe* random = nullptr;  // the seven random ones
};

// A banded gradient is a list of stops whose runs meet on neighbouring entries: each run keeps
// its colour from its first to its last entry and jumps to the next run's.
std::vector<Stop> bands(std::initializer_list<Band> runs) {
    std::vector<Stop> stops;
    for (const Band& run : runs) {
        stops.push_back({run.first, run.colour});
        if (run.last != run.first) stops.push_back({run.last, run.colour});
    }
    return stops;
}

std::vector<Stop> stops(std::initializer_list<Stop> list) { return list; }

const std::vector<RandomRecipe>& randomRecipes() {
    static const std::vector<RandomRecipe> recipes = {
        {1, {{0, 255, D(255), D(255), D(255)}}},
        {10,
         {{0, 85, WhiteMinusD(51), D(85), D(170)},
          {86, 170, D(170), WhiteMinusD(51), D(85)},
          {171, 255, D(85), D(170), WhiteMinusD(51)}}},
        {100,
         {{0, 85, Fixed(0), WhiteMinusD(102), Fixed(0)},
          {86, 170, WhiteMinusD(51), Fixed(153), WhiteMinusD(102)},
          {171, 255, WhiteMinusD(102), WhiteMinusD(51), Fixed(102)}}},
        {1000,
         {{0, 64, WhiteMinusD(51), Fixed(153), WhiteMinusD(51)},
          {65, 128, WhiteMinusD(102), WhiteMinusD(51), D(155)},
          {129, 192, Fixed(153), WhiteMinusD(153), WhiteMinusD(51)},
          {193, 255, D(204), WhiteMinusD(51), WhiteMinusD(153)}}},
        {10000,
         {{0, 51, Fixed(255), WhiteMinusD(51), Fixed(102)},
          {52, 102, D(51), WhiteMinusD(51), Fixed(153)},
          {103, 153, Fixed(102), Fixed(255), WhiteMinusD(51)},
          {154, 204, D(51), Fixed(153), WhiteMinusD(51)},
          {205, 255, WhiteMinusD(51), Fixed(102), Fixed(255)}}},
        {std::nullopt,
         {{0, 51, Fixed(204), WhiteMinusD(51), Fixed(153)},
          {52, 102, WhiteMinusD(51), Fixed(204), Fixed(153)},
          {103, 153, Fixed(153), WhiteMinusD(51), WhiteMinusD(51)},
          {154, 204, WhiteMinusD(51), Fixed(153), Fixed(204)},
          {205, 255, Fixed(204), Fixed(153), WhiteMinusD(51)}}},
        {std::nullopt,
         {{0, 51, De(128), De(0), WhiteMinusDe(0)},
          {52, 102, De(0), De(153), De(0)},
          {103, 153, De(-51), WhiteMinusDe(0), De(102)},
          {154, 204, De(0), De(0), De(0)},
          {205, 255, WhiteMinusDe(0), De(-102), WhiteMinusDe(0)}}},
    };
    return recipes;
}

const RandomRecipe* randomGradient(int index) { return &randomRecipes()[static_cast<std::size_t>(index)]; }

// Every gradient of the catalogue, kind by kind in list order.
const std::array<std::vector<Recipe>, kGradientKinds>& recipes() {
    static const std::array<std::vector<Recipe>, kGradientKinds> all = {{
        {
            {"黒", stops({{0, {0, 0, 0}}, {255, {255, 255, 255}}})},
            {"赤", stops({{0, {255, 0, 0}}, {255, {255, 255, 255}}})},
            {"ピンク", stops({{0, {255, 0, 255}}, {255, {255, 255, 255}}})},
            {"オレンジ", stops({{0, {255, 128, 0}}, {255, {255, 255, 255}}})},
            {"黄色", stops({{0, {255, 255, 0}}, {255, {255, 255, 255}}})},
            {"黄色-緑", stops({{0, {0, 255, 0}}, {255, {255, 255, 255}}})},
            {"水色", stops({{0, {0, 255, 255}}, {255, {255, 255, 255}}})},
            {"青", stops({{0, {0, 0, 255}}, {255, {255, 255, 255}}})},
            {"紫", stops({{0, {128, 0, 255}}, {255, {255, 255, 255}}})},
            {"ピンク・クリーム色", stops({{0, {255, 0, 255}}, {255, {255, 255, 128}}})},
            {"水色・ライム", stops({{0, {0, 255, 255}}, {255, {127, 255, 128}}})},
            {"紫・シアン", stops({{0, {255, 0, 255}}, {255, {0, 127, 128}}})},
            {"黄色・ライム", stops({{0, {255, 255, 0}}, {255, {0, 255, 127}}})},
            {"赤・水色", stops({{0, {255, 0, 0}}, {255, {0, 255, 255}}})},
            {"黄色・青", stops({{0, {255, 255, 0}}, {255, {0, 0, 255}}})},
            {"ピンク・緑", stops({{0, {255, 0, 255}}, {255, {0, 255, 0}}})},
            {"赤・ライム", stops({{0, {255, 0, 0}}, {255, {128, 255, 127}}})},
            {"紫・青・水色", stops({{0, {0, 0, 255}}, {255, {255, 127, 0}}})},
            {"赤・オレンジ・ライム", stops({{0, {255, 0, 255}}, {255, {0, 255, 255}}})},
            {"黄色・緑・水色", stops({{0, {255, 255, 0}}, {255, {0, 255, 255}}})},
        },
        {
            {"水色・緑・黄色", stops({{0, {0, 255, 255}}, {255, {255, 255, 0}}})},
            {"水色・赤", stops({{0, {0, 255, 255}}, {255, {255, 0, 0}}})},
            {"水色・青・ピンク", stops({{0, {0, 255, 255}}, {255, {255, 0, 255}}})},
            {"ピンク・オレンジ", stops({{0, {255, 0, 255}}, {255, {255, 127, 0}}})},
            {"赤・ピンク・白・紫", stops({{0, {255, 0, 51}}, {127, {255, 202, 202}}, {128, {255, 255, 255}}, {255, {104, 2, 205}}})},
            {"緑・黄色・青・水色", stops({{0, {102, 204, 51}}, {127, {253, 254, 101}}, {128, {0, 102, 255}}, {255, {151, 253, 255}}})},
            {"ピンク・黄色-緑・白・黒", stops({{0, {255, 204, 204}}, {127, {205, 254, 154}}, {128, {255, 255, 153}}, {255, {53, 2, 52}}})},
            {"赤・水色・ピンク・黄色", stops({{0, {255, 0, 51}}, {127, {154, 253, 253}}, {128, {255, 204, 204}}, {255, {255, 254, 103}}})},
            {"青・赤・紫・黒", stops({{0, {0, 102, 255}}, {127, {253, 1, 53}}, {128, {255, 102, 255}}, {255, {2, 1, 53}}})},
            {"黄色-緑・オレンジ・紫・赤", stops({{0, {204, 255, 153}}, {127, {254, 104, 52}}, {128, {102, 0, 204}}, {255, {253, 0, 53}}})},
            {"赤・緑・青", stops({{0, {255, 0, 0}}, {128, {0, 255, 0}}, {255, {0, 2, 253}}})},
            {"青・水色・青・水色", stops({{0, {153, 153, 255}}, {86, {102, 153, 255}}, {170, {102, 102, 204}}, {255, {51, 204, 204}}})},
            {"黒・赤・青・白", stops({{0, {0, 0, 0}}, {85, {255, 0, 51}}, {170, {0, 102, 255}}, {255, {255, 255, 255}}})},
            {"黒・ピンク・黄色・cream", stops({{0, {0, 0, 0}}, {85, {255, 204, 204}}, {170, {255, 255, 102}}, {255, {255, 255, 203}}})},
            {"黒・水色・黄色-緑・白", stops({{0, {0, 0, 0}}, {85, {153, 255, 255}}, {170, {204, 255, 153}}, {255, {255, 255, 255}}})},
            {"黒・黄色-緑・紫・黄色", stops({{0, {0, 0, 0}}, {85, {204, 255, 153}}, {170, {102, 0, 204}}, {255, {255, 255, 102}}})},
            {"赤・黄色・黒・オレンジ", stops({{0, {255, 0, 51}}, {85, {255, 255, 102}}, {170, {0, 0, 0}}, {255, {255, 102, 51}}})},
            {"ピンク・白・青・緑", stops({{0, {255, 204, 204}}, {85, {255, 255, 255}}, {170, {0, 102, 255}}, {255, {102, 204, 51}}})},
            {"黒・赤・緑・青・白", stops({{0, {0, 0, 0}}, {64, {255, 0, 51}}, {128, {102, 204, 51}}, {192, {0, 102, 255}}, {255, {251, 252, 255}}})},
            {"緑・黄色・青・水色・ピンク", stops({{0, {102, 204, 51}}, {64, {255, 255, 102}}, {128, {0, 102, 255}}, {192, {153, 255, 255}}, {255, {253, 205, 205}}})},
            {"水色・青・紫・ピンク・赤", stops({{0, {153, 255, 255}}, {64, {0, 102, 255}}, {128, {102, 0, 204}}, {192, {255, 204, 204}}, {255, {255, 4, 54}}})},
            {"黒・黄色・オレンジ・赤・ピンク・白", stops({{0, {0, 0, 0}}, {85, {255, 255, 102}}, {86, {255, 202, 51}}, {170, {255, 0, 51}}, {171, {255, 3, 204}}, {255, {255, 255, 255}}})},
        },
        {
            {"メタル(1)", stops({{0, {0, 0, 0}}, {170, {255, 255, 255}}, {255, {0, 0, 0}}})},
            {"メタル(2)", stops({{0, {255, 255, 255}}, {85, {0, 0, 0}}, {170, {255, 255, 255}}, {255, {0, 0, 0}}})},
            {"シルバー(1)", stops({{0, {0, 0, 0}}, {64, {255, 255, 255}}, {128, {0, 0, 0}}, {192, {255, 255, 255}}, {255, {4, 4, 4}}})},
            {"シルバー(2)", stops({{0, {255, 255, 255}}, {64, {0, 0, 0}}, {128, {255, 255, 255}}, {192, {0, 0, 0}}, {255, {251, 251, 251}}})},
            {"シルバー(3)", stops({{0, {0, 0, 0}}, {64, {255, 255, 255}}, {65, {3, 3, 3}}, {128, {255, 255, 255}}, {129, {3, 3, 3}}, {192, {255, 255, 255}}, {193, {3, 3, 3}}, {255, {251, 251, 251}}})},
            {"勾配色(輝度値)", bands({{0, 51, {0, 0, 0}}, {52, 102, {64, 64, 64}}, {103, 153, {128, 128, 128}}, {154, 204, {192, 192, 192}}, {205, 255, {255, 255, 255}}})},
            {"勾配色(赤)", bands({{0, 51, {255, 153, 102}}, {52, 102, {255, 102, 102}}, {103, 153, {255, 102, 51}}, {154, 204, {255, 51, 51}}, {205, 255, {255, 0, 0}}})},
            {"勾配色(ピンク)", bands({{0, 51, {255, 204, 255}}, {52, 102, {255, 153, 255}}, {103, 153, {255, 102, 255}}, {154, 204, {255, 102, 153}}, {205, 255, {255, 0, 153}}})},
            {"勾配色(黄色)", bands({{0, 51, {255, 255, 0}}, {52, 102, {255, 255, 102}}, {103, 153, {255, 255, 153}}, {154, 204, {255, 255, 204}}, {205, 255, {255, 234, 193}}})},
            {"勾配色(水色)", bands({{0, 51, {204, 255, 255}}, {52, 102, {51, 255, 255}}, {103, 153, {51, 204, 204}}, {154, 204, {153, 204, 255}}, {205, 255, {0, 204, 255}}})},
            {"勾配色(青)", bands({{0, 51, {153, 153, 255}}, {52, 102, {102, 153, 255}}, {103, 153, {102, 102, 204}}, {154, 204, {0, 0, 204}}, {205, 255, {0, 51, 255}}})},
            {"勾配色(紫)", bands({{0, 51, {204, 153, 255}}, {52, 102, {204, 153, 204}}, {103, 153, {123, 91, 123}}, {154, 204, {153, 71, 102}}, {205, 255, {102, 71, 102}}})},
            {"勾配色(黄色-緑)", bands({{0, 51, {204, 255, 153}}, {52, 102, {204, 255, 51}}, {103, 153, {153, 255, 0}}, {154, 204, {51, 255, 0}}, {205, 255, {153, 204, 51}}})},
            {"勾配色(緑)", bands({{0, 51, {204, 255, 204}}, {52, 102, {102, 255, 153}}, {103, 153, {153, 255, 153}}, {154, 204, {51, 204, 51}}, {205, 255, {0, 153, 0}}})},
            {"勾配色(1)", bands({{0, 51, {255, 0, 51}}, {52, 102, {255, 204, 204}}, {103, 153, {255, 204, 51}}, {154, 204, {255, 255, 102}}, {205, 255, {204, 255, 153}}})},
            {"勾配色(2)", bands({{0, 51, {153, 255, 255}}, {52, 102, {0, 102, 255}}, {103, 153, {102, 0, 204}}, {154, 204, {204, 255, 153}}, {205, 255, {102, 204, 51}}})},
            {"勾配色(3)", bands({{0, 51, {255, 0, 51}}, {52, 102, {255, 255, 102}}, {103, 153, {204, 255, 153}}, {154, 204, {153, 255, 255}}, {205, 255, {102, 0, 204}}})},
            {"勾配色(4)", bands({{0, 51, {153, 51, 0}}, {52, 102, {255, 51, 0}}, {103, 153, {255, 204, 0}}, {154, 204, {255, 255, 102}}, {205, 255, {255, 255, 255}}})},
            {"勾配色(5)", bands({{0, 51, {40, 0, 0}}, {52, 102, {255, 128, 0}}, {103, 153, {255, 255, 0}}, {154, 204, {140, 255, 0}}, {205, 255, {0, 255, 0}}})},
            {"勾配色(6)", bands({{0, 51, {140, 240, 51}}, {52, 102, {140, 240, 240}}, {103, 153, {140, 126, 240}}, {154, 204, {140, 16, 240}}, {205, 255, {140, 16, 96}}})},
            {"勾配色(7)", bands({{0, 51, {240, 70, 24}}, {52, 102, {240, 108, 143}}, {103, 153, {240, 120, 60}}, {154, 204, {240, 240, 60}}, {205, 255, {240, 240, 140}}})},
            {"勾配色(8)", bands({{0, 32, {208, 96, 48}}, {33, 64, {208, 160, 48}}, {65, 96, {208, 192, 48}}, {97, 128, {208, 255, 48}}, {129, 160, {208, 255, 160}}, {161, 192, {208, 255, 255}}, {193, 224, {208, 208, 255}}, {225, 255, {208, 160, 192}}})},
        },
        {
            {"パステル(1)", stops({{0, {255, 0, 153}}, {42, {255, 255, 153}}, {84, {0, 255, 153}}, {127, {0, 102, 153}}, {171, {104, 102, 153}}, {213, {102, 0, 153}}, {255, {255, 0, 153}}})},
            {"パステル(2)", stops({{0, {255, 0, 102}}, {42, {255, 255, 102}}, {84, {0, 255, 102}}, {127, {0, 102, 102}}, {171, {104, 102, 102}}, {213, {102, 0, 102}}, {255, {255, 0, 102}}})},
            {"パステル(3)", stops({{0, {255, 0, 153}}, {85, {255, 255, 153}}, {170, {0, 255, 153}}, {255, {0, 102, 153}}})},
            {"パステル(4)", stops({{0, {255, 0, 102}}, {85, {255, 255, 102}}, {170, {0, 255, 102}}, {255, {0, 102, 102}}})},
            {"パステル(5)", stops({{0, {0, 102, 153}}, {85, {102, 102, 153}}, {170, {102, 0, 153}}, {255, {255, 0, 153}}})},
            {"パステル(6)", stops({{0, {255, 255, 153}}, {64, {0, 255, 153}}, {128, {0, 102, 153}}, {192, {102, 102, 153}}, {255, {102, 2, 153}}})},
            {"パステル(7)", stops({{0, {255, 0, 153}}, {128, {255, 255, 153}}, {255, {2, 255, 153}}})},
            {"パステル(8)", stops({{0, {153, 102, 255}}, {85, {153, 102, 153}}, {170, {153, 255, 153}}, {255, {153, 255, 255}}})},
            {"パステル(9)", stops({{0, {204, 153, 255}}, {70, {204, 153, 153}}, {140, {204, 255, 153}}, {164, {204, 255, 102}}, {255, {204, 102, 102}}})},
            {"パステル(10)", stops({{0, {255, 153, 102}}, {128, {255, 153, 255}}, {255, {27, 153, 255}}})},
            {"パステル(11)", stops({{0, {51, 153, 102}}, {154, {204, 153, 102}}, {255, {204, 153, 170}}})},
            {"パステル(12)", stops({{0, {102, 153, 102}}, {73, {255, 153, 255}}, {183, {255, 153, 102}}, {255, {105, 153, 252}}})},
            {"パステル(13)", stops({{0, {255, 204, 255}}, {75, {255, 204, 165}}, {76, {254, 204, 154}}, {175, {153, 204, 255}}, {255, {153, 204, 147}}})},
        },
        {
            {"スペクトル", stops({{0, {0, 255, 0}}, {32, {153, 255, 0}}, {64, {255, 255, 0}}, {96, {255, 153, 0}}, {128, {255, 0, 0}}, {160, {255, 153, 204}}, {192, {255, 0, 255}}, {224, {0, 0, 255}}, {255, {0, 247, 255}}})},
            {"虹色(1)", stops({{0, {255, 0, 51}}, {10, {255, 0, 51}}, {49, {255, 102, 153}}, {88, {255, 153, 0}}, {127, {255, 255, 51}}, {166, {51, 153, 255}}, {205, {51, 51, 255}}, {245, {102, 0, 255}}, {255, {102, 0, 255}}})},
            {"虹色(2)", stops({{0, {255, 0, 51}}, {10, {255, 0, 51}}, {49, {255, 102, 153}}, {88, {255, 153, 0}}, {127, {255, 255, 51}}, {166, {153, 255, 204}}, {205, {51, 255, 102}}, {245, {0, 102, 51}}, {255, {0, 102, 51}}})},
            {"水色・青・紫・黄色", stops({{0, {0, 204, 204}}, {15, {0, 204, 204}}, {90, {0, 0, 255}}, {165, {255, 0, 255}}, {240, {255, 255, 0}}, {255, {255, 255, 0}}})},
            {"黄色・青・赤・緑", stops({{0, {204, 204, 51}}, {15, {204, 204, 51}}, {90, {0, 102, 204}}, {165, {255, 51, 102}}, {240, {51, 255, 102}}, {255, {51, 255, 102}}})},
            {"赤・ピンク・黄色・オレンジ", stops({{0, {255, 0, 51}}, {11, {255, 1, 52}}, {88, {255, 102, 153}}, {166, {255, 153, 0}}, {245, {255, 255, 51}}, {255, {255, 255, 51}}})},
            {"ランダム(1)", {}, randomGradient(0)},
            {"ランダム(2)", {}, randomGradient(1)},
            {"ランダム(3)", {}, randomGradient(2)},
            {"ランダム(4)", {}, randomGradient(3)},
            {"ランダム(5)", {}, randomGradient(4)},
            {"ランダム(6)", {}, randomGradient(5)},
            {"ランダム(7)", {}, randomGradient(6)},
        },
    }};
    return all;
}

// Between consecutive stops e0 < e1 each channel of entry e is
// c0 + ((c1 − c0) × (e − e0)) / (e1 − e0) in integers: the quotient truncates toward zero,
// so a falling channel rounds up, and each stop's own colour comes out exactly.
void fillFromStops(const std::vector<Stop>& stops, GradientTable& table) {
    const auto put = [&table](int e, const Colour& c) {
        table.R[e] = static_cast<std::uint8_t>(c.r);
        table.G[e] = static_cast<std::uint8_t>(c.g);
        table.B[e] = static_cast<std::uint8_t>(c.b);
    };
    for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
        const Stop& from = stops[i];
        const Stop& to = stops[i + 1];
        const int span = to.entry - from.entry;
        for (int e = from.entry; e < to.entry; ++e) {
            const int t = e - from.entry;
            const auto lerp = [t, span](int c0, int c1) { return c0 + ((c1 - c0) * t) / span; };
            put(e, {lerp(from.colour.r, to.colour.r), lerp(from.colour.g, to.colour.g),
                    lerp(from.colour.b, to.colour.b)});
        }
    }
    if (!stops.empty()) put(stops.back().entry, stops.back().colour);
}

int channelValue(const ChannelRule& rule, int entry, RandomGenerator& random) {
    if (rule.kind == ChannelRule::Constant) return rule.value;
    const int scale = rule.kind == ChannelRule::Scaled ? rule.value : entry + rule.value;
    const int drawn = (random.next() * scale) / 32767;
    return rule.fromWhite ? 255 - drawn : drawn;
}

void fillRandom(const RandomRecipe& recipe, GradientTable& table, RandomGenerator& random) {
    if (recipe.seed) {
        random.seed(*recipe.seed);
        random.next();  // seeding discards the first number
    }
    for (const RandomRun& run : recipe.runs)
        for (int e = run.first; e <= run.last; ++e) {
            // One statement per channel: the numbers are drawn for red, then green, then blue.
            const int r = channelValue(run.r, e, random);
            const int g = channelValue(run.g, e, random);
            const int b = channelValue(run.b, e, random);
            table.R[e] = static_cast<std::uint8_t>(r);
            table.G[e] = static_cast<std::uint8_t>(g);
            table.B[e] = static_cast<std::uint8_t>(b);
        }
}

}  // namespace

void BuildGradientCatalogue(GradientCatalogue& catalogue, RandomGenerator& random) {
    for (int kind = 0; kind < kGradientKinds; ++kind) {
        const std::vector<Recipe>& list = recipes()[static_cast<std::size_t>(kind)];
        for (std::size_t slot = 0; slot < list.size(); ++slot) {
            const Recipe& recipe = list[slot];
            GradientTable& table = catalogue.tables[static_cast<std::size_t>(kind)][slot];
            catalogue.names[static_cast<std::size_t>(kind)][slot] = recipe.name;
            if (recipe.random)
                fillRandom(*recipe.random, table, random);
            else
                fillFromStops(recipe.stops, table);
        }
    }
}

}  // namespace veltrane
