// The commands that open the PCNN window and the fractal window.
#include <memory>

#include "app/ui/main_window.h"
#include "fractal/fractal_view.h"
#include "fractal/ui/chaos_dialog.h"
#include "pcnn/ui/pcnn_dialog.h"

namespace veltrane {

namespace {

// Draws the kind's first picture and runs the window modally; it needs no picture of its own.
void RunFractal(TMain& main, FractalKind kind) {
    auto dialog = std::make_unique<TCHAOS>(main, &main);
    CHAOS = dialog.get();
    const FractalView view = startView(kind);
    if (kind == FractalKind::Mandelbrot)
        dialog->DrawMandelbrot(view.centreRe, view.centreIm, view.step);
    else
        dialog->DrawJulia(view.centreRe, view.centreIm, view.step);
    dialog->exec();
}

}  // namespace

void TMain::PCNNP1Click() {
    if (!doc_.imageLoaded) return;
    auto dialog = std::make_unique<TPCNN>(*this, this);
    PCNN = dialog.get();
    dialog->PrepareSource();
    dialog->exec();
}

void TMain::MandelbrotM1Click() { RunFractal(*this, FractalKind::Mandelbrot); }
void TMain::JuliaJ1Click() { RunFractal(*this, FractalKind::Julia); }

}  // namespace veltrane
