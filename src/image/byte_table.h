#pragma once
// Applying a 256-entry byte table to a run of bytes, shared by the table-driven passes
// (gamma, posterise, RGB offsets, tone curves). Eight bytes are read and written as one 64-bit word with
// eight table look-ups between: a third of the memory operations of a byte-at-a-time loop.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace veltrane {

inline void mapBytes(const std::uint8_t* in, std::uint8_t* out, int begin, int end, const std::uint8_t* table) {
    int x = begin;
    for (; x + 8 <= end; x += 8) {
        std::uint64_t w;
        std::memcpy(&w, in + x, 8);
        const std::uint64_t o = std::uint64_t{table[w & 0xFF]} | std::uint64_t{table[(w >> 8) & 0xFF]} << 8 |
                                std::uint64_t{table[(w >> 16) & 0xFF]} << 16 |
                                std::uint64_t{table[(w >> 24) & 0xFF]} << 24 |
                                std::uint64_t{table[(w >> 32) & 0xFF]} << 32 |
                                std::uint64_t{table[(w >> 40) & 0xFF]} << 40 |
                                std::uint64_t{table[(w >> 48) & 0xFF]} << 48 | std::uint64_t{table[w >> 56]} << 56;
        std::memcpy(out + x, &o, 8);
    }
    for (; x < end; ++x) out[x] = table[in[x]];
}

}  // namespace veltrane

namespace veltrane {

// The same look-up two bytes at a time: entry (b << 8 | a) holds table[a] | table[b] << 8, so a
// 64-bit word of input takes four look-ups instead of eight. The 128-KB table pays off on
// whole pictures, whose neighbouring bytes are alike and keep to a few cached lines of it.
class BytePairTable {
public:
    explicit BytePairTable(const std::uint8_t* table) : pairs_(65536) {
        std::copy_n(table, 256, single_.begin());
        for (std::size_t i = 0; i < pairs_.size(); ++i)
            pairs_[i] = static_cast<std::uint16_t>(table[i & 0xFF] | table[i >> 8] << 8);
    }

    // Maps in[begin, end) into out; in and out may be the same.
    void map(const std::uint8_t* in, std::uint8_t* out, int begin, int end) const {
        const std::uint16_t* pairs = pairs_.data();
        int x = begin;
        // Two words per step: their look-ups are independent of each other.
        for (; x + 16 <= end; x += 16) {
            std::uint64_t w[2];
            std::memcpy(w, in + x, 16);
            std::uint64_t o[2];
            for (int j = 0; j < 2; ++j)
                o[j] = std::uint64_t{pairs[w[j] & 0xFFFF]} | std::uint64_t{pairs[(w[j] >> 16) & 0xFFFF]} << 16 |
                       std::uint64_t{pairs[(w[j] >> 32) & 0xFFFF]} << 32 | std::uint64_t{pairs[w[j] >> 48]} << 48;
            std::memcpy(out + x, o, 16);
        }
        for (; x < end; ++x) out[x] = single_[in[x]];
    }

private:
    std::array<std::uint8_t, 256> single_{};
    std::vector<std::uint16_t> pairs_;
};

}  // namespace veltrane
