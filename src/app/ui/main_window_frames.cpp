// "HSIで抽出(&S)": the HSI range extraction of the frame-processing window on a preview of the
// picture.
#include <memory>

#include "app/ui/main_window.h"
#include "frames/ui/experiment_window.h"

namespace veltrane {

// The window shows a 280 × 210 preview of the current picture and runs modally; nothing of it
// is written back.
void TMain::ExtractSkinColorClick() {
    if (!doc_.imageLoaded) return;
    auto window = std::make_unique<TExperiment>(*this, nullptr, this);
    window->OpenExtraction();
    window->exec();
}

}  // namespace veltrane
