#pragma once
// The program's own small properties window of a file, shown where no file manager answers.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace veltrane {

class FilePropertiesDialog : public QDialog {
    Q_OBJECT

public:
    // Not modal, released when closed (objectName "FileProperties").
    FilePropertiesDialog(const QString& path, QWidget* owner);

    // The value labels, in the order shown.
    QLabel *NameValue, *FolderValue, *TypeValue, *SizeValue, *ModifiedValue, *ImageSizeValue;
    QPushButton* OkButton;
};

// "W × H" from a BMP or JPEG file's header; empty for other files or an unreadable header.
QString pictureSizeText(const QString& path);

}  // namespace veltrane
