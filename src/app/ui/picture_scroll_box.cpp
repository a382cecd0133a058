#include "app/ui/picture_scroll_box.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace veltrane {

PictureScrollBox::PictureScrollBox(QWidget* parent) : QScrollArea(parent) {
    setObjectName("ScrollBox1");
    setBackgroundRole(QPalette::Dark);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::Dark, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    viewport()->setAutoFillBackground(true);
    viewport()->setPalette(pal);
    viewport()->setMouseTracking(true);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    watch(viewport());
}

void PictureScrollBox::watch(QWidget* child) { child->installEventFilter(this); }

bool PictureScrollBox::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) wheeledSinceRightPress_ = false;
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && !wheeledSinceRightPress_ && popup_) {
            popup_->popup(mouse->globalPosition().toPoint());
            return true;
        }
        break;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->buttons() & Qt::RightButton) {
            wheeledSinceRightPress_ = true;
            emit wheelWithRightButton(wheel->angleDelta().y() < 0);
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        if (watched == viewport()) {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            emit mouseMoved(p.x(), p.y());
        }
        break;
    default: break;
    }
    return QScrollArea::eventFilter(watched, event);
}

void PictureScrollBox::contextMenuEvent(QContextMenuEvent* event) {
    // Mouse-made requests are handled on release (above); the keyboard's menu key opens it here.
    if (event->reason() == QContextMenuEvent::Keyboard && popup_) popup_->popup(event->globalPos());
    event->accept();
}

}  // namespace veltrane
