#pragma once
// The tone colour window's curve: control points clicked into a 255 × 255 box, joined by
// straight lines into a 256-entry tone table. A chosen channel value v becomes
// 255 − table[v], so the two corner points alone give the negative of the picture.
//
// The pictures the window shows (the curve box and the two value bars) are drawn here as
// plain B, G, R bitmaps.
#include <array>
#include <cstdint>

#include "image/bitmap24.h"
#include "image/color_planes.h"

namespace veltrane {

using ByteTable = std::array<std::uint8_t, 256>;

// The channels the tone rule changes, chosen by the window's list "RGB", "R only",
// "G only", "B only" (items 0..3). No item selected chooses no channel.
enum class ToneChannel { All, Red, Green, Blue, None };

ToneChannel toneChannelOf(int listIndex);

class ToneCurve {
public:
    // Starts with the two corner points (0, 0) and (255, 255): the identity table.
    ToneCurve() { reset(); }

    // Removes every point but the two corners and makes the table the identity again.
    void reset();
    // Sets the point at input x (0..255) to the value 255 − y (y 0..255), replacing any point
    // there, and rebuilds the table.
    void AddTonePoint(int x, int y);
    // A press at (x, y) in the curve box: both held within 0..254, the box's own pixels,
    // before they become a point.
    void AddPressedPoint(int x, int y);

    const ByteTable& pointValue() const { return pointValue_; }
    const std::array<bool, 256>& pointSet() const { return pointSet_; }
    const ByteTable& toneTable() const { return toneTable_; }

    // What the tone rule turns a chosen channel value v into: 255 − toneTable[v].
    ByteTable outputTable() const;

private:
    void rebuildTable();

    ByteTable pointValue_{};
    std::array<bool, 256> pointSet_{};
    ByteTable toneTable_{};
};

// Applies the tone rule in place to the chosen planes, row by row, reporting each row done.
void applyToneRule(ColorPlanes& planes, const ToneCurve& curve, ToneChannel channel, const RowProgress& progress = {});

// The three 256 × 256 curve images, indexed [input][table value].
struct ToneCurveImages {
    static constexpr int kSide = 256;
    std::array<std::uint8_t, kSide * kSide> R, G, B;
};

// Clears the images to black, marks pixel [i][toneTable[i]] of every input i in the
// channel's colour (yellow for all three, else the primary; nothing for no channel), then
// lays the grey grid of rows and columns 64, 128 and 192 over the curve.
void drawToneCurve(const ToneCurve& curve, ToneChannel channel, ToneCurveImages& images);

// The 255 × 255 curve box: box row r shows image row 255 − r, so the input runs up the box;
// column c shows image column c. Image row 0 and column 255 are not shown.
constexpr int kCurveBoxSide = 255;
Bitmap24 toneCurveBox(const ToneCurveImages& images);

// The value bars beside the curve box: the horizontal one (255 × 18) shows value c in column
// c, the vertical one (18 × 255) value 255 − r in row r; grey for all three channels, the
// chosen primary alone otherwise, black for no channel.
constexpr int kValueBarLength = 255;
constexpr int kValueBarThickness = 18;
Bitmap24 horizontalValueBar(ToneChannel channel);
Bitmap24 verticalValueBar(ToneChannel channel);

}  // namespace veltrane
