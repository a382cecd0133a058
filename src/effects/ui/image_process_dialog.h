#pragma once
// The effects dialog "画像処理": a category box, the list of its effects, a 192 × 192 preview of
// the selected effect on the letterboxed picture, the effect's options, and apply.
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <optional>

namespace veltrane {

class DocumentHost;
class PictureView;
class PreviewPlanes;

class TImageProcess : public QDialog {
    Q_OBJECT

public:
    explicit TImageProcess(DocumentHost& host, QWidget* parent = nullptr);
    ~TImageProcess() override;

    PictureView* Image1;
    QComboBox* ComboBox1;
    QListWidget* ListBox1;
    QLabel *Label1, *Label2, *Label3;
    QGroupBox* GroupBox1;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5, *RadioButton6;
    QPushButton *ShineSpeedButton1, *IMAGE_PROCESS;

    // Builds the preview from the document's current planes, fills the lists for category
    // 0..4 and hides the options; no item is selected afterwards. A category outside 0..4 (a
    // typed-over box) leaves the lists and the box's text as they are.
    void PrepareDialog(int category);
    void ShowOptions(int code);
    void HideOptions();
    // The preview planes while the dialog is prepared; null once it has ended.
    const PreviewPlanes* preview() const { return preview_.get(); }

public slots:
    void ComboBox1Change();
    void ListBox1Click();
    void ListBox1DblClick();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void Button1Click();
    void IMAGE_PROCESSClick();
    void reject() override;

private:
    // The category the box shows: its current index while it shows that item's name, -1 when
    // its text was typed over.
    int Category() const;
    // The selected item's code; -1 with no selection, outside the catalogue with no category.
    std::optional<int> SelectedCode() const;
    int CheckedOption() const;
    void FillList(int category);
    void PreviewSelected(bool updateOptions);
    // Runs the selected effect on the document; false when it found no memory (the document
    // is as it was and a message said so).
    bool ApplySelected();
    void ApplyAndPrepare();

    DocumentHost& host_;
    std::unique_ptr<PreviewPlanes> preview_;
};

// The effects dialog while it is open; null otherwise.
extern TImageProcess* ImageProcess;

}  // namespace veltrane
