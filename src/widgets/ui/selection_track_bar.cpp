#include "widgets/ui/selection_track_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace veltrane {

namespace {

constexpr int kBandHeight = 3;

}  // namespace

SelectionTrackBar::SelectionTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void SelectionTrackBar::setSelStart(int position) {
    selStart_ = position;
    update();
}

void SelectionTrackBar::setSelEnd(int position) {
    selEnd_ = position;
    update();
}

int SelectionTrackBar::xOf(int position) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return groove.left() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), position, std::max(0, span), option.upsideDown);
}

void SelectionTrackBar::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    if (selEnd_ < selStart_) return;
    QPainter painter(this);
    const int left = xOf(std::clamp(selStart_, minimum(), maximum()));
    const int right = xOf(std::clamp(selEnd_, minimum(), maximum()));
    painter.fillRect(QRect(left, height() - kBandHeight, std::max(1, right - left + 1), kBandHeight),
                     palette().color(QPalette::Highlight));
}

}  // namespace veltrane
