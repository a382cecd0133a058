#include "batch/batch_operations.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>

#include "adjust/adjustments.h"
#include "colormap/color_exchange.h"
#include "colormap/color_extraction.h"
#include "colormap/gradation_map.h"
#include "colormap/gradient_catalogue.h"
#include "colormap/tone_curve.h"
#include "effects/effect_catalogue.h"
#include "effects/effect_dispatch.h"
#include "filter/custom_filter.h"
#include "image/histogram.h"
#include "image/morphology.h"
#include "image/transforms.h"

namespace veltrane {

namespace {

using Args = std::vector<std::string>;
using Routine = std::function<void(ColorPlanes&, RandomGenerator&)>;
using Parser = std::function<Routine(const std::string& id, const Args& args)>;

struct Row {
    OperationEntry entry;
    Parser parse;
};

[[noreturn]] void fail(const std::string& id, const std::string& message) { throw UsageError(id + ": " + message); }

void requireAtMost(const std::string& id, const Args& args, std::size_t count, const std::string& usage) {
    if (args.size() > count)
        fail(id, "too many arguments (\"" + args[count] + "\"); expected " + (usage.empty() ? "none" : usage));
}

std::optional<int> toInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

int intIn(const std::string& id, std::string_view name, std::string_view text, int low, int high) {
    const std::optional<int> value = toInt(text);
    if (!value || *value < low || *value > high)
        fail(id, std::string(name) + " must be an integer " + std::to_string(low) + ".." + std::to_string(high) +
                     " (got \"" + std::string(text) + "\")");
    return *value;
}

// The argument at index, required.
const std::string& required(const std::string& id, const Args& args, std::size_t index, std::string_view name,
                            const std::string& usage) {
    if (index >= args.size()) fail(id, "missing " + std::string(name) + "; expected " + usage);
    return args[index];
}

std::string wordList(const std::vector<std::string_view>& words) {
    std::string all;
    for (std::string_view w : words) {
        if (!all.empty()) all += '|';
        all += w;
    }
    return all;
}

// One of a list of words; a number 1..N picks the N-th as well.
int choiceIn(const std::string& id, std::string_view name, std::string_view text,
             const std::vector<std::string_view>& words) {
    for (std::size_t i = 0; i < words.size(); ++i)
        if (text == words[i]) return static_cast<int>(i);
    if (const std::optional<int> n = toInt(text); n && *n >= 1 && *n <= static_cast<int>(words.size())) return *n - 1;
    fail(id, std::string(name) + " must be one of " + wordList(words) + " or 1.." + std::to_string(words.size()) +
                 " (got \"" + std::string(text) + "\")");
}

std::vector<std::string_view> splitOn(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// ---- the rows ----

void addPlain(std::vector<Row>& rows, std::string id, std::string japanese, void (*routine)(ColorPlanes&, const RowProgress&)) {
    rows.push_back({{id, "", std::move(japanese), id, GeneratorUse::None}, [routine](const std::string& id, const Args& args) -> Routine {
                        requireAtMost(id, args, 0, "");
                        return [routine](ColorPlanes& p, RandomGenerator&) { routine(p, {}); };
                    }});
}

const std::vector<std::string_view> kChannelWords{"all", "red", "green", "blue"};
constexpr ChannelChoice kChannelChoices[] = {ChannelChoice::All, ChannelChoice::Red, ChannelChoice::Green, ChannelChoice::Blue};

ChannelChoice channelArg(const std::string& id, const Args& args, std::size_t index) {
    return index < args.size() ? kChannelChoices[choiceIn(id, "CHANNEL", args[index], kChannelWords)] : ChannelChoice::All;
}

void addAdjustments(std::vector<Row>& rows) {
    const std::string channels = "[:" + wordList(kChannelWords) + "]";
    {
        const std::string usage = ":DR:DG:DB, each -128..128";
        rows.push_back({{"rgb", usage, "RGB処理", "rgb:20:-10:0", GeneratorUse::None}, [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 3, usage);
                            const int r = intIn(id, "DR", required(id, a, 0, "DR", usage), -128, 128);
                            const int g = intIn(id, "DG", required(id, a, 1, "DG", usage), -128, 128);
                            const int b = intIn(id, "DB", required(id, a, 2, "DB", usage), -128, 128);
                            return [=](ColorPlanes& p, RandomGenerator&) { rgbFinal(p, r, g, b); };
                        }});
    }
    {
        const std::string usage = ":HUE:SATURATION:INTENSITY, hue -180..180, the others -128..128";
        rows.push_back({{"hsi", usage, "HSI処理", "hsi:30:10:-5", GeneratorUse::None}, [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 3, usage);
                            const int h = intIn(id, "HUE", required(id, a, 0, "HUE", usage), -180, 180);
                            const int s = intIn(id, "SATURATION", required(id, a, 1, "SATURATION", usage), -128, 128);
                            const int i = intIn(id, "INTENSITY", required(id, a, 2, "INTENSITY", usage), -128, 128);
                            return [=](ColorPlanes& p, RandomGenerator&) { hsiFinal(p, h, s, i); };
                        }});
    }
    {
        const std::string usage = ":POSITION, POSITION 1..40, gamma = POSITION x 0.1";
        rows.push_back({{"gamma", usage, "γ補正", "gamma:25", GeneratorUse::None}, [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 1, usage);
                            const int position = intIn(id, "POSITION", required(id, a, 0, "POSITION", usage), 1, 40);
                            return [=](ColorPlanes& p, RandomGenerator&) { gammaFinal(p, position); };
                        }});
    }
    {
        const std::string usage = ":LEVELS" + channels + ", LEVELS 2..16";
        rows.push_back({{"posterize", usage, "ポスタライズ", "posterize:5:green", GeneratorUse::None},
                        [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 2, usage);
                            const int n = intIn(id, "LEVELS", required(id, a, 0, "LEVELS", usage), 2, 16);
                            const ChannelChoice choice = channelArg(id, a, 1);
                            return [=](ColorPlanes& p, RandomGenerator&) { posteriseFinal(p, n, choice); };
                        }});
    }
    {
        const std::string usage = ":THRESHOLD" + channels + ", THRESHOLD 0..255";
        rows.push_back({{"binarize", usage, "2値化", "binarize:128", GeneratorUse::None},
                        [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 2, usage);
                            const int t = intIn(id, "THRESHOLD", required(id, a, 0, "THRESHOLD", usage), 0, 255);
                            const ChannelChoice choice = channelArg(id, a, 1);
                            return [=](ColorPlanes& p, RandomGenerator&) { binariseFinal(p, t, choice); };
                        }});
    }
    {
        const std::string usage = ":PERCENT[:color|mono], PERCENT 0..100";
        rows.push_back({{"noise", usage, "ノイズを加える", "noise:10", GeneratorUse::Draws},
                        [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 2, usage);
                            const int q = intIn(id, "PERCENT", required(id, a, 0, "PERCENT", usage), 0, 100);
                            const bool colour = a.size() < 2 || choiceIn(id, "KIND", a[1], {"color", "mono"}) == 0;
                            return [=](ColorPlanes& p, RandomGenerator& random) { noiseFinal(p, q, colour, random); };
                        }});
    }
    {
        const std::string usage = ":AMOUNT" + channels + ", AMOUNT 20..70";
        rows.push_back({{"contrast", usage, "コントラスト補正", "contrast:30", GeneratorUse::None},
                        [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 2, usage);
                            const int amount = intIn(id, "AMOUNT", required(id, a, 0, "AMOUNT", usage), 20, 70);
                            const ChannelChoice choice = channelArg(id, a, 1);
                            return [=](ColorPlanes& p, RandomGenerator&) { contrastFinal(p, amount, choice); };
                        }});
    }
}

