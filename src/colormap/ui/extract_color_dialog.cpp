#include "colormap/ui/extract_color_dialog.h"

#include "colormap/ui/progress_shown.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

namespace veltrane {

TExtractColor* ExtractColor = nullptr;

namespace {

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 196;
constexpr int kGroupLeft = 152;

}  // namespace

TExtractColor::TExtractColor(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host) {
    setObjectName("ExtractColor");
    setWindowTitle("色抽出");
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    // Every box is ticked by now: connecting afterwards keeps the opening from previewing.
    connectHandlers();
    centreOver(*this, parent);
}

TExtractColor::~TExtractColor() {
    if (ExtractColor == this) ExtractColor = nullptr;
}

void TExtractColor::buildControls() {
    Image1 = new PictureView(this);
    Image1->setObjectName("Image1");
    Image1->setAutoSize(false);
    Image1->setGeometry(12, 12, kPreviewBox, kPreviewBox);

    GroupBox1 = new QGroupBox("抽出する色", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setToolTip("抽出する色を選択して下さい(チェックしてある色が抽出されます)");
    GroupBox1->setGeometry(kGroupLeft, 4, kClientWidth - kGroupLeft - 8, 136);
    struct Sector {
        QCheckBox*& box;
        const char* name;
        const char* caption;
    };
    const Sector sectors[kHueSectorCount] = {
        {CheckBox1, "CheckBox1", "赤"}, {CheckBox2, "CheckBox2", "黄色"}, {CheckBox3, "CheckBox3", "緑"},
        {CheckBox4, "CheckBox4", "水色"}, {CheckBox5, "CheckBox5", "青"}, {CheckBox6, "CheckBox6", "紫"},
    };
    // Two columns of three.
    for (int i = 0; i < kHueSectorCount; ++i) {
        sectors[i].box = new QCheckBox(sectors[i].caption, GroupBox1);
        sectors[i].box->setObjectName(sectors[i].name);
        sectors[i].box->setChecked(true);
        sectors[i].box->setGeometry(12 + 96 * (i / 3), 24 + 34 * (i % 3), 88, 22);
    }

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    OKBtn->setGeometry(kClientWidth - 196, kClientHeight - 40, 90, 27);
    CancelBtn = new QPushButton("cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(kClientWidth - 98, kClientHeight - 40, 90, 27);
}

void TExtractColor::connectHandlers() {
    using Handler = void (TExtractColor::*)();
    const std::pair<QCheckBox*, Handler> boxes[] = {
        {CheckBox1, &TExtractColor::CheckBox1Click}, {CheckBox2, &TExtractColor::CheckBox2Click},
        {CheckBox3, &TExtractColor::CheckBox3Click}, {CheckBox4, &TExtractColor::CheckBox4Click},
        {CheckBox5, &TExtractColor::CheckBox5Click}, {CheckBox6, &TExtractColor::CheckBox6Click},
    };
    // A click toggles the box and then runs its handler.
    for (const auto& [box, handler] : boxes) connectGuarded(box, &QCheckBox::clicked, this, handler);
    connectGuarded(OKBtn, &QPushButton::clicked, this, &TExtractColor::OKBtnClick);
    connectGuarded(CancelBtn, &QPushButton::clicked, this, &TExtractColor::CancelBtnClick);
}

void TExtractColor::PrepareExtraction() {
    preview_ = std::make_unique<PreviewPlanes>(host_.document().current, kPreviewBox);
    preview_->showSource(*Image1);
}

SectorChoice TExtractColor::TickedSectors() const {
    return {CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked(),
            CheckBox4->isChecked(), CheckBox5->isChecked(), CheckBox6->isChecked()};
}

void TExtractColor::ShowExtraction() {
    if (!preview_) return;
    preview_->reset();
    extractColours(preview_->result(), preview_->area(), TickedSectors());
    preview_->showResult(*Image1);
}

void TExtractColor::CheckBox1Click() { ShowExtraction(); }
void TExtractColor::CheckBox2Click() { ShowExtraction(); }
void TExtractColor::CheckBox3Click() { ShowExtraction(); }
void TExtractColor::CheckBox4Click() { ShowExtraction(); }
void TExtractColor::CheckBox5Click() { ShowExtraction(); }
void TExtractColor::CheckBox6Click() { ShowExtraction(); }

void TExtractColor::OKBtnClick() {
    ImageDocument& doc = host_.document();
    if (doc.imageLoaded) {
        const int H = doc.current.height;
        // H steps for the rows extracted, H for the rows of the bitmap rewritten from them.
        ProgressShown progress(host_.progress(), 2 * H);
        extractColours(doc.current, TickedSectors(), [&progress](int row) { progress.setPosition(row + 1); });
        host_.RefreshFromPlanes();
        progress.setPosition(2 * H);
    }
    CloseExtraction(QDialog::Accepted);
}

void TExtractColor::CancelBtnClick() {
    host_.RefreshFromPlanes();
    CloseExtraction(QDialog::Rejected);
}

void TExtractColor::reject() {
    runGuarded([this] { CancelBtnClick(); });
}

void TExtractColor::CloseExtraction(int result) {
    preview_.reset();
    QDialog::done(result);
}

}  // namespace veltrane
