// The frame-processing window: its controls, its two modes and its closing.
#include "frames/ui/experiment_window.h"

#include <QCloseEvent>

#include "frames/extraction_preview.h"
#include "frames/ui/experiment_pictures.h"
#include "frames/ui/frame_source.h"
#include "image/image_document.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/named_child.h"
#include "uisupport/ui/window_frame.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/selection_track_bar.h"
#include "widgets/ui/up_down.h"

namespace veltrane {

TExperiment* Experiment = nullptr;

namespace {

constexpr int kImageSide = 280, kImageHeight = 210;
// Panel2 ends where a 382-high window with a 30-pixel frame ends; Panel1 starts there.
constexpr int kPanel2Top = 234;
constexpr int kPanel1Top = 352;

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    return namedChild<QLabel>(parent, name, geometry, text);
}

QSlider* rangeBar(QWidget* parent, const char* name, int maximum, int position, const QString& hint,
                  const QRect& geometry) {
    auto* bar = namedChild<QSlider>(parent, name, geometry, Qt::Horizontal);
    bar->setRange(0, maximum);
    bar->setValue(position);
    bar->setToolTip(hint);
    return bar;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                    const QRect& geometry) {
    auto* b = namedChild<QPushButton>(parent, name, geometry, caption);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

// A combo box that starts with no item selected and shows its default as placeholder text.
QComboBox* comboBox(QWidget* parent, const char* name, const QStringList& items, const QString& shown,
                    const QString& hint, const QRect& geometry) {
    auto* box = namedChild<QComboBox>(parent, name, geometry);
    box->addItems(items);
    box->setPlaceholderText(shown);
    box->setCurrentIndex(-1);
    if (!hint.isEmpty()) box->setToolTip(hint);
    return box;
}

}  // namespace

TExperiment::TExperiment(DocumentHost& host, FrameSource* source, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host),
      source_(source),
      fromMain_(source == nullptr) {
    Experiment = this;
    setObjectName("Experiment");
    setWindowTitle("Experiment");
    setFixedSize(kClientWidth, kPanel1Top + kFramePanelClosed);
    buildImages();
    buildExtractionPanel();
    buildFramePanel();
    // The bars stand at their start positions by now: connecting afterwards keeps the start
    // texts ("0.0", "0.90") until a bar moves.
    connectHandlers();
    centreOver(*this, parent);
}

TExperiment::~TExperiment() {
    if (Experiment == this) Experiment = nullptr;
}

void TExperiment::buildImages() {
    Label1 = label(this, "Label1", "元画像", QRect(8, 4, 120, 14));
    Label2 = label(this, "Label2", "抽出した画像", QRect(16 + kImageSide, 4, 120, 14));
    Image1 = new PictureView(this);
    Image2 = new PictureView(this);
    int left = 8;
    for (auto [view, name] : {std::pair{Image1, "Image1"}, std::pair{Image2, "Image2"}}) {
        view->setObjectName(name);
        view->setAutoSize(false);
        view->setStretch(true);
        view->setGeometry(left, 20, kImageSide, kImageHeight);
        left += kImageSide + 8;
    }
}

void TExperiment::buildExtractionPanel() {
    Panel2 = new QFrame(this);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setToolTip("選択した値の範囲にあるピクセルを抽出します");
    Panel2->setGeometry(0, kPanel2Top, kClientWidth, kPanel1Top - kPanel2Top);

    struct Row {
        QLabel*& name;
        const char* nameId;
        const char* caption;
        QSlider*& lower;
        const char* lowerId;
        QSlider*& upper;
        const char* upperId;
        int maximum, lowerStart, upperStart;
        QLabel*& lowerText;
        const char* lowerTextId;
        const char* lowerStartText;
        QLabel*& upperText;
        const char* upperTextId;
        const char* upperStartText;
        const char* rangeMarkId;
    };
    const Row rows[] = {
        {Label5, "Label5", "hue", TrackBar2, "TrackBar2", TrackBar5, "TrackBar5", 630, 0, 65, Label8, "Label8", "0.0",
         Label11, "Label11", "0.65", "RangeMark1"},
        {Label6, "Label6", "saturation", TrackBar3, "TrackBar3", TrackBar8, "TrackBar8", 100, 15, 75, Label9, "Label9",
         "0.15", Label12, "Label12", "0.75", "RangeMark2"},
        {Label7, "Label7", "intense", TrackBar4, "TrackBar4", TrackBar11, "TrackBar11", 100, 26, 90, Label10, "Label10",
         "0.26", Label13, "Label13", "0.90", "RangeMark3"},
    };
    int top = 6;
    for (const Row& r : rows) {
        const QString what = r.caption;
        r.name = label(Panel2, r.nameId, r.caption, QRect(8, top + 4, 70, 16));
        r.lower = rangeBar(Panel2, r.lowerId, r.maximum, r.lowerStart, what + "値の下限を設定して下さい",
                           QRect(80, top, 200, 24));
        r.lowerText = label(Panel2, r.lowerTextId, r.lowerStartText, QRect(284, top + 4, 40, 16));
        label(Panel2, r.rangeMarkId, "～", QRect(326, top + 4, 16, 16));
        r.upper = rangeBar(Panel2, r.upperId, r.maximum, r.upperStart, what + "値の上限を設定して下さい",
                           QRect(344, top, 200, 24));
        r.upperText = label(Panel2, r.upperTextId, r.upperStartText, QRect(548, top + 4, 40, 16));
        top += 28;
    }
    BitBtn2 = button(Panel2, "BitBtn2", "反映", "設定した値にあるピクセルを抽出するにはこのボタンを押して下さい",
                     QRect(kClientWidth - 96, top, 88, 26));
}

void TExperiment::buildFramePanel() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setToolTip("プログレスバーを移動させることでフレームを指定することができます");
    Panel1->setGeometry(0, kPanel1Top, kClientWidth, kFramePanelClosed);

