// The tone colour window: its controls, the curve box and previews they show, OK and Cancel.
#include "colormap/ui/tone_color_dialog.h"

#include "platform/ui/platform_services.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/named_child.h"
#include "uisupport/ui/qt_bitmap.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"
#include "widgets/ui/progress_window.h"

namespace veltrane {

TToneColor* ToneColor = nullptr;

namespace {

constexpr int kClientWidth = 620;
constexpr int kClientHeight = 322;

// A picture control of a fixed size that shows its picture unscaled.
PictureView* makeImage(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* view = namedChild<PictureView>(parent, name, QRect(left, top, width, height));
    view->setAutoSize(false);
    return view;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                     int height) {
    return namedChild<QGroupBox>(parent, name, QRect(left, top, width, height), caption);
}

}  // namespace

TToneColor::TToneColor(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host) {
    setObjectName("ToneColor");
    setWindowTitle("トーンカラー");
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    // Every control holds its design value by now, so connecting afterwards runs nothing.
    connectHandlers();
    centreOver(*this, parent);
}

TToneColor::~TToneColor() {
    if (ToneColor == this) ToneColor = nullptr;
}

void TToneColor::buildControls() {
    // The vertical value bar left of the curve box, the horizontal one below it.
    GroupBox3 = makeGroup(this, "GroupBox3", QString(), 8, 4, 30, 271);
    Image3 = makeImage(GroupBox3, "Image3", 6, 8, kValueBarThickness, kValueBarLength);
    Image1 = makeImage(this, "Image1", 44, 12, kCurveBoxSide, kCurveBoxSide);
    GroupBox4 = makeGroup(this, "GroupBox4", QString(), 40, 275, 263, 32);
    Image2 = makeImage(GroupBox4, "Image2", 4, 8, kValueBarLength, kValueBarThickness);
    for (QGroupBox* frame : {GroupBox3, GroupBox4}) frame->setStyleSheet("QGroupBox { border: 1px solid gray; }");

    GroupBox1 = makeGroup(this, "GroupBox1", "元画像", 316, 4, 144, 156);
    Image4 = makeImage(GroupBox1, "Image4", 8, 20, kPreviewBox, kPreviewBox);
    GroupBox2 = makeGroup(this, "GroupBox2", "処理した画像", 468, 4, 144, 156);
    Image5 = makeImage(GroupBox2, "Image5", 8, 20, kPreviewBox, kPreviewBox);

    Label1 = new QLabel("↓選択して下さい。", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(316, 176, 160, 18);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->addItems({"RGB", "R only", "G only", "B only"});
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setGeometry(316, 196, 121, 22);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    OKBtn->setGeometry(kClientWidth - 196, kClientHeight - 36, 90, 27);
    CancelBtn = new QPushButton("cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(kClientWidth - 98, kClientHeight - 36, 90, 27);
}

void TToneColor::connectHandlers() {
    // A real press on the curve box runs the same slot a script calls.
    connect(Image1, &PictureView::mousePressed, this,
            [this](int button, int x, int y) { runGuarded([&] { Image1MouseDown(button, x, y); }); });
    // Only the user's choice runs the handler; a change made in code does not.
    connectGuarded(ComboBox1, &QComboBox::activated, this, &TToneColor::ComboBox1Change);
    connectGuarded(OKBtn, &QPushButton::clicked, this, &TToneColor::OKBtnClick);
    connectGuarded(CancelBtn, &QPushButton::clicked, this, &TToneColor::CancelBtnClick);
}

ToneChannel TToneColor::Channel() const { return toneChannelOf(ComboBox1->currentIndex()); }

void TToneColor::PrepareToneColor() {
    preview_ = std::make_unique<PreviewPlanes>(host_.document().current, kPreviewBox);
    curveImages_ = std::make_unique<ToneCurveImages>();
    ResetPreviewCopy();
    const QImage& reduced = preview_->resultImage();
    Image4->setPicture(reduced);
    Image5->setPicture(reduced);
    DrawValueBars();
    ResetTonePoints();
}

// The preview is not processed here: both images keep the unprocessed picture until the
// first press or channel choice.
void TToneColor::ResetTonePoints() {
    curve_.reset();
    DrawToneCurve();
    ShowTone();
}

void TToneColor::ResetPreviewCopy() { preview_->reset(); }

// The whole box, black bands included: they show what the rule makes of black.
void TToneColor::ApplyTonePreview() { applyToneRule(preview_->result(), curve_, Channel()); }

void TToneColor::DrawToneCurve() { drawToneCurve(curve_, Channel(), *curveImages_); }

void TToneColor::ShowTone() {
    preview_->showResult(*Image5);
    Image1->setPicture(imageCopyOf(toneCurveBox(*curveImages_)));
}

void TToneColor::DrawValueBars() {
    Image2->setPicture(imageCopyOf(horizontalValueBar(Channel())));
    Image3->setPicture(imageCopyOf(verticalValueBar(Channel())));
}

void TToneColor::Image1MouseDown(int button, int x, int y) {
    if (button != 1 || !preview_) return;
    ResetPreviewCopy();
    curve_.AddPressedPoint(x, y);
    ApplyTonePreview();
    DrawToneCurve();
    ShowTone();
}

// With no item selected there is no channel to show: the window stays as it is.
void TToneColor::ComboBox1Change() {
    if (!preview_ || Channel() == ToneChannel::None) return;
    DrawValueBars();
    ResetPreviewCopy();
    ApplyTonePreview();
    DrawToneCurve();
    ShowTone();
}

void TToneColor::OKBtnClick() {
    ImageDocument& doc = host_.document();
    if (doc.imageLoaded) {
        TProgress* const progress = host_.progress();
        if (progress) progress->start(doc.current.height);
        applyToneRule(doc.current, curve_, Channel(), [progress](int row) {
            if (progress) progress->setPosition(row);
        });
        host_.RefreshFromPlanes();
        if (progress) progress->finish();
    }
    CloseToneColor();
    QDialog::done(QDialog::Accepted);
}

void TToneColor::CancelBtnClick() {
    CloseToneColor();
    host_.RefreshFromPlanes();
    QDialog::done(QDialog::Rejected);
}

void TToneColor::reject() {
    runGuarded([this] { CancelBtnClick(); });
}

void TToneColor::CloseToneColor() {
    preview_.reset();
    curveImages_.reset();
}

}  // namespace veltrane
