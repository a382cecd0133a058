#pragma once
// The dither effects of the effects dialog: six ordered dithers (category "ディザ") and the
// error diffusion "誤差分配" (category "フィルター"). Both reduce the picture to values 0 and 255
// and change the planes in place.
#include "image/color_planes.h"

namespace veltrane {

// Ordered dither with a 4 × 4 threshold matrix tiled from the top-left corner. `kind`:
//   0 "Bayer型(モノクロ)"  (code 60)    1 "Bayer型(カラー)"  (code 61)
//   2 "volute型(モノクロ)" (code 62)    3 "volute型(カラー)" (code 63)
//   4 "mesh型(モノクロ)"   (code 64)    5 "mesh型(カラー)"   (code 65)
// Each value is cut to one of 16 levels, level = min(15, trunc(v / 15.9375)) in double, where
// v is the grey 0.3 R + 0.59 G + 0.11 B (FloatLuminance, not truncated) for the even kinds and
// each channel's own value for the odd kinds. Pixel (y, x) becomes 255 when
// M[y mod 4][x mod 4] < level, else 0; the grey kinds write that to R, G and B, the colour
// kinds per channel. A level is never above 15, so white keeps one black pixel per tile.
// The dither has no options and reports no progress. A kind outside 0..5 changes nothing.
void OrderedDither(ColorPlanes& planes, int kind);

// Error diffusion of the grey g = 0.3 R + 0.59 G + 0.11 B (kept in double) to black and
// white. `floyd` is the dialog's RadioButton1 ("Floyd"); false is "Jarivs" (Jarvis–Judice–
// Ninke). Rows top to bottom, columns left to right, only the inner pixels are visited:
// rows and columns 1 .. n − 2 for Floyd, 2 .. n − 3 for Jarvis. A visited pixel's error
// e = g − (g > 127 ? 255 : 0) goes to its neighbours below and to the right, each e × weight
// added to their g. Afterwards every pixel, the unvisited border included, becomes 255 when
// its g > 127, else 0, in R, G and B. A picture under 3 (Floyd) or 5 (Jarvis) pixels in
// either direction is a plain threshold at 127.
// Progress: `progress(y)` after each row y of the diffusion pass (rows 1 .. H − 2 for Floyd,
// 2 .. H − 3 for Jarvis, in increasing order), even when the row visits no column. Rows 0 .. y
// of the planes hold their final bytes by then.
void ErrorDiffuse(ColorPlanes& planes, bool floyd, const RowProgress& progress = {});

}  // namespace veltrane
