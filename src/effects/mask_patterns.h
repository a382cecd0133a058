#pragma once
// The four kinds of PatternMask, one routine each (see mask_effects.h for what they do).
#include "image/color_planes.h"

namespace veltrane {

void WinMask(ColorPlanes& planes);
void MekoMask(ColorPlanes& planes);
void FlMask(ColorPlanes& planes);
void RainbowMask(ColorPlanes& planes);

}  // namespace veltrane
