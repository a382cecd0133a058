#pragma once
#include <QString>

#include "platform/ui/platform_services.h"

namespace veltrane {

// GNOME: points org.gnome.desktop.background (picture-uri and, where the schema has it,
// picture-uri-dark) at fileUri through GSettings. A missing schema is a failure, never an abort.
WallpaperResult setGnomeWallpaper(const QString& fileUri);

}  // namespace veltrane