    TrackBar1 = new SelectionTrackBar(Panel1);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(0, 10);
    TrackBar1->setGeometry(4, 2, kClientWidth - 8, 24);
    Label3 = label(Panel1, "Label3", "今のフレーム :", QRect(8, 31, 80, 16));
    Label4 = label(Panel1, "Label4", "0", QRect(90, 31, 70, 16));
    UpDown1 = new UpDown(Panel1);
    UpDown1->setObjectName("UpDown1");
    UpDown1->setRange(0, 0);
    UpDown1->setGeometry(162, 28, 17, 22);
    BitBtn1 = button(Panel1, "BitBtn1", "このフレームを取得", "現在表示してあるフレームを取得するにはここを押して下さい",
                     QRect(190, 27, 150, 24));
    CheckBox1 = new QCheckBox("スナップショット", Panel1);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setGeometry(356, 29, 140, 20);
    buildSnapshotSettings();
}

void TExperiment::buildSnapshotSettings() {
    GroupBox1 = new QGroupBox("設定", Panel1);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(4, kFramePanelClosed, kClientWidth - 8, kFramePanelOpen - kFramePanelClosed - 4);

    Label14 = label(GroupBox1, "Label14", "開始地点", QRect(8, 16, 70, 14));
    Edit1 = new QLineEdit("0", GroupBox1);
    Edit1->setObjectName("Edit1");
    Edit1->setReadOnly(true);
    Edit1->setGeometry(8, 32, 70, 22);
    Label15 = label(GroupBox1, "Label15", "終了地点", QRect(84, 16, 70, 14));
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName("Edit2");
    Edit2->setReadOnly(true);
    Edit2->setGeometry(84, 32, 70, 22);
    Button2 = button(GroupBox1, "Button2", "<", "開始地点の位置を設定します", QRect(8, 58, 34, 22));
    Button1 = button(GroupBox1, "Button1", ">", "終了地点を設定します", QRect(44, 58, 34, 22));
    Button3 = button(GroupBox1, "Button3", "[", "開始地点へ飛びます", QRect(84, 58, 34, 22));
    Button4 = button(GroupBox1, "Button4", "]", "終了地点に跳びます", QRect(120, 58, 34, 22));
    Button3->setEnabled(false);
    Button4->setEnabled(false);

    GroupBox2 = new QGroupBox("保存設定", GroupBox1);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setToolTip("保存するファイルの形式を設定します");
    GroupBox2->setGeometry(162, 8, 196, 74);
    ComboBox1 = comboBox(GroupBox2, "ComboBox1", {"JPG", "BMP"}, "JPG", QString(), QRect(8, 20, 72, 22));
    Label17 = label(GroupBox2, "Label17", "圧縮率", QRect(88, 24, 40, 14));
    QStringList qualities;
    for (int q = 10; q <= 100; q += 10) qualities << QString::number(q) + "％";
    ComboBox2 = comboBox(GroupBox2, "ComboBox2", qualities, "50％", QString(), QRect(128, 20, 62, 22));

    const QString stepHint = "処理する際に何フレームおきに保存するかを設定します(1秒：30フレーム)";
    Label18 = label(GroupBox1, "Label18", "処理する単位", QRect(366, 16, 80, 14));
    Label18->setToolTip(stepHint);
    ComboBox3 = comboBox(GroupBox1, "ComboBox3", {"5ﾌﾚｰﾑ", "10ﾌﾚｰﾑ", "15ﾌﾚｰﾑ", "20ﾌﾚｰﾑ", "30ﾌﾚｰﾑ"}, "5ﾌﾚｰﾑ", stepHint,
                         QRect(366, 32, 90, 22));
    BitBtn3 = button(GroupBox1, "BitBtn3", "開始", "スナップショットを開始します", QRect(470, 30, 100, 26));
    BitBtn3->setEnabled(false);
    ProgressBar1 = new QProgressBar(GroupBox1);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setToolTip("処理の経過を表示します");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setGeometry(366, 62, 204, 16);
}

