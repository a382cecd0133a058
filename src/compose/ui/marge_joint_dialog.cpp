// The join and merge window's controls, their design values and their connections.
#include "compose/ui/marge_joint_dialog.h"

#include "uisupport/ui/file_drop.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/named_child.h"

namespace veltrane {

TMargeJoint* MargeJoint = nullptr;

namespace {

constexpr int kClientWidth = 400;
constexpr int kClientHeight = 336;
constexpr int kPageHeight = 200;
constexpr int kGroupWidth = kClientWidth - 16 - 28;

QRadioButton* makeRadio(QWidget* parent, QRadioButton*& button, const char* name, const QString& caption,
                        const QRect& geometry) {
    button = namedChild<QRadioButton>(parent, name, geometry, caption);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    return namedChild<QLabel>(parent, name, geometry, text);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    return namedChild<QPushButton>(parent, name, geometry, caption);
}

QLineEdit* makeReadOnlyEdit(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* edit = namedChild<QLineEdit>(parent, name, geometry, text);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

TMargeJoint::TMargeJoint(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host) {
    setObjectName("MargeJoint");
    setWindowTitle("連結・合成");
    setFixedSize(kClientWidth, kClientHeight);
    setAcceptDrops(true);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(8, 8, kClientWidth - 16, kPageHeight);
    buildJoinPage();
    buildMergePage();
    buildFileRow();

    OKBtn = makeButton(this, "OKBtn", "OK", QRect(kClientWidth - 196, kClientHeight - 36, 90, 27));
    OKBtn->setDefault(true);
    OKBtn->setEnabled(false);
    CancelBtn = makeButton(this, "CancelBtn", "キャンセル", QRect(kClientWidth - 98, kClientHeight - 36, 90, 27));

    // Every control holds its design value by now, so connecting runs no handler.
    connectHandlers();

    centreOver(*this, parent);
}

TMargeJoint::~TMargeJoint() {
    if (MargeJoint == this) MargeJoint = nullptr;
}

void TMargeJoint::buildJoinPage() {
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    PageControl1->addTab(TabSheet1, "\u3000連結する\u3000");

    RadioGroup1 = new QGroupBox("連結する方向", TabSheet1);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(12, 12, kGroupWidth, 60);
    makeRadio(RadioGroup1, RadioButtonUp, "RadioButtonUp", "上", QRect(16, 26, 70, 22))->setChecked(true);
    makeRadio(RadioGroup1, RadioButtonDown, "RadioButtonDown", "下", QRect(100, 26, 70, 22));
    makeRadio(RadioGroup1, RadioButtonLeft, "RadioButtonLeft", "左", QRect(184, 26, 70, 22));
    makeRadio(RadioGroup1, RadioButtonRight, "RadioButtonRight", "右", QRect(268, 26, 70, 22));
}

void TMargeJoint::buildMergePage() {
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    PageControl1->addTab(TabSheet2, "\u3000合成する\u3000");

    RadioGroup2 = new QGroupBox("合成方法", TabSheet2);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setGeometry(12, 6, kGroupWidth, 110);
    makeRadio(RadioGroup2, RadioButtonTransparent, "RadioButtonTransparent", "透過率を設定する(0～100％)",
              QRect(16, 22, 300, 22))
        ->setChecked(true);
    makeRadio(RadioGroup2, RadioButtonBright, "RadioButtonBright", "明るい画素優先", QRect(16, 50, 120, 22));
    makeRadio(RadioGroup2, RadioButtonDark, "RadioButtonDark", "暗い画素優先", QRect(136, 50, 120, 22));
    makeRadio(RadioGroup2, RadioButtonAdd, "RadioButtonAdd", "加算", QRect(256, 50, 80, 22));
    makeRadio(RadioGroup2, RadioButtonSub, "RadioButtonSub", "減算", QRect(16, 78, 120, 22));
    makeRadio(RadioGroup2, RadioButtonXOR, "RadioButtonXOR", "XOR1", QRect(136, 78, 120, 22));
    makeRadio(RadioGroup2, RadioButtonXOR2, "RadioButtonXOR2", "XOR2", QRect(256, 78, 80, 22));

    TrackBar1 = new QSlider(Qt::Horizontal, TabSheet2);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(0, 100);
    TrackBar1->setValue(50);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(10);
    TrackBar1->setPageStep(10);
    TrackBar1->setGeometry(12, 124, kGroupWidth - 64, 30);
    Edit2 = makeReadOnlyEdit(TabSheet2, "Edit2", "50", QRect(kGroupWidth - 40, 128, 52, 22));
}

void TMargeJoint::buildFileRow() {
    const int top = 8 + kPageHeight + 8;
    LabelDisp = makeLabel(this, "LabelDisp", QString(), QRect(8, top, kClientWidth - 16, 18));
    EditPath = makeReadOnlyEdit(this, "EditPath", QString(), QRect(8, top + 22, kClientWidth - 64, 24));
    ButtonOpen = makeButton(this, "ButtonOpen", "...", QRect(kClientWidth - 48, top + 22, 40, 24));
    Label1 = makeLabel(this, "Label1", "ドラッグも可能です", QRect(8, top + 52, 200, 18));
}

void TMargeJoint::connectHandlers() {
    connectGuarded(ButtonOpen, &QPushButton::clicked, this, &TMargeJoint::ButtonOpenClick);
    // The position's handler runs on every change, made by the user or in code.
    connectGuarded(TrackBar1, &QSlider::valueChanged, this, &TMargeJoint::TrackBar1Change);

    using Handler = void (TMargeJoint::*)();
    const std::pair<QRadioButton*, Handler> rules[] = {
        {RadioButtonTransparent, &TMargeJoint::RadioButtonTransparentClick},
        {RadioButtonBright, &TMargeJoint::RadioButtonBrightClick},
        {RadioButtonDark, &TMargeJoint::RadioButtonDarkClick},
        {RadioButtonAdd, &TMargeJoint::RadioButtonAddClick},
        {RadioButtonSub, &TMargeJoint::RadioButtonSubClick},
        {RadioButtonXOR, &TMargeJoint::RadioButtonXORClick},
        {RadioButtonXOR2, &TMargeJoint::RadioButtonXORClick},
    };
    // A rule's handler runs when a click checks its button, not when code checks it.
    for (const auto& [button, handler] : rules) connectGuardedCheck(button, this, handler);

    connectGuarded(OKBtn, &QPushButton::clicked, this, &TMargeJoint::OKBtnClick);
    connectGuarded(CancelBtn, &QPushButton::clicked, this, &TMargeJoint::CancelBtnClick);
}

void TMargeJoint::dragEnterEvent(QDragEnterEvent* event) { acceptFileDrag(event); }

void TMargeJoint::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedLocalFiles(event);
    runGuarded([&] { FilesDropped(paths); });
}

}  // namespace veltrane
