#include "colormap/gradation_map.h"

#include <vector>

#include "colormap/channel_orders.h"
#include "image/byte_table.h"
#include "image/color_model.h"
#include "image/histogram.h"

namespace veltrane {

namespace {

// Writes the colours of a row of luminances into three channel rows.
void lookupRow(const std::uint8_t* luminance, const GradientTable& lookup, std::uint8_t* r, std::uint8_t* g,
               std::uint8_t* b, int n) {
    mapBytes(luminance, r, 0, n, lookup.R.data());
    mapBytes(luminance, g, 0, n, lookup.G.data());
    mapBytes(luminance, b, 0, n, lookup.B.data());
}

}  // namespace

GradientTable gradationLookup(const GradientTable& gradient, const GradationOptions& options) {
    GradientTable lookup;
    const std::uint8_t flip = options.invert ? 255 : 0;
    for (int L = 0; L < kGradientEntries; ++L) {
        const int e = options.reverse ? L : 255 - L;
        const auto out = exchangeChannels(options.exchangeMode, gradient.R[e], gradient.G[e], gradient.B[e]);
        lookup.R[L] = out[0] ^ flip;  // 255 − v for a byte v
        lookup.G[L] = out[1] ^ flip;
        lookup.B[L] = out[2] ^ flip;
    }
    return lookup;
}

void renderGradationPreview(const ColorPlanes& source, ColorPlanes& result, const GradientTable& lookup) {
    std::vector<std::uint8_t> luminance(static_cast<std::size_t>(source.width));
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* r = source.R[y];
        const std::uint8_t* g = source.G[y];
        const std::uint8_t* b = source.B[y];
        for (int x = 0; x < source.width; ++x)
            luminance[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(FloatLuminance(r[x], g[x], b[x]));
        lookupRow(luminance.data(), lookup, result.R[y], result.G[y], result.B[y], source.width);
    }
}

void renderGradationBar(ColorPlanes& bar, const GradientTable& lookup) {
    std::vector<std::uint8_t> luminance(static_cast<std::size_t>(bar.width));
    for (int c = 0; c < bar.width; ++c) luminance[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c);
    for (int y = 0; y < bar.height; ++y) lookupRow(luminance.data(), lookup, bar.R[y], bar.G[y], bar.B[y], bar.width);
}

void applyGradationMap(ColorPlanes& planes, const GradientTable& lookup) {
    std::vector<std::uint8_t> luminance(static_cast<std::size_t>(planes.width));
    for (int y = 0; y < planes.height; ++y) {
        // The row's luminances are taken before any of its channels is overwritten.
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luminance.data(), planes.width);
        lookupRow(luminance.data(), lookup, planes.R[y], planes.G[y], planes.B[y], planes.width);
    }
}

}  // namespace veltrane
