#pragma once
// The seven geometric operations of the main window's "画像変形(&D)" menu. Each works in place
// on all three planes alike and keeps the picture's size. Halves are W / 2 and H / 2, truncated.
//
// Progress: every operation calls `progress` (when set) once for each row index 0 .. H − 1, in
// increasing order, as its pass advances. The operations that work on pairs of rows (the
// vertical flip, the vertical interleave, the top-to-bottom mirror) count two rows per pair.
#include "image/color_planes.h"

namespace veltrane {

// Swaps row y with row H − 1 − y for y < H / 2. The middle row of an odd height stays.
void FlipVertical(ColorPlanes& planes, const RowProgress& progress = {});

// Swaps column x with column W − 1 − x for x < W / 2. The middle column of an odd width stays.
void FlipHorizontal(ColorPlanes& planes, const RowProgress& progress = {});

// The result of swapping P[y][x] with P[H − 1 − y][x] for every even y < H and every even
// x < W: with an even height every even column is turned upside down and the odd columns
// stay; with an odd height each pair is swapped twice and the picture is unchanged.
void InterleaveVertical(ColorPlanes& planes, const RowProgress& progress = {});

// The result of swapping P[y][x] with P[y][W − 1 − x] for every even y < H and every even
// x < W: with an even width every even row is mirrored and the odd rows stay; with an odd
// width the picture is unchanged.
void InterleaveHorizontal(ColorPlanes& planes, const RowProgress& progress = {});

// P[y][W − 1 − x] = P[y][x] for x < W / 2: the right half becomes the mirror of the left.
void MirrorLeftToRight(ColorPlanes& planes, const RowProgress& progress = {});

// P[H − 1 − y][x] = P[y][x] for y < H / 2: the bottom half becomes the mirror of the top.
void MirrorTopToBottom(ColorPlanes& planes, const RowProgress& progress = {});

// Bevelled frame: bands 12 pixels wide along the edges, darkened by 75 (to no less than 0)
// on the top and left and lightened by 75 (to no more than 255) on the bottom and right,
// with mitred corners. The bands are applied in the order top, left, bottom, right:
//   top    y = 0..11,                  x from y while x < W − y           darken
//   left   x = 0..11,                  y from x while y < H − x           darken
//   bottom y = H − 12 + k (k = 0..11), x from 12 − k while x < W − 12 + k lighten
//   right  x = W − 12 + j (j = 0..11), y from 12 − j while y < H − 12 + j lighten
// On a picture narrower or lower than 12 pixels a band position outside the picture is
// skipped, so the bands are clipped to it.
void BevelFrame(ColorPlanes& planes, const RowProgress& progress = {});

}  // namespace veltrane
