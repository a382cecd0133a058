#pragma once
#include <QString>

#include "platform/ui/platform_services.h"

namespace veltrane {

// Makes the picture file the wallpaper of the desktop named by XDG_CURRENT_DESKTOP: GNOME
// through GSettings, KDE Plasma and Xfce through their D-Bus services; any other desktop
// answers UnknownDesktop.
WallpaperResult setDesktopWallpaper(const QString& path);

}  // namespace veltrane
