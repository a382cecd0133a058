#include "player/ui/set_display_color.h"

#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/named_child.h"
#include "widgets/ui/color_picker_dialog.h"
#include "widgets/ui/picture_view.h"

namespace veltrane {

TSetDisplayColor* SetDisplayColor = nullptr;

namespace {

constexpr int kSwatchWidth = 41;
constexpr int kSwatchHeight = 17;
constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 22;
// The two columns of swatch and button inside a group.
constexpr int kLeftColumn = 8;
constexpr int kRightColumn = 134;

using Handler = void (TSetDisplayColor::*)();

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& title, const QRect& geometry) {
    return namedChild<QGroupBox>(parent, name, geometry, title);
}

PictureView* swatch(QWidget* parent, const char* name, int column, int row) {
    const QRect place(column, row + (kButtonHeight - kSwatchHeight) / 2, kSwatchWidth, kSwatchHeight);
    auto* view = namedChild<PictureView>(parent, name, place);
    view->setAutoSize(false);
    return view;
}

QPushButton* colourButton(TSetDisplayColor* owner, QWidget* parent, const char* name, const QString& caption,
                          const QString& hint, Handler handler, int column, int row) {
    auto* button = guardedButton(new QPushButton(caption, parent), owner, name, hint, handler);
    button->setAutoDefault(false);
    button->setGeometry(column + kSwatchWidth + 4, row, kButtonWidth, kButtonHeight);
    return button;
}

QCheckBox* checkBox(TSetDisplayColor* owner, QWidget* parent, const char* name, const QString& caption, Handler handler,
                    const QRect& geometry) {
    auto* box = namedChild<QCheckBox>(parent, name, geometry, caption);
    // Only a click runs the handler: setting the state in code does not.
    connectGuarded(box, &QCheckBox::clicked, owner, handler);
    return box;
}

}  // namespace

