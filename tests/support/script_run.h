#pragma once
// Runs the real program on a script, headless, with its own settings file in a fresh folder.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

#include "image/bitmap24.h"

namespace veltrane::test {

struct ScriptResult {
    int exitCode = -1;
    QString out;  // standard output
    QString err;  // standard error
    QStringList outLines() const;
};

class ScriptSession {
public:
    ScriptSession();

    // A folder of its own for fixtures and saved files.
    QString dir() const { return tmp_.path(); }
    QString path(const QString& name) const { return tmp_.filePath(name); }
    QString settingsPath() const { return tmp_.filePath("Veltrane.ini"); }

    // Writes the settings file with the greeting already seen, so runs start quietly.
    void writeQuietSettings(const QString& extra = QString()) const;

    // Runs "veltrane --script" on the text (lines separated by \n).
    ScriptResult run(const QString& script, const QStringList& extraArgs = {}) const;

private:
    QTemporaryDir tmp_;
};

// A path as a script's double-quoted string.
inline QString quoted(const QString& path) { return "\"" + path + "\""; }

// Script lines that open the picture file through the open command, as a person would.
inline QString openPictureLines(const QString& picture) {
    return "answer open " + quoted(picture) + "\nMain.OPEN1Click()\n";
}

// Writes a 24-bit BMP whose pixel (x, y) has the colour fill(x, y) = 0xRRGGBB.
void writeTestBmp(const QString& path, int width, int height, unsigned (*fill)(int x, int y));
// Reads a BMP or JPEG file through the program's own decoders.
Bitmap24 readPicture(const QString& path);
// The colour of pixel (x, y) as 0xRRGGBB.
unsigned pixelAt(const Bitmap24& bitmap, int x, int y);

}  // namespace veltrane::test
