// GNOME's wallpaper through GSettings, against a schema of the same id compiled into a
// temporary folder and the in-memory settings backend, so nothing reaches the user's desktop.
#include <gtest/gtest.h>

#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/ui/gsettings_wallpaper.h"

using namespace veltrane;

namespace {

const char* kSchema = R"(<schemalist>
  <enum id="test.veltrane.Options">
    <value nick="none" value="0"/><value nick="wallpaper" value="1"/><value nick="centered" value="2"/>
    <value nick="scaled" value="3"/><value nick="stretched" value="4"/><value nick="zoom" value="5"/>
    <value nick="spanned" value="6"/>
  </enum>
  <schema id="org.gnome.desktop.background" path="/org/gnome/desktop/background/">
    <key name="picture-uri" type="s"><default>''</default></key>
    <key name="picture-uri-dark" type="s"><default>''</default></key>
    <key name="picture-options" enum="test.veltrane.Options"><default>'none'</default></key>
  </schema>
</schemalist>
)";

QString stringOf(GSettings* settings, const char* key) {
    gchar* value = g_settings_get_string(settings, key);
    const QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

}  // namespace

TEST(GnomeWallpaper, BothPicturesPointAtTheFileAndNoneBecomesZoom) {
    QTemporaryDir schemas;
    QFile file(schemas.filePath("org.gnome.desktop.background.gschema.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kSchema);
    file.close();
    ASSERT_EQ(QProcess::execute("glib-compile-schemas", {schemas.path()}), 0);
    // Set before the first lookup: the process keeps its schema source.
    qputenv("GSETTINGS_SCHEMA_DIR", schemas.path().toUtf8());
    qputenv("GSETTINGS_BACKEND", "memory");

    const QString uri = "file:///home/u/.local/share/veltrane/Veltrane_Wallpaper.bmp";
    const WallpaperResult result = setGnomeWallpaper(uri);
    EXPECT_EQ(result.status, WallpaperResult::Status::Set) << result.reason.toStdString();

    GSettings* settings = g_settings_new("org.gnome.desktop.background");
    EXPECT_EQ(stringOf(settings, "picture-uri"), uri);
    EXPECT_EQ(stringOf(settings, "picture-uri-dark"), uri);
    EXPECT_EQ(stringOf(settings, "picture-options"), "zoom");

    // A chosen placement other than "none" stays as the user set it.
    g_settings_set_string(settings, "picture-options", "scaled");
    EXPECT_EQ(setGnomeWallpaper(uri + "2").status, WallpaperResult::Status::Set);
    EXPECT_EQ(stringOf(settings, "picture-options"), "scaled");
    EXPECT_EQ(stringOf(settings, "picture-uri"), uri + "2");
    g_object_unref(settings);
}
