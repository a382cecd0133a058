#pragma once
// The player's part of the settings file: colours, window positions, volume, stay on top,
// fixed display size and repeat mode, in the sections MOVIECOLOR, MOVIE_POS, DISPLAY,
// SOUND and REPEAT. The controller loads them when it is created and saves them when the
// player closes.
#include <vector>

#include "common/ini_file.h"
#include "common/screen_geometry.h"
#include "player/seek_bar.h"
#include "playlist/play_order.h"

namespace veltrane {

struct PlayerSettings {
    SeekBarStyle bar;                                          // Bar_num*, Bar_kousi, Bar_back, the three flags
    PlayerColour displayText = playerColour(0, 255, 255);      // Label2's text (Disp_num)
    PlayerColour displayBack = playerColour(0, 0, 0);          // Label2's background (Disp_back)
    PlayerColour listText = playerColour(0, 0, 255);           // ListView1's text (FileList_str)
    PlayerColour listBack = playerColour(255, 255, 255);       // ListView1's background (FileList_back)
    int iconColour = 2;          // 0 red, 1 yellow, 2 blue, 3 green, 4 black; other values draw no icon
    int controllerLeft = 200;    // MOVIE_POS
    int controllerTop = 200;
    int displayLeft = 300;       // DISPLAY
    int displayTop = 300;
    bool fixedDisplaySize = true;
    int volumePosition = 30;     // SOUND/position, 0 to 100
    bool stayOnTop = false;      // Display/OnTop: only the value 1 sets it
    RepeatMode repeatMode = RepeatMode::None;

    bool operator==(const PlayerSettings&) const = default;
};

// The sizes the position check assumes for the two windows.
struct PlayerWindowSizes {
    WindowSize controller{154, 113};
    WindowSize display{243, 213};
};

// Reads every key; a missing key, a value that is not a whole number or does not fit in
// 32 bits takes the default. Colours take the lowest 8 bits of each of R, G and B; a flag is
// set by any value other than 0 (OnTop only by 1). The volume position is kept within 0 to 100; MODE other
// than 0, 1 or 2 leaves the repeat mode none; ICON_COLOR is kept as read. A window whose
// rectangle at the stored position would meet none of the screens returns to its default
// position (with no screens given, positions are kept as read).
PlayerSettings LoadPlayerSettings(const IniFile& ini, const std::vector<ScreenRect>& screens,
                                  const PlayerWindowSizes& sizes = {});

// Writes every key: colours split into R, G and B, flags as 0 or 1, ICON_COLOR as held,
// MODE 0, 1 or 2. OnTop is written under "Display", which is the section DISPLAY.
void SavePlayerSettings(IniFile& ini, const PlayerSettings& settings);

}  // namespace veltrane
