#include "image/pixel_buffer.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>
#include <new>
#include <vector>
#if defined(__linux__)
#include <sys/mman.h>
#endif

// Under AddressSanitizer every release goes back to the allocator, so a use after release is
// still caught.
#if defined(__SANITIZE_ADDRESS__)
#define VELTRANE_KEEP_RELEASED_BUFFERS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELTRANE_KEEP_RELEASED_BUFFERS 0
#endif
#endif
#ifndef VELTRANE_KEEP_RELEASED_BUFFERS
#define VELTRANE_KEEP_RELEASED_BUFFERS 1
#endif

namespace veltrane {

namespace {

constexpr std::size_t kHugePage = PixelBuffer::kLargeSize;

std::size_t capacityFor(std::size_t size) {
    return size >= PixelBuffer::kLargeSize ? (size + kHugePage - 1) / kHugePage * kHugePage : size;
}

// Released large buffers, oldest first. A buffer is reused only by a request of exactly its
// capacity (whole huge pages), which is what a picture of the same size asks for.
class KeptBuffers {
public:
    KeptBuffers() { kept_.reserve(PixelBuffer::kKeptBuffers); }  // keep() runs in a deleter: no allocation there

    // The most recently released match: its pages are the likeliest to be in the cache.
    std::uint8_t* take(std::size_t capacity) {
        const std::lock_guard lock(mutex_);
        for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
            if (it->capacity != capacity) continue;
            std::uint8_t* p = it->data;
            bytes_ -= capacity;
            kept_.erase(std::next(it).base());
            return p;
        }
        return nullptr;
    }

    // Keeps `p` unless it alone exceeds the byte limit; makes room by freeing the oldest.
    bool keep(std::uint8_t* p, std::size_t capacity) {
        if (!VELTRANE_KEEP_RELEASED_BUFFERS || capacity > PixelBuffer::kKeptBytes) return false;
        const std::lock_guard lock(mutex_);
        while (!kept_.empty() &&
               (kept_.size() >= PixelBuffer::kKeptBuffers || bytes_ + capacity > PixelBuffer::kKeptBytes)) {
            std::free(kept_.front().data);
            bytes_ -= kept_.front().capacity;
            kept_.erase(kept_.begin());
        }
        kept_.push_back({p, capacity});
        bytes_ += capacity;
        return true;
    }

private:
    struct Kept {
        std::uint8_t* data;
        std::size_t capacity;
    };
    std::mutex mutex_;
    std::vector<Kept> kept_;
    std::size_t bytes_ = 0;
};

// Never destroyed: buffers held by static objects may be released during exit, after any
// function-local static would have been destroyed.
KeptBuffers& keptBuffers() {
    static KeptBuffers* const kept = new KeptBuffers;
    return *kept;
}

AllocationGate allocationGate = nullptr;

std::uint8_t* allocate(std::size_t capacity) {
    if (capacity == 0) return nullptr;
    if (allocationGate && !allocationGate(capacity)) throw std::bad_alloc();
    void* p = nullptr;
    if (capacity >= PixelBuffer::kLargeSize) {
        if (std::uint8_t* kept = keptBuffers().take(capacity)) return kept;
        if (posix_memalign(&p, kHugePage, capacity) != 0) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        madvise(p, capacity, MADV_HUGEPAGE);  // advice only: failure leaves ordinary pages
#endif
    } else {
        p = std::malloc(capacity);
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

void PixelBuffer::Release::operator()(std::uint8_t* p) const {
    if (capacity >= kLargeSize && keptBuffers().keep(p, capacity)) return;
    std::free(p);
}

PixelBuffer::PixelBuffer(std::size_t size) : data_(allocate(capacityFor(size)), Release{capacityFor(size)}), size_(size) {}

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
