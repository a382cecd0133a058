#pragma once
// The colour extraction window "色抽出": six hue sectors, each with a check box; the pixels
// of the ticked sectors keep their colour and the others turn black, on a 128 × 128 preview
// of the reduced picture and, with OK, on the document.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <memory>

#include "colormap/color_extraction.h"

namespace veltrane {

class DocumentHost;
class PictureView;
class PreviewPlanes;

class TExtractColor : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPreviewBox = 128;

    explicit TExtractColor(DocumentHost& host, QWidget* parent = nullptr);
    ~TExtractColor() override;

    // Reduces the document's current planes into the preview and shows them: with every box
    // ticked that is the extraction's result.
    void PrepareExtraction();
    // The preview planes (null before PrepareExtraction and after the window closed).
    const PreviewPlanes* preview() const { return preview_.get(); }

    PictureView* Image1;
    QGroupBox* GroupBox1;
    // In the order of the sectors: 赤, 黄色, 緑, 水色, 青, 紫.
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6;
    QPushButton *OKBtn, *CancelBtn;

public slots:
    // Previews the extraction of the ticked sectors.
    void ShowExtraction();

    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox6Click();
    void OKBtnClick();
    void CancelBtnClick();
    // Esc and the title bar's close box end the window as Cancel does.
    void reject() override;

private:
    void buildControls();
    void connectHandlers();
    SectorChoice TickedSectors() const;
    // Frees the preview planes and ends the modal run with the given result.
    void CloseExtraction(int result);

    DocumentHost& host_;
    std::unique_ptr<PreviewPlanes> preview_;
};

// The open colour extraction window, or null.
extern TExtractColor* ExtractColor;

}  // namespace veltrane
