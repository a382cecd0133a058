#pragma once
// The colour picker's own integer hue/saturation/brightness model, the mapping between its
// 256 × 256 colour field (and 256-high strip) and colour values, and the reading of the
// numeric boxes. It has nothing to do with the HSI model of the image side.
//
// Colours are 0x00BBGGRR (red in the lowest byte). A packed HSB value holds the hue 0..767
// in bits 16..25 (768 steps make a full turn: 0 red, 128 yellow, 256 green, 384 cyan,
// 512 blue, 640 magenta), the saturation 0..255 in bits 8..15 and the brightness 0..255 in
// bits 0..7.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace veltrane {

// Which axis the strip shows; the field shows the other two of the same model.
enum class ColorSwitch { csHue, csSaturation, csBrightness, csBlue, csGreen, csRed };

inline constexpr int kColorFieldSize = 256;   // the field is square
inline constexpr int kColorStripHeight = 256;
inline constexpr int kHueSteps = 768;

constexpr bool IsHsbSwitch(ColorSwitch sw) {
    return sw == ColorSwitch::csHue || sw == ColorSwitch::csSaturation || sw == ColorSwitch::csBrightness;
}

constexpr std::uint32_t MakeColorBGR(int red, int green, int blue) {
    return static_cast<std::uint32_t>(blue) << 16 | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(red);
}
constexpr int ColorRed(std::uint32_t colour) { return static_cast<int>(colour & 0xFF); }
constexpr int ColorGreen(std::uint32_t colour) { return static_cast<int>(colour >> 8 & 0xFF); }
constexpr int ColorBlue(std::uint32_t colour) { return static_cast<int>(colour >> 16 & 0xFF); }

constexpr std::uint32_t MakeHSB(int hue, int saturation, int brightness) {
    return static_cast<std::uint32_t>(hue) << 16 | static_cast<std::uint32_t>(saturation) << 8 |
           static_cast<std::uint32_t>(brightness);
}
constexpr int HsbHue(std::uint32_t hsb) { return static_cast<int>(hsb >> 16 & 0x3FF); }
constexpr int HsbSaturation(std::uint32_t hsb) { return static_cast<int>(hsb >> 8 & 0xFF); }
constexpr int HsbBrightness(std::uint32_t hsb) { return static_cast<int>(hsb & 0xFF); }

// Saturation blends from white towards the hue's pure colour, brightness scales, and each
// channel is rounded to the nearest integer. The hue is taken modulo 768.
std::uint32_t CnvColorHSBtoBGR(std::uint32_t hsb);
// The inverse in truncating integers; black gives hue 0, saturation 255, brightness 1.
std::uint32_t CnvColorBGRtoHSB(std::uint32_t colour);

// What the boxes show: the hue in degrees, saturation and brightness in percent.
constexpr int HueToDegrees(int hue) { return hue * 360 / 767; }
constexpr int LevelToPercent(int level) { return level * 100 / 255; }
// What a typed value means in internal units.
constexpr int DegreesToHue(int degrees) { return degrees * 767 / 360; }
constexpr int PercentToLevel(int percent) { return percent * 255 / 100; }

// A box's text as an integer: optional blanks around an optional sign and decimal digits.
// Anything else, or a number beyond the int range, gives -1.
int ParseBoxInteger(std::string_view text);
// A typed box value in internal units, or -1 when the text is no integer or is negative
// (a -1 from any of a group's three boxes makes the key release do nothing). Values above
// the box's range are held to its top: red, green and blue 255, hue 360 degrees,
// percentages 100.
int ReadRgbBox(std::string_view text);
int ReadHueBox(std::string_view text);
int ReadPercentBox(std::string_view text);

// The numeric values held by the six boxes, in internal units. The colour being edited is
// always (red, green, blue); the HSB triple may differ from its conversion when it was set
// from the field or the strip directly.
struct PickerValues {
    int hue = 0;
    int saturation = 0;
    int brightness = 0;
    int red = 0;
    int green = 0;
    int blue = 0;

    std::uint32_t hsb() const { return MakeHSB(hue, saturation, brightness); }
    std::uint32_t color() const { return MakeColorBGR(red, green, blue); }
    void setHsb(std::uint32_t packed) {
        hue = HsbHue(packed);
        saturation = HsbSaturation(packed);
        brightness = HsbBrightness(packed);
    }
    void setColor(std::uint32_t colour) {
        red = ColorRed(colour);
        green = ColorGreen(colour);
        blue = ColorBlue(colour);
    }
};

// Field position (x column, y row from the top, both 0..255) of a value.
struct FieldPos {
    int x = 0;
    int y = 0;
    friend bool operator==(const FieldPos&, const FieldPos&) = default;
};

// The colour at field position (x, y) for a switch; the strip's component comes from the
// current values.
std::uint32_t GetLightColorBGR(int x, int y, ColorSwitch sw, const PickerValues& current);
// The packed HSB value at (x, y) in an HSB switch; in a colour switch, the conversion of the
// colour there.
std::uint32_t GetLightColorHSB(int x, int y, ColorSwitch sw, const PickerValues& current);
// Where a packed HSB value lies in the field of an HSB switch (a colour switch places its
// conversion).
FieldPos GetLightPosHSB(std::uint32_t hsb, ColorSwitch sw);
// Where a colour lies in the field of a colour switch (an HSB switch places its conversion).
FieldPos GetLightPosBGR(std::uint32_t colour, ColorSwitch sw);

// The value strip row `row` (0 at the top) stands for: 0..767 for the hue, else 0..255.
int StripRowValue(int row, ColorSwitch sw);
// The colour strip row `row` is painted with.
std::uint32_t StripRowColor(int row, ColorSwitch sw, const PickerValues& current);
// The current value of the strip's component.
int StripComponent(ColorSwitch sw, const PickerValues& current);
// The row drawn as the strip's marker line: going down from the top, the first whose value
// is not above the strip's current component.
int StripMarkerRow(ColorSwitch sw, const PickerValues& current);
// The component a click or drag on strip row `row` sets.
int StripClickValue(int row, ColorSwitch sw);

// True when a marker over this colour is drawn black (R + G + B of 384 or more).
constexpr bool IsLightColor(std::uint32_t colour) {
    return ColorRed(colour) + ColorGreen(colour) + ColorBlue(colour) >= 384;
}

// Fills a 256 × 256 picture of B, G, R bytes (row 0 at the top, `stride` bytes from one row
// to the next) with the field of a switch, in one pass.
void FillColorField(ColorSwitch sw, const PickerValues& current, std::uint8_t* pixels, std::ptrdiff_t stride);

// The temporary palette: 28 colours, shown 7 to a row in 16 × 16 cells.
inline constexpr int kPaletteCells = 28;
inline constexpr int kPaletteColumns = 7;
inline constexpr int kPaletteCellSize = 16;

struct TemporaryPalette {
    std::array<std::uint32_t, kPaletteCells> cells{};

    // 0 for an index outside 0..27.
    std::uint32_t Get(int index) const;
    // Ignores an index outside 0..27.
    void Set(int index, std::uint32_t colour);
};

// Chooses the cell a picker window starts on: the last cell holding `colour`; when none
// does, cell 27 takes the colour. Returns the cell's index.
int SelectStartCell(TemporaryPalette& palette, std::uint32_t colour);

// The palette cell under box position (x, y), or -1 outside every cell.
int PaletteCellAt(int x, int y);

}  // namespace veltrane
