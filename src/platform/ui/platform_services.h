#pragma once
// Everything the program asks of the desktop goes through this interface, so that a run
// under --script can answer dialogs and message boxes from a queue instead of a person.
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace veltrane {

enum class MessageButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageIcon { None, Information, Question, Warning, Error };
enum class MessageResult { Ok, Cancel, Yes, No };

struct FileDialogAnswer {
    QString path;
    int filterIndex = 1;  // 1-based, as the filter list is written
};

// One filter entry of a file dialog: description and ';'-separated patterns.
struct FileFilter {
    QString description;
    QString patterns;
};

// Window metrics the main window sizes itself with.
struct WindowMetrics {
    int maximizedHeight = 0;        // height of a maximised window
    int fullScreenClientWidth = 0;  // width of a full-screen client area
    int menuButtonHeight = 0;
    int captionHeight = 0;
    int dialogFrameHeight = 0;
    int smallCaptionHeight = 0;
};

// What became of a request to set the desktop wallpaper.
struct WallpaperResult {
    enum class Status { Set, UnknownDesktop, Failed };
    Status status = Status::Failed;
    QString reason;  // why it failed (Failed only)
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // caption empty means the application's default caption.
    virtual MessageResult messageBox(QWidget* owner, const QString& text, const QString& caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;
    virtual std::optional<FileDialogAnswer> openFile(QWidget* owner, const QList<FileFilter>& filters,
                                                     int filterIndex) = 0;
    // Returns the name exactly as typed: no default suffix, no overwrite question.
    virtual std::optional<FileDialogAnswer> saveFile(QWidget* owner, const QList<FileFilter>& filters,
                                                     int filterIndex) = 0;
    // Asks for a colour through the program's own colour picker, which showPicker runs
    // modally; nullopt when cancelled. A scripted run answers without showing it.
    virtual std::optional<QColor> pickColor(QWidget* owner,
                                            const std::function<std::optional<QColor>()>& showPicker) = 0;

    virtual bool clipboardHasImage() = 0;
    virtual QImage clipboardImage() = 0;
    virtual void setClipboardImage(const QImage& image) = 0;

    virtual WindowMetrics metrics() = 0;

    // The primary screen at its real resolution; null when the desktop refuses.
    virtual QImage grabScreen() = 0;
    // Makes the picture file the desktop's wallpaper.
    virtual WallpaperResult setWallpaper(const QString& path) = 0;
    // Shows the file manager's properties of the file (or the program's own small dialog);
    // returns at once, failures are silent.
    virtual void showFileProperties(QWidget* owner, const QString& path) = 0;
    // Whether windows can be made translucent here (a compositing desktop).
    virtual bool transparencyAvailable() = 0;
    // Sets the window's opacity, alpha 0..255 (255 opaque); false when it could not be done.
    virtual bool setWindowAlpha(QWidget* window, int alpha) = 0;
};

// The services in force for this run; the Qt desktop by default.
PlatformServices& platform();
void setPlatform(std::unique_ptr<PlatformServices> services);

// The error message box of the application's top-level handler (default caption, OK).
void showErrorBox(const QString& text);

// Runs a handler body; an error escaping it is shown in the error message box and the event
// loop goes on, so no exception ever crosses Qt's event loop. Returns false when it failed.
bool runGuarded(const std::function<void()>& body);

}  // namespace veltrane
