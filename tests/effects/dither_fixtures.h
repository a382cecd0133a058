#pragma once
// Pictures and comparisons shared by the dither tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "image/color_planes.h"
#include "support/plane_fixtures.h"

namespace veltrane::test {

inline ColorPlanes randomPicture(int w, int h, std::uint32_t seed) {
    std::mt19937 random(seed);
    ColorPlanes p(w, h);
    for (Plane* plane : {&p.R, &p.G, &p.B})
        for (std::size_t i = 0; i < plane->size(); ++i) plane->data()[i] = static_cast<std::uint8_t>(random());
    return p;
}

// Mid greys with runs of similar values, where diffused errors decide most pixels.
inline ColorPlanes smoothPicture(int w, int h, std::uint32_t seed) {
    std::mt19937 random(seed);
    ColorPlanes p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int base = 96 + (x * 7 + y * 3) % 64;
            p.R[y][x] = static_cast<std::uint8_t>(base + random() % 5);
            p.G[y][x] = static_cast<std::uint8_t>(base + random() % 5);
            p.B[y][x] = static_cast<std::uint8_t>(base + random() % 5);
        }
    return p;
}


// One plane as rows of '#' (255) and '.' (0), for readable expectations.
inline std::string shape(const Plane& plane, int w, int h) {
    std::string s;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) s += plane[y][x] == 255 ? '#' : plane[y][x] == 0 ? '.' : '?';
        s += '\n';
    }
    return s;
}

}  // namespace veltrane::test
