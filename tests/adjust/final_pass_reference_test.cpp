// The contrast and HSI final passes against plain per-pixel evaluations of their rules, over
// pseudo-random pictures of odd sizes (rows that end part-way through any block the passes
// work in) and pictures with long runs of repeated colours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "adjust/adjust_fixtures.h"
#include "adjust/adjustments.h"
#include "image/color_model.h"

namespace veltrane {
namespace {

using testing::expectSamePlanes;
using testing::patterned;

struct Size {
    int w, h;
};
constexpr Size kOddSizes[] = {{1, 1}, {7, 3}, {63, 2}, {65, 3}, {97, 13}, {131, 5}};

// ---- contrast ---------------------------------------------------------------------------------

std::uint8_t clampedTrunc(double v) {
    const double t = std::trunc(v);
    return static_cast<std::uint8_t>(t < 0 ? 0 : t > 255 ? 255 : t);
}

// The rule as written: weights from the extended constants 1/70 and 2/70, sums in doubles left
// to right, red first, green from the stored red, blue from the stored red and green.
void referenceContrast(ColorPlanes& planes, int p, ChannelChoice choice) {
    const double a = static_cast<double>(1 + p * (1.0L / 70));
    const double b = static_cast<double>(1 - p * (2.0L / 70));
    const bool all = choice == ChannelChoice::All;
    for (int y = 0; y < planes.height; ++y)
        for (int x = 0; x < planes.width; ++x) {
            std::uint8_t& R = planes.R[y][x];
            std::uint8_t& G = planes.G[y][x];
            std::uint8_t& B = planes.B[y][x];
            if (all || choice == ChannelChoice::Red) R = clampedTrunc(a * R + b * G + b * B);
            if (all || choice == ChannelChoice::Green) G = clampedTrunc(b * R + a * G + b * B);
            if (all || choice == ChannelChoice::Blue) B = clampedTrunc(b * R + b * G + a * B);
        }
}

// Pixels whose weighted sums are whole numbers, where the rounding of the weights decides the
// result: (r, g, b) with (70 + p)·r + (70 − 2p)·(g + b) a multiple of 70, for each p.
ColorPlanes wholeNumberSums(int p) {
    ColorPlanes planes(101, 9);
    int found = 0;
    for (int r = 0; r < 256 && found < 101 * 9; r += 3)
        for (int s = 0; s <= 510 && found < 101 * 9; ++s) {
            if (((70 + p) * r + (70 - 2 * p) * s) % 70 != 0) continue;
            const int g = s / 2 + (r % 2), b = s - g;
            if (g > 255 || b > 255 || b < 0) continue;
            const int y = found / 101, x = found % 101;
            planes.R[y][x] = static_cast<std::uint8_t>(r);
            planes.G[y][x] = static_cast<std::uint8_t>(g);
            planes.B[y][x] = static_cast<std::uint8_t>(b);
            ++found;
        }
    return planes;
}

TEST(ContrastFinalReference, EverySliderPositionAndChoiceOnRandomPictures) {
    const ChannelChoice choices[] = {ChannelChoice::All, ChannelChoice::Red, ChannelChoice::Green,
                                     ChannelChoice::Blue};
    for (int p = 20; p <= 70; ++p)
        for (ChannelChoice choice : choices)
            for (const Size& s : kOddSizes) {
                SCOPED_TRACE("p=" + std::to_string(p) + " choice=" + std::to_string(static_cast<int>(choice)) +
                             " size=" + std::to_string(s.w) + "x" + std::to_string(s.h));
                const ColorPlanes source = patterned(s.w, s.h, static_cast<std::uint32_t>(p * 31 + s.w));
                ColorPlanes expected = source, actual = source;
                referenceContrast(expected, p, choice);
                contrastFinal(actual, p, choice);
                expectSamePlanes(actual, expected);
                if (::testing::Test::HasFailure()) return;
            }
}

TEST(ContrastFinalReference, WholeNumberSumsFollowTheRoundedWeights) {
    for (int p = 20; p <= 70; ++p)
        for (ChannelChoice choice : {ChannelChoice::All, ChannelChoice::Red}) {
            SCOPED_TRACE("p=" + std::to_string(p));
            const ColorPlanes source = wholeNumberSums(p);
            ColorPlanes expected = source, actual = source;
            referenceContrast(expected, p, choice);
            contrastFinal(actual, p, choice);
            expectSamePlanes(actual, expected);
            if (::testing::Test::HasFailure()) return;
        }
}

TEST(ContrastFinalReference, PositionsOutsideTheSlider) {
    // Not reachable from the dialog, but the pass must still follow the rule.
    for (int p : {0, 5, 71, 90, -10}) {
        SCOPED_TRACE("p=" + std::to_string(p));
        const ColorPlanes source = patterned(97, 13, 3);
        ColorPlanes expected = source, actual = source;
        referenceContrast(expected, p, ChannelChoice::All);
        contrastFinal(actual, p, ChannelChoice::All);
        expectSamePlanes(actual, expected);
    }
}

// ---- HSI --------------------------------------------------------------------------------------

void referenceHsi(ColorPlanes& planes, int hue, int saturation, int intensity) {
    const double dH = hsiFinalHueOffset(hue), dS = hsiUnitOffset(saturation), dI = hsiUnitOffset(intensity);
    for (int y = 0; y < planes.height; ++y)
        for (int x = 0; x < planes.width; ++x) {
            std::uint8_t& R = planes.R[y][x];
            std::uint8_t& G = planes.G[y][x];
            std::uint8_t& B = planes.B[y][x];
            HsiColor c;
            RgbToHsi(R, G, B, c.H, c.S, c.I);
            c = shiftHsi(c, dH, dS, dI);
            HsiToRgbBytes(c.H, c.S, c.I, R, G, B);
        }
}

// Runs of a few colours with neighbouring rows alike, as in a smooth photograph, so colours
// come back after others have taken their place in any memory of converted colours.
ColorPlanes repeatedColours(int w, int h) {
    ColorPlanes planes(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int run = (x / 5 + y / 2) % 37;
            planes.R[y][x] = static_cast<std::uint8_t>(run * 7);
            planes.G[y][x] = static_cast<std::uint8_t>(255 - run * 5);
            planes.B[y][x] = static_cast<std::uint8_t>((run * 91) % 256);
        }
    return planes;
}

TEST(HsiFinalReference, LargeRandomPictureWhoseColoursShareSlots) {
    // About 600 000 colours, more than any table of converted colours would hold.
    const ColorPlanes source = patterned(1201, 503, 5);
    ColorPlanes expected = source, actual = source;
    referenceHsi(expected, -95, 40, -60);
    hsiFinal(actual, -95, 40, -60);
    expectSamePlanes(actual, expected);
}

TEST(HsiFinalReference, RandomAndRepeatedPictures) {
    struct Offsets {
        int hue, saturation, intensity;
    };
    const Offsets offsets[] = {{0, 0, 0}, {60, 20, -10}, {180, 0, 0}, {-180, -128, 128}, {-37, 90, 45}, {1, -3, 2}};
    for (const Offsets& o : offsets)
        for (const Size& s : kOddSizes)
            for (bool repeated : {false, true}) {
                SCOPED_TRACE("offsets " + std::to_string(o.hue) + "/" + std::to_string(o.saturation) + "/" +
                             std::to_string(o.intensity) + " size " + std::to_string(s.w) + "x" +
                             std::to_string(s.h) + (repeated ? " repeated" : " random"));
                const ColorPlanes source = repeated ? repeatedColours(s.w, s.h) : patterned(s.w, s.h, 11);
                ColorPlanes expected = source, actual = source;
                referenceHsi(expected, o.hue, o.saturation, o.intensity);
                hsiFinal(actual, o.hue, o.saturation, o.intensity);
                expectSamePlanes(actual, expected);
                if (::testing::Test::HasFailure()) return;
            }
}

}  // namespace
}  // namespace veltrane
