#include "platform/ui/file_properties.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "platform/ui/file_properties_dialog.h"

namespace veltrane {

namespace {

constexpr int kFileManagerTimeoutMs = 5000;

void showOwnDialog(QWidget* owner, const QString& path) {
    auto* dialog = new FilePropertiesDialog(path, owner);
    dialog->show();
}

}  // namespace

void requestFileProperties(QWidget* owner, const QString& path) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        showOwnDialog(owner, path);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItemProperties");
    call.setArguments({QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)}, QString()});
    // The reply arrives through the event loop: a hung file manager never freezes the window.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kFileManagerTimeoutMs), qApp);
    QPointer<QWidget> guardedOwner(owner);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, qApp, [watcher, guardedOwner, path, owner] {
        watcher->deleteLater();
        // An owner that went away meanwhile takes its dialog with it.
        if (owner && !guardedOwner) return;
        if (watcher->isError()) showOwnDialog(guardedOwner, path);
    });
}

}  // namespace veltrane
