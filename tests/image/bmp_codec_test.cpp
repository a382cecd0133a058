#include "image/bmp_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "support/test_paths.h"

namespace veltrane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Rgb = std::array<int, 3>;
using Rows = std::vector<std::vector<Rgb>>;  // top row first

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v);
    put16(b, at + 2, v >> 16);
}

// A BMP file built field by field: file header, info header of `headerSize` bytes, the
// masks (after a 40-byte header, inside a larger one), `tables` (the palette) and `pixels`.
struct Bmp {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks{};
    Bytes tables{};
    Bytes pixels{};
    std::int64_t pixelOffset = -1;  // -1: right after the tables

    Bytes bytes() const {
        const std::size_t maskBytes = headerSize == 40 ? masks.size() * 4 : 0;
        const std::size_t offset = 14 + headerSize + maskBytes + tables.size();
        Bytes b(14 + std::max<std::size_t>(headerSize, 40));  // fields past headerSize are cut below
        b[0] = 'B';
        b[1] = 'M';
        put32(b, 10,
              pixelOffset < 0 ? static_cast<std::uint32_t>(offset) : static_cast<std::uint32_t>(pixelOffset));
        put32(b, 14, headerSize);
        if (headerSize == 12) {
            put16(b, 18, static_cast<std::uint32_t>(width));
            put16(b, 20, static_cast<std::uint32_t>(height));
            put16(b, 22, planes);
            put16(b, 24, bitCount);
        } else {
            put32(b, 18, static_cast<std::uint32_t>(width));
            put32(b, 22, static_cast<std::uint32_t>(height));
            put16(b, 26, planes);
            put16(b, 28, bitCount);
            put32(b, 30, compression);
            put32(b, 46, colorsUsed);
        }
        b.resize(14 + headerSize);
        for (std::size_t i = 0; i < masks.size(); ++i) {
            if (headerSize == 40) b.resize(b.size() + 4);
            put32(b, 54 + 4 * i, masks[i]);
        }
        b.insert(b.end(), tables.begin(), tables.end());
        b.insert(b.end(), pixels.begin(), pixels.end());
        put32(b, 2, static_cast<std::uint32_t>(b.size()));
        return b;
    }
};

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

DecodedImage decode(const Bytes& b) { return decodeBmp(b.data(), b.size()); }

Rgb at(const Bitmap24& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.row(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

Rows rowsOf(const Bitmap24& bitmap) {
    Rows rows(bitmap.height());
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) rows[y].push_back(at(bitmap, x, y));
    }
    return rows;
}

// Palette entries as a BMP stores them: B, G, R and a reserved byte.
Bytes paletteOf(const std::vector<Rgb>& colours, bool core = false) {
    Bytes b;
    for (const Rgb& c : colours) {
        b.insert(b.end(), {static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[1]),
                           static_cast<std::uint8_t>(c[0])});
        if (!core) b.push_back(0);
    }
    return b;
}

const Rgb kBlack{0, 0, 0};
const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kWhite{255, 255, 255};
const Rgb kTeal{10, 120, 130};  // palette entry 0 of the RLE cases: never what a gap shows

std::filesystem::path corpus(const std::string& sub) {
    return std::filesystem::path(test::dataDir()) / "corpus/bmp" / sub;
}

TEST(BmpCorpus, EveryValidFileOpensWithItsBitDepth) {
    struct Expected {
        int width, height, bits;
    };
    const std::map<std::string, Expected> expected = {
        {"gdk-mandatory-bitmasks.bmp", {350, 400, 32}}, {"wx-drawing-image.bmp", {80, 80, 24}},
        {"wx-drawing-mask.bmp", {80, 80, 1}},           {"wx-drawing-pat4.bmp", {32, 32, 4}},
        {"wx-html-test-pic2.bmp", {166, 118, 8}},       {"wx-image-horse.bmp", {200, 200, 8}},
    };
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus("valid"))) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        ASSERT_TRUE(expected.count(name)) << "no expectation for this corpus file";
        const DecodedImage image = decode(readFile(entry.path()));
        EXPECT_EQ(image.bitmap.width(), expected.at(name).width);
        EXPECT_EQ(image.bitmap.height(), expected.at(name).height);
        EXPECT_EQ(image.bitsPerPixel, expected.at(name).bits);
        ++seen;
    }
    EXPECT_EQ(seen, static_cast<int>(expected.size()));
}

