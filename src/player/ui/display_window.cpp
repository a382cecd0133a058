#include "player/ui/display_window.h"

#include <QContextMenuEvent>

#include "player/ui/video_widget.h"

namespace veltrane {

TDisplay* Display = nullptr;

namespace {
constexpr int kStartWidth = 243;
constexpr int kStartHeight = 213;
}  // namespace

TDisplay::TDisplay(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("Display");
    setWindowTitle("title");

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    video_ = new VideoWidget(Panel1);
    video_->setObjectName("Video");

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName("PopupMenu2");

    ResizeOuter(kStartWidth, kStartHeight);
    PlaceVideo();
}

TDisplay::~TDisplay() {
    if (Display == this) Display = nullptr;
}

void TDisplay::ResizeOuter(int outerWidth, int outerHeight) {
    const QSize extra = frameGeometry().size() - geometry().size();
    resize(std::max(1, outerWidth - extra.width()), std::max(1, outerHeight - extra.height()));
}

void TDisplay::FitVideo(int videoWidth, int videoHeight) { resize(std::max(1, videoWidth), std::max(1, videoHeight)); }

void TDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceVideo();
}

void TDisplay::PlaceVideo() {
    Panel1->setGeometry(rect());
    video_->setGeometry(0, 0, Panel1->width(), Panel1->height());
}

void TDisplay::contextMenuEvent(QContextMenuEvent* event) {
    if (!PopupMenu2->isEmpty()) PopupMenu2->popup(event->globalPos());
}

}  // namespace veltrane
