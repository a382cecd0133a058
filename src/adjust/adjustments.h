#pragma once
// The seven whole-image adjustments of the image-adjustment dialog (TRGB): binarise, contrast,
// gamma, posterise (tone, tone_adjust.cpp and contrast_adjust.cpp) and RGB offsets, HSI
// offsets, noise (colour, color_adjust.cpp and hsi_adjust.cpp).
//
// Each adjustment has two entry points:
//
// - a preview routine, run on the dialog's P × P letterboxed preview after ResetPreview
//   (the preview result planes equal the preview source planes). It visits only the picture
//   area of the box (see image/letterbox.h) and writes the preview result planes. The RGB and
//   contrast previews read their inputs from the preview source planes, the others read the
//   result planes they write.
// - a final pass, run by OK over every pixel of the document's current planes, in place, rows
//   0 .. H − 1 top to bottom and in each row columns 0 .. W − 1.
//
// Progress: every final pass calls `progress` (when set) once after each row with that row's
// index, 0 .. H − 1 in increasing order; the row's three planes are final by then, so the
// window may copy that row into the working bitmap's scan line inside the callback, or call
// RefreshFromPlanes once afterwards (same bytes). The noise pass differs, see noiseFinal.
//
// Slider positions arrive as the integers the sliders hold; every scaling of a position (γ,
// hue, saturation and intensity steps) is done here, exactly as the dialog's rules state.
#include <cstdint>
#include <string>

#include "image/color_model.h"
#include "image/color_planes.h"
#include "image/letterbox.h"
#include "common/random_generator.h"

