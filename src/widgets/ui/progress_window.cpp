#include "widgets/ui/progress_window.h"

#include <QVBoxLayout>
#include <algorithm>

namespace veltrane {

TProgress::TProgress(QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      mainWindow_(mainWindow) {
    setObjectName("Progress");
    setWindowTitle("Progress Bar");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(ProgressBar1);
    setFixedSize(300, 40);
}

void TProgress::start(int maximum) {
    ProgressBar1->setRange(0, std::max(maximum, 0));
    ProgressBar1->setValue(0);
    if (mainWindow_) move(mainWindow_->frameGeometry().center() - rect().center());
    show();
    ProgressBar1->repaint();
}

void TProgress::setPosition(int position) {
    ProgressBar1->setValue(std::clamp(position, ProgressBar1->minimum(), ProgressBar1->maximum()));
    ProgressBar1->repaint();
}

void TProgress::finish() { hide(); }

}  // namespace veltrane
