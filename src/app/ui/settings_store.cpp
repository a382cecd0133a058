#include "app/ui/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace veltrane {

namespace {
// Settings files are a few hundred bytes; a huge one is not ours to read whole.
constexpr qint64 kMaxSettingsBytes = 1 << 20;
}  // namespace

QString settingsFilePath() {
    const QString override = qEnvironmentVariable("VELTRANE_INI");
    if (!override.isEmpty()) return override;
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable()) return QDir(exeDir).filePath("Veltrane.ini");
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configDir).filePath("veltrane/Veltrane.ini");
}

IniFile loadSettings() {
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::ReadOnly)) return IniFile::parse("");
    const QByteArray text = file.read(kMaxSettingsBytes);
    return IniFile::parse(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

bool saveSettings(const IniFile& ini) {
    const QString path = settingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const std::string text = ini.serialize();
    file.write(text.data(), static_cast<qint64>(text.size()));
    return file.commit();
}

}  // namespace veltrane
