#include "player/ui/busy_wait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace veltrane {

namespace {
// How often the condition is looked at while the loop runs.
constexpr int kPollMs = 5;
}  // namespace

bool waitBusy(const std::function<bool()>& done, int timeoutMs) {
    if (done()) return true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() >= timeoutMs) loop.quit();
    });
    poll.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
    return done();
}

}  // namespace veltrane
