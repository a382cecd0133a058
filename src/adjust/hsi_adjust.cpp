// HSI offsets: the colour adjustment of the adjustment dialog that works in the program's
// hue–saturation–intensity model.
#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstring>

#include "adjust/adjustments.h"
#include "image/pixel_buffer.h"

namespace veltrane {

// The preview's hue step is evaluated in long double, which on the x86 targets this program is
// built for is the x87 80-bit format the rules are stated in.
static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit extended format");

namespace {

constexpr double kFullTurn = 6.283;
constexpr double kUnitStep = 0.0078125;  // 1/128

inline std::uint8_t byteOf(double v) { return static_cast<std::uint8_t>(static_cast<int>(v)); }

// Converted colours of the final pass. The new bytes are a function of the old bytes alone, and
// a photograph repeats its colours often (smooth areas, neighbouring rows), so each conversion
// is remembered in a direct-mapped table keyed by the 24-bit colour.
//
// h = colour × 0x9E3779B1 mod 2^24 scatters neighbouring colours and, the factor being odd, is
// one-to-one on 24 bits: its upper 19 bits choose the slot and its lower 5 bits, kept as the
// slot's tag, tell which colour the slot holds. A slot is one 32-bit word, the tag in the top
// byte and the converted R, G, B below; a top byte of 0xFF (no tag) marks it empty. 2^19 slots
// fill 2 MiB, one huge page of a PixelBuffer (in 4-KiB pages the first touch of the table alone
// costs milliseconds on a virtual machine). The 12-MP and 20-MP benchmark photographs (180 000
// and 250 000 colours) miss 1.7 % and 2.1 % of the time, against 12 % and 40 % with the 2^14
// slots of 8 bytes first used.
class HsiColourCache {
public:
    static constexpr int kSlotBits = 19;
    static constexpr std::uint32_t kTagMask = (1u << (24 - kSlotBits)) - 1;

    HsiColourCache()
        : storage_(std::size_t{4} << kSlotBits, 0xFF), slots_(reinterpret_cast<std::uint32_t*>(storage_.data())) {}

