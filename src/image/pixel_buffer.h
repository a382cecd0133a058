#pragma once
// Byte storage for pictures and planes. Large buffers are aligned to 2 MiB and advised to
// use huge pages: a 12-megapixel picture is held three times, and first touching that much
// memory in 4 KiB pages costs more than decoding the JPEG. Contents start undefined unless
// a fill is asked for.
//
// Large buffers that are released are kept for reuse (up to kKeptBuffers of them and
// kKeptBytes in all, the oldest given back first): opening one picture after another (a
// folder walk) then takes the pages the previous picture released instead of having the
// kernel clear fresh ones, which costs a sizeable part of a decode.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace veltrane {

// Decides whether an allocation of this many bytes may go ahead; tests install one that
// refuses on demand, to show that a failed allocation leaves everything as it was.
using AllocationGate = bool (*)(std::size_t size);
// Installs gate (null: every allocation goes ahead) and returns the previous one.
AllocationGate setAllocationGate(AllocationGate gate);

class PixelBuffer {
public:
    // Buffers of at least this many bytes are huge-page aligned and kept for reuse.
    static constexpr std::size_t kLargeSize = std::size_t{2} << 20;
    static constexpr std::size_t kKeptBuffers = 8;
    static constexpr std::size_t kKeptBytes = std::size_t{512} << 20;

    PixelBuffer() = default;
    explicit PixelBuffer(std::size_t size);
    PixelBuffer(std::size_t size, std::uint8_t fill);
    PixelBuffer(const PixelBuffer& other);
    PixelBuffer& operator=(const PixelBuffer& other);
    PixelBuffer(PixelBuffer&&) noexcept = default;
    PixelBuffer& operator=(PixelBuffer&&) noexcept = default;

    std::uint8_t* data() { return data_.get(); }
    const std::uint8_t* data() const { return data_.get(); }
    std::size_t size() const { return size_; }

private:
    struct Release {
        std::size_t capacity;  // bytes actually allocated (large buffers: whole huge pages)
        void operator()(std::uint8_t* p) const;
    };
    std::unique_ptr<std::uint8_t[], Release> data_;
    std::size_t size_ = 0;
};

}  // namespace veltrane
