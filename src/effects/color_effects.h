#pragma once
// The colour effects of the effects dialog's "カラー" category: each pixel is recoloured from its
// own R, G and B alone, so every routine works in place on planes of any size (an empty picture
// included) and needs no working memory.
//
// Y below is the integer grey level (30 R + 59 G + 11 B) / 100. Every division truncates.
#include "image/color_planes.h"

namespace veltrane {

// "グレイスケール" (code 0): R = G = B = Y. Reports no progress.
void ToGray(ColorPlanes& planes);

// "ネガホジ" (code 13): every byte becomes 255 − value; applied twice it restores the picture.
// Reports no progress.
void Negate(ColorPlanes& planes);

// The kinds of ColorTint, by list item (code = kind + 1 up to "ゴールド", then kind + 2).
// R, G, B on the right are the pixel's values before the step.
enum ColorTintKind : int {
    TintRed = 0,          // "赤"      (R, 0, 0)
    TintPink = 1,         // "ピンク"  (R, 0, B)
    TintOrange = 2,       // "オレンジ" (R, G / 2, 0)
    TintYellow = 3,       // "黄色"    (R, G, 0)
    TintYellowGreen = 4,  // "黄緑"    (R / 2, G, 0)
    TintGreen = 5,        // "緑"      (0, G, 0)
    TintLightBlue = 6,    // "水色"    (0, G, B)
    TintBlue = 7,         // "青"      (0, 0, B)
    TintPurple = 8,       // "紫"      (R / 2, 0, B / 2)
    TintSepia = 9,        // "セピア"  (Y × 240 / 255, Y × 200 / 255, Y × 145 / 255)
    TintSilver = 10,      // "シルバー" grey, then the tone curve f below on all three channels
    TintGold = 11,        // "ゴールド" grey, then (g, g × 3 / 4, g / 4) with the curve g below
    TintWarmer = 12,      // "色温上昇" (min(255, R + 20), min(255, G + 5), max(0, B − 20))
    TintCooler = 13,      // "色温下降" (max(0, R − 20), min(255, G + 5), min(255, B + 20))
    TintNeon = 14,        // "ネオン(？)", see below
};

// "赤" .. "ネオン(？)": ColorTint with kind 0..14 (ColorTintKind). After each row it calls
// progress(row) with that row's index, 0 .. H − 1 in order, the row's three planes final by
// then (H calls in all, silver and gold included). A kind outside 0..14 changes nothing and
// reports nothing.
//
// Silver and gold: v = Y, then by the range of v
//     silver v in 0..63 / gold 1..63:     2v + 100
//     64..127:                            356 − 2v
//     128..191:                           2v − 129
//     silver 192..255 / gold 0, 192..255: (610 − 2v) mod 256
// so silver turns black and white into (100, 100, 100), gold black into (98, 73, 24).
// Neon: t = (765 − R − G − B) / 3. When t ≤ 150, R = G = B = t × 255 / 150. Otherwise B = 0
// is first raised to 1, G = ((R / B) × 4 × t / 5) mod 256 (R / B an integer quotient), and
// R = B = (255 − t) × 9 / 5.
void ColorTint(ColorPlanes& planes, int kind, const RowProgress& progress = {});

}  // namespace veltrane
