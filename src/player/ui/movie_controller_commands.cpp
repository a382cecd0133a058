// The controller's commands: play and stop, A-B repeat, volume, balance and speed, capture,
// next and previous file, open and drop, the fold-out panel, the play list and the version box.
#include <QFile>

#include "uisupport/ui/document_host.h"
#include "uisupport/ui/qt_text.h"
#include "platform/ui/platform_services.h"
#include "widgets/ui/about_box.h"
#include "player/ui/display_window.h"
#include "player/ui/movie_controller.h"
#include "widgets/ui/up_down.h"
#include "playlist/play_order.h"
#include "playlist/ui/file_list_window.h"

namespace veltrane {

namespace {

// The outer width with the settings panel shown.
constexpr int kExpandedWidth = 254;


}  // namespace

// ---- Play and stop ----

void TMovieController::SpeedButtonPlayClick() {
    // At the very end a press plays the file again from its start.
    if (engine_->position() == duration_) {
        engine_->pause();
        engine_->setPositions(0, StopMode::Unchanged);
    }
    engine_->run();
    StartTimers();
}

void TMovieController::SpeedButtonPauseClick() {
    if (!mediaOpen_) return;
    engine_->stop();
    StopTimers();
}

// ---- A-B repeat ----

void TMovieController::SpeedButton2Click() {
    const bool settingB = ab_.aSet && !ab_.bSet;
    const AbButton button = clickAbRepeat(ab_, engine_->position(), duration_, kSeekBarWidth);
    SpeedButton2->setText(fromStd(button.caption));
    SpeedButton2->setToolTip(fromStd(button.hint));
    // The marks show at once, not only at the next repaint of the bar.
    DrawSeekBar(static_cast<double>(engine_->position()) / static_cast<double>(duration_));
    if (settingB) {
        engine_->setPositions(ab_.pointA, StopMode::Unchanged);
        engine_->run();
        StartTimers();
    }
}

// ---- Volume, balance, speed ----

void TMovieController::TrackBar1Change() {
    if (mediaOpen_) ApplyVolume();
}

void TMovieController::TrackBar2Change() { engine_->setBalance(balanceFromPosition(TrackBar2->value())); }

// One click of either arrow of the up-down: a click beyond either end leaves the position where
// it is and applies the same rate again; every click ends in running.
void TMovieController::UpDown1Click() {
    engine_->pause();
    const double rate = rateFromPosition(UpDown1->value());
    engine_->setRate(rate);
    Edit4->setText(QString::fromStdString(rateText(rate)));
    engine_->run();
    StartTimers();
}

void TMovieController::playrateinitClick() {
    engine_->pause();
    engine_->setRate(1.0);
    UpDown1->setValue(kSpeedStart);
    Edit4->setText(QString::fromStdString(rateText(1.0)));
    engine_->run();
    StartTimers();
}

// ---- Capture ----

void TMovieController::SpeedButton1Click() { CaptureFrame(); }
void TMovieController::CaptureC1Click() { CaptureFrame(); }

// Hands the frame at the current position to the main window and closes the player. Nothing
// happens for a file without decodable video, and nothing is handed over when no frame came.
void TMovieController::CaptureFrame() {
    if (!mediaOpen_ || isAudio_ || !engine_->hasVideo()) return;
    const bool wasRunning = engine_->isRunning();
    engine_->pause();
    engine_->setTimeFormatFrames(false);
    GrabResult grab = engine_->grab(engine_->position());
    if (!grab.hasFrame()) {
        if (wasRunning) engine_->run();
        return;
    }
    HandOverFrame(std::move(grab.frame));
}

// The frame becomes the main window's picture; the player closes without writing its settings.
void TMovieController::HandOverFrame(Bitmap24 frame) {
    handedOver_ = true;
    host_.ReceiveFrame(std::move(frame));
    CloseMedia();
    close();
}

// ---- Moving through the play list ----

void TMovieController::NextFileClick() {
    if (!FileList) return;
    if (const std::optional<int> next = nextListIndex(listIndex(), FileList->count())) PlayEntry(*next);
}

void TMovieController::PreviousFileClick() {
    if (!FileList) return;
    if (const std::optional<int> previous = previousListIndex(listIndex(), FileList->count())) PlayEntry(*previous);
}

// ---- Open and drop ----

void TMovieController::openo1Click() {
    // No extension check: whatever the dialog returns is played.
    const auto answer = platform().openFile(this, fileFilters(kMediaOpenFilters), 1);
    if (!answer) return;
    mediaPath_ = answer->path;
    CloseMedia();
    OpenMedia(mediaPath_, 1);
}

void TMovieController::SpeedButton4Click() { openo1Click(); }

void TMovieController::FilesDropped(const QStringList& paths) {
    std::vector<std::string> localPaths;
    for (const QString& path : paths) localPaths.push_back(QFile::encodeName(path).toStdString());
    switch (dropAction(localPaths)) {
    case DropAction::None:
        break;
    case DropAction::TooManyFiles:
        platform().messageBox(nullptr, fromStd(kDropTooManyText), fromStd(kDropTooManyCaption), MessageButtons::Ok,
                              MessageIcon::Warning);
        break;
    case DropAction::Open:
        OpenDroppedFile(paths.first());
        break;
    case DropAction::Unsupported:
        platform().messageBox(nullptr, fromStd(kDropUnsupportedText), QString(), MessageButtons::Ok, MessageIcon::Warning);
        break;
    }
}

void TMovieController::OpenDroppedFile(const QString& path) {
    CloseMedia();
    mediaPath_ = path;
    OpenMedia(path, 1);
}

// ---- Windows and panels ----

void TMovieController::SpeedButton8Click() {
    expanded_ = !expanded_;
    // Folded, the window takes back the client size it was created with.
    if (expanded_)
        ResizeOuter(kExpandedWidth, frameGeometry().height());
    else
        setFixedSize(kClientWidth, kClientHeight);
    SpeedButton8->setToolTip(expanded_ ? "もとの状態に戻ります" : "その他の設定を表示します");
}

void TMovieController::FileListF1Click() {
    if (!FileList) return;
    if (FileList->isVisible()) {
        FileList->hide();
        FileListF1->setChecked(false);
        return;
    }
    // Directly below the controller, as wide as it. Until the list has been shown its frame
    // is not known: the controller's frame stands in for it.
    const QRect outer = frameGeometry();
    const int listFrame = FileList->frameGeometry().width() - FileList->width();
    const int frameWidth = listFrame > 0 ? listFrame : outer.width() - width();
    FileList->resize(std::max(1, outer.width() - frameWidth), FileList->height());
    FileList->move(outer.left(), outer.top() + outer.height());
    FileList->show();
    FileListF1->setChecked(true);
}

void TMovieController::SpeedButton9Click() { FileListF1Click(); }

void TMovieController::FileF1Click() {
    for (QMenu* menu : {DisplaySize1, aspect_ratio}) menu->menuAction()->setEnabled(!isAudio_);
}

void TMovieController::versionV1Click() { ShowAboutBox(this); }

// ---- Commands of windows still to come: their items are in place and change nothing ----

void TMovieController::SceneCaptureS1Click() {}

}  // namespace veltrane
