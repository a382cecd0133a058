#pragma once
// The gradation map window "グラディエーションマップ": every pixel takes the colour a gradient
// of the catalogue gives its luminance. The left image shows the reduced picture, the right
// one the mapped preview, and the bar below which colour each luminance 0..254 receives; OK
// maps the document's current planes.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>
#include <memory>

#include "colormap/gradation_map.h"
#include "colormap/gradient_catalogue.h"
#include "image/bitmap24.h"
#include "image/color_planes.h"

namespace veltrane {

class DocumentHost;
class PictureView;
class PreviewPlanes;

class TGradiationMap : public QDialog {
    Q_OBJECT
    Q_PROPERTY(int category READ category)
    Q_PROPERTY(int gradientIndex READ gradientIndex)
    Q_PROPERTY(int exchangeMode READ exchangeMode)

public:
    // The box size of the two preview images.
    static constexpr int kPreviewBox = 128;

    // Builds the window with its design states; nothing is previewed or drawn until
    // PrepareGradationMap.
    explicit TGradiationMap(DocumentHost& host, QWidget* parent = nullptr);
    ~TGradiationMap() override;

    // Reduces the picture into the preview, resets the options, builds the catalogue (which
    // reseeds the shared generator) and shows the first gradient, "黒".
    void PrepareGradationMap();

    int category() const { return category_; }
    int gradientIndex() const { return gradientIndex_; }
    int exchangeMode() const { return exchangeMode_; }
    const GradientCatalogue& catalogue() const { return *catalogue_; }
    // A copy of the selected catalogue slot.
    const GradientTable& currentGradient() const { return gradient_; }
    // The preview planes (null before PrepareGradationMap and after the window closed).
    PreviewPlanes* preview() const { return preview_.get(); }

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *RadioGroup1;
    PictureView *Image1, *Image2, *Image3;
    QLabel *Label1, *Label2, *Label3, *Label6;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5;
    QComboBox *ComboBox1, *ComboBox2;
    QCheckBox *CheckBox1, *CheckBox2;
    QPushButton *OKBtn, *CancelBtn;

public slots:
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void ComboBox1Change();
    void ComboBox2Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void OKBtnClick();
    void CancelBtnClick();

    // Esc and the title bar's close box end the window as Cancel does.
    void reject() override;

private:
    void buildImages();
    void buildChoices();
    void buildOptions();
    void connectHandlers();

    // The kind's names in slot order into ComboBox1, its first one showing.
    void FillGradientList(int kind);
    void ChooseKind(int kind);
    void SelectGradient();
    void RenderGradation();
    GradationOptions Options() const;
    // Frees the planes and bitmaps and ends the modal run with the given result.
    void CloseGradationMap(int result);

    DocumentHost& host_;
    std::unique_ptr<GradientCatalogue> catalogue_;
    GradientTable gradient_;
    std::uint8_t category_ = 0;
    std::uint8_t gradientIndex_ = 0;
    std::uint8_t exchangeMode_ = 0;
    std::unique_ptr<PreviewPlanes> preview_;
    ColorPlanes bar_;
    Bitmap24 barBitmap_;
};

// The open gradation map window, or null.
extern TGradiationMap* GradiationMap;

}  // namespace veltrane
