#pragma once
// A small chart of one series drawn as filled stairs on black: point i at horizontal
// position i, the vertical axis from 0 to the largest value. Enough for the histogram
// window without a charting library.
#include <QColor>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QWidget>

namespace veltrane {

// The chart's one series; its values print as a list under --script.
class ChartSeries : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList values READ valueTexts)
    Q_PROPERTY(QColor color READ color)

public:
    ChartSeries(const QString& name, const QColor& color, QObject* parent);

    const QList<qint64>& values() const { return values_; }
    void setValues(QList<qint64> values);
    QStringList valueTexts() const;
    QColor color() const { return color_; }

private:
    QList<qint64> values_;
    QColor color_;
};

class StairChart : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString title READ title)
    Q_PROPERTY(qint64 maxValue READ maxValue)

public:
    StairChart(const QString& name, const QString& title, const QColor& titleColor, const QString& seriesName,
               const QColor& seriesColor, QWidget* parent);

    ChartSeries* series() const { return series_; }
    QString title() const { return title_; }
    // The top of the vertical axis: the largest value (at least 1, so an empty chart draws).
    qint64 maxValue() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    QColor titleColor_;
    ChartSeries* series_;
};

}  // namespace veltrane
