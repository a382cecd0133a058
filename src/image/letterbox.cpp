#include "image/letterbox.h"

#include <algorithm>
#include <cmath>

namespace veltrane {

LetterboxGeometry letterboxGeometry(int width, int height, int box) {
    LetterboxGeometry g;
    g.box = box;
    g.wide = width > height;
    const double longer = std::max(width, height);
    const double shorter = std::min(width, height);
    g.rowScale = static_cast<double>(height) / box;
    g.colScale = static_cast<double>(width) / box;
    g.extent = box * shorter / longer;
    g.margin = (box - g.extent) * 0.5;
    return g;
}

PictureArea LetterboxGeometry::pictureArea() const {
    // Indices i with trunc(margin) ≤ i < P − margin along the short direction: the first may be
    // a band row that the sampling leaves black, when the margin has a fraction.
    const int begin = static_cast<int>(std::trunc(margin));
    const int end = static_cast<int>(std::ceil(box - margin));
    PictureArea area;
    if (wide) {
        area.rowBegin = begin;
        area.rowEnd = end;
        area.colBegin = 0;
        area.colEnd = box;
    } else {
        area.rowBegin = 0;
        area.rowEnd = box;
        area.colBegin = begin;
        area.colEnd = end;
    }
    return area;
}

ColorPlanes buildLetterbox(const ColorPlanes& source, const LetterboxGeometry& g) {
    const int P = g.box;
    ColorPlanes box(P, P);  // all black
    if (source.width <= 0 || source.height <= 0) return box;

    // The longer side spans the whole box, so one scale serves both directions: H / P for a
    // tall or square picture, W / P for a wide one. Along the short direction the index is
    // measured from the margin. A source index is kept inside the picture should rounding ever
    // carry the last sample one past its edge.
    const double scale = g.wide ? g.colScale : g.rowScale;
    const double pictureEnd = g.margin + g.extent;
    auto sourceIndex = [scale](double position, int limit) {
        const int i = static_cast<int>(std::trunc(position * scale));
        return std::clamp(i, 0, limit - 1);
    };

    if (g.wide) {
        for (int y = 0; y < P; ++y) {
            if (!(g.margin <= y && y < pictureEnd)) continue;
            const int sy = sourceIndex(y - g.margin, source.height);
            const std::uint8_t* r = source.R[sy];
            const std::uint8_t* gr = source.G[sy];
            const std::uint8_t* b = source.B[sy];
            for (int x = 0; x < P; ++x) {
                const int sx = sourceIndex(x, source.width);
                box.R[y][x] = r[sx];
                box.G[y][x] = gr[sx];
                box.B[y][x] = b[sx];
            }
        }
    } else {
        for (int y = 0; y < P; ++y) {
            const int sy = sourceIndex(y, source.height);
            const std::uint8_t* r = source.R[sy];
            const std::uint8_t* gr = source.G[sy];
            const std::uint8_t* b = source.B[sy];
            for (int x = 0; x < P; ++x) {
                if (!(g.margin <= x && x < pictureEnd)) continue;
                const int sx = sourceIndex(x - g.margin, source.width);
                box.R[y][x] = r[sx];
                box.G[y][x] = gr[sx];
                box.B[y][x] = b[sx];
            }
        }
    }
    return box;
}

}  // namespace veltrane
