// The colour picker's HSB model, field and strip mapping, box reading and palette rules.
// Expected values are worked out by hand from the integer rules.
#include <gtest/gtest.h>

#include <vector>

#include "widgets/color_picker_model.h"

using namespace veltrane;

namespace {

struct Rgb {
    int r, g, b;
};

std::uint32_t Bgr(Rgb c) { return MakeColorBGR(c.r, c.g, c.b); }

void ExpectColor(std::uint32_t colour, Rgb want, const std::string& where) {
    EXPECT_EQ(ColorRed(colour), want.r) << where;
    EXPECT_EQ(ColorGreen(colour), want.g) << where;
    EXPECT_EQ(ColorBlue(colour), want.b) << where;
}

constexpr ColorSwitch kAllSwitches[] = {ColorSwitch::csHue,  ColorSwitch::csSaturation, ColorSwitch::csBrightness,
                                        ColorSwitch::csBlue, ColorSwitch::csGreen,      ColorSwitch::csRed};

}  // namespace

// ---- BGR → HSB and what the boxes show ----

struct ToHsbCase {
    Rgb colour;
    int hue, saturation, brightness;
    int degrees, satPercent, briPercent;
};

TEST(ColorPickerModel, BgrToHsbAndBoxTexts) {
    const ToHsbCase cases[] = {
        {{255, 0, 0}, 0, 255, 255, 0, 100, 100},        // pure red
        {{255, 255, 255}, 0, 0, 255, 0, 0, 100},        // white
        {{128, 128, 128}, 0, 0, 128, 0, 0, 50},         // grey
        {{0, 0, 0}, 0, 255, 1, 0, 100, 0},              // black: no n passes, n stays 1
        {{200, 100, 50}, 42, 192, 200, 19, 75, 78},     // G' 64 over R' 192
        {{10, 20, 30}, 448, 170, 30, 210, 66, 11},      // 512 − 85 × 128 div 170
        {{255, 255, 0}, 128, 255, 255, 60, 100, 100},   // yellow: G' = R' takes the "otherwise" branch
        {{0, 255, 0}, 256, 255, 255, 120, 100, 100},    // green: one channel left
        {{0, 255, 255}, 384, 255, 255, 180, 100, 100},  // cyan
        {{0, 0, 255}, 512, 255, 255, 240, 100, 100},    // blue
        {{255, 0, 255}, 640, 255, 255, 300, 100, 100},  // magenta: 768 − 255 × 128 div 255
    };
    for (const ToHsbCase& c : cases) {
        const std::string where = std::to_string(c.colour.r) + "," + std::to_string(c.colour.g) + "," +
                                  std::to_string(c.colour.b);
        const std::uint32_t hsb = CnvColorBGRtoHSB(Bgr(c.colour));
        EXPECT_EQ(HsbHue(hsb), c.hue) << where;
        EXPECT_EQ(HsbSaturation(hsb), c.saturation) << where;
        EXPECT_EQ(HsbBrightness(hsb), c.brightness) << where;
        EXPECT_EQ(HueToDegrees(HsbHue(hsb)), c.degrees) << where;
        EXPECT_EQ(LevelToPercent(HsbSaturation(hsb)), c.satPercent) << where;
        EXPECT_EQ(LevelToPercent(HsbBrightness(hsb)), c.briPercent) << where;
    }
}

// ---- HSB → BGR ----

struct ToBgrCase {
    int hue, saturation, brightness;
    Rgb want;
};

TEST(ColorPickerModel, HsbToBgrRoundsEachChannel) {
    const ToBgrCase cases[] = {
        {128, 255, 255, {254, 255, 0}},  // 2 (255 − 128) = 254 for red
        {42, 192, 200, {200, 99, 49}},   // (200, 100, 50) does not come back exactly
        {448, 170, 30, {10, 20, 30}},    // green is 19.88 before the +32640 rounds it up to 20
        {640, 255, 255, {255, 0, 254}},
        {511, 255, 255, {0, 0, 255}},
        {512, 255, 255, {0, 0, 255}},
        {767, 255, 255, {255, 0, 0}},
        {896, 255, 255, {254, 255, 0}},  // the hue is taken modulo 768: 896 is 128
        {0, 255, 128, {128, 0, 0}},      // 128.50 truncates after the rounding term
        {255, 255, 255, {0, 255, 0}},
    };
    for (const ToBgrCase& c : cases)
        ExpectColor(CnvColorHSBtoBGR(MakeHSB(c.hue, c.saturation, c.brightness)), c.want,
                    "hsb " + std::to_string(c.hue) + "," + std::to_string(c.saturation) + "," +
                        std::to_string(c.brightness));
}