void addMonoColour(std::vector<Row>& rows) {
    const std::string usage = ":R:G:B, each 0..255";
    rows.push_back({{"mono-color", usage, "単色化", "mono-color:255:128:0", GeneratorUse::None},
                    [usage](const std::string& id, const Args& a) -> Routine {
                        requireAtMost(id, a, 3, usage);
                        const auto r = static_cast<std::uint8_t>(intIn(id, "R", required(id, a, 0, "R", usage), 0, 255));
                        const auto g = static_cast<std::uint8_t>(intIn(id, "G", required(id, a, 1, "G", usage), 0, 255));
                        const auto b = static_cast<std::uint8_t>(intIn(id, "B", required(id, a, 2, "B", usage), 0, 255));
                        return [=](ColorPlanes& p, RandomGenerator&) { MonoTint(p, r, g, b); };
                    }});
}

// ---- effects ----

// The ASCII name of every effect code the catalogue lists.
struct EffectName {
    int code;
    const char* id;
};
constexpr EffectName kEffectNames[] = {
    {0, "grayscale"},       {1, "red"},          {2, "pink"},          {3, "orange"},       {4, "yellow"},
    {5, "yellow-green"},    {6, "green"},        {7, "light-blue"},    {8, "blue"},         {9, "purple"},
    {10, "sepia"},          {11, "silver"},      {12, "gold"},         {13, "negative"},    {14, "warmer"},
    {15, "cooler"},         {16, "neon"},        {20, "low-pass"},     {21, "high-pass"},   {22, "edge"},
    {23, "edge-color"},     {24, "sobel"},       {25, "max"},          {26, "min"},         {27, "median"},
    {28, "average"},        {29, "error-diffusion"}, {40, "glass-vertical"}, {41, "glass-horizontal"},
    {42, "glass-both"},     {43, "win-mask"},    {44, "fl-mask"},      {45, "meko-mask"},   {46, "rainbow-mask"},
    {47, "xor-mask"},       {48, "xor-mask-red"}, {49, "xor-mask-green"}, {50, "xor-mask-blue"},
    {60, "bayer-mono"},     {61, "bayer-color"}, {62, "volute-mono"},  {63, "volute-color"}, {64, "mesh-mono"},
    {65, "mesh-color"},     {80, "shake"},       {81, "emboss"},       {82, "mosaic"},      {83, "3d"},
    {84, "painting"},       {85, "blocks"},      {86, "beads"},        {87, "silkscreen"},  {88, "pencil"},
    {89, "drawing"},        {90, "diffuse"},
};

