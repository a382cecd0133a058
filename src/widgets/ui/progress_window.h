#pragma once
// The shared progress window: stay-on-top, one bar advanced once per image row by long passes.
#include <QDialog>
#include <QProgressBar>

namespace veltrane {

class TProgress : public QDialog {
    Q_OBJECT

public:
    explicit TProgress(QWidget* mainWindow);

    QProgressBar* ProgressBar1;

    // Shows the window centred on the main window with the bar at 0 of maximum.
    void start(int maximum);
    // Sets the bar's position (clamped to its range) and repaints it at once, without
    // running the event loop, so no second command can start during a pass.
    void setPosition(int position);
    void finish();

private:
    QWidget* mainWindow_;
};

}  // namespace veltrane
