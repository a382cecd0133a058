#pragma once
// The player's colour dialog "表示色設定": the colours of the time display, the seek bar and
// the play list, the bar's three switches and the play list's icon colour. Colours and
// switches take effect at once; Cancel (also the close box and Esc) gives the colours back
// as they were at opening, while the switches keep what the check boxes set.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "player/display_options.h"

namespace veltrane {

class PictureView;
class TColorPickerDialog;

// What the dialog changes: the player's settings, and how the player shows them.
struct DisplayColourTarget {
    PlayerSettings& settings;
    // The time display, the play list and the colour button, now.
    std::function<void()> showColours;
    // The seek bar, now (the player paints it only while a file is open).
    std::function<void()> repaintBar;
};

class TSetDisplayColor : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 278;
    static constexpr int kClientHeight = 262;

    // Builds the dialog and takes the player's colours, switches and icon colour into it.
    TSetDisplayColor(const DisplayColourTarget& target, QWidget* parent = nullptr);
    ~TSetDisplayColor() override;

    // The dialog's own copy of the nine colours.
    const DisplayColours& colours() const { return colours_; }

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
    // Swatches: Image1 time text, Image5 time background, Image2 bar start, Image9 bar middle,
    // Image8 bar end, Image6 bar rest, Image7 grid, Image3 list text, Image4 list background.
    PictureView *Image1, *Image2, *Image3, *Image4, *Image5, *Image6, *Image7, *Image8, *Image9;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8, *Button9;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QPushButton *OKBtn, *CancelBtn;
    // The colour picker; new with each dialog, so it starts from black.
    TColorPickerDialog* ColorDialog1;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void OKBtnClick();
    void CancelBtnClick();
    // Cancel, whichever way the dialog is left without OK.
    void reject() override;

private:
    void buildControls();
    // Check boxes, buttons and swatches as the player's switches say; the swatches painted;
    // the icon colour selected (nothing for a value outside 0 to 4).
    void TakePlayerState();
    void PaintSwatch(DisplayColour which);
    // Runs the picker for one colour; on OK the swatch and the player take it at once.
    void PickColour(DisplayColour which);
    void ShowMiddle(bool on);
    void ShowEnd(bool on);
    void ShowGrid(bool on);

    DisplayColourTarget target_;
    DisplayColours colours_;
    // The colours as they were at opening, for Cancel.
    DisplayColours opening_;
};

// The colour dialog while it is open; null otherwise.
extern TSetDisplayColor* SetDisplayColor;

}  // namespace veltrane
