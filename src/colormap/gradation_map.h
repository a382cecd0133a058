#pragma once
// The gradation map: every pixel takes the colour that a 256-entry gradient gives its
// luminance. The chosen gradient and the options ("逆", the channel exchange, "反転") fold into
// one lookup table, luminance → colour, that the preview, the colour bar and the final pass
// all read.
#include "colormap/gradient_catalogue.h"
#include "image/color_planes.h"

namespace veltrane {

struct GradationOptions {
    bool reverse = false;  // "逆": luminance L takes entry L; otherwise entry 255 − L
    int exchangeMode = 0;  // 0..5, an order of kChannelOrders applied to the entry's colour
    bool invert = false;   // "反転": each output channel v becomes 255 − v
};

// The colour each luminance 0..255 receives from gradient with the given options.
GradientTable gradationLookup(const GradientTable& gradient, const GradationOptions& options);

// The preview: every pixel of the box, black bands included, looked up by its floating-point
// luminance trunc(0.3 R + 0.59 G + 0.11 B) in source; result has the same size.
void renderGradationPreview(const ColorPlanes& source, ColorPlanes& result, const GradientTable& lookup);

// The colour bar under the previews: column c shows the colour of luminance c.
inline constexpr int kGradationBarWidth = 255;
inline constexpr int kGradationBarHeight = 33;
void renderGradationBar(ColorPlanes& bar, const GradientTable& lookup);

// The final pass, in place: every pixel looked up by its integer luminance
// (30 R + 59 G + 11 B) / 100. Its one buffer is allocated before any pixel changes.
void applyGradationMap(ColorPlanes& planes, const GradientTable& lookup);

}  // namespace veltrane
