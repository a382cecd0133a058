#pragma once
// The window "chaos": the Mandelbrot set or a Julia set at 256 × 256, zoomed by clicks on the
// picture (left in, right out), and "apply" to make the picture the document's picture. Every
// drawing runs at once, driving the progress window one step per column.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "fractal/fractal_view.h"
#include "image/bitmap24.h"

namespace veltrane {

class DocumentHost;
class PictureView;

class TCHAOS : public QDialog {
    Q_OBJECT

public:
    explicit TCHAOS(DocumentHost& host, QWidget* parent = nullptr);
    ~TCHAOS() override;

    // Draw the view and show it; each sets the kind the clicks and "apply" act on.
    void DrawMandelbrot(double centreRe, double centreIm, double step);
    void DrawJulia(double centreRe, double centreIm, double step);

    FractalKind kind() const { return kind_; }
    const FractalView& view() const { return kind_ == FractalKind::Mandelbrot ? mandelbrot_ : julia_; }

    PictureView* Image1;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QPushButton *Button1, *OKBtn;

public slots:
    // button 1 (left) zooms in on (x, y), 2 (right) zooms out; any other does nothing.
    void Image1MouseDown(int button, int x, int y);
    void Button1Click();
    void OKBtnClick();

private:
    void Draw(FractalKind kind, const FractalView& view);

    DocumentHost& host_;
    FractalKind kind_ = FractalKind::Mandelbrot;
    FractalView mandelbrot_ = kMandelbrotStartView;
    FractalView julia_ = kJuliaStartView;
    Bitmap24 bitmap_;
};

extern TCHAOS* CHAOS;

}  // namespace veltrane
