#include "player/ui/video_widget.h"

#include <QPainter>

namespace veltrane {

VideoWidget::VideoWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void VideoWidget::setEngine(MediaEngine* engine) {
    if (connection_) disconnect(connection_);
    engine_ = engine;
    lastSerial_ = 0;
    paintedFrames_ = 0;
    if (engine != nullptr)
        connection_ = connect(engine, &MediaEngine::frameAvailable, this, qOverload<>(&QWidget::update));
    update();
}

void VideoWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const VideoFrame frame = engine_ ? engine_->currentFrame() : VideoFrame();
    const QImage image = frame.image();
    if (image.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    if (image.size() != size()) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image);
    if (frame.serial() != lastSerial_) {
        lastSerial_ = frame.serial();
        ++paintedFrames_;
    }
}

}  // namespace veltrane