void TExperiment::connectHandlers() {
    connectGuarded(TrackBar1, &QSlider::valueChanged, this, &TExperiment::TrackBar1Change);
    connectGuarded(UpDown1, &UpDown::clicked, this, &TExperiment::UpDown1Click);
    connectGuarded(BitBtn1, &QPushButton::clicked, this, &TExperiment::BitBtn1Click);
    connectGuarded(CheckBox1, &QCheckBox::clicked, this, &TExperiment::CheckBox1Click);
    connectGuarded(Button1, &QPushButton::clicked, this, &TExperiment::Button1Click);
    connectGuarded(Button2, &QPushButton::clicked, this, &TExperiment::Button2Click);
    connectGuarded(Button3, &QPushButton::clicked, this, &TExperiment::Button3Click);
    connectGuarded(Button4, &QPushButton::clicked, this, &TExperiment::Button4Click);
    connectGuarded(ComboBox1, &QComboBox::activated, this, &TExperiment::ComboBox1Change);
    connectGuarded(BitBtn3, &QPushButton::clicked, this, &TExperiment::BitBtn3Click);

    connectGuarded(TrackBar2, &QSlider::valueChanged, this, &TExperiment::TrackBar2Change);
    connectGuarded(TrackBar3, &QSlider::valueChanged, this, &TExperiment::TrackBar3Change);
    connectGuarded(TrackBar4, &QSlider::valueChanged, this, &TExperiment::TrackBar4Change);
    connectGuarded(TrackBar5, &QSlider::valueChanged, this, &TExperiment::TrackBar5Change);
    connectGuarded(TrackBar8, &QSlider::valueChanged, this, &TExperiment::TrackBar8Change);
    connectGuarded(TrackBar11, &QSlider::valueChanged, this, &TExperiment::TrackBar11Change);
    connectGuarded(BitBtn2, &QPushButton::clicked, this, &TExperiment::BitBtn2Click);
}

void TExperiment::SetOuterHeight(int outerHeight) {
    outerHeight_ = outerHeight;
    setFixedSize(kClientWidth, std::max(1, outerHeight - frameExtra(*this).height()));
}

void TExperiment::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (outerHeight_ > 0) SetOuterHeight(outerHeight_);
}

void TExperiment::OpenExtraction() {
    SetOuterHeight(kExtractionHeight);
    // No player stands behind the frame controls: they are off, not only out of sight.
    Panel1->setEnabled(false);
    const ImageDocument& doc = host_.document();
    if (!doc.imageLoaded) return;
    preview_ = buildExtractionPreview(doc.current);
    frameBitmap_ = Bitmap24(kExtractionPreviewWidth, kExtractionPreviewHeight);
    writePlanes(preview_, frameBitmap_);
    showPicture(*Image1, frameBitmap_);
    showPicture(*Image2, frameBitmap_);
}

void TExperiment::reject() {
    runGuarded([this] { FormClose(); });
    QDialog::reject();
}

void TExperiment::CloseWithoutResume(const FrameSource* source) {
    if (source != source_ || !source_) return;
    source_ = nullptr;
    close();
}

void TExperiment::FormClose() {
    if (closed_) return;
    closed_ = true;
    if (FrameSource* source = std::exchange(source_, nullptr)) source->ResumeAfterFrameProcessing();
    frameBitmap_ = Bitmap24();
    preview_ = ColorPlanes();
}

}  // namespace veltrane
