#include "effects/ui/image_process_dialog.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <functional>

#include "effects/effect_catalogue.h"
#include "effects/effect_dispatch.h"
#include "platform/ui/platform_services.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/qt_text.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"
#include "widgets/ui/progress_window.h"

namespace veltrane {

TImageProcess* ImageProcess = nullptr;

namespace {

constexpr int kPreviewBox = 192;
constexpr int kClientWidth = 417;
constexpr int kClientHeight = 302;

// White text on black, as the category box and the list show it.
void whiteOnBlack(QWidget* w) {
    QPalette p = w->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window}) p.setColor(role, Qt::black);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText}) p.setColor(role, Qt::white);
    w->setPalette(p);
}

// The list of effects: arrow keys move the selection as a click does; focus never makes a row
// current by itself.
class EffectList : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void()> onKeyMove;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int before = currentRow();
        QListWidget::keyPressEvent(event);
        if (currentRow() != before && currentRow() >= 0 && onKeyMove) onKeyMove();
    }
    void focusInEvent(QFocusEvent* event) override {
        const bool none = selectedItems().isEmpty();
        QListWidget::focusInEvent(event);
        if (none) setCurrentRow(-1);
    }
};

}  // namespace

TImageProcess::TImageProcess(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host) {
    setObjectName("ImageProcess");
    setWindowTitle("画像処理");
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);

    Image1 = new PictureView(this);
    Image1->setObjectName("Image1");
    Image1->setAutoSize(false);
    Image1->setStretch(true);
    Image1->setGeometry(8, 8, kPreviewBox, kPreviewBox);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setEditText("COLOR");
    ComboBox1->setGeometry(208, 8, 121, 21);
    whiteOnBlack(ComboBox1);

    auto* list = new EffectList(this);
    ListBox1 = list;
    ListBox1->setObjectName("ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setGeometry(208, 34, 121, 150);
    whiteOnBlack(ListBox1);
    list->onKeyMove = [this] { runGuarded([this] { ListBox1Click(); }); };

    Label2 = new QLabel("↑ クリックして下さい。", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(208, 186, 130, 15);
    Label1 = new QLabel("←ダブルクリックで適用", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(208, 204, 140, 15);

    GroupBox1 = new QGroupBox("オプション", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(8, 206, 192, 88);
    Label3 = new QLabel(GroupBox1);
    Label3->setObjectName("Label3");
    Label3->setGeometry(8, 16, 176, 15);
    auto* group = new QButtonGroup(this);
    QRadioButton** buttons[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4, &RadioButton5, &RadioButton6};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QRadioButton(GroupBox1);
        b->setObjectName(QString("RadioButton%1").arg(i + 1));
        b->setGeometry(8 + (i % 2) * 90, 34 + (i / 2) * 17, 88, 17);
        group->addButton(b);
        *buttons[i] = b;
    }

    ShineSpeedButton1 = new QPushButton("apply", this);
    ShineSpeedButton1->setObjectName("ShineSpeedButton1");
    ShineSpeedButton1->setToolTip("選択している処理を画像に適用します");
    ShineSpeedButton1->setGeometry(336, 34, 73, 25);
    IMAGE_PROCESS = new QPushButton("OK", this);
    IMAGE_PROCESS->setObjectName("IMAGE_PROCESS");
    IMAGE_PROCESS->setToolTip("この処理を終了します");
    IMAGE_PROCESS->setGeometry(336, 269, 73, 25);

    connectGuarded(ComboBox1, &QComboBox::activated, this, &TImageProcess::ComboBox1Change);
    connectGuarded(ListBox1, &QListWidget::itemClicked, this, &TImageProcess::ListBox1Click);
    connectGuarded(ListBox1, &QListWidget::itemDoubleClicked, this, &TImageProcess::ListBox1DblClick);
    const std::pair<QRadioButton*, void (TImageProcess::*)()> radios[] = {
        {RadioButton1, &TImageProcess::RadioButton1Click}, {RadioButton2, &TImageProcess::RadioButton2Click},
        {RadioButton3, &TImageProcess::RadioButton3Click}, {RadioButton4, &TImageProcess::RadioButton4Click},
        {RadioButton5, &TImageProcess::RadioButton5Click}, {RadioButton6, &TImageProcess::RadioButton6Click},
    };
    for (const auto& [button, handler] : radios) connectGuardedCheck(button, this, handler);
    connectGuarded(ShineSpeedButton1, &QPushButton::clicked, this, &TImageProcess::Button1Click);
    connectGuarded(IMAGE_PROCESS, &QPushButton::clicked, this, &TImageProcess::IMAGE_PROCESSClick);

    // The first focus goes to the category box, so the list gets no current row of its own.
    ComboBox1->setFocus();
    setTabOrder(ComboBox1, ListBox1);
    centreOver(*this, parent);
}

TImageProcess::~TImageProcess() {
    if (ImageProcess == this) ImageProcess = nullptr;
}

int TImageProcess::Category() const {
    const int index = ComboBox1->currentIndex();
    if (index < 0 || index >= ComboBox1->count() || ComboBox1->currentText() != ComboBox1->itemText(index)) return -1;
    return index;
}

std::optional<int> TImageProcess::SelectedCode() const {
    const int row = ListBox1->currentRow();
    if (row < 0 || !ListBox1->item(row)->isSelected()) return std::nullopt;
    return Category() * 20 + row;
}

int TImageProcess::CheckedOption() const {
    const QRadioButton* buttons[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6};
    for (int i = 0; i < 6; ++i)
        if (buttons[i]->isChecked()) return i + 1;
    return 0;
}

void TImageProcess::FillList(int category) {
    ListBox1->clear();
    for (int position = 0; position < effectItemCount(category); ++position)
        ListBox1->addItem(fromStd(effectItemName(category * 20 + position)));
    ListBox1->setCurrentRow(-1);
}

void TImageProcess::PrepareDialog(int category) {
    preview_ = std::make_unique<PreviewPlanes>(host_.document().current, kPreviewBox);
    preview_->showSource(*Image1);
    if (category >= 0 && category < kEffectCategories) {
        FillList(category);
        ComboBox1->clear();
        for (int c = 0; c < kEffectCategories; ++c) ComboBox1->addItem(fromStd(effectCategoryName(c)));
        ComboBox1->setCurrentIndex(category);
    }
    ListBox1->clearSelection();
    ListBox1->setCurrentRow(-1);
    HideOptions();
}

void TImageProcess::ComboBox1Change() {
    const int category = Category();
    if (category >= 0) FillList(category);
}

void TImageProcess::ShowOptions(int code) {
    const std::optional<EffectOptions> options = effectOptions(code);
    if (!options) {
        HideOptions();
        return;
    }
    QRadioButton* buttons[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6};
    GroupBox1->show();
    Label3->show();
    Label3->setText(fromStd(options->caption));
    for (int i = 0; i < 6; ++i) {
        buttons[i]->setText(fromStd(options->buttons[static_cast<std::size_t>(i)]));
        buttons[i]->setVisible(i < 2 || options->sixButtons);
    }
    RadioButton1->setChecked(true);
}

void TImageProcess::HideOptions() {
    for (QWidget* w : std::initializer_list<QWidget*>{GroupBox1, Label3, RadioButton1, RadioButton2, RadioButton3,
                                                      RadioButton4, RadioButton5, RadioButton6})
        w->hide();
}

void TImageProcess::PreviewSelected(bool updateOptions) {
    const std::optional<int> code = SelectedCode();
    if (!code || !preview_) return;
    if (updateOptions) ShowOptions(*code);
    preview_->reset();
    RunEffect(*code, preview_->result(), CheckedOption(), host_.random());
    preview_->showResult(*Image1);
}

bool TImageProcess::ApplySelected() {
    const std::optional<int> code = SelectedCode();
    if (!code) return true;
    ImageDocument& doc = host_.document();
    if (!doc.imageLoaded) return true;
    TProgress* const progress = host_.progress();
    const int H = doc.height();
    bool outOfMemory = false;
    {
        // The bar is hidden again on every way out of this block, an error included.
        struct ProgressShown {
            TProgress* window;
            ~ProgressShown() {
                if (window) window->finish();
            }
        } shown{progress};
        if (progress) progress->start(2 * H);
        try {
            RunEffect(*code, doc.current, CheckedOption(), host_.random(), [progress](int row) {
                if (progress) progress->setPosition(row);
            });
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
        if (!outOfMemory) {
            host_.RefreshFromPlanes();
            if (progress) progress->setPosition(2 * H);
        }
    }
    if (outOfMemory)
        platform().messageBox(nullptr, "メモリが足りないため、処理を実行できませんでした。", QString(), MessageButtons::Ok,
                              MessageIcon::Error);
    return !outOfMemory;
}

// An effect that found no memory leaves the dialog as it was, selection and preview included.
void TImageProcess::ApplyAndPrepare() {
    if (ApplySelected()) PrepareDialog(Category());
}

void TImageProcess::ListBox1Click() { PreviewSelected(true); }
void TImageProcess::ListBox1DblClick() { ApplyAndPrepare(); }
void TImageProcess::Button1Click() { ApplyAndPrepare(); }
void TImageProcess::RadioButton1Click() { PreviewSelected(false); }
void TImageProcess::RadioButton2Click() { PreviewSelected(false); }
void TImageProcess::RadioButton3Click() { PreviewSelected(false); }
void TImageProcess::RadioButton4Click() { PreviewSelected(false); }
void TImageProcess::RadioButton5Click() { PreviewSelected(false); }
void TImageProcess::RadioButton6Click() { PreviewSelected(false); }

void TImageProcess::IMAGE_PROCESSClick() {
    preview_.reset();
    QDialog::done(QDialog::Accepted);
}

// Esc and the close box end the dialog as "OK" does: there is nothing to undo.
void TImageProcess::reject() {
    runGuarded([this] { IMAGE_PROCESSClick(); });
}

}  // namespace veltrane
