#include "widgets/ui/stair_chart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace veltrane {

ChartSeries::ChartSeries(const QString& name, const QColor& color, QObject* parent) : QObject(parent), color_(color) {
    setObjectName(name);
}

void ChartSeries::setValues(QList<qint64> values) { values_ = std::move(values); }

QStringList ChartSeries::valueTexts() const {
    QStringList texts;
    texts.reserve(values_.size());
    for (qint64 v : values_) texts << QString::number(v);
    return texts;
}

StairChart::StairChart(const QString& name, const QString& title, const QColor& titleColor, const QString& seriesName,
                       const QColor& seriesColor, QWidget* parent)
    : QWidget(parent), title_(title), titleColor_(titleColor), series_(new ChartSeries(seriesName, seriesColor, this)) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

qint64 StairChart::maxValue() const {
    const QList<qint64>& values = series_->values();
    const qint64 largest = values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
    return std::max<qint64>(largest, 1);
}

void StairChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);

    QFont titleFont;
    titleFont.setFamilies({"ＭＳ Ｐ明朝", "IPAPMincho", "IPAMincho", "Noto Serif CJK JP"});
    titleFont.setPixelSize(12);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(titleColor_);
    const int titleHeight = painter.fontMetrics().height() + 2;
    painter.drawText(QRect(4, 1, width() - 8, titleHeight), Qt::AlignLeft | Qt::AlignVCenter, title_);

    const QRectF plot(4, titleHeight + 2, width() - 8, height() - titleHeight - 6);
    painter.setPen(QColor(96, 96, 96));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    const QList<qint64>& values = series_->values();
    if (values.isEmpty() || plot.width() <= 0 || plot.height() <= 0) return;
    const double top = static_cast<double>(maxValue());
    const double step = plot.width() / values.size();
    QPainterPath stairs(plot.bottomLeft());
    for (int i = 0; i < values.size(); ++i) {
        const double y = plot.bottom() - plot.height() * static_cast<double>(values[i]) / top;
        stairs.lineTo(plot.left() + i * step, y);
        stairs.lineTo(plot.left() + (i + 1) * step, y);
    }
    stairs.lineTo(plot.bottomRight());
    stairs.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(series_->color());
    painter.drawPath(stairs);
}

}  // namespace veltrane
