// Byte-table look-ups: the pair table maps every pair of neighbouring bytes as two single
// look-ups do, at every start and length (the 16-byte steps and the byte-at-a-time tail), in
// place too.
#include "image/byte_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrane {
namespace {

TEST(BytePairTable, MapsEveryPairAsTheSingleTableDoes) {
    // A table that is no simple function of its index.
    std::uint8_t table[256];
    for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>((v * 167 + 13) ^ (v >> 3));
    const BytePairTable pairs(table);

    // Every (a, b) pair, a at even offsets and again at odd ones.
    std::vector<std::uint8_t> in(2 * 65536 + 1);
    for (std::size_t i = 0; i < 65536; ++i) {
        in[2 * i] = static_cast<std::uint8_t>(i);
        in[2 * i + 1] = static_cast<std::uint8_t>(i >> 8);
    }
    in.back() = 7;
    std::vector<std::uint8_t> expected(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) expected[i] = table[in[i]];

    for (const int begin : {0, 1}) {
        SCOPED_TRACE(begin);
        std::vector<std::uint8_t> out(in.size(), 0xAA);
        pairs.map(in.data(), out.data(), begin, static_cast<int>(in.size()));
        if (begin == 1) {
            EXPECT_EQ(out[0], 0xAA) << "bytes before begin are left alone";
        }
        for (std::size_t i = static_cast<std::size_t>(begin); i < in.size(); ++i) ASSERT_EQ(out[i], expected[i]) << i;
    }

    // Short runs, in place: lengths around the 16-byte step.
    for (int length = 0; length <= 33; ++length) {
        SCOPED_TRACE(length);
        std::vector<std::uint8_t> run(in.begin() + 1000, in.begin() + 1000 + length);
        pairs.map(run.data(), run.data(), 0, length);
        for (int i = 0; i < length; ++i) EXPECT_EQ(run[i], expected[1000 + i]);
    }
}

}  // namespace
}  // namespace veltrane
