#pragma once
// A horizontal track bar that also shows a selected range of its positions (from selStart to
// selEnd) as a band along its bottom edge, as the frame-processing window marks a snapshot
// series. A selection whose end lies before its start shows nothing.
#include <QSlider>

namespace veltrane {

class SelectionTrackBar : public QSlider {
    Q_OBJECT
    Q_PROPERTY(int selStart READ selStart WRITE setSelStart)
    Q_PROPERTY(int selEnd READ selEnd WRITE setSelEnd)

public:
    explicit SelectionTrackBar(QWidget* parent = nullptr);

    int selStart() const { return selStart_; }
    int selEnd() const { return selEnd_; }
    void setSelStart(int position);
    void setSelEnd(int position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The x coordinate of the handle's centre at a position.
    int xOf(int position) const;

    int selStart_ = 0;
    int selEnd_ = 0;
};

}  // namespace veltrane
