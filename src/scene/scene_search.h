#pragma once
// The scene search's arithmetic: sixteen scenes evenly spaced over a video, four to a page. Scene n
// (0 to 15) starts at duration × n div 16; its preview plays 10 seconds from there. Positions and
// durations are 100 ns units (10^7 per second).
#include <cstdint>
#include <optional>
#include <string>

namespace veltrane {

inline constexpr int kSceneCount = 16;
inline constexpr int kScenesPerPage = 4;
inline constexpr int kScenePages = kSceneCount / kScenesPerPage;
// A preview's stop lies this far after its start: 10 seconds.
inline constexpr std::int64_t kScenePreviewLength = 100'000'000;

// Start of scene n: duration × n div 16 in 64-bit integers.
std::int64_t sceneStart(std::int64_t duration, int scene);
// The scene label of scene n: "scene 1" .. "scene 16".
std::string sceneLabel(int scene);
// The time label of scene n: whole seconds s = trunc(n × 0.0625 × duration × 10^-7), computed
// in double left to right, as H:MM:SS ("0:12:30"); media of 10 hours and more read 9:59:59, as
// the controller's time display does.
std::string sceneTimeText(std::int64_t duration, int scene);
// Where a double click on scene n sends the player: trunc(n × 0.0625 × duration), computed in
// double left to right.
std::int64_t sceneJumpPosition(std::int64_t duration, int scene);

// The page after or before `page`; none past either end.
std::optional<int> nextScenePage(int page);
std::optional<int> previousScenePage(int page);

// Showing a page touches one page button only: page 0 disables "Previous Page", page 1
// enables it, page 2 enables "Next Page", page 3 disables it.
enum class PageButton { Previous, Next };
struct PageButtonChange {
    PageButton button;
    bool enabled;
};
PageButtonChange pageButtonChange(int page);

}  // namespace veltrane
