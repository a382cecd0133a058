#pragma once
// Reading and writing the settings file Veltrane.ini. Every window that keeps settings
// reads the file when it is created and updates its own keys when it closes; whatever else
// the file holds is kept as it was.
#include <QString>
#include <functional>

#include "common/ini_file.h"

namespace veltrane {

// Veltrane.ini beside the executable when that folder is writable, otherwise in
// $XDG_CONFIG_HOME/veltrane/ (~/.config/veltrane/). VELTRANE_INI names another file.
QString settingsFilePath();

// The whole file, whatever its size. A missing or unreadable file reads as empty: every key
// takes its default.
IniFile loadSettings();

// Reads the file afresh, lets edit change its keys and writes it back through a temporary
// file and a rename. A file that exists but cannot be read whole is never written back, so
// nothing in it is lost. On failure a warning says the settings were not saved and why.
bool updateSettings(const std::function<void(IniFile&)>& edit);

}  // namespace veltrane
