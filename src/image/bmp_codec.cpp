#include "image/bmp_codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>

// Reading rules worth knowing:
// - Palette entries are taken from the space between the headers and the pixel data, at most
//   as many as the header declares; an index beyond them reads as black.
// - Pixels an RLE stream never writes (skipped by a delta or an early end of line/bitmap)
//   stay black.
// - Uncompressed pixel data must be present up to the last pixel of the last row (its row
//   padding may be missing); an RLE stream must reach its end-of-bitmap code.
// - An RLE run or delta that leaves the picture is refused as corrupt, not clipped.

namespace veltrane {
namespace {

const char* const kNotBmp = "ビットマップファイルではありません";
const char* const kBadHeader = "ビットマップファイルが壊れています（ヘッダが不正です）";
const char* const kBadRle = "ビットマップファイルが壊れています（圧縮データが不正です）";
const char* const kTruncated = "ビットマップファイルが途中で切れています";

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kOs2HeaderSize = 64;

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t u32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::int32_t i32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

void put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

[[noreturn]] void fail(const std::string& message) { throw DecodeError(message); }

std::string unsupported(const std::string& what) {
    return "この形式のビットマップには対応していません（" + what + "）";
}

// A colour mask must be one run of set bits (or empty: the colour is then 0).
bool isContiguous(std::uint32_t mask) {
    if (mask == 0) return true;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

// One colour of a 16- or 32-bit pixel: the bits under its mask scaled to 0..255. Masks wider
// than 8 bits keep their top 8 bits; narrower ones are scaled with rounding (5 bits: 31 → 255).
class Channel {
public:
    explicit Channel(std::uint32_t mask) : mask_(mask) {
        const int bits = std::popcount(mask);
        const int low = mask ? std::countr_zero(mask) : 0;
        const int kept = std::min(bits, 8);
        shift_ = low + bits - kept;
        const unsigned top = (1u << kept) - 1;
        for (unsigned v = 0; v <= top && top > 0; ++v)
            scale_[v] = static_cast<std::uint8_t>((v * 255 + top / 2) / top);
    }
    std::uint8_t operator()(std::uint32_t pixel) const { return scale_[(pixel & mask_) >> shift_]; }

private:
    std::uint32_t mask_;
    int shift_ = 0;
    std::array<std::uint8_t, 256> scale_{};
};

using Palette = std::array<std::array<std::uint8_t, 3>, 256>;  // B, G, R

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive; topDown holds the sign
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::array<std::uint32_t, 3> masks{};  // R, G, B
    Palette palette{};
    std::size_t pixelOffset = 0;
    std::size_t stride = 0;  // bytes per row of uncompressed pixel data

    bool rle() const { return compression == kRle8 || compression == kRle4; }
};

bool isKnownHeaderSize(std::uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
           size == kOs2HeaderSize || size == 108 || size == 124;
}

Header readHeader(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && (data[0] != 'B' || data[1] != 'M')) fail(kNotBmp);
    if (size < kFileHeaderSize + 4) fail(kTruncated);
    const std::uint32_t infoSize = u32(data + kFileHeaderSize);
    if (!isKnownHeaderSize(infoSize)) fail(kBadHeader);
    if (kFileHeaderSize + infoSize > size) fail(kTruncated);
    const std::uint8_t* info = data + kFileHeaderSize;

    Header h;
    const bool core = infoSize == kCoreHeaderSize;
    unsigned planes = 0;
    std::uint32_t colorsUsed = 0;
    if (core) {
        h.width = u16(info + 4);
        h.height = u16(info + 6);
        planes = u16(info + 8);
        h.bitCount = u16(info + 10);
    } else {
        h.width = i32(info + 4);
        h.height = i32(info + 8);
        planes = u16(info + 12);
        h.bitCount = u16(info + 14);
        h.compression = u32(info + 16);
        colorsUsed = u32(info + 32);
    }
    if (planes != 1) fail(kBadHeader);

