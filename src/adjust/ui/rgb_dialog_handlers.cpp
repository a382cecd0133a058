// The adjustment window's behaviour: the preview refresh of every control, the default
// button, OK (the final pass of the page showing) and Cancel.
#include <QString>

#include "adjust/ui/rgb_dialog.h"
#include "platform/ui/platform_services.h"
#include "uisupport/ui/document_host.h"
#include "widgets/ui/progress_window.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

namespace veltrane {

void TRGB::BuildPreview() {
    preview_ = std::make_unique<PreviewPlanes>(host_.document().current, kPreviewBox);
    // Image1 keeps this picture for good: refilling the preview bitmap later leaves its copy.
    const QImage& reduced = preview_->sourceImage();
    Image1->setPicture(reduced);
    Image2->setPicture(reduced);
}

void TRGB::ResetPreview() { preview_->reset(); }

void TRGB::ShowPreview() { preview_->showResult(*Image2); }

void TRGB::RefreshPreview(void (TRGB::*routine)()) {
    if (!preview_) return;
    ResetPreview();
    (this->*routine)();
    ShowPreview();
}

// ---- the preview routines: each reads every control of its page ----

void TRGB::PreviewRgb() {
    rgbPreview(preview_->source(), preview_->result(), preview_->area(), TrackBar1->value(), TrackBar2->value(),
               TrackBar3->value());
}

void TRGB::PreviewHsi() {
    hsiPreview(preview_->result(), preview_->area(), TrackBar4->value(), TrackBar5->value(), TrackBar6->value());
}

void TRGB::PreviewGamma() { gammaPreview(preview_->result(), preview_->area(), TrackBar7->value()); }

void TRGB::PreviewPosterise() {
    posterisePreview(preview_->result(), preview_->area(), TrackBar8->value(), PosteriseChoice());
}

void TRGB::PreviewBinarise() {
    binarisePreview(preview_->result(), preview_->area(), TrackBar9->value(), BinariseChoice());
}

void TRGB::PreviewNoise() {
    noisePreview(preview_->result(), preview_->area(), preview_->geometry().wide, TrackBar10->value(),
                 CheckBox1->isChecked(), host_.random());
}

void TRGB::PreviewContrast() {
    contrastPreview(preview_->source(), preview_->result(), preview_->area(), TrackBar11->value(), ContrastChoice());
}

// The buttons of a group are tested "全色" first, then red, green, blue.
namespace {
ChannelChoice firstChecked(const QRadioButton* all, const QRadioButton* red, const QRadioButton* green,
                           const QRadioButton* blue) {
    if (all->isChecked()) return ChannelChoice::All;
    if (red->isChecked()) return ChannelChoice::Red;
    if (green->isChecked()) return ChannelChoice::Green;
    if (blue->isChecked()) return ChannelChoice::Blue;
    return ChannelChoice::All;
}
}  // namespace

ChannelChoice TRGB::PosteriseChoice() const { return firstChecked(RadioButton8, RadioButton5, RadioButton6, RadioButton7); }
ChannelChoice TRGB::BinariseChoice() const { return firstChecked(RadioButton1, RadioButton2, RadioButton3, RadioButton4); }
ChannelChoice TRGB::ContrastChoice() const { return firstChecked(RadioButton9, RadioButton10, RadioButton11, RadioButton12); }

// ---- handlers ----

void TRGB::TrackBar1Change() {
    RefreshPreview(&TRGB::PreviewRgb);
    Label1->setText(QString::number(TrackBar1->value()));
}

void TRGB::TrackBar2Change() {
    RefreshPreview(&TRGB::PreviewRgb);
    Label4->setText(QString::number(TrackBar2->value()));
}

void TRGB::TrackBar3Change() {
    RefreshPreview(&TRGB::PreviewRgb);
    Label6->setText(QString::number(TrackBar3->value()));
}

void TRGB::TrackBar4Change() {
    RefreshPreview(&TRGB::PreviewHsi);
    Label10->setText(QString::number(TrackBar4->value()));
}

void TRGB::TrackBar5Change() {
    RefreshPreview(&TRGB::PreviewHsi);
    Label11->setText(QString::number(TrackBar5->value()));
}

void TRGB::TrackBar6Change() {
    RefreshPreview(&TRGB::PreviewHsi);
    Label12->setText(QString::number(TrackBar6->value()));
}

void TRGB::TrackBar7Change() {
    RefreshPreview(&TRGB::PreviewGamma);
    Label14->setText(QString::fromStdString(gammaLabel(TrackBar7->value())));
}

void TRGB::TrackBar8Change() {
    RefreshPreview(&TRGB::PreviewPosterise);
    Label15->setText(QString::number(TrackBar8->value()));
}

void TRGB::TrackBar9Change() {
    RefreshPreview(&TRGB::PreviewBinarise);
    Label17->setText(QString::number(TrackBar9->value()));
}

void TRGB::TrackBar10Change() {
    RefreshPreview(&TRGB::PreviewNoise);
    Label19->setText(QString::number(TrackBar10->value()) + "%");
}

void TRGB::TrackBar11Change() {
    RefreshPreview(&TRGB::PreviewContrast);
    Label21->setText(QString::number(TrackBar11->value()));
}

void TRGB::RadioButton1Click() { RefreshPreview(&TRGB::PreviewBinarise); }
void TRGB::RadioButton2Click() { RefreshPreview(&TRGB::PreviewBinarise); }
void TRGB::RadioButton3Clck() { RefreshPreview(&TRGB::PreviewBinarise); }
void TRGB::RadioButton4Click() { RefreshPreview(&TRGB::PreviewBinarise); }
void TRGB::RadioButton5Click() { RefreshPreview(&TRGB::PreviewPosterise); }
void TRGB::RadioButton6Click() { RefreshPreview(&TRGB::PreviewPosterise); }
void TRGB::RadioButton7Click() { RefreshPreview(&TRGB::PreviewPosterise); }
void TRGB::RadioButton8Click() { RefreshPreview(&TRGB::PreviewPosterise); }
void TRGB::RadioButton9Click() { RefreshPreview(&TRGB::PreviewContrast); }
void TRGB::RadioButton10Click() { RefreshPreview(&TRGB::PreviewContrast); }
void TRGB::RadioButton11Click() { RefreshPreview(&TRGB::PreviewContrast); }
void TRGB::RadioButton12Click() { RefreshPreview(&TRGB::PreviewContrast); }

// Changing the page leaves the preview as it is.
void TRGB::PageControl1Change() {}

void TRGB::ShineSpeedButton1Click() {
    // In this order; each slider that moves runs its own handler, so the preview ends showing
    // the last one that moved. Radio buttons and the check box keep their state.
    const std::pair<QSlider*, int> defaults[] = {
        {TrackBar1, 0}, {TrackBar2, 0},   {TrackBar3, 0},    {TrackBar4, 0},   {TrackBar5, 0},   {TrackBar6, 0},
        {TrackBar7, 10}, {TrackBar8, 5}, {TrackBar9, 128}, {TrackBar10, 10}, {TrackBar11, 30},
    };
    for (const auto& [slider, position] : defaults) slider->setValue(position);
}

void TRGB::OKBtnClick() {
    ImageDocument& doc = host_.document();
    ColorPlanes& planes = doc.current;
    TProgress* const progress = host_.progress();
    const RowProgress step = [progress](int row) {
        if (progress) progress->setPosition(row);
    };
    // The first page of TabSheet1 .. TabSheet7 that is showing decides; the other pages'
    // controls are ignored, whatever the preview shows.
    QWidget* page = PageControl1->currentWidget();
    if (page == TabSheet1) {
        // Only the RGB pass shows the progress window; the others move its bar unseen.
        if (progress) progress->start(planes.height);
        rgbFinal(planes, TrackBar1->value(), TrackBar2->value(), TrackBar3->value(), step);
    } else if (page == TabSheet2) {
        hsiFinal(planes, TrackBar4->value(), TrackBar5->value(), TrackBar6->value(), step);
    } else if (page == TabSheet3) {
        gammaFinal(planes, TrackBar7->value(), step);
    } else if (page == TabSheet4) {
        posteriseFinal(planes, TrackBar8->value(), PosteriseChoice(), step);
    } else if (page == TabSheet5) {
        binariseFinal(planes, TrackBar9->value(), BinariseChoice(), step);
    } else if (page == TabSheet6) {
        noiseFinal(planes, TrackBar10->value(), CheckBox1->isChecked(), host_.random(), step);
    } else if (page == TabSheet7) {
        contrastFinal(planes, TrackBar11->value(), ContrastChoice(), step);
    }
    if (progress) progress->finish();
    // The planes were changed in place; the working bitmap takes them and the main view shows
    // it. The original planes stay as loaded.
    if (doc.imageLoaded) {
        doc.refreshFromPlanes();
        host_.ShowWorkingBitmap();
    }
    CloseAdjustment(QDialog::Accepted);
}

void TRGB::CancelBtnClick() {
    host_.RefreshFromPlanes();
    CloseAdjustment(QDialog::Rejected);
}

void TRGB::reject() {
    runGuarded([this] { CancelBtnClick(); });
}

void TRGB::CloseAdjustment(int result) {
    preview_.reset();
    QDialog::done(result);
}

}  // namespace veltrane
