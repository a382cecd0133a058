#pragma once
// The custom filter window "カスタムフィルター": a 5 × 5 kernel edited cell by cell, its divisor
// shown, a 192 × 192 preview computed on request ("計算する"), and OK, which filters the
// document's current planes.
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <memory>

#include "filter/custom_filter.h"

namespace veltrane {

class DocumentHost;
class PictureView;
class PreviewPlanes;
class UpDown;

class TCustomFilter : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPreviewBox = 192;

    // Builds the window with the design kernel; nothing is previewed until it is prepared.
    explicit TCustomFilter(DocumentHost& host, QWidget* parent = nullptr);
    ~TCustomFilter() override;

    // Reduces the document's current planes into the preview, shows them, and previews the
    // kernel (the divisor appears in Label2).
    void PrepareCustomFilter();
    // The kernel the up-downs hold, row by row.
    FilterKernel Kernel() const;
    // The preview planes while the window is prepared; null once it has ended.
    const PreviewPlanes* preview() const { return preview_.get(); }

    QGroupBox *GroupBox1, *GroupBox2;
    // Edit1 … Edit25 and UpDown1 … UpDown25 (Edits[0] is Edit1), in the kernel's row-major order:
    // each edit shows the position of the up-down of the same number.
    std::array<QLineEdit*, 25> Edits;
    std::array<UpDown*, 25> UpDowns;
    QLabel *Label1, *Label2;
    QPushButton *ShineSpeedButton1, *OKBtn, *CancelBtn;
    PictureView* Image1;

public slots:
    void BitBtn1Click();
    void OKBtnClick();
    void CancelBtnClick();
    // Esc and the close box end the window as Cancel does.
    void reject() override;

private:
    void buildKernelCells();
    void connectHandlers();
    // A cell's edit takes a typed integer in its up-down's range at once; on leaving the edit,
    // any other text gives way to the up-down's position again.
    void EditChange(int cell);
    void EditExit(int cell);

    void ResetFilterPreview();
    void FilterPreview();
    // Frees the preview and ends the modal run with the given result.
    void CloseCustomFilter(int result);

    DocumentHost& host_;
    std::unique_ptr<PreviewPlanes> preview_;
};

// The open custom filter window, or null.
extern TCustomFilter* CustomFilter;

}  // namespace veltrane
