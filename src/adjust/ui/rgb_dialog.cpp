// The adjustment window's controls, their design values and their connections.
#include "adjust/ui/rgb_dialog.h"

#include <memory>

#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

namespace veltrane {

TRGB* RGB = nullptr;

namespace {

constexpr int kClientWidth = 496;
constexpr int kClientHeight = 432;
constexpr int kGroupWidth = 208;
constexpr int kGroupHeight = 218;
constexpr int kPageTop = 228;
constexpr int kPageHeight = 160;
constexpr int kRowHeight = 34;
constexpr int kGroupLeft = 24;
constexpr int kSliderLeft = 124;
constexpr int kSliderWidth = kClientWidth - 16 - kSliderLeft - 72;

void paintText(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

TRGB::TRGB(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host) {
    setObjectName("RGB");
    setWindowTitle("画像補正");
    setFixedSize(kClientWidth, kClientHeight);

    buildImages();
    buildPages();

    ShineSpeedButton1 = new QPushButton("デフォルト", this);
    ShineSpeedButton1->setObjectName("ShineSpeedButton1");
    ShineSpeedButton1->setGeometry(8, kClientHeight - 36, 100, 27);
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    OKBtn->setGeometry(kClientWidth - 196, kClientHeight - 36, 90, 27);
    CancelBtn = new QPushButton("キャンセル", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(kClientWidth - 98, kClientHeight - 36, 90, 27);

    // Every control holds its design value by now: connecting afterwards keeps the opening
    // from running a preview or drawing from the generator.
    connectHandlers();

    centreOver(*this, parent);
}

TRGB::~TRGB() {
    if (RGB == this) RGB = nullptr;
}

void TRGB::buildImages() {
    GroupBox1 = new QGroupBox("元画像", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(kGroupLeft, 4, kGroupWidth, kGroupHeight);
    Image1 = new PictureView(GroupBox1);
    Image1->setObjectName("Image1");
    Image1->setAutoSize(false);
    Image1->setGeometry(8, 20, kPreviewBox, kPreviewBox);

    GroupBox2 = new QGroupBox("処理した画像", this);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setGeometry(kClientWidth - kGroupLeft - kGroupWidth, 4, kGroupWidth, kGroupHeight);
    Image2 = new PictureView(GroupBox2);
    Image2->setObjectName("Image2");
    Image2->setAutoSize(false);
    Image2->setGeometry(8, 20, kPreviewBox, kPreviewBox);
}

QWidget* TRGB::addPage(const char* name, const QString& caption, const QString& hint) {
    auto* page = new QWidget;
    page->setObjectName(name);
    page->setToolTip(hint);
    const int index = PageControl1->addTab(page, caption);
    PageControl1->setTabToolTip(index, hint);
    return page;
}

// One slider row of a page: the range label on the left, the slider, the value label on the
// right.
QSlider* TRGB::addSlider(QWidget* page, const char* name, int row, int minimum, int maximum, int position,
                         const QString& hint, QLabel*& rangeLabel, const char* rangeName, const QString& rangeText,
                         QLabel*& valueLabel, const char* valueName, const QString& valueText) {
    const int top = 8 + row * kRowHeight;
    rangeLabel = makeLabel(page, rangeName, rangeText);
    rangeLabel->setGeometry(8, top + 6, 112, 18);
    auto* slider = new QSlider(Qt::Horizontal, page);
    slider->setObjectName(name);
    slider->setRange(minimum, maximum);
    slider->setValue(position);
    slider->setToolTip(hint);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(std::max(1, (maximum - minimum) / 16));
    slider->setPageStep(std::max(1, (maximum - minimum) / 16));
    slider->setGeometry(kSliderLeft, top, kSliderWidth, 30);
    valueLabel = makeLabel(page, valueName, valueText);
    valueLabel->setGeometry(kSliderLeft + kSliderWidth + 8, top + 6, 56, 18);
    return slider;
}

QGroupBox* TRGB::addColourGroup(QWidget* page, const char* name, QRadioButton*& red, const char* redName,
                                QRadioButton*& green, const char* greenName, QRadioButton*& blue,
                                const char* blueName, QRadioButton*& all, const char* allName) {
    auto* group = new QGroupBox("色", page);
    group->setObjectName(name);
    group->setToolTip("処理をする色を選択して下さい");
    group->setGeometry(8, 8 + kRowHeight + 4, kClientWidth - 40, 52);
    struct Item {
        QRadioButton*& button;
        const char* name;
        const char* caption;
        const char* hint;
        QColor colour;
    };
    const Item items[] = {
        {red, redName, "赤", "赤のみに処理をします", Qt::red},
        {green, greenName, "緑", "緑のみに処理をします", Qt::darkGreen},
        {blue, blueName, "青", "青のみに処理をします", Qt::blue},
        {all, allName, "全色", "全色に処理をします", QColor()},
    };
    int left = 16;
    for (const Item& item : items) {
        item.button = new QRadioButton(item.caption, group);
        item.button->setObjectName(item.name);
        item.button->setToolTip(item.hint);
        if (item.colour.isValid()) paintText(item.button, item.colour);
        item.button->setGeometry(left, 22, 80, 22);
        left += 88;
    }
    all->setChecked(true);
    return group;
}

void TRGB::buildPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setToolTip("ポスタライズ化を行います");
    PageControl1->setGeometry(8, kPageTop, kClientWidth - 16, kPageHeight);

    TabSheet1 = addPage("TabSheet1", "RGB", "RGB値を変化します");
    TrackBar1 = addSlider(TabSheet1, "TrackBar1", 0, -128, 128, 0, "赤色の値を設定します", Label2, "Label2",
                          "赤(-128～128)", Label1, "Label1", "0");
    TrackBar2 = addSlider(TabSheet1, "TrackBar2", 1, -128, 128, 0, "緑色の値を設定します", Label3, "Label3",
                          "緑(-128～128)", Label4, "Label4", "0");
    TrackBar3 = addSlider(TabSheet1, "TrackBar3", 2, -128, 128, 0, "青色の値を設定します", Label5, "Label5",
                          "青(-128～128)", Label6, "Label6", "0");
    paintText(Label2, Qt::red);
    paintText(Label3, Qt::darkGreen);
    paintText(Label5, Qt::blue);

    TabSheet2 = addPage("TabSheet2", "HSI", "HSI値を変化します");
    TrackBar4 = addSlider(TabSheet2, "TrackBar4", 0, -180, 180, 0, "色相値を設定します", Label7, "Label7",
                          "色相(-180～180)", Label10, "Label10", "0");
    TrackBar5 = addSlider(TabSheet2, "TrackBar5", 1, -128, 128, 0, "彩度値を設定します", Label8, "Label8",
                          "彩度(-128～128)", Label11, "Label11", "0");
    TrackBar6 = addSlider(TabSheet2, "TrackBar6", 2, -128, 128, 0, "明度値を設定します", Label9, "Label9",
                          "明度(-128～128)", Label12, "Label12", "0");

    TabSheet3 = addPage("TabSheet3", "γ値", "γ値を設定して明るさを変化させます");
    TrackBar7 = addSlider(TabSheet3, "TrackBar7", 0, 1, 40, 10, "γ値を設定します", Label13, "Label13", "γ(0.1～4.0)",
                          Label14, "Label14", "1.0");

    TabSheet4 = addPage("TabSheet4", "ポスタライズ", QString());
    TrackBar8 = addSlider(TabSheet4, "TrackBar8", 0, 2, 16, 5, "ポスタライズの値を設定して下さい", Label22, "Label22",
                          "閾値(2～16)", Label15, "Label15", "5");
    GroupBox4 = addColourGroup(TabSheet4, "GroupBox4", RadioButton5, "RadioButton5", RadioButton6, "RadioButton6",
                               RadioButton7, "RadioButton7", RadioButton8, "RadioButton8");

    TabSheet5 = addPage("TabSheet5", "バイナリー", "2値化処理を行います");
    TrackBar9 = addSlider(TabSheet5, "TrackBar9", 0, 0, 255, 128, "2値化をする境目を設定して下さい", Label16, "Label16",
                          "閾値(0～255)", Label17, "Label17", "128");
    GroupBox3 = addColourGroup(TabSheet5, "GroupBox3", RadioButton2, "RadioButton2", RadioButton3, "RadioButton3",
                               RadioButton4, "RadioButton4", RadioButton1, "RadioButton1");

    TabSheet6 = addPage("TabSheet6", "ノイズ", "ノイズを画像に加えます");
    TrackBar10 = addSlider(TabSheet6, "TrackBar10", 0, 0, 100, 10, "ノイズを加える度合いを設定して下さい", Label18,
                           "Label18", "比(0～100%)", Label19, "Label19", "10%");
    CheckBox1 = new QCheckBox("色", TabSheet6);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setToolTip("ノイズをカラーにするかどうか設定して下さい");
    CheckBox1->setChecked(true);
    CheckBox1->setGeometry(16, 8 + kRowHeight + 8, 80, 22);

    TabSheet7 = addPage("TabSheet7", "コントラスト", "コントラストを設定します");
    TrackBar11 = addSlider(TabSheet7, "TrackBar11", 0, 20, 70, 30, "コントラスト値を設定して下さい", Label23, "Label23",
                           "値(20～70)", Label21, "Label21", "30");
    GroupBox5 = addColourGroup(TabSheet7, "GroupBox5", RadioButton10, "RadioButton10", RadioButton11, "RadioButton11",
                               RadioButton12, "RadioButton12", RadioButton9, "RadioButton9");
}

void TRGB::connectHandlers() {
    using Handler = void (TRGB::*)();
    const std::pair<QSlider*, Handler> sliders[] = {
        {TrackBar1, &TRGB::TrackBar1Change},   {TrackBar2, &TRGB::TrackBar2Change},
        {TrackBar3, &TRGB::TrackBar3Change},   {TrackBar4, &TRGB::TrackBar4Change},
        {TrackBar5, &TRGB::TrackBar5Change},   {TrackBar6, &TRGB::TrackBar6Change},
        {TrackBar7, &TRGB::TrackBar7Change},   {TrackBar8, &TRGB::TrackBar8Change},
        {TrackBar9, &TRGB::TrackBar9Change},   {TrackBar10, &TRGB::TrackBar10Change},
        {TrackBar11, &TRGB::TrackBar11Change},
    };
    // A slider runs its handler on every change of position, made by the user or in code.
    for (const auto& [slider, handler] : sliders)
        connectGuarded(slider, &QSlider::valueChanged, this, handler);

    const std::pair<QRadioButton*, Handler> radios[] = {
        {RadioButton1, &TRGB::RadioButton1Click},   {RadioButton2, &TRGB::RadioButton2Click},
        {RadioButton3, &TRGB::RadioButton3Clck},    {RadioButton4, &TRGB::RadioButton4Click},
        {RadioButton5, &TRGB::RadioButton5Click},   {RadioButton6, &TRGB::RadioButton6Click},
        {RadioButton7, &TRGB::RadioButton7Click},   {RadioButton8, &TRGB::RadioButton8Click},
        {RadioButton9, &TRGB::RadioButton9Click},   {RadioButton10, &TRGB::RadioButton10Click},
        {RadioButton11, &TRGB::RadioButton11Click}, {RadioButton12, &TRGB::RadioButton12Click},
    };
    // A radio button runs its handler when the user's click checks it; clicking the button
    // that is already checked changes nothing and runs nothing.
    for (const auto& [button, handler] : radios) connectGuardedCheck(button, this, handler);

    connectGuarded(ShineSpeedButton1, &QPushButton::clicked, this, &TRGB::ShineSpeedButton1Click);
    connectGuarded(OKBtn, &QPushButton::clicked, this, &TRGB::OKBtnClick);
    connectGuarded(CancelBtn, &QPushButton::clicked, this, &TRGB::CancelBtnClick);
    connectGuarded(PageControl1, &QTabWidget::currentChanged, this, &TRGB::PageControl1Change);
}

}  // namespace veltrane