    static std::uint32_t hash(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        const std::uint32_t colour = std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
        return colour * 0x9E3779B1u & 0xFFFFFF;
    }
    std::uint32_t& slot(std::uint32_t hash) { return slots_[hash >> (24 - kSlotBits)]; }
    static bool holds(std::uint32_t entry, std::uint32_t hash) { return entry >> 24 == (hash & kTagMask); }
    static std::uint32_t entry(std::uint32_t hash, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return (hash & kTagMask) << 24 | std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
    }

private:
    PixelBuffer storage_;
    std::uint32_t* slots_;
};

// Pixels are taken in blocks: hashing, looking up, spotting misses and writing the results
// back are each a loop of their own over the block, so the table reads of a block are all under
// way at once and the loops without look-ups vectorise; only the misses are converted one by one.
constexpr int kBlock = 64;

struct HsiOffsets {
    double dH, dS, dI;
};

// The block loops are vectorised at the x86-64 baseline; GCC also builds an AVX2 copy (wider
// hashing and unpacking, gathered look-ups) and the loader picks it on processors that have it.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define VELTRANE_WIDE_LOOP __attribute__((target_clones("default", "avx2")))
#else
#define VELTRANE_WIDE_LOOP
#endif

// One block of n ≤ kBlock pixels of a row, in place.
VELTRANE_WIDE_LOOP void hsiBlock(std::uint8_t* __restrict r, std::uint8_t* __restrict g, std::uint8_t* __restrict b,
                                 int n, HsiColourCache& cache, const HsiOffsets& offsets) {
    std::uint32_t hashes[kBlock], entries[kBlock];
    alignas(8) std::uint8_t missed[kBlock];
    for (int i = 0; i < n; ++i) hashes[i] = HsiColourCache::hash(r[i], g[i], b[i]);
    for (int i = 0; i < n; ++i) entries[i] = cache.slot(hashes[i]);
    for (int i = 0; i < n; ++i) missed[i] = !HsiColourCache::holds(entries[i], hashes[i]);
    std::fill(missed + n, missed + kBlock, 0);
    // A colour met twice in one block misses twice when its first conversion came after the
    // look-ups; both convert it alike.
    for (int i = 0; i < kBlock; i += 8) {
        std::uint64_t lanes;
        std::memcpy(&lanes, missed + i, 8);
        for (; lanes != 0; lanes &= lanes - 1) {
            const int j = i + std::countr_zero(lanes) / 8;
            const HsiColor c = shiftHsi(RgbBytesToHsi(r[j], g[j], b[j]), offsets.dH, offsets.dS, offsets.dI);
            std::uint8_t nr = r[j], ng = g[j], nb = b[j];
            HsiToRgbBytes(c.H, c.S, c.I, nr, ng, nb);
            entries[j] = cache.slot(hashes[j]) = HsiColourCache::entry(hashes[j], nr, ng, nb);
        }
    }
    for (int i = 0; i < n; ++i) {
        r[i] = static_cast<std::uint8_t>(entries[i] >> 16);
        g[i] = static_cast<std::uint8_t>(entries[i] >> 8);
        b[i] = static_cast<std::uint8_t>(entries[i]);
    }
}

}  // namespace

double hsiPreviewHueOffset(int position) {
    // position × (1/180) × 2 × 3.1415 in extended precision, kept as a double: for 86 of the
    // 361 positions the all-double product differs in its last bit.
    constexpr long double kOne180th = 1.0L / 180;
    return static_cast<double>(position * kOne180th * 2 * 3.1415);
}

double hsiFinalHueOffset(int position) { return position * 0.034883; }

double hsiUnitOffset(int position) { return position * kUnitStep; }

HsiColor shiftHsi(const HsiColor& hsi, double dH, double dS, double dI) {
    HsiColor out;
    double t = hsi.H + dH;
    if (t > kFullTurn || t < 0) t = t >= kFullTurn ? t - kFullTurn : t + kFullTurn;
    out.H = t;
    t = hsi.S + dS;
    if (t > 1 || t < 0) t = t >= 1 ? 1 : 0;
    out.S = t;
    t = hsi.I + dI;
    if (t > 1 || t < 0) t = t >= 1 ? 1 : 0;
    out.I = t;
    return out;
}

void HsiToRgbBytes(double H, double S, double I, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
    // The colour model's HsiToRgb, storing trunc(255 × value) into the pixel; where it gives
    // no colour the pixel keeps its bytes.
    double r = 0, g = 0, b = 0;
    if (!HsiToRgb(H, S, I, r, g, b)) return;
    R = byteOf(r);
    G = byteOf(g);
    B = byteOf(b);
}

void hsiPreview(ColorPlanes& result, const PictureArea& area, int huePosition, int saturationPosition,
                int intensityPosition) {
    const double dH = hsiPreviewHueOffset(huePosition);
    const double dS = hsiUnitOffset(saturationPosition);
    const double dI = hsiUnitOffset(intensityPosition);
    for (int y = area.rowBegin; y < area.rowEnd; ++y) {
        std::uint8_t* R = result.R[y];
        std::uint8_t* G = result.G[y];
        std::uint8_t* B = result.B[y];
        for (int x = area.colBegin; x < area.colEnd; ++x) {
            const HsiColor c = shiftHsi(RgbBytesToHsi(R[x], G[x], B[x]), dH, dS, dI);
            double r, g, b;
            if (HsiToRgb(c.H, c.S, c.I, r, g, b)) {
                R[x] = byteOf(r);
                G[x] = byteOf(g);
                B[x] = byteOf(b);
            }
        }
    }
}

void hsiFinal(ColorPlanes& planes, int huePosition, int saturationPosition, int intensityPosition,
              const RowProgress& progress) {
    const HsiOffsets offsets{hsiFinalHueOffset(huePosition), hsiUnitOffset(saturationPosition),
                             hsiUnitOffset(intensityPosition)};
    HsiColourCache cache;
    for (int y = 0; y < planes.height; ++y) {
        for (int x = 0; x < planes.width; x += kBlock)
            hsiBlock(planes.R[y] + x, planes.G[y] + x, planes.B[y] + x, std::min(kBlock, planes.width - x), cache,
                     offsets);
        if (progress) progress(y);
    }
}

}  // namespace veltrane
