#include "widgets/ui/color_field_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

namespace veltrane {

PickerPaintBox::PickerPaintBox(const QString& name, QSize size, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PickerPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (onPaint) onPaint(painter);
}

void PickerPaintBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseDown(static_cast<int>(event->button()), p.x(), p.y());
}

void PickerPaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseMove(static_cast<int>(event->buttons()), p.x(), p.y());
}

PickerShape::PickerShape(const QString& name, QWidget* parent) : QWidget(parent) { setObjectName(name); }

void PickerShape::setBrushColor(const QColor& colour) {
    if (colour == brushColor_) return;
    brushColor_ = colour;
    update();
}

void PickerShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(brushColor_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

PickerRadioGroup::PickerRadioGroup(const QString& name, const QString& caption, const QStringList& items,
                                   QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)), items_(items) {
    setObjectName(name);
    const int top = fontMetrics().height() + 2;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(name + "Item" + QString::number(i));
        button->setGeometry(8, top + 17 * i, 76, 17);
        buttons_->addButton(button, i);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, [this] { emit clicked(); });
}

int PickerRadioGroup::itemIndex() const { return buttons_->checkedId(); }

void PickerRadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last checked button by itself.
    buttons_->setExclusive(false);
    for (QAbstractButton* button : buttons_->buttons()) button->setChecked(false);
    buttons_->setExclusive(true);
}

}  // namespace veltrane
