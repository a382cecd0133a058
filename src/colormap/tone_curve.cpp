#include "colormap/tone_curve.h"

#include <algorithm>

#include "image/byte_table.h"

namespace veltrane {

ToneChannel toneChannelOf(int listIndex) {
    switch (listIndex) {
    case 0: return ToneChannel::All;
    case 1: return ToneChannel::Red;
    case 2: return ToneChannel::Green;
    case 3: return ToneChannel::Blue;
    default: return ToneChannel::None;
    }
}

void ToneCurve::reset() {
    pointValue_.fill(0);
    pointSet_.fill(false);
    pointSet_[0] = pointSet_[255] = true;
    pointValue_[255] = 255;
    AddTonePoint(0, 255);
}

void ToneCurve::AddTonePoint(int x, int y) {
    pointValue_[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(255 - y);
    pointSet_[static_cast<std::size_t>(x)] = true;
    rebuildTable();
}

void ToneCurve::AddPressedPoint(int x, int y) { AddTonePoint(std::clamp(x, 0, 254), std::clamp(y, 0, 254)); }

// Each pair of neighbouring points joined by a straight line, both ends included; the
// division truncates toward zero, as integer division does on falling lines too.
void ToneCurve::rebuildTable() {
    int previous = -1;
    for (int x = 0; x < 256; ++x) {
        if (!pointSet_[static_cast<std::size_t>(x)]) continue;
        if (previous >= 0) {
            const int y0 = pointValue_[static_cast<std::size_t>(previous)];
            const int y1 = pointValue_[static_cast<std::size_t>(x)];
            for (int v = previous; v <= x; ++v)
                toneTable_[static_cast<std::size_t>(v)] =
                    static_cast<std::uint8_t>(y0 + (v - previous) * (y1 - y0) / (x - previous));
        }
        previous = x;
    }
}

ByteTable ToneCurve::outputTable() const {
    ByteTable out;
    for (std::size_t v = 0; v < out.size(); ++v) out[v] = static_cast<std::uint8_t>(255 - toneTable_[v]);
    return out;
}

namespace {

struct ChannelMask {
    bool red, green, blue;
};

ChannelMask maskOf(ToneChannel channel) {
    switch (channel) {
    case ToneChannel::All: return {true, true, true};
    case ToneChannel::Red: return {true, false, false};
    case ToneChannel::Green: return {false, true, false};
    case ToneChannel::Blue: return {false, false, true};
    case ToneChannel::None: break;
    }
    return {false, false, false};
}

}  // namespace

void applyToneRule(ColorPlanes& planes, const ToneCurve& curve, ToneChannel channel, const RowProgress& progress) {
    const ByteTable table = curve.outputTable();
    const BytePairTable pairs(table.data());
    const ChannelMask mask = maskOf(channel);
    Plane* chosen[3];
    int count = 0;
    if (mask.red) chosen[count++] = &planes.R;
    if (mask.green) chosen[count++] = &planes.G;
    if (mask.blue) chosen[count++] = &planes.B;
    for (int y = 0; y < planes.height; ++y) {
        for (int c = 0; c < count; ++c) {
            std::uint8_t* row = (*chosen[c])[y];
            pairs.map(row, row, 0, planes.width);
        }
        if (progress) progress(y);
    }
}

void drawToneCurve(const ToneCurve& curve, ToneChannel channel, ToneCurveImages& images) {
    images.R.fill(0);
    images.G.fill(0);
    images.B.fill(0);
    constexpr int n = ToneCurveImages::kSide;
    // The curve: yellow (255, 255, 0) for all three channels, else the chosen primary.
    const std::uint8_t red = channel == ToneChannel::All || channel == ToneChannel::Red ? 255 : 0;
    const std::uint8_t green = channel == ToneChannel::All || channel == ToneChannel::Green ? 255 : 0;
    const std::uint8_t blue = channel == ToneChannel::Blue ? 255 : 0;
    const ByteTable& table = curve.toneTable();
    for (int i = 0; i < n; ++i) {
        const std::size_t at = static_cast<std::size_t>(i * n + table[static_cast<std::size_t>(i)]);
        images.R[at] = red;
        images.G[at] = green;
        images.B[at] = blue;
    }
    // The grid lies over the curve.
    constexpr std::uint8_t grey = 128;
    for (const int line : {64, 128, 192}) {
        for (int k = 0; k < n; ++k) {
            for (const std::size_t at : {static_cast<std::size_t>(line * n + k), static_cast<std::size_t>(k * n + line)}) {
                images.R[at] = grey;
                images.G[at] = grey;
                images.B[at] = grey;
            }
        }
    }
}

Bitmap24 toneCurveBox(const ToneCurveImages& images) {
    constexpr int n = ToneCurveImages::kSide;
    Bitmap24 box = Bitmap24::forOverwrite(kCurveBoxSide, kCurveBoxSide);
    for (int r = 0; r < kCurveBoxSide; ++r) {
        const std::size_t source = static_cast<std::size_t>((n - 1 - r) * n);
        std::uint8_t* line = box.row(r);
        for (int c = 0; c < kCurveBoxSide; ++c) {
            line[3 * c] = images.B[source + static_cast<std::size_t>(c)];
            line[3 * c + 1] = images.G[source + static_cast<std::size_t>(c)];
            line[3 * c + 2] = images.R[source + static_cast<std::size_t>(c)];
        }
    }
    return box;
}

namespace {

// Writes value v in the channel's colour at pixel p (B, G, R).
void putValue(std::uint8_t* p, std::uint8_t v, ChannelMask mask) {
    p[0] = mask.blue ? v : 0;
    p[1] = mask.green ? v : 0;
    p[2] = mask.red ? v : 0;
}

}  // namespace

Bitmap24 horizontalValueBar(ToneChannel channel) {
    const ChannelMask mask = maskOf(channel);
    Bitmap24 bar = Bitmap24::forOverwrite(kValueBarLength, kValueBarThickness);
    for (int r = 0; r < kValueBarThickness; ++r)
        for (int c = 0; c < kValueBarLength; ++c) putValue(bar.row(r) + 3 * c, static_cast<std::uint8_t>(c), mask);
    return bar;
}

Bitmap24 verticalValueBar(ToneChannel channel) {
    const ChannelMask mask = maskOf(channel);
    Bitmap24 bar = Bitmap24::forOverwrite(kValueBarThickness, kValueBarLength);
    for (int r = 0; r < kValueBarLength; ++r)
        for (int c = 0; c < kValueBarThickness; ++c) putValue(bar.row(r) + 3 * c, static_cast<std::uint8_t>(255 - r), mask);
    return bar;
}

}  // namespace veltrane