TEST(ColorPickerModel, ZeroSaturationIsGreyOfTheBrightnessForAnyHue) {
    for (int hue : {0, 100, 300, 500, 700, 767})
        for (int v : {0, 1, 127, 128, 254, 255})
            ExpectColor(CnvColorHSBtoBGR(MakeHSB(hue, 0, v)), {v, v, v},
                        "hue " + std::to_string(hue) + " v " + std::to_string(v));
}

TEST(ColorPickerModel, TenTwentyThirtyComesBackExactly) {
    // (10, 20, 30): n = 30, s = 255 − 2550 div 30 = 170; normalised (85, 170, 255) less 85 is
    // (0, 85, 170), hue 512 − 10880 div 170 = 448. Back: 682890, 1325490 and 1983390 over
    // 65025 truncate to 10, 20 and 30.
    ExpectColor(CnvColorHSBtoBGR(CnvColorBGRtoHSB(Bgr({10, 20, 30}))), {10, 20, 30}, "round trip");
}

// ---- box conversions and typed values ----

TEST(ColorPickerModel, BoxUnitConversionsTruncate) {
    EXPECT_EQ(HueToDegrees(767), 360);
    EXPECT_EQ(HueToDegrees(384), 180);  // 180.23
    EXPECT_EQ(DegreesToHue(360), 767);
    EXPECT_EQ(DegreesToHue(180), 383);  // 383.5
    EXPECT_EQ(DegreesToHue(1), 2);
    EXPECT_EQ(LevelToPercent(128), 50);
    EXPECT_EQ(LevelToPercent(2), 0);
    EXPECT_EQ(PercentToLevel(50), 127);
    EXPECT_EQ(PercentToLevel(1), 2);
}

struct TypedCase {
    const char* text;
    int rgb, hue, percent;  // in internal units; -1 makes the key release do nothing
};

TEST(ColorPickerModel, TypedValuesAreReadAndHeldToTheBoxRange) {
    const TypedCase cases[] = {
        {"0", 0, 0, 0},
        {"50", 50, 106, 127},      // 50 × 767 div 360 = 106; 50 × 255 div 100 = 127
        {"100", 100, 213, 255},
        {"255", 255, 543, 255},    // percent held to 100
        {"300", 255, 639, 255},    // red held to 255
        {"400", 255, 767, 255},    // hue held to 360 degrees
        {"99999999999", -1, -1, -1},  // beyond int: not a number
        {" 12 ", 12, 25, 30},
        {"+7", 7, 14, 17},
        {"-5", -1, -1, -1},
        {"abc", -1, -1, -1},
        {"", -1, -1, -1},
        {"12a", -1, -1, -1},
        {"1.5", -1, -1, -1},
        {"-", -1, -1, -1},
    };
    for (const TypedCase& c : cases) {
        EXPECT_EQ(ReadRgbBox(c.text), c.rgb) << '"' << c.text << '"';
        EXPECT_EQ(ReadHueBox(c.text), c.hue) << '"' << c.text << '"';
        EXPECT_EQ(ReadPercentBox(c.text), c.percent) << '"' << c.text << '"';
    }
}

// ---- the field ----

TEST(ColorPickerModel, HueFieldCornersArePureColourWhiteAndBlack) {
    for (const auto& [hue, pure] : std::vector<std::pair<int, Rgb>>{{128, {254, 255, 0}}, {448, {0, 126, 255}}}) {
        PickerValues current;
        current.hue = hue;
        const std::string where = "hue " + std::to_string(hue);
        ExpectColor(GetLightColorBGR(255, 0, ColorSwitch::csHue, current), pure, where + " top right");
        ExpectColor(GetLightColorBGR(0, 0, ColorSwitch::csHue, current), {255, 255, 255}, where + " top left");
        for (int x = 0; x < 256; ++x)
            ExpectColor(GetLightColorBGR(x, 255, ColorSwitch::csHue, current), {0, 0, 0}, where + " bottom row");
    }
}

