#pragma once
// Reading and writing the settings file Veltrane.ini. Every window that keeps settings
// opens the file, reads or writes its keys and closes it again.
#include <QString>

#include "app/ini_file.h"

namespace veltrane {

// Veltrane.ini beside the executable when that folder is writable, otherwise in
// $XDG_CONFIG_HOME/veltrane/ (~/.config/veltrane/). VELTRANE_INI names another file.
QString settingsFilePath();

// A missing or unreadable file reads as empty: every key takes its default.
IniFile loadSettings();
// Writes through a temporary file and a rename, so a crash never leaves half a file.
// Returns false when the file could not be written.
bool saveSettings(const IniFile& ini);

}  // namespace veltrane
