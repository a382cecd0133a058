#pragma once
// The image adjustment window "画像補正": seven whole-image adjustments (RGB, HSI, gamma,
// posterise, binarise, noise, contrast), one per page, each previewed on a 192 × 192 reduced
// copy of the picture and applied to the document's current planes by OK.
//
// The right-hand preview always shows exactly one adjustment: the one whose control was
// touched last, applied to the unchanged reduced picture. OK applies the adjustment of the
// page that is showing, whatever the preview shows.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <memory>

#include "adjust/adjustments.h"

namespace veltrane {

class PictureView;
class PreviewPlanes;
class DocumentHost;

class TRGB : public QDialog {
    Q_OBJECT

public:
    // The box size of the two preview images.
    static constexpr int kPreviewBox = 192;

    // Builds the window with its design values; no preview runs and nothing is drawn from
    // the generator until a control is changed.
    explicit TRGB(DocumentHost& host, QWidget* parent = nullptr);
    ~TRGB() override;

    // Reduces the document's current planes into the preview and shows them in both images.
    void BuildPreview();
    // The preview planes (null before BuildPreview and after the window closed).
    PreviewPlanes* preview() const { return preview_.get(); }

    QGroupBox *GroupBox1, *GroupBox2;
    PictureView *Image1, *Image2;
    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4, *TabSheet5, *TabSheet6, *TabSheet7;
    QSlider *TrackBar1, *TrackBar2, *TrackBar3, *TrackBar4, *TrackBar5, *TrackBar6, *TrackBar7, *TrackBar8,
        *TrackBar9, *TrackBar10, *TrackBar11;
    // Value labels: Label1, 4, 6 (RGB), 10, 11, 12 (HSI), 14 (γ), 15 (posterise), 17 (binarise),
    // 19 (noise), 21 (contrast). Range labels: Label2, 3, 5, 7, 8, 9, 13, 22, 16, 18, 23.
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11,
        *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19, *Label21, *Label22, *Label23;
    // Colour groups "色": GroupBox4 posterise (5 赤, 6 緑, 7 青, 8 全色), GroupBox3 binarise
    // (2 赤, 3 緑, 4 青, 1 全色), GroupBox5 contrast (10 赤, 11 緑, 12 青, 9 全色).
    QGroupBox *GroupBox3, *GroupBox4, *GroupBox5;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5, *RadioButton6,
        *RadioButton7, *RadioButton8, *RadioButton9, *RadioButton10, *RadioButton11, *RadioButton12;
    QCheckBox* CheckBox1;
    QPushButton *ShineSpeedButton1, *OKBtn, *CancelBtn;

public slots:
    void TrackBar1Change();
    void TrackBar2Change();
    void TrackBar3Change();
    void TrackBar4Change();
    void TrackBar5Change();
    void TrackBar6Change();
    void TrackBar7Change();
    void TrackBar8Change();
    void TrackBar9Change();
    void TrackBar10Change();
    void TrackBar11Change();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Clck();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void RadioButton7Click();
    void RadioButton8Click();
    void RadioButton9Click();
    void RadioButton10Click();
    void RadioButton11Click();
    void RadioButton12Click();
    void ShineSpeedButton1Click();
    void OKBtnClick();
    void CancelBtnClick();
    void PageControl1Change();

    // Esc and the title bar's close box end the window as Cancel does.
    void reject() override;

private:
    void buildImages();
    void buildPages();
    QWidget* addPage(const char* name, const QString& caption, const QString& hint);
    QSlider* addSlider(QWidget* page, const char* name, int row, int minimum, int maximum, int position,
                       const QString& hint, QLabel*& rangeLabel, const char* rangeName, const QString& rangeText,
                       QLabel*& valueLabel, const char* valueName, const QString& valueText);
    QGroupBox* addColourGroup(QWidget* page, const char* name, QRadioButton*& red, const char* redName,
                              QRadioButton*& green, const char* greenName, QRadioButton*& blue, const char* blueName,
                              QRadioButton*& all, const char* allName);
    void connectHandlers();

    // Reset, run the routine over the picture area, show: the three steps of every preview.
    void RefreshPreview(void (TRGB::*routine)());
    void ResetPreview();
    void ShowPreview();
    void PreviewRgb();
    void PreviewHsi();
    void PreviewGamma();
    void PreviewPosterise();
    void PreviewBinarise();
    void PreviewNoise();
    void PreviewContrast();

    ChannelChoice PosteriseChoice() const;
    ChannelChoice BinariseChoice() const;
    ChannelChoice ContrastChoice() const;

    // Frees the preview planes and ends the modal run with the given result.
    void CloseAdjustment(int result);

    DocumentHost& host_;
    std::unique_ptr<PreviewPlanes> preview_;
};

// The open adjustment window, or null.
extern TRGB* RGB;

}  // namespace veltrane
