#include "platform/ui/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "platform/ui/desktop_wallpaper.h"
#include "platform/ui/file_properties.h"
#include "platform/ui/screen_grab.h"

namespace veltrane {

namespace {

std::unique_ptr<PlatformServices>& current() {
    static std::unique_ptr<PlatformServices> services = std::make_unique<QtPlatform>();
    return services;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

std::optional<FileDialogAnswer> runFileDialog(QWidget* owner, const QList<FileFilter>& filters, int filterIndex,
                                              QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner);
    setUpFileDialog(dialog, filters, filterIndex, mode);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileDialogAnswer{dialog.selectedFiles().first(), selectedFilterIndex(dialog, filters)};
}

}  // namespace

PlatformServices& platform() { return *current(); }
void setPlatform(std::unique_ptr<PlatformServices> services) { current() = std::move(services); }

void showErrorBox(const QString& text) {
    platform().messageBox(nullptr, text, QString(), MessageButtons::Ok, MessageIcon::Error);
}

bool runGuarded(const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const std::bad_alloc&) {
        showErrorBox("メモリが足りないため処理を続けられません");
    } catch (const std::exception& error) {
        showErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        showErrorBox("予期しないエラーが発生しました");
    }
    return false;
}

QStringList qtNameFilters(const QList<FileFilter>& filters) {
    QStringList names;
    for (const FileFilter& f : filters)
        names << f.description + " (" + QString(f.patterns).replace(';', ' ') + ")";
    return names;
}

void setUpFileDialog(QFileDialog& dialog, const QList<FileFilter>& filters, int filterIndex,
                     QFileDialog::AcceptMode mode) {
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // The patterns still filter the listing; the list of filters shows the descriptions alone.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    const QStringList names = qtNameFilters(filters);
    dialog.setNameFilters(names);
    if (filterIndex >= 1 && filterIndex <= names.size()) dialog.selectNameFilter(names[filterIndex - 1]);
}

int selectedFilterIndex(const QFileDialog& dialog, const QList<FileFilter>& filters) {
    // With the details hidden the dialog may name the filter by its description alone.
    const QString selected = dialog.selectedNameFilter();
    const QStringList names = qtNameFilters(filters);
    for (int i = 0; i < filters.size(); ++i)
        if (selected == names[i] || selected == filters[i].description) return i + 1;
    return 0;
}

MessageResult QtPlatform::messageBox(QWidget* owner, const QString& text, const QString& caption,
                                     MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), caption.isEmpty() ? QApplication::applicationName() : caption, text,
                    qtButtons(buttons), owner);
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    case QMessageBox::Cancel: return MessageResult::Cancel;
    default: return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
    }
}

std::optional<FileDialogAnswer> QtPlatform::openFile(QWidget* owner, const QList<FileFilter>& filters,
                                                     int filterIndex) {
    return runFileDialog(owner, filters, filterIndex, QFileDialog::AcceptOpen);
}

std::optional<FileDialogAnswer> QtPlatform::saveFile(QWidget* owner, const QList<FileFilter>& filters,
                                                     int filterIndex) {
    return runFileDialog(owner, filters, filterIndex, QFileDialog::AcceptSave);
}

std::optional<QColor> QtPlatform::pickColor(QWidget*, const std::function<std::optional<QColor>()>& showPicker) {
    return showPicker();
}

bool QtPlatform::clipboardHasImage() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && mime->hasImage();
}

QImage QtPlatform::clipboardImage() { return QGuiApplication::clipboard()->image(); }

void QtPlatform::setClipboardImage(const QImage& image) { QGuiApplication::clipboard()->setImage(image); }

WindowMetrics QtPlatform::metrics() {
    WindowMetrics m;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        m.maximizedHeight = screen->availableGeometry().height();
        m.fullScreenClientWidth = screen->geometry().width();
    }
    const QStyle* style = QApplication::style();
    m.captionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
    m.smallCaptionHeight = m.captionHeight;
    m.dialogFrameHeight = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    m.menuButtonHeight = QFontMetrics(QApplication::font()).height() + 2 * style->pixelMetric(QStyle::PM_MenuBarVMargin) +
                         2 * style->pixelMetric(QStyle::PM_MenuBarPanelWidth) + 4;
    return m;
}

QImage QtPlatform::grabScreen() { return grabPrimaryScreen(); }

WallpaperResult QtPlatform::setWallpaper(const QString& path) { return setDesktopWallpaper(path); }

void QtPlatform::showFileProperties(QWidget* owner, const QString& path) { requestFileProperties(owner, path); }

bool QtPlatform::transparencyAvailable() { return compositorRunning(); }

bool QtPlatform::setWindowAlpha(QWidget* window, int alpha) {
    if (!window || !transparencyAvailable()) return false;
    window->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
    return true;
}

}  // namespace veltrane
