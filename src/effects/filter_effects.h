#pragma once
// The 3 × 3 filter effects of the category "フィルター" (codes 20 to 28), also used by
// "シルクスクリーン風" (ConvolveFilter kind 1), "鉛筆画風" (NeighbourFilter kind 0) and "図画風"
// (ConvolveFilter kind 1, then NeighbourFilter kind 3).
//
// Every pixel is computed from the unchanged values of its 3 × 3 neighbourhood, so no result
// feeds a later pixel. The border wraps around the picture: the left neighbour of column 0 is
// column W − 1, the row above row 0 is row H − 1, and a corner sees the opposite corner. On a
// picture one pixel wide or high the pixel is its own neighbour on that side.
//
// Both routines work in place, allocate their working rows before the first pixel changes (a
// failed allocation leaves the planes as they were) and report progress once per row: rows
// 0 .. H − 1 in order, each after it has been written. An unknown kind changes nothing and
// reports nothing.
#include "image/color_planes.h"

namespace veltrane {

// The option buttons a convolution reads: `First` is RadioButton1 ("大" for the low and high
// pass, "縦" for the edge detections), `Second` is RadioButton2 ("小", "横").
enum class ConvolveChoice { First, Second };

// kind 0 "ローパス":  First 1 2 1 / 2 4 2 / 1 2 1 ÷ 16;  Second 0 1 0 / 1 2 1 / 0 1 0 ÷ 5.
// kind 1 "ハイパス":  First −1 −1 −1 / −1 9 −1 / −1 −1 −1;  Second 0 −1 0 / −1 5 −1 / 0 −1 0.
// kind 2 "エッジ検出": on the grey value trunc(0.3 R + 0.59 G + 0.11 B) (double precision),
//     First 1 0 −1 / 2 0 −2 / 1 0 −1, Second 1 2 1 / 0 0 0 / −1 −2 −1; the result goes to R, G and B.
// kind 3 "エッジ検出(カラー)": the kernels of kind 2 on each channel.
// Sums are divided with truncation toward zero, then clamped to 0..255.
void ConvolveFilter(ColorPlanes& planes, int kind, ConvolveChoice choice, const RowProgress& progress = {});

// On each channel:
// kind 0 "ソーベル": trunc(min(255, sqrt(gx² + gy²))), gx from 1 2 1 / 0 0 0 / −1 −2 −1, gy from
//     −1 0 1 / −2 0 2 / −1 0 1;
// kind 1 "マックス", kind 2 "ミニ", kind 3 "メディアン": the largest, smallest, fifth smallest of
//     the nine values;
// kind 4 "平均化": their sum ÷ 9, truncated.
void NeighbourFilter(ColorPlanes& planes, int kind, const RowProgress& progress = {});

}  // namespace veltrane
