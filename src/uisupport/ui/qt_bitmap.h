#pragma once
// Pictures crossing between Qt and the working bitmap (clipboard, screen grabs).
#include <QImage>

#include "image/bitmap24.h"

namespace veltrane {

// The picture as a working bitmap: any format converted to 24 bits, alpha dropped. The caller
// checks the size with isAllocatable first; a null picture gives an empty bitmap.
Bitmap24 bitmapFromImage(const QImage& image);

// A picture over the bitmap's own pixels, without a copy: it stays valid while the bitmap lives
// and keeps its size, and a control showing it needs update() after the bitmap is written.
QImage imageOver(const Bitmap24& bitmap);

// A picture holding its own copy of the bitmap's pixels, safe to keep after the bitmap goes.
QImage imageCopyOf(const Bitmap24& bitmap);

}  // namespace veltrane
