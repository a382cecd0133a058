#pragma once
// The frame-processing window "Experiment". Opened from the player, it steps through the open
// video frame by frame, hands a frame to the main window and saves numbered snapshot series;
// opened by the main window's "HSIで抽出(&S)" it shows only the HSI range extraction of a
// 280 × 210 preview of the picture. Its panel Panel2 (the extraction) lies below the two images,
// the frame controls Panel1 below that.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include "image/bitmap24.h"
#include "image/color_planes.h"

namespace veltrane {

class DocumentHost;
class FrameSource;
class PictureView;
class SelectionTrackBar;
class UpDown;

class TExperiment : public QDialog {
    Q_OBJECT
    Q_PROPERTY(bool fromMain READ fromMain)
    Q_PROPERTY(int startPoint READ startPoint)
    Q_PROPERTY(int endPoint READ endPoint)

public:
    static constexpr int kClientWidth = 593;
    // Outer heights: the main window's extraction, the player's window, and the player's window
    // with the snapshot settings folded in or out.
    static constexpr int kExtractionHeight = 382;
    static constexpr int kFramesHeight = 458;
    static constexpr int kSnapshotClosedHeight = 450;
    static constexpr int kSnapshotOpenHeight = 537;
    // Panel1's height with the snapshot settings folded in and out.
    static constexpr int kFramePanelClosed = 54;
    static constexpr int kFramePanelOpen = 145;

    // source: the player whose frames the window shows; null when the main window opens it
    // (fromMain), which then reads host's document.
    TExperiment(DocumentHost& host, FrameSource* source, QWidget* parent = nullptr);
    ~TExperiment() override;

    bool fromMain() const { return fromMain_; }
    int startPoint() const { return startPoint_; }
    int endPoint() const { return endPoint_; }
    const Bitmap24& frameBitmap() const { return frameBitmap_; }

    // Main-window mode: the window 382 high with the frame controls off, the preview of the
    // document's current picture in both images.
    void OpenExtraction();
    // Player mode: the frame count as the range of the track bar and the up-down and as the
    // end point's text.
    void SetFrameCount(int totalFrames);
    // Grabs frame n and shows it in both images; nothing changes when no frame comes.
    void ShowFrame(int n);
    // Sets the outer height (frame included); a window not shown yet takes it again once its
    // frame is known.
    void SetOuterHeight(int outerHeight);
    // The player closes: the window closes without giving the player back its playing.
    void CloseWithoutResume(const FrameSource* source);

    PictureView *Image1, *Image2;
    QLabel *Label1, *Label2;

    // The HSI range extraction.
    QFrame* Panel2;
    QLabel *Label5, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11, *Label12, *Label13;
    QSlider *TrackBar2, *TrackBar5, *TrackBar3, *TrackBar8, *TrackBar4, *TrackBar11;
    QPushButton* BitBtn2;

    // The frame controls.
    QFrame* Panel1;
    SelectionTrackBar* TrackBar1;
    QLabel *Label3, *Label4;
    UpDown* UpDown1;
    QPushButton* BitBtn1;
    QCheckBox* CheckBox1;
    QGroupBox* GroupBox1;
    QLabel *Label14, *Label15, *Label17, *Label18;
    QLineEdit *Edit1, *Edit2;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    QGroupBox* GroupBox2;
    QComboBox *ComboBox1, *ComboBox2, *ComboBox3;
    QPushButton* BitBtn3;
    QProgressBar* ProgressBar1;

public slots:
    void TrackBar1Change();
    void UpDown1Click();
    // "このフレームを取得"
    void BitBtn1Click();
    void CheckBox1Click();
    // "<" and ">": the start and the end point.
    void Button2Click();
    void Button1Click();
    // "[" and "]": jump to the start or the end point.
    void Button3Click();
    void Button4Click();
    void ComboBox1Change();
    // "開始": the snapshot series.
    void BitBtn3Click();

    void TrackBar2Change();
    void TrackBar3Change();
    void TrackBar4Change();
    void TrackBar5Change();
    void TrackBar8Change();
    void TrackBar11Change();
    // "反映": the extraction.
    void BitBtn2Click();

    // Esc and the close box end the window here.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildImages();
    void buildExtractionPanel();
    void buildFramePanel();
    void buildSnapshotSettings();
    void connectHandlers();
    void JumpTo(int point);
    // Frees the frames and previews; in player mode gives the player back its playing.
    void FormClose();

    DocumentHost& host_;
    FrameSource* source_;
    bool fromMain_;
    bool closed_ = false;
    int startPoint_ = 0;
    int endPoint_ = 0;
    int outerHeight_ = 0;
    Bitmap24 frameBitmap_;
    // Main-window mode: the 280 × 210 preview of the picture.
    ColorPlanes preview_;
};

// The open frame-processing window, or null.
extern TExperiment* Experiment;

}  // namespace veltrane
