#pragma once
// The tone colour window "トーンカラー": a tone-curve editor. Presses in the 255 × 255 curve
// box add control points; the curve they make turns each chosen channel value v into
// 255 − table[v]. A 128 × 128 reduced copy of the picture previews it; OK applies it to the
// document's current planes.
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "colormap/tone_curve.h"

namespace veltrane {

class DocumentHost;
class PictureView;
class PreviewPlanes;

class TToneColor : public QDialog {
    Q_OBJECT

public:
    // The box size of the two preview images.
    static constexpr int kPreviewBox = 128;

    // Builds the window with its design values ("RGB" chosen); nothing is drawn until
    // PrepareToneColor.
    explicit TToneColor(DocumentHost& host, QWidget* parent = nullptr);
    ~TToneColor() override;

    // Reduces the document's current planes into the preview and shows it unprocessed in both
    // images, draws the value bars and starts the curve from its two corner points.
    void PrepareToneColor();

    const ToneCurve& curve() const { return curve_; }
    // The preview planes (null before PrepareToneColor and after the window closed).
    PreviewPlanes* preview() const { return preview_.get(); }

    PictureView *Image1, *Image2, *Image3, *Image4, *Image5;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QPushButton *OKBtn, *CancelBtn;

public slots:
    // A mouse press on the curve box: button 1 left, 2 right, 3 middle; x, y in box pixels.
    // Only the left button adds a point.
    void Image1MouseDown(int button, int x, int y);
    void ComboBox1Change();
    void OKBtnClick();
    void CancelBtnClick();

    // Esc and the title bar's close box end the window as Cancel does.
    void reject() override;

private:
    void buildControls();
    void connectHandlers();
    ToneChannel Channel() const;

    void ResetTonePoints();
    void ResetPreviewCopy();
    void ApplyTonePreview();
    void DrawToneCurve();
    void ShowTone();
    void DrawValueBars();
    // Frees the preview planes and the curve images.
    void CloseToneColor();

    DocumentHost& host_;
    ToneCurve curve_;
    std::unique_ptr<PreviewPlanes> preview_;
    std::unique_ptr<ToneCurveImages> curveImages_;
};

// The open tone colour window, or null.
extern TToneColor* ToneColor;

}  // namespace veltrane
