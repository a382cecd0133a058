#pragma once
// Small pictures for algorithm tests, written pixel by pixel, and their comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "image/color_planes.h"
#include "image/image_document.h"

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

// A working bitmap (a saved or shown picture) split into planes, to compare with expected ones.
inline ColorPlanes planesOf(const Bitmap24& bitmap) {
    ColorPlanes planes(bitmap.width(), bitmap.height());
    splitBitmap(bitmap, planes);
    return planes;
}

// Two working bitmaps of one size, not empty, with the same pixels (row padding aside).
inline bool samePixels(const Bitmap24& a, const Bitmap24& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.empty()) return false;
    for (int y = 0; y < a.height(); ++y)
        if (!std::equal(a.row(y), a.row(y) + 3 * a.width(), b.row(y))) return false;
    return true;
}

// How many pixels differ in any channel; a size mismatch fails the test and gives −1.
inline int differingPixels(const ColorPlanes& actual, const ColorPlanes& expected) {
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
    if (actual.width != expected.width || actual.height != expected.height) return -1;
    int differing = 0;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            differing += actual.R[y][x] != expected.R[y][x] || actual.G[y][x] != expected.G[y][x] ||
                         actual.B[y][x] != expected.B[y][x];
    return differing;
}

}  // namespace veltrane::test