TEST(ColorPickerModel, FieldColourForEachSwitch) {
    PickerValues current;
    current.hue = 42;
    current.saturation = 255;
    current.brightness = 255;
    current.red = 200;
    current.green = 33;
    current.blue = 77;
    // csSaturation: hue 3x across; column 128 is hue 384.
    ExpectColor(GetLightColorBGR(128, 0, ColorSwitch::csSaturation, current), {0, 254, 255}, "saturation");
    // csBrightness: saturation up the rows, so the bottom row is white at full brightness.
    ExpectColor(GetLightColorBGR(77, 255, ColorSwitch::csBrightness, current), {255, 255, 255}, "brightness");
    // Colour switches: the row value b = 255 − y, the column value a = x.
    ExpectColor(GetLightColorBGR(10, 0, ColorSwitch::csBlue, current), {255, 10, 77}, "blue");
    ExpectColor(GetLightColorBGR(10, 5, ColorSwitch::csGreen, current), {10, 33, 250}, "green");
    ExpectColor(GetLightColorBGR(10, 5, ColorSwitch::csRed, current), {200, 250, 10}, "red");
    // The HSB value at a position of an HSB switch is the field's own triple.
    const std::uint32_t hsb = GetLightColorHSB(5, 250, ColorSwitch::csHue, current);
    EXPECT_EQ(hsb, MakeHSB(42, 5, 5));
}

struct PosCase {
    ColorSwitch sw;
    FieldPos want;
};

TEST(ColorPickerModel, FieldPositionOfAValue) {
    const std::uint32_t hsb = MakeHSB(300, 100, 55);
    const std::uint32_t colour = Bgr({10, 20, 30});
    const PosCase hsbCases[] = {{ColorSwitch::csHue, {100, 200}},
                                {ColorSwitch::csSaturation, {100, 200}},
                                {ColorSwitch::csBrightness, {100, 155}}};
    for (const PosCase& c : hsbCases) EXPECT_EQ(GetLightPosHSB(hsb, c.sw), c.want) << static_cast<int>(c.sw);
    const PosCase bgrCases[] = {{ColorSwitch::csBlue, {20, 245}},
                                {ColorSwitch::csGreen, {10, 225}},
                                {ColorSwitch::csRed, {30, 235}}};
    for (const PosCase& c : bgrCases) EXPECT_EQ(GetLightPosBGR(colour, c.sw), c.want) << static_cast<int>(c.sw);
}

TEST(ColorPickerModel, MarkerLandsWhereTheFieldWasClicked) {
    PickerValues current{100, 150, 200, 40, 90, 160};
    for (ColorSwitch sw : kAllSwitches)
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const FieldPos pos = IsHsbSwitch(sw) ? GetLightPosHSB(GetLightColorHSB(x, y, sw, current), sw)
                                                     : GetLightPosBGR(GetLightColorBGR(x, y, sw, current), sw);
                ASSERT_EQ(pos, (FieldPos{x, y})) << "switch " << static_cast<int>(sw);
            }
}

TEST(ColorPickerModel, FilledFieldMatchesThePositionMappingEverywhere) {
    PickerValues current{448, 170, 30, 10, 20, 30};
    constexpr std::ptrdiff_t stride = 256 * 3 + 4;  // padded rows must be honoured
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * 256, 0xEE);
    for (ColorSwitch sw : kAllSwitches) {
        FillColorField(sw, current, pixels.data(), stride);
        for (int y = 0; y < 256; ++y) {
            const std::uint8_t* row = pixels.data() + y * stride;
            for (int x = 0; x < 256; ++x) {
                const std::uint32_t want = GetLightColorBGR(x, y, sw, current);
                ASSERT_EQ(MakeColorBGR(row[3 * x + 2], row[3 * x + 1], row[3 * x]), want)
                    << "switch " << static_cast<int>(sw) << " at " << x << "," << y;
            }
            ASSERT_EQ(row[256 * 3], 0xEE) << "wrote past the row";
        }
    }
}

// ---- the strip ----

TEST(ColorPickerModel, StripRowValuesAndClickValues) {
    EXPECT_EQ(StripRowValue(0, ColorSwitch::csHue), 764);  // 255 × 767 div 256
    EXPECT_EQ(StripRowValue(255, ColorSwitch::csHue), 0);
    EXPECT_EQ(StripRowValue(0, ColorSwitch::csRed), 254);
    EXPECT_EQ(StripRowValue(128, ColorSwitch::csSaturation), 126);
    EXPECT_EQ(StripClickValue(0, ColorSwitch::csHue), 765);  // 255 × 768 div 256
    EXPECT_EQ(StripClickValue(255, ColorSwitch::csHue), 0);
    EXPECT_EQ(StripClickValue(0, ColorSwitch::csRed), 255);
    EXPECT_EQ(StripClickValue(100, ColorSwitch::csBrightness), 155);
}

