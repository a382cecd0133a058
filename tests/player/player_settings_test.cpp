#include "player/player_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

const std::vector<ScreenRect> kOneScreen{{0, 0, 1920, 1080}};

PlayerSettings load(const std::string& text, const std::vector<ScreenRect>& screens = kOneScreen) {
    return LoadPlayerSettings(IniFile::parse(text), screens);
}

TEST(PlayerSettings, WithoutAFileEverythingHasItsDefault) {
    const PlayerSettings s = load("");
    EXPECT_EQ(s.bar.barStart, playerColour(121, 121, 243));
    EXPECT_EQ(s.bar.barMiddle, playerColour(121, 121, 243));
    EXPECT_EQ(s.bar.barEnd, playerColour(121, 121, 243));
    EXPECT_EQ(s.bar.barRest, playerColour(128, 128, 128));
    EXPECT_EQ(s.bar.gridColour, playerColour(0, 0, 0));
    EXPECT_TRUE(s.bar.useMiddle);
    EXPECT_TRUE(s.bar.useEnd);
    EXPECT_TRUE(s.bar.useGrid);
    EXPECT_EQ(s.displayText, playerColour(0, 255, 255));
    EXPECT_EQ(s.displayBack, playerColour(0, 0, 0));
    EXPECT_EQ(s.listText, playerColour(0, 0, 255));
    EXPECT_EQ(s.listBack, playerColour(255, 255, 255));
    EXPECT_EQ(s.iconColour, 2);
    EXPECT_EQ(s.controllerLeft, 200);
    EXPECT_EQ(s.controllerTop, 200);
    EXPECT_EQ(s.displayLeft, 300);
    EXPECT_EQ(s.displayTop, 300);
    EXPECT_TRUE(s.fixedDisplaySize);
    EXPECT_EQ(s.volumePosition, 30);
    EXPECT_FALSE(s.stayOnTop);
    EXPECT_EQ(s.repeatMode, RepeatMode::None);
}

TEST(PlayerSettings, SavedIntoAnEmptyFile) {
    IniFile ini;
    SavePlayerSettings(ini, PlayerSettings{});
    // OnTop is written under "Display", which is the section DISPLAY.
    EXPECT_EQ(ini.serialize(),
              "[MOVIECOLOR]\n"
              "Bar_num_R=121\nBar_num_G=121\nBar_num_B=243\n"
              "use_mid_color=1\n"
              "Bar_num2_R=121\nBar_num2_G=121\nBar_num2_B=243\n"
              "use_end_color=1\n"
              "Bar_num3_R=121\nBar_num3_G=121\nBar_num3_B=243\n"
              "Use_Bar=1\n"
              "Bar_kousi_R=128\nBar_kousi_G=128\nBar_kousi_B=128\n"
              "Bar_back_R=0\nBar_back_G=0\nBar_back_B=0\n"
              "Disp_num_R=0\nDisp_num_G=255\nDisp_num_B=255\n"
              "Disp_back_R=0\nDisp_back_G=0\nDisp_back_B=0\n"
              "FileList_str_R=0\nFileList_str_G=0\nFileList_str_B=255\n"
              "FileList_back_R=255\nFileList_back_G=255\nFileList_back_B=255\n"
              "ICON_COLOR=2\n"
              "\n[MOVIE_POS]\nLeft=200\nTop=200\n"
              "\n[DISPLAY]\ndisp_left=300\ndisp_top=300\nfix=1\nOnTop=0\n"
              "\n[SOUND]\nposition=30\n"
              "\n[REPEAT]\nMODE=0\n");
}

TEST(PlayerSettings, RoundTripKeepsEveryValue) {
    PlayerSettings s;
    s.bar.barStart = playerColour(1, 2, 3);
    s.bar.barMiddle = playerColour(4, 5, 6);
    s.bar.barEnd = playerColour(7, 8, 9);
    s.bar.barRest = playerColour(10, 11, 12);
    s.bar.gridColour = playerColour(13, 14, 15);
    s.bar.useMiddle = false;
    s.bar.useEnd = false;
    s.bar.useGrid = false;
    s.displayText = playerColour(16, 17, 18);
    s.displayBack = playerColour(19, 20, 21);
    s.listText = playerColour(22, 23, 24);
    s.listBack = playerColour(25, 26, 27);
    s.iconColour = 4;
    s.controllerLeft = 10;
    s.controllerTop = 20;
    s.displayLeft = 30;
    s.displayTop = 40;
    s.fixedDisplaySize = false;
    s.volumePosition = 77;
    s.stayOnTop = true;
    s.repeatMode = RepeatMode::AllFiles;
    IniFile ini = IniFile::parse("[Main_POS]\r\nLeft=5\r\n");
    SavePlayerSettings(ini, s);
    EXPECT_EQ(LoadPlayerSettings(ini, kOneScreen), s);
    EXPECT_EQ(ini.readInteger("Main_POS", "Left", 0), 5);  // the main window's keys stay
}

