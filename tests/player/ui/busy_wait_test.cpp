// The player's bounded wait: busy cursor, repaints, and nothing else running meanwhile.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "player/ui/busy_wait.h"

using namespace veltrane;

namespace {

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

TEST(BusyWait, PumpsAndRepaintsUnderTheBusyCursorUntilDone) {
    PaintCounter widget;
    widget.resize(40, 30);
    widget.show();
    QCoreApplication::processEvents();
    const int paintsBefore = widget.paints;
    widget.update();

    bool queuedCallRan = false;
    QMetaObject::invokeMethod(&widget, [&] { queuedCallRan = true; }, Qt::QueuedConnection);
    int pumps = 0;
    Qt::CursorShape shapeWhilePumping = Qt::ArrowCursor;
    const bool done = waitBusy([&] { return pumps == 3; },
                               [&] {
                                   ++pumps;
                                   if (const QCursor* cursor = QApplication::overrideCursor())
                                       shapeWhilePumping = cursor->shape();
                               },
                               5000);
    EXPECT_TRUE(done);
    EXPECT_EQ(pumps, 3);
    EXPECT_EQ(shapeWhilePumping, Qt::BusyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the cursor is restored";
    EXPECT_GT(widget.paints, paintsBefore) << "the window repainted during the wait";
    EXPECT_FALSE(queuedCallRan) << "no queued call runs inside the wait";
    QCoreApplication::processEvents();
    EXPECT_TRUE(queuedCallRan);
}

TEST(BusyWait, GivesUpAfterItsTimeAndNeverWaitsForWhatIsDone) {
    int pumps = 0;
    EXPECT_FALSE(waitBusy([] { return false; }, [&] { ++pumps; }, 30));
    EXPECT_GE(pumps, 2);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    pumps = 0;
    EXPECT_TRUE(waitBusy([] { return true; }, [&] { ++pumps; }, 30));
    EXPECT_EQ(pumps, 0);
}
