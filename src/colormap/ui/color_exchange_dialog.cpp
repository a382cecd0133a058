#include "colormap/ui/color_exchange_dialog.h"

#include "colormap/channel_orders.h"
#include "colormap/color_exchange.h"
#include "colormap/ui/progress_shown.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

namespace veltrane {

TColorExchange* ColorExchange = nullptr;

namespace {

constexpr int kClientWidth = 392;
constexpr int kClientHeight = 228;
constexpr int kGroupLeft = 160;
constexpr int kGroupWidth = kClientWidth - kGroupLeft - 8;

}  // namespace

TColorExchange::TColorExchange(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host) {
    setObjectName("ColorExchange");
    setWindowTitle("色交換");
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    // The controls hold their design states by now (no order, nothing blanked): connecting
    // afterwards keeps the opening from running a preview.
    connectHandlers();
    centreOver(*this, parent);
}

TColorExchange::~TColorExchange() {
    if (ColorExchange == this) ColorExchange = nullptr;
}

void TColorExchange::buildControls() {
    Image1 = new PictureView(this);
    Image1->setObjectName("Image1");
    Image1->setAutoSize(false);
    Image1->setStretch(true);
    Image1->setToolTip("結果を表示します");
    Image1->setGeometry(12, 12, kPreviewBox, kPreviewBox);

    GroupBox1 = new QGroupBox("色交換", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setToolTip("交換したいものを選んで下さい(R:赤　G:緑　B:青)");
    GroupBox1->setGeometry(kGroupLeft, 4, kGroupWidth, 128);
    struct Order {
        QRadioButton*& button;
        const char* name;
        const char* hint;
    };
    // Buttons 1..5 are the channel orders 1..5.
    const Order orders[] = {
        {RadioButton1, "RadioButton1", "緑と青、青と緑を交換します"},
        {RadioButton2, "RadioButton2", "赤と緑、緑と赤を交換します"},
        {RadioButton3, "RadioButton3", "赤と緑、緑と青、青と赤を交換する"},
        {RadioButton4, "RadioButton4", "赤と青、緑と赤、青と緑を交換します"},
        {RadioButton5, "RadioButton5", "赤と青、青と赤を交換します"},
    };
    int mode = 1;
    for (const Order& order : orders) {
        order.button = new QRadioButton(kChannelOrders[mode].name, GroupBox1);
        order.button->setObjectName(order.name);
        order.button->setToolTip(order.hint);
        order.button->setGeometry(12, 20 + 21 * (mode - 1), kGroupWidth - 24, 20);
        ++mode;
    }

    GroupBox2 = new QGroupBox("色を消去", this);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setToolTip("消去したい値を選んで下さい");
    GroupBox2->setGeometry(kGroupLeft, 136, kGroupWidth, 48);
    struct Blank {
        QCheckBox*& box;
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Blank blanks[] = {
        {CheckBoxRed, "CheckBoxRed", "赤", "赤を消去します"},
        {CheckBoxGreen, "CheckBoxGreen", "緑", "緑を消去します"},
        {CheckBoxBlue, "CheckBoxBlue", "青", "青を消去します"},
    };
    int left = 12;
    for (const Blank& blank : blanks) {
        blank.box = new QCheckBox(blank.caption, GroupBox2);
        blank.box->setObjectName(blank.name);
        blank.box->setToolTip(blank.hint);
        blank.box->setGeometry(left, 20, 64, 20);
        left += 70;
    }

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    OKBtn->setGeometry(kClientWidth - 196, kClientHeight - 36, 90, 27);
    CancelBtn = new QPushButton("cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(kClientWidth - 98, kClientHeight - 36, 90, 27);
}

void TColorExchange::connectHandlers() {
    using Handler = void (TColorExchange::*)();
    const std::pair<QRadioButton*, Handler> orders[] = {
        {RadioButton1, &TColorExchange::RadioButton1Click}, {RadioButton2, &TColorExchange::RadioButton2Click},
        {RadioButton3, &TColorExchange::RadioButton3Click}, {RadioButton4, &TColorExchange::RadioButton4Click},
        {RadioButton5, &TColorExchange::RadioButton5Click},
    };
    // A click that checks a button runs its handler; a click on the checked one runs nothing.
    for (const auto& [button, handler] : orders) connectGuardedCheck(button, this, handler);
    const std::pair<QCheckBox*, Handler> blanks[] = {
        {CheckBoxRed, &TColorExchange::CheckBoxRedClick},
        {CheckBoxGreen, &TColorExchange::CheckBoxGreenClick},
        {CheckBoxBlue, &TColorExchange::CheckBoxBlueClick},
    };
    // A click toggles the box and then runs its handler.
    for (const auto& [box, handler] : blanks) connectGuarded(box, &QCheckBox::clicked, this, handler);
    connectGuarded(OKBtn, &QPushButton::clicked, this, &TColorExchange::OKBtnClick);
    connectGuarded(CancelBtn, &QPushButton::clicked, this, &TColorExchange::CancelBtnClick);
}

void TColorExchange::PrepareColorExchange() {
    preview_ = std::make_unique<PreviewPlanes>(host_.document().current, kPreviewBox);
    preview_->showSource(*Image1);
}

void TColorExchange::ShowExchange(int mode) {
    if (!preview_) return;
    preview_->reset();
    exchangeColours(preview_->result(), preview_->area(), mode, KeepFlags());
    preview_->showResultArea(*Image1);
}

void TColorExchange::ShowBlanked() {
    keepBlue = CheckBoxBlue->isChecked() ? 0 : 1;
    keepGreen = CheckBoxGreen->isChecked() ? 0 : 1;
    keepRed = CheckBoxRed->isChecked() ? 0 : 1;
    if (!preview_) return;
    preview_->reset();
    exchangeColours(preview_->result(), preview_->area(), 0, KeepFlags());
    preview_->showResultArea(*Image1);
}

void TColorExchange::RadioButton1Click() { ShowExchange(1); }
void TColorExchange::RadioButton2Click() { ShowExchange(2); }
void TColorExchange::RadioButton3Click() { ShowExchange(3); }
void TColorExchange::RadioButton4Click() { ShowExchange(4); }
void TColorExchange::RadioButton5Click() { ShowExchange(5); }
void TColorExchange::CheckBoxRedClick() { ShowBlanked(); }
void TColorExchange::CheckBoxGreenClick() { ShowBlanked(); }
void TColorExchange::CheckBoxBlueClick() { ShowBlanked(); }

ChannelKeep TColorExchange::KeepFlags() const { return {keepRed != 0, keepGreen != 0, keepBlue != 0}; }

int TColorExchange::CheckedMode() const {
    const QRadioButton* buttons[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5};
    for (int i = 0; i < 5; ++i)
        if (buttons[i]->isChecked()) return i + 1;
    return 0;
}

void TColorExchange::OKBtnClick() {
    ImageDocument& doc = host_.document();
    if (doc.imageLoaded) {
        ProgressShown progress(host_.progress(), doc.current.height);
        exchangeColours(doc.current, CheckedMode(), KeepFlags(), [&progress](int row) { progress.setPosition(row + 1); });
        host_.RefreshFromPlanes();
    }
    CloseColorExchange(QDialog::Accepted);
}

void TColorExchange::CancelBtnClick() {
    host_.RefreshFromPlanes();
    CloseColorExchange(QDialog::Rejected);
}

void TColorExchange::reject() {
    runGuarded([this] { CancelBtnClick(); });
}

void TColorExchange::CloseColorExchange(int result) {
    preview_.reset();
    QDialog::done(result);
}

}  // namespace veltrane
