// Opening, dropping, saving and closing pictures, and the document's command sets.
#include <QFile>
#include <QFileInfo>
#include <span>

#include "app/ui/app_windows.h"
#include "app/ui/main_window.h"
#include "app/ui/picture_scroll_box.h"
#include "app/zoom.h"
#include "image/bmp_codec.h"
#include "image/file_kind.h"
#include "image/image_file.h"
#include "image/jpeg_codec.h"
#include "image/ui/histogram_window.h"
#include "player/player_logic.h"
#include "player/ui/movie_controller.h"
#include "uisupport/ui/atomic_write.h"
#include "uisupport/ui/file_drop.h"
#include "uisupport/ui/qt_bitmap.h"
#include "uisupport/ui/qt_text.h"
#include "widgets/ui/picture_view.h"

namespace veltrane {

namespace {

// Pictures and media together, pictures alone, then the player's own video and music entries.
const QList<FileFilter>& openFilters() {
    static const QList<FileFilter> filters = [] {
        QList<FileFilter> list{
            {"サポートしているファイル",
             "*.bmp;*.jpg;*.BMP;*.JPG;*.avi;*.mpeg;*.mpg;*.wmv;*.mp3;*.wav;*.wma;*.asf;*.aif;*.mid;*.snd;*.au;*.AVI;*."
             "MPEG;*.MPG;*.WMV;*.MP3;*.WAV;*.WMA;*.ASF;*.AIF;*.MID;*.SND;*.AU"},
            {"画像ファイル(*.bmp;*.jpg)", "*.bmp;*.jpg;*.BMP;*.JPG"}};
        list += fileFilters(std::span(kMediaOpenFilters).subspan(1));
        return list;
    }();
    return filters;
}

const QList<FileFilter>& saveFilters() {
    static const QList<FileFilter> filters{{"ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)", "*.bmp"}, {"ｼﾞｪｲﾍﾟｸﾞ(*.jpg)", "*.jpg"}};
    return filters;
}

constexpr int kSaveJpegQuality = 90;

}  // namespace

void TMain::OPEN1Click() {
    const auto answer = platform().openFile(this, openFilters(), 1);
    if (!answer) return;
    OpenDocumentFile(answer->path, OpenSource::Dialog);
}

void TMain::OpenFile(const QString& path) {
    runGuarded([&] { OpenDocumentFile(path, OpenSource::Dialog); });
}

void TMain::FilesDropped(const QStringList& paths) {
    if (paths.isEmpty()) return;
    if (paths.size() > 1) {
        platform().messageBox(nullptr, "複数のファイルを同時に開けません", QString(), MessageButtons::Ok,
                              MessageIcon::Warning);
        return;
    }
    OpenDocumentFile(paths.first(), OpenSource::Drop);
}

void TMain::dragEnterEvent(QDragEnterEvent* event) { acceptFileDrag(event); }

void TMain::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedLocalFiles(event);
    runGuarded([&] { FilesDropped(paths); });
}

