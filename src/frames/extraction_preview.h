#pragma once
// The 280 × 210 preview the HSI range extraction works on when the main window opens it: the
// whole picture, nearest neighbour with one scale for both directions, centred between black
// bands.
#include "image/color_planes.h"

namespace veltrane {

inline constexpr int kExtractionPreviewWidth = 280;
inline constexpr int kExtractionPreviewHeight = 210;

// If W × 210 ≥ H × 280 the picture fills the width: ch = max(1, H × 280 div W) rows from
// y0 = (210 − ch) div 2, source column x × W div 280, row (y − y0) × H div ch. Otherwise it
// fills the height: cw = max(1, W × 210 div H) columns from x0 = (280 − cw) div 2, source row
// y × H div 210, column (x − x0) × W div cw. All in 64 bits; black outside. A 280 × 210 picture
// previews to itself.
ColorPlanes buildExtractionPreview(const ColorPlanes& picture);

}  // namespace veltrane
