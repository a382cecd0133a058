// The gradation map window's controls, their design states and their connections.
#include "colormap/ui/gradation_map_dialog.h"

#include "colormap/channel_orders.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/named_child.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

namespace veltrane {

TGradiationMap* GradiationMap = nullptr;

namespace {

constexpr int kClientWidth = 440;
constexpr int kClientHeight = 300;
constexpr int kBarLeft = 24;
constexpr int kBarTop = 160;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

PictureView* makePreviewImage(QWidget* parent, const char* name) {
    constexpr int side = TGradiationMap::kPreviewBox;
    auto* view = namedChild<PictureView>(parent, name, QRect(8, 18, side, side));
    view->setAutoSize(false);
    view->setStretch(true);
    return view;
}

}  // namespace

TGradiationMap::TGradiationMap(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host),
      catalogue_(std::make_unique<GradientCatalogue>()) {
    setObjectName("GradiationMap");
    setWindowTitle("グラディエーションマップ");
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);

    buildImages();
    buildChoices();
    buildOptions();

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    OKBtn->setGeometry(kClientWidth - 88, kClientHeight - 72, 80, 27);
    CancelBtn = new QPushButton("cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(kClientWidth - 88, kClientHeight - 38, 80, 27);

    // Every control holds its design state by now: connecting afterwards keeps setting them
    // from running a handler.
    connectHandlers();

    centreOver(*this, parent);
}

TGradiationMap::~TGradiationMap() {
    if (GradiationMap == this) GradiationMap = nullptr;
}

void TGradiationMap::buildImages() {
    GroupBox1 = new QGroupBox("元画像", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(8, 4, kPreviewBox + 16, kPreviewBox + 26);
    Image3 = makePreviewImage(GroupBox1, "Image3");

    GroupBox2 = new QGroupBox("処理した画像", this);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setGeometry(kPreviewBox + 32, 4, kPreviewBox + 16, kPreviewBox + 26);
    Image1 = makePreviewImage(GroupBox2, "Image1");

    Image2 = new PictureView(this);
    Image2->setObjectName("Image2");
    Image2->setAutoSize(false);
    Image2->setToolTip("画像の輝度値をこの色で置き換えます");
    Image2->setGeometry(kBarLeft, kBarTop, kGradationBarWidth, kGradationBarHeight);
    Label1 = makeLabel(this, "Label1", "0");
    Label1->setGeometry(kBarLeft, kBarTop + kGradationBarHeight + 2, 30, 15);
    Label2 = makeLabel(this, "Label2", "255");
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setGeometry(kBarLeft + kGradationBarWidth - 30, kBarTop + kGradationBarHeight + 2, 30, 15);
}

void TGradiationMap::buildChoices() {
    const int left = 2 * kPreviewBox + 56;
    const int width = kClientWidth - 8 - left;
    RadioGroup1 = new QGroupBox("種類", this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setToolTip("適用するグラディエーションの種類を選択して下さい");
    RadioGroup1->setGeometry(left, 4, width, 130);
    QRadioButton** buttons[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4, &RadioButton5};
    for (int kind = 0; kind < kGradientKinds; ++kind) {
        auto* button = new QRadioButton(kGradientKindNames[kind], RadioGroup1);
        button->setObjectName(QString("RadioButton%1").arg(kind + 1));
        button->setGeometry(10, 20 + 21 * kind, width - 16, 19);
        *buttons[kind] = button;
    }
    RadioButton1->setChecked(true);

    // A list to choose from: typed text would name no gradient.
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(false);
    ComboBox1->setGeometry(left, 140, width, 22);
    Label3 = makeLabel(this, "Label3", "↑ から選んで下さい。");
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    Label3->setGeometry(left, 166, width, 16);
}

void TGradiationMap::buildOptions() {
    GroupBox3 = new QGroupBox("オプション", this);
    GroupBox3->setObjectName("GroupBox3");
    GroupBox3->setToolTip("オプションにある項目を設定することで変化に富んだ結果が得られます");
    GroupBox3->setGeometry(8, kBarTop + kGradationBarHeight + 24, 2 * kPreviewBox + 40, 76);
    CheckBox1 = new QCheckBox("逆", GroupBox3);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setToolTip("適用する色を逆に置き換えます");
    CheckBox1->setGeometry(12, 22, 70, 20);
    CheckBox2 = new QCheckBox("反転", GroupBox3);
    CheckBox2->setObjectName("CheckBox2");
    CheckBox2->setToolTip("適用する色を反転させます");
    CheckBox2->setGeometry(12, 48, 70, 20);
    Label6 = makeLabel(GroupBox3, "Label6", "交換する色");
    Label6->setGeometry(110, 20, 120, 16);
    ComboBox2 = new QComboBox(GroupBox3);
    ComboBox2->setObjectName("ComboBox2");
    ComboBox2->setEditable(false);
    for (const ChannelOrder& order : kChannelOrders) ComboBox2->addItem(order.name);
    ComboBox2->setCurrentIndex(0);
    ComboBox2->setGeometry(110, 40, 130, 22);
}

void TGradiationMap::connectHandlers() {
    using Handler = void (TGradiationMap::*)();
    const std::pair<QRadioButton*, Handler> radios[] = {
        {RadioButton1, &TGradiationMap::RadioButton1Click}, {RadioButton2, &TGradiationMap::RadioButton2Click},
        {RadioButton3, &TGradiationMap::RadioButton3Click}, {RadioButton4, &TGradiationMap::RadioButton4Click},
        {RadioButton5, &TGradiationMap::RadioButton5Click},
    };
    // A kind runs its handler when a click checks it; the checked kind clicked again runs nothing.
    for (const auto& [button, handler] : radios) connectGuardedCheck(button, this, handler);
    // The boxes act on the user's choice only, never on an index set in code.
    connectGuarded(ComboBox1, &QComboBox::activated, this, &TGradiationMap::ComboBox1Change);
    connectGuarded(ComboBox2, &QComboBox::activated, this, &TGradiationMap::ComboBox2Change);
    connectGuarded(CheckBox1, &QCheckBox::clicked, this, &TGradiationMap::CheckBox1Click);
    connectGuarded(CheckBox2, &QCheckBox::clicked, this, &TGradiationMap::CheckBox2Click);
    connectGuarded(OKBtn, &QPushButton::clicked, this, &TGradiationMap::OKBtnClick);
    connectGuarded(CancelBtn, &QPushButton::clicked, this, &TGradiationMap::CancelBtnClick);
}

}  // namespace veltrane
