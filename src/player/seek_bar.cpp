#include "player/seek_bar.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrane {

namespace {

struct Rgb {
    int r, g, b;
};

Rgb channels(PlayerColour c) { return {redOf(c), greenOf(c), blueOf(c)}; }

// trunc(difference × step / steps + from): the product in integers, the division and the
// addition in double.
int gradientChannel(int from, int to, int step, int steps) {
    return static_cast<int>(static_cast<double>((to - from) * step) / steps + from);
}

Rgb playedColour(const SeekBarStyle& style, int x, int width) {
    const Rgb start = channels(style.barStart);
    const Rgb end = channels(style.barEnd);
    if (style.useMiddle && style.useEnd) {
        const Rgb middle = channels(style.barMiddle);
        const int half = width / 2;
        if (x < half)
            return {gradientChannel(start.r, middle.r, x, half), gradientChannel(start.g, middle.g, x, half),
                    gradientChannel(start.b, middle.b, x, half)};
        return {gradientChannel(middle.r, end.r, x - half, half), gradientChannel(middle.g, end.g, x - half, half),
                gradientChannel(middle.b, end.b, x - half, half)};
    }
    if (style.useEnd)
        return {gradientChannel(start.r, end.r, x, width), gradientChannel(start.g, end.g, x, width),
                gradientChannel(start.b, end.b, x, width)};
    return start;
}

bool isGridColumn(int x) {
    const int m = x % 12;
    return m == 0 || m >= 9;
}

}  // namespace

PlayerColour tintedRestColour(PlayerColour rest) {
    const int red = redOf(rest);
    double k = 2.422;
    int a = 100;
    if (red >= 192) k = -2.422, a = 717;
    else if (red >= 128) a = -210;
    else if (red >= 64) k = -2.422, a = 410;
    const auto tint = [&](int c) { return static_cast<int>(c * k + a); };
    return playerColour(tint(red), tint(greenOf(rest)), tint(blueOf(rest)));
}

SeekBarImage drawSeekBar(int width, int height, double fraction, const SeekBarStyle& style, int markA, int markB) {
    SeekBarImage bar;
    bar.width = std::max(width, 0);
    bar.height = std::max(height, 0);
    bar.bgr.assign(static_cast<std::size_t>(bar.width) * static_cast<std::size_t>(bar.height) * 3, 0);
    const double p = bar.width * fraction;
    const Rgb rest = channels(style.barRest);
    const Rgb tinted = channels(tintedRestColour(style.barRest));
    const Rgb grid = channels(style.gridColour);

    // One row of the inner part; every inner row is the same.
    std::vector<Rgb> inner(static_cast<std::size_t>(bar.width), Rgb{0, 0, 0});
    for (int x = 1; x < bar.width - 1; ++x) {
        Rgb& c = inner[static_cast<std::size_t>(x)];
        if (x < p) c = playedColour(style, x, bar.width);
        else if (markA <= x && x <= markB) c = tinted;
        else c = rest;
        if (style.useGrid && isGridColumn(x)) c = grid;
    }

    for (int y = 1; y < bar.height - 1; ++y) {
        std::uint8_t* row = bar.bgr.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(bar.width) * 3;
        for (int x = 1; x < bar.width - 1; ++x) {
            const Rgb& c = inner[static_cast<std::size_t>(x)];
            row[3 * x] = static_cast<std::uint8_t>(c.b);
            row[3 * x + 1] = static_cast<std::uint8_t>(c.g);
            row[3 * x + 2] = static_cast<std::uint8_t>(c.r);
        }
    }
    return bar;
}

double seekBarFraction(int x, int width) {
    if (width <= 0) return 0.0;
    return static_cast<double>(std::clamp(x, 0, width)) / width;
}

std::int64_t seekPosition(std::int64_t duration, double fraction) {
    if (!(fraction > 0.0) || duration <= 0) return 0;
    const double target = static_cast<double>(duration) * std::min(fraction, 1.0);
    // A double at the top of the range may round past the largest int64.
    if (target >= static_cast<double>(duration)) return duration;
    return static_cast<std::int64_t>(target);
}

int seekBarMark(std::int64_t position, std::int64_t duration, int width) {
    if (width <= 0 || duration <= 0 || position <= 0) return 0;
    if (position >= duration) return width - 1;
    const auto mark = static_cast<std::int64_t>(static_cast<__int128>(width) * position / duration);
    return static_cast<int>(std::min<std::int64_t>(mark, width - 1));
}

}  // namespace veltrane