// The ASCII words of the option buttons of the codes that show them, in button order.
std::vector<std::string_view> effectOptionWords(int code) {
    switch (code) {
        case 20: case 21: return {"large", "small"};
        case 22: case 23: case 83: return {"vertical", "horizontal"};
        case 29: return {"floyd", "jarvis"};
        case 81: return {"mono", "color"};
        case 82: case 90: return {"small", "large"};
        case 84: return {"3-4", "3-8", "5-4", "5-8", "7-4", "7-8"};
        case 85: return {"2-4", "8-16", "4-2", "16-8", "4-8", "12-24"};
        default: return {};
    }
}

constexpr int kDiffusionCode = 90;

void addEffects(std::vector<Row>& rows) {
    for (const EffectName& name : kEffectNames) {
        const int code = name.code;
        const std::vector<std::string_view> words = effectOptionWords(code);
        const std::string usage = words.empty() ? "" : "[:" + wordList(words) + "]";
        const std::string id = std::string("effect:") + name.id;
        const std::string example = words.empty() ? id : id + ":" + std::string(words.back());
        rows.push_back({{id, usage, std::string(effectItemName(code)), example,
                         code == kDiffusionCode ? GeneratorUse::Draws : GeneratorUse::None},
                        [code, words, usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, words.empty() ? 0 : 1, usage);
                            // A code with options starts with its first button checked, as the
                            // dialog shows them; the others run with no button checked.
                            const int checked = words.empty() ? 0 : (a.empty() ? 1 : choiceIn(id, "OPTION", a[0], words) + 1);
                            return [=](ColorPlanes& p, RandomGenerator& random) { RunEffect(code, p, checked, random); };
                        }});
    }
}

// ---- the gradation map ----

// The catalogue every gradation operation reads, and the generator state its building leaves.
struct BuiltCatalogue {
    GradientCatalogue catalogue;
    std::uint32_t stateAfter = 0;
};

const BuiltCatalogue& builtCatalogue() {
    static const std::unique_ptr<BuiltCatalogue> built = [] {
        auto b = std::make_unique<BuiltCatalogue>();
        RandomGenerator scratch;
        BuildGradientCatalogue(b->catalogue, scratch);
        b->stateAfter = scratch.state();
        return b;
    }();
    return *built;
}

constexpr const char* kGradientKindIds[kGradientKinds] = {"simple", "stripe", "multi", "pastel", "spectrum"};
// The seven random gradients close the spectrum list: "ランダム(1)" .. "ランダム(7)".
constexpr int kRandomKind = 4;
constexpr int kFirstRandomSlot = 6;
const std::vector<std::string_view> kOrderWords{"rgb", "rbg", "grb", "gbr", "brg", "bgr"};

