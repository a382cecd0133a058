#include "scene/scene_search.h"

#include "player/media_units.h"
#include "player/player_logic.h"

namespace veltrane {

std::int64_t sceneStart(std::int64_t duration, int scene) { return duration * scene / kSceneCount; }

std::string sceneLabel(int scene) { return "scene " + std::to_string(scene + 1); }

std::string sceneTimeText(std::int64_t duration, int scene) {
    const double seconds = scene * 0.0625 * static_cast<double>(duration) * 1e-7;
    // The controller's time text of the whole seconds, in its units.
    return timeText(static_cast<std::int64_t>(seconds) * kUnitsPerSecond);
}

std::int64_t sceneJumpPosition(std::int64_t duration, int scene) {
    return static_cast<std::int64_t>(scene * 0.0625 * static_cast<double>(duration));
}

std::optional<int> nextScenePage(int page) {
    if (page < 0 || page >= kScenePages - 1) return std::nullopt;
    return page + 1;
}

std::optional<int> previousScenePage(int page) {
    if (page <= 0 || page >= kScenePages) return std::nullopt;
    return page - 1;
}

PageButtonChange pageButtonChange(int page) {
    switch (page) {
    case 0:
        return {PageButton::Previous, false};
    case 1:
        return {PageButton::Previous, true};
    case 2:
        return {PageButton::Next, true};
    default:
        return {PageButton::Next, false};
    }
}

}  // namespace veltrane