namespace veltrane {

// The colour choice of a radio group ("全色", "赤", "緑", "青"). The dialog tests its buttons in
// the order its rules give and passes the first checked one.
enum class ChannelChoice { All, Red, Green, Blue };

// ---------------------------------------------------------------------------------------------
// Binarise (TrackBar9 = threshold 0..255; RadioButton1 全色, 2 赤, 3 緑, 4 青).
//   All:   m = (R + G + B) div 3; R, G, B = 255 when threshold < m, else 0.
//   Red:   m = (G + B) div 2; G, B = 255 when threshold < m, else 0; R kept.
//   Green: m = (R + B) div 2; R, B set, G kept.   Blue: m = (R + G) div 2; R, G set, B kept.
// A mean equal to the threshold gives 0. Preview and final pass apply the same rule.
void binarisePreview(ColorPlanes& result, const PictureArea& area, int threshold, ChannelChoice choice);
void binariseFinal(ColorPlanes& planes, int threshold, ChannelChoice choice, const RowProgress& progress = {});

// ---------------------------------------------------------------------------------------------
// Contrast (TrackBar11 = p, 20..70; RadioButton9 全色, 10 赤, 11 緑, 12 青).
//   a = 1 + p × (1/70), b = 1 − p × (2/70)
//   R' = trunc(a·R + b·G + b·B), G' = trunc(b·R + a·G + b·B), B' = trunc(b·R + b·G + a·B)
// Only the chosen channel (or all three) is recomputed; results are clamped to 0..255.
// The preview reads every input from `source` (the unchanged preview source planes) and writes
// `result`. The final pass works in place in the order red, green, blue: green reads the new
// red, blue the new red and green.
void contrastPreview(const ColorPlanes& source, ColorPlanes& result, const PictureArea& area, int p,
                     ChannelChoice choice);
void contrastFinal(ColorPlanes& planes, int p, ChannelChoice choice, const RowProgress& progress = {});

// ---------------------------------------------------------------------------------------------
// Gamma (TrackBar7 = position 1..40, γ = position × 0.1), all three channels:
//   v' = trunc(255 × (v × (1/255))^(1/γ)). 0 stays 0, 255 stays 255.
void gammaPreview(ColorPlanes& result, const PictureArea& area, int position);
void gammaFinal(ColorPlanes& planes, int position, const RowProgress& progress = {});

// The 256-entry table of the gamma rule for a slider position (what both routines apply).
void gammaTable(int position, std::uint8_t table[256]);

// Label14's text for a slider position: position × 0.1 in shortest general decimal form
// ("1" for 10, "2.5" for 25, "0.1" for 1, "4" for 40).
std::string gammaLabel(int position);

// ---------------------------------------------------------------------------------------------
// Posterise (TrackBar8 = n, 2..16; RadioButton5 赤, 6 緑, 7 青, 8 全色).
//   step = 255 div n; a processed value v becomes the first step × k (k = 1 .. n) above it,
//   and stays when v ≥ step × n.
// Only the chosen channel (or all three) is processed. Preview and final pass alike.
void posterisePreview(ColorPlanes& result, const PictureArea& area, int n, ChannelChoice choice);
void posteriseFinal(ColorPlanes& planes, int n, ChannelChoice choice, const RowProgress& progress = {});

// The 256-entry table of the posterise rule for n (identity is not implied: every entry is set).
void posteriseTable(int n, std::uint8_t table[256]);

// ---------------------------------------------------------------------------------------------
// RGB offsets (TrackBar1/2/3 = dR, dG, dB, −128..128): v' = v + d clamped to 0..255.
// The preview computes all three channels from `source` into `result`; the final pass works
// in place.
void rgbPreview(const ColorPlanes& source, ColorPlanes& result, const PictureArea& area, int dR, int dG, int dB);
void rgbFinal(ColorPlanes& planes, int dR, int dG, int dB, const RowProgress& progress = {});

// ---------------------------------------------------------------------------------------------
// HSI offsets (TrackBar4 = hue position −180..180, TrackBar5 / TrackBar6 = saturation and
// intensity positions −128..128, each × 0.0078125).
//
// The hue offset in radians differs between the two routines:
//   preview: position × (1/180) × 2 × 3.1415   (±180 gives ±6.283)
//   final:   position × 0.034883               (±180 gives ±6.27894)
double hsiPreviewHueOffset(int position);
double hsiFinalHueOffset(int position);
// position × 0.0078125 (1/128): the saturation and intensity offsets.
double hsiUnitOffset(int position);

// One pixel's HSI after the offsets:
//   hue: t = h + dH; when t > 6.283 or t < 0, t − 6.283 if t ≥ 6.283, else t + 6.283
//        (exactly 6.283 stays 6.283);
//   saturation and intensity: t = v + d; above 1 gives 1, below 0 gives 0.
HsiColor shiftHsi(const HsiColor& hsi, double dH, double dS, double dI);

// The dialog's own copy of HsiToRgb (image/color_model.h), step for step with the same
// constants, storing each result straight into the pixel's bytes as trunc(255 × value). For a
// hue that gives no colour it stores nothing, so the pixel keeps its bytes.
void HsiToRgbBytes(double H, double S, double I, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B);

// For each pixel: RgbToHsi, shiftHsi, back to bytes. The preview converts back with HsiToRgb
// and truncation (no colour keeps the pixel); the final pass with HsiToRgbBytes. With all
// three positions 0 both still convert every pixel there and back.
void hsiPreview(ColorPlanes& result, const PictureArea& area, int huePosition, int saturationPosition,
                int intensityPosition);
void hsiFinal(ColorPlanes& planes, int huePosition, int saturationPosition, int intensityPosition,
              const RowProgress& progress = {});

// ---------------------------------------------------------------------------------------------
// Noise (TrackBar10 = q percent 0..100; CheckBox1 "色" = colour).
//
// One dot takes three generator calls, in this order:
//   row    = trunc(e1 × (1/32767) × rows) − 1, raised to 0 when negative;
//   column = trunc(e2 × (1/32767) × cols) − 1, raised to 0 when negative;
//   colour = noiseColour(e3, colour).
// A dot overwrites all three channels of its pixel; later dots win. The generator is only
// drawn from, never reseeded.

struct NoiseColour {
    std::uint8_t R, G, B;
};

// The colour of a dot for one generator result e (0..32767).
//   colour: 28665.. white, 24570.. yellow (255,255,0), 20475.. magenta, 16380.. cyan,
//           12285.. red, 8190.. blue, 4095.. green, 0..4094 black;
//   mono:   e < 16384 black, otherwise white.
NoiseColour noiseColour(int e, bool colour);

// (rows × cols × q) div 100, in 64 bits.
std::int64_t noiseDotCount(int rows, int cols, int q);

// Places (P × P × q) div 100 dots over the whole box of `result` (rows = height, cols = width).
// A dot outside the picture area moves onto the area's nearest edge: when the picture is wide
// its row becomes the area's first or last row, otherwise its column becomes the area's first
// or last column. Each call draws new dots.
void noisePreview(ColorPlanes& result, const PictureArea& area, bool wide, int q, bool colour,
                  RandomGenerator& random);

// Places noiseDotCount(H, W, q) dots over the whole image, in place, then runs a second sweep
// over the rows 0 .. H − 1 calling `progress` after each row with its index. The dots come
// first and report no progress; the window rewrites each scan line from the planes in its
// progress callback (or calls RefreshFromPlanes afterwards), moving the bar one step per row
// of that second sweep, so the bar's maximum is H as for every other pass.
void noiseFinal(ColorPlanes& planes, int q, bool colour, RandomGenerator& random,
                const RowProgress& progress = {});

}  // namespace veltrane
