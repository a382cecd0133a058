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


}  // namespace veltrane::test
