#include "image/ui/histogram_window.h"

namespace veltrane {

THistogram::THistogram(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Histogram");
    setWindowTitle("Histogram");
    resize(400, 300);
}

}  // namespace veltrane
