#pragma once
// Which file plays when: the order of the play list's entries, the next and previous
// entry, and what the repeat mode does when the playing file reaches its end.
#include <optional>
#include <string>
#include <vector>

#include "common/random_generator.h"

namespace veltrane {

enum class PlayOrder { Name, ReverseName, Random };
// The values are those stored under REPEAT/MODE.
enum class RepeatMode { None = 0, OneFile = 1, AllFiles = 2 };

// Reorders the entries. Name: ascending by byte (upper case before lower case, a prefix
// first); reverse name: descending; random: for i = 1 .. count - 1 draws r from the
// generator and exchanges entries i and r mod (i + 1), so count - 1 numbers are drawn.
void applyPlayOrder(std::vector<std::string>& entries, PlayOrder order, RandomGenerator& random);

// The cycles of the tool buttons (and of the controller's order items):
// name -> reverse name -> random -> name; none -> one file -> all files -> none.
PlayOrder nextPlayOrder(PlayOrder order);
RepeatMode nextRepeatMode(RepeatMode mode);
// A stored MODE value: 0, 1 or 2; anything else is nullopt (the start state stays).
std::optional<RepeatMode> repeatModeFromValue(int value);

// Next and previous file. nullopt on an empty list (nothing happens). Next gives 0 when
// listIndex + 1 >= count (or listIndex is below -1); previous gives count - 1 when
// listIndex <= 0 or listIndex >= count.
std::optional<int> nextListIndex(int listIndex, int count);
std::optional<int> previousListIndex(int listIndex, int count);

// What happens when the playing file reaches its end.
enum class EndAction {
    Pause,      // pause; the position stays at the end
    Restart,    // pause, seek to 0 with the stop position unchanged, run
    PlayEntry,  // close, open entry `listIndex` of the play list, run, start the timers
};
struct EndOfMedia {
    EndAction action;
    int listIndex;  // the entry to play (PlayEntry); otherwise the given index
};
// With an empty list "all files" acts as none.
EndOfMedia endOfMedia(RepeatMode mode, int listIndex, int count);

}  // namespace veltrane
