#include "widgets/color_picker_model.h"

#include <algorithm>
#include <charconv>

namespace veltrane {

namespace {

constexpr int W = kColorFieldSize;
constexpr int H = kColorFieldSize;

struct PureColor {
    int r, g, b;
};

// The fully saturated, fully bright colour of a hue (taken modulo 768).
PureColor PureHue(int hue) {
    const int h = hue % kHueSteps;
    if (h < 128) return {255, 2 * h, 0};
    if (h < 256) return {2 * (255 - h), 255, 0};
    if (h < 384) return {0, 255, 2 * (h - 256)};
    if (h < 512) return {0, 2 * (511 - h), 255};
    if (h < 640) return {2 * (h - 512), 0, 255};
    return {255, 0, 2 * (767 - h)};
}

// One channel: saturation s blends white towards the pure value, brightness v scales, and
// the +32640 rounds the division by 255 × 255 to the nearest integer.
inline int Blend(int v, int s, int pure) { return (v * ((255 - s) * 255 + s * pure) + 32640) / 65025; }

inline std::uint32_t HsbToBgr(int hue, int s, int v) {
    const PureColor p = PureHue(hue);
    return MakeColorBGR(Blend(v, s, p.r), Blend(v, s, p.g), Blend(v, s, p.b));
}

// a and b of the field mapping: the column's and the row's 0..255 values (b is 255 at the top).
inline int FieldA(int x) { return x * 256 / W; }
inline int FieldB(int y) { return (H - y - 1) * 256 / H; }

inline FieldPos Place(int across, int up, int acrossRange) {
    return {W * across / acrossRange, H - H * up / 256 - 1};
}

inline void PutPixel(std::uint8_t* p, int r, int g, int b) {
    p[0] = static_cast<std::uint8_t>(b);
    p[1] = static_cast<std::uint8_t>(g);
    p[2] = static_cast<std::uint8_t>(r);
}

}  // namespace

std::uint32_t CnvColorHSBtoBGR(std::uint32_t hsb) {
    return HsbToBgr(HsbHue(hsb), HsbSaturation(hsb), HsbBrightness(hsb));
}

std::uint32_t CnvColorBGRtoHSB(std::uint32_t colour) {
    int r = ColorRed(colour), g = ColorGreen(colour), b = ColorBlue(colour);
    const int mn = std::min({r, g, b});
    const int mx = std::max({r, g, b});

    // The largest n for which mx × 255 div n − mn × 255 div n ≥ 255 − mn × 255 div n.
    int n = 1;
    for (int candidate = 255; candidate >= 1; --candidate)
        if ((mx * 255) / candidate - (mn * 255) / candidate >= 255 - (mn * 255) / candidate) {
            n = candidate;
            break;
        }
    const int s = 255 - (mn * 255) / n;

    r = r * 255 / n;
    g = g * 255 / n;
    b = b * 255 / n;
    const int m = std::min({255, r, g, b});
    r -= m;
    g -= m;
    b -= m;

    int hue = 0;
    if (r > 0 && g > 0)
        hue = g < r ? g * 128 / r : 256 - r * 128 / g;
    else if (g > 0 && b > 0)
        hue = b < g ? 256 + b * 128 / g : 512 - g * 128 / b;
    else if (b > 0 && r > 0)
        hue = r < b ? 512 + r * 128 / b : 768 - b * 128 / r;
    else if (r > 0)
        hue = 0;
    else if (g > 0)
        hue = 256;
    else if (b > 0)
        hue = 512;
    return MakeHSB(hue, s, n);
}

int ParseBoxInteger(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return -1;
    long long magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size() || magnitude > 2147483647LL) return -1;
    return negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
}

int ReadRgbBox(std::string_view text) {
    const int value = ParseBoxInteger(text);
    return value < 0 ? -1 : std::min(value, 255);
}

int ReadHueBox(std::string_view text) {
    const int value = ParseBoxInteger(text);
    return value < 0 ? -1 : DegreesToHue(std::min(value, 360));
}

int ReadPercentBox(std::string_view text) {
    const int value = ParseBoxInteger(text);
    return value < 0 ? -1 : PercentToLevel(std::min(value, 100));
}

std::uint32_t GetLightColorBGR(int x, int y, ColorSwitch sw, const PickerValues& current) {
    const int a = FieldA(x), b = FieldB(y);
    switch (sw) {
    case ColorSwitch::csHue:
    case ColorSwitch::csSaturation:
    case ColorSwitch::csBrightness: return CnvColorHSBtoBGR(GetLightColorHSB(x, y, sw, current));
    case ColorSwitch::csBlue: return MakeColorBGR(b, a, current.blue);
    case ColorSwitch::csGreen: return MakeColorBGR(a, current.green, b);
    case ColorSwitch::csRed: return MakeColorBGR(current.red, b, a);
    }
    return 0;
}

std::uint32_t GetLightColorHSB(int x, int y, ColorSwitch sw, const PickerValues& current) {
    const int a = FieldA(x), b = FieldB(y);
    switch (sw) {
    case ColorSwitch::csHue: return MakeHSB(current.hue, a, b);
    case ColorSwitch::csSaturation: return MakeHSB(x * kHueSteps / W, current.saturation, b);
    case ColorSwitch::csBrightness: return MakeHSB(x * kHueSteps / W, b, current.brightness);
    default: return CnvColorBGRtoHSB(GetLightColorBGR(x, y, sw, current));
    }
}

