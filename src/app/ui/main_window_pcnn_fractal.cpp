// The commands that open the PCNN window and the fractal window.
#include "app/ui/modal_window.h"
#include "fractal/fractal_view.h"
#include "fractal/ui/chaos_dialog.h"
#include "pcnn/ui/pcnn_dialog.h"

namespace veltrane {

namespace {

// Draws the kind's first picture and runs the window modally; it needs no picture of its own.
void RunFractal(TMain& main, FractalKind kind) {
    runModalWindow(main, CHAOS, [kind](TCHAOS& dialog) {
        const FractalView view = startView(kind);
        if (kind == FractalKind::Mandelbrot)
            dialog.DrawMandelbrot(view.centreRe, view.centreIm, view.step);
        else
            dialog.DrawJulia(view.centreRe, view.centreIm, view.step);
    });
}

}  // namespace

void TMain::PCNNP1Click() {
    if (!doc_.imageLoaded) return;
    runModalWindow(*this, PCNN, [](TPCNN& dialog) { dialog.PrepareSource(); });
}

void TMain::MandelbrotM1Click() { RunFractal(*this, FractalKind::Mandelbrot); }
void TMain::JuliaJ1Click() { RunFractal(*this, FractalKind::Julia); }

}  // namespace veltrane
