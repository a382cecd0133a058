#pragma once
// Small pictures for the adjustment tests: a row of given pixels, pixel access, planes compare.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "image/color_planes.h"
#include "image/letterbox.h"
#include "support/plane_fixtures.h"

namespace veltrane::testing {

using Px = std::array<int, 3>;  // R, G, B

inline ColorPlanes pixelRow(std::initializer_list<Px> pixels) {
    ColorPlanes planes(static_cast<int>(pixels.size()), 1);
    int x = 0;
    for (const Px& p : pixels) {
        planes.R[0][x] = static_cast<std::uint8_t>(p[0]);
        planes.G[0][x] = static_cast<std::uint8_t>(p[1]);
        planes.B[0][x] = static_cast<std::uint8_t>(p[2]);
        ++x;
    }
    return planes;
}

inline ColorPlanes single(const Px& p) { return pixelRow({p}); }

inline Px at(const ColorPlanes& planes, int y, int x) { return {planes.R[y][x], planes.G[y][x], planes.B[y][x]}; }

inline PictureArea wholeArea(const ColorPlanes& planes) { return {0, planes.height, 0, planes.width}; }

// A picture whose pixels all differ from their neighbours and whose planes differ.
inline ColorPlanes patterned(int w, int h, std::uint32_t seed = 7) {
    ColorPlanes planes(w, h);
    std::uint32_t s = seed;
    for (Plane* plane : {&planes.R, &planes.G, &planes.B})
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                s = s * 1664525u + 1013904223u;
                (*plane)[y][x] = static_cast<std::uint8_t>(s >> 24);
            }
    return planes;
}

using test::bytes;
using test::expectSamePlanes;

}  // namespace veltrane::testing