void TMain::OpenDocumentFile(const QString& path, OpenSource source) {
    const std::string localPath = QFile::encodeName(path).toStdString();
    const FileKind kind = classifyFile(localPath);
    if (kind == FileKind::Media) {
        OpenMediaFile(path);
        return;
    }
    if (kind == FileKind::None) {
        platform().messageBox(nullptr, "開けない形式のファイルです", QString(), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    // Decode first: a file that fails leaves the document exactly as it was.
    DecodedImage decoded = loadImageFile(localPath, kind);
    AdoptPicture(std::move(decoded.bitmap), localPath);
    setWindowTitle(QString::fromStdString(imageCaption(ShortFileName().toStdString(), doc_.width(), doc_.height())));
    const int bpp = decoded.bitsPerPixel;
    if (source == OpenSource::Dialog || bpp == 24 || bpp == 16 || bpp == 8) {
        EnableImageCommands();
        EnableFolderCommands();
    } else {
        DisableImageCommands();
        DisableFolderCommands();
    }
    ApplyDisplayMode();
    ScanFolder();
}

void TMain::AdoptPicture(Bitmap24 picture, std::optional<std::string> fileName) {
    const int width = picture.width(), height = picture.height();
    Bitmap24 previous;
    try {
        previous = doc_.adopt(std::move(picture), std::move(fileName));
    } catch (const std::bad_alloc&) {
        throw std::runtime_error("メモリが足りないため画像を読み込めません（幅 " + std::to_string(width) + " × 高さ " +
                                 std::to_string(height) + "）。表示中の画像はそのままです");
    }
    // The view takes the new picture before the old bitmap's memory goes.
    ShowWorkingBitmap();
}

bool TMain::ReplaceImage(Bitmap24 picture, const QString& caption) {
    const bool replaced = runGuarded([&] { AdoptPicture(std::move(picture), std::nullopt); });
    if (replaced) setWindowTitle(caption);
    return replaced;
}

void TMain::OpenMediaFile(const QString& path) {
    // The player takes over the screen while it plays; closing it shows this window again.
    hide();
    if (Histogram) Histogram->hide();
    if (MovieController) {
        MovieController->CloseMedia();
    } else {
        MovieController = new TMovieController(*this);
    }
    MovieController->OpenMedia(path, 1);
}

void TMain::ShowWorkingBitmap() {
    const Bitmap24& bmp = doc_.bitmap;
    if (bmp.empty()) {
        Image1->clearPicture();
        return;
    }
    Image1->setPicture(imageOver(bmp));
}

void TMain::RefreshFromPlanes() {
    if (!doc_.imageLoaded) return;
    doc_.refreshFromPlanes();
    ShowWorkingBitmap();
}

void TMain::ShowOriginal() {
    if (!doc_.imageLoaded) return;
    doc_.showOriginal();
    ShowWorkingBitmap();
}

void TMain::G1Click() { ShowOriginal(); }

void TMain::Image1DblClick() { ShowOriginal(); }

void TMain::saveas1Click() {
    if (!doc_.imageLoaded) return;
    const auto answer = platform().saveFile(this, saveFilters(), 1);
    if (!answer) return;
    const bool asJpeg = answer->filterIndex == 2;
    // The extension is always appended to the name as typed.
    const QString path = answer->path + (asJpeg ? ".jpg" : ".bmp");
    if (QFileInfo::exists(path) &&
        platform().messageBox(this, path + " は既に存在します。上書きしますか？", "確認", MessageButtons::YesNo,
                              MessageIcon::Question) != MessageResult::Yes)
        return;
    const std::vector<std::uint8_t> bytes = asJpeg ? encodeJpeg(doc_.bitmap, kSaveJpegQuality) : encodeBmp24(doc_.bitmap);
    writeFileOrReport(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                      "ファイルを保存できませんでした");
}

void TMain::CLOSE1Click() {
    if (!doc_.imageLoaded) return;
    Image1->clearPicture();
    setWindowTitle(QString());
    doc_.freePlanes();
    folderPosition_ = 0;
    doc_.imageLoaded = false;
    DisableImageCommands();
    DisableFolderCommands();
}

void TMain::ReceiveFrame(Bitmap24 frame) {
    if (frame.empty()) return;
    const QString caption = QString::fromStdString("Captured Image" + imageCaption("", frame.width(), frame.height()));
    if (!ReplaceImage(std::move(frame), caption)) return;
    ApplyDisplayMode();
    EnableImageCommands();
    DisableFolderCommands();
    show();
}

QString TMain::ShortFileName() const { return QFileInfo(QFile::decodeName(doc_.fileName.c_str())).fileName(); }

void TMain::SetImageCommandsEnabled(bool on) {
    for (QToolButton* button : {ToolButton14, ToolButton2, ToolButton5, ToolButton6, ToolButton1, ToolButton7, ToolButton12,
                                ToolButton10, ToolButton13, ToolButton11, ToolButton3})
        button->setEnabled(on);
    for (QAction* item : {G1, saveas1, CLOSE1, CopyC1, wallpaper, property, Joint, Marge}) item->setEnabled(on);
    for (QMenu* menu : {ImageProcessM1, BinaryProcessB1}) {
        menu->setEnabled(on);
        menu->menuAction()->setEnabled(on);
    }
    ScrollBox1->setPopupMenu(on ? PopupImageMenu : PopupOpenMenu);
}

void TMain::EnableImageCommands() { SetImageCommandsEnabled(true); }
void TMain::DisableImageCommands() { SetImageCommandsEnabled(false); }

void TMain::EnableFolderCommands() {
    for (QAction* item : {NextFileN1, PreviousFileP1, FisrtFileF1, LastFileL1}) item->setEnabled(true);
    ToolButton8->setEnabled(true);
    ToolButton9->setEnabled(true);
}

void TMain::DisableFolderCommands() {
    for (QAction* item : {NextFileN1, PreviousFileP1, FisrtFileF1, LastFileL1}) item->setEnabled(false);
    ToolButton8->setEnabled(false);
    ToolButton9->setEnabled(false);
}

}  // namespace veltrane
