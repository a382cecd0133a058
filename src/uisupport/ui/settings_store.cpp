#include "uisupport/ui/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

#include "platform/ui/platform_services.h"
#include "uisupport/ui/atomic_write.h"

namespace veltrane {

namespace {

// The file's whole text; empty when it does not exist; nullopt (with the reason) when it
// exists but could not be read to its end.
std::optional<QByteArray> readWhole(const QString& path, QString& reason) {
    QFile file(path);
    if (!file.exists()) return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError || !file.atEnd()) {
        reason = file.errorString();
        return std::nullopt;
    }
    return text;
}

IniFile parse(const QByteArray& text) {
    return IniFile::parse(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

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
    QString reason;
    const std::optional<QByteArray> text = readWhole(settingsFilePath(), reason);
    return parse(text ? *text : QByteArray());
}

bool updateSettings(const std::function<void(IniFile&)>& edit) {
    const QString path = settingsFilePath();
    QString reason;
    std::optional<QByteArray> text = readWhole(path, reason);
    if (text) {
        IniFile ini = parse(*text);
        edit(ini);
        QDir().mkpath(QFileInfo(path).absolutePath());
        const std::optional<QString> error = writeFileAtomically(path, ini.serialize());
        if (!error) return true;
        reason = *error;
    }
    platform().messageBox(nullptr, "設定ファイルを保存できませんでした（" + path + "：" + reason + "）", QString(),
                          MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

}  // namespace veltrane
