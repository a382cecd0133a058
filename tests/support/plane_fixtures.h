#pragma once
// Small pictures for algorithm tests, written pixel by pixel, and their comparison.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/color_planes.h"

namespace veltrane::test {

struct Rgb {
    std::uint8_t r, g, b;
};

// A picture from its pixels in row-major order.
inline ColorPlanes picture(int w, int h, const std::vector<Rgb>& pixels) {
    ColorPlanes planes(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb& p = pixels[static_cast<std::size_t>(y * w + x)];
            planes.R[y][x] = p.r;
            planes.G[y][x] = p.g;
            planes.B[y][x] = p.b;
        }
    return planes;
}

inline ColorPlanes uniform(int w, int h, Rgb colour) {
    return picture(w, h, std::vector<Rgb>(static_cast<std::size_t>(w) * h, colour));
}

// One plane's bytes in row-major order.
inline std::vector<std::uint8_t> bytes(const Plane& plane) { return {plane.data(), plane.data() + plane.size()}; }

// Both pictures of one size and equal byte for byte; `what` names the case in a failure.
inline void expectSamePlanes(const ColorPlanes& actual, const ColorPlanes& expected, const std::string& what = {}) {
    ASSERT_EQ(actual.width, expected.width) << what;
    ASSERT_EQ(actual.height, expected.height) << what;
    EXPECT_EQ(bytes(actual.R), bytes(expected.R)) << what << " red";
    EXPECT_EQ(bytes(actual.G), bytes(expected.G)) << what << " green";
    EXPECT_EQ(bytes(actual.B), bytes(expected.B)) << what << " blue";
}

}  // namespace veltrane::test
