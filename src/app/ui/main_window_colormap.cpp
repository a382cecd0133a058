// The commands that open the colour mapping windows (gradation map, colour exchange, colour
// extraction, tone colour) and the custom filter.
#include "app/ui/modal_window.h"
#include "colormap/ui/color_exchange_dialog.h"
#include "colormap/ui/extract_color_dialog.h"
#include "colormap/ui/gradation_map_dialog.h"
#include "colormap/ui/tone_color_dialog.h"
#include "filter/ui/custom_filter_dialog.h"

namespace veltrane {

namespace {

// Runs the window modally on the picture, once it has prepared its preview.
template <class Window>
void RunColourWindow(TMain& main, Window*& global, void (Window::*prepare)()) {
    if (!main.document().imageLoaded) return;
    runModalWindow(main, global, [prepare](Window& window) { (window.*prepare)(); });
}

}  // namespace

void TMain::CustomFilterC1Click() { RunColourWindow(*this, CustomFilter, &TCustomFilter::PrepareCustomFilter); }
void TMain::ToneColorT1Click() { RunColourWindow(*this, ToneColor, &TToneColor::PrepareToneColor); }
void TMain::GradiationmapG1Click() { RunColourWindow(*this, GradiationMap, &TGradiationMap::PrepareGradationMap); }
void TMain::SwitchCsolorClick() { RunColourWindow(*this, ColorExchange, &TColorExchange::PrepareColorExchange); }
void TMain::ExtractColor1Click() { RunColourWindow(*this, ExtractColor, &TExtractColor::PrepareExtraction); }

}  // namespace veltrane
