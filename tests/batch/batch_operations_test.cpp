// The batch operation table: every identifier runs, arguments reach the window's routine with
// the window's defaults, and a bad argument names the operation and its range.
#include <gtest/gtest.h>

#include <set>

#include "adjust/adjustments.h"
#include "batch/batch_operations.h"
#include "colormap/gradation_map.h"
#include "colormap/gradient_catalogue.h"
#include "effects/effect_dispatch.h"
#include "image/transforms.h"
#include "support/plane_fixtures.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

ColorPlanes sixPixels() {
    return picture(3, 2, {{255, 0, 0}, {12, 200, 90}, {0, 0, 255}, {128, 128, 128}, {250, 250, 10}, {3, 40, 77}});
}

ColorPlanes run(std::string_view text, ColorPlanes planes, RandomGenerator& random) {
    parseOperation(text).run(planes, random);
    return planes;
}

}  // namespace

TEST(BatchOperations, EveryIdentifierIsUniqueAsciiAndItsExampleRunsOnThreeByTwo) {
    std::set<std::string> ids;
    for (const OperationEntry& e : operationTable()) {
        SCOPED_TRACE(e.id);
        EXPECT_TRUE(ids.insert(e.id).second) << "duplicate";
        for (const char c : e.id) EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == ':');
        EXPECT_FALSE(e.japanese.empty());
        EXPECT_EQ(e.example.rfind(e.id, 0), 0u) << e.example;
        const Operation op = parseOperation(e.example);
        EXPECT_EQ(op.generator, e.generator);
        ColorPlanes planes = sixPixels();
        RandomGenerator random;
        op.run(planes, random);
        EXPECT_EQ(planes.width, 3);
        EXPECT_EQ(planes.height, 2);
    }
    // The menus' whole-picture commands: 7 transforms, 2 histogram, 3 binary, mono colour, 7
    // adjustments, 55 effects, 90 gradients, exchange, extraction, tone colour, custom filter.
    EXPECT_EQ(operationTable().size(), 7u + 2 + 3 + 1 + 7 + 55 + 90 + 4);
    EXPECT_TRUE(ids.count("flip-vertical"));
}

TEST(BatchOperations, RandomGradientsAreTheCataloguesRandomEntries) {
    for (int n = 1; n <= 7; ++n) {
        const std::string id = "gradation:random-" + std::to_string(n);
        bool found = false;
        for (const OperationEntry& e : operationTable())
            if (e.id == id) {
                found = true;
                EXPECT_EQ(e.japanese, "ランダム(" + std::to_string(n) + ")");
            }
        EXPECT_TRUE(found) << id;
    }
}

