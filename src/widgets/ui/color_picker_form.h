#pragma once
// The colour picker window: a 256 × 256 colour field, a strip for the third axis, numeric
// boxes for red, green, blue and hue, saturation, brightness, and a temporary palette of 28
// cells whose current cell holds the colour being edited. TColorPickerDialog runs it.
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdint>

#include "widgets/color_picker_model.h"
#include "widgets/ui/color_field_widgets.h"

namespace veltrane {

// Why the displays are refreshed.
enum class PaintRequest {
    prOnPaletteSelected,
    prOnRadioClicked,
    prOnColorSwitchChanged,
    prOnColorRChanged,
    prOnColorGChanged,
    prOnColorBChanged,
    prOnColorListBGRChanged,
    prOnFadeHChanged,
    prOnFadeSChanged,
    prOnFadeBChanged,
    prOnColorListHSBChanged,
};

class TColorPickerForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(uint resultColor READ ResultColor)
    Q_PROPERTY(int currentCell READ CurrentCell)
    Q_PROPERTY(bool idle READ Idle)

public:
    explicit TColorPickerForm(QWidget* parent = nullptr);

    // What the component hands in before Prepare.
    void SetPalette(const TemporaryPalette& palette) { palette_ = palette; }
    const TemporaryPalette& Palette() const { return palette_; }
    void SetDialogColor(std::uint32_t colour) { dialogColor_ = colour & 0xFFFFFF; }

    // Window preparation: chooses the current cell (the last holding the dialog colour, or
    // cell 27 taking it), shows the colour and fills every display.
    void Prepare();

    // FadeRadioGroup items give the HSB switches; otherwise ColorRadioGroup's give red,
    // green, blue.
    ColorSwitch GetColorSwitch() const;
    // Selects the switch's item and clears the other group.
    void SetColorSwitch(ColorSwitch sw);

    void ContradictPaint(PaintRequest request);

    // The colour OK confirmed (the swatch's colour when OK was pressed).
    std::uint32_t ResultColor() const { return resultColor_; }
    int CurrentCell() const { return currentCell_; }
    // The colour being edited: the current cell's.
    std::uint32_t CurrentColor() const { return palette_.cells[static_cast<std::size_t>(currentCell_)]; }
    bool Idle() const { return idle_; }
    const PickerValues& Values() const { return values_; }
    const QImage& FieldBitmap() const { return fieldBitmap_; }
    Q_INVOKABLE uint PaletteColor(int index) const { return palette_.Get(index); }

    // Controls.
    PickerRadioGroup *FadeRadioGroup, *ColorRadioGroup;
    QLineEdit *UHEd, *USEd, *UBEd, *RedEd, *GreenEd, *BlueEd;
    PickerPaintBox *ColorListPaintBox, *GradPaintBox;
    QGroupBox* ColorPanel;
    PickerPaintBox* ColCelPaintBox;
    QLabel* Label1;
    PickerShape* GetShape;
    QPushButton *OKBtn, *CancelBtn;
    QTimer *ColListPaintTimer, *OKCancelTimer;

public slots:
    // A click with any button in the field, or a move with the left button held (the
    // position is held inside the field).
    void ColorListPaintBoxMouseDown(int x, int y);
    void ColorListPaintBoxMouseMove(int x, int y);
    // A left click in the strip, or a move with the left button held.
    void GradPaintBoxMouseDown(int x, int y);
    void GradPaintBoxMouseMove(int x, int y);
    // A left click makes another cell current; a right click copies the current colour
    // into the cell. A move with the left button held selects like a left click.
    void ColCelPaintBoxMouseDown(int x, int y, bool rightButton);
    void ColCelPaintBoxMouseMove(int x, int y);
    void FadeRadioGroupClick();
    void ColorRadioGroupClick();
    void RedEdKeyUp();
    void GreenEdKeyUp();
    void BlueEdKeyUp();
    void UHEdKeyUp();
    void USEdKeyUp();
    void UBEdKeyUp();
    void OKBtnClick();
    void CancelBtnClick();
    void ColListPaintTimerTimer();
    void OKCancelTimerTimer();
    // Cancel, Escape and closing the window all end here.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintField(QPainter& painter);
    void PaintStrip(QPainter& painter);
    void PaintPalette(QPainter& painter);
    void PickField(int x, int y);
    void PickStrip(int y);
    void SelectCell(int cell);
    void SetCurrentColor(std::uint32_t colour);
    void RgbKeyUp(QLineEdit* firing, PaintRequest request);
    void HsbKeyUp(QLineEdit* firing, PaintRequest request);
    void WriteRgbBoxes(const QLineEdit* except);
    void WriteHsbBoxes();
    // The box of one component: a HSB box for an HSB switch, else a colour box.
    void WriteComponentBox(ColorSwitch which);

    TemporaryPalette palette_;
    std::uint32_t dialogColor_ = 0;
    std::uint32_t resultColor_ = 0;
    int currentCell_ = kPaletteCells - 1;
    PickerValues values_;
    QImage fieldBitmap_;
    bool idle_ = true;
    bool okPending_ = false;  // which button OKCancelTimer retries
};

}  // namespace veltrane