TEST(BmpCorpus, OneBitMaskIsPureBlackAndWhite) {
    const DecodedImage image = decode(readFile(corpus("valid") / "wx-drawing-mask.bmp"));
    std::map<Rgb, int> counts;
    for (const auto& row : rowsOf(image.bitmap)) {
        for (const Rgb& c : row) ++counts[c];
    }
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_GT(counts[kBlack], 0);
    EXPECT_GT(counts[kWhite], 0);
}

// The file's masks put red in the top byte and blue in the second; read with the default
// 32-bit layout the green apple would come out in other colours.
TEST(BmpCorpus, BitfieldMasksFromV3HeaderAreHonoured) {
    const DecodedImage image = decode(readFile(corpus("valid") / "gdk-mandatory-bitmasks.bmp"));
    const Rgb centre = at(image.bitmap, 175, 200);
    EXPECT_GT(centre[1], centre[0] + 40);
    EXPECT_GT(centre[1], centre[2] + 40);
}

TEST(BmpCorpus, EveryMalformedFileIsRefused) {
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus("malformed"))) {
        SCOPED_TRACE(entry.path().filename().string());
        const Bytes file = readFile(entry.path());
        ASSERT_FALSE(file.empty());
        EXPECT_THROW(decode(file), DecodeError);
        ++seen;
    }
    EXPECT_GT(seen, 0);
}

struct PixelCase {
    const char* name;
    Bmp bmp;
    int bitsPerPixel;
    Rows expected;
};

// RLE8, 4 × 3: a run on the bottom row, a delta up to the middle row, an end of line, an
// absolute run on the top row.
Bytes rle8Stream() {
    return {2, 1,              // bottom row: 1 1
            0, 2, 1, 1, 1, 2,  // delta right 1, up 1; then 2 at x = 3 of the middle row
            0, 0,              // end of line
            0, 3, 1, 2, 1, 0,  // top row: absolute 1 2 1 (+ pad)
            0, 1};             // end of bitmap
}

// RLE4, 5 × 2: bottom row one run of alternating 1 and 2, top row absolute 2 1 3.
Bytes rle4Stream() { return {5, 0x12, 0, 0, 0, 3, 0x21, 0x30, 0, 1}; }

