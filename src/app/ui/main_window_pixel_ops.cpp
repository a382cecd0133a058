// Whole-picture operations of the main window that need no dialog of their own: the
// transforms, the histogram commands, binarisation, morphology and the mono-colour tint.
#include "app/ui/app_windows.h"
#include "app/ui/main_window.h"
#include "image/histogram.h"
#include "image/morphology.h"
#include "image/transforms.h"
#include "image/ui/histogram_window.h"
#include "widgets/ui/color_picker_dialog.h"

namespace veltrane {

void TMain::ApplyToPlanes(const std::function<void(ColorPlanes&)>& operation) {
    if (!doc_.imageLoaded) return;
    operation(doc_.current);
    RefreshFromPlanes();
}

void TMain::upanddownreverse1Click() { ApplyToPlanes([](ColorPlanes& p) { FlipVertical(p); }); }
void TMain::righttoleftreverse1Click() { ApplyToPlanes([](ColorPlanes& p) { FlipHorizontal(p); }); }
void TMain::upanddownshift1Click() { ApplyToPlanes([](ColorPlanes& p) { InterleaveVertical(p); }); }
void TMain::righttoleftshift1Click() { ApplyToPlanes([](ColorPlanes& p) { InterleaveHorizontal(p); }); }
void TMain::trumpreverse1Click() { ApplyToPlanes([](ColorPlanes& p) { MirrorLeftToRight(p); }); }
void TMain::contratrumpreverse1Click() { ApplyToPlanes([](ColorPlanes& p) { MirrorTopToBottom(p); }); }
void TMain::N3DframeF1Click() { ApplyToPlanes([](ColorPlanes& p) { BevelFrame(p); }); }

void TMain::ExtendedHistogram1Click() { ApplyToPlanes([](ColorPlanes& p) { StretchChannels(p); }); }
void TMain::SmoothedHistogram1Click() { ApplyToPlanes([](ColorPlanes& p) { EqualizeChannels(p); }); }
void TMain::BinaryB1Click() { ApplyToPlanes([](ColorPlanes& p) { ThresholdBinarize(p); }); }
void TMain::DilationD1Click() { ApplyToPlanes([](ColorPlanes& p) { Dilate(p); }); }
void TMain::ErosionE1Click() { ApplyToPlanes([](ColorPlanes& p) { Erode(p); }); }

void TMain::DisplayHistogram1Click() {
    if (!doc_.imageLoaded) return;
    Histogram->Label1->setText(QString::fromStdString(histogramSizeLine(doc_.width(), doc_.height())));
    Histogram->ShowHistograms(doc_.current);
}

void TMain::MonoColor1Click() {
    if (!doc_.imageLoaded) return;
    if (!ColorDialog->Execute()) return;
    const std::uint32_t colour = ColorDialog->Color();
    ApplyToPlanes([colour](ColorPlanes& p) {
        MonoTint(p, static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>((colour >> 8) & 0xFF),
                 static_cast<std::uint8_t>((colour >> 16) & 0xFF));
    });
}

}  // namespace veltrane
