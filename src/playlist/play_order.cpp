#include "playlist/play_order.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace veltrane {

void applyPlayOrder(std::vector<std::string>& entries, PlayOrder order, RandomGenerator& random) {
    // std::string compares through char_traits<char>, which orders bytes as unsigned values.
    switch (order) {
        case PlayOrder::Name:
            std::sort(entries.begin(), entries.end());
            break;
        case PlayOrder::ReverseName:
            std::sort(entries.begin(), entries.end(), std::greater<>());
            break;
        case PlayOrder::Random:
            for (std::size_t i = 1; i < entries.size(); ++i) {
                const auto r = static_cast<std::size_t>(random.next());
                std::swap(entries[i], entries[r % (i + 1)]);
            }
            break;
    }
}

PlayOrder nextPlayOrder(PlayOrder order) {
    switch (order) {
        case PlayOrder::Name: return PlayOrder::ReverseName;
        case PlayOrder::ReverseName: return PlayOrder::Random;
        case PlayOrder::Random: break;
    }
    return PlayOrder::Name;
}

RepeatMode nextRepeatMode(RepeatMode mode) {
    switch (mode) {
        case RepeatMode::None: return RepeatMode::OneFile;
        case RepeatMode::OneFile: return RepeatMode::AllFiles;
        case RepeatMode::AllFiles: break;
    }
    return RepeatMode::None;
}

std::optional<RepeatMode> repeatModeFromValue(int value) {
    switch (value) {
        case 0: return RepeatMode::None;
        case 1: return RepeatMode::OneFile;
        case 2: return RepeatMode::AllFiles;
        default: return std::nullopt;
    }
}

std::optional<int> nextListIndex(int listIndex, int count) {
    if (count <= 0) return std::nullopt;
    // Written without listIndex + 1, which would overflow at the top of the int range.
    if (listIndex < -1 || listIndex >= count - 1) return 0;
    return listIndex + 1;
}

std::optional<int> previousListIndex(int listIndex, int count) {
    if (count <= 0) return std::nullopt;
    if (listIndex <= 0 || listIndex >= count) return count - 1;
    return listIndex - 1;
}

EndOfMedia endOfMedia(RepeatMode mode, int listIndex, int count) {
    switch (mode) {
        case RepeatMode::None: break;
        case RepeatMode::OneFile: return {EndAction::Restart, listIndex};
        case RepeatMode::AllFiles:
            if (const std::optional<int> next = nextListIndex(listIndex, count)) return {EndAction::PlayEntry, *next};
            break;
    }
    return {EndAction::Pause, listIndex};
}

}  // namespace veltrane
