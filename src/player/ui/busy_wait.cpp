#include "player/ui/busy_wait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

namespace veltrane {

namespace {
// How often the wait pumps and looks at its condition.
constexpr int kPollMs = 5;
}  // namespace

bool waitBusy(const std::function<bool()>& done, const std::function<void()>& pump, int timeoutMs) {
    if (done()) return true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        pump();
        // Repaints are posted as update requests: deliver those alone.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        if (done() || clock.elapsed() >= timeoutMs) break;
        QThread::msleep(kPollMs);
    }
    QApplication::restoreOverrideCursor();
    return done();
}

}  // namespace veltrane
