#pragma once
// The services under --script: dialogs and message boxes are answered from queues filled by
// the script's "answer" lines, and every message box is printed as one line.
#include <QQueue>

#include "platform/ui/qt_platform.h"

namespace veltrane {

class ScriptedPlatform : public QtPlatform {
public:
    enum class DialogKind { Open, Save, Cancel, Color };
    struct DialogAnswer {
        DialogKind kind = DialogKind::Cancel;
        FileDialogAnswer file;
        QColor color;
    };

    void queueDialogAnswer(const DialogAnswer& answer) { dialogAnswers_.enqueue(answer); }
    void queueButton(MessageResult button) { buttons_.enqueue(button); }
    // The next colour picker shows its window modally, for the script to drive, instead of
    // taking a queued answer; each call covers one picker.
    void queueShowPicker() { ++pickersToShow_; }
    // Every message box shown so far, as printed: "message: CAPTION: TEXT".
    const QStringList& messages() const { return messages_; }
    void clearMessages() { messages_.clear(); }

    MessageResult messageBox(QWidget* owner, const QString& text, const QString& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<FileDialogAnswer> openFile(QWidget* owner, const QList<FileFilter>& filters,
                                             int filterIndex) override;
    std::optional<FileDialogAnswer> saveFile(QWidget* owner, const QList<FileFilter>& filters,
                                             int filterIndex) override;
    std::optional<QColor> pickColor(QWidget* owner, const std::function<std::optional<QColor>()>& showPicker) override;

    // The clipboard lives inside the process and starts empty: a scripted run never reads or
    // replaces the user's clipboard. It holds a picture, text (for tests) or nothing.
    bool clipboardHasImage() override { return !clipboardImage_.isNull(); }
    QImage clipboardImage() override { return clipboardImage_; }
    void setClipboardImage(const QImage& image) override;
    void setClipboardText(const QString& text);
    const QString& clipboardText() const { return clipboardText_; }

    // Wallpaper and properties are recorded and never reach the desktop; transparency is
    // available, each alpha recorded (window objectName, alpha) and applied.
    WallpaperResult setWallpaper(const QString& path) override;
    void showFileProperties(QWidget* owner, const QString& path) override;
    bool transparencyAvailable() override { return true; }
    bool setWindowAlpha(QWidget* window, int alpha) override;
    const QStringList& wallpapers() const { return wallpapers_; }
    const QStringList& propertiesShown() const { return propertiesShown_; }
    const QList<QPair<QString, int>>& alphas() const { return alphas_; }

private:
    std::optional<DialogAnswer> takeDialogAnswer(DialogKind wanted);

    QImage clipboardImage_;
    QString clipboardText_;
    QQueue<DialogAnswer> dialogAnswers_;
    QQueue<MessageResult> buttons_;
    int pickersToShow_ = 0;
    QStringList messages_;
    QStringList wallpapers_;
    QStringList propertiesShown_;
    QList<QPair<QString, int>> alphas_;
};

}  // namespace veltrane
