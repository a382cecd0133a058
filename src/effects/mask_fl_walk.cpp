#include "effects/mask_fl_walk.h"

#include <algorithm>

#include "effects/mask_patterns.h"
#include "image/pixel_buffer.h"

namespace veltrane {

namespace {

constexpr int kCell = 8;

// Narrows [lo, hi) to the k for which start + step × k lies in 0 .. limit − 1 (step −1, 0 or 1).
void keepInside(std::int64_t start, int step, std::int64_t limit, std::int64_t& lo, std::int64_t& hi) {
    if (step == 0) {
        if (start < 0 || start >= limit) hi = lo;
    } else if (step > 0) {
        lo = std::max(lo, -start);
        hi = std::min(hi, limit - start);
    } else {
        lo = std::max(lo, start - limit + 1);
        hi = std::min(hi, start + 1);
    }
}

class WalkRecorder {
public:
    WalkRecorder(int h8, int w8) : h8_(h8), w8_(w8), total_(std::int64_t{h8} * w8) {}

    // One step of count writes from (row, column); n advances by count whatever is kept.
    void step(int row, int column, int rowStep, int columnStep, int count) {
        std::int64_t lo = 0, hi = count;
        keepInside(row, rowStep, h8_, lo, hi);
        keepInside(column, columnStep, w8_, lo, hi);
        hi = std::min(hi, total_ - n_);
        if (lo < hi)
            runs_.push_back({n_ + lo, static_cast<int>(row + lo * rowStep), static_cast<int>(column + lo * columnStep),
                             rowStep, columnStep, hi - lo});
        n_ += count;
    }
    std::vector<FlRun> take() { return std::move(runs_); }

private:
    int h8_, w8_;
    std::int64_t total_;
    std::int64_t n_ = 0;
    std::vector<FlRun> runs_;
};

// Writes the runs into one channel from its own first values in row order.
void walkChannel(Plane& channel, int w8, const std::vector<FlRun>& runs, std::uint8_t* sequence,
                 std::int64_t length) {
    for (std::int64_t copied = 0, y = 0; copied < length; copied += w8, ++y)
        std::copy_n(channel[static_cast<int>(y)], std::min<std::int64_t>(w8, length - copied), sequence + copied);
    for (const FlRun& run : runs) {
        const std::uint8_t* from = sequence + run.n;
        if (run.rowStep == 0) {
            std::uint8_t* row = channel[run.row];
            if (run.columnStep > 0) std::copy_n(from, run.count, row + run.column);
            else
                for (std::int64_t k = 0; k < run.count; ++k) row[run.column - k] = from[k];
        } else {
            for (std::int64_t k = 0; k < run.count; ++k)
                channel[static_cast<int>(run.row + k * run.rowStep)][run.column] = from[k];
        }
    }
}

}  // namespace

std::vector<FlRun> FlWalkRuns(int h8, int w8) {
    if (h8 <= 0 || w8 <= 0) return {};
    WalkRecorder walk(h8, w8);
    int top = 0, left = 0, bottom = h8, right = w8;
    do {
        const int down = std::max(0, bottom - top);
        walk.step(top, left, 1, 0, down);
        const int r = top + down - 1;
        const int across = std::max(0, right - left);
        walk.step(r, left, 0, 1, across);
        const int j = left + across;
        const int up = std::max(0, r - top);
        walk.step(r, j - 1, -1, 0, up);
        walk.step(r - up, j - 1, 0, -1, across);
        top += kCell;
        left += kCell;
        bottom -= kCell;
        right -= kCell;
    } while (bottom >= kCell || right >= kCell);
    return walk.take();
}

std::int64_t FlSequenceLength(const std::vector<FlRun>& runs) {
    std::int64_t length = 0;
    for (const FlRun& run : runs) length = std::max(length, run.n + run.count);
    return length;
}

void FlMask(ColorPlanes& planes) {
    const int h8 = planes.height - planes.height % kCell;
    const int w8 = planes.width - planes.width % kCell;
    const std::vector<FlRun> runs = FlWalkRuns(h8, w8);
    const std::int64_t length = FlSequenceLength(runs);
    if (length == 0) return;
    PixelBuffer sequence(static_cast<std::size_t>(length));
    for (Plane* channel : {&planes.R, &planes.G, &planes.B}) walkChannel(*channel, w8, runs, sequence.data(), length);
}

}  // namespace veltrane
