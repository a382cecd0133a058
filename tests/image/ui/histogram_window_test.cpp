// The histogram window's layout: its four charts cover the chart rows edge to edge.
#include <gtest/gtest.h>

#include <QImage>

#include "image/ui/histogram_window.h"
#include "support/fake_document_host.h"
#include "widgets/ui/stair_chart.h"

using namespace veltrane;

TEST(HistogramWindow, ChartsCoverTheWholeWidthOfTheirRows) {
    test::FakeDocumentHost host;
    THistogram window(host);
    ASSERT_EQ(window.size(), QSize(577, 236));
    const QRect left = window.Chart1->geometry();
    EXPECT_EQ(left.size(), QSize(289, 105));
    EXPECT_EQ(window.Chart2->geometry(), left.translated(0, 105));
    EXPECT_EQ(window.Chart3->geometry().right(), 576);
    EXPECT_EQ(window.Chart4->geometry(), window.Chart3->geometry().translated(0, 105));

    // The top row of each chart is its black background only (title and axes start lower):
    // every column of it is painted by a chart, the last one included.
    const QImage shot = window.grab().toImage();
    for (const int y : {0, 105})
        for (int x = 0; x < window.width(); ++x)
            ASSERT_EQ(shot.pixelColor(x, y), QColor(Qt::black)) << "column " << x << ", row " << y;
}
