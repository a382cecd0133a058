#pragma once
// The colour extraction: pixels whose hue lies in a ticked one of six hue sectors keep their
// colour, every other pixel turns black. The hue is the one RgbToHsi computes, compared with
// the sector bounds as a double, so a colour whose true hue lies on a bound may fall on
// either side of it.
#include <array>
#include <cstdint>

#include "image/color_planes.h"
#include "image/letterbox.h"

namespace veltrane {

// The sectors in the order they are tested: 0 "赤", 1 "黄色", 2 "緑", 3 "水色", 4 "青", 5 "紫".
inline constexpr int kHueSectorCount = 6;
using SectorChoice = std::array<bool, kHueSectorCount>;  // true: the sector's pixels are kept

// The first sector whose bounds hold the hue (bounds are shared, so a hue on one belongs to
// the earlier sector); -1 for a hue in none (a negative one).
int hueSector(double hue);

// The sector of each pixel of a row of count pixels, equal to hueSector of the hue RgbToHsi
// gives for it, decided mostly by integer comparisons.
void colourSectors(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, std::int8_t* sectors,
                   int count);

// Blackens the pixels of the area whose sector is not chosen, in place.
void extractColours(ColorPlanes& planes, const PictureArea& area, const SectorChoice& chosen);

// Blackens every pixel whose sector is not chosen, in place, row by row, reporting each
// finished row.
void extractColours(ColorPlanes& planes, const SectorChoice& chosen, const RowProgress& progress = {});

}  // namespace veltrane
