#include "image/converted_colour_cache.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "common/wide_loops.h"

namespace veltrane {

namespace {

constexpr int kSlotBits = 19;
constexpr std::uint32_t kTagMask = (1u << (24 - kSlotBits)) - 1;

inline std::uint32_t hashOf(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint32_t colour = std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
    return colour * 0x9E3779B1u & 0xFFFFFF;
}
inline std::uint32_t slotOf(std::uint32_t hash) { return hash >> (24 - kSlotBits); }
inline bool holds(std::uint32_t entry, std::uint32_t hash) { return entry >> 24 == (hash & kTagMask); }
inline std::uint32_t entryOf(std::uint32_t hash, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (hash & kTagMask) << 24 | std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
}

// Pixels are taken in blocks: hashing, looking up, spotting misses and writing the results
// back are each a loop of their own over the block, so the table reads of a block are all under
// way at once and the loops without look-ups vectorise; only the misses are converted one by one.
constexpr int kBlock = 64;

// One block of n ≤ kBlock pixels of a row, in place.
VELTRANE_WIDE_LOOP void convertBlock(std::uint8_t* __restrict r, std::uint8_t* __restrict g,
                                     std::uint8_t* __restrict b, int n, std::uint32_t* __restrict slots,
                                     ColourConversion convert, const void* context) {
    std::uint32_t hashes[kBlock], entries[kBlock];
    alignas(8) std::uint8_t missed[kBlock];
    for (int i = 0; i < n; ++i) hashes[i] = hashOf(r[i], g[i], b[i]);
    for (int i = 0; i < n; ++i) entries[i] = slots[slotOf(hashes[i])];
    for (int i = 0; i < n; ++i) missed[i] = !holds(entries[i], hashes[i]);
    std::fill(missed + n, missed + kBlock, 0);
    // A colour met twice in one block misses twice when its first conversion came after the
    // look-ups; both convert it alike.
    for (int i = 0; i < kBlock; i += 8) {
        std::uint64_t lanes;
        std::memcpy(&lanes, missed + i, 8);
        for (; lanes != 0; lanes &= lanes - 1) {
            const int j = i + std::countr_zero(lanes) / 8;
            std::uint8_t nr = r[j], ng = g[j], nb = b[j];
            convert(context, nr, ng, nb);
            entries[j] = slots[slotOf(hashes[j])] = entryOf(hashes[j], nr, ng, nb);
        }
    }
    for (int i = 0; i < n; ++i) {
        r[i] = static_cast<std::uint8_t>(entries[i] >> 16);
        g[i] = static_cast<std::uint8_t>(entries[i] >> 8);
        b[i] = static_cast<std::uint8_t>(entries[i]);
    }
}

}  // namespace

ConvertedColourCache::ConvertedColourCache(ColourConversion convert, const void* context)
    : storage_(std::size_t{4} << kSlotBits, 0xFF),
      slots_(reinterpret_cast<std::uint32_t*>(storage_.data())),
      convert_(convert),
      context_(context) {}

void ConvertedColourCache::convertRow(std::uint8_t* r, std::uint8_t* g, std::uint8_t* b, int n) {
    for (int x = 0; x < n; x += kBlock)
        convertBlock(r + x, g + x, b + x, std::min(kBlock, n - x), slots_, convert_, context_);
}

}  // namespace veltrane
