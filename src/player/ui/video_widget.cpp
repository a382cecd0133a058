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

namespace {

// The frame as a QImage over the same memory (no copy); the image keeps the frame alive.
QImage imageOf(const VideoFrame& frame) {
    if (frame.isNull() || frame.width <= 0 || frame.height <= 0) return {};
    auto* keeper = new VideoFrame(frame);
    return QImage(
        frame.bits, frame.width, frame.height, frame.stride, QImage::Format_BGR888,
        [](void* info) { delete static_cast<VideoFrame*>(info); }, keeper);
}

}  // namespace

void VideoWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const VideoFrame frame = engine_ ? engine_->currentFrame() : VideoFrame();
    const QImage image = imageOf(frame);
    if (image.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    if (image.size() != size()) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image);
    if (frame.serial != lastSerial_) {
        lastSerial_ = frame.serial;
        ++paintedFrames_;
    }
}

}  // namespace veltrane
