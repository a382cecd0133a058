// 3D and diffusion against literal references: whole copies of the planes, the loops as the
// effects describe them, and diffusion's comparison of real quotients.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "common/random_generator.h"
#include "effects/art_effects.h"
#include "effects/art_test_pictures.h"
#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::comparisonSizes;
using test::randomPicture;
using test::samePlanes;
using test::sizeName;
using test::uniform;

ColorPlanes Offset3DReference(const ColorPlanes& in, OffsetDirection direction) {
    ColorPlanes out = in;
    const int h = in.height, w = in.width;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (direction == OffsetDirection::Vertical) {
                if (y - 15 >= 0) out.R[y - 15][x] = in.R[y][x];
                if (y + 15 < h - 1) out.B[y + 15][x] = in.B[y][x];
            } else {
                if (x - 15 >= 0) out.R[y][x - 15] = in.R[y][x];
                if (x + 15 < w - 1) out.B[y][x + 15] = in.B[y][x];
            }
        }
    return out;
}

ColorPlanes DiffusionReference(const ColorPlanes& in, int d, RandomGenerator& random) {
    ColorPlanes out = in;
    struct Position {
        int y, x;
    };
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            std::vector<Position> candidates;
            for (int yy = y - d; yy <= y + d - 1; ++yy)
                for (int xx = x - d; xx <= x + d - 1; ++xx)
                    if (yy >= 0 && yy < in.height && xx >= 0 && xx < in.width) candidates.push_back({yy, xx});
            const int m = static_cast<int>(candidates.size());
            const double u = random.next() / 32767.0;
            for (int k = 0; k < m; ++k)
                if (static_cast<double>(k) / m > u) {
                    const Position p = candidates[k];
                    out.R[y][x] = in.R[p.y][p.x];
                    out.G[y][x] = in.G[p.y][p.x];
                    out.B[y][x] = in.B[p.y][p.x];
                    break;
                }
        }
    return out;
}

TEST(Art3D, VerticalKeepsTheRowsNothingReaches) {
    const ColorPlanes in = randomPicture(5, 40, 9);
    ColorPlanes planes = in;
    Offset3D(planes, OffsetDirection::Vertical);
    EXPECT_EQ(test::bytes(planes.G), test::bytes(in.G));
    for (int x = 0; x < 5; ++x) {
        for (int y = 0; y < 25; ++y) ASSERT_EQ(planes.R[y][x], in.R[y + 15][x]) << y;
        for (int y = 25; y < 40; ++y) ASSERT_EQ(planes.R[y][x], in.R[y][x]) << y;
        for (int y = 0; y < 15; ++y) ASSERT_EQ(planes.B[y][x], in.B[y][x]) << y;
        for (int y = 15; y < 39; ++y) ASSERT_EQ(planes.B[y][x], in.B[y - 15][x]) << y;
        ASSERT_EQ(planes.B[39][x], in.B[39][x]);
    }
}

TEST(Art3D, EqualsTheReferenceInBothDirections) {
    std::vector<test::Size> sizes = comparisonSizes();
    for (test::Size s : {test::Size{15, 15}, test::Size{16, 16}, test::Size{17, 17}, test::Size{40, 2}})
        sizes.push_back(s);
    for (OffsetDirection direction : {OffsetDirection::Vertical, OffsetDirection::Horizontal})
        for (test::Size s : sizes) {
            const ColorPlanes in = randomPicture(s.w, s.h, 21u * s.w + s.h);
            ColorPlanes planes = in;
            Offset3D(planes, direction);
            ASSERT_TRUE(samePlanes(planes, Offset3DReference(in, direction)))
                << sizeName(s.w, s.h) << (direction == OffsetDirection::Vertical ? " vertical" : " horizontal");
        }
}

TEST(ArtDiffusion, UniformPictureStaysAndDrawsOnePerPixel) {
    for (int d : kDiffusionRadii) {
        ColorPlanes planes = uniform(13, 7, {9, 80, 200});
        RandomGenerator random, expected;
        Diffusion(planes, d, random);
        for (int i = 0; i < 13 * 7; ++i) expected.next();
        EXPECT_TRUE(samePlanes(planes, uniform(13, 7, {9, 80, 200})));
        EXPECT_EQ(random.state(), expected.state()) << d;
    }
}

TEST(ArtDiffusion, EqualsTheReferenceFromTheSameGeneratorState) {
    for (int d : {kDiffusionRadii[0], kDiffusionRadii[1], 1, kMaxDiffusionRadius})
        for (test::Size s : comparisonSizes()) {
            const ColorPlanes in = randomPicture(s.w, s.h, 5u * s.w + s.h);
            RandomGenerator random, reference;
            random.seed(1234u + s.w);
            reference.seed(1234u + s.w);
            ColorPlanes planes = in;
            Diffusion(planes, d, random);
            ASSERT_TRUE(samePlanes(planes, DiffusionReference(in, d, reference))) << sizeName(s.w, s.h) << " d " << d;
            ASSERT_EQ(random.state(), reference.state());
        }
}

TEST(ArtDiffusion, FromStartUpStateOnAFixedPicture) {
    // 5 × 1, d = 3, red 10 20 30 40 50. From state 1 the draws are 346, 130, 10982, 1090, 11656;
    // the candidates are the columns x − 3 .. x + 2 inside the row, so k = r × m div 32767 + 1
    // picks columns 1, 1, 2, 1, 3. Pixel 4 reads column 3 as it was (40), not as pixel 3 left it.
    ColorPlanes planes = test::picture(5, 1, {{10, 1, 0}, {20, 2, 0}, {30, 3, 0}, {40, 4, 0}, {50, 5, 0}});
    RandomGenerator random;
    Diffusion(planes, 3, random);
    EXPECT_EQ(test::bytes(planes.R), (std::vector<std::uint8_t>{20, 20, 30, 20, 40}));
    EXPECT_EQ(test::bytes(planes.G), (std::vector<std::uint8_t>{2, 2, 3, 2, 4}));
}

TEST(ArtDiffusion, QuotientTestEqualsTheIntegerFirstIndexForEveryDraw) {
    // The first k with k / m > r / 32767 in doubles is r × m div 32767 + 1 (taken below m), for
    // every draw and every candidate count a radius of 5 can give.
    for (int m = 1; m <= 100; ++m)
        for (int r = 0; r <= 32767; ++r) {
            const double u = r / 32767.0;
            int first = m;
            for (int k = 0; k < m; ++k)
                if (static_cast<double>(k) / m > u) {
                    first = k;
                    break;
                }
            const long long integer = static_cast<long long>(r) * m / 32767 + 1;
            ASSERT_EQ(first, integer < m ? integer : m) << "r " << r << " m " << m;
        }
}

TEST(ArtDiffusion, RejectsARadiusOutOfRange) {
    ColorPlanes planes = uniform(3, 3, {1, 2, 3});
    RandomGenerator random;
    EXPECT_THROW(Diffusion(planes, 0, random), std::invalid_argument);
    EXPECT_THROW(Diffusion(planes, kMaxDiffusionRadius + 1, random), std::invalid_argument);
    EXPECT_EQ(random.state(), 1u);
}

}  // namespace
}  // namespace veltrane
