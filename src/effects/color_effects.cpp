#include "effects/color_effects.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/wide_loops.h"
#include "image/histogram.h"

namespace veltrane {
namespace {

using Byte = std::uint8_t;

// ---- Channel-wise tints: each new channel depends on that channel alone. ----

enum class ChannelStep { Keep, Zero, Halve, Raise, Lower };

struct ChannelRule {
    ChannelStep step;
    int amount;  // for Raise and Lower
};

struct ChannelTint {
    ChannelRule red, green, blue;
};

constexpr ChannelRule kKeep{ChannelStep::Keep, 0};
constexpr ChannelRule kZero{ChannelStep::Zero, 0};
constexpr ChannelRule kHalve{ChannelStep::Halve, 0};
// Colour temperature moves R and B by 20 and G by 20 / 4.
constexpr ChannelRule kRaise20{ChannelStep::Raise, 20};
constexpr ChannelRule kLower20{ChannelStep::Lower, 20};
constexpr ChannelRule kRaise5{ChannelStep::Raise, 5};

VELTRANE_WIDE_LOOP_NOINLINE void halveRow(Byte* __restrict row, int n) {
    for (int x = 0; x < n; ++x) row[x] = static_cast<Byte>(row[x] >> 1);
}

// min(255, v + amount)
VELTRANE_WIDE_LOOP_NOINLINE void raiseRow(Byte* __restrict row, int n, Byte amount) {
    const Byte ceiling = static_cast<Byte>(255 - amount);
    for (int x = 0; x < n; ++x) row[x] = row[x] > ceiling ? Byte{255} : static_cast<Byte>(row[x] + amount);
}

// max(0, v − amount)
VELTRANE_WIDE_LOOP_NOINLINE void lowerRow(Byte* __restrict row, int n, Byte amount) {
    for (int x = 0; x < n; ++x) row[x] = row[x] < amount ? Byte{0} : static_cast<Byte>(row[x] - amount);
}

void applyChannelRule(const ChannelRule& rule, Byte* row, int n) {
    switch (rule.step) {
        case ChannelStep::Keep: break;
        case ChannelStep::Zero: std::fill_n(row, n, Byte{0}); break;
        case ChannelStep::Halve: halveRow(row, n); break;
        case ChannelStep::Raise: raiseRow(row, n, static_cast<Byte>(rule.amount)); break;
        case ChannelStep::Lower: lowerRow(row, n, static_cast<Byte>(rule.amount)); break;
    }
}

void channelTint(ColorPlanes& planes, const ChannelTint& tint, const RowProgress& progress) {
    const int w = std::max(planes.width, 0);
    for (int y = 0; y < planes.height; ++y) {
        applyChannelRule(tint.red, planes.R[y], w);
        applyChannelRule(tint.green, planes.G[y], w);
        applyChannelRule(tint.blue, planes.B[y], w);
        if (progress) progress(y);
    }
}

// ---- Grey tints: the new pixel is a function of its grey level Y. ----

// Y of up to kChunk pixels at a time lives in a stack buffer: no working memory to allocate.
constexpr int kChunk = 1024;

using GreyMap = void (*)(const Byte* __restrict grey, Byte* __restrict r, Byte* __restrict g, Byte* __restrict b,
                         int n);

void greyTint(ColorPlanes& planes, GreyMap map, const RowProgress& progress) {
    Byte grey[kChunk];
    for (int y = 0; y < planes.height; ++y) {
        Byte* r = planes.R[y];
        Byte* g = planes.G[y];
        Byte* b = planes.B[y];
        for (int x = 0; x < planes.width; x += kChunk) {
            const int n = std::min(kChunk, planes.width - x);
            LuminanceRow(r + x, g + x, b + x, grey, n);
            map(grey, r + x, g + x, b + x, n);
        }
        if (progress) progress(y);
    }
}

void greyToAll(const Byte* __restrict grey, Byte* __restrict r, Byte* __restrict g, Byte* __restrict b, int n) {
    const auto size = static_cast<std::size_t>(n);
    std::memcpy(r, grey, size);
    std::memcpy(g, grey, size);
    std::memcpy(b, grey, size);
}

// Y × 240 / 255 ≤ 240, Y × 200 / 255 ≤ 200, Y × 145 / 255 ≤ 145: the sepia limits always hold.
// The products fit 16 bits, where a division by a constant vectorises as a multiply-high.
VELTRANE_WIDE_LOOP_NOINLINE void sepiaMap(const Byte* __restrict grey, Byte* __restrict r, Byte* __restrict g,
                                 Byte* __restrict b, int n) {
    for (int x = 0; x < n; ++x) {
        const std::uint16_t v = grey[x];
        r[x] = static_cast<Byte>(static_cast<std::uint16_t>(v * 240) / 255);
        g[x] = static_cast<Byte>(static_cast<std::uint16_t>(v * 200) / 255);
        b[x] = static_cast<Byte>(static_cast<std::uint16_t>(v * 145) / 255);
    }
}

// The silver tone curve in byte arithmetic: (k v + c) mod 256 with (k, c) = (2, 100), (254, 100),
// (2, 127), (254, 98) for the quarters 0..63, 64..127, 128..191, 192..255 of v. In each quarter
// this is the closed form 2v + 100, 356 − 2v, 2v − 129, (610 − 2v) mod 256. Falling quarters are
// the ones with bit 6 set; 254 v ≡ −2 v.
inline Byte toneCurve(Byte v) {
    const Byte twice = static_cast<Byte>(v << 1);
    const bool falling = (v & 0x40) != 0;
    const Byte offset = v < 128 ? Byte{100} : (falling ? Byte{98} : Byte{127});
    return falling ? static_cast<Byte>(offset - twice) : static_cast<Byte>(offset + twice);
}

VELTRANE_WIDE_LOOP_NOINLINE void silverMap(const Byte* __restrict grey, Byte* __restrict r, Byte* __restrict g,
                                  Byte* __restrict b, int n) {
    for (int x = 0; x < n; ++x) {
        const Byte v = toneCurve(grey[x]);
        r[x] = v;
        g[x] = v;
        b[x] = v;
    }
}

// Gold tests its first quarter as 0 < v < 64, so black takes the last quarter's 610 mod 256 = 98.
VELTRANE_WIDE_LOOP_NOINLINE void goldMap(const Byte* __restrict grey, Byte* __restrict r, Byte* __restrict g,
                                Byte* __restrict b, int n) {
    for (int x = 0; x < n; ++x) {
        const Byte v = grey[x] == 0 ? Byte{98} : toneCurve(grey[x]);
        r[x] = v;
        g[x] = static_cast<Byte>((v * 3) >> 2);
        b[x] = static_cast<Byte>(v >> 2);
    }
}

// ---- Neon ----

// R / B of bytes with B ≥ 1 through a float division: the quotient of integers below 2^8 is
// rounded by less than 1/255 of a unit, so truncating it gives the integer quotient for every
// pair, and the float division vectorises where an integer one does not. Signed lanes: the
// float to int conversion is one instruction, the unsigned one is not.
inline std::int32_t byteQuotient(std::int32_t numerator, std::int32_t divisor) {
    return static_cast<std::int32_t>(static_cast<float>(numerator) / static_cast<float>(divisor));
}

// The selects and the B = 0 raise are written as bit masks and an addition: GCC turns a choice
// between the two results into a branch around the (possibly trapping) float division, and a
// loop with a branch does not vectorise.
VELTRANE_WIDE_LOOP_NOINLINE void neonRow(Byte* __restrict r, Byte* __restrict g, Byte* __restrict b, int n) {
    for (int x = 0; x < n; ++x) {
        const std::int32_t red = r[x];
        std::int32_t blue = b[x];
        const std::int32_t t = (765 - red - g[x] - blue) / 3;
        // Light pixels: a brightened inverse grey.
        const auto light = static_cast<Byte>(t * 255 / 150);
        // Dark pixels: B = 0 is raised to 1 before the quotient; the products stay below 2^18.
        blue += blue == 0;
        const auto darkGreen = static_cast<Byte>(byteQuotient(red, blue) * 4 * t / 5);
        const auto darkRedBlue = static_cast<Byte>((255 - t) * 9 / 5);
        const Byte dark = t > 150 ? 0xFF : 0x00;
        r[x] = static_cast<Byte>((dark & darkRedBlue) | (~dark & light));
        g[x] = static_cast<Byte>((dark & darkGreen) | (~dark & light));
        b[x] = static_cast<Byte>((dark & darkRedBlue) | (~dark & light));
    }
}

void neonTint(ColorPlanes& planes, const RowProgress& progress) {
    for (int y = 0; y < planes.height; ++y) {
        neonRow(planes.R[y], planes.G[y], planes.B[y], std::max(planes.width, 0));
        if (progress) progress(y);
    }
}

VELTRANE_WIDE_LOOP_NOINLINE void complementBytes(Byte* __restrict bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<Byte>(~bytes[i]);
}

}  // namespace

void ToGray(ColorPlanes& planes) { greyTint(planes, greyToAll, {}); }

void Negate(ColorPlanes& planes) {
    // Each plane is one buffer of exactly W × H bytes.
    complementBytes(planes.R.data(), planes.R.size());
    complementBytes(planes.G.data(), planes.G.size());
    complementBytes(planes.B.data(), planes.B.size());
}

void ColorTint(ColorPlanes& planes, int kind, const RowProgress& progress) {
    static constexpr ChannelTint kChannelTints[] = {
        {kKeep, kZero, kZero},      // 赤
        {kKeep, kZero, kKeep},      // ピンク
        {kKeep, kHalve, kZero},     // オレンジ
        {kKeep, kKeep, kZero},      // 黄色
        {kHalve, kKeep, kZero},     // 黄緑
        {kZero, kKeep, kZero},      // 緑
        {kZero, kKeep, kKeep},      // 水色
        {kZero, kZero, kKeep},      // 青
        {kHalve, kZero, kHalve},    // 紫
    };
    switch (kind) {
        case TintSepia: greyTint(planes, sepiaMap, progress); break;
        case TintSilver: greyTint(planes, silverMap, progress); break;
        case TintGold: greyTint(planes, goldMap, progress); break;
        case TintWarmer: channelTint(planes, {kRaise20, kRaise5, kLower20}, progress); break;
        case TintCooler: channelTint(planes, {kLower20, kRaise5, kRaise20}, progress); break;
        case TintNeon: neonTint(planes, progress); break;
        default:
            if (kind >= TintRed && kind <= TintPurple) channelTint(planes, kChannelTints[kind], progress);
            break;
    }
}

}  // namespace veltrane
