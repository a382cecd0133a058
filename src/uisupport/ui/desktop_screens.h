#pragma once
// The desktop's screens as the placement checks of the core see them.
#include <vector>

#include "common/screen_geometry.h"

namespace veltrane {

// Every screen's full rectangle in desktop coordinates.
std::vector<ScreenRect> desktopScreens();

}  // namespace veltrane