void addGradations(std::vector<Row>& rows) {
    const std::string usage = "[:reverse][:invert][:" + wordList(kOrderWords) + "]";
    for (int kind = 0; kind < kGradientKinds; ++kind) {
        for (int slot = 0; slot < kGradientSlotsInUse[static_cast<std::size_t>(kind)]; ++slot) {
            const bool random = kind == kRandomKind && slot >= kFirstRandomSlot;
            const std::string id = std::string("gradation:") +
                                   (random ? "random-" + std::to_string(slot - kFirstRandomSlot + 1)
                                           : kGradientKindIds[kind] + std::string("-") + std::to_string(slot + 1));
            const std::string& name = builtCatalogue().catalogue.names[static_cast<std::size_t>(kind)][static_cast<std::size_t>(slot)];
            rows.push_back({{id, usage, name, id, GeneratorUse::Resets}, [kind, slot, usage](const std::string& id, const Args& a) -> Routine {
                                requireAtMost(id, a, 3, usage);
                                GradationOptions options;
                                bool order = false;
                                for (const std::string& word : a) {
                                    if (word == "reverse" && !options.reverse) {
                                        options.reverse = true;
                                    } else if (word == "invert" && !options.invert) {
                                        options.invert = true;
                                    } else if (!order && word != "reverse" && word != "invert") {
                                        options.exchangeMode = choiceIn(id, "ORDER", word, kOrderWords);
                                        order = true;
                                    } else {
                                        fail(id, "\"" + word + "\" given twice; expected " + usage);
                                    }
                                }
                                const BuiltCatalogue& built = builtCatalogue();
                                const GradientTable lookup = gradationLookup(built.catalogue.table(kind, slot), options);
                                return [lookup, state = built.stateAfter](ColorPlanes& p, RandomGenerator& random) {
                                    // Opening the window rebuilds the catalogue, which leaves the
                                    // generator in this state whatever it was.
                                    random.seed(state);
                                    applyGradationMap(p, lookup);
                                };
                            }});
        }
    }
}

// ---- colour exchange, extraction, tone colour, custom filter ----

void addColourWindows(std::vector<Row>& rows) {
    {
        const std::string usage = ":" + wordList(kOrderWords) + "[:BLANK], BLANK the channels to set to 0 (letters r, g, b, or none)";
        rows.push_back({{"exchange", usage, "色交換", "exchange:bgr:g", GeneratorUse::None}, [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 2, usage);
                            const int mode = choiceIn(id, "ORDER", required(id, a, 0, "ORDER", usage), kOrderWords);
                            ChannelKeep keep;
                            if (a.size() > 1 && a[1] != "none") {
                                for (const char c : a[1]) {
                                    bool* flag = c == 'r' ? &keep.red : c == 'g' ? &keep.green : c == 'b' ? &keep.blue : nullptr;
                                    if (!flag || !*flag) fail(id, "BLANK must be letters from r, g, b, each once, or none (got \"" + a[1] + "\")");
                                    *flag = false;
                                }
                            }
                            return [=](ColorPlanes& p, RandomGenerator&) { exchangeColours(p, mode, keep); };
                        }});
    }
    {
        const std::vector<std::string_view> sectors{"red", "yellow", "green", "cyan", "blue", "purple"};
        const std::string usage = "[:SECTORS], SECTORS the hues kept, comma-separated from " + wordList(sectors) + " (default all)";
        rows.push_back({{"extract-color", usage, "色抽出", "extract-color:red,yellow", GeneratorUse::None},
                        [sectors, usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 1, usage);
                            SectorChoice chosen{};
                            chosen.fill(a.empty());
                            if (!a.empty())
                                for (std::string_view word : splitOn(a[0], ','))
                                    chosen[static_cast<std::size_t>(choiceIn(id, "SECTOR", word, sectors))] = true;
                            return [=](ColorPlanes& p, RandomGenerator&) { extractColours(p, chosen); };
                        }});
    }
    {
        const std::vector<std::string_view> channels{"rgb", "r", "g", "b"};
        const std::string usage = "[:" + wordList(channels) + "[:X=V,...]], curve points X 0..255, V 0..255 (the channel value v becomes 255 - curve(v))";
        rows.push_back({{"tone", usage, "トーンカラー", "tone:rgb:64=200,192=40", GeneratorUse::None},
                        [channels, usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 2, usage);
                            const ToneChannel channel = a.empty() ? ToneChannel::All : toneChannelOf(choiceIn(id, "CHANNEL", a[0], channels));
                            ToneCurve curve;
                            if (a.size() > 1)
                                for (std::string_view point : splitOn(a[1], ',')) {
                                    const std::vector<std::string_view> xv = splitOn(point, '=');
                                    if (xv.size() != 2) fail(id, "a curve point must be X=V (got \"" + std::string(point) + "\")");
                                    const int x = intIn(id, "X", xv[0], 0, 255);
                                    const int v = intIn(id, "V", xv[1], 0, 255);
                                    curve.AddTonePoint(x, 255 - v);
                                }
                            return [=](ColorPlanes& p, RandomGenerator&) { applyToneRule(p, curve, channel); };
                        }});
    }
    {
        const std::string usage = ":C1,...,C25, 25 cells row by row, the centre (13th) " + std::to_string(kFilterCentreMin) + ".." +
                                  std::to_string(kFilterCentreMax) + ", the others " + std::to_string(kFilterCellMin) + ".." +
                                  std::to_string(kFilterCellMax);
        rows.push_back({{"filter", usage, "カスタムフィルター", "filter:0,0,0,0,0,0,1,1,1,0,0,1,1,1,0,0,1,1,1,0,0,0,0,0,0",
                         GeneratorUse::None},
                        [usage](const std::string& id, const Args& a) -> Routine {
                            requireAtMost(id, a, 1, usage);
                            const std::vector<std::string_view> cells = splitOn(required(id, a, 0, "cells", usage), ',');
                            if (cells.size() != 25) fail(id, "expected 25 cells, got " + std::to_string(cells.size()) + "; expected " + usage);
                            FilterKernel kernel{};
                            for (int i = 0; i < 25; ++i) {
                                const bool centre = i == kFilterCentre;
                                kernel[static_cast<std::size_t>(i)] =
                                    intIn(id, "cell " + std::to_string(i + 1), cells[static_cast<std::size_t>(i)],
                                          centre ? kFilterCentreMin : kFilterCellMin, centre ? kFilterCentreMax : kFilterCellMax);
                            }
                            return [=](ColorPlanes& p, RandomGenerator&) { CustomFilterPlanes(p, kernel); };
                        }});
    }
}

