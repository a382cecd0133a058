#include "scene/ui/scene_panel.h"

#include <QMouseEvent>

namespace veltrane {

ScenePanel::ScenePanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    setColor(palette().color(QPalette::Button));
}

QColor ScenePanel::color() const { return palette().color(QPalette::Window); }

void ScenePanel::setColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

// A click is a left press released over the panel; the second click of a double click is
// reported as the double click only.
void ScenePanel::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    if (secondClick_) {
        secondClick_ = false;
        return;
    }
    if (rect().contains(event->position().toPoint())) emit clicked();
}

void ScenePanel::mouseDoubleClickEvent(QMouseEvent* event) {
    QFrame::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton) return;
    secondClick_ = true;
    emit doubleClicked();
}

}  // namespace veltrane
