#include "filter/custom_filter.h"

#include <numeric>
#include <stdexcept>
#include <vector>

#include "common/wide_loops.h"
#include "image/padded_rows.h"

namespace veltrane {
namespace {

// The kernel's rows of 16-bit weights.
struct Weights {
    std::int16_t k[25];
};

// One kernel row laid over five neighbouring bytes. Each product is at most 10 × 255 and a
// row's sum at most 255 × 30 = 7,650 in size, so both fit 16 bits; one vector then holds
// sixteen pixels, thirty-two with AVX2.
[[gnu::always_inline]] inline std::int16_t rowSum(const std::uint8_t* __restrict p, const std::int16_t* w) {
    return static_cast<std::int16_t>(static_cast<std::int16_t>(w[0] * p[0]) + static_cast<std::int16_t>(w[1] * p[1]) +
                                     static_cast<std::int16_t>(w[2] * p[2]) + static_cast<std::int16_t>(w[3] * p[3]) +
                                     static_cast<std::int16_t>(w[4] * p[4]));
}

// The five rows' sums reach 33,150 in size, so they add up in 32 bits; the quotient goes
// through float division, exact for these sums and divisors.
VELTRANE_WIDE_LOOP_NOINLINE void filterRow(const std::uint8_t* __restrict r0, const std::uint8_t* __restrict r1,
                                           const std::uint8_t* __restrict r2, const std::uint8_t* __restrict r3,
                                           const std::uint8_t* __restrict r4, const Weights weights, float divisor,
                                           std::uint8_t* __restrict out, int width) {
    for (int x = 0; x < width; ++x) {
        const std::int32_t sum = std::int32_t{rowSum(r0 + x, weights.k)} + rowSum(r1 + x, weights.k + 5) +
                                 rowSum(r2 + x, weights.k + 10) + rowSum(r3 + x, weights.k + 15) +
                                 rowSum(r4 + x, weights.k + 20);
        const std::int32_t v = static_cast<std::int32_t>(static_cast<float>(sum) / divisor);
        out[x] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

Weights weightsOf(const FilterKernel& kernel) {
    Weights w{};
    for (int i = 0; i < 25; ++i) w.k[i] = static_cast<std::int16_t>(kernel[static_cast<std::size_t>(i)]);
    return w;
}

}  // namespace

bool FilterKernelInRange(const FilterKernel& kernel) {
    for (int i = 0; i < 25; ++i) {
        const int cell = kernel[static_cast<std::size_t>(i)];
        const bool centre = i == kFilterCentre;
        if (cell < (centre ? kFilterCentreMin : kFilterCellMin) || cell > (centre ? kFilterCentreMax : kFilterCellMax))
            return false;
    }
    return true;
}

int FilterDivisor(const FilterKernel& kernel) {
    const int sum = std::accumulate(kernel.begin(), kernel.end(), 0);
    return sum == 0 ? 1 : sum;
}

void CustomFilterRow(const std::uint8_t* const rows[5], const FilterKernel& kernel, int divisor, std::uint8_t* out,
                     int width) {
    filterRow(rows[0], rows[1], rows[2], rows[3], rows[4], weightsOf(kernel), static_cast<float>(divisor), out, width);
}

void CustomFilterPlanes(ColorPlanes& planes, const FilterKernel& kernel, const RowProgress& progress) {
    if (!FilterKernelInRange(kernel)) throw std::invalid_argument("custom filter cell out of range");
    const int w = planes.width, h = planes.height;
    if (w <= 0 || h <= 0) return;
    const Weights weights = weightsOf(kernel);
    const float divisor = static_cast<float>(FilterDivisor(kernel));

    // Each plane keeps padded copies of the rows its next outputs read: output row r reads rows
    // r − 2 .. r + 2, and row r + 2 is kept before row r is overwritten. Near the bottom the
    // mirrored rows come from these copies, since the plane's rows hold results by then.
    Plane* const plane[3] = {&planes.R, &planes.G, &planes.B};
    std::vector<PaddedRows> rings;
    rings.reserve(3);
    for (int p = 0; p < 3; ++p) rings.emplace_back(w, 2, 5, ReflectIndex);
    for (int p = 0; p < 3; ++p)
        for (int r = 0; r < 2 && r < h; ++r) rings[p].keep(r, (*plane[p])[r]);

    for (int r = 0; r < h; ++r) {
        for (int p = 0; p < 3; ++p) {
            PaddedRows& ring = rings[static_cast<std::size_t>(p)];
            if (r + 2 < h) ring.keep(r + 2, (*plane[p])[r + 2]);
            filterRow(ring.at(ReflectIndex(r - 2, h)), ring.at(ReflectIndex(r - 1, h)), ring.at(r),
                      ring.at(ReflectIndex(r + 1, h)), ring.at(ReflectIndex(r + 2, h)), weights, divisor,
                      (*plane[p])[r], w);
        }
        if (progress) progress(r);
    }
}

}  // namespace veltrane
