#pragma once
// The display window's options as plain rules: the outer sizes of "50%", "100%" and "200%",
// the heights of the two aspect ratios, the alpha of a transparency level and the five
// colour presets of "色を変える".
#include <array>

#include "player/player_settings.h"

namespace veltrane {

// The display window's frame as the sizes are reckoned with it: fx the left frame, fy the
// bottom frame, cy the top frame less fy (the caption). All 0 without a window frame.
struct FrameMetrics {
    int fx = 0;
    int fy = 0;
    int cy = 0;
};

// The frame of a window whose outer rectangle (frame included) and inner rectangle (client
// area) are given as left, top, right, bottom edges (right and bottom exclusive).
struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
FrameMetrics frameMetricsOf(const EdgeRect& outer, const EdgeRect& inner);

enum class DisplaySize { Half, Full, Double, Max };

struct OuterSize {
    int width = 0;
    int height = 0;
    bool operator==(const OuterSize&) const = default;
};

// The outer size for 50, 100 or 200 % of the video (Max has none: the window is maximised):
//   50:  ((2 fx + w) div 2, (fy + h + cy) div 2)
//   100: (2 fx + w, fy + h + cy)
//   200: (4 fx + 2 w, 2 (fy + h + cy))
// Only one frame height is counted, so the client area comes out one frame shorter than the
// video where the platform draws a bottom frame.
OuterSize displayOuterSize(DisplaySize size, const FrameMetrics& frame, int videoWidth, int videoHeight);

enum class AspectRatio { FourThree, SixteenNine };
// The outer height for the ratio; the width stays. trunc((fx + panel width) × 0.75) for 4:3,
// trunc((fx + panel width) × 9 × 0.0625) for 16:9.
int aspectOuterHeight(AspectRatio ratio, const FrameMetrics& frame, int panelWidth);

// The opacity levels of "透過設定", in percent: やばいぃ 20, スゴイ 40, まぁまぁ 60,
// ちょびっと 80, やめた！ 100.
// The window alpha of a level: level × 255 div 100 (51, 102, 153, 204, 255).
int transparencyAlpha(int levelPercent);

enum class ColourPreset { Red, Yellow, Blue, Green, White };

// Applies a preset: the icon colour, the list and time texts, one bar colour for start,
// middle and end, the grid switched on; always a white list background, a grey rest, a
// black grid and a black time background. useMiddle and useEnd stay as they are.
void applyColourPreset(PlayerSettings& settings, ColourPreset preset);

// The nine colours the colour dialog edits.
enum class DisplayColour { DisplayText, DisplayBack, BarStart, BarMiddle, BarEnd, BarRest, Grid, ListText, ListBack };
inline constexpr int kDisplayColourCount = 9;
using DisplayColours = std::array<PlayerColour, kDisplayColourCount>;

PlayerColour& displayColour(PlayerSettings& settings, DisplayColour which);
DisplayColours displayColoursOf(const PlayerSettings& settings);
// Sets the nine colours; the switches and the icon colour stay.
void applyDisplayColours(PlayerSettings& settings, const DisplayColours& colours);

}  // namespace veltrane
