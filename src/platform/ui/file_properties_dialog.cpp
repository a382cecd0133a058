#include "platform/ui/file_properties_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QImageReader>
#include <QLocale>
#include <QMimeDatabase>
#include <QVBoxLayout>

namespace veltrane {

namespace {

QLabel* valueLabel(QFormLayout* form, const QString& caption, const QString& value, const char* name) {
    auto* label = new QLabel(value);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(caption, label);
    return label;
}

}  // namespace

QString pictureSizeText(const QString& path) {
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    if (type != "image/bmp" && type != "image/jpeg") return {};
    // The reader looks at the header only; no pixel is decoded.
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid()) return {};
    return QString("%1 × %2").arg(size.width()).arg(size.height());
}

FilePropertiesDialog::FilePropertiesDialog(const QString& path, QWidget* owner) : QDialog(owner) {
    setObjectName("FileProperties");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const QFileInfo info(path);
    setWindowTitle(info.fileName() + " のプロパティ");

    auto* form = new QFormLayout;
    NameValue = valueLabel(form, "名前", info.fileName(), "NameValue");
    FolderValue = valueLabel(form, "場所", QDir::toNativeSeparators(info.absolutePath()), "FolderValue");
    TypeValue = valueLabel(form, "種類", QMimeDatabase().mimeTypeForFile(info).comment(), "TypeValue");
    SizeValue = valueLabel(form, "サイズ", QLocale(QLocale::English).toString(info.size()) + " バイト", "SizeValue");
    ModifiedValue =
        valueLabel(form, "更新日時", info.lastModified().toString("yyyy/MM/dd HH:mm:ss"), "ModifiedValue");
    const QString pictureSize = pictureSizeText(path);
    ImageSizeValue = pictureSize.isEmpty() ? nullptr : valueLabel(form, "画像サイズ", pictureSize, "ImageSizeValue");

    auto* buttons = new QDialogButtonBox;
    OkButton = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    OkButton->setObjectName("OkButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

}  // namespace veltrane
