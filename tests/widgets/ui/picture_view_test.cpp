// The picture control's mouse presses: which button, and where on the picture.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "widgets/ui/picture_view.h"

using namespace veltrane;

TEST(PictureViewTest, PressReportsTheButtonNumberAndThePicturePoint) {
    struct Case {
        Qt::MouseButton button;
        int number;
    };
    PictureView view;
    view.setPicture(QImage(255, 255, QImage::Format_BGR888));
    QSignalSpy spy(&view, &PictureView::mousePressed);
    for (const Case& c : {Case{Qt::LeftButton, 1}, Case{Qt::RightButton, 2}, Case{Qt::MiddleButton, 3}, Case{Qt::BackButton, 0}}) {
        QTest::mousePress(&view, c.button, Qt::NoModifier, QPoint(128, 7));
        QTest::mouseRelease(&view, c.button, Qt::NoModifier, QPoint(128, 7));
        ASSERT_EQ(spy.count(), 1);
        const QList<QVariant> args = spy.takeFirst();
        EXPECT_EQ(args.at(0).toInt(), c.number);
        EXPECT_EQ(args.at(1).toInt(), 128);
        EXPECT_EQ(args.at(2).toInt(), 7);
    }
}

TEST(PictureViewTest, StretchedPressIsScaledBackToThePicture) {
    PictureView view;
    view.setAutoSize(false);
    view.setStretch(true);
    view.setPicture(QImage(128, 128, QImage::Format_BGR888));
    view.resize(256, 64);
    QSignalSpy spy(&view, &PictureView::mousePressed);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 100);
    EXPECT_EQ(spy.at(0).at(2).toInt(), 80);
}
