#include "image/color_model.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace veltrane {

namespace {

constexpr double kSectorWidth = kHsiSectorWidth;
constexpr double kFullTurn = kHsiFullTurn;
// 1/3.1415. The original holds it in extended precision; for every hue RgbToHsi can
// produce (and a fine sweep of the whole range) the double product truncates to the
// same sector as the extended one, so double arithmetic is kept.
constexpr double kSectorFactor = 0.31831927423205475;
constexpr double kWrapThreshold = 6.293;

// v / 255.0 for every byte, as RgbToHsi computes it.
constexpr std::array<double, 256> kScaledBytes = [] {
    std::array<double, 256> table{};
    for (int v = 0; v < 256; ++v) table[v] = v / 255.0;
    return table;
}();

double clampUnit(double v) {
    if (v > 1) return 1;
    if (v < 0) return 0;
    return v;
}

void appendFixed3(std::string& out, double v) {
    char buf[400];  // %.3f of the largest double needs 309 digits plus sign and decimals
    const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    out.append(buf, result.ptr);
}

}  // namespace

void RgbToHsi(double R, double G, double B, double& H, double& S, double& I) {
    // Dividing by 255.0 in double equals the extended product R × (1/255) rounded to
    // double for every byte value.
    const double r = R / 255.0, g = G / 255.0, b = B / 255.0;

    double min;
    if (r <= g && r <= b) min = r;
    else if (g <= r && g <= b) min = g;
    else min = b;
    double max;
    if (r >= g && r >= b) max = r;
    else if (g >= r && g >= b) max = g;
    else max = b;

    I = max;
    S = max == 0 ? 0 : (max - min) / max;
    if (max == min) {
        H = 0;
        return;
    }

    const double range = max - min;
    const double tr = (max - r) / range, tg = (max - g) / range, tb = (max - b) / range;
    // Every true test overwrites the hue: with two equal maxima the later one wins.
    double hue = 0;
    if (r == max) hue = (tb - tg) * kSectorWidth;
    if (g == max) hue = (2 + tr - tb) * kSectorWidth;
    if (b == max) hue = (4 + tg - tr) * kSectorWidth;
    if (!(hue > 0)) hue += kFullTurn;
    H = hue;
}

HsiColor RgbBytesToHsi(std::uint8_t R, std::uint8_t G, std::uint8_t B) {
    // Distinct bytes scale to distinct doubles, so comparing bytes decides what RgbToHsi decides
    // by comparing the scaled values, and its minimum and maximum are the scaled extreme bytes.
    const std::uint8_t maxByte = std::max({R, G, B}), minByte = std::min({R, G, B});
    const double max = kScaledBytes[maxByte], min = kScaledBytes[minByte];
    HsiColor out;
    out.I = max;
    out.S = maxByte == 0 ? 0 : (max - min) / max;
    if (maxByte == minByte) {
        out.H = 0;
        return out;
    }
    // (max − c) / (max − min) is exactly 0 for a channel at the maximum and exactly 1 for one at
    // the minimum (the same difference divided by itself); only a middle channel divides.
    const double range = max - min;
    const auto t = [&](std::uint8_t c) {
        return c == maxByte ? 0.0 : c == minByte ? 1.0 : (max - kScaledBytes[c]) / range;
    };
    // The last of RgbToHsi's three tests that holds decides the hue.
    double hue;
    if (B == maxByte) hue = (4 + t(G) - t(R)) * kSectorWidth;
    else if (G == maxByte) hue = (2 + t(R) - t(B)) * kSectorWidth;
    else hue = (t(B) - t(G)) * kSectorWidth;
    if (!(hue > 0)) hue += kFullTurn;
    out.H = hue;
    return out;
}

bool HsiToRgb(double H, double S, double I, double& R, double& G, double& B) {
    if (S == 0) {
        R = G = B = I * 255;
        return true;
    }
    if (H < 0) H += kFullTurn;

    // The sector stays a double until it is known to be 0..5: a hue far outside the
    // range (or NaN) must not be converted to an int.
    double sector = std::trunc(H * 3 * kSectorFactor);
    if (H >= kWrapThreshold) sector = 0;
    if (!(sector >= 0 && sector <= 5)) return false;
    const int k = static_cast<int>(sector);

    // The fraction is the hue in radians minus the sector number, not hue / width − k.
    const double f = H - k;
    const double p = clampUnit((1 - S) * I);
    const double q = clampUnit(I * (1 - S * f));
    const double t = clampUnit(I * (1 - S * (1 - f)));

    switch (k) {
        case 0: R = I * 255; G = t * 255; B = p * 255; break;
        case 1: R = q * 255; G = I * 255; B = p * 255; break;
        case 2: R = p * 255; G = I * 255; B = t * 255; break;
        case 3: R = p * 255; G = q * 255; B = I * 255; break;
        case 4: R = t * 255; G = p * 255; B = I * 255; break;
        default: R = I * 255; G = p * 255; B = q * 255; break;
    }
    return true;
}

std::string formatHsi(double H, double S, double I) {
    std::string out;
    appendFixed3(out, H);
    out += ", ";
    appendFixed3(out, S);
    out += ", ";
    appendFixed3(out, I);
    return out;
}

}  // namespace veltrane