// clang-format off
std::vector<PixelCase> pixelCases() {
    const Bytes rows3x2{0, 0, 255, 0, 255, 0, 255, 0, 0, 0xEE, 0xEE, 0xEE,  // padding is never a pixel
                        255, 255, 255, 0, 0, 0, 1, 2, 3, 0xEE, 0xEE, 0xEE};
    const Bytes rgbw = paletteOf({kBlack, kRed, kGreen, kBlue});
    return {
        {"24-bit 1x1", {.pixels = {30, 20, 10, 0}}, 24, {{{10, 20, 30}}}},
        {"24-bit 3x2 bottom-up with padding", {.width = 3, .height = 2, .pixels = rows3x2},
         24, {{kWhite, kBlack, {3, 2, 1}}, {kRed, kGreen, kBlue}}},
        {"24-bit 3x2 top-down", {.width = 3, .height = -2, .pixels = rows3x2},
         24, {{kRed, kGreen, kBlue}, {kWhite, kBlack, {3, 2, 1}}}},
        {"16-bit default 5-5-5",
         {.width = 4, .bitCount = 16, .pixels = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}},
         16, {{kRed, kGreen, kBlue, {132, 132, 132}}}},
        {"16-bit 5-6-5 bit fields",
         {.width = 3, .bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
          .pixels = {0xE0, 0x07, 0x00, 0x04, 0x1F, 0xF8, 0xEE, 0xEE}},
         16, {{kGreen, {0, 130, 0}, {255, 0, 255}}}},
        {"32-bit BI_RGB ignores the fourth byte",
         {.width = 2, .bitCount = 32, .pixels = {30, 20, 10, 0x80, 0, 0, 255, 0xFF}},
         32, {{{10, 20, 30}, kRed}}},
        {"32-bit bit fields in a V3 header",
         {.headerSize = 56, .width = 2, .bitCount = 32, .compression = 3,
          .masks = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF},
          .pixels = {0xFF, 30, 20, 10, 0x00, 0, 0, 255}},
         32, {{{10, 20, 30}, kRed}}},
        {"32-bit bit fields with 10-bit channels: the top 8 bits are kept",
         {.width = 1, .bitCount = 32, .compression = 3, .masks = {0x3FF00000, 0x000FFC00, 0x000003FF},
          .pixels = {0x03, 0x00, 0xF8, 0x3F}},  // R 1023, G 512, B 3
         32, {{{255, 128, 0}}}},
        {"1-bit across a byte boundary",
         {.width = 10, .bitCount = 1, .tables = paletteOf({kBlack, kWhite}), .pixels = {0xA0, 0xC0, 0, 0}},
         1, {{kWhite, kBlack, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite, kWhite}}},
        {"4-bit odd width",
         {.width = 3, .bitCount = 4, .tables = rgbw, .pixels = {0x12, 0x30, 0, 0}},
         4, {{kRed, kGreen, kBlue}}},
        {"8-bit short palette: indices past it are black",
         {.width = 4, .bitCount = 8, .colorsUsed = 2, .tables = paletteOf({kRed, kGreen}),
          .pixels = {1, 0, 2, 255}},
         8, {{kGreen, kRed, kBlack, kBlack}}},
        {"8-bit palette cut short by the pixel offset",
         {.width = 2, .bitCount = 8, .tables = paletteOf({kRed, kGreen}), .pixels = {1, 200, 0, 0}},
         8, {{kGreen, kBlack}}},
        {"OS/2 core header with 3-byte palette entries",
         {.headerSize = 12, .width = 3, .bitCount = 8, .tables = paletteOf({kRed, kGreen, kBlue}, true),
          .pixels = {2, 1, 0, 0}},
         8, {{kBlue, kGreen, kRed}}},
        {"OS/2 v2 header",
         {.headerSize = 64, .width = 2, .bitCount = 8, .colorsUsed = 2, .tables = paletteOf({kRed, kBlue}),
          .pixels = {1, 0, 0, 0}},
         8, {{kBlue, kRed}}},
        {"RLE8 with end of line, delta and gaps left black",
         {.width = 4, .height = 3, .bitCount = 8, .compression = 1,
          .tables = paletteOf({kTeal, kRed, kBlue}), .pixels = rle8Stream()},
         8, {{kRed, kBlue, kRed, kBlack}, {kBlack, kBlack, kBlack, kBlue}, {kRed, kRed, kBlack, kBlack}}},
        {"RLE4 runs and absolute nibbles",
         {.width = 5, .height = 2, .bitCount = 4, .compression = 2,
          .tables = paletteOf({kTeal, kRed, kGreen, kBlue}), .pixels = rle4Stream()},
         4, {{kGreen, kRed, kBlue, kBlack, kBlack}, {kRed, kGreen, kRed, kGreen, kRed}}},
    };
}
// clang-format on

TEST(BmpDecode, HandBuiltFilesGiveExactPixels) {
    for (const PixelCase& c : pixelCases()) {
        SCOPED_TRACE(c.name);
        const DecodedImage image = decode(c.bmp.bytes());
        EXPECT_EQ(image.bitsPerPixel, c.bitsPerPixel);
        EXPECT_EQ(rowsOf(image.bitmap), c.expected);
    }
}

struct RefusalCase {
    const char* name;
    Bytes file;
    const char* message;  // a part of the expected message
};

const char* const kHeaderMessage = "ビットマップファイルが壊れています（ヘッダが不正です）";
const char* const kRleMessage = "ビットマップファイルが壊れています（圧縮データが不正です）";
const char* const kTruncatedMessage = "ビットマップファイルが途中で切れています";

Bytes withOffset(Bmp bmp, std::int64_t offset) {
    bmp.pixelOffset = offset;
    return bmp.bytes();
}

