#pragma once
// What the program needs to know about the user's desktop to set its wallpaper and to check
// for a compositor, worked out from plain strings so every rule can be tested without one.
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

enum class DesktopKind { Gnome, Kde, Xfce, Unknown };

// The desktop named by XDG_CURRENT_DESKTOP: a colon-separated list, most specific first,
// compared without case ("ubuntu:GNOME" is GNOME). The first entry the program knows decides.
DesktopKind desktopKindOf(std::string_view xdgCurrentDesktop);

// text as a JavaScript (JSON) string literal, quotes included: '\', '"' and control characters
// escaped, so nothing in a path can end the literal.
std::string jsonStringLiteral(std::string_view text);

// The Plasma shell script that gives every desktop the image wallpaper plugin and points its
// Image at fileUri. An empty value is written first: Plasma ignores a write of the value it
// already holds, and the wallpaper file keeps its name while its picture changes.
std::string kdeWallpaperScript(std::string_view fileUri);

// Of the xfce4-desktop properties under /backdrop, those naming a monitor's or workspace's
// picture: every one ending in "/last-image".
std::vector<std::string> xfceImageProperties(const std::vector<std::string>& propertyNames);

// The folder the wallpaper file lives in: $XDG_DATA_HOME/veltrane when that is an absolute
// path, else $HOME/.local/share/veltrane; empty when neither is known. Arguments may be null.
std::string wallpaperFolder(const char* xdgDataHome, const char* home);

// The X11 screen number in a DISPLAY value ("host:0.1" is 1); 0 when none is written.
int x11ScreenNumber(std::string_view display);

}  // namespace veltrane