const std::vector<Row>& rows() {
    static const std::vector<Row> all = [] {
        std::vector<Row> r;
        addPlain(r, "flip-vertical", "上下反転", FlipVertical);
        addPlain(r, "flip-horizontal", "左右反転", FlipHorizontal);
        addPlain(r, "shift-vertical", "上下シフト", InterleaveVertical);
        addPlain(r, "shift-horizontal", "左右シフト", InterleaveHorizontal);
        addPlain(r, "mirror-left-right", "トランプ反転", MirrorLeftToRight);
        addPlain(r, "mirror-top-bottom", "逆トランプ反転", MirrorTopToBottom);
        addPlain(r, "frame-3d", "3Dフレーム", BevelFrame);
        addPlain(r, "stretch", "引き伸ばす", StretchChannels);
        addPlain(r, "equalize", "平滑化", EqualizeChannels);
        addPlain(r, "binarize-auto", "最小2乗法", ThresholdBinarize);
        addPlain(r, "dilate", "Dilation", Dilate);
        addPlain(r, "erode", "Erosion", Erode);
        addMonoColour(r);
        addAdjustments(r);
        addEffects(r);
        addGradations(r);
        addColourWindows(r);
        return r;
    }();
    return all;
}

}  // namespace

const std::vector<OperationEntry>& operationTable() {
    static const std::vector<OperationEntry> entries = [] {
        std::vector<OperationEntry> e;
        for (const Row& row : rows()) e.push_back(row.entry);
        return e;
    }();
    return entries;
}

Operation parseOperation(std::string_view text) {
    const std::vector<std::string_view> parts = splitOn(text, ':');
    // An identifier is one word, or two for the effects and the gradients ("effect:sepia").
    for (std::size_t words = 1; words <= 2 && words <= parts.size(); ++words) {
        std::string id(parts[0]);
        if (words == 2) id += ":" + std::string(parts[1]);
        for (const Row& row : rows()) {
            if (row.entry.id != id) continue;
            const Args args(parts.begin() + static_cast<std::ptrdiff_t>(words), parts.end());
            return {std::string(text), row.entry.generator, row.parse(id, args)};
        }
    }
    if (parts[0] == "effect" || parts[0] == "gradation")
        throw UsageError("unknown operation \"" + std::string(text) + "\" (veltrane batch --list shows every " +
                         std::string(parts[0]) + ")");
    throw UsageError("unknown operation \"" + std::string(text) + "\" (veltrane batch --list shows them all)");
}

std::string operationListText() {
    // One line each: the operation as written after --do, its Japanese name, then the ranges.
    constexpr std::size_t kColumn = 44;
    std::string text = "OPERATION[:ARGUMENTS]                       名前 (ranges)\n";
    for (const OperationEntry& e : operationTable()) {
        const std::size_t comma = e.arguments.find(", ");
        std::string line = e.id + e.arguments.substr(0, comma);
        line.append(line.size() < kColumn ? kColumn - line.size() : 2, ' ');
        line += e.japanese;
        if (comma != std::string::npos) line += "  (" + e.arguments.substr(comma + 2) + ")";
        if (e.generator == GeneratorUse::Draws) line += "  [draws from the generator]";
        text += line + "\n";
    }
    return text;
}

}  // namespace veltrane
