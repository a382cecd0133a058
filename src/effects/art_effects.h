#pragma once
// The artistic effects of the "ETC" category: one routine, ArtEffect, with nine kinds, each also
// callable on its own. All work in place on the planes; integer divisions truncate and "clamp"
// limits to 0..255. Every routine takes the working memory it needs before the first pixel
// changes, so a std::bad_alloc leaves the planes as they were.
//
// Kinds and their items:
//   0 shake     "ぶれ"              Shake          no option
//   1 emboss    "エンボス"          Emboss         ArtOptions::emboss
//   2 mosaic    "モザイク"          Mosaic         ArtOptions::mosaicCell
//   3 3D        "3D"                Offset3D       ArtOptions::offset
//   4 bricks    "ブロック化"        Bricks         ArtOptions::brick
//   5 beads     "ビーズ化"          Beads          no option
//   6 painting  "絵画化" (and the first step of "シルクスクリーン風")  Painting  ArtOptions::brush
//   7 pencil    second step of "鉛筆画風" (after the Sobel filter)   PencilLevels  no option
//   8 diffusion "拡散"              Diffusion      ArtOptions::diffusionRadius, the shared generator
//
// Progress: every kind except bricks reports, after each row (or each band of cells for mosaic
// and beads), that row's index (a band's first row). Bricks report 0 at the start and then, after
// each band of bricks starting at row y, the running total of y / 3 over the bands so far (it can
// pass the bar's maximum; the bar clamps).
#include <array>

#include "common/random_generator.h"
#include "image/color_planes.h"

namespace veltrane {

// Emboss option: RadioButton1 "モノクロ" is Grey, RadioButton2 "カラー" is Colour.
enum class EmbossTone { Grey, Colour };
// 3D option: RadioButton1 "縦" is Vertical, any other state Horizontal.
enum class OffsetDirection { Vertical, Horizontal };

struct BrickSize {
    int height;
    int width;
};

struct PaintBrush {
    int size;    // side of the square window, odd
    int levels;  // colour levels per channel: 1, 2, 4 or 8
};

// Mosaic option: RadioButton1 "小" is a cell of 3, RadioButton2 "大" a cell of 7.
inline constexpr std::array<int, 2> kMosaicCells{3, 7};
// Bricks option, RadioButton1..RadioButton6: "2,4", "8,16", "4,2", "16,8", "4,8", "12,24".
inline constexpr std::array<BrickSize, 6> kBrickSizes{
    {{2, 4}, {8, 16}, {4, 2}, {16, 8}, {4, 8}, {12, 24}}};
// Painting option, RadioButton1..RadioButton6: "3,4", "3,8", "5,4", "5,8", "7,4", "7,8".
inline constexpr std::array<PaintBrush, 6> kPaintBrushes{{{3, 4}, {3, 8}, {5, 4}, {5, 8}, {7, 4}, {7, 8}}};
// Diffusion option: RadioButton1 "小" is a radius of 3, any other state "大", 5.
inline constexpr std::array<int, 2> kDiffusionRadii{3, 5};
// The largest radius Diffusion takes (its lookup of candidate positions grows with the cube).
inline constexpr int kMaxDiffusionRadius = 16;

// The options of all kinds; each kind reads only its own field. The defaults are each kind's
// RadioButton1 (the painting default is also what "シルクスクリーン風" uses with no button checked).
struct ArtOptions {
    EmbossTone emboss = EmbossTone::Grey;
    int mosaicCell = kMosaicCells[0];
    OffsetDirection offset = OffsetDirection::Vertical;
    BrickSize brick = kBrickSizes[0];
    PaintBrush brush = kPaintBrushes[0];
    int diffusionRadius = kDiffusionRadii[0];
};

// Kind 0: each channel becomes (P(y−2, x−2) + P(y, x) + P(y + 2, x + 2)) / 3 over the original,
// bordered by reflection (−1, −2 ← 0, 1; W, W + 1 ← W − 1, W − 2, clamped into the picture).
void Shake(ColorPlanes& planes, const RowProgress& progress = {});
// Kind 1: kernel −2 −1 0 / −1 0 1 / 0 1 2 plus 128, clamped, with the edge repeated. Grey works on
// the integer luminance and writes it to all three channels.
void Emboss(ColorPlanes& planes, EmbossTone tone, const RowProgress& progress = {});
// Kind 2: cells of cell × cell starting at 0, cell, 2 cell, ... while the start is below H − cell
// (and W − cell) take their per-channel average; the rest keeps its values.
void Mosaic(ColorPlanes& planes, int cell, const RowProgress& progress = {});
// Kind 3: red moves up (or left) and blue down (or right) by 15 pixels; green stays.
void Offset3D(ColorPlanes& planes, OffsetDirection direction, const RowProgress& progress = {});
// Kind 4: a wall of averaged bricks with a highlighted top row and left column, never covering
// the last row or column.
void Bricks(ColorPlanes& planes, BrickSize brick, const RowProgress& progress = {});
// Kind 5: 8 × 8 beads: average, dark 3 × 3 centre, light top row, lighter left column. A picture
// under 8 pixels high or wide stays as it is.
void Beads(ColorPlanes& planes, const RowProgress& progress = {});
// Kind 6: each inner pixel takes the brightened centre of the fullest colour bin of its window,
// reading pixels already rewritten above and to the left.
void Painting(ColorPlanes& planes, PaintBrush brush, const RowProgress& progress = {});
// Kind 7: grey levels 255, 204, 153, 102, 51 by how many of 51, 102, 153, 204 the luminance exceeds.
void PencilLevels(ColorPlanes& planes, const RowProgress& progress = {});
// Kind 8: each pixel takes the original colour of a random position of the 2d × 2d square
// around it, one draw per pixel whether or not it changes. The radius is 1 to kMaxDiffusionRadius.
void Diffusion(ColorPlanes& planes, int radius, RandomGenerator& random, const RowProgress& progress = {});

// Kinds 0 to 8. Throws std::invalid_argument for another kind or an option out of range, before
// anything changes.
void ArtEffect(ColorPlanes& planes, int kind, const ArtOptions& options, RandomGenerator& random,
               const RowProgress& progress = {});
// Kinds 0 to 7, which draw no random numbers; kind 8 needs the overload above.
void ArtEffect(ColorPlanes& planes, int kind, const ArtOptions& options = {}, const RowProgress& progress = {});

}  // namespace veltrane
