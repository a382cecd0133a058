#include "widgets/ui/picture_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace veltrane {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setPicture(const QImage& picture) {
    picture_ = picture;
    if (autoSize_) resize(picture_.size());
    update();
}

void PictureView::clearPicture() {
    picture_ = QImage();
    if (autoSize_) resize(0, 0);
    update();
}

void PictureView::setAutoSize(bool on) {
    autoSize_ = on;
    if (autoSize_ && !picture_.isNull()) resize(picture_.size());
}

void PictureView::setStretch(bool on) {
    stretch_ = on;
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (picture_.isNull() || width() <= 0 || height() <= 0) return;
    QPainter painter(this);
    if (stretch_)
        painter.drawImage(rect(), picture_);
    else
        painter.drawImage(0, 0, picture_);
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseMoved(p.x(), p.y());
    QWidget::mouseMoveEvent(event);
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton: button = 1; break;
        case Qt::RightButton: button = 2; break;
        case Qt::MiddleButton: button = 3; break;
        default: break;
    }
    QPoint p = event->position().toPoint();
    if (stretch_ && !picture_.isNull() && width() > 0 && height() > 0)
        p = QPoint(p.x() * picture_.width() / width(), p.y() * picture_.height() / height());
    emit mousePressed(button, p.x(), p.y());
    QWidget::mousePressEvent(event);
}

}  // namespace veltrane
