// The commands that join the picture to the desktop: capture, clipboard, wallpaper,
// transparency, the file's properties and the viewer window.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "app/ui/main_window.h"
#include "app/ui/thumbnail_window.h"
#include "app/zoom.h"
#include "common/busy_gate.h"
#include "image/bmp_codec.h"
#include "platform/desktop_environment.h"
#include "uisupport/ui/atomic_write.h"
#include "uisupport/ui/qt_bitmap.h"
#include "uisupport/ui/user_input_block.h"

namespace veltrane {

// What a capture holds while the desktop settles: the script waits, user input is dropped.
struct TMain::CaptureWait {
    BusyGate::Hold gate;
    UserInputBlock input;
    QRect geometry;
    QSize minimum, maximum;
};

namespace {

constexpr int kCaptureDelayMs = 500;
constexpr int kTransparencyMuch = 70;
constexpr int kTransparencyLittle = 85;
constexpr int kTransparencyNone = 100;

QString captionOf(const char* name, int width, int height) {
    return QString::fromStdString(imageCaption(name, width, height));
}

QString wallpaperPath() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QString folder = QFile::decodeName(
        wallpaperFolder(dataHome.isEmpty() ? nullptr : dataHome.constData(), QFile::encodeName(QDir::homePath()).constData())
            .c_str());
    // A folder that cannot be made shows up as the write's failure.
    QDir().mkpath(folder);
    return folder + "/Veltrane_Wallpaper.bmp";
}

}  // namespace

void TMain::DeskTopCaptureD1Click() {
    if (captureWait_) return;  // one capture at a time
    auto wait = std::make_shared<CaptureWait>();
    wait->geometry = geometry();
    wait->minimum = minimumSize();
    wait->maximum = maximumSize();
    const WindowMetrics metrics = platform().metrics();
    move(0, 0);
    ResizeOuter(metrics.fullScreenClientWidth, metrics.maximizedHeight);
    hide();
    captureWait_ = std::move(wait);
    QTimer::singleShot(kCaptureDelayMs, this, [this] {
        runGuarded([this] { FinishCapture(); });
        captureWait_.reset();
    });
}

void TMain::FinishCapture() {
    const QImage screen = platform().grabScreen();
    show();
    // The picture is complete before anything of the document is released.
    Bitmap24 picture;
    if (!screen.isNull() && isAllocatable(screen.width(), screen.height())) picture = bitmapFromImage(screen);
    const QString caption = captionOf("Captured Image on Desktop", picture.width(), picture.height());
    if (picture.empty()) {
        RestoreCaptureGeometry();
        platform().messageBox(nullptr, "デスクトップを取り込めませんでした", QString(), MessageButtons::Ok,
                              MessageIcon::Warning);
        return;
    }
    if (!ReplaceImage(std::move(picture), caption)) {
        RestoreCaptureGeometry();
        return;
    }
    SetCounterText("0/0");
    folderCount_ = 0;
    DetachFromFolder();
}

void TMain::RestoreCaptureGeometry() {
    setMinimumSize(captureWait_->minimum);
    setMaximumSize(captureWait_->maximum);
    setGeometry(captureWait_->geometry);
}

void TMain::CopyC1Click() {
    if (!doc_.imageLoaded) return;
    // A copy of its own: the view's picture shares the bitmap, which the next arrival frees.
    platform().setClipboardImage(imageCopyOf(doc_.bitmap));
}

void TMain::PasteP1Click() {
    // Asked here too: the key reaches this handler whatever the menu last showed.
    if (!platform().clipboardHasImage()) return;
    const QImage image = platform().clipboardImage();
    if (image.isNull()) return;
    if (!isAllocatable(image.width(), image.height())) {
        platform().messageBox(nullptr,
                              QString("クリップボードの画像が大きすぎて貼り付けられません（幅 %1 × 高さ %2）")
                                  .arg(image.width())
                                  .arg(image.height()),
                              QString(), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    const QString caption = captionOf("ClipBoard", image.width(), image.height());
    if (!ReplaceImage(bitmapFromImage(image), caption)) return;
    // The counter text and the folder position are kept; only the field shows 0/0.
    Edit1->setText("0/0");
    EnableImageCommands();
    DisableFolderCommands();
    ApplyDisplayMode();
}

void TMain::wallpaperClick() {
    if (!doc_.imageLoaded) return;
    const QString path = wallpaperPath();
    const std::vector<std::uint8_t> bytes = encodeBmp24(doc_.bitmap);
    if (!writeFileOrReport(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                           "壁紙ファイルを保存できませんでした"))
        return;
    const WallpaperResult result = platform().setWallpaper(path);
    switch (result.status) {
    case WallpaperResult::Status::Set: break;
    case WallpaperResult::Status::UnknownDesktop:
        platform().messageBox(nullptr, "この環境では壁紙を設定できません", QString(), MessageButtons::Ok,
                              MessageIcon::Warning);
        break;
    case WallpaperResult::Status::Failed:
        platform().messageBox(nullptr, "壁紙を設定できませんでした（" + result.reason + "）", QString(),
                              MessageButtons::Ok, MessageIcon::Warning);
        break;
    }
}

void TMain::transmitmuchClick() { ChooseTransparency(transmitmuch, kTransparencyMuch); }
void TMain::transmitlittleClick() { ChooseTransparency(transmitlittle, kTransparencyLittle); }
void TMain::transmitnoClick() { ChooseTransparency(transmitno, kTransparencyNone); }

void TMain::ChooseTransparency(QAction* chosen, int level) {
    // All three set explicitly: a checkable item has already toggled itself.
    for (QAction* item : {transmitmuch, transmitlittle, transmitno}) item->setChecked(item == chosen);
    SetTransparency(level);
}

void TMain::SetTransparency(int level) {
    if (!platform().setWindowAlpha(this, level * 255 / 100))
        platform().messageBox(nullptr, "設定ができませんでした。", QString(), MessageButtons::Ok, MessageIcon::None);
}

void TMain::propertyClick() {
    if (!doc_.imageLoaded || doc_.fileName.empty()) return;
    const QString path = QFile::decodeName(doc_.fileName.c_str());
    if (!QFileInfo::exists(path)) return;
    platform().showFileProperties(this, path);
}

void TMain::thumbClick() { (new TThumbnail)->showAtStartSize(); }

}  // namespace veltrane