FieldPos GetLightPosHSB(std::uint32_t hsb, ColorSwitch sw) {
    switch (sw) {
    case ColorSwitch::csHue: return Place(HsbSaturation(hsb), HsbBrightness(hsb), 256);
    case ColorSwitch::csSaturation: return Place(HsbHue(hsb), HsbBrightness(hsb), kHueSteps);
    case ColorSwitch::csBrightness: return Place(HsbHue(hsb), HsbSaturation(hsb), kHueSteps);
    default: return GetLightPosBGR(CnvColorHSBtoBGR(hsb), sw);
    }
}

FieldPos GetLightPosBGR(std::uint32_t colour, ColorSwitch sw) {
    switch (sw) {
    case ColorSwitch::csBlue: return Place(ColorGreen(colour), ColorRed(colour), 256);
    case ColorSwitch::csGreen: return Place(ColorRed(colour), ColorBlue(colour), 256);
    case ColorSwitch::csRed: return Place(ColorBlue(colour), ColorGreen(colour), 256);
    default: return GetLightPosHSB(CnvColorBGRtoHSB(colour), sw);
    }
}

int StripRowValue(int row, ColorSwitch sw) {
    const int up = kColorStripHeight - 1 - row;
    return sw == ColorSwitch::csHue ? up * 767 / kColorStripHeight : up * 255 / kColorStripHeight;
}

std::uint32_t StripRowColor(int row, ColorSwitch sw, const PickerValues& c) {
    const int e = StripRowValue(row, sw);
    switch (sw) {
    case ColorSwitch::csHue: return HsbToBgr(e, 255, 255);
    case ColorSwitch::csSaturation: return HsbToBgr(c.hue, e, c.brightness);
    case ColorSwitch::csBrightness: return HsbToBgr(c.hue, c.saturation, e);
    case ColorSwitch::csBlue: return MakeColorBGR(c.red, c.green, e);
    case ColorSwitch::csGreen: return MakeColorBGR(c.red, e, c.blue);
    case ColorSwitch::csRed: return MakeColorBGR(e, c.green, c.blue);
    }
    return 0;
}

int StripComponent(ColorSwitch sw, const PickerValues& c) {
    switch (sw) {
    case ColorSwitch::csHue: return c.hue;
    case ColorSwitch::csSaturation: return c.saturation;
    case ColorSwitch::csBrightness: return c.brightness;
    case ColorSwitch::csBlue: return c.blue;
    case ColorSwitch::csGreen: return c.green;
    case ColorSwitch::csRed: return c.red;
    }
    return 0;
}

int StripMarkerRow(ColorSwitch sw, const PickerValues& current) {
    const int value = StripComponent(sw, current);
    for (int row = 0; row < kColorStripHeight; ++row)
        if (StripRowValue(row, sw) <= value) return row;
    return -1;  // only for a negative component, which the boxes never hold
}

int StripClickValue(int row, ColorSwitch sw) {
    const int up = kColorStripHeight - row - 1;
    return sw == ColorSwitch::csHue ? up * kHueSteps / kColorStripHeight : up * 256 / kColorStripHeight;
}

void FillColorField(ColorSwitch sw, const PickerValues& c, std::uint8_t* pixels, std::ptrdiff_t stride) {
    // Per-column pure colours of the hue-across switches, computed once.
    std::array<PureColor, W> columnHue{};
    if (sw == ColorSwitch::csSaturation || sw == ColorSwitch::csBrightness)
        for (int x = 0; x < W; ++x) columnHue[x] = PureHue(x * kHueSteps / W);
    const PureColor fixedHue = PureHue(c.hue);

    for (int y = 0; y < H; ++y) {
        std::uint8_t* p = pixels + y * stride;
        const int b = FieldB(y);
        for (int x = 0; x < W; ++x, p += 3) {
            const int a = FieldA(x);
            switch (sw) {
            case ColorSwitch::csHue:
                PutPixel(p, Blend(b, a, fixedHue.r), Blend(b, a, fixedHue.g), Blend(b, a, fixedHue.b));
                break;
            case ColorSwitch::csSaturation: {
                const PureColor& q = columnHue[x];
                const int s = c.saturation;
                PutPixel(p, Blend(b, s, q.r), Blend(b, s, q.g), Blend(b, s, q.b));
                break;
            }
            case ColorSwitch::csBrightness: {
                const PureColor& q = columnHue[x];
                const int v = c.brightness;
                PutPixel(p, Blend(v, b, q.r), Blend(v, b, q.g), Blend(v, b, q.b));
                break;
            }
            case ColorSwitch::csBlue: PutPixel(p, b, a, c.blue); break;
            case ColorSwitch::csGreen: PutPixel(p, a, c.green, b); break;
            case ColorSwitch::csRed: PutPixel(p, c.red, b, a); break;
            }
        }
    }
}

std::uint32_t TemporaryPalette::Get(int index) const {
    return index >= 0 && index < kPaletteCells ? cells[static_cast<std::size_t>(index)] : 0;
}

void TemporaryPalette::Set(int index, std::uint32_t colour) {
    if (index >= 0 && index < kPaletteCells) cells[static_cast<std::size_t>(index)] = colour;
}

int SelectStartCell(TemporaryPalette& palette, std::uint32_t colour) {
    for (int k = kPaletteCells - 1; k >= 0; --k)
        if (palette.cells[static_cast<std::size_t>(k)] == colour) return k;
    palette.cells[kPaletteCells - 1] = colour;
    return kPaletteCells - 1;
}

int PaletteCellAt(int x, int y) {
    if (x < 0 || y < 0) return -1;
    const int column = x / kPaletteCellSize, row = y / kPaletteCellSize;
    if (column >= kPaletteColumns) return -1;
    const int k = row * kPaletteColumns + column;
    return k < kPaletteCells ? k : -1;
}

}  // namespace veltrane
