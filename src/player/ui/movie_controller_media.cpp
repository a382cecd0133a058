// Opening, polling and closing the media file, the seek bar, and the end of a file.
#include <QFile>
#include <QFileInfo>

#include "widgets/ui/status_bar.h"
#include "frames/ui/experiment_window.h"
#include "platform/ui/platform_services.h"
#include "player/ui/display_window.h"
#include "player/ui/movie_controller.h"
#include "player/ui/seek_bar_view.h"
#include "widgets/ui/up_down.h"
#include "player/ui/video_widget.h"
#include "playlist/play_list.h"
#include "playlist/ui/file_list_window.h"

namespace veltrane {

namespace {

// A graph that names this filter cannot hand frames over.
constexpr const char* kFrameLockedFilter = "DivX Decoder Filter";

}  // namespace

void TMovieController::OpenMedia(const QString& path, int startFlag) {
    mediaPath_ = path;
    const std::string localPath = QFile::encodeName(path).toStdString();
    SetMediaCommands(openedMediaKind(localPath));
    DrawSeekBar(0);
    mediaFolder_ = QFile::decodeName(std::string(folderOf(localPath)).c_str());

    if (FileList) {
        FileList->SetMediaPath(path);
        if (startFlag == 1)
            FileList->ScanMediaFolder(mediaFolder_);
        else
            FileList->RefreshList();
    }
    show();
    engine_->open(path);
}

// The engine has the file open: show it, its times and sizes, and play it.
void TMovieController::MediaOpened() {
    ShowCodecMessages();
    if (isAudio_) {
        if (Display) Display->hide();
    } else {
        ShowVideo();
    }
    ApplyVolume();

    ReadDuration();
    const QString shortName = QFileInfo(mediaPath_).fileName();
    setWindowTitle(shortName);
    setToolTip(shortName);
    Label2->setText("0:00:00/" + QString::fromStdString(totalText_));

    for (const QString& element : engine_->elementNames())
        if (element.contains(kFrameLockedFilter)) {
            SpeedButton1->setEnabled(false);
            CaptureC1->setEnabled(false);
            ExperimentE1->setEnabled(false);
        }
    if (!isAudio_) {
        totalFrames_ = totalFramesOf(duration_, engine_->secondsPerFrame());
        StatusBar1->setPanelText(1, QString::fromStdString(frameCountText(totalFrames_)));
        StatusBar1->setPanelText(0, QString::fromStdString(videoSizeText(videoWidth_, videoHeight_)));
    } else {
        StatusBar1->setPanelText(0, QString());
    }

    // Every open starts the engine at rate 1: the speed box's rate goes on with the next file.
    const double rate = rateFromPosition(UpDown1->value());
    if (kind_ != MediaKind::SoundFixedRate && rate != engine_->rate()) engine_->setRate(rate);
    ApplyVolume();
    engine_->run();
    mediaOpen_ = true;
    StartTimers();
}

// The engine cannot play the file: say so and stay ready for another.
void TMovieController::MediaFailed() {
    ShowCodecMessages();
    duration_ = usableDuration(0);
    totalText_ = timeText(0);
    totalSeconds_ = 0;
    setWindowTitle("Controller");
    setToolTip(QString());
    Label2->setText("0:00:00/" + QString::fromStdString(totalText_));
    if (Display) Display->hide();
    platform().messageBox(nullptr, "このファイルは再生できません（" + QFileInfo(mediaPath_).fileName() + "）", QString(),
                          MessageButtons::Ok, MessageIcon::Warning);
}

void TMovieController::ShowCodecMessages() {
    const MissingCodec missing = engine_->missingCodec();
    if (missing == MissingCodec::Video || missing == MissingCodec::VideoAndAudio)
        platform().messageBox(nullptr, "このファイルの動画のcodecが見つかりません", QString(), MessageButtons::Ok,
                              MessageIcon::Warning);
    if (missing == MissingCodec::Audio || missing == MissingCodec::VideoAndAudio)
        platform().messageBox(nullptr, "このファイルの音声のcodecが見つかりません", QString(), MessageButtons::Ok,
                              MessageIcon::Warning);
}

// What the kind of the file allows: capture, scene search and frame processing need a video;
// a sound file at a fixed rate has no speed control.
void TMovieController::SetMediaCommands(MediaKind kind) {
    kind_ = kind;
    isAudio_ = kind != MediaKind::Video;
    if (!isAudio_) hadVideo_ = true;
    for (QAction* action : {CaptureC1, SceneCaptureS1, ExperimentE1}) action->setEnabled(!isAudio_);
    SpeedButton1->setEnabled(!isAudio_);
    const bool speed = kind != MediaKind::SoundFixedRate;
    UpDown1->setEnabled(speed);
    Edit4->setEnabled(speed);
}

void TMovieController::ShowVideo() {
    if (!Display) return;
    Display->video()->setEngine(engine_.get());
    Display->setWindowTitle(QFileInfo(mediaPath_).fileName());
    Display->show();
    const QSize size = engine_->nativeSize();
    videoWidth_ = std::max(0, size.width());
    videoHeight_ = std::max(0, size.height());
    // A fixed display keeps its size and the video fills the panel; otherwise the window
    // takes the 100 % size of the video.
    if (!settings_.fixedDisplaySize && videoWidth_ > 0 && videoHeight_ > 0) {
        const OuterSize outer = displayOuterSize(DisplaySize::Full, Display->frameMetrics(), videoWidth_, videoHeight_);
        Display->ResizeOuter(outer.width, outer.height);
    }
}

void TMovieController::ReadDuration() {
    duration_ = usableDuration(engine_->duration());
    totalText_ = timeText(duration_);
    totalSeconds_ = totalSecondsOf(duration_);
}

void TMovieController::ApplyVolume() { engine_->setVolume(volumeFromPosition(TrackBar1->value())); }

void TMovieController::StartTimers() {
    Timer1->start();
    Timer3->start();
}

void TMovieController::StopTimers() {
    Timer1->stop();
    Timer3->stop();
}

void TMovieController::CloseMedia() {
    // The frame-processing window reads this file's frames: it closes first, and the player
    // does not resume behind it.
    if (Experiment) Experiment->CloseWithoutResume(this);
    mediaOpen_ = false;
    StopTimers();
    engine_->stop();
    if (hadVideo_ && Display) Display->video()->setEngine(nullptr);
    engine_->close();
}

void TMovieController::PollPlayback() {
    // A file still opening has no length yet: its position says nothing about its end.
    if (engine_->isOpening()) return;
    const PollResult poll = pollPlayback(engine_->position(), duration_, ab_, totalText_);
    Label2->setText(QString::fromStdString(poll.label));
    if (poll.seekToA) {
        engine_->setPositions(ab_.pointA, StopMode::Unchanged);
        engine_->run();
    }
    if (poll.endReached) EndOfMedia();
}

void TMovieController::EndOfMedia() {
    const RepeatMode mode = FileList ? FileList->repeatMode() : settings_.repeatMode;
    const auto end = endOfMedia(mode, listIndex(), FileList ? FileList->count() : 0);
    switch (end.action) {
    case EndAction::Pause:
        engine_->pause();
        break;
    case EndAction::Restart:
        engine_->pause();
        engine_->setPositions(0, StopMode::Unchanged);
        engine_->run();
        break;
    case EndAction::PlayEntry:
        PlayEntry(end.listIndex);
        break;
    }
}

int TMovieController::listIndex() const { return FileList ? FileList->listIndex() : 0; }

// Closes the playing file and plays entry `row` of the play list.
void TMovieController::PlayEntry(int row) {
    if (!FileList || row < 0 || row >= FileList->count()) return;
    FileList->setListIndex(row);
    const QString entry = QFile::decodeName(FileList->entries()[static_cast<std::size_t>(row)].c_str());
    CloseMedia();
    OpenMedia(entry, 0);
}

void TMovieController::PlayListEntry(int row) { PlayEntry(row); }

// ---- Seek bar ----

void TMovieController::DrawSeekBar(double fraction) {
    Image1->setBar(drawSeekBar(kSeekBarWidth, kSeekBarHeight, fraction, settings_.bar, ab_.markA, ab_.markB));
}

void TMovieController::Timer3Timer() {
    DrawSeekBar(static_cast<double>(engine_->position()) / static_cast<double>(duration_));
}

void TMovieController::Image1MouseDown(int x, int) {
    if (!mediaOpen_) return;
    const double fraction = seekBarFraction(x, kSeekBarWidth);
    DrawSeekBar(fraction);
    engine_->setPositions(seekPosition(duration_, fraction), StopMode::Unchanged);
    PollPlayback();
}

}  // namespace veltrane
