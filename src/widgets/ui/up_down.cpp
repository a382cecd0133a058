#include "widgets/ui/up_down.h"

#include <QLineEdit>

namespace veltrane {

UpDown::UpDown(QWidget* parent) : QSpinBox(parent) {
    setWrapping(false);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(false);
    // The position is shown elsewhere: the text part is not shown and cannot be typed in.
    lineEdit()->setReadOnly(true);
    lineEdit()->hide();
    setFocusPolicy(Qt::NoFocus);
}

void UpDown::stepBy(int steps) {
    QSpinBox::stepBy(steps);
    emit clicked();
}

// QSpinBox greys the arrow at an end and ignores clicks on it.
QAbstractSpinBox::StepEnabled UpDown::stepEnabled() const { return StepUpEnabled | StepDownEnabled; }

void UpDown::resizeEvent(QResizeEvent* event) {
    QSpinBox::resizeEvent(event);
    lineEdit()->hide();
}

}  // namespace veltrane
