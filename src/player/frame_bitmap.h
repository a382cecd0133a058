#pragma once
// The one conversion of a video frame into the picture side's working bitmap.
#include <cstddef>
#include <cstdint>

#include "image/bitmap24.h"
#include "player/video_frame.h"

namespace veltrane {

// The order of a frame's rows in memory.
enum class RowOrder { TopFirst, BottomFirst };

// Builds a Bitmap24 (top row first, rows padded with zero bytes) from `width` × `height`
// B, G, R pixels whose rows lie `stride` bytes apart in a buffer of `size` bytes. A frame it
// cannot read whole (no pixels, a stride shorter than a row, a buffer too small for the rows,
// a size beyond isAllocatable) gives an empty bitmap: nothing is read past the buffer.
Bitmap24 frameToBitmap(const std::uint8_t* rows, std::size_t size, int width, int height, int stride,
                       RowOrder order = RowOrder::TopFirst);
// The same for a frame as the engine delivers it.
Bitmap24 frameToBitmap(const VideoFrame& frame);

}  // namespace veltrane
