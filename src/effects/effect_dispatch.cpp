#include "effects/effect_dispatch.h"

#include "effects/art_effects.h"
#include "effects/color_effects.h"
#include "effects/dither_effects.h"
#include "effects/filter_effects.h"
#include "effects/mask_effects.h"

namespace veltrane {

namespace {

// What the checked option button means to each routine. A state the option table leaves open
// (no button, or a button the code does not show) takes RadioButton1's meaning, except where
// the routine tests RadioButton1 first: the 3D direction and the diffusion radius are their
// second choice in any state but RadioButton1.
ConvolveChoice convolveChoice(int checked) { return checked == 2 ? ConvolveChoice::Second : ConvolveChoice::First; }

ArtOptions artOptions(int checked) {
    ArtOptions o;
    const auto index = static_cast<std::size_t>(checked >= 1 && checked <= 6 ? checked - 1 : 0);
    o.emboss = checked == 2 ? EmbossTone::Colour : EmbossTone::Grey;
    o.mosaicCell = kMosaicCells[checked == 2 ? 1 : 0];
    o.offset = checked == 1 ? OffsetDirection::Vertical : OffsetDirection::Horizontal;
    o.brick = kBrickSizes[index];
    o.brush = kPaintBrushes[index];
    o.diffusionRadius = kDiffusionRadii[checked == 1 ? 0 : 1];
    return o;
}

// The steps of a code, run in place; false for a code outside the catalogue.
bool runSteps(int code, ColorPlanes& planes, int checked, RandomGenerator& random, const RowProgress& progress) {
    if (code == 0) {
        ToGray(planes);
    } else if (code >= 1 && code <= 12) {
        ColorTint(planes, code - 1, progress);
    } else if (code == 13) {
        Negate(planes);
    } else if (code >= 14 && code <= 16) {
        ColorTint(planes, code - 2, progress);
    } else if (code >= 20 && code <= 23) {
        ConvolveFilter(planes, code - 20, convolveChoice(checked), progress);
    } else if (code >= 24 && code <= 28) {
        NeighbourFilter(planes, code - 24, progress);
    } else if (code == 29) {
        ErrorDiffuse(planes, checked == 1, progress);
    } else if (code == 40 || code == 41) {
        GlassStrips(planes, code - 40);
    } else if (code == 42) {
        GlassStrips(planes, 0);
        GlassStrips(planes, 1);
    } else if (code >= 43 && code <= 46) {
        static constexpr int kPatternKinds[] = {0, 2, 1, 3};  // WIN, FL, Meko, rainbow
        PatternMask(planes, kPatternKinds[code - 43]);
    } else if (code >= 47 && code <= 50) {
        XorMask(planes, code - 47);
    } else if (code >= 60 && code <= 65) {
        OrderedDither(planes, code - 60);
    } else if (code >= 80 && code <= 90) {
        const ArtOptions options = artOptions(checked);
        switch (code) {
        case 84: ArtEffect(planes, 6, options, progress); break;
        case 85: ArtEffect(planes, 4, options, progress); break;
        case 86: ArtEffect(planes, 5, options, progress); break;
        case 87:
            ArtEffect(planes, 6, options, progress);
            ConvolveFilter(planes, 1, convolveChoice(checked), progress);
            break;
        case 88:
            NeighbourFilter(planes, 0, progress);
            ArtEffect(planes, 7, options, progress);
            break;
        case 89:
            ConvolveFilter(planes, 1, convolveChoice(checked), progress);
            NeighbourFilter(planes, 3, progress);
            break;
        case 90: ArtEffect(planes, 8, options, random, progress); break;
        default: ArtEffect(planes, code - 80, options, progress); break;  // 80 to 83
        }
    } else {
        return false;
    }
    return true;
}

bool isTwoSteps(int code) { return code == 42 || code == 87 || code == 88 || code == 89; }

}  // namespace

bool RunEffect(int code, ColorPlanes& planes, int checkedOption, RandomGenerator& random, const RowProgress& progress) {
    if (!isTwoSteps(code)) return runSteps(code, planes, checkedOption, random, progress);
    // The second step takes its memory after the first has changed pixels: both run on a copy,
    // which replaces the planes only when the second has finished.
    ColorPlanes work = planes;
    runSteps(code, work, checkedOption, random, progress);
    planes = std::move(work);
    return true;
}

}  // namespace veltrane
