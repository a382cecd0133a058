// The seven commands that open the image adjustment window, each on its own page.
#include "adjust/ui/rgb_dialog.h"
#include "app/ui/modal_window.h"

namespace veltrane {

namespace {

// Creates the window with its design values, reduces the picture into its preview, selects
// the page and runs it modally. Nothing of the window outlives the command.
void RunAdjustment(TMain& main, QWidget* TRGB::*page) {
    if (!main.document().imageLoaded) return;
    runModalWindow(main, RGB, [page](TRGB& dialog) {
        dialog.BuildPreview();
        dialog.PageControl1->setCurrentWidget(dialog.*page);
    });
}

}  // namespace

void TMain::RGBprocess1Click() { RunAdjustment(*this, &TRGB::TabSheet1); }
void TMain::HSIprocess1Click() { RunAdjustment(*this, &TRGB::TabSheet2); }
void TMain::Gamma1Click() { RunAdjustment(*this, &TRGB::TabSheet3); }
void TMain::Postlize1Click() { RunAdjustment(*this, &TRGB::TabSheet4); }
void TMain::Binarize1Click() { RunAdjustment(*this, &TRGB::TabSheet5); }
void TMain::AddNoise1Click() { RunAdjustment(*this, &TRGB::TabSheet6); }
void TMain::Contrast1Click() { RunAdjustment(*this, &TRGB::TabSheet7); }

}  // namespace veltrane