    const int bpp = h.bitCount;
    const bool knownDepth =
        bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || (!core && (bpp == 16 || bpp == 32));
    if (!knownDepth) fail(unsupported(std::to_string(bpp) + " ビット/ピクセル"));
    switch (h.compression) {
    case kRgb: break;
    case kRle8:
        if (bpp != 8) fail(kBadHeader);
        break;
    case kRle4:
        if (bpp != 4) fail(kBadHeader);
        break;
    case kBitFields:
        // The OS/2 header gives 3 another meaning (Huffman coding), which we do not read.
        if (infoSize == kOs2HeaderSize) fail(unsupported("圧縮形式 " + std::to_string(h.compression)));
        if (bpp != 16 && bpp != 32) fail(kBadHeader);
        break;
    default: fail(unsupported("圧縮形式 " + std::to_string(h.compression)));
    }

    h.topDown = h.height < 0;
    h.height = h.topDown ? -h.height : h.height;
    if (h.width < 1 || h.height == 0 || (h.topDown && h.rle())) fail(kBadHeader);
    requireAllocatable(h.width, h.height);

    std::size_t headersEnd = kFileHeaderSize + infoSize;
    if (h.compression == kBitFields) {
        // A 40-byte header is followed by the three masks; the larger ones hold them inside.
        if (infoSize == kInfoHeaderSize) headersEnd += 12;
        if (headersEnd > size) fail(kTruncated);
        const std::uint8_t* m = data + kFileHeaderSize + kInfoHeaderSize;
        h.masks = {u32(m), u32(m + 4), u32(m + 8)};
        for (const std::uint32_t mask : h.masks) {
            if (!isContiguous(mask) || (bpp == 16 && mask > 0xFFFF)) fail(kBadHeader);
        }
    } else if (bpp == 16) {
        h.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (bpp == 32) {
        h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }

    h.pixelOffset = u32(data + 10);
    if (h.pixelOffset < headersEnd) fail(kBadHeader);
    if (h.pixelOffset > size) fail(kTruncated);

    if (bpp <= 8) {
        const std::uint32_t maxColors = 1u << bpp;
        if (colorsUsed > maxColors) fail(kBadHeader);
        const std::size_t entrySize = core ? 3 : 4;
        const std::size_t declared = colorsUsed ? colorsUsed : maxColors;
        const std::size_t entries = std::min(declared, (h.pixelOffset - headersEnd) / entrySize);
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t* e = data + headersEnd + i * entrySize;
            h.palette[i] = {e[0], e[1], e[2]};
        }
    }

