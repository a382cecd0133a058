#include "platform/ui/desktop_wallpaper.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QUrl>
#include <QVariantMap>

#include "platform/desktop_environment.h"
#include "platform/ui/gsettings_wallpaper.h"

namespace veltrane {

namespace {

constexpr int kDBusTimeoutMs = 5000;

WallpaperResult failed(const QString& reason) { return {WallpaperResult::Status::Failed, reason}; }

// Sends a call to the session bus and waits for its answer (at most 5 s); an error reply is
// returned as the message of type ErrorMessage.
QDBusMessage callSessionBus(const QString& service, const QString& path, const QString& interface,
                            const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, kDBusTimeoutMs);
}

WallpaperResult setPlasmaWallpaper(const QString& fileUri) {
    const QString script = QString::fromStdString(kdeWallpaperScript(fileUri.toStdString()));
    const QDBusMessage reply = callSessionBus("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell",
                                              "evaluateScript", {script});
    if (reply.type() == QDBusMessage::ErrorMessage) return failed(reply.errorMessage());
    return {WallpaperResult::Status::Set, {}};
}

WallpaperResult setXfceWallpaper(const QString& path) {
    const QString service = "org.xfce.Xfconf", object = "/org/xfce/Xfconf", interface = "org.xfce.Xfconf";
    const QDBusMessage all =
        callSessionBus(service, object, interface, "GetAllProperties", {QString("xfce4-desktop"), QString("/backdrop")});
    if (all.type() == QDBusMessage::ErrorMessage) return failed(all.errorMessage());
    std::vector<std::string> names;
    if (!all.arguments().isEmpty())
        for (const QString& name : qdbus_cast<QVariantMap>(all.arguments().first()).keys()) names.push_back(name.toStdString());
    const std::vector<std::string> images = xfceImageProperties(names);
    if (images.empty()) return failed("xfce4-desktop に壁紙の設定がありません");
    for (const std::string& name : images) {
        // xfdesktop ignores a write of the value it already holds: write a blank first.
        for (const QString& value : {QString(), path}) {
            const QDBusMessage reply =
                callSessionBus(service, object, interface, "SetProperty",
                               {QString("xfce4-desktop"), QString::fromStdString(name), QVariant::fromValue(QDBusVariant(value))});
            if (reply.type() == QDBusMessage::ErrorMessage) return failed(reply.errorMessage());
        }
    }
    return {WallpaperResult::Status::Set, {}};
}

}  // namespace

WallpaperResult setDesktopWallpaper(const QString& path) {
    const QString fileUri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    switch (desktopKindOf(qgetenv("XDG_CURRENT_DESKTOP").toStdString())) {
    case DesktopKind::Gnome: return setGnomeWallpaper(fileUri);
    case DesktopKind::Kde:
        if (!QDBusConnection::sessionBus().isConnected()) return failed("D-Bus のセッションバスに接続できません");
        return setPlasmaWallpaper(fileUri);
    case DesktopKind::Xfce:
        if (!QDBusConnection::sessionBus().isConnected()) return failed("D-Bus のセッションバスに接続できません");
        return setXfceWallpaper(path);
    case DesktopKind::Unknown: break;
    }
    return {WallpaperResult::Status::UnknownDesktop, {}};
}

}  // namespace veltrane
