#include "platform/ui/gsettings_wallpaper.h"

// GIO's headers name a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <memory>

namespace veltrane {

namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";

struct SchemaRelease {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};
struct ObjectRelease {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct StringRelease {
    void operator()(gchar* text) const { g_free(text); }
};

}  // namespace

WallpaperResult setGnomeWallpaper(const QString& fileUri) {
    // g_settings_new aborts the process on a schema that is not installed: look it up first.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source) return {WallpaperResult::Status::Failed, "GSettings のスキーマが見つかりません"};
    std::unique_ptr<GSettingsSchema, SchemaRelease> schema(g_settings_schema_source_lookup(source, kSchema, TRUE));
    if (!schema) return {WallpaperResult::Status::Failed, QString("%1 がありません").arg(kSchema)};

    std::unique_ptr<GSettings, ObjectRelease> settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    const QByteArray uri = fileUri.toUtf8();
    bool written = g_settings_set_string(settings.get(), "picture-uri", uri.constData());
    if (g_settings_schema_has_key(schema.get(), "picture-uri-dark"))
        written = g_settings_set_string(settings.get(), "picture-uri-dark", uri.constData()) && written;
    std::unique_ptr<gchar, StringRelease> options(g_settings_get_string(settings.get(), "picture-options"));
    // "none" shows no picture at all.
    if (options && g_strcmp0(options.get(), "none") == 0)
        written = g_settings_set_string(settings.get(), "picture-options", "zoom") && written;
    g_settings_sync();
    if (!written) return {WallpaperResult::Status::Failed, "GSettings に書き込めませんでした"};
    return {WallpaperResult::Status::Set, {}};
}

}  // namespace veltrane
