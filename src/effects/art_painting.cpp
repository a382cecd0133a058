// Kind 6, painting: every inner pixel takes the colour of the fullest bin of the colour histogram
// of its window, brightened. The window's histogram slides along the row: one column leaves, one
// enters, and the pixel just rewritten moves from its old bin to its new one, so the counts always
// describe the window as the planes hold it (rows above already rewritten, this row rewritten up
// to the pixel before). A bit per occupied bin lets the search for the fullest bin visit only the
// few bins in use, in index order.
#include <algorithm>
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
std::uint8_t Brighten(int v) { return static_cast<std::uint8_t>(255.0 * std::pow(v / 255.0, 0.33)); }

// The colour a pixel takes for each bin (the brightened centre of every channel's range) and the
// bin that colour itself falls in.
struct BinColours {
    std::vector<std::array<std::uint8_t, 3>> colour;
    std::vector<int> binOfColour;
};

}  // namespace

void Painting(ColorPlanes& planes, PaintBrush brush, const RowProgress& progress) {
    if (brush.size < 1 || brush.size % 2 == 0) throw std::invalid_argument("painting brush must be odd");
    if (brush.levels != 1 && brush.levels != 2 && brush.levels != 4 && brush.levels != 8)
        throw std::invalid_argument("painting levels must be 1, 2, 4 or 8");
    const int h = planes.height;
    const int w = planes.width;
    const int half = brush.size / 2;
    if (h - 2 * half <= 0 || w - 2 * half <= 0) return;
    const int n = brush.levels;
    const int levelBits = std::countr_zero(static_cast<unsigned>(n));
    const int stepBits = 8 - levelBits;  // the range of one level is 256 / n = 2^stepBits
    const int bins = n * n * n;
    auto binOf = [&](int r, int g, int b) {
        return (((r >> stepBits) << levelBits | g >> stepBits) << levelBits) | b >> stepBits;
    };
    BinColours painted{std::vector<std::array<std::uint8_t, 3>>(static_cast<std::size_t>(bins)),
                       std::vector<int>(static_cast<std::size_t>(bins))};
    for (int bin = 0; bin < bins; ++bin) {
        const int centre = 1 << stepBits >> 1;
        const std::array<std::uint8_t, 3> c{Brighten((bin >> 2 * levelBits << stepBits) + centre),
                                            Brighten(((bin >> levelBits & (n - 1)) << stepBits) + centre),
                                            Brighten(((bin & (n - 1)) << stepBits) + centre)};
        painted.colour[bin] = c;
        painted.binOfColour[bin] = binOf(c[0], c[1], c[2]);
    }
    // The bins of the window's rows, as the planes hold them: a ring of brush.size rows, each row
    // computed when it enters the window and updated as its pixels are rewritten.
    std::vector<std::uint16_t> binRows(static_cast<std::size_t>(brush.size) * static_cast<std::size_t>(w));
    auto binRow = [&](int row) { return binRows.data() + static_cast<std::size_t>(row % brush.size) * w; };
    auto computeBins = [&](int row) {
        std::uint16_t* out = binRow(row);
        for (int x = 0; x < w; ++x)
            out[x] = static_cast<std::uint16_t>(binOf(planes.R[row][x], planes.G[row][x], planes.B[row][x]));
    };
    BinCounts counts(bins);
    std::vector<std::uint16_t*> window(static_cast<std::size_t>(brush.size));  // the window's rows, top first
    for (int row = 0; row < brush.size - 1; ++row) computeBins(row);
    for (int y = half; y < h - half; ++y) {
        computeBins(y + half);
        counts.clear();
        for (int i = 0; i < brush.size; ++i) window[i] = binRow(y - half + i);
        auto addColumn = [&](int x) {
            for (int i = 0; i < brush.size; ++i) counts.add(window[i][x]);
        };
        auto removeColumn = [&](int x) {
            for (int i = 0; i < brush.size; ++i) counts.remove(window[i][x]);
        };
        for (int column = 0; column < brush.size - 1; ++column) addColumn(column);
        std::uint16_t* own = binRow(y);
        for (int x = half; x < w - half; ++x) {
            addColumn(x + half);
            const int bin = counts.fullest();
            planes.R[y][x] = painted.colour[bin][0];
            planes.G[y][x] = painted.colour[bin][1];
            planes.B[y][x] = painted.colour[bin][2];
            counts.remove(own[x]);
            own[x] = static_cast<std::uint16_t>(painted.binOfColour[bin]);
            counts.add(own[x]);
            removeColumn(x - half);
        }
        if (progress) progress(y);
    }
}

}  // namespace veltrane
