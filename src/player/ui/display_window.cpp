#include "player/ui/display_window.h"

#include <QContextMenuEvent>

#include "player/ui/video_widget.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/window_frame.h"

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

    buildPopupMenu();

    ResizeOuter(kStartWidth, kStartHeight);
    PlaceVideo();
}

TDisplay::~TDisplay() {
    if (Display == this) Display = nullptr;
}

void TDisplay::ResizeOuter(int outerWidth, int outerHeight) {
    resize(clientSizeFor(*this, {outerWidth, outerHeight}));
}

FrameMetrics TDisplay::frameMetrics() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return frameMetricsOf({outer.left(), outer.top(), outer.left() + outer.width(), outer.top() + outer.height()},
                          {inner.left(), inner.top(), inner.left() + inner.width(), inner.top() + inner.height()});
}

void TDisplay::Maximise() {
    displayMaximised_ = true;
    savedDisplayLeft_ = x();
    savedDisplayTop_ = y();
    if (isVisible())
        showMaximized();
    else
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TDisplay::LeaveMaximised() {
    if (!displayMaximised_) return;
    displayMaximised_ = false;
    if (isVisible())
        showNormal();
    else
        setWindowState(windowState() & ~Qt::WindowMaximized);
    move(savedDisplayLeft_, savedDisplayTop_);
}

void TDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceVideo();
}

void TDisplay::PlaceVideo() {
    Panel1->setGeometry(rect());
    video_->setGeometry(0, 0, Panel1->width(), Panel1->height());
}

void TDisplay::buildPopupMenu() {
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName("PopupMenu2");
    O3 = newMenuItem(this, PopupMenu2, "O3", "メディアを開く(&O)");
    P3 = newMenuItem(this, PopupMenu2, "P3", "プロパティを開く(&P)");
    PopupMenu2->addSeparator();
    N7 = newMenuItem(this, PopupMenu2, "N7", "前のファイル");
    N6 = newMenuItem(this, PopupMenu2, "N6", "次のファイル");
    PopupMenu2->addSeparator();
    N4 = newMenu(this, PopupMenu2, "N4", "ディスプレイの大きさ");
    N502 = newMenuItem(this, N4, "N502", "50%");
    N1002 = newMenuItem(this, N4, "N1002", "100%");
    N2002 = newMenuItem(this, N4, "N2002", "200%");
    Max1 = newMenuItem(this, N4, "Max1", "Max");
    N2 = newMenu(this, PopupMenu2, "N2", "アスペクト比");
    N432 = newMenuItem(this, N2, "N432", "4:3");
    N1692 = newMenuItem(this, N2, "N1692", "16:9");
    PopupMenu2->addSeparator();
    StayOnTopDisp = newMenuItem(this, PopupMenu2, "StayOnTopDisp", "常に前面表示");
    DispFix = newMenuItem(this, PopupMenu2, "DispFix", "ディスプレイサイズ固定");
    PopupMenu2->addSeparator();
    E2 = newMenuItem(this, PopupMenu2, "E2", "終了する(&E)");
    for (QAction* a : {N502, N1002, N2002, Max1, StayOnTopDisp, DispFix}) a->setCheckable(true);
    N1002->setChecked(true);
}

void TDisplay::contextMenuEvent(QContextMenuEvent* event) {
    if (!PopupMenu2->isEmpty()) PopupMenu2->popup(event->globalPos());
}

}  // namespace veltrane
