#pragma once
// One preview cell's panel: a 210 × 160 panel with a colour of its own that reports left clicks
// and double clicks, the ones on the video it holds included.
#include <QColor>
#include <QFrame>

namespace veltrane {

class ScenePanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    explicit ScenePanel(QWidget* parent = nullptr);

    QColor color() const;
    void setColor(const QColor& colour);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool secondClick_ = false;  // the release that ends a double click is no click of its own
};

}  // namespace veltrane
