#include "platform/ui/scripted_platform.h"

#include <QWidget>
#include <algorithm>
#include <cstdio>

namespace veltrane {

namespace {

QList<MessageResult> buttonsOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo: return {MessageResult::Yes, MessageResult::No};
    case MessageButtons::OkCancel: return {MessageResult::Ok, MessageResult::Cancel};
    case MessageButtons::YesNoCancel: return {MessageResult::Yes, MessageResult::No, MessageResult::Cancel};
    case MessageButtons::Ok: break;
    }
    return {MessageResult::Ok};
}

}  // namespace

MessageResult ScriptedPlatform::messageBox(QWidget*, const QString& text, const QString& caption,
                                           MessageButtons buttons, MessageIcon) {
    messages_ << "message: " + caption + ": " + text;
    std::printf("%s\n", messages_.last().toUtf8().constData());
    std::fflush(stdout);
    const QList<MessageResult> offered = buttonsOf(buttons);
    if (!buttons_.isEmpty()) {
        const MessageResult answer = buttons_.dequeue();
        if (offered.contains(answer)) return answer;
        std::fprintf(stderr, "script: the queued button is not offered by this message box; the first is taken\n");
    }
    return offered.first();
}

std::optional<ScriptedPlatform::DialogAnswer> ScriptedPlatform::takeDialogAnswer(DialogKind wanted) {
    if (dialogAnswers_.isEmpty()) return std::nullopt;
    DialogAnswer answer = dialogAnswers_.dequeue();
    if (answer.kind == wanted) return answer;
    if (answer.kind != DialogKind::Cancel)
        std::fprintf(stderr, "script: the queued answer does not fit this dialog; it is cancelled\n");
    return std::nullopt;
}

std::optional<FileDialogAnswer> ScriptedPlatform::openFile(QWidget*, const QList<FileFilter>&, int) {
    if (auto answer = takeDialogAnswer(DialogKind::Open)) return answer->file;
    return std::nullopt;
}

std::optional<FileDialogAnswer> ScriptedPlatform::saveFile(QWidget*, const QList<FileFilter>&, int) {
    if (auto answer = takeDialogAnswer(DialogKind::Save)) return answer->file;
    return std::nullopt;
}

std::optional<QColor> ScriptedPlatform::pickColor(QWidget*, const std::function<std::optional<QColor>()>& showPicker) {
    if (pickersToShow_ > 0) {
        --pickersToShow_;
        return showPicker();
    }
    if (auto answer = takeDialogAnswer(DialogKind::Color)) return answer->color;
    return std::nullopt;
}

void ScriptedPlatform::setClipboardImage(const QImage& image) {
    clipboardImage_ = image;
    clipboardText_.clear();
}

void ScriptedPlatform::setClipboardText(const QString& text) {
    clipboardText_ = text;
    clipboardImage_ = QImage();
}

WallpaperResult ScriptedPlatform::setWallpaper(const QString& path) {
    wallpapers_.append(path);
    return {WallpaperResult::Status::Set, {}};
}

void ScriptedPlatform::showFileProperties(QWidget*, const QString& path) { propertiesShown_.append(path); }

bool ScriptedPlatform::setWindowAlpha(QWidget* window, int alpha) {
    if (!window) return false;
    alphas_.append({window->objectName(), alpha});
    window->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
    return true;
}

}  // namespace veltrane
