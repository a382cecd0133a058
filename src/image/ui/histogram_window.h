#pragma once
// The histogram window: four stair charts of the red, green, blue and luminance counts of
// the main window's picture. It lives for the whole run and is only hidden when closed.
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "image/color_planes.h"

namespace veltrane {

class DocumentHost;
class StairChart;

class THistogram : public QWidget {
    Q_OBJECT

public:
    explicit THistogram(DocumentHost& host, QWidget* parent = nullptr);

    // Counts the histograms of the planes, loads the four charts and shows the window.
    void ShowHistograms(const ColorPlanes& planes);

    StairChart *Chart1, *Chart2, *Chart3, *Chart4;
    QLabel* Label1;
    QPushButton* ShineSpeedButton1;

public slots:
    // "再計算する": counts the main window's current picture again; the size line stays.
    void BitBtn1Click();

private:
    DocumentHost& host_;
};

}  // namespace veltrane