// clang-format off
std::vector<RefusalCase> refusalCases() {
    const Bytes pixel{0, 0, 0, 0};
    const Bytes palette2 = paletteOf({kRed, kBlue});
    auto rle8 = [&](std::int32_t w, std::int32_t h, Bytes stream) {
        return Bmp{.width = w, .height = h, .bitCount = 8, .compression = 1, .tables = palette2,
                   .pixels = std::move(stream)}.bytes();
    };
    auto bitFields16 = [&](std::vector<std::uint32_t> masks) {
        return Bmp{.bitCount = 16, .compression = 3, .masks = std::move(masks), .pixels = pixel}.bytes();
    };
    Bytes notBmp = Bmp{.pixels = pixel}.bytes();
    notBmp[0] = 'P';
    return {
        // Sizes: checked first, or these would ask for gigabytes.
        {"width 100000", Bmp{.width = 100000, .pixels = pixel}.bytes(),
         "画像が大きすぎて開けません（幅 100000 × 高さ 1）"},
        {"too many pixels", rle8(20000, 25000, {0, 1}), "画像が大きすぎて開けません（幅 20000 × 高さ 25000）"},
        {"product past 32 bits", rle8(65536, 65537, {0, 1}), "（幅 65536 × 高さ 65537）"},
        {"height INT_MIN", Bmp{.height = INT32_MIN, .pixels = pixel}.bytes(), "（幅 1 × 高さ 2147483648）"},
        {"height 0", Bmp{.height = 0, .pixels = pixel}.bytes(), kHeaderMessage},
        {"negative width", Bmp{.width = -5, .pixels = pixel}.bytes(), kHeaderMessage},
        // Headers
        {"not BM", notBmp, "ビットマップファイルではありません"},
        {"unknown header size", Bmp{.headerSize = 20, .pixels = pixel}.bytes(), kHeaderMessage},
        {"zero planes", Bmp{.planes = 0, .pixels = pixel}.bytes(), kHeaderMessage},
        {"2 bits per pixel", Bmp{.bitCount = 2, .pixels = pixel}.bytes(), "対応していません（2 ビット/ピクセル）"},
        {"16 bits in a core header", Bmp{.headerSize = 12, .bitCount = 16, .pixels = pixel}.bytes(),
         "16 ビット/ピクセル"},
        {"JPEG compression", Bmp{.compression = 4, .pixels = pixel}.bytes(),
         "この形式のビットマップには対応していません（圧縮形式 4）"},
        {"OS/2 Huffman", Bmp{.headerSize = 64, .bitCount = 1, .compression = 3, .pixels = pixel}.bytes(),
         "圧縮形式 3"},
        {"RLE8 at 4 bits", Bmp{.bitCount = 4, .compression = 1, .tables = palette2, .pixels = {0, 1}}.bytes(),
         kHeaderMessage},
        {"bit fields at 24 bits",
         Bmp{.compression = 3, .masks = {0xFF0000, 0xFF00, 0xFF}, .pixels = pixel}.bytes(), kHeaderMessage},
        {"top-down RLE", rle8(1, -1, {1, 0, 0, 1}), kHeaderMessage},
        {"mask with a hole", bitFields16({0x7C00, 0x03E0, 0x0015}), kHeaderMessage},
        {"16-bit mask past 16 bits", bitFields16({0x1F0000, 0x03E0, 0x001F}), kHeaderMessage},
        {"more colours than the depth holds",
         Bmp{.bitCount = 1, .colorsUsed = 3, .tables = paletteOf({kRed, kBlue, kGreen}), .pixels = pixel}.bytes(),
         kHeaderMessage},
        {"pixel offset inside the header", withOffset(Bmp{.pixels = pixel}, 40), kHeaderMessage},
        {"pixel offset past the end", withOffset(Bmp{.pixels = pixel}, 1000), kTruncatedMessage},
        // RLE streams that leave the picture or stop early
        {"run overflows the line", rle8(2, 1, {3, 1, 0, 1}), kRleMessage},
        {"absolute run overflows the line", rle8(2, 1, {0, 3, 1, 1, 1, 0, 0, 1}), kRleMessage},
        {"delta past the right edge", rle8(2, 2, {0, 2, 3, 0, 0, 1}), kRleMessage},
        {"delta past the top", rle8(2, 2, {0, 2, 0, 3, 0, 1}), kRleMessage},
        {"pixels above the top row", rle8(1, 1, {1, 1, 0, 0, 1, 1, 0, 1}), kRleMessage},
        {"no end of bitmap", rle8(1, 1, {1, 1, 0, 0}), kTruncatedMessage},
        {"absolute run cut short", rle8(4, 1, {0, 4, 1, 1}), kTruncatedMessage},
    };
}
// clang-format on

