// The gradation map window's behaviour: preparing the preview and the catalogue, choosing a
// gradient and the options, OK (the final pass) and Cancel.
#include <QImage>

#include "colormap/ui/gradation_map_dialog.h"
#include "image/image_document.h"
#include "platform/ui/platform_services.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/qt_bitmap.h"
#include "uisupport/ui/qt_text.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

namespace veltrane {

void TGradiationMap::PrepareGradationMap() {
    // 1–3: the planes, the reduced picture and its bitmap.
    preview_ = std::make_unique<PreviewPlanes>(host_.document().current, kPreviewBox);
    bar_ = ColorPlanes(kGradationBarWidth, kGradationBarHeight);
    barBitmap_ = Bitmap24(kGradationBarWidth, kGradationBarHeight);
    // 4: the design states, set in code so that no handler runs.
    RadioButton1->setChecked(true);
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    ComboBox2->setCurrentIndex(0);
    // 5: the left image keeps the reduced picture.
    preview_->showSource(*Image3);
    // 6: the catalogue, reseeding the shared generator, and kind 0's names.
    BuildGradientCatalogue(*catalogue_, host_.random());
    FillGradientList(0);
    // 7: "黒" with the options as they are.
    SelectGradient();
    RenderGradation();
}

void TGradiationMap::FillGradientList(int kind) {
    ComboBox1->clear();
    for (int slot = 0; slot < kGradientSlotsInUse[kind]; ++slot) ComboBox1->addItem(fromStd(catalogue_->names[kind][slot]));
    ComboBox1->setCurrentIndex(0);
}

void TGradiationMap::SelectGradient() { gradient_ = catalogue_->table(category_, gradientIndex_); }

GradationOptions TGradiationMap::Options() const {
    return {CheckBox1->isChecked(), exchangeMode_, CheckBox2->isChecked()};
}

void TGradiationMap::RenderGradation() {
    if (!preview_) return;
    const GradientTable lookup = gradationLookup(gradient_, Options());
    renderGradationPreview(preview_->source(), preview_->result(), lookup);
    preview_->showResult(*Image1);
    renderGradationBar(bar_, lookup);
    writePlanes(bar_, barBitmap_);
    Image2->setPicture(imageCopyOf(barBitmap_));
}

// A new kind starts at its first gradient; "逆", "反転" and the exchange stay as they are.
void TGradiationMap::ChooseKind(int kind) {
    category_ = static_cast<std::uint8_t>(kind);
    gradientIndex_ = 0;
    FillGradientList(kind);
    SelectGradient();
    RenderGradation();
}

void TGradiationMap::RadioButton1Click() { ChooseKind(0); }
void TGradiationMap::RadioButton2Click() { ChooseKind(1); }
void TGradiationMap::RadioButton3Click() { ChooseKind(2); }
void TGradiationMap::RadioButton4Click() { ChooseKind(3); }
void TGradiationMap::RadioButton5Click() { ChooseKind(4); }

// A box with no item chosen (index −1) leaves the gradient and the preview as they are.
void TGradiationMap::ComboBox1Change() {
    const int index = ComboBox1->currentIndex();
    if (index < 0) return;
    gradientIndex_ = static_cast<std::uint8_t>(index);
    SelectGradient();
    RenderGradation();
}

void TGradiationMap::ComboBox2Change() {
    const int index = ComboBox2->currentIndex();
    if (index < 0) return;
    exchangeMode_ = static_cast<std::uint8_t>(index);
    SelectGradient();
    RenderGradation();
}

void TGradiationMap::CheckBox1Click() { RenderGradation(); }
void TGradiationMap::CheckBox2Click() { RenderGradation(); }

void TGradiationMap::OKBtnClick() {
    ImageDocument& doc = host_.document();
    if (doc.imageLoaded) {
        // In place, with no progress window; the original planes stay as loaded.
        applyGradationMap(doc.current, gradationLookup(gradient_, Options()));
        host_.RefreshFromPlanes();
    }
    CloseGradationMap(QDialog::Accepted);
}

void TGradiationMap::CancelBtnClick() {
    host_.RefreshFromPlanes();
    CloseGradationMap(QDialog::Rejected);
}

void TGradiationMap::reject() {
    runGuarded([this] { CancelBtnClick(); });
}

void TGradiationMap::CloseGradationMap(int result) {
    preview_.reset();
    bar_ = ColorPlanes();
    barBitmap_ = Bitmap24();
    QDialog::done(result);
}

}  // namespace veltrane