// Each operation gives what its window's final pass gives with the same settings.
TEST(BatchOperations, OperationsCallTheWindowsRoutinesWithTheirDefaults) {
    using Direct = void (*)(ColorPlanes&, RandomGenerator&);
    const struct {
        const char* text;
        Direct direct;
    } cases[] = {
        {"flip-vertical", [](ColorPlanes& p, RandomGenerator&) { FlipVertical(p); }},
        {"gamma:25", [](ColorPlanes& p, RandomGenerator&) { gammaFinal(p, 25); }},
        {"posterize:5", [](ColorPlanes& p, RandomGenerator&) { posteriseFinal(p, 5, ChannelChoice::All); }},
        {"posterize:5:green", [](ColorPlanes& p, RandomGenerator&) { posteriseFinal(p, 5, ChannelChoice::Green); }},
        {"binarize:100:3", [](ColorPlanes& p, RandomGenerator&) { binariseFinal(p, 100, ChannelChoice::Green); }},
        {"noise:40", [](ColorPlanes& p, RandomGenerator& r) { noiseFinal(p, 40, true, r); }},
        {"noise:40:mono", [](ColorPlanes& p, RandomGenerator& r) { noiseFinal(p, 40, false, r); }},
        {"hsi:-180:128:-7", [](ColorPlanes& p, RandomGenerator&) { hsiFinal(p, -180, 128, -7); }},
        {"effect:sepia", [](ColorPlanes& p, RandomGenerator& r) { RunEffect(10, p, 0, r); }},
        {"effect:high-pass", [](ColorPlanes& p, RandomGenerator& r) { RunEffect(21, p, 1, r); }},
        {"effect:high-pass:small", [](ColorPlanes& p, RandomGenerator& r) { RunEffect(21, p, 2, r); }},
        {"effect:blocks:12-24", [](ColorPlanes& p, RandomGenerator& r) { RunEffect(85, p, 6, r); }},
        {"effect:diffuse", [](ColorPlanes& p, RandomGenerator& r) { RunEffect(90, p, 1, r); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        RandomGenerator a, b;
        a.seed(12345);
        b.seed(12345);
        ColorPlanes expected = sixPixels();
        c.direct(expected, b);
        expectSamePlanes(run(c.text, sixPixels(), a), expected);
        EXPECT_EQ(a.state(), b.state());
    }
}

// Opening the gradation map rebuilds its catalogue, which leaves the generator in one state.
TEST(BatchOperations, GradationResetsTheGeneratorAsTheWindowDoes) {
    GradientCatalogue catalogue;
    RandomGenerator window;
    window.seed(999);
    BuildGradientCatalogue(catalogue, window);
    ColorPlanes expected = sixPixels();
    GradationOptions options;
    options.reverse = true;
    options.exchangeMode = 5;
    applyGradationMap(expected, gradationLookup(catalogue.table(4, 6), options));

    RandomGenerator batch;
    batch.seed(4242);
    expectSamePlanes(run("gradation:random-1:reverse:bgr", sixPixels(), batch), expected);
    EXPECT_EQ(batch.state(), window.state());
}

TEST(BatchOperations, BadArgumentsNameTheOperationAndTheRange) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"gamma:41", "gamma: POSITION must be an integer 1..40 (got \"41\")"},
        {"gamma", "gamma: missing POSITION; expected :POSITION, POSITION 1..40, gamma = POSITION x 0.1"},
        {"gamma:2x", "gamma: POSITION must be an integer 1..40 (got \"2x\")"},
        {"flip-vertical:1", "flip-vertical: too many arguments (\"1\"); expected none"},
        {"posterize:5:cyan", "posterize: CHANNEL must be one of all|red|green|blue or 1..4 (got \"cyan\")"},
        {"rgb:0:129:0", "rgb: DG must be an integer -128..128 (got \"129\")"},
        {"effect:median:large", "effect:median: too many arguments (\"large\"); expected none"},
        {"effect:emboss:gold", "effect:emboss: OPTION must be one of mono|color or 1..2 (got \"gold\")"},
        {"effect:nothing", "unknown operation \"effect:nothing\" (veltrane batch --list shows every effect)"},
        {"gradation:random-8", "unknown operation \"gradation:random-8\" (veltrane batch --list shows every gradation)"},
        {"gradation:simple-1:reverse:reverse", "gradation:simple-1: \"reverse\" given twice"},
        {"filter:1,2,3", "filter: expected 25 cells, got 3"},
        {"filter:6,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0", "filter: cell 1 must be an integer -5..5 (got \"6\")"},
        {"filter:0,0,0,0,0,0,0,0,0,0,0,0,11,0,0,0,0,0,0,0,0,0,0,0,0", "filter: cell 13 must be an integer -9..10 (got \"11\")"},
        {"exchange:bgr:rr", "exchange: BLANK must be letters from r, g, b, each once, or none (got \"rr\")"},
        {"tone:rgb:300=1", "tone: X must be an integer 0..255 (got \"300\")"},
        {"blur", "unknown operation \"blur\" (veltrane batch --list shows them all)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            parseOperation(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const UsageError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
}

TEST(BatchOperations, ListStartsWithTheHeadingAndNamesEveryOperation) {
    const std::string list = operationListText();
    EXPECT_EQ(list.rfind("OPERATION[:ARGUMENTS]", 0), 0u);
    EXPECT_NE(list.find("\nflip-vertical                               上下反転\n"), std::string::npos);
    EXPECT_NE(list.find("\nposterize:LEVELS[:all|red|green|blue]       ポスタライズ  (LEVELS 2..16)\n"), std::string::npos);
    for (const OperationEntry& e : operationTable()) EXPECT_NE(list.find("\n" + e.id), std::string::npos) << e.id;
}
