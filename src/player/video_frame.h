#pragma once
// A decoded video frame as a media engine delivers it: B, G, R bytes per pixel, rows `stride`
// bytes apart, top row first. The frame does not own its bytes; `owner` keeps whatever holds
// them (a mapped GStreamer sample, a test's vector) alive for as long as a copy of the frame
// exists.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace veltrane {

struct VideoFrame {
    std::shared_ptr<const void> owner;
    const std::uint8_t* bits = nullptr;
    std::size_t size = 0;  // bytes readable from bits
    int width = 0;
    int height = 0;
    int stride = 0;
    std::uint64_t serial = 0;  // 1, 2, ... in the order the engine received frames

    bool isNull() const { return bits == nullptr; }
};

}  // namespace veltrane
