#include "image/ui/histogram_window.h"

#include <QGuiApplication>
#include <QScreen>

#include "image/histogram.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/guarded_connect.h"
#include "widgets/ui/stair_chart.h"

namespace veltrane {

namespace {

constexpr int kClientWidth = 577;
constexpr int kClientHeight = 236;
constexpr int kChartWidth = 289;
constexpr int kChartHeight = 105;

QList<qint64> toList(const std::array<std::int64_t, 256>& counts) { return QList<qint64>(counts.begin(), counts.end()); }

}  // namespace

THistogram::THistogram(DocumentHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      host_(host) {
    setObjectName("Histogram");
    setWindowTitle("ヒストグラム");
    setFixedSize(kClientWidth, kClientHeight);
    Chart1 = new StairChart("Chart1", "赤", Qt::red, "Series1", QColor(240, 15, 54), this);
    Chart2 = new StairChart("Chart2", "緑", Qt::green, "Series2", QColor(1, 186, 66), this);
    Chart3 = new StairChart("Chart3", "青", Qt::blue, "Series3", QColor(60, 116, 234), this);
    Chart4 = new StairChart("Chart4", "輝度値", Qt::white, "Series4", QColor(238, 252, 65), this);
    Chart1->setGeometry(0, 0, kChartWidth, kChartHeight);
    Chart2->setGeometry(0, kChartHeight, kChartWidth, kChartHeight);
    // The right-hand charts overlap the left-hand ones by a column and reach the right edge.
    constexpr int kRightLeft = kChartWidth - 1;
    Chart3->setGeometry(kRightLeft, 0, kClientWidth - kRightLeft, kChartHeight);
    Chart4->setGeometry(kRightLeft, kChartHeight, kClientWidth - kRightLeft, kChartHeight);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 2 * kChartHeight + 4, 380, 20);
    ShineSpeedButton1 = new QPushButton("再計算する", this);
    ShineSpeedButton1->setObjectName("ShineSpeedButton1");
    ShineSpeedButton1->setToolTip("メインフォームの画像の変化を反映させるにはこのボタンを押して下さい");
    ShineSpeedButton1->setGeometry(kClientWidth - 108, 2 * kChartHeight + 2, 100, 23);
    connectGuarded(ShineSpeedButton1, &QPushButton::clicked, this, &THistogram::BitBtn1Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void THistogram::ShowHistograms(const ColorPlanes& planes) {
    const Histograms counts = ComputeHistograms(planes);
    Chart1->series()->setValues(toList(counts.red));
    Chart2->series()->setValues(toList(counts.green));
    Chart3->series()->setValues(toList(counts.blue));
    Chart4->series()->setValues(toList(counts.luminance));
    for (StairChart* chart : {Chart1, Chart2, Chart3, Chart4}) chart->update();
    show();
    raise();
}

void THistogram::BitBtn1Click() {
    // The window outlives the picture: with nothing loaded there is nothing to count.
    if (!host_.document().imageLoaded) return;
    ShowHistograms(host_.document().current);
}

}  // namespace veltrane
