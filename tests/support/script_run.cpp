#include "support/script_run.h"

#include <QFile>
#include <QProcess>
#include <stdexcept>

#include "image/bmp_codec.h"
#include "image/file_kind.h"
#include "image/image_file.h"

namespace veltrane::test {

QStringList ScriptResult::outLines() const { return out.split('\n', Qt::SkipEmptyParts); }

ScriptSession::ScriptSession() {
    if (!tmp_.isValid()) throw std::runtime_error("no temporary folder");
}

void ScriptSession::writeQuietSettings(const QString& extra) const {
    QFile file(settingsPath());
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write settings");
    file.write(("[KIRRO]\ngreeting=0\n" + extra).toUtf8());
}

ScriptResult ScriptSession::run(const QString& script, const QStringList& extraArgs) const {
    const QString scriptPath = tmp_.filePath("run.script");
    QFile file(scriptPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write script");
    file.write(script.toUtf8());
    file.close();

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VELTRANE_INI", settingsPath());
    process.setProcessEnvironment(env);
    process.start(VELTRANE_EXE, QStringList{"--script", scriptPath} + extraArgs);
    ScriptResult result;
    if (!process.waitForFinished(90'000)) {
        process.kill();
        process.waitForFinished();
        result.err = "timed out";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void writeTestBmp(const QString& path, int width, int height, unsigned (*fill)(int x, int y)) {
    Bitmap24 bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned c = fill(x, y);
            bitmap.row(y)[3 * x] = c & 0xFF;
            bitmap.row(y)[3 * x + 1] = (c >> 8) & 0xFF;
            bitmap.row(y)[3 * x + 2] = (c >> 16) & 0xFF;
        }
    const std::vector<std::uint8_t> bytes = encodeBmp24(bitmap);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write fixture");
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

Bitmap24 readPicture(const QString& path) {
    const std::string local = QFile::encodeName(path).toStdString();
    return loadImageFile(local, classifyFile(local)).bitmap;
}

unsigned pixelAt(const Bitmap24& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.row(y) + 3 * x;
    return (unsigned{p[2]} << 16) | (unsigned{p[1]} << 8) | p[0];
}

}  // namespace veltrane::test
