#pragma once
// A picture of the screen through the desktop portal, for Wayland sessions where a direct
// grab sees only the X11 windows.
#include <QImage>
#include <QObject>
#include <QVariantMap>

namespace veltrane {

// Receives the portal request's Response signal.
class PortalResponse : public QObject {
    Q_OBJECT

public:
    bool answered = false;
    uint code = 2;  // 0 success, 1 cancelled, 2 other
    QVariantMap results;

signals:
    void arrived();

public slots:
    void take(uint response, const QVariantMap& values);
};

// Asks org.freedesktop.portal.Screenshot for a non-interactive screenshot and waits for the
// answer (at most 30 s) while events other than user input go on; null when refused.
QImage grabThroughPortal();

}  // namespace veltrane
