// The join and merge window's handlers: choosing the second file, the merge rule, and OK,
// which decodes the second file completely and builds the result before the document is
// touched, then replaces the document's picture in one step.
#include <QFile>
#include <stdexcept>

#include "compose/compose_captions.h"
#include "compose/ui/marge_joint_dialog.h"
#include "image/file_kind.h"
#include "image/image_file.h"
#include "platform/ui/platform_services.h"
#include "uisupport/ui/document_host.h"
#include "uisupport/ui/qt_text.h"

namespace veltrane {

namespace {

const QList<FileFilter>& secondImageFilters() {
    static const QList<FileFilter> filters{
        {"画像ファイル(*.bmp;*.jpg)", "*.bmp;*.BMP;*.jpeg;*.JPEG;*.jpg;*.JPG"}};
    return filters;
}

// A message box without owner and with the default caption, as the drops of every window show.
void refuse(const QString& text) {
    platform().messageBox(nullptr, text, QString(), MessageButtons::Ok, MessageIcon::Warning);
}

std::string localPathOf(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void TMargeJoint::ButtonOpenClick() {
    // Any name chosen here is taken; its extension is checked on OK.
    const auto answer = platform().openFile(this, secondImageFilters(), 1);
    if (answer) ChooseSecondFile(answer->path);
}

void TMargeJoint::FilesDropped(const QStringList& paths) {
    if (paths.isEmpty()) return;
    if (paths.size() > 1) {
        refuse("複数のファイルを同時に開けません");
        return;
    }
    if (!isImageFile(localPathOf(paths.first()))) {
        refuse("開けない形式のファイルです");
        return;
    }
    ChooseSecondFile(paths.first());
}

void TMargeJoint::ChooseSecondFile(const QString& path) {
    EditPath->setText(path);
    OKBtn->setEnabled(true);
}

void TMargeJoint::TrackBar1Change() { Edit2->setText(QString::number(TrackBar1->value())); }

void TMargeJoint::RadioButtonTransparentClick() { TrackBar1->setEnabled(true); }
void TMargeJoint::RadioButtonBrightClick() { TrackBar1->setEnabled(false); }
void TMargeJoint::RadioButtonDarkClick() { TrackBar1->setEnabled(false); }
void TMargeJoint::RadioButtonAddClick() { TrackBar1->setEnabled(false); }
void TMargeJoint::RadioButtonSubClick() { TrackBar1->setEnabled(false); }
void TMargeJoint::RadioButtonXORClick() { TrackBar1->setEnabled(false); }

void TMargeJoint::OKBtnClick() {
    // A refusal or a failure has shown its message by the time the window closes; either
    // way the document stays as it was.
    runGuarded([this] {
        if (!host_.document().imageLoaded) return;
        if (PageControl1->currentWidget() == TabSheet1)
            JoinImagesIntoDocument();
        else
            MergeImagesIntoDocument();
    });
    accept();
}

void TMargeJoint::CancelBtnClick() { reject(); }

std::optional<Bitmap24> TMargeJoint::LoadSecondImage() const {
    const std::string path = localPathOf(EditPath->text());
    const FileKind kind = classifyFile(path);
    if (kind != FileKind::Bmp && kind != FileKind::Jpeg) {
        refuse("開けない形式のファイルです");
        return std::nullopt;
    }
    return loadImageFile(path, kind).bitmap;
}

void TMargeJoint::JoinImagesIntoDocument() {
    const std::optional<Bitmap24> second = LoadSecondImage();
    if (!second) return;
    JoinResult joined = JoinImages(host_.document().bitmap, *second, Direction());
    if (!joined.fits) throw std::runtime_error(joinTooLargeMessage(joined.size));
    const std::string caption = joinCaption(host_.Caption().toStdString(), EditPath->text().toStdString(),
                                            joined.size.secondWidth, joined.size.secondHeight);
    host_.ReplaceImage(std::move(joined.picture), fromStd(caption));
}

void TMargeJoint::MergeImagesIntoDocument() {
    const std::optional<Bitmap24> second = LoadSecondImage();
    if (!second) return;
    // Merged into a copy, so that the document changes only once the result is whole.
    Bitmap24 merged = host_.document().bitmap;
    MergeImages(merged, *second, Rule(), TrackBar1->value());
    const std::string caption = mergeCaption(host_.Caption().toStdString(), EditPath->text().toStdString());
    host_.ReplaceImage(std::move(merged), fromStd(caption));
}

JoinDirection TMargeJoint::Direction() const {
    if (RadioButtonDown->isChecked()) return JoinDirection::Down;
    if (RadioButtonLeft->isChecked()) return JoinDirection::Left;
    if (RadioButtonRight->isChecked()) return JoinDirection::Right;
    return JoinDirection::Up;
}

MergeRule TMargeJoint::Rule() const {
    const std::pair<QRadioButton*, MergeRule> rules[] = {
        {RadioButtonBright, MergeRule::Bright}, {RadioButtonDark, MergeRule::Dark}, {RadioButtonAdd, MergeRule::Add},
        {RadioButtonSub, MergeRule::Sub},       {RadioButtonXOR, MergeRule::Xor1},  {RadioButtonXOR2, MergeRule::Xor2},
    };
    for (const auto& [button, rule] : rules)
        if (button->isChecked()) return rule;
    return MergeRule::Transparent;
}

}  // namespace veltrane
