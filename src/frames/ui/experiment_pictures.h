#pragma once
// Showing a bitmap in one of the frame-processing window's picture controls.
#include "image/bitmap24.h"

namespace veltrane {

class PictureView;

// The control gets a copy of its own: the bitmap may be refilled or freed while the control
// goes on showing what it had.
void showPicture(PictureView& view, const Bitmap24& bitmap);

}  // namespace veltrane
