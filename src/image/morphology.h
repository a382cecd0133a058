#pragma once
// The binary operations of the main window (automatic binarisation, dilation and erosion with a
// 3 × 3 square) and the one-colour tint. All work in place on the planes; the caller writes the
// working bitmap afterwards. Luminance is (30 R + 59 G + 11 B) / 100 in integers.
//
// Progress: rows 0 .. H − 1 in order, during the pass that writes the result.
#include <cstdint>

#include "image/color_planes.h"

namespace veltrane {

// Maximum between-class variance threshold k of the luminance histogram (the first maximum
// wins), then R = G = B = 255 where the luminance is above k and 0 elsewhere.
void ThresholdBinarize(ColorPlanes& planes, const RowProgress& progress = {});

// Binary dilation of the red plane with a 3 × 3 square: a pixel becomes white when its red is
// 255, or when its red is exactly 0 and one of its neighbours inside the picture has red 255.
// Everything else (red 1..254 included) becomes black. Writes R = G = B.
void Dilate(ColorPlanes& planes, const RowProgress& progress = {});

// Binary erosion of the red plane with a 3 × 3 square: a pixel stays white only when its red
// is 255 and none of its neighbours inside the picture has red exactly 0. Writes R = G = B.
void Erode(ColorPlanes& planes, const RowProgress& progress = {});

// Tints the picture with one colour: with Y the pixel's luminance, R = Y × r / 255,
// G = Y × g / 255, B = Y × b / 255, truncating.
void MonoTint(ColorPlanes& planes, std::uint8_t r, std::uint8_t g, std::uint8_t b, const RowProgress& progress = {});

}  // namespace veltrane
