#pragma once
// What a frame grab hands over: the frame at the asked position as the picture side's working
// bitmap, and how it was come by.
#include "image/bitmap24.h"

namespace veltrane {

struct GrabResult {
    enum class Status {
        Ok,         // the frame at the asked position
        LastFrame,  // the frame at the position did not come in time: the last one shown
        NoMedia,    // nothing is open
        NoVideo,    // the open file has no decodable video
        NoFrame,    // no frame came at all
    };

    Status status = Status::NoFrame;
    Bitmap24 frame;

    bool hasFrame() const { return !frame.empty(); }
};

}  // namespace veltrane