TSetDisplayColor::TSetDisplayColor(const DisplayColourTarget& target, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      target_(target),
      colours_(displayColoursOf(target.settings)),
      opening_(colours_) {
    SetDisplayColor = this;
    setObjectName("SetDisplayColor");
    setWindowTitle("表示色設定");
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    TakePlayerState();
}

TSetDisplayColor::~TSetDisplayColor() {
    if (SetDisplayColor == this) SetDisplayColor = nullptr;
}

void TSetDisplayColor::buildControls() {
    constexpr int row1 = 16, row2 = 42, row3 = 68, row4 = 94, listRow2 = 40;
    constexpr int buttonRow = kClientHeight - 26;

    GroupBox1 = groupBox(this, "GroupBox1", "ディスプレイ表示の色", QRect(6, 2, 266, 44));
    Image1 = swatch(GroupBox1, "Image1", kLeftColumn, row1);
    Button1 = colourButton(this, GroupBox1, "Button1", "数字の色", "ディスプレイの数字の色を決めます。",
                           &TSetDisplayColor::Button1Click, kLeftColumn, row1);
    Image5 = swatch(GroupBox1, "Image5", kRightColumn, row1);
    Button5 = colourButton(this, GroupBox1, "Button5", "背景の色", "ディスプレイの背景の色を決めます。",
                           &TSetDisplayColor::Button5Click, kRightColumn, row1);

    GroupBox2 = groupBox(this, "GroupBox2", "バーの色", QRect(6, 48, 266, 118));
    Image2 = swatch(GroupBox2, "Image2", kLeftColumn, row1);
    Button2 = colourButton(this, GroupBox2, "Button2", "表示開始", "ファイルの再生されている部分の最初色を決めます。",
                           &TSetDisplayColor::Button2Click, kLeftColumn, row1);
    Image9 = swatch(GroupBox2, "Image9", kRightColumn, row1);
    Button9 = colourButton(this, GroupBox2, "Button9", "表示中間", "ファイルの再生されている部分の中間の色を決めます。",
                           &TSetDisplayColor::Button9Click, kRightColumn, row1);
    Image8 = swatch(GroupBox2, "Image8", kLeftColumn, row2);
    Button8 = colourButton(this, GroupBox2, "Button8", "表示終点", "ファイルの再生されている部分の終盤の色を決めます。",
                           &TSetDisplayColor::Button8Click, kLeftColumn, row2);
    Image6 = swatch(GroupBox2, "Image6", kRightColumn, row2);
    Button6 = colourButton(this, GroupBox2, "Button6", "背景の色", "ファイルのまだ再生されてない部分の色を決めます。",
                           &TSetDisplayColor::Button6Click, kRightColumn, row2);
    Image7 = swatch(GroupBox2, "Image7", kLeftColumn, row3);
    Button7 = colourButton(this, GroupBox2, "Button7", "格子の色", "バーの格子の色を決めます。",
                           &TSetDisplayColor::Button7Click, kLeftColumn, row3);
    CheckBox3 = checkBox(this, GroupBox2, "CheckBox3", "格子を使う", &TSetDisplayColor::CheckBox3Click,
                         QRect(kRightColumn, row3 + 2, 124, 18));
    CheckBox1 = checkBox(this, GroupBox2, "CheckBox1", "中間の色を使う", &TSetDisplayColor::CheckBox1Click,
                         QRect(kLeftColumn, row4, 122, 18));
    CheckBox2 = checkBox(this, GroupBox2, "CheckBox2", "終点の色を使う", &TSetDisplayColor::CheckBox2Click,
                         QRect(kRightColumn, row4, 124, 18));

    GroupBox3 = groupBox(this, "GroupBox3", "Play Listの色", QRect(6, 168, 266, 66));
    Image3 = swatch(GroupBox3, "Image3", kLeftColumn, row1);
    Button3 = colourButton(this, GroupBox3, "Button3", "文字の色", "Play Listに表示されるファイル名の色を決めます。",
                           &TSetDisplayColor::Button3Click, kLeftColumn, row1);
    Image4 = swatch(GroupBox3, "Image4", kRightColumn, row1);
    Button4 = colourButton(this, GroupBox3, "Button4", "背景の色", "Play Listの背景の色を決めます。",
                           &TSetDisplayColor::Button4Click, kRightColumn, row1);
    Label1 = new QLabel("表示するアイコン", GroupBox3);
    Label1->setObjectName("Label1");
    Label1->setToolTip("プレイリストで設定するアイコンの色を設定します");
    Label1->setGeometry(kLeftColumn, listRow2 + 3, 118, 16);
    ComboBox1 = new QComboBox(GroupBox3);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->addItems({"赤", "黄色", "青", "緑", "黒"});
    ComboBox1->setCurrentIndex(2);
    ComboBox1->setGeometry(kRightColumn, listRow2, 86, kButtonHeight);

    OKBtn = guardedButton(new QPushButton("OK", this), this, "OKBtn", QString(), &TSetDisplayColor::OKBtnClick);
    OKBtn->setDefault(true);
    OKBtn->setGeometry(kClientWidth - 166, buttonRow, 78, kButtonHeight);
    CancelBtn = guardedButton(new QPushButton("キャンセル", this), this, "CancelBtn", QString(),
                              &TSetDisplayColor::CancelBtnClick);
    CancelBtn->setAutoDefault(false);
    CancelBtn->setGeometry(kClientWidth - 84, buttonRow, 78, kButtonHeight);

    ColorDialog1 = new TColorPickerDialog(this);
    ColorDialog1->setObjectName("ColorDialog1");
    ColorDialog1->SetTitle("色の選択");
}

void TSetDisplayColor::TakePlayerState() {
    const SeekBarStyle& bar = target_.settings.bar;
    CheckBox1->setChecked(bar.useMiddle);
    CheckBox1->setEnabled(bar.useEnd);
    Button9->setEnabled(bar.useMiddle);
    Image9->setVisible(bar.useMiddle);
    CheckBox2->setChecked(bar.useEnd);
    Button8->setEnabled(bar.useEnd);
    Image8->setVisible(bar.useEnd);
    CheckBox3->setChecked(bar.useGrid);
    ShowGrid(bar.useGrid);

    for (int i = 0; i < kDisplayColourCount; ++i) PaintSwatch(static_cast<DisplayColour>(i));
    const int icon = target_.settings.iconColour;
    ComboBox1->setCurrentIndex(icon >= 0 && icon < ComboBox1->count() ? icon : -1);
}

void TSetDisplayColor::PaintSwatch(DisplayColour which) {
    PictureView* const swatches[kDisplayColourCount] = {Image1, Image5, Image2, Image9, Image8, Image6, Image7, Image3, Image4};
    const PlayerColour c = colours_[static_cast<int>(which)];
    QImage picture(kSwatchWidth, kSwatchHeight, QImage::Format_RGB32);
    picture.fill(QColor(redOf(c), greenOf(c), blueOf(c)));
    swatches[static_cast<int>(which)]->setPicture(picture);
}

void TSetDisplayColor::PickColour(DisplayColour which) {
    if (!ColorDialog1->Execute()) return;
    const PlayerColour picked = ColorDialog1->Color();
    colours_[static_cast<int>(which)] = picked;
    PaintSwatch(which);
    // The label and the list show it now; the bar at its next repaint.
    displayColour(target_.settings, which) = picked;
    target_.showColours();
}

void TSetDisplayColor::Button1Click() { PickColour(DisplayColour::DisplayText); }
void TSetDisplayColor::Button5Click() { PickColour(DisplayColour::DisplayBack); }
void TSetDisplayColor::Button2Click() { PickColour(DisplayColour::BarStart); }
void TSetDisplayColor::Button9Click() { PickColour(DisplayColour::BarMiddle); }
void TSetDisplayColor::Button8Click() { PickColour(DisplayColour::BarEnd); }
void TSetDisplayColor::Button6Click() { PickColour(DisplayColour::BarRest); }
void TSetDisplayColor::Button7Click() { PickColour(DisplayColour::Grid); }
void TSetDisplayColor::Button3Click() { PickColour(DisplayColour::ListText); }
void TSetDisplayColor::Button4Click() { PickColour(DisplayColour::ListBack); }

// ---- The bar's switches ----

void TSetDisplayColor::ShowMiddle(bool on) {
    Button9->setEnabled(on);
    Image9->setVisible(on);
}

void TSetDisplayColor::ShowEnd(bool on) {
    Button8->setEnabled(on);
    Image8->setVisible(on);
}

void TSetDisplayColor::ShowGrid(bool on) {
    Button7->setEnabled(on);
    Image7->setVisible(on);
}

void TSetDisplayColor::CheckBox1Click() {
    const bool on = CheckBox1->isChecked();
    ShowMiddle(on);
    target_.settings.bar.useMiddle = on;
    if (on) target_.settings.bar.barMiddle = colours_[static_cast<int>(DisplayColour::BarMiddle)];
}

// Switching the end colour on or off always switches the middle colour off; the middle
// check box can be used only while the end colour is.
void TSetDisplayColor::CheckBox2Click() {
    const bool on = CheckBox2->isChecked();
    SeekBarStyle& bar = target_.settings.bar;
    ShowEnd(on);
    bar.useEnd = on;
    bar.useMiddle = false;
    ShowMiddle(false);
    CheckBox1->setEnabled(on);
    if (on)
        bar.barEnd = colours_[static_cast<int>(DisplayColour::BarEnd)];
    else
        CheckBox1->setChecked(false);
}

void TSetDisplayColor::CheckBox3Click() {
    const bool on = CheckBox3->isChecked();
    target_.settings.bar.useGrid = on;
    ShowGrid(on);
}

// ---- OK and Cancel ----

void TSetDisplayColor::OKBtnClick() {
    applyDisplayColours(target_.settings, colours_);
    if (ComboBox1->currentIndex() >= 0) target_.settings.iconColour = ComboBox1->currentIndex();
    target_.showColours();
    target_.repaintBar();
    accept();
}

void TSetDisplayColor::CancelBtnClick() { reject(); }

void TSetDisplayColor::reject() {
    runGuarded([this] {
        applyDisplayColours(target_.settings, opening_);
        target_.showColours();
        target_.repaintBar();
    });
    QDialog::reject();
}

}  // namespace veltrane
