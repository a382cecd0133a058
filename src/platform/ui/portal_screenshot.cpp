#include "platform/ui/portal_screenshot.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>

namespace veltrane {

namespace {

constexpr int kPortalTimeoutMs = 30000;
const QString kPortalService = "org.freedesktop.portal.Desktop";

}  // namespace

void PortalResponse::take(uint response, const QVariantMap& values) {
    answered = true;
    code = response;
    results = values;
    emit arrived();
}

QImage grabThroughPortal() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return {};
    // The request object's path is known before the call, so the answer cannot slip past.
    const QString token = QString("veltrane%1").arg(QRandomGenerator::global()->generate());
    const QString sender = bus.baseService().mid(1).replace('.', '_');
    const QString requestPath = "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
    PortalResponse response;
    if (!bus.connect(kPortalService, requestPath, "org.freedesktop.portal.Request", "Response", &response,
                     SLOT(take(uint, QVariantMap))))
        return {};

    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, "/org/freedesktop/portal/desktop",
                                                       "org.freedesktop.portal.Screenshot", "Screenshot");
    call.setArguments({QString(), QVariantMap{{"handle_token", token}, {"interactive", false}}});
    QDBusPendingCallWatcher watcher(bus.asyncCall(call));

    QEventLoop loop;
    QObject::connect(&response, &PortalResponse::arrived, &loop, &QEventLoop::quit);
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
        if (watcher.isError()) loop.quit();
    });
    QTimer::singleShot(kPortalTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    bus.disconnect(kPortalService, requestPath, "org.freedesktop.portal.Request", "Response", &response,
                   SLOT(take(uint, QVariantMap)));

    if (!response.answered || response.code != 0) return {};
    const QUrl uri(response.results.value("uri").toString());
    if (!uri.isLocalFile()) return {};
    return QImage(uri.toLocalFile());
}

}  // namespace veltrane
