#pragma once
// Pictures and comparisons shared by the mask effect tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "image/color_planes.h"
#include "support/plane_fixtures.h"

namespace veltrane::test {

// A picture of random bytes, different in each plane.
inline ColorPlanes randomPicture(int w, int h, unsigned seed) {
    ColorPlanes planes(w, h);
    std::mt19937 generator(seed);
    for (Plane* plane : {&planes.R, &planes.G, &planes.B})
        for (std::size_t i = 0; i < plane->size(); ++i) plane->data()[i] = static_cast<std::uint8_t>(generator());
    return planes;
}

inline void expectSamePlanes(const ColorPlanes& actual, const ColorPlanes& expected) {
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    EXPECT_EQ(bytes(actual.R), bytes(expected.R)) << "R differs";
    EXPECT_EQ(bytes(actual.G), bytes(expected.G)) << "G differs";
    EXPECT_EQ(bytes(actual.B), bytes(expected.B)) << "B differs";
}

}  // namespace veltrane::test
