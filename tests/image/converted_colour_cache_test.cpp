#include "image/converted_colour_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace veltrane {
namespace {

struct Colour {
    std::uint8_t r, g, b;
    bool operator==(const Colour&) const = default;
};

// A cheap conversion that tells colours apart, counting its calls through the context.
void scramble(const void* context, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
    ++*static_cast<int*>(const_cast<void*>(context));
    const std::uint8_t r0 = r;
    r = static_cast<std::uint8_t>(g ^ 0x5A);
    g = static_cast<std::uint8_t>(b + 17);
    b = static_cast<std::uint8_t>(r0 * 3);
}

Colour scrambled(Colour c) {
    int calls = 0;
    scramble(&calls, c.r, c.g, c.b);
    return c;
}

std::vector<Colour> convertedRow(ConvertedColourCache& cache, std::vector<Colour> colours) {
    std::vector<std::uint8_t> r, g, b;
    for (const Colour& c : colours) {
        r.push_back(c.r);
        g.push_back(c.g);
        b.push_back(c.b);
    }
    cache.convertRow(r.data(), g.data(), b.data(), static_cast<int>(colours.size()));
    for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = {r[i], g[i], b[i]};
    return colours;
}

Colour colourOf(std::uint32_t c) {
    return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}

TEST(ConvertedColourCache, EveryColourConvertsAsItsConversionSays) {
    int calls = 0;
    ConvertedColourCache cache(scramble, &calls);
    // Rows of an odd length, so blocks end anywhere; then the same colours again from the table.
    constexpr std::uint32_t kColours = 1u << 24, kRow = 999;
    std::uint8_t r[kRow], g[kRow], b[kRow];
    for (int pass = 0; pass < 2; ++pass) {
        std::uint32_t wrong = 0, firstWrong = 0;
        for (std::uint32_t start = 0; start < kColours; start += kRow) {
            const std::uint32_t n = std::min(kRow, kColours - start);
            for (std::uint32_t i = 0; i < n; ++i) {
                const Colour c = colourOf(start + i);
                r[i] = c.r;
                g[i] = c.g;
                b[i] = c.b;
            }
            cache.convertRow(r, g, b, static_cast<int>(n));
            for (std::uint32_t i = 0; i < n; ++i)
                if (!(Colour{r[i], g[i], b[i]} == scrambled(colourOf(start + i))) && wrong++ == 0) firstWrong = start + i;
        }
        EXPECT_EQ(wrong, 0u) << "pass " << pass << ", first wrong colour " << firstWrong;
    }
}

TEST(ConvertedColourCache, RepeatedColoursConvertOnceAndCollidingOnesStayApart) {
    int calls = 0;
    ConvertedColourCache cache(scramble, &calls);
    const std::vector<Colour> flat(300, Colour{10, 20, 30});
    EXPECT_EQ(convertedRow(cache, flat), std::vector<Colour>(300, scrambled({10, 20, 30})));
    EXPECT_LE(calls, 64) << "at most one miss per colour and block";
    EXPECT_GE(calls, 1);

    // Black hashes to 0; the colour hashing to 1 shares its slot with a different tag.
    std::uint32_t partner = 1;
    while ((partner * 0x9E3779B1u & 0xFFFFFF) != 1) ++partner;
    const Colour black{0, 0, 0}, other = colourOf(partner);
    std::vector<Colour> alternating;
    for (int i = 0; i < 200; ++i) alternating.push_back(i % 3 == 0 ? other : black);
    const std::vector<Colour> out = convertedRow(cache, alternating);
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], scrambled(alternating[i])) << "pixel " << i;
}

}  // namespace
}  // namespace veltrane
