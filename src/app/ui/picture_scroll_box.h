#pragma once
// The black scrolling area around the picture. Its pop-up menu follows the document state;
// the right button doubles as a modifier for wheel navigation, so the menu opens when the
// right button is released without a wheel turn in between.
#include <QMenu>
#include <QPointer>
#include <QScrollArea>

namespace veltrane {

class PictureScrollBox : public QScrollArea {
    Q_OBJECT
    Q_PROPERTY(QString popupMenu READ popupMenuName)
    Q_PROPERTY(QString PopupMenu READ popupMenuName)

public:
    explicit PictureScrollBox(QWidget* parent = nullptr);

    void setPopupMenu(QMenu* menu) { popup_ = menu; }
    QMenu* popupMenu() const { return popup_; }
    QString popupMenuName() const { return popup_ ? popup_->objectName() : QString(); }

    // Watches a child (the picture control) for the same right-button and wheel rules.
    void watch(QWidget* child);

signals:
    void wheelWithRightButton(bool down);
    void mouseMoved(int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointer<QMenu> popup_;
    bool wheeledSinceRightPress_ = false;
};

}  // namespace veltrane
