#include "image/morphology.h"

#include <algorithm>
#include <array>
#include <vector>

#include "image/histogram.h"

namespace veltrane {
namespace {

// Writes one value per pixel into the same row of all three planes.
void writeGrey(ColorPlanes& planes, int y, const std::uint8_t* __restrict values, int w) {
    std::uint8_t* __restrict r = planes.R[y];
    std::uint8_t* __restrict g = planes.G[y];
    std::uint8_t* __restrict b = planes.B[y];
    for (int x = 0; x < w; ++x) {
        r[x] = values[x];
        g[x] = values[x];
        b[x] = values[x];
    }
}

// The two 3 × 3 rules as byte flags (0xFF true, 0x00 false). `seed` marks the red values a
// neighbour looks for; `result` gives the output from the pixel's own red and whether any of
// its in-picture neighbours (itself included) is a seed.
struct DilateRule {
    static std::uint8_t seed(std::uint8_t red) { return red == 255 ? 0xFF : 0x00; }
    // Red 255 is a seed itself, so its `near` is always set; red 0 turns white next to a
    // seed; red 1..254 is black.
    static std::uint8_t result(std::uint8_t red, std::uint8_t near) {
        const std::uint8_t binary = static_cast<std::uint8_t>((red == 0 ? 0xFF : 0x00) | (red == 255 ? 0xFF : 0x00));
        return static_cast<std::uint8_t>(near & binary);
    }
};

struct ErodeRule {
    static std::uint8_t seed(std::uint8_t red) { return red == 0 ? 0xFF : 0x00; }
    static std::uint8_t result(std::uint8_t red, std::uint8_t near) {
        return static_cast<std::uint8_t>((red == 255 ? 0xFF : 0x00) & ~near);
    }
};

// One pass over the picture that reads only unchanged red values: the seed flags of the row
// above (already overwritten) and of this row are kept in row buffers, those of the row below
// are made while its red is still intact. Their column-wise OR goes into a buffer padded with a
// clear flag at each end, so the 3-wide OR along the row needs no test at the picture's left and
// right edges; the rows above the first and below the last are all clear. Pixels outside the
// picture never count.
template <class Rule>
void squareRow(const std::uint8_t* __restrict above, const std::uint8_t* __restrict here,
               const std::uint8_t* __restrict redBelow, std::uint8_t* __restrict below,
               std::uint8_t* __restrict column, std::uint8_t* __restrict r, std::uint8_t* __restrict g,
               std::uint8_t* __restrict b, int w) {
    std::uint8_t* __restrict c = column + 1;
    if (redBelow != nullptr) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t seed = Rule::seed(redBelow[x]);
            below[x] = seed;
            c[x] = static_cast<std::uint8_t>(above[x] | here[x] | seed);
        }
    } else {
        for (int x = 0; x < w; ++x) c[x] = static_cast<std::uint8_t>(above[x] | here[x]);
    }
    for (int x = 0; x < w; ++x) {
        const std::uint8_t v = Rule::result(r[x], static_cast<std::uint8_t>(column[x] | column[x + 1] | column[x + 2]));
        r[x] = v;
        g[x] = v;
        b[x] = v;
    }
}

template <class Rule>
void squarePass(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    if (w <= 0 || h <= 0) return;
    const std::size_t n = static_cast<std::size_t>(w);
    std::vector<std::uint8_t> buffers(4 * n + 2, 0);
    std::uint8_t* above = buffers.data();  // starts clear: no row above the first
    std::uint8_t* here = above + n;
    std::uint8_t* below = here + n;
    std::uint8_t* const column = below + n;  // column[x + 1] belongs to column x; both ends stay 0

    for (int x = 0; x < w; ++x) here[x] = Rule::seed(planes.R[0][x]);
    for (int y = 0; y < h; ++y) {
        squareRow<Rule>(above, here, y + 1 < h ? planes.R[y + 1] : nullptr, below, column, planes.R[y], planes.G[y],
                        planes.B[y], w);
        std::uint8_t* const spare = above;
        above = here;
        here = below;
        below = spare;
        if (progress) progress(y);
    }
}

}  // namespace

void ThresholdBinarize(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    if (w <= 0 || h <= 0) return;
    std::vector<std::uint8_t> luma(static_cast<std::size_t>(w));
    ByteCounts counter;
    for (int y = 0; y < h; ++y) {
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luma.data(), w);
        counter.addRow(luma.data(), w);
    }
    std::array<std::int64_t, 256> counts{};
    counter.addTo(counts);

    // Share of each level and the total mean.
    const double pixels = static_cast<double>(static_cast<std::int64_t>(w) * h);
    std::array<double, 256> p{};
    double totalMean = 0.0;
    for (int i = 0; i < 256; ++i) {
        p[i] = static_cast<double>(counts[i]) / pixels;
        totalMean = totalMean + i * p[i];
    }
    // Between-class variance of a split after level i; the first strict maximum wins.
    double weight = 0.0;
    double mean = 0.0;
    double best = 0.0;
    int threshold = 0;
    for (int i = 0; i < 256; ++i) {
        weight = weight + p[i];
        mean = mean + i * p[i];
        const double spread = totalMean * weight - mean;
        double score = spread * spread;
        if (weight != 0.0 && weight != 1.0) score = score / (weight * (1.0 - weight));
        if (score > best) {
            best = score;
            threshold = i;
        }
    }

    const std::uint8_t k = static_cast<std::uint8_t>(threshold);
    for (int y = 0; y < h; ++y) {
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luma.data(), w);
        std::uint8_t* __restrict v = luma.data();
        for (int x = 0; x < w; ++x) v[x] = v[x] > k ? 255 : 0;
        writeGrey(planes, y, luma.data(), w);
        if (progress) progress(y);
    }
}

void Dilate(ColorPlanes& planes, const RowProgress& progress) { squarePass<DilateRule>(planes, progress); }

void Erode(ColorPlanes& planes, const RowProgress& progress) { squarePass<ErodeRule>(planes, progress); }

void MonoTint(ColorPlanes& planes, std::uint8_t r, std::uint8_t g, std::uint8_t b, const RowProgress& progress) {
    const int w = planes.width;
    std::vector<std::uint8_t> luma(static_cast<std::size_t>(std::max(w, 0)));
    // Y × colour ≤ 255 × 255 = 65025 fits 16 bits, and a 16-bit division by 255 vectorises.
    const std::uint16_t tint[3] = {r, g, b};
    for (int y = 0; y < planes.height; ++y) {
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luma.data(), w);
        const std::uint8_t* __restrict lum = luma.data();
        Plane* const targets[3] = {&planes.R, &planes.G, &planes.B};
        for (int c = 0; c < 3; ++c) {
            std::uint8_t* __restrict row = (*targets[c])[y];
            const std::uint16_t factor = tint[c];
            for (int x = 0; x < w; ++x)
                row[x] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(lum[x] * factor) / 255);
        }
        if (progress) progress(y);
    }
}

}  // namespace veltrane
