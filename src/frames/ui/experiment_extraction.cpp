// The HSI range extraction panel of the frame-processing window.
#include "frames/extraction_preview.h"
#include "frames/hsi_range.h"
#include "frames/ui/experiment_pictures.h"
#include "frames/ui/experiment_window.h"
#include "frames/ui/frame_source.h"
#include "image/image_document.h"
#include "player/player_logic.h"
#include "widgets/ui/up_down.h"

namespace veltrane {

namespace {

// A bar's value, position × 0.01, in the shortest general form: 0.65, 0.9, 1, 6.3.
void showValue(QLabel& label, const QSlider& bar) { label.setText(QString::fromStdString(rateText(bar.value() * 0.01))); }

}  // namespace

void TExperiment::TrackBar2Change() { showValue(*Label8, *TrackBar2); }
void TExperiment::TrackBar5Change() { showValue(*Label11, *TrackBar5); }
void TExperiment::TrackBar3Change() { showValue(*Label9, *TrackBar3); }
void TExperiment::TrackBar8Change() { showValue(*Label12, *TrackBar8); }
void TExperiment::TrackBar4Change() { showValue(*Label10, *TrackBar4); }
void TExperiment::TrackBar11Change() { showValue(*Label13, *TrackBar11); }

void TExperiment::BitBtn2Click() {
    const HsiRange range = hsiRangeFromPositions(TrackBar2->value(), TrackBar5->value(), TrackBar3->value(),
                                                 TrackBar8->value(), TrackBar4->value(), TrackBar11->value());
    if (fromMain_) {
        if (preview_.width == 0) return;
        frameBitmap_ = Bitmap24(kExtractionPreviewWidth, kExtractionPreviewHeight);
        writePlanes(preview_, frameBitmap_);
    } else {
        if (!source_) return;
        const GrabResult& grab = source_->GrabFrame(UpDown1->value());
        if (!grab.hasFrame()) return;
        frameBitmap_ = grab.frame;
    }
    extractHsiRange(frameBitmap_, frameBitmap_, range);
    // Image1 keeps the picture it had.
    showPicture(*Image2, frameBitmap_);
}

}  // namespace veltrane
