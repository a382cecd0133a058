#include "pcnn/ui/pcnn_dialog.h"

#include <QFile>
#include <QFileInfo>

#include "image/image_document.h"
#include "image/letterbox.h"
#include "pcnn/pcnn_progress.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/named_child.h"
#include "uisupport/ui/qt_bitmap.h"
#include "uisupport/ui/qt_text.h"
#include "uisupport/ui/window_frame.h"
#include "widgets/ui/picture_view.h"

namespace veltrane {

TPCNN* PCNN = nullptr;

namespace {

constexpr int kSide = PcnnNetwork::kSide;
constexpr int kClientHeight = 272;
// The main window's size after an apply: 520 × (tool bar + 333).
constexpr int kAppliedWidth = 520;
constexpr int kAppliedBelowToolBar = 333;

QLabel* newLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    return namedChild<QLabel>(parent, name, QRect(x, y, w, 15), text);
}

QRadioButton* newRadio(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    return namedChild<QRadioButton>(parent, name, QRect(x, y, w, 17), text);
}

}  // namespace

TPCNN::TPCNN(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host),
      work_(kSide, kSide) {
    setObjectName("PCNN");
    setWindowTitle("Pulse-Coupled Neural Network");
    setModal(true);
    setFixedSize(kOuterWidth, kClientHeight);

    Image1 = new PictureView(this);
    Image1->setObjectName("Image1");
    Image1->setToolTip("処理結果を表示します");
    Image1->setAutoSize(false);
    Image1->setStretch(true);
    Image1->setGeometry(8, 8, kSide, kSide);

    // The run's buttons and its progress, beside the picture.
    Label1 = newLabel(this, "Label1", "PCNN処理をする↓", 276, 10, 156);
    BitBtn3 = guardedButton(new QPushButton("開始", this), this, "BitBtn3", {}, &TPCNN::BitBtn3Click);
    BitBtn3->setGeometry(276, 28, 150, 27);
    Label3 = newLabel(this, "Label3", "最初の画像に戻す↓", 276, 68, 156);
    BitBtn2 = guardedButton(new QPushButton("元に戻す", this), this, "BitBtn2", {}, &TPCNN::BitBtn2Click);
    BitBtn2->setGeometry(276, 86, 150, 27);
    Label4 = newLabel(this, "Label4", "←の画像を適用する場合　↓", 276, 126, 156);
    BitBtn1 = guardedButton(new QPushButton("適用する", this), this, "BitBtn1", {}, &TPCNN::BitBtn1Click);
    BitBtn1->setGeometry(276, 144, 150, 27);
    Label2 = newLabel(this, "Label2", "処理経過", 276, 200, 156);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setToolTip("処理経過を表します");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(276, 218, 150, 17);

    // The settings, beyond the first 440 pixels: a run narrows the window over them.
    GroupBox1 = new QGroupBox("設定", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(448, 4, 134, 188);
    Label5 = newLabel(GroupBox1, "Label5", "処理回数　　 　　　　回", 6, 22, 124);
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setToolTip("処理する回数を設定して下さい");
    for (int passes : kPcnnPassItems) ComboBox1->addItem(QString::number(passes));
    ComboBox1->setCurrentIndex(kPcnnDefaultPassIndex);
    ComboBox1->setGeometry(58, 18, 50, 22);

    GroupBox3 = new QGroupBox("変化", GroupBox1);
    GroupBox3->setObjectName("GroupBox3");
    GroupBox3->setToolTip("画像上の変化の度合いを選んで下さい");
    GroupBox3->setGeometry(6, 44, 122, 42);
    RadioButton5 = newRadio(GroupBox3, "RadioButton5", "大", 6, 18, 38);
    RadioButton6 = newRadio(GroupBox3, "RadioButton6", "中", 44, 18, 38);
    RadioButton7 = newRadio(GroupBox3, "RadioButton7", "小", 82, 18, 38);
    RadioButton6->setChecked(true);

    GroupBox4 = new QGroupBox("計算方法", GroupBox1);
    GroupBox4->setObjectName("GroupBox4");
    GroupBox4->setToolTip("処理の際に用いる入力値を決めて下さい");
    GroupBox4->setGeometry(6, 90, 122, 92);
    RadioButton3 = newRadio(GroupBox4, "RadioButton3", "輝度値を用いる", 6, 18, 112);
    RadioButton4 = newRadio(GroupBox4, "RadioButton4", "RGB値を用いる", 6, 38, 112);
    RadioButton3->setChecked(true);
    ComboBox2 = new QComboBox(GroupBox4);
    ComboBox2->setObjectName("ComboBox2");
    for (const PcnnColourPair& pair : kPcnnColourPairs) ComboBox2->addItem(QString::fromUtf8(pair.item));
    ComboBox2->setCurrentIndex(0);
    ComboBox2->setGeometry(6, 62, 110, 22);

    GroupBox2 = new QGroupBox("処理方法", this);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setToolTip("処理する方法を選んで下さい");
    GroupBox2->setGeometry(448, 196, 134, 64);
    RadioButton1 = newRadio(GroupBox2, "RadioButton1", "自動処理", 8, 18, 120);
    RadioButton2 = newRadio(GroupBox2, "RadioButton2", "1回ごとに処理", 8, 38, 120);
    RadioButton1->setChecked(true);

    connectGuardedCheck(RadioButton3, this, &TPCNN::RadioButton3Click);
    connectGuardedCheck(RadioButton4, this, &TPCNN::RadioButton4Click);
    autoTimer_.setSingleShot(true);
    connectGuarded(&autoTimer_, &QTimer::timeout, this, &TPCNN::AutomaticTick);

    centreOver(*this, parent);
}

TPCNN::~TPCNN() {
    autoTimer_.stop();
    if (PCNN == this) PCNN = nullptr;
}

void TPCNN::PrepareSource() {
    const ColorPlanes& current = host_.document().current;
    source_ = buildLetterbox(current, letterboxGeometry(current.width, current.height, kSide));
    writePlanes(source_, work_);
    ShowWorkBitmap();
}

void TPCNN::ShowWorkBitmap() {
    Image1->setPicture(imageOver(work_));
}

PcnnParameters TPCNN::ReadParameters() const {
    const PcnnChange change = RadioButton5->isChecked()   ? PcnnChange::Large
                              : RadioButton7->isChecked() ? PcnnChange::Small
                                                          : PcnnChange::Medium;
    const PcnnStrength strength = pcnnStrength(change);
    PcnnParameters parameters;
    parameters.beta = strength.beta;
    parameters.thresholdStep = strength.thresholdStep;
    parameters.passes = pcnnPassesForIndex(ComboBox1->currentIndex());
    parameters.input = RadioButton4->isChecked() ? PcnnInput::Rgb : PcnnInput::Luminance;
    parameters.colourPair = pcnnColourPairForIndex(ComboBox2->currentIndex());
    return parameters;
}

void TPCNN::StartRun() {
    network_.ResetNetwork();
    network_.StartRun(source_, ReadParameters());
    SetOuterWidth(kRunOuterWidth);
    SetSettingsEnabled(false);
}

void TPCNN::EndRun() {
    network_.EndRun();
    SetOuterWidth(kOuterWidth);
    ProgressBar1->setValue(0);
    SetSettingsEnabled(true);
}

void TPCNN::RunPass() {
    const PcnnPassReport report = network_.Pass(work_);
    ProgressBar1->setValue(report.progress);
    Label2->setText(fromStd(pcnnPassLabel(report.passNumber, network_.parameters().passes)));
    Image1->update();
}

void TPCNN::BitBtn3Click() {
    if (RadioButton1->isChecked()) {
        if (busy_) return;  // a run is under way
        BitBtn3->setEnabled(false);
        BitBtn1->setEnabled(false);
        BitBtn2->setEnabled(false);
        busy_.emplace();
        StartRun();
        repaint();
        AutomaticTick();
        return;
    }
    if (!network_.running()) {
        StartRun();
        BitBtn3->setText("next");
    }
    RunPass();
    if (network_.passesDone() >= network_.parameters().passes) {
        EndRun();
        BitBtn3->setText("start");
    }
}

void TPCNN::AutomaticTick() {
    if (network_.passesDone() < network_.parameters().passes) {
        RunPass();
        autoTimer_.start(kPauseMs);
        return;
    }
    FinishAutomaticRun();
}

void TPCNN::FinishAutomaticRun() {
    EndRun();
    BitBtn3->setEnabled(true);
    BitBtn1->setEnabled(true);
    BitBtn2->setEnabled(true);
    busy_.reset();
}

void TPCNN::StopAutomaticRun() {
    if (!busy_) return;
    autoTimer_.stop();
    FinishAutomaticRun();
}

void TPCNN::BitBtn2Click() {
    writePlanes(source_, work_);
    ShowWorkBitmap();
    EndRun();
    BitBtn3->setText("start");
}

void TPCNN::BitBtn1Click() {
    const QString name = QFileInfo(QFile::decodeName(host_.document().fileName.c_str())).fileName();
    if (!host_.ReplaceImage(work_, name + " PCNN(256×256)")) return;
    host_.ResizeMainWindow(kAppliedWidth, kAppliedBelowToolBar);
}

void TPCNN::RadioButton3Click() { ComboBox2->setEnabled(true); }
void TPCNN::RadioButton4Click() { ComboBox2->setEnabled(false); }

void TPCNN::done(int result) {
    StopAutomaticRun();
    QDialog::done(result);
}

void TPCNN::SetSettingsEnabled(bool on) {
    GroupBox1->setEnabled(on);
    GroupBox2->setEnabled(on);
}

void TPCNN::SetOuterWidth(int outerWidth) {
    outerWidth_ = outerWidth;
    setFixedWidth(std::max(1, outerWidth - frameExtra(*this).width()));
}

void TPCNN::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetOuterWidth(outerWidth_);  // the frame is known once the window shows
}

}  // namespace veltrane
