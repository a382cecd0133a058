#include "player/display_options.h"

namespace veltrane {

FrameMetrics frameMetricsOf(const EdgeRect& outer, const EdgeRect& inner) {
    FrameMetrics m;
    m.fx = inner.left - outer.left;
    m.fy = outer.bottom - inner.bottom;
    m.cy = (inner.top - outer.top) - m.fy;
    return m;
}

OuterSize displayOuterSize(DisplaySize size, const FrameMetrics& frame, int videoWidth, int videoHeight) {
    const int width = 2 * frame.fx + videoWidth;
    const int height = frame.fy + videoHeight + frame.cy;
    switch (size) {
    case DisplaySize::Half: return {width / 2, height / 2};
    case DisplaySize::Double: return {4 * frame.fx + 2 * videoWidth, 2 * height};
    case DisplaySize::Full:
    case DisplaySize::Max: break;
    }
    return {width, height};
}

int aspectOuterHeight(AspectRatio ratio, const FrameMetrics& frame, int panelWidth) {
    const double width = frame.fx + panelWidth;
    return static_cast<int>(ratio == AspectRatio::FourThree ? width * 0.75 : width * 9 * 0.0625);
}

int transparencyAlpha(int levelPercent) { return levelPercent * 255 / 100; }

namespace {

struct PresetColours {
    int icon;
    PlayerColour listText;
    PlayerColour displayText;
    PlayerColour bar;
};

PresetColours presetColours(ColourPreset preset) {
    switch (preset) {
    case ColourPreset::Red: return {0, playerColour(204, 0, 0), playerColour(255, 0, 255), playerColour(241, 118, 155)};
    case ColourPreset::Yellow:
        return {1, playerColour(204, 204, 0), playerColour(255, 255, 0), playerColour(236, 227, 123)};
    case ColourPreset::Blue: return {2, playerColour(0, 0, 204), playerColour(0, 255, 255), playerColour(121, 121, 243)};
    case ColourPreset::Green: return {3, playerColour(0, 204, 0), playerColour(0, 255, 0), playerColour(125, 234, 125)};
    case ColourPreset::White: break;
    }
    return {4, playerColour(0, 0, 0), playerColour(255, 255, 255), playerColour(0, 0, 0)};
}

}  // namespace

void applyColourPreset(PlayerSettings& settings, ColourPreset preset) {
    const PresetColours c = presetColours(preset);
    settings.iconColour = c.icon;
    settings.bar.useGrid = true;
    settings.listText = c.listText;
    settings.displayText = c.displayText;
    settings.bar.barStart = settings.bar.barMiddle = settings.bar.barEnd = c.bar;
    settings.listBack = playerColour(255, 255, 255);
    settings.bar.barRest = playerColour(128, 128, 128);
    settings.bar.gridColour = playerColour(0, 0, 0);
    settings.displayBack = playerColour(0, 0, 0);
}

PlayerColour& displayColour(PlayerSettings& settings, DisplayColour which) {
    switch (which) {
    case DisplayColour::DisplayText: return settings.displayText;
    case DisplayColour::DisplayBack: return settings.displayBack;
    case DisplayColour::BarStart: return settings.bar.barStart;
    case DisplayColour::BarMiddle: return settings.bar.barMiddle;
    case DisplayColour::BarEnd: return settings.bar.barEnd;
    case DisplayColour::BarRest: return settings.bar.barRest;
    case DisplayColour::Grid: return settings.bar.gridColour;
    case DisplayColour::ListText: return settings.listText;
    case DisplayColour::ListBack: break;
    }
    return settings.listBack;
}

DisplayColours displayColoursOf(const PlayerSettings& settings) {
    PlayerSettings copy = settings;
    DisplayColours colours{};
    for (int i = 0; i < kDisplayColourCount; ++i) colours[i] = displayColour(copy, static_cast<DisplayColour>(i));
    return colours;
}

void applyDisplayColours(PlayerSettings& settings, const DisplayColours& colours) {
    for (int i = 0; i < kDisplayColourCount; ++i) displayColour(settings, static_cast<DisplayColour>(i)) = colours[i];
}

}  // namespace veltrane
