// Kinds 3 (3D) and 8 (diffusion): pixels take values from other positions of the original.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "effects/art_effects.h"
#include "image/padded_rows.h"

namespace veltrane {

void Offset3D(ColorPlanes& planes, OffsetDirection direction, const RowProgress& progress) {
    constexpr int kShift = 15;
    const int h = planes.height;
    const int w = planes.width;
    if (h <= 0 || w <= 0) return;
    for (int y = 0; y < h; ++y) {
        if (direction == OffsetDirection::Vertical) {
            // Red row y takes red row y + 15, not yet overwritten going down. Blue row t
            // (t ≥ 15, t < H − 1) takes blue row t − 15; going up from the bottom reads each
            // source before it is overwritten.
            if (y + kShift < h) std::memcpy(planes.R[y], planes.R[y + kShift], static_cast<std::size_t>(w));
            const int t = h - 1 - y;
            if (t - kShift >= 0 && t < h - 1) std::memcpy(planes.B[t], planes.B[t - kShift], static_cast<std::size_t>(w));
        } else {
            if (w > kShift) std::memmove(planes.R[y], planes.R[y] + kShift, static_cast<std::size_t>(w - kShift));
            // Blue reaches columns 15 to W − 2; the last column keeps its value.
            if (w - 1 > kShift)
                std::memmove(planes.B[y] + kShift, planes.B[y], static_cast<std::size_t>(w - 1 - kShift));
        }
        if (progress) progress(y);
    }
}

void Diffusion(ColorPlanes& planes, int radius, RandomGenerator& random, const RowProgress& progress) {
    if (radius < 1 || radius > kMaxDiffusionRadius) throw std::invalid_argument("diffusion radius outside 1..16");
    const int h = planes.height;
    const int w = planes.width;
    if (h <= 0 || w <= 0) return;
    const int side = 2 * radius;
    // Candidates come from rows y − d to y + d − 1 of the original: rows up to y are kept before
    // they change, rows below y are still untouched in the planes.
    std::vector<PaddedRows> kept(3, PaddedRows(w, 0, radius + 1, RepeatIndex));
    // Candidate k of a square `columns` wide lies k / columns rows down and k % columns across;
    // the quotients of every k < side² for every width up to side, looked up instead of divided.
    struct Step {
        std::uint8_t down, across;
    };
    std::vector<Step> steps(static_cast<std::size_t>(side) * side * side);
    for (int columns = 1; columns <= side; ++columns)
        for (int k = 0; k < side * side; ++k)
            steps[(columns - 1) * side * side + k] = {static_cast<std::uint8_t>(k / columns),
                                                      static_cast<std::uint8_t>(k % columns)};
    std::vector<const std::uint8_t*> source(static_cast<std::size_t>(3) * side);
    Plane* const channels[3] = {&planes.R, &planes.G, &planes.B};
    for (int y = 0; y < h; ++y) {
        for (int c = 0; c < 3; ++c) kept[c].keep(y, (*channels[c])[y]);
        const int top = std::max(0, y - radius);
        const int rows = std::min(h - 1, y + radius - 1) - top + 1;
        for (int i = 0; i < rows; ++i)
            for (int c = 0; c < 3; ++c)
                source[c * side + i] = top + i <= y ? kept[c].at(top + i) : (*channels[c])[top + i];
        for (int x = 0; x < w; ++x) {
            const int left = std::max(0, x - radius);
            const int columns = std::min(w - 1, x + radius - 1) - left + 1;
            const int m = rows * columns;
            // The first k with k / m > r / 32767, in integers: r × m div 32767 + 1.
            const int k = random.next() * m / 32767 + 1;
            if (k >= m) continue;
            const Step step = steps[(columns - 1) * side * side + k];
            for (int c = 0; c < 3; ++c) (*channels[c])[y][x] = source[c * side + step.down][left + step.across];
        }
        if (progress) progress(y);
    }
}

}  // namespace veltrane