TEST(BmpDecode, BadFilesAreRefusedWithTheirReason) {
    for (const RefusalCase& c : refusalCases()) {
        SCOPED_TRACE(c.name);
        try {
            decode(c.file);
            ADD_FAILURE() << "decoded";
        } catch (const DecodeError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

// Every prefix either decodes to the full file's pixels (only the last row's padding is
// missing) or is refused; none reads past its end (the sanitizer builds would catch that).
TEST(BmpDecode, EveryPrefixOfAFileIsRefusedOrComplete) {
    struct Case {
        const char* name;
        Bytes file;
        std::size_t shortestComplete;
    };
    std::vector<Case> cases;
    for (const PixelCase& c : pixelCases()) {
        const Bytes file = c.bmp.bytes();
        const bool rle = c.bmp.compression == 1 || c.bmp.compression == 2;
        const std::size_t rowBytes = (static_cast<std::size_t>(c.bmp.width) * c.bmp.bitCount + 7) / 8;
        const std::size_t stride = (rowBytes + 3) / 4 * 4;
        cases.push_back({c.name, file, rle ? file.size() : file.size() - (stride - rowBytes)});
    }
    cases.push_back({"wx-drawing-pat4.bmp", readFile(corpus("valid") / "wx-drawing-pat4.bmp"), 630});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rows full = rowsOf(decode(c.file).bitmap);
        for (std::size_t n = 0; n < c.file.size(); ++n) {
            const Bytes prefix(c.file.begin(), c.file.begin() + static_cast<std::ptrdiff_t>(n));
            if (n < c.shortestComplete) {
                EXPECT_THROW(decode(prefix), DecodeError) << "prefix " << n;
            } else {
                EXPECT_EQ(rowsOf(decode(prefix).bitmap), full) << "prefix " << n;
            }
        }
    }
}

TEST(BmpEncode, RoundTripIsExactOnOddWidths) {
    for (const int width : {1, 2, 3, 5}) {
        for (const int height : {1, 3}) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
            Bitmap24 bitmap(width, height);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < 3 * width; ++x)
                    bitmap.row(y)[x] = static_cast<std::uint8_t>(37 * y + 11 * x + 5);
            }
            const Bytes file = encodeBmp24(bitmap);
            const DecodedImage image = decode(file);
            EXPECT_EQ(image.bitsPerPixel, 24);
            EXPECT_EQ(rowsOf(image.bitmap), rowsOf(bitmap));
        }
    }
}

TEST(BmpEncode, WritesABottomUpInfoHeaderFile) {
    Bitmap24 bitmap(3, 2);
    bitmap.row(0)[0] = 0x11;  // top-left blue
    bitmap.row(1)[0] = 0x22;  // bottom-left blue
    const Bytes f = encodeBmp24(bitmap);
    auto u32 = [&](std::size_t at) {
        return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
    };
    ASSERT_EQ(f.size(), 54u + 2 * 12);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(u32(2), f.size());
    EXPECT_EQ(u32(10), 54u);  // pixel offset
    EXPECT_EQ(u32(14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(u32(22), 2u);              // positive height: bottom-up
    EXPECT_EQ(u32(26), 1u | 24u << 16);  // one plane, 24 bits
    EXPECT_EQ(u32(30), 0u);              // BI_RGB
    EXPECT_EQ(u32(34), 24u);             // image size
    EXPECT_EQ(f[54], 0x22);              // the bottom row comes first
    EXPECT_EQ(f[54 + 12], 0x11);
}

}  // namespace
}  // namespace veltrane
