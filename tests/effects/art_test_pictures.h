#pragma once
// Pictures and comparisons for the artistic-effect tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "image/color_planes.h"

namespace veltrane::test {

// A picture of random bytes; with a palette, each byte is drawn from it instead (few values make
// ties and flat areas likely).
inline ColorPlanes randomPicture(int w, int h, unsigned seed, const std::vector<std::uint8_t>& palette = {}) {
    ColorPlanes planes(w, h);
    std::mt19937 engine(seed);
    for (Plane* plane : {&planes.R, &planes.G, &planes.B})
        for (std::size_t i = 0; i < plane->size(); ++i) {
            const unsigned draw = engine();
            plane->data()[i] = palette.empty() ? static_cast<std::uint8_t>(draw & 0xFF) : palette[draw % palette.size()];
        }
    return planes;
}

// Every byte of both pictures equal; names the first differing pixel.
inline ::testing::AssertionResult samePlanes(const ColorPlanes& actual, const ColorPlanes& expected) {
    if (actual.width != expected.width || actual.height != expected.height)
        return ::testing::AssertionFailure() << "sizes differ";
    const char* names = "RGB";
    const Plane* a[3] = {&actual.R, &actual.G, &actual.B};
    const Plane* e[3] = {&expected.R, &expected.G, &expected.B};
    for (int c = 0; c < 3; ++c)
        for (int y = 0; y < actual.height; ++y)
            for (int x = 0; x < actual.width; ++x)
                if ((*a[c])[y][x] != (*e[c])[y][x])
                    return ::testing::AssertionFailure()
                           << names[c] << " at row " << y << " column " << x << ": " << int((*a[c])[y][x])
                           << " instead of " << int((*e[c])[y][x]);
    return ::testing::AssertionSuccess();
}

inline std::string sizeName(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

// Sizes every windowed effect is compared with its reference on.
struct Size {
    int w, h;
};
inline std::vector<Size> comparisonSizes() {
    std::vector<Size> sizes;
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) sizes.push_back({w, h});
    for (Size s : {Size{1, 9}, Size{9, 1}, Size{17, 13}, Size{193, 67}, Size{31, 40}}) sizes.push_back(s);
    return sizes;
}

}  // namespace veltrane::test
