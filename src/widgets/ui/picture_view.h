#pragma once
// A picture control: shows one picture at its own size (auto size) or stretched to the
// control's size, and reports mouse moves and double clicks in control coordinates and
// mouse presses in picture coordinates.
#include <QImage>
#include <QWidget>

namespace veltrane {

class PictureView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)

public:
    explicit PictureView(QWidget* parent = nullptr);

    // The picture may share memory with its owner's bitmap; call update() after the
    // owner writes into it.
    void setPicture(const QImage& picture);
    void clearPicture();
    const QImage& picture() const { return picture_; }

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool stretch() const { return stretch_; }
    void setStretch(bool on);

signals:
    void mouseMoved(int x, int y);
    void doubleClicked();
    // button 1 left, 2 right, 3 middle, 0 any other; x, y in picture pixels (scaled back when stretched).
    void mousePressed(int button, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    bool autoSize_ = true;
    bool stretch_ = false;
};

}  // namespace veltrane
