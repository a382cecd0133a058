// Kinds 2 (mosaic), 4 (bricks) and 5 (beads): rectangles of the picture take their per-channel
// average, read from the planes as earlier rectangles left them.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "effects/art_effects.h"

namespace veltrane {
namespace {

struct Block {
    int top, left, height, width;
};

int Average(const Plane& plane, Block b) {
    std::int64_t sum = 0;
    for (int y = b.top; y < b.top + b.height; ++y) {
        const std::uint8_t* row = plane[y] + b.left;
        for (int x = 0; x < b.width; ++x) sum += row[x];
    }
    return static_cast<int>(sum / (static_cast<std::int64_t>(b.height) * b.width));
}

void Fill(Plane& plane, Block b, int value) {
    for (int y = b.top; y < b.top + b.height; ++y) std::fill_n(plane[y] + b.left, b.width, static_cast<std::uint8_t>(value));
}

std::array<Plane*, 3> Channels(ColorPlanes& planes) { return {&planes.R, &planes.G, &planes.B}; }

// A brick's extent from `start`: `size`, or up to but not including the last row or column.
int ClipBrick(int start, int size, int n) { return start + size > n - 1 ? n - start - 1 : size; }

// Adds up each column of rows top .. top + height − 1 of a plane.
void SumColumns(const Plane& plane, int top, int height, std::vector<std::int64_t>& sums) {
    std::fill(sums.begin(), sums.end(), 0);
    const std::size_t n = sums.size();
    for (int y = top; y < top + height; ++y) {
        const std::uint8_t* row = plane[y];
        for (std::size_t x = 0; x < n; ++x) sums[x] += row[x];
    }
}

std::int64_t SumRange(const std::vector<std::int64_t>& sums, int first, int count) {
    std::int64_t total = 0;
    for (int x = first; x < first + count; ++x) total += sums[x];
    return total;
}

struct Span {
    int left, width;
};

// Working rows of a course of bricks, one element per column, all taken before the first brick
// is laid.
struct CourseRows {
    explicit CourseRows(int width)
        : sums(static_cast<std::size_t>(width)), covered(static_cast<std::size_t>(width)),
          top(static_cast<std::size_t>(width)), body(static_cast<std::size_t>(width)) {
        bricks.reserve(static_cast<std::size_t>(width) / 2 + 1);  // bricks are at least 2 columns apart
    }
    std::vector<Span> bricks;
    std::vector<std::int64_t> sums;
    std::vector<std::uint8_t> covered;  // 0xFF under a brick, 0 between bricks
    std::vector<std::uint8_t> top;      // the bricks' top row
    std::vector<std::uint8_t> body;     // their other rows
};

// Writes `bricks` into `row` where `covered` is set; the gaps between bricks keep their values.
void BlendRow(std::uint8_t* __restrict row, const std::uint8_t* __restrict bricks,
              const std::uint8_t* __restrict covered, std::size_t n) {
    for (std::size_t x = 0; x < n; ++x)
        row[x] = static_cast<std::uint8_t>((row[x] & ~covered[x]) | (bricks[x] & covered[x]));
}

// One course of bricks `height` rows high from row `top`: bricks at firstLeft, firstLeft + 2 ×
// width, ... each filled with its average, then its top row and left column lighter by 20.
// A brick clipped to nothing writes nothing.
void LayCourse(ColorPlanes& planes, int top, int height, int firstLeft, int width, CourseRows& rows) {
    const int w = planes.width;
    if (height <= 0) return;
    std::vector<Span>& bricks = rows.bricks;
    bricks.clear();
    std::fill(rows.covered.begin(), rows.covered.end(), 0);
    for (std::int64_t start = firstLeft; start < w; start += 2 * static_cast<std::int64_t>(width)) {
        const int left = static_cast<int>(start);
        const int clipped = ClipBrick(left, width, w);
        if (clipped <= 0) break;
        bricks.push_back({left, clipped});
        std::fill_n(rows.covered.begin() + left, clipped, 0xFF);
    }
    for (Plane* plane : Channels(planes)) {
        SumColumns(*plane, top, height, rows.sums);
        for (const Span& brick : bricks) {
            const std::int64_t area = static_cast<std::int64_t>(height) * brick.width;
            const int average = static_cast<int>(SumRange(rows.sums, brick.left, brick.width) / area);
            const auto light = static_cast<std::uint8_t>(std::min(255, average + 20));
            std::fill_n(rows.top.begin() + brick.left, brick.width, light);
            std::fill_n(rows.body.begin() + brick.left, brick.width, static_cast<std::uint8_t>(average));
            rows.body[brick.left] = light;
        }
        for (int y = top; y < top + height; ++y)
            BlendRow((*plane)[y], y == top ? rows.top.data() : rows.body.data(), rows.covered.data(),
                     static_cast<std::size_t>(w));
    }
}

}  // namespace

void Mosaic(ColorPlanes& planes, int cell, const RowProgress& progress) {
    if (cell < 1) throw std::invalid_argument("mosaic cell below 1");
    const int h = planes.height;
    const int w = planes.width;
    if (h <= 0 || w <= 0) return;
    // Cells start at columns 0, cell, ... below W − cell: (W − 1) / cell of them.
    const int across = (w - 1) / cell;
    const std::size_t span = static_cast<std::size_t>(across) * static_cast<std::size_t>(cell);
    std::vector<std::int64_t> sums(span);
    std::vector<std::uint8_t> band(span);  // one row of a band of cells as it is written
    const std::int64_t area = static_cast<std::int64_t>(cell) * cell;
    // Signed bounds: a picture no larger than one cell has no cells at all.
    for (int top = 0; top < h - cell; top += cell) {
        for (Plane* plane : Channels(planes)) {
            SumColumns(*plane, top, cell, sums);
            for (int i = 0; i < across; ++i)
                std::fill_n(band.data() + static_cast<std::size_t>(i) * cell, cell,
                            static_cast<std::uint8_t>(SumRange(sums, i * cell, cell) / area));
            for (int y = top; y < top + cell; ++y) std::copy(band.begin(), band.end(), (*plane)[y]);
        }
        if (progress) progress(top);
    }
}

void Bricks(ColorPlanes& planes, BrickSize brick, const RowProgress& progress) {
    if (brick.height < 1 || brick.width < 1) throw std::invalid_argument("brick size below 1");
    const int h = planes.height;
    const int w = planes.width;
    if (h <= 0 || w <= 0) return;
    CourseRows rows(w);
    std::int64_t position = 0;
    if (progress) progress(0);
    // One course of bricks starting at `top`, every other brick from `firstLeft`.
    auto course = [&](int top, int firstLeft, bool halfHeight) {
        int height = ClipBrick(top, brick.height, h);
        if (halfHeight) height /= 2;
        LayCourse(planes, top, height, firstLeft, brick.width, rows);
        position += top / 3;
        if (progress) progress(static_cast<int>(std::min<std::int64_t>(position, INT_MAX)));
    };
    for (std::int64_t top = 0; top < h; top += brick.height) course(static_cast<int>(top), 0, false);
    for (std::int64_t top = brick.height / 2; top < h; top += brick.height)
        course(static_cast<int>(top), brick.width, false);
    // The half-height bricks that close the gaps of the offset course along the top edge.
    course(0, brick.width, true);
}

void Beads(ColorPlanes& planes, const RowProgress& progress) {
    constexpr int kCell = 8;
    const int h = planes.height;
    const int w = planes.width;
    if (h < kCell || w < kCell) return;
    for (int y = 0; y < h; y += kCell) {
        const int top = std::min(y, h - kCell);
        for (int x = 0; x < w; x += kCell) {
            const int left = std::min(x, w - kCell);
            for (Plane* plane : Channels(planes)) {
                const Block cell{top, left, kCell, kCell};
                const int average = Average(*plane, cell);
                Fill(*plane, cell, average);
                Fill(*plane, {top + 3, left + 3, 3, 3}, std::max(0, average - 50));
                Fill(*plane, {top, left, 1, kCell}, std::min(255, average + 20));
                Fill(*plane, {top, left, kCell, 1}, std::min(255, average + 50));
            }
        }
        if (progress) progress(top);
    }
}

}  // namespace veltrane
