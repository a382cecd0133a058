#pragma once
// An up-down control: two arrow buttons without a text of their own, holding a position in a
// range that does not wrap. Both arrows stay enabled at the ends of the range, and every click
// reports itself, also a click that cannot move past either end; setting the value in code
// reports nothing.
#include <QSpinBox>

namespace veltrane {

class UpDown : public QSpinBox {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    void stepBy(int steps) override;

signals:
    // After a click has moved the position (or found it at an end).
    void clicked();

protected:
    StepEnabled stepEnabled() const override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace veltrane