    if (!h.rle()) {
        const std::size_t rowBits = static_cast<std::size_t>(h.width) * static_cast<std::size_t>(bpp);
        h.stride = (rowBits + 31) / 32 * 4;
        const std::size_t lastRow = (rowBits + 7) / 8;
        if (h.stride * static_cast<std::size_t>(h.height - 1) + lastRow > size - h.pixelOffset)
            fail(kTruncated);
    }
    return h;
}

// Palette indices of Bpp bits, the leftmost pixel in the most significant bits of a byte.
template <unsigned Bpp>
void decodeIndexed(const std::uint8_t* src, std::size_t width, const Palette& palette, std::uint8_t* dst) {
    constexpr unsigned kPerByte = 8 / Bpp;
    for (std::size_t x = 0; x < width; ++x, dst += 3) {
        const unsigned shift = 8 - Bpp * (1 + x % kPerByte);
        std::memcpy(dst, palette[(src[x / kPerByte] >> shift) & ((1u << Bpp) - 1)].data(), 3);
    }
}

// Uncompressed rows; readHeader has checked that they are all in the file.
void decodeRows(const std::uint8_t* data, const Header& h, Bitmap24& out) {
    const std::size_t width = static_cast<std::size_t>(h.width);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const int bpp = h.bitCount;
    for (int r = 0; r < h.height; ++r) {
        const std::uint8_t* src = data + h.pixelOffset + static_cast<std::size_t>(r) * h.stride;
        std::uint8_t* dst = out.row(h.topDown ? r : static_cast<int>(h.height) - 1 - r);
        switch (bpp) {
        case 24: std::memcpy(dst, src, width * 3); break;
        case 16:
        case 32:
            for (std::size_t x = 0; x < width; ++x, dst += 3) {
                const std::uint32_t px = bpp == 16 ? u16(src + 2 * x) : u32(src + 4 * x);
                dst[0] = blue(px);
                dst[1] = green(px);
                dst[2] = red(px);
            }
            break;
        case 8: decodeIndexed<8>(src, width, h.palette, dst); break;
        case 4: decodeIndexed<4>(src, width, h.palette, dst); break;
        default: decodeIndexed<1>(src, width, h.palette, dst);
        }
    }
}

// Runs the RLE stream, writing into `out`; with no `out` it only checks the stream, so that
// a short or corrupt file is refused before memory is taken for the picture.
void decodeRle(const std::uint8_t* data, std::size_t size, const Header& h, Bitmap24* out) {
    const bool rle4 = h.compression == kRle4;
    const std::uint8_t* p = data + h.pixelOffset;
    const std::uint8_t* const end = data + size;
    std::int64_t x = 0;
    std::int64_t y = 0;  // counted from the bottom row
    auto put = [&](unsigned index) {
        if (x >= h.width || y >= h.height) fail(kBadRle);
        if (out)
            std::memcpy(out->row(static_cast<int>(h.height - 1 - y)) + 3 * x, h.palette[index].data(), 3);
        ++x;
    };
    auto nibble = [](std::uint8_t byte, unsigned i) -> unsigned { return i % 2 ? byte & 0x0F : byte >> 4; };

    for (;;) {
        if (end - p < 2) fail(kTruncated);
        const unsigned count = p[0];
        const unsigned value = p[1];
        p += 2;
        if (count > 0) {  // a run of one index (RLE4: two alternating indices)
            for (unsigned i = 0; i < count; ++i)
                put(rle4 ? nibble(static_cast<std::uint8_t>(value), i) : value);
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1: return;  // end of bitmap
        case 2:          // delta: move right and up
            if (end - p < 2) fail(kTruncated);
            x += p[0];
            y += p[1];
            p += 2;
            if (x > h.width || y > h.height) fail(kBadRle);
            break;
        default: {  // absolute: `value` indices, padded to a 16-bit boundary
            const std::size_t bytes = rle4 ? (value + 1) / 2 : value;
            const std::size_t padded = (bytes + 1) & ~std::size_t{1};
            if (static_cast<std::size_t>(end - p) < padded) fail(kTruncated);
            for (unsigned i = 0; i < value; ++i) put(rle4 ? nibble(p[i / 2], i) : p[i]);
            p += padded;
        }
        }
    }
}

}  // namespace

DecodedImage decodeBmp(const std::uint8_t* data, std::size_t size) {
    const Header h = readHeader(data, size);
    if (h.rle()) decodeRle(data, size, h, nullptr);
    DecodedImage image{Bitmap24(static_cast<int>(h.width), static_cast<int>(h.height)), h.bitCount};
    if (h.rle()) {
        decodeRle(data, size, h, &image.bitmap);
    } else {
        decodeRows(data, h, image.bitmap);
    }
    return image;
}

std::vector<std::uint8_t> encodeBmp24(const Bitmap24& bitmap) {
    constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
    const int height = bitmap.height();
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap.width()) * 3;
    const std::size_t stride = Bitmap24::strideFor(bitmap.width());
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);

    std::vector<std::uint8_t> file(kHeadersSize + imageSize, 0);
    std::uint8_t* p = file.data();
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, static_cast<std::uint32_t>(file.size()));
    put32(p + 10, kHeadersSize);
    put32(p + 14, kInfoHeaderSize);
    put32(p + 18, static_cast<std::uint32_t>(bitmap.width()));
    put32(p + 22, static_cast<std::uint32_t>(height));
    put16(p + 26, 1);   // planes
    put16(p + 28, 24);  // bits per pixel; compression, resolution and colour counts stay 0
    put32(p + 34, static_cast<std::uint32_t>(imageSize));
    for (int r = 0; r < height; ++r) {
        std::memcpy(p + kHeadersSize + static_cast<std::size_t>(r) * stride, bitmap.row(height - 1 - r),
                    rowBytes);
    }
    return file;
}

}  // namespace veltrane