TEST(ColorPickerModel, StripRowColours) {
    PickerValues current{0, 200, 255, 10, 20, 30};
    ExpectColor(StripRowColor(0, ColorSwitch::csHue, current), {255, 0, 6}, "hue 764");
    ExpectColor(StripRowColor(255, ColorSwitch::csSaturation, current), {255, 255, 255}, "saturation 0");
    ExpectColor(StripRowColor(255, ColorSwitch::csBrightness, current), {0, 0, 0}, "brightness 0");
    ExpectColor(StripRowColor(0, ColorSwitch::csBlue, current), {10, 20, 254}, "blue 254");
    ExpectColor(StripRowColor(0, ColorSwitch::csGreen, current), {10, 254, 30}, "green 254");
    ExpectColor(StripRowColor(0, ColorSwitch::csRed, current), {254, 20, 30}, "red 254");
}

struct MarkerCase {
    ColorSwitch sw;
    int value;
    int row;
};

TEST(ColorPickerModel, StripMarkerIsTheFirstRowNotAboveTheValue) {
    const MarkerCase cases[] = {
        {ColorSwitch::csHue, 764, 0},   {ColorSwitch::csHue, 763, 1},  // row 1 stands for 761
        {ColorSwitch::csHue, 0, 255},   {ColorSwitch::csRed, 255, 0},
        {ColorSwitch::csRed, 0, 254},  // row 254 already stands for 0
        {ColorSwitch::csSaturation, 126, 128},
    };
    for (const MarkerCase& c : cases) {
        PickerValues current;
        if (c.sw == ColorSwitch::csHue) current.hue = c.value;
        if (c.sw == ColorSwitch::csRed) current.red = c.value;
        if (c.sw == ColorSwitch::csSaturation) current.saturation = c.value;
        EXPECT_EQ(StripMarkerRow(c.sw, current), c.row) << static_cast<int>(c.sw) << " value " << c.value;
    }
}

TEST(ColorPickerModel, MarkerColourSwitchesToBlackAt384) {
    EXPECT_TRUE(IsLightColor(Bgr({128, 128, 128})));
    EXPECT_FALSE(IsLightColor(Bgr({128, 128, 127})));
    EXPECT_TRUE(IsLightColor(Bgr({255, 129, 0})));
}

// ---- the temporary palette ----

TEST(ColorPickerModel, PaletteIgnoresIndicesOutsideItsCells) {
    TemporaryPalette palette;
    for (int k = 0; k < kPaletteCells; ++k) palette.Set(k, 0x100 + k);
    palette.Set(28, 0xABCDEF);
    palette.Set(-1, 0xABCDEF);
    EXPECT_EQ(palette.Get(28), 0u);
    EXPECT_EQ(palette.Get(-1), 0u);
    for (int k = 0; k < kPaletteCells; ++k) EXPECT_EQ(palette.Get(k), 0x100u + k);
}

TEST(ColorPickerModel, StartCellIsTheLastHoldingTheColourElseCell27TakesIt) {
    TemporaryPalette palette;
    for (int k = 0; k < kPaletteCells; ++k) palette.cells[k] = 0x10 + k;
    palette.cells[3] = palette.cells[10] = 0x123456;
    TemporaryPalette held = palette;
    EXPECT_EQ(SelectStartCell(held, 0x123456), 10);
    EXPECT_EQ(held.cells, palette.cells);

    TemporaryPalette missing = palette;
    EXPECT_EQ(SelectStartCell(missing, 0x654321), 27);
    EXPECT_EQ(missing.cells[27], 0x654321u);
    EXPECT_EQ(missing.cells[26], palette.cells[26]);
}

TEST(ColorPickerModel, PaletteCellUnderAPoint) {
    EXPECT_EQ(PaletteCellAt(0, 0), 0);
    EXPECT_EQ(PaletteCellAt(15, 15), 0);
    EXPECT_EQ(PaletteCellAt(16, 16), 8);
    EXPECT_EQ(PaletteCellAt(111, 63), 27);
    EXPECT_EQ(PaletteCellAt(112, 0), -1);
    EXPECT_EQ(PaletteCellAt(0, 64), -1);
    EXPECT_EQ(PaletteCellAt(-1, 0), -1);
}
