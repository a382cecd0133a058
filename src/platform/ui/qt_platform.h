#pragma once
#include <QFileDialog>

#include "platform/ui/platform_services.h"

namespace veltrane {

// The desktop's own dialogs, message boxes, clipboard and metrics.
class QtPlatform : public PlatformServices {
public:
    MessageResult messageBox(QWidget* owner, const QString& text, const QString& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<FileDialogAnswer> openFile(QWidget* owner, const QList<FileFilter>& filters,
                                             int filterIndex) override;
    std::optional<FileDialogAnswer> saveFile(QWidget* owner, const QList<FileFilter>& filters,
                                             int filterIndex) override;
    std::optional<QColor> pickColor(QWidget* owner, const std::function<std::optional<QColor>()>& showPicker) override;
    bool clipboardHasImage() override;
    QImage clipboardImage() override;
    void setClipboardImage(const QImage& image) override;
    WindowMetrics metrics() override;
    QImage grabScreen() override;
    WallpaperResult setWallpaper(const QString& path) override;
    void showFileProperties(QWidget* owner, const QString& path) override;
    bool transparencyAvailable() override;
    bool setWindowAlpha(QWidget* window, int alpha) override;
};

// "desc|patterns" lists turned into Qt name filters ("desc (*.a *.b)").
QStringList qtNameFilters(const QList<FileFilter>& filters);

// Sets up a file dialog: open or save, no overwrite question, the filters listed by their
// descriptions as written, filterIndex (1-based) selected.
void setUpFileDialog(QFileDialog& dialog, const QList<FileFilter>& filters, int filterIndex,
                     QFileDialog::AcceptMode mode);
// The 1-based index of the filter the dialog has selected; 0 for none of them.
int selectedFilterIndex(const QFileDialog& dialog, const QList<FileFilter>& filters);

}  // namespace veltrane
