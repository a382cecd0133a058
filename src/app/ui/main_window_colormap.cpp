// The commands that open the colour mapping windows (gradation map, colour exchange, colour
// extraction, tone colour) and the custom filter.
#include <memory>

#include "app/ui/main_window.h"
#include "colormap/ui/color_exchange_dialog.h"
#include "colormap/ui/extract_color_dialog.h"
#include "colormap/ui/gradation_map_dialog.h"
#include "colormap/ui/tone_color_dialog.h"
#include "filter/ui/custom_filter_dialog.h"

namespace veltrane {

namespace {

// Creates the window with the main window as its host, sets its global, lets it prepare its
// preview and runs it modally. Every ending destroys the window here, which frees its planes
// and bitmaps and clears the global.
template <class Window>
void RunColourWindow(TMain& main, Window*& global, void (Window::*prepare)()) {
    if (!main.document().imageLoaded) return;
    auto dialog = std::make_unique<Window>(main, &main);
    global = dialog.get();
    (dialog.get()->*prepare)();
    dialog->exec();
}

}  // namespace

void TMain::CustomFilterC1Click() { RunColourWindow(*this, CustomFilter, &TCustomFilter::PrepareCustomFilter); }
void TMain::ToneColorT1Click() { RunColourWindow(*this, ToneColor, &TToneColor::PrepareToneColor); }
void TMain::GradiationmapG1Click() { RunColourWindow(*this, GradiationMap, &TGradiationMap::PrepareGradationMap); }
void TMain::SwitchCsolorClick() { RunColourWindow(*this, ColorExchange, &TColorExchange::PrepareColorExchange); }
void TMain::ExtractColor1Click() { RunColourWindow(*this, ExtractColor, &TExtractColor::PrepareExtraction); }

}  // namespace veltrane
