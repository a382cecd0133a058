#pragma once
// The window "Pulse-Coupled Neural Network": runs the pulse-coupled network over a 256 × 256
// letterboxed copy of the picture and shows the pulses pass by pass; "適用する" makes the pulse
// picture the document's picture.
//
// An automatic run takes one pass per tick of a 50 ms timer, so the window keeps painting and
// answering; while it lasts the settings, "適用する", "元に戻す" and the start button are disabled,
// the window is narrowed to 440 and the program's busy gate is held (the script waits). Closing
// the window ends the run after the current pass.
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <optional>

#include "common/busy_gate.h"
#include "image/bitmap24.h"
#include "image/color_planes.h"
#include "pcnn/pcnn_network.h"

namespace veltrane {

class DocumentHost;
class PictureView;

class TPCNN : public QDialog {
    Q_OBJECT

public:
    static constexpr int kOuterWidth = 590;
    static constexpr int kRunOuterWidth = 440;
    static constexpr int kPauseMs = 50;

    explicit TPCNN(DocumentHost& host, QWidget* parent = nullptr);
    ~TPCNN() override;

    // Reduces the document's current planes into the 256 × 256 source and shows it.
    void PrepareSource();

    PictureView* Image1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QProgressBar* ProgressBar1;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
    QComboBox *ComboBox1, *ComboBox2;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5, *RadioButton6,
        *RadioButton7;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void RadioButton3Click();
    void RadioButton4Click();

public:
    // Every ending (OK-less close box, Esc, close()) stops an automatic run first.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    PcnnParameters ReadParameters() const;
    void StartRun();
    void EndRun();
    void RunPass();
    void AutomaticTick();
    void FinishAutomaticRun();
    void StopAutomaticRun();
    void SetSettingsEnabled(bool on);
    void SetOuterWidth(int outerWidth);
    void ShowWorkBitmap();

    DocumentHost& host_;
    ColorPlanes source_;
    Bitmap24 work_;
    PcnnNetwork network_;
    QTimer autoTimer_;
    std::optional<BusyGate::Hold> busy_;  // held for an automatic run
    int outerWidth_ = kOuterWidth;
};

extern TPCNN* PCNN;

}  // namespace veltrane
