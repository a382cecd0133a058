#include "fractal/fractal_view.h"

namespace veltrane {

std::string fractalCaption(FractalKind kind) {
    return kind == FractalKind::Mandelbrot ? "Mandelbrot(256×256)" : "Julia(256×256)";
}

FractalView startView(FractalKind kind) {
    return kind == FractalKind::Mandelbrot ? kMandelbrotStartView : kJuliaStartView;
}

FractalView zoomView(const FractalView& view, int button, int x, int y) {
    // 64-bit offsets: a scripted click may give any int.
    const double a = static_cast<double>(std::int64_t{x} - 128);
    const double b = static_cast<double>(128 - std::int64_t{y});  // up positive
    FractalView zoomed = view;
    if (button == kLeftButton) {
        zoomed.centreRe = view.centreRe + a * view.step;
        zoomed.centreIm = view.centreIm - b * view.step;
        zoomed.step = view.step * 0.25;
    } else if (button == kRightButton) {
        zoomed.centreRe = view.centreRe - a * view.step;
        zoomed.centreIm = view.centreIm + b * view.step;
        zoomed.step = view.step * 4;
    }
    return zoomed;
}

}  // namespace veltrane
