// The controller's side of frame processing: frame grabs by number, opening the window and
// playing on once it closes.
#include <QScreen>

#include "frames/ui/experiment_window.h"
#include "player/ui/display_window.h"
#include "player/ui/movie_controller.h"
#include "player/ui/video_widget.h"

namespace veltrane {

const GrabResult& TMovieController::GrabFrame(qint64 p) {
    grabBuffer_ = engine_->grab(p);
    return grabBuffer_;
}

void TMovieController::ExperimentE1Click() { OpenFrameProcessing(); }

void TMovieController::OpenFrameProcessing() {
    if (!mediaOpen_ || isAudio_ || !engine_->hasVideo()) return;
    if (Experiment) {
        Experiment->raise();
        return;
    }
    auto* window = new TExperiment(host_, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The main window stands hidden while the player runs: the window takes the middle of the
    // controller's screen instead of the main window's centre.
    const QPoint centre = screen()->availableGeometry().center();
    engine_->setTimeFormatFrames(true);
    hide();
    if (Display) Display->video()->hide();
    engine_->pause();
    // The timers would read frame numbers as times, and could run the end-of-file action
    // behind the window.
    StopTimers();
    window->ShowFrame(0);
    window->SetFrameCount(totalFrames_);
    window->SetOuterHeight(TExperiment::kFramesHeight);
    window->move(centre - window->rect().center());
    window->show();
}

void TMovieController::ResumeAfterFrameProcessing() {
    if (!mediaOpen_) return;
    engine_->setTimeFormatFrames(false);
    engine_->setPositions(engine_->position(), StopMode::AtEnd);
    engine_->run();
    show();
    if (Display) Display->video()->show();
    StartTimers();
}

}  // namespace veltrane
