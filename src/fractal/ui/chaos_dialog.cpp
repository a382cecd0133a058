#include "fractal/ui/chaos_dialog.h"

#include <QGuiApplication>
#include <QScreen>

#include "fractal/fractal_draw.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/named_child.h"
#include "uisupport/ui/qt_bitmap.h"
#include "uisupport/ui/qt_text.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/progress_window.h"

namespace veltrane {

TCHAOS* CHAOS = nullptr;

namespace {

constexpr int kClientWidth = 376;
constexpr int kClientHeight = 272;
// The main window's size after an apply: 485 × (tool bar + 333).
constexpr int kAppliedWidth = 485;
constexpr int kAppliedBelowToolBar = 333;

QLabel* newLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    return namedChild<QLabel>(parent, name, QRect(x, y, 100, 15), text);
}

}  // namespace

TCHAOS::TCHAOS(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host) {
    setObjectName("CHAOS");
    setWindowTitle("chaos");
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);

    Image1 = new PictureView(this);
    Image1->setObjectName("Image1");
    Image1->setToolTip("左または右クリックをして下さい");
    Image1->setStretch(true);
    Image1->setGeometry(8, 8, kFractalSide, kFractalSide);

    Label1 = newLabel(this, "Label1", "※左クリック", 272, 12);
    Label2 = newLabel(this, "Label2", "で拡大", 284, 30);
    Label3 = newLabel(this, "Label3", "※右クリック", 272, 56);
    Label4 = newLabel(this, "Label4", "で縮小", 284, 74);
    Button1 = guardedButton(new QPushButton("apply", this), this, "Button1", "現在の画像をMainへコピーします",
                            &TCHAOS::Button1Click);
    Button1->setGeometry(276, 200, 90, 27);
    OKBtn = guardedButton(new QPushButton("OK", this), this, "OKBtn", {}, &TCHAOS::OKBtnClick);
    OKBtn->setDefault(true);
    OKBtn->setGeometry(276, 236, 90, 27);

    connect(Image1, &PictureView::mousePressed, this,
            [this](int button, int x, int y) { runGuarded([&] { Image1MouseDown(button, x, y); }); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TCHAOS::~TCHAOS() {
    if (CHAOS == this) CHAOS = nullptr;
}

void TCHAOS::Draw(FractalKind kind, const FractalView& view) {
    TProgress* progress = host_.progress();
    if (progress) progress->start(kFractalSide);
    const ColorPlanes planes = DrawFractal(kind, view, [progress](int column) {
        if (progress) progress->setPosition(column + 1);
    });
    bitmap_ = fractalBitmap(planes);
    kind_ = kind;
    (kind == FractalKind::Mandelbrot ? mandelbrot_ : julia_) = view;
    Image1->setPicture(imageOver(bitmap_));
    if (progress) progress->finish();
}

void TCHAOS::DrawMandelbrot(double centreRe, double centreIm, double step) {
    Draw(FractalKind::Mandelbrot, FractalView{centreRe, centreIm, step});
}

void TCHAOS::DrawJulia(double centreRe, double centreIm, double step) {
    Draw(FractalKind::Julia, FractalView{centreRe, centreIm, step});
}

void TCHAOS::Image1MouseDown(int button, int x, int y) {
    if (button != kLeftButton && button != kRightButton) return;
    Draw(kind_, zoomView(view(), button, x, y));
}

void TCHAOS::Button1Click() {
    if (bitmap_.empty()) return;
    if (!host_.ReplaceImage(bitmap_, fromStd(fractalCaption(kind_)))) return;
    host_.ResizeMainWindow(kAppliedWidth, kAppliedBelowToolBar);
    host_.DetachFromFolder();
}

void TCHAOS::OKBtnClick() {
    Image1->clearPicture();
    bitmap_ = Bitmap24();
    accept();
}

}  // namespace veltrane
