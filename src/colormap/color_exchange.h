#pragma once
// The colour exchange: every pixel's channels rearranged in one of the orders of
// kChannelOrders (mode 0 keeps them as they are), then any output channel whose keep flag is
// off set to 0. The preview runs it over the picture area of the reduced copy, OK over the
// whole of the current planes.
#include "image/color_planes.h"
#include "image/letterbox.h"

namespace veltrane {

// One flag per output channel: true keeps the channel, false blanks it.
struct ChannelKeep {
    bool red = true, green = true, blue = true;
};

// Exchanges (mode 0..5) and blanks the pixels of the area, in place.
void exchangeColours(ColorPlanes& planes, const PictureArea& area, int mode, ChannelKeep keep);

// Exchanges and blanks every pixel in place, row by row, reporting each finished row.
void exchangeColours(ColorPlanes& planes, int mode, ChannelKeep keep, const RowProgress& progress = {});

}  // namespace veltrane