TEST(PlayerSettings, BadValuesAndWhatIsWrittenBack) {
    IniFile ini = IniFile::parse(
        "[MOVIECOLOR]\r\n"
        "Bar_num_R=300\r\n"            // lowest 8 bits: 44
        "Bar_num_G=-1\r\n"             // 255
        "use_mid_color=5\r\n"          // any value but 0 is set
        "use_end_color=0\r\n"
        "Use_Bar=abc\r\n"              // not a number: the default
        "Bar_kousi_R=99999999999\r\n"  // too large for 32 bits: the default
        "ICON_COLOR=9\r\n"             // no icon, but kept
        "[display]\r\n"                // the section name ignores case
        "disp_left=-100\r\n"
        "disp_top=50\r\n"
        "fix=0\r\n"
        "OnTop=1\r\n"
        "[SOUND]\r\n"
        "position=150\r\n"
        "[REPEAT]\r\n"
        "MODE=7\r\n");
    const PlayerSettings s = LoadPlayerSettings(ini, kOneScreen);
    EXPECT_EQ(s.bar.barStart, playerColour(44, 255, 243));
    EXPECT_TRUE(s.bar.useMiddle);
    EXPECT_FALSE(s.bar.useEnd);
    EXPECT_TRUE(s.bar.useGrid);
    EXPECT_EQ(s.bar.barRest, playerColour(128, 128, 128));
    EXPECT_EQ(s.iconColour, 9);
    EXPECT_EQ(s.displayLeft, -100);  // partly on the screen
    EXPECT_EQ(s.displayTop, 50);
    EXPECT_FALSE(s.fixedDisplaySize);
    EXPECT_TRUE(s.stayOnTop);
    EXPECT_EQ(s.volumePosition, 100);
    EXPECT_EQ(s.repeatMode, RepeatMode::None);

    SavePlayerSettings(ini, s);
    const struct {
        const char *section, *key;
        int value;
    } written[] = {
        {"MOVIECOLOR", "Bar_num_R", 44}, {"MOVIECOLOR", "Bar_num_G", 255}, {"MOVIECOLOR", "use_mid_color", 1},
        {"MOVIECOLOR", "Use_Bar", 1},    {"MOVIECOLOR", "Bar_kousi_R", 128}, {"MOVIECOLOR", "ICON_COLOR", 9},
        {"DISPLAY", "OnTop", 1},         {"SOUND", "position", 100},       {"REPEAT", "MODE", 0},
    };
    for (const auto& w : written) EXPECT_EQ(ini.readInteger(w.section, w.key, -999), w.value) << w.key;
    EXPECT_EQ(ini.serialize().find("[Display]"), std::string::npos);
}

TEST(PlayerSettings, SingleValues) {
    const struct {
        const char* text;
        int volume;
        RepeatMode mode;
        bool onTop, fix;
    } cases[] = {
        {"[SOUND]\nposition=55\n", 55, RepeatMode::None, false, true},
        {"[SOUND]\nposition=-3\n", 0, RepeatMode::None, false, true},
        {"[SOUND]\nposition=4294967296\n", 30, RepeatMode::None, false, true},
        {"[REPEAT]\nMODE=1\n", 30, RepeatMode::OneFile, false, true},
        {"[REPEAT]\nMODE=2\n", 30, RepeatMode::AllFiles, false, true},
        {"[REPEAT]\nMODE=-1\n", 30, RepeatMode::None, false, true},
        {"[DISPLAY]\nOnTop=2\nfix=-1\n", 30, RepeatMode::None, false, true},  // OnTop counts only as 1
        {"[DISPLAY]\nfix=0\n", 30, RepeatMode::None, false, false},
    };
    for (const auto& c : cases) {
        const PlayerSettings s = load(c.text);
        EXPECT_EQ(s.volumePosition, c.volume) << c.text;
        EXPECT_EQ(s.repeatMode, c.mode) << c.text;
        EXPECT_EQ(s.stayOnTop, c.onTop) << c.text;
        EXPECT_EQ(s.fixedDisplaySize, c.fix) << c.text;
    }
}

TEST(PlayerSettings, WindowsOffEveryScreenReturnToTheirDefaults) {
    const std::vector<ScreenRect> twoScreens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const struct {
        int left, top;
        bool kept;
    } cases[] = {
        {100, 100, true},
        {-153, 0, true},    // one column of the 154-pixel controller on the screen
        {-154, 0, false},
        {0, -112, true},
        {0, -113, false},
        {5000, 100, false},
        {2000, 900, true},  // on the second screen
        {2000, 1050, false},
        {1919, 1079, true},
        {0, 1080, false},
        {2147483647, 0, false},
    };
    for (const auto& c : cases) {
        const std::string text = "[MOVIE_POS]\nLeft=" + std::to_string(c.left) + "\nTop=" + std::to_string(c.top) +
                                 "\n[DISPLAY]\ndisp_left=" + std::to_string(c.left) + "\ndisp_top=" +
                                 std::to_string(c.top) + "\n";
        const PlayerSettings s = load(text, twoScreens);
        EXPECT_EQ(s.controllerLeft, c.kept ? c.left : 200) << c.left << "," << c.top;
        EXPECT_EQ(s.controllerTop, c.kept ? c.top : 200) << c.left << "," << c.top;
    }
    // The display is 243 × 213.
    EXPECT_EQ(load("[DISPLAY]\ndisp_left=-242\ndisp_top=7\n").displayLeft, -242);
    const PlayerSettings off = load("[DISPLAY]\ndisp_left=-243\ndisp_top=7\n");
    EXPECT_EQ(off.displayLeft, 300);
    EXPECT_EQ(off.displayTop, 300);
    // The sizes can be given; with no screens known the positions stay as read.
    PlayerWindowSizes wide;
    wide.controller = {300, 120};
    EXPECT_EQ(LoadPlayerSettings(IniFile::parse("[MOVIE_POS]\nLeft=-250\n"), kOneScreen, wide).controllerLeft, -250);
    EXPECT_EQ(load("[MOVIE_POS]\nLeft=5000\nTop=5000\n", {}).controllerLeft, 5000);
}

}  // namespace
}  // namespace veltrane
