#pragma once
// The reduced copy a processing window previews on: the picture sampled nearest-neighbour into
// a square box of P × P, keeping its aspect ratio, centred between black bands.
#include "image/color_planes.h"

namespace veltrane {

// The rows and columns of the box that show the picture, half-open: [rowBegin, rowEnd) ×
// [colBegin, colEnd). Preview routines visit only this area.
struct PictureArea {
    int rowBegin = 0, rowEnd = 0, colBegin = 0, colEnd = 0;
};

struct LetterboxGeometry {
    int box = 0;            // P
    bool wide = false;      // W > H (a square picture is not wide)
    double rowScale = 0;    // H / P
    double colScale = 0;    // W / P
    double extent = 0;      // P × shorter side / longer side
    double margin = 0;      // (P − extent) × 0.5, the width of each black band

    // Wide: rows r with trunc(margin) ≤ r < P − margin, every column; otherwise the same
    // rule on columns.
    PictureArea pictureArea() const;
};

LetterboxGeometry letterboxGeometry(int width, int height, int box);

// Samples the planes into a box × box copy: inside the picture (margin ≤ index < margin +
// extent along the short direction) from source row trunc(...) and column trunc(...), black
// outside.
ColorPlanes buildLetterbox(const ColorPlanes& source, const LetterboxGeometry& geometry);

}  // namespace veltrane
