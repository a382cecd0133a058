#pragma once
// From an effect code to its routine or routines, for the preview and for the apply alike.
#include "common/random_generator.h"
#include "image/color_planes.h"

namespace veltrane {

// Runs the routine(s) of `code` on planes (their own height and width). checkedOption is the
// number of the checked option button, 1 to 6, or 0 when none is; each routine reads it as its
// effect says. Only diffusion draws from random. Returns false, changing nothing, for a code
// outside the catalogue. Everything the routines need is allocated before the first pixel
// changes, so a std::bad_alloc leaves the planes as they were.
bool RunEffect(int code, ColorPlanes& planes, int checkedOption, RandomGenerator& random,
               const RowProgress& progress = {});

}  // namespace veltrane
