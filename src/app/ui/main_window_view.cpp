// Display modes, zoom and the status readout of the main window.
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>

#include "app/status_text.h"
#include "app/ui/main_window.h"
#include "app/window_placement.h"
#include "widgets/ui/status_bar.h"
#include "widgets/ui/picture_view.h"

namespace veltrane {

namespace {

// The usable area of the screen the window is on (the primary screen while it is on none).
ScreenRect availableArea(const QWidget& window) {
    const QScreen* screen = QGuiApplication::screenAt(window.frameGeometry().center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect r = screen->availableGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

void TMain::ApplyDisplayMode() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int W = doc_.width();
    const int H = doc_.height();
    const WindowMetrics metrics = platform().metrics();
    if (N25->isChecked()) {
        Image1->setStretch(false);
        Image1->setAutoSize(true);
        const WindowRect placed =
            windowFittingPicture(W, H, ToolBar1->height(), x(), y(),
                                 {metrics.maximizedHeight, metrics.fullScreenClientWidth, availableArea(*this)});
        move(placed.left, placed.top);
        ResizeOuter(placed.width, placed.height);
        return;
    }
    Image1->setAutoSize(false);
    const int available = frameGeometry().height() - StatusBar1->height() - ToolBar1->height() -
                          metrics.menuButtonHeight - metrics.captionHeight - metrics.dialogFrameHeight -
                          metrics.smallCaptionHeight;
    fittedHeight_ = std::max(1, available);
    fittedWidth_ = H > 0 ? static_cast<int>(static_cast<std::int64_t>(W) * fittedHeight_ / H) + 1 : 1;
    Image1->resize(fittedWidth_, fittedHeight_);
    Image1->setStretch(true);
}

void TMain::N25Click() {
    N25->setChecked(true);
    N26->setChecked(false);
}

void TMain::N26Click() {
    N25->setChecked(false);
    N26->setChecked(true);
}

void TMain::WriteZoomCaption() {
    setWindowTitle(QString::fromStdString(
        zoomCaption(ShortFileName().toStdString(), doc_.width(), doc_.height(), Image1->width(), Image1->height())));
}

void TMain::ApplyFixedZoom(ZoomLevel level) {
    if (!doc_.imageLoaded) return;
    const bool windowFitsImage = N25->isChecked();
    const int baseWidth = windowFitsImage ? doc_.width() : fittedWidth_;
    const int baseHeight = windowFitsImage ? doc_.height() : fittedHeight_;
    if (windowFitsImage) {
        Image1->setAutoSize(false);
        Image1->setStretch(true);
    }
    Image1->resize(zoomedSide(level, baseWidth), zoomedSide(level, baseHeight));
    WriteZoomCaption();
}

void TMain::ApplyStepZoom(bool zoomIn) {
    if (!doc_.imageLoaded) return;
    const int H = doc_.height();
    if (zoomIn && !canZoomIn(H, Image1->height())) {
        platform().messageBox(nullptr, "これ以上拡大できません", "error", MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (!zoomIn && !canZoomOut(H, Image1->width(), Image1->height())) {
        platform().messageBox(nullptr, "これ以上縮小できません", "error", MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (N25->isChecked()) {
        Image1->setAutoSize(false);
        Image1->setStretch(true);
    }
    Image1->resize(stepZoomSide(Image1->width(), zoomIn), stepZoomSide(Image1->height(), zoomIn));
    WriteZoomCaption();
}

void TMain::N31Click() { ApplyStepZoom(true); }
void TMain::N32Click() { ApplyStepZoom(false); }
void TMain::Zoom1Click() { ApplyFixedZoom(ZoomLevel::Percent25); }
void TMain::N501Click() { ApplyFixedZoom(ZoomLevel::Percent50); }
void TMain::N661Click() { ApplyFixedZoom(ZoomLevel::Percent66); }
void TMain::N751Click() { ApplyFixedZoom(ZoomLevel::Percent75); }
void TMain::N1001Click() { ApplyFixedZoom(ZoomLevel::Percent100); }
void TMain::N1501Click() { ApplyFixedZoom(ZoomLevel::Percent150); }
void TMain::N2001Click() { ApplyFixedZoom(ZoomLevel::Percent200); }
void TMain::N3001Click() { ApplyFixedZoom(ZoomLevel::Percent300); }
void TMain::N4001Click() { ApplyFixedZoom(ZoomLevel::Percent400); }

void TMain::ToolButton3Click() {
    if (!doc_.imageLoaded) return;
    ApplyFixedZoom(ZoomLevel::Percent100);
    setWindowTitle(QString::fromStdString(imageCaption(ShortFileName().toStdString(), doc_.width(), doc_.height())));
}

void TMain::Image1MouseMove(int x, int y) {
    // Mouse coordinates are taken as picture coordinates as they are, zoomed or not; a
    // point outside the picture reads as white.
    const QImage& picture = Image1->picture();
    QRgb colour = qRgb(255, 255, 255);
    if (!picture.isNull() && picture.valid(x, y)) colour = picture.pixel(x, y);
    const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    StatusBar1->setPanelText(0, QString::fromStdString(positionPanelText(x, y)));
    StatusBar1->setPanelText(1, QString::fromStdString(colorPanelText(r, g, b)));
    StatusBar1->setPanelText(2, QString::fromStdString(hsiPanelText(r, g, b)));
}

}  // namespace veltrane
