#pragma once
// The effects of the "マスク" category: pixels rearranged in fixed geometric patterns, or a
// fixed pattern laid over the picture. Each routine works in place on all three planes, the
// same way on each channel unless said otherwise. None of them has an option or reports
// progress: during an apply the bar stays where it is until the planes are written back.
//
// Working memory (WIN band rows, the Meko colour table, the FL sequence) is taken before the first pixel changes,
// so a std::bad_alloc leaves the planes as they were. A kind outside the lists changes nothing.
#include "image/color_planes.h"

namespace veltrane {

// Glass, strips of 6 pixels each mirrored in place.
//   kind 0 "縦ガラス": in every row, columns 0..5, 6..11, …: column s + k takes column s + 5 − k.
//   kind 1 "横ガラス": in every column, rows 0..5, 6..11, …: row s + k takes row s + 5 − k.
// "縦横ガラス" is kind 0, then kind 1. A trailing strip shorter than 6 is left unchanged, so
// applying a glass effect twice gives the picture back.
void GlassStrips(ColorPlanes& planes, int kind);

// Pattern masks.
//   kind 0 "WINマスク": each whole band of 16 rows from row 0 is permuted in every column
//          (new row k of the band takes old row P[k], P = 15 8 6 12 9 13 2 11 1 4 14 7 0 5 10 3);
//          the rows of a last, partial band stay.
//   kind 1 "Mekoマスク": every hue is turned half a circle through the colour model's HSI (S and
//          I kept), then every complete 2 × 2 block (a b / c d) becomes (c d / b a); an unpaired
//          last row or column keeps its turned colours.
//   kind 2 "FLマスク": per channel, one-pixel rectangles 8 pixels apart are overwritten with the
//          channel's own pixels read in row order (see mask_fl_walk.h).
//   kind 3 "レインボーマスク": a pattern of 8 × 8 colour cells, repeating every 56 pixels in
//          diagonal stripes, is OR-ed into every byte.
void PatternMask(ColorPlanes& planes, int kind);

// XOR masks: each affected byte v becomes (v + 128) mod 256 (its top bit flipped).
//   kind 0 "XORマスク" all three planes, kind 1 "XORマスク(赤のみ)" R only,
//   kind 2 "XORマスク(緑のみ)" G only, kind 3 "XORマスク(青のみ)" B only.
void XorMask(ColorPlanes& planes, int kind);

}  // namespace veltrane
