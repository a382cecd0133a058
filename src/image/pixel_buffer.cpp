#include "image/pixel_buffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace veltrane {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

AllocationGate allocationGate = nullptr;

std::uint8_t* allocate(std::size_t size) {
    if (size == 0) return nullptr;
    if (allocationGate && !allocationGate(size)) throw std::bad_alloc();
    void* p = nullptr;
    if (size >= kHugePage) {
        const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        if (posix_memalign(&p, kHugePage, rounded) != 0) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        madvise(p, rounded, MADV_HUGEPAGE);  // advice only: failure leaves ordinary pages
#endif
    } else {
        p = std::malloc(size);
        if (!p) throw std::bad_alloc();
    }
    return static_cast<std::uint8_t*>(p);
}

}  // namespace

AllocationGate setAllocationGate(AllocationGate gate) {
    const AllocationGate previous = allocationGate;
    allocationGate = gate;
    return previous;
}

void PixelBuffer::Free::operator()(std::uint8_t* p) const { std::free(p); }

PixelBuffer::PixelBuffer(std::size_t size) : data_(allocate(size)), size_(size) {}

PixelBuffer::PixelBuffer(std::size_t size, std::uint8_t fill) : PixelBuffer(size) {
    if (size_) std::memset(data_.get(), fill, size_);
}

PixelBuffer::PixelBuffer(const PixelBuffer& other) : PixelBuffer(other.size_) {
    if (size_) std::memcpy(data_.get(), other.data_.get(), size_);
}

PixelBuffer& PixelBuffer::operator=(const PixelBuffer& other) {
    if (this != &other) *this = PixelBuffer(other);
    return *this;
}

}  // namespace veltrane
