// The program's files for the desktop: icons of the sizes their folders name, a square SVG,
// and media types that cover every extension the program opens, the same in the desktop entry
// and the AppStream file.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include "image/file_kind.h"

namespace {

const QString kSource = VELTRANE_SOURCE_DIR;

QString readText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

QStringList desktopEntryTypes() {
    const QRegularExpressionMatch line =
        QRegularExpression("^MimeType=(.*)$", QRegularExpression::MultilineOption).match(readText(kSource + "/data/veltrane.desktop"));
    EXPECT_TRUE(line.hasMatch());
    return line.captured(1).split(';', Qt::SkipEmptyParts);
}

QStringList metainfoTypes() {
    QXmlStreamReader xml(readText(VELTRANE_METAINFO));
    QStringList types;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("mediatype"))
            types << xml.readElementText();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return types;
}

}  // namespace

TEST(DesktopFiles, EveryPngIsAsLargeAsItsFolderSays) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = kSource + QString("/data/icons/hicolor/%1x%1/apps/veltrane.png").arg(size);
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), "png") << path.toStdString();
        EXPECT_EQ(reader.size(), QSize(size, size)) << path.toStdString();
    }
}

TEST(DesktopFiles, TheSvgIsWellFormedWithASquareViewBox) {
    QXmlStreamReader xml(readText(kSource + "/data/icons/hicolor/scalable/apps/veltrane.svg"));
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    const QStringList box = xml.attributes().value("viewBox").toString().split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(box.size(), 4);
    EXPECT_GT(box[2].toDouble(), 0);
    EXPECT_EQ(box[2].toDouble(), box[3].toDouble());
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

TEST(DesktopFiles, EveryExtensionTheProgramOpensHasAListedType) {
    const QStringList listed = desktopEntryTypes();
    QMimeDatabase mimes;
    std::vector<std::string_view> extensions;
    for (std::string_view e : veltrane::kBmpExtensions) extensions.push_back(e);
    for (std::string_view e : veltrane::kJpegExtensions) extensions.push_back(e);
    for (std::string_view e : veltrane::kMediaExtensions) extensions.push_back(e);
    for (std::string_view extension : extensions) {
        const QString name = "file" + QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size()));
        const QMimeType type = mimes.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        // The database may name a type by a newer name whose alias is the one listed.
        const QStringList names = QStringList{type.name()} + type.aliases();
        bool found = false;
        for (const QString& n : names) found = found || listed.contains(n);
        EXPECT_TRUE(found) << name.toStdString() << " is " << names.join(", ").toStdString();
    }
}

TEST(DesktopFiles, TheAppStreamFileListsTheSameTypesAsTheEntry) {
    const QStringList entry = desktopEntryTypes();
    const QStringList metainfo = metainfoTypes();
    EXPECT_EQ(QSet<QString>(metainfo.begin(), metainfo.end()), QSet<QString>(entry.begin(), entry.end()));
    EXPECT_EQ(metainfo.size(), entry.size());
}
