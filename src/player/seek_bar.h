#pragma once
// The player's seek bar: a small picture painted from the playing position, the colours of
// the player settings and the A-B marks, and the mapping of a click to a media position.
#include <cstdint>
#include <vector>

namespace veltrane {

// A player colour: 0x00BBGGRR, red in the lowest byte.
using PlayerColour = std::uint32_t;
// Composes a colour from the lowest 8 bits of each value (300 gives 44, -1 gives 255).
constexpr PlayerColour playerColour(int red, int green, int blue) {
    return static_cast<PlayerColour>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr int redOf(PlayerColour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(PlayerColour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int blueOf(PlayerColour c) { return static_cast<int>(c >> 16 & 0xFF); }

inline constexpr int kSeekBarWidth = 142;
inline constexpr int kSeekBarHeight = 13;
// The mark of an unset A-B point: beyond the bar, so nothing is tinted.
inline constexpr int kNoMark = 255;

struct SeekBarStyle {
    PlayerColour barStart = playerColour(121, 121, 243);   // played part, left end
    PlayerColour barMiddle = playerColour(121, 121, 243);  // played part, middle
    PlayerColour barEnd = playerColour(121, 121, 243);     // played part, right end
    PlayerColour barRest = playerColour(128, 128, 128);    // part not yet played
    PlayerColour gridColour = playerColour(0, 0, 0);
    bool useMiddle = true;  // the gradient passes through barMiddle (only with useEnd)
    bool useEnd = true;     // the gradient runs to barEnd
    bool useGrid = true;    // vertical stripes, 4 columns of every 12

    bool operator==(const SeekBarStyle&) const = default;
};

// Pixels as the bytes B, G, R, the top row first, rows unpadded (3 × width bytes): what
// QImage::Format_BGR888 reads with a stride of 3 × width.
struct SeekBarImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;

    PlayerColour pixel(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
        return playerColour(bgr[i + 2], bgr[i + 1], bgr[i]);
    }
};

// Paints the bar for fraction = position / duration. Columns x < width × fraction are the
// played part (the gradient of the style); the others have the rest colour, tinted where
// markA <= x <= markB; the grid lies over both; the outermost pixels are black.
SeekBarImage drawSeekBar(int width, int height, double fraction, const SeekBarStyle& style, int markA, int markB);

// The rest colour as the A-B range shows it: each channel c becomes trunc(c × k + a) with
// k and a chosen by the red channel, the lowest 8 bits kept.
PlayerColour tintedRestColour(PlayerColour rest);

// A click at column x: the fraction x / width (kept within 0 to 1) that the bar is painted
// with, and the position trunc(duration × fraction) the player seeks to.
double seekBarFraction(int x, int width);
std::int64_t seekPosition(std::int64_t duration, double fraction);

// The bar column of a position, (width × position) div duration in 64-bit integers, kept
// within the bar (0 to width - 1).
int seekBarMark(std::int64_t position, std::int64_t duration, int width);

}  // namespace veltrane
