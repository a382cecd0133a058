#pragma once
// The effects dialog's catalogue: five categories, the names of their items by effect code
// (category × 20 + position in the list), and the option group each code shows.
#include <array>
#include <optional>
#include <string_view>

namespace veltrane {

inline constexpr int kEffectCategories = 5;
inline constexpr int kEffectCodeSlots = 100;

// "カラー", "フィルター", "マスク", "ディザ", "ETC".
std::string_view effectCategoryName(int category);
// How many items category 0..4 lists: 17, 10, 11, 6, 11; 0 for any other number.
int effectItemCount(int category);
// The name of the item with this code; empty for a slot no category lists.
std::string_view effectItemName(int code);
// category × 20 + position when the position is within the category's list; nullopt otherwise.
std::optional<int> effectCode(int category, int position);

// What the option group shows for a code: the caption, the six buttons' captions, and whether
// buttons 3 to 6 show (buttons 1 and 2 always do).
struct EffectOptions {
    std::string_view caption;
    std::array<std::string_view, 6> buttons;
    bool sixButtons = false;
};
// The options of a code that shows them (20, 21, 22, 23, 29, 81, 82, 83, 84, 85, 90); nullopt
// for every other code, which hides the group.
std::optional<EffectOptions> effectOptions(int code);

}  // namespace veltrane
