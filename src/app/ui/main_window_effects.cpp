// The three commands that open the effects dialog, each on its own category.
#include "app/ui/modal_window.h"
#include "effects/ui/image_process_dialog.h"

namespace veltrane {

namespace {

// Creates the dialog, prepares its preview and lists for the category and runs it modally.
// Nothing of the dialog outlives the command.
void RunEffects(TMain& main, int category) {
    if (!main.document().imageLoaded) return;
    runModalWindow(main, ImageProcess, [category](TImageProcess& dialog) { dialog.PrepareDialog(category); });
}

}  // namespace

void TMain::ImageProcess1Click() { RunEffects(*this, 0); }
void TMain::FilterProcessF1Click() { RunEffects(*this, 1); }
void TMain::MaskProcessM1Click() { RunEffects(*this, 2); }

}  // namespace veltrane
