// The desktop rules behind wallpaper and transparency: which desktop is running, the Plasma
// script with a hostile path, the Xfce properties written, where the wallpaper file lives.
#include <gtest/gtest.h>

#include "platform/desktop_environment.h"

using namespace veltrane;

TEST(DesktopKind, ReadFromTheColonSeparatedListWithoutCase) {
    const struct {
        const char* value;
        DesktopKind kind;
    } cases[] = {
        {"ubuntu:GNOME", DesktopKind::Gnome}, {"GNOME", DesktopKind::Gnome},         {"gnome", DesktopKind::Gnome},
        {"KDE", DesktopKind::Kde},            {"XFCE", DesktopKind::Xfce},           {"xfce", DesktopKind::Xfce},
        {"X-Cinnamon", DesktopKind::Unknown}, {"", DesktopKind::Unknown},            {":", DesktopKind::Unknown},
        {"GNOME-Flashback:GNOME", DesktopKind::Gnome}, {"Unity:Unity7:ubuntu", DesktopKind::Unknown},
        {"KDEX", DesktopKind::Unknown},       {"X-Foo:KDE:GNOME", DesktopKind::Kde},
    };
    for (const auto& c : cases) EXPECT_EQ(desktopKindOf(c.value), c.kind) << '"' << c.value << '"';
}

TEST(KdeScript, PathIsOneStringLiteralWhateverItHolds) {
    const std::string uri = "file:///home/a\"b\\c/\n/Veltrane_Wallpaper.bmp";
    const std::string script = kdeWallpaperScript(uri);
    const std::string literal = "\"file:///home/a\\\"b\\\\c/\\n/Veltrane_Wallpaper.bmp\"";
    EXPECT_NE(script.find("d.writeConfig(\"Image\", " + literal + ");"), std::string::npos) << script;
    EXPECT_NE(script.find("d.wallpaperPlugin = \"org.kde.image\";"), std::string::npos);
    EXPECT_NE(script.find("Array(\"Wallpaper\", \"org.kde.image\", \"General\")"), std::string::npos);
    EXPECT_EQ(script.find('\n' + std::string("/Veltrane")), std::string::npos) << "a raw newline escaped the literal";
    // Written blank first, so Plasma sees a change when the file name stays the same.
    EXPECT_LT(script.find("d.writeConfig(\"Image\", \"\");"), script.find(literal));
}

TEST(KdeScript, ControlCharactersBecomeUnicodeEscapes) {
    EXPECT_EQ(jsonStringLiteral(std::string("a\x01z\x7f", 4)), "\"a\\u0001z\\u007f\"");
    EXPECT_EQ(jsonStringLiteral("\t\r"), "\"\\t\\r\"");
    EXPECT_EQ(jsonStringLiteral("日本語 %20 #"), "\"日本語 %20 #\"");
}

TEST(XfceProperties, EveryLastImageAndNothingElse) {
    const std::vector<std::string> names{"/backdrop/screen0/monitorHDMI-1/workspace0/last-image",
                                         "/backdrop/screen0/monitorHDMI-1/workspace0/image-style",
                                         "/backdrop/screen0/monitoreDP-1/workspace1/last-image",
                                         "/backdrop/screen0/monitor0/last-image-x",
                                         "/backdrop/single-workspace-mode"};
    EXPECT_EQ(xfceImageProperties(names), (std::vector<std::string>{names[0], names[2]}));
    EXPECT_TRUE(xfceImageProperties({"/backdrop/screen0/monitor0/image-path"}).empty());
}

TEST(WallpaperFolder, DataHomeThenHome) {
    EXPECT_EQ(wallpaperFolder("/tmp/data", "/home/u"), "/tmp/data/veltrane");
    EXPECT_EQ(wallpaperFolder(nullptr, "/home/u"), "/home/u/.local/share/veltrane");
    EXPECT_EQ(wallpaperFolder("", "/home/u"), "/home/u/.local/share/veltrane");
    EXPECT_EQ(wallpaperFolder("relative/data", "/home/u"), "/home/u/.local/share/veltrane") << "relative is ignored";
    EXPECT_EQ(wallpaperFolder(nullptr, nullptr), "");
}

TEST(X11Screen, NumberAfterTheDot) {
    const struct {
        const char* display;
        int screen;
    } cases[] = {{":0", 0}, {":0.1", 1}, {"host:10.2", 2}, {"[::1]:0.3", 3}, {"", 0}, {":1.x", 0}, {"localhost:0.", 0}};
    for (const auto& c : cases) EXPECT_EQ(x11ScreenNumber(c.display), c.screen) << c.display;
}
