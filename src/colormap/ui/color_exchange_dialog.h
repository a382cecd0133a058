#pragma once
// The colour exchange window "色交換": five channel orders, blanking of any output channel,
// a 128 × 128 preview of the reduced picture, and OK applying the choice to the document.
//
// A click on an order previews that order with the current blanking; a click on a check box
// previews the picture without any order, blanked as the boxes say, and is the only thing
// that changes the blanking the orders and OK use.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>
#include <memory>

#include "colormap/color_exchange.h"

namespace veltrane {

class DocumentHost;
class PictureView;
class PreviewPlanes;

class TColorExchange : public QDialog {
    Q_OBJECT
    Q_PROPERTY(int keepRed READ keepRedFlag)
    Q_PROPERTY(int keepGreen READ keepGreenFlag)
    Q_PROPERTY(int keepBlue READ keepBlueFlag)

public:
    static constexpr int kPreviewBox = 128;

    explicit TColorExchange(DocumentHost& host, QWidget* parent = nullptr);
    ~TColorExchange() override;

    // Reduces the document's current planes into the preview and shows them.
    void PrepareColorExchange();
    // The preview planes (null before PrepareColorExchange and after the window closed).
    const PreviewPlanes* preview() const { return preview_.get(); }

    PictureView* Image1;
    QGroupBox *GroupBox1, *GroupBox2;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5;
    QCheckBox *CheckBoxRed, *CheckBoxGreen, *CheckBoxBlue;
    QPushButton *OKBtn, *CancelBtn;

    // Per output channel 1 (keep) or 0 (blank); only ShowBlanked writes them.
    std::uint8_t keepRed = 1, keepGreen = 1, keepBlue = 1;

    int keepRedFlag() const { return keepRed; }
    int keepGreenFlag() const { return keepGreen; }
    int keepBlueFlag() const { return keepBlue; }

public slots:
    // Previews the order of mode 1..5 with the blanking the keep flags hold.
    void ShowExchange(int mode);
    // Takes the keep flags from the check boxes and previews the unexchanged picture with them.
    void ShowBlanked();

    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void CheckBoxRedClick();
    void CheckBoxGreenClick();
    void CheckBoxBlueClick();
    void OKBtnClick();
    void CancelBtnClick();
    // Esc and the title bar's close box end the window as Cancel does.
    void reject() override;

private:
    void buildControls();
    void connectHandlers();
    ChannelKeep KeepFlags() const;
    // The order OK applies: the first checked button's, 0 (none) when none is checked.
    int CheckedMode() const;
    // Frees the preview planes and ends the modal run with the given result.
    void CloseColorExchange(int result);

    DocumentHost& host_;
    std::unique_ptr<PreviewPlanes> preview_;
};

// The open colour exchange window, or null.
extern TColorExchange* ColorExchange;

}  // namespace veltrane
