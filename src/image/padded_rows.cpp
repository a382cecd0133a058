#include "image/padded_rows.h"

#include <algorithm>
#include <cstring>

namespace veltrane {

int ReflectIndex(int i, int n) {
    if (i < 0) i = -i - 1;
    else if (i >= n) i = 2 * n - 1 - i;
    return std::clamp(i, 0, n - 1);
}

int RepeatIndex(int i, int n) { return std::clamp(i, 0, n - 1); }

PaddedRows::PaddedRows(int width, int margin, int slots, BorderRule rule)
    : width_(width), margin_(margin), slots_(slots), stride_(width + 2 * margin), rule_(rule),
      data_(static_cast<std::size_t>(slots) * static_cast<std::size_t>(width + 2 * margin)) {}

void PaddedRows::keep(int row, const std::uint8_t* values) {
    std::uint8_t* slot = data_.data() + slotOffset(row);
    std::memcpy(slot + margin_, values, static_cast<std::size_t>(width_));
    for (int k = 1; k <= margin_; ++k) {
        slot[margin_ - k] = values[rule_(-k, width_)];
        slot[margin_ + width_ - 1 + k] = values[rule_(width_ - 1 + k, width_)];
    }
}

}  // namespace veltrane
