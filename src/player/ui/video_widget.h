#pragma once
// The surface the player's video is drawn on: it paints the engine's latest frame scaled to the
// whole widget (no aspect correction, as the video is placed in its panel), black when there
// is no frame. Works on every platform plugin, the offscreen one included.
#include <QPointer>
#include <QWidget>

#include "player/ui/media_engine.h"

namespace veltrane {

class VideoWidget : public QWidget {
    Q_OBJECT

public:
    explicit VideoWidget(QWidget* parent = nullptr);

    // Shows the frames of engine from now on; nullptr detaches and shows black.
    void setEngine(MediaEngine* engine);
    MediaEngine* engine() const { return engine_; }

    // Distinct frames painted since the engine was set.
    quint64 paintedFrames() const { return paintedFrames_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<MediaEngine> engine_;
    QMetaObject::Connection connection_;
    quint64 lastSerial_ = 0;
    quint64 paintedFrames_ = 0;
};

}  // namespace veltrane
