#pragma once
// The small controls the colour picker window is built from: a paint box whose owner paints
// it and hears its mouse, a swatch, and a titled group of radio items with one item index.
#include <QButtonGroup>
#include <QColor>
#include <QGroupBox>
#include <QStringList>
#include <QWidget>
#include <functional>

class QPainter;

namespace veltrane {

// A fixed-size surface painted by its owner's handler.
class PickerPaintBox : public QWidget {
    Q_OBJECT

public:
    PickerPaintBox(const QString& name, QSize size, QWidget* parent);

    std::function<void(QPainter&)> onPaint;

signals:
    // button: the Qt::MouseButton pressed; buttons: the Qt::MouseButtons held.
    void mouseDown(int button, int x, int y);
    void mouseMove(int buttons, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// A rectangle filled with one colour inside a black frame.
class PickerShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor brushColor READ brushColor WRITE setBrushColor)

public:
    PickerShape(const QString& name, QWidget* parent);

    QColor brushColor() const { return brushColor_; }
    void setBrushColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brushColor_ = Qt::white;
};

// A titled box of radio items, at most one selected; itemIndex -1 selects none.
// clicked() fires when the user clicks an item, not when the index is set in code.
class PickerRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
    Q_PROPERTY(QStringList items READ items)

public:
    PickerRadioGroup(const QString& name, const QString& caption, const QStringList& items, QWidget* parent);

    int itemIndex() const;
    void setItemIndex(int index);
    QStringList items() const { return items_; }

signals:
    void clicked();

private:
    QButtonGroup* buttons_;
    QStringList items_;
};

}  // namespace veltrane
