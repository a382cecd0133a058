#include "filter/ui/custom_filter_dialog.h"

#include <QString>

#include "uisupport/ui/document_host.h"
#include "uisupport/ui/fixed_dialog.h"
#include "uisupport/ui/guarded_connect.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"
#include "widgets/ui/progress_window.h"
#include "widgets/ui/up_down.h"

namespace veltrane {

TCustomFilter* CustomFilter = nullptr;

namespace {

constexpr int kClientWidth = 528;
constexpr int kClientHeight = 272;
constexpr int kCellWidth = 56;   // an edit and its up-down
constexpr int kCellHeight = 30;
constexpr int kEditWidth = 36;

// The kernel every opening starts with (sum 1), row by row.
constexpr FilterKernel kDesignKernel = {-1, 0, -2, -2, -2, 0, 1, -1, -1, 0, 1, -1, 5,
                                        -1, -1, 0, -1, -1, 1, 0, 2, 2, 2, 0, 1};

QString cellName(const char* kind, int cell) { return QString(kind) + QString::number(cell + 1); }

}  // namespace

TCustomFilter::TCustomFilter(DocumentHost& host, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags),
      host_(host) {
    setObjectName("CustomFilter");
    setWindowTitle("カスタムフィルター");
    setToolTip("フィルターの値を設定するにはボタンをクリックして下さい");
    setFixedSize(kClientWidth, kClientHeight);

    buildKernelCells();

    Label1 = new QLabel("除算値 : ", this);
    Label1->setObjectName("Label1");
    Label1->setToolTip("除算値です(これは自動的に選択されます)");
    Label1->setGeometry(16, 198, 72, 20);
    Label2 = new QLabel("div", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(88, 198, 60, 20);

    ShineSpeedButton1 = new QPushButton("計算する", this);
    ShineSpeedButton1->setObjectName("ShineSpeedButton1");
    ShineSpeedButton1->setToolTip("設定してあるフィルター値で仮に処理を行います");
    ShineSpeedButton1->setGeometry(196, 194, 104, 27);

    GroupBox2 = new QGroupBox("処理した画像", this);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setGeometry(312, 4, 208, 218);
    Image1 = new PictureView(GroupBox2);
    Image1->setObjectName("Image1");
    Image1->setAutoSize(false);
    Image1->setGeometry(8, 20, kPreviewBox, kPreviewBox);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setToolTip("設定してある値で実際に処理を行います");
    OKBtn->setDefault(true);
    OKBtn->setGeometry(kClientWidth - 196, kClientHeight - 36, 90, 27);
    CancelBtn = new QPushButton("cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setToolTip("メインフォームへ戻ります");
    CancelBtn->setGeometry(kClientWidth - 98, kClientHeight - 36, 90, 27);

    // Every cell holds its design value by now: connecting afterwards runs nothing at opening.
    connectHandlers();

    centreOver(*this, parent);
}

TCustomFilter::~TCustomFilter() {
    if (CustomFilter == this) CustomFilter = nullptr;
}

void TCustomFilter::buildKernelCells() {
    GroupBox1 = new QGroupBox("フィルターの値", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setToolTip("フィルターの値を設定して下さい");
    GroupBox1->setGeometry(8, 4, 296, 180);
    for (int cell = 0; cell < 25; ++cell) {
        const int left = 12 + (cell % 5) * kCellWidth, top = 24 + (cell / 5) * kCellHeight;
        const bool centre = cell == kFilterCentre;
        UpDown* upDown = new UpDown(GroupBox1);
        upDown->setObjectName(cellName("UpDown", cell));
        upDown->setRange(centre ? kFilterCentreMin : kFilterCellMin, centre ? kFilterCentreMax : kFilterCellMax);
        upDown->setValue(kDesignKernel[static_cast<std::size_t>(cell)]);
        upDown->setGeometry(left + kEditWidth, top, 16, 24);
        QLineEdit* edit = new QLineEdit(QString::number(upDown->value()), GroupBox1);
        edit->setObjectName(cellName("Edit", cell));
        edit->setAlignment(Qt::AlignRight);
        edit->setGeometry(left, top, kEditWidth, 24);
        Edits[static_cast<std::size_t>(cell)] = edit;
        UpDowns[static_cast<std::size_t>(cell)] = upDown;
    }
    // Tab order: the cells row by row.
    for (int cell = 1; cell < 25; ++cell)
        setTabOrder(Edits[static_cast<std::size_t>(cell - 1)], Edits[static_cast<std::size_t>(cell)]);
}

void TCustomFilter::connectHandlers() {
    for (int cell = 0; cell < 25; ++cell) {
        QLineEdit* edit = Edits[static_cast<std::size_t>(cell)];
        UpDown* upDown = UpDowns[static_cast<std::size_t>(cell)];
        // A new position, from an arrow, a script or typing, shows in the edit and runs nothing
        // else: the preview waits for "計算する".
        connect(upDown, &QSpinBox::valueChanged, edit, [edit](int value) {
            bool ok = false;
            if (edit->text().toInt(&ok) != value || !ok) edit->setText(QString::number(value));
        });
        connect(edit, &QLineEdit::textChanged, this, [this, cell] { EditChange(cell); });
        connect(edit, &QLineEdit::editingFinished, this, [this, cell] { EditExit(cell); });
    }
    connectGuarded(ShineSpeedButton1, &QPushButton::clicked, this, &TCustomFilter::BitBtn1Click);
    connectGuarded(OKBtn, &QPushButton::clicked, this, &TCustomFilter::OKBtnClick);
    connectGuarded(CancelBtn, &QPushButton::clicked, this, &TCustomFilter::CancelBtnClick);
}

void TCustomFilter::EditChange(int cell) {
    UpDown* upDown = UpDowns[static_cast<std::size_t>(cell)];
    bool ok = false;
    const int value = Edits[static_cast<std::size_t>(cell)]->text().toInt(&ok);
    if (ok && value >= upDown->minimum() && value <= upDown->maximum()) upDown->setValue(value);
}

void TCustomFilter::EditExit(int cell) {
    Edits[static_cast<std::size_t>(cell)]->setText(QString::number(UpDowns[static_cast<std::size_t>(cell)]->value()));
}

FilterKernel TCustomFilter::Kernel() const {
    FilterKernel kernel{};
    for (std::size_t cell = 0; cell < 25; ++cell) kernel[cell] = UpDowns[cell]->value();
    return kernel;
}

void TCustomFilter::PrepareCustomFilter() {
    preview_ = std::make_unique<PreviewPlanes>(host_.document().current, kPreviewBox);
    preview_->showSource(*Image1);
    ResetFilterPreview();
    FilterPreview();
}

void TCustomFilter::ResetFilterPreview() { preview_->reset(); }

// The whole box is filtered, black bands included, so the picture darkens towards a band;
// only the picture area reaches the bitmap.
void TCustomFilter::FilterPreview() {
    const FilterKernel kernel = Kernel();
    Label2->setText(QString::number(FilterDivisor(kernel)));
    CustomFilterPlanes(preview_->result(), kernel);
    preview_->showResultArea(*Image1);
}

void TCustomFilter::BitBtn1Click() {
    if (!preview_) return;
    ResetFilterPreview();
    FilterPreview();
}

void TCustomFilter::OKBtnClick() {
    ImageDocument& doc = host_.document();
    if (doc.imageLoaded) {
        const FilterKernel kernel = Kernel();
        TProgress* const progress = host_.progress();
        const int H = doc.height();
        // The bar is hidden again on every way out, an error included.
        struct ProgressShown {
            TProgress* window;
            ~ProgressShown() {
                if (window) window->finish();
            }
        } shown{progress};
        if (progress) progress->start(2 * H);
        CustomFilterPlanes(doc.current, kernel, [progress](int row) {
            if (progress) progress->setPosition(row + 2);
        });
        host_.RefreshFromPlanes();
        if (progress) progress->setPosition(2 * H);
    }
    CloseCustomFilter(QDialog::Accepted);
}

void TCustomFilter::CancelBtnClick() {
    host_.RefreshFromPlanes();
    CloseCustomFilter(QDialog::Rejected);
}

void TCustomFilter::reject() {
    runGuarded([this] { CancelBtnClick(); });
}

void TCustomFilter::CloseCustomFilter(int result) {
    preview_.reset();
    QDialog::done(result);
}

}  // namespace veltrane
