// Kind 6, painting: every inner pixel takes the colour of the fullest bin of the colour histogram
// of its window, brightened. The window's histogram slides along the row: one column leaves, one
// enters, and the pixel just rewritten moves from its old bin to its new one, so the counts always
// describe the window as the planes hold it (rows above already rewritten, this row rewritten up
// to the pixel before). A bit per occupied bin lets the search for the fullest bin visit only the
// few bins in use, in index order.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "effects/art_effects.h"

namespace veltrane {
namespace {

class BinCounts {
public:
    explicit BinCounts(int bins) : counts_(static_cast<std::size_t>(bins)), occupied_((bins + 63) / 64) {}

    void add(int bin) {
        if (counts_[bin]++ == 0) occupied_[bin >> 6] |= std::uint64_t{1} << (bin & 63);
    }
    void remove(int bin) {
        if (--counts_[bin] == 0) occupied_[bin >> 6] &= ~(std::uint64_t{1} << (bin & 63));
    }
    void clear() {
        std::fill(counts_.begin(), counts_.end(), 0);
        std::fill(occupied_.begin(), occupied_.end(), 0);
    }
    // The bin with the largest count; on a tie the lowest index, the first met in index order.
    int fullest() const {
        int best = 0;
        int bestCount = 0;
        for (std::size_t word = 0; word < occupied_.size(); ++word)
            for (std::uint64_t bits = occupied_[word]; bits != 0; bits &= bits - 1) {
                const int bin = static_cast<int>(word * 64) + std::countr_zero(bits);
                if (counts_[bin] > bestCount) {
                    bestCount = counts_[bin];
                    best = bin;
                }
            }
        return best;
    }

private:
    std::vector<int> counts_;
    std::vector<std::uint64_t> occupied_;
};

// trunc(255 × (v / 255)^0.33) in double.
std::array<std::uint8_t, 256> BrightenTable() {
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(255.0 * std::pow(v / 255.0, 0.33));
    return table;
}

}  // namespace

void Painting(ColorPlanes& planes, PaintBrush brush, const RowProgress& progress) {
    if (brush.size < 1 || brush.size % 2 == 0) throw std::invalid_argument("painting brush must be odd");
    if (brush.levels != 1 && brush.levels != 2 && brush.levels != 4 && brush.levels != 8)
        throw std::invalid_argument("painting levels must be 1, 2, 4 or 8");
    const int h = planes.height;
    const int w = planes.width;
    const int half = brush.size / 2;
    const int n = brush.levels;
    const int step = 256 / n;
    static const std::array<std::uint8_t, 256> brighten = BrightenTable();
    BinCounts counts(n * n * n);
    auto binAt = [&](int y, int x) {
        return (planes.R[y][x] / step * n + planes.G[y][x] / step) * n + planes.B[y][x] / step;
    };
    auto addColumn = [&](int y, int x) {
        for (int row = y - half; row <= y + half; ++row) counts.add(binAt(row, x));
    };
    auto removeColumn = [&](int y, int x) {
        for (int row = y - half; row <= y + half; ++row) counts.remove(binAt(row, x));
    };
    for (int y = half; y < h - half; ++y) {
        counts.clear();
        for (int x = half; x < w - half; ++x) {
            if (x == half) {
                for (int column = 0; column < brush.size; ++column) addColumn(y, column);
            } else {
                removeColumn(y, x - half - 1);
                addColumn(y, x + half);
            }
            const int bin = counts.fullest();
            const int old = binAt(y, x);
            planes.R[y][x] = brighten[bin / (n * n) * step + step / 2];
            planes.G[y][x] = brighten[bin / n % n * step + step / 2];
            planes.B[y][x] = brighten[bin % n * step + step / 2];
            counts.remove(old);
            counts.add(binAt(y, x));
        }
        if (progress) progress(y);
    }
}

}  // namespace veltrane
