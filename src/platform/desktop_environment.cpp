#include "platform/desktop_environment.h"

#include <cctype>
#include <cstdio>

namespace veltrane {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

DesktopKind desktopKindOf(std::string_view xdgCurrentDesktop) {
    std::string_view rest = xdgCurrentDesktop;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view name = rest.substr(0, colon);
        if (equalsIgnoringCase(name, "GNOME")) return DesktopKind::Gnome;
        if (equalsIgnoringCase(name, "KDE")) return DesktopKind::Kde;
        if (equalsIgnoringCase(name, "XFCE")) return DesktopKind::Xfce;
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return DesktopKind::Unknown;
}

std::string jsonStringLiteral(std::string_view text) {
    std::string literal = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': literal += "\\\""; break;
        case '\\': literal += "\\\\"; break;
        case '\n': literal += "\\n"; break;
        case '\r': literal += "\\r"; break;
        case '\t': literal += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                literal += escaped;
            } else {
                literal += c;
            }
        }
    }
    return literal + "\"";
}

std::string kdeWallpaperScript(std::string_view fileUri) {
    return "var all = desktops();\n"
           "for (var i = 0; i < all.length; i++) {\n"
           "    var d = all[i];\n"
           "    d.wallpaperPlugin = \"org.kde.image\";\n"
           "    d.currentConfigGroup = Array(\"Wallpaper\", \"org.kde.image\", \"General\");\n"
           "    d.writeConfig(\"Image\", \"\");\n"
           "    d.writeConfig(\"Image\", " +
           jsonStringLiteral(fileUri) +
           ");\n"
           "}\n";
}

std::vector<std::string> xfceImageProperties(const std::vector<std::string>& propertyNames) {
    std::vector<std::string> chosen;
    for (const std::string& name : propertyNames)
        if (endsWith(name, "/last-image")) chosen.push_back(name);
    return chosen;
}

std::string wallpaperFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/veltrane";
    if (home && home[0] != '\0') return std::string(home) + "/.local/share/veltrane";
    return {};
}

int x11ScreenNumber(std::string_view display) {
    const std::size_t colon = display.rfind(':');
    if (colon == std::string_view::npos) return 0;
    const std::size_t dot = display.find('.', colon);
    if (dot == std::string_view::npos) return 0;
    int screen = 0;
    for (const char c : display.substr(dot + 1)) {
        if (c < '0' || c > '9') return 0;
        screen = screen * 10 + (c - '0');
        if (screen > 255) return 0;
    }
    return screen;
}

}  // namespace veltrane
