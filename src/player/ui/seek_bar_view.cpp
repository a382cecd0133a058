#include "player/ui/seek_bar_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace veltrane {

SeekBarView::SeekBarView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSeekBarWidth, kSeekBarHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SeekBarView::setBar(const SeekBarImage& bar) {
    if (bar.width <= 0 || bar.height <= 0) {
        image_ = QImage();
    } else {
        // The bar's rows are unpadded; the copy owns its pixels.
        image_ = QImage(bar.bgr.data(), bar.width, bar.height, 3 * bar.width, QImage::Format_BGR888).copy();
    }
    update();
}

void SeekBarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.drawImage(0, 0, image_);
}

void SeekBarView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        emit leftButtonPressed(at.x(), at.y());
    }
    QWidget::mousePressEvent(event);
}

}  // namespace veltrane
