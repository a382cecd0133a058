#pragma once
// Copies of original rows, widened by a border on each side, for the windowed passes (the art
// effects, the custom filter) that rewrite the planes row by row while their window still needs
// the rows as they were. A ring of slots keyed by row index keeps the last few rows; callers keep
// every row before overwriting it.
#include <cstdint>
#include <vector>

namespace veltrane {

// Where a border index outside 0..n − 1 reads from.
// Reflection with the edge repeated: −1, −2 ← 0, 1 and n, n + 1 ← n − 1, n − 2, clamped into
// 0..n − 1 for pictures too small to reflect.
int ReflectIndex(int i, int n);
// The edge repeated: every index below 0 reads 0, every index from n up reads n − 1.
int RepeatIndex(int i, int n);

class PaddedRows {
public:
    using BorderRule = int (*)(int i, int n);
    // Rows of `width` values with `margin` border columns on each side, `slots` rows kept.
    PaddedRows(int width, int margin, int slots, BorderRule rule);

    // Stores `values` (width bytes) as row `row`, filling the border by the rule.
    void keep(int row, const std::uint8_t* values);
    // The stored row `row`; element margin + x is column x, for −margin ≤ x < width + margin.
    const std::uint8_t* at(int row) const { return data_.data() + slotOffset(row); }

private:
    std::size_t slotOffset(int row) const {
        return static_cast<std::size_t>(row % slots_) * static_cast<std::size_t>(stride_);
    }

    int width_, margin_, slots_, stride_;
    BorderRule rule_;
    std::vector<std::uint8_t> data_;
};

}  // namespace veltrane
