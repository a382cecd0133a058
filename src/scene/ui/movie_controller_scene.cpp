// The controller's scene-search command and the jump it serves. They live beside the scene
// window, which itself uses the player's engine and controller, so that the player's folder
// never needs the scene folder.
#include "player/ui/movie_controller.h"
#include "scene/ui/scene_cap.h"

namespace veltrane {

void TMovieController::SceneCaptureS1Click() {
    if (!hadVideo_ || !mediaOpen_) return;
    if (SceneCap) SceneCap->close();
    SceneCap = new TSceneCap(*this);
    SceneCap->StartSceneSearch();
    SceneCap->show();
}

void TMovieController::PlayFromPosition(qint64 position) {
    if (!mediaOpen_) return;
    engine_->stop();
    engine_->setPositions(position, duration_);
    engine_->run();
    StartTimers();
}

}  // namespace veltrane
