#include "player/player_settings.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace veltrane {

namespace {

constexpr const char* kColourSection = "MOVIECOLOR";

PlayerColour readColour(const IniFile& ini, const std::string& prefix, PlayerColour fallback) {
    return playerColour(ini.readInteger(kColourSection, prefix + "_R", redOf(fallback)),
                        ini.readInteger(kColourSection, prefix + "_G", greenOf(fallback)),
                        ini.readInteger(kColourSection, prefix + "_B", blueOf(fallback)));
}

void writeColour(IniFile& ini, const std::string& prefix, PlayerColour colour) {
    ini.writeInteger(kColourSection, prefix + "_R", redOf(colour));
    ini.writeInteger(kColourSection, prefix + "_G", greenOf(colour));
    ini.writeInteger(kColourSection, prefix + "_B", blueOf(colour));
}

bool readFlag(const IniFile& ini, const char* section, const char* key, bool fallback) {
    return ini.readInteger(section, key, fallback ? 1 : 0) != 0;
}

}  // namespace

PlayerSettings LoadPlayerSettings(const IniFile& ini, const std::vector<ScreenRect>& screens,
                                  const PlayerWindowSizes& sizes) {
    const PlayerSettings defaults;
    PlayerSettings s;

    SeekBarStyle& bar = s.bar;
    bar.barStart = readColour(ini, "Bar_num", defaults.bar.barStart);
    bar.useMiddle = readFlag(ini, kColourSection, "use_mid_color", defaults.bar.useMiddle);
    bar.barEnd = readColour(ini, "Bar_num2", defaults.bar.barEnd);
    bar.useEnd = readFlag(ini, kColourSection, "use_end_color", defaults.bar.useEnd);
    bar.barMiddle = readColour(ini, "Bar_num3", defaults.bar.barMiddle);
    bar.useGrid = readFlag(ini, kColourSection, "Use_Bar", defaults.bar.useGrid);
    bar.barRest = readColour(ini, "Bar_kousi", defaults.bar.barRest);
    bar.gridColour = readColour(ini, "Bar_back", defaults.bar.gridColour);
    s.displayText = readColour(ini, "Disp_num", defaults.displayText);
    s.displayBack = readColour(ini, "Disp_back", defaults.displayBack);
    s.listText = readColour(ini, "FileList_str", defaults.listText);
    s.listBack = readColour(ini, "FileList_back", defaults.listBack);
    s.iconColour = ini.readInteger(kColourSection, "ICON_COLOR", defaults.iconColour);

    s.controllerLeft = ini.readInteger("MOVIE_POS", "Left", defaults.controllerLeft);
    s.controllerTop = ini.readInteger("MOVIE_POS", "Top", defaults.controllerTop);
    if (!screens.empty() && !meetsAScreen(s.controllerLeft, s.controllerTop, sizes.controller, screens)) {
        s.controllerLeft = defaults.controllerLeft;
        s.controllerTop = defaults.controllerTop;
    }
    s.displayLeft = ini.readInteger("DISPLAY", "disp_left", defaults.displayLeft);
    s.displayTop = ini.readInteger("DISPLAY", "disp_top", defaults.displayTop);
    if (!screens.empty() && !meetsAScreen(s.displayLeft, s.displayTop, sizes.display, screens)) {
        s.displayLeft = defaults.displayLeft;
        s.displayTop = defaults.displayTop;
    }
    s.fixedDisplaySize = readFlag(ini, "DISPLAY", "fix", defaults.fixedDisplaySize);

    s.volumePosition = std::clamp(ini.readInteger("SOUND", "position", defaults.volumePosition), 0, 100);
    // OnTop counts only as 1; the other flags count as set for any value but 0.
    s.stayOnTop = ini.readInteger("Display", "OnTop", 0) == 1;
    s.repeatMode = repeatModeFromValue(ini.readInteger("REPEAT", "MODE", 0)).value_or(RepeatMode::None);
    return s;
}

void SavePlayerSettings(IniFile& ini, const PlayerSettings& s) {
    const SeekBarStyle& bar = s.bar;
    writeColour(ini, "Bar_num", bar.barStart);
    ini.writeInteger(kColourSection, "use_mid_color", bar.useMiddle ? 1 : 0);
    writeColour(ini, "Bar_num2", bar.barEnd);
    ini.writeInteger(kColourSection, "use_end_color", bar.useEnd ? 1 : 0);
    writeColour(ini, "Bar_num3", bar.barMiddle);
    ini.writeInteger(kColourSection, "Use_Bar", bar.useGrid ? 1 : 0);
    writeColour(ini, "Bar_kousi", bar.barRest);
    writeColour(ini, "Bar_back", bar.gridColour);
    writeColour(ini, "Disp_num", s.displayText);
    writeColour(ini, "Disp_back", s.displayBack);
    writeColour(ini, "FileList_str", s.listText);
    writeColour(ini, "FileList_back", s.listBack);
    ini.writeInteger(kColourSection, "ICON_COLOR", s.iconColour);

    ini.writeInteger("MOVIE_POS", "Left", s.controllerLeft);
    ini.writeInteger("MOVIE_POS", "Top", s.controllerTop);
    ini.writeInteger("DISPLAY", "disp_left", s.displayLeft);
    ini.writeInteger("DISPLAY", "disp_top", s.displayTop);
    ini.writeInteger("DISPLAY", "fix", s.fixedDisplaySize ? 1 : 0);
    ini.writeInteger("SOUND", "position", s.volumePosition);
    ini.writeInteger("Display", "OnTop", s.stayOnTop ? 1 : 0);
    ini.writeInteger("REPEAT", "MODE", static_cast<int>(s.repeatMode));
}

}  // namespace veltrane
