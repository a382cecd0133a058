#pragma once
// The program's hue–saturation–intensity colour model. The hue is in radians with a full
// turn of 6.283 (not 2π), and HsiToRgb is deliberately not an exact inverse of RgbToHsi:
// the numbers in the status bar and the colours after an HSI adjustment depend on it.
#include <cstdint>
#include <string>

namespace veltrane {

// One sixth of the program's full turn, and the full turn itself (6.283, not 2π).
inline constexpr double kHsiSectorWidth = 1.0471666666666668;  // 6.283 / 6
inline constexpr double kHsiFullTurn = 6.283;

struct HsiColor {
    double H, S, I;
};

// R, G, B are byte values 0..255. H is 0 for a grey, otherwise in (0, 6.283]; pure red
// gives 6.283. S and I are in 0..1.
void RgbToHsi(double R, double G, double B, double& H, double& S, double& I);

// RgbToHsi of byte values, bit for bit, for passes that convert every pixel: the scaled bytes
// come from a table and the hue takes one division instead of three.
HsiColor RgbBytesToHsi(std::uint8_t R, std::uint8_t G, std::uint8_t B);

// Gives R, G, B on the scale 0..255 (not rounded; callers truncate to bytes). Returns
// false for "no colour" (hues from 6.283 up to, not including, 6.293, and any hue whose
// sector falls outside 0..5) and then leaves R, G and B untouched.
bool HsiToRgb(double H, double S, double I, double& R, double& G, double& B);

// "%.3f, %.3f, %.3f" in the order H, S, I, always with a '.' whatever the locale.
std::string formatHsi(double H, double S, double I);

// The floating-point luminance 0.3 R + 0.59 G + 0.11 B, summed left to right in double (no
// fused multiply-add): grey 128 gives 127.99999999999999. Callers truncate where they must.
inline double FloatLuminance(int R, int G, int B) { return (0.3 * R + 0.59 * G) + 0.11 * B; }

}  // namespace veltrane
