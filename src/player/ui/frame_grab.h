#pragma once
// A grabbed video frame in the layout the player hands over: B, G, R bytes per pixel, the
// bottom row first, every row padded with zero bytes to a multiple of 4.
#include <cstddef>
#include <cstdint>
#include <vector>

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
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;  // height rows of rowBytes(), bottom row first

    bool hasFrame() const { return !bits.empty(); }
    int rowBytes() const;
};

// 3 × width rounded up to a multiple of 4.
int paddedRowBytes(int width);

// Packs a top-down frame of `width` × `height` B, G, R pixels whose rows lie `stride` bytes apart
// in a buffer of `size` bytes into the bottom-up, padded layout. A frame of size 0, a stride
// shorter than a row or a buffer too small for the rows leaves `bits` empty and the status
// NoFrame: nothing is read past the buffer.
GrabResult packBottomUp(const std::uint8_t* top, std::size_t size, int width, int height, int stride);

}  // namespace veltrane
