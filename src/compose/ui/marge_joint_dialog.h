#pragma once
// The join and merge window "連結・合成": combines the document's picture with a second
// picture file, side by side or one above the other (page "連結する") or pixel by pixel where
// the two overlap (page "合成する"). The result replaces the document's picture and becomes its
// original; the caption gains a phrase naming the second file.
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStringList>
#include <QTabWidget>
#include <optional>

#include "compose/join_images.h"
#include "compose/merge_images.h"

class QDragEnterEvent;
class QDropEvent;

namespace veltrane {

class DocumentHost;

class TMargeJoint : public QDialog {
    Q_OBJECT

public:
    // Builds the window with its design values; it takes dropped files from now on.
    explicit TMargeJoint(DocumentHost& host, QWidget* parent = nullptr);
    ~TMargeJoint() override;

    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2;
    QGroupBox *RadioGroup1, *RadioGroup2;
    QRadioButton *RadioButtonUp, *RadioButtonDown, *RadioButtonLeft, *RadioButtonRight;
    QRadioButton *RadioButtonTransparent, *RadioButtonBright, *RadioButtonDark, *RadioButtonAdd, *RadioButtonSub,
        *RadioButtonXOR, *RadioButtonXOR2;
    QSlider* TrackBar1;
    QLineEdit *Edit2, *EditPath;
    QLabel *LabelDisp, *Label1;
    QPushButton *ButtonOpen, *OKBtn, *CancelBtn;

public slots:
    void ButtonOpenClick();
    // One dropped file of a picture type becomes the second file; anything else is refused
    // with a message and the path stays as it was.
    void FilesDropped(const QStringList& paths);
    void TrackBar1Change();
    void RadioButtonTransparentClick();
    void RadioButtonBrightClick();
    void RadioButtonDarkClick();
    void RadioButtonAddClick();
    void RadioButtonSubClick();
    // Shared by "XOR1" and "XOR2".
    void RadioButtonXORClick();
    // Joins on the first page, merges on the second; the window closes in every case.
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildJoinPage();
    void buildMergePage();
    void buildFileRow();
    void connectHandlers();

    // Makes path the second file and lets OK run.
    void ChooseSecondFile(const QString& path);
    // Decodes the second file completely; nullopt (after the message) when its extension is
    // not one of the six picture extensions. A file that cannot be read or decoded throws the
    // decoder's message.
    std::optional<Bitmap24> LoadSecondImage() const;
    void JoinImagesIntoDocument();
    void MergeImagesIntoDocument();
    JoinDirection Direction() const;
    MergeRule Rule() const;

    DocumentHost& host_;
};

// The open join and merge window, or null.
extern TMargeJoint* MargeJoint;

}  // namespace veltrane
