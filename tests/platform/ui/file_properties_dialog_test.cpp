// The program's own properties window: what it lists for a picture and for another file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QLocale>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include "image/bmp_codec.h"
#include "image/jpeg_codec.h"
#include "platform/ui/file_properties_dialog.h"

using namespace veltrane;

namespace {

QString writeBytes(const QTemporaryDir& dir, const QString& name, const std::vector<std::uint8_t>& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    return file.fileName();
}

}  // namespace

TEST(FilePropertiesDialog, ListsNameFolderTypeBytesDateAndThePictureSize) {
    QTemporaryDir dir;
    const QString path = writeBytes(dir, "写真 \"1\" #%.bmp", encodeBmp24(Bitmap24(13, 7)));
    auto* dialog = new FilePropertiesDialog(path, nullptr);
    QPointer<FilePropertiesDialog> alive(dialog);
    EXPECT_EQ(dialog->objectName(), "FileProperties");
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->NameValue->text(), "写真 \"1\" #%.bmp");
    EXPECT_EQ(dialog->FolderValue->text(), dir.path());
    EXPECT_FALSE(dialog->TypeValue->text().isEmpty());
    const qint64 bytes = QFileInfo(path).size();
    EXPECT_EQ(dialog->SizeValue->text(), QLocale(QLocale::English).toString(bytes) + " バイト");
    EXPECT_EQ(dialog->ModifiedValue->text(), QFileInfo(path).lastModified().toString("yyyy/MM/dd HH:mm:ss"));
    ASSERT_NE(dialog->ImageSizeValue, nullptr);
    EXPECT_EQ(dialog->ImageSizeValue->text(), "13 × 7");
    EXPECT_EQ(dialog->OkButton->text(), "OK");
    dialog->show();
    dialog->OkButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "released when closed";
}

TEST(FilePropertiesDialog, PictureSizeComesFromBmpAndJpegHeadersOnly) {
    QTemporaryDir dir;
    const struct {
        QString name;
        std::vector<std::uint8_t> bytes;
        QString size;
    } cases[] = {{"a.jpg", encodeJpeg(Bitmap24(21, 9), 90), "21 × 9"},
                 {"b.BMP", encodeBmp24(Bitmap24(3, 4)), "3 × 4"},
                 {"c.txt", {'h', 'i'}, ""},
                 {"broken.bmp", {'B', 'M', 0, 0}, ""}};
    for (const auto& c : cases) EXPECT_EQ(pictureSizeText(writeBytes(dir, c.name, c.bytes)), c.size) << c.name.toStdString();

    FilePropertiesDialog text(dir.filePath("c.txt"), nullptr);
    EXPECT_EQ(text.ImageSizeValue, nullptr);
    EXPECT_EQ(text.SizeValue->text(), "2 バイト");
}
