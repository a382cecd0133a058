#pragma once
// The controller's seek bar picture: shows the painted bar pixel for pixel and reports a
// press of the left mouse button with its position.
#include <QImage>
#include <QWidget>

#include "player/seek_bar.h"

namespace veltrane {

class SeekBarView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QImage image READ image)

public:
    explicit SeekBarView(QWidget* parent = nullptr);

    void setBar(const SeekBarImage& bar);
    const QImage& image() const { return image_; }

signals:
    void leftButtonPressed(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

}  // namespace veltrane
