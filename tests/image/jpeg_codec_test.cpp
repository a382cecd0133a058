#include "image/jpeg_codec.h"

#include <gtest/gtest.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "support/test_paths.h"

namespace veltrane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Rgb = std::array<int, 3>;

Rgb at(const Bitmap24& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.row(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

Bitmap24 flat(int width, int height, Rgb colour) {
    Bitmap24 bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bitmap.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(colour[2]);
            p[1] = static_cast<std::uint8_t>(colour[1]);
            p[2] = static_cast<std::uint8_t>(colour[0]);
        }
    }
    return bitmap;
}

// Grey noise: compresses badly, so its file is large, yet all of it is luminance, which the
// encoder keeps at full resolution, so a good decode stays near the source.
Bitmap24 noise(int width, int height) {
    Bitmap24 bitmap(width, height);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            std::fill_n(bitmap.row(y) + 3 * x, 3, static_cast<std::uint8_t>(state >> 24));
        }
    }
    return bitmap;
}

DecodedImage decode(const Bytes& b) { return decodeJpeg(b.data(), b.size()); }

Bytes prefix(const Bytes& b, std::size_t n) {
    return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
}

std::string decodeFailure(const Bytes& b) {
    try {
        decode(b);
    } catch (const DecodeError& e) {
        return e.what();
    }
    return "(decoded)";
}

struct Segment {
    int marker;
    Bytes payload;
};

// The marker segments from SOI up to and including SOS.
std::vector<Segment> segments(const Bytes& f) {
    std::vector<Segment> out;
    std::size_t p = 2;
    while (p + 4 <= f.size() && f[p] == 0xFF) {
        const int marker = f[p + 1];
        const std::size_t length = static_cast<std::size_t>(f[p + 2] << 8 | f[p + 3]);
        out.push_back(
            {marker, Bytes(f.begin() + static_cast<std::ptrdiff_t>(p + 4),
                           f.begin() + static_cast<std::ptrdiff_t>(std::min(f.size(), p + 2 + length)))});
        if (marker == 0xDA) break;
        p += 2 + length;
    }
    return out;
}

const Segment* find(const std::vector<Segment>& s, int marker) {
    for (const Segment& seg : s) {
        if (seg.marker == marker) return &seg;
    }
    return nullptr;
}

// The quantisation tables (natural order) that libjpeg itself derives for a quality.
std::array<std::array<unsigned, 64>, 2> referenceTables(int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    std::array<std::array<unsigned, 64>, 2> tables{};
    for (int t = 0; t < 2; ++t) {
        for (int i = 0; i < 64; ++i) tables[t][i] = cinfo.quant_tbl_ptrs[t]->quantval[i];
    }
    jpeg_destroy_compress(&cinfo);
    return tables;
}

// The quantisation tables a file carries, as libjpeg reads them.
std::array<std::array<unsigned, 64>, 2> fileTables(const Bytes& file) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    std::array<std::array<unsigned, 64>, 2> tables{};
    for (int t = 0; t < 2; ++t) {
        for (int i = 0; i < 64 && cinfo.quant_tbl_ptrs[t]; ++i)
            tables[t][i] = cinfo.quant_tbl_ptrs[t]->quantval[i];
    }
    jpeg_destroy_decompress(&cinfo);
    return tables;
}

// A greyscale JPEG written by libjpeg directly: a horizontal ramp 0, 16, 32, ...
Bytes greyscaleJpeg(int width, int height) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) row[x] = static_cast<JSAMPLE>(16 * x);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

void expectNear(const Rgb& actual, const Rgb& expected, int tolerance) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], expected[c], tolerance) << "channel " << c;
}

TEST(JpegCodec, FlatColourRoundTripIsClose) {
    const Rgb colour{200, 100, 50};
    const DecodedImage image = decode(encodeJpeg(flat(33, 17, colour), 90));
    EXPECT_EQ(image.bitsPerPixel, 24);
    ASSERT_EQ(image.bitmap.width(), 33);
    ASSERT_EQ(image.bitmap.height(), 17);
    const std::pair<int, int> points[] = {{0, 0}, {32, 0}, {16, 8}, {0, 16}, {32, 16}};
    for (const auto& [x, y] : points) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        expectNear(at(image.bitmap, x, y), colour, 3);
    }
}

TEST(JpegCodec, EncodesBaselineColourWithTheRequestedQuality) {
    for (const int quality : {90, 50}) {
        SCOPED_TRACE(quality);
        const Bytes file = encodeJpeg(noise(40, 24), quality);
        const std::vector<Segment> s = segments(file);
        ASSERT_EQ(file[0], 0xFF);
        ASSERT_EQ(file[1], 0xD8);
        const Segment* sof = find(s, 0xC0);
        ASSERT_NE(sof, nullptr) << "no baseline frame header";
        EXPECT_EQ(find(s, 0xC2), nullptr) << "progressive";
        ASSERT_GE(sof->payload.size(), 6u);
        EXPECT_EQ(sof->payload[0], 8);                          // sample precision
        EXPECT_EQ(sof->payload[1] << 8 | sof->payload[2], 24);  // height
        EXPECT_EQ(sof->payload[3] << 8 | sof->payload[4], 40);  // width
        EXPECT_EQ(sof->payload[5], 3);                          // colour components

        // The first DQT entry is the luminance DC step: 16 scaled for the quality.
        const Segment* dqt = find(s, 0xDB);
        ASSERT_NE(dqt, nullptr);
        ASSERT_GE(dqt->payload.size(), 2u);
        EXPECT_EQ(dqt->payload[0], 0);  // 8-bit table 0
        EXPECT_EQ(dqt->payload[1], (16 * jpeg_quality_scaling(quality) + 50) / 100);
        EXPECT_EQ(fileTables(file), referenceTables(quality));
    }
}

// A lost or repeated byte where the output buffer grows would garble every later block.
TEST(JpegCodec, LargeOutputSurvivesBufferGrowth) {
    const Bitmap24 source = noise(800, 600);
    const Bytes file = encodeJpeg(source, 90);
    ASSERT_GT(file.size(), 4u * 64 * 1024);  // several times past the first output buffer
    const DecodedImage image = decode(file);
    ASSERT_EQ(image.bitmap.width(), 800);
    ASSERT_EQ(image.bitmap.height(), 600);
    double error = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 3 * 800; ++x) error += std::abs(image.bitmap.row(y)[x] - source.row(y)[x]);
    }
    EXPECT_LT(error / (800 * 600 * 3), 12.0) << "garbled";
}

TEST(JpegCodec, EncodingAnEmptyBitmapThrows) { EXPECT_THROW(encodeJpeg(Bitmap24(), 90), std::runtime_error); }

TEST(JpegCodec, GreyscaleBecomesEqualChannels) {
    const DecodedImage image = decode(greyscaleJpeg(16, 8));
    EXPECT_EQ(image.bitsPerPixel, 8);
    ASSERT_EQ(image.bitmap.width(), 16);
    ASSERT_EQ(image.bitmap.height(), 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            const Rgb c = at(image.bitmap, x, y);
            ASSERT_EQ(c[0], c[1]) << x << "," << y;
            ASSERT_EQ(c[1], c[2]) << x << "," << y;
            EXPECT_NEAR(c[0], 16 * x, 6) << x << "," << y;
        }
    }
}

// Adobe's inverted CMYK: read plainly, the white background would come out black.
TEST(JpegCodec, AdobeCmykFileHasSaneColours) {
    std::ifstream in(test::dataDir() + "/corpus/cmyk.jpg", std::ios::binary);
    const Bytes file(std::istreambuf_iterator<char>(in), {});
    const DecodedImage image = decode(file);
    EXPECT_EQ(image.bitsPerPixel, 24);
    ASSERT_EQ(image.bitmap.width(), 200);
    ASSERT_EQ(image.bitmap.height(), 53);
    const Rgb corner = at(image.bitmap, 0, 0);
    const Rgb letter = at(image.bitmap, 15, 15);   // the red "wx"
    const Rgb banner = at(image.bitmap, 100, 45);  // the blue band
    for (int c = 0; c < 3; ++c) EXPECT_GT(corner[c], 235);
    EXPECT_GT(letter[0], letter[1] + 100);
    EXPECT_GT(letter[0], letter[2] + 100);
    EXPECT_GT(banner[2], banner[0] + 60);
}

TEST(JpegCodec, TruncatedFilesAreRefused) {
    const Bytes file = encodeJpeg(noise(64, 48), 90);
    const std::string truncated = "JPEGファイルが途中で切れています";
    EXPECT_EQ(decodeFailure(prefix(file, file.size() / 2)), truncated);
    EXPECT_EQ(decodeFailure(prefix(file, 10)), truncated);
    // Any cut at all: the rows libjpeg would invent are never passed off as a picture.
    const Bytes small = encodeJpeg(noise(16, 16), 90);
    for (std::size_t n = 0; n < small.size(); ++n) {
        EXPECT_THROW(decode(prefix(small, n)), DecodeError) << n;
    }
}

TEST(JpegCodec, CorruptButDecodableDataIsAccepted) {
    Bytes file = encodeJpeg(flat(16, 16, {10, 200, 90}), 90);
    // Stray bytes before the scan: libjpeg warns and skips them.
    std::size_t sos = 2;
    while (!(file[sos] == 0xFF && file[sos + 1] == 0xDA)) ++sos;
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(sos), {0x00, 0x11, 0x22});
    const DecodedImage image = decode(file);
    expectNear(at(image.bitmap, 8, 8), {10, 200, 90}, 3);
}

TEST(JpegCodec, UnreadableDataIsRefusedWithLibjpegsReason) {
    const Bytes empty;
    const Bytes garbage{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', 0, 1, 2, 3, 4};
    const Bytes bmp{'B', 'M', 0x36, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 40, 0};
    for (const Bytes* b : {&empty, &garbage, &bmp}) {
        const std::string message = decodeFailure(*b);
        EXPECT_EQ(message.rfind("JPEGファイルを読み込めません（", 0), 0u) << message;
        EXPECT_GT(message.size(), std::string("JPEGファイルを読み込めません（）").size()) << message;
    }
}

// The frame header's size is checked before any pixel memory is taken: 40000 × 40000 would
// be 4.8 GB, 20000 × 25000 (both sides allowed, too many pixels) 1.5 GB.
TEST(JpegCodec, OversizedHeaderIsRefusedBeforeAllocating) {
    struct Case {
        int width, height;
        const char* message;
    };
    for (const Case& c : {Case{40000, 40000, "画像が大きすぎて開けません（幅 40000 × 高さ 40000）"},
                          Case{20000, 25000, "画像が大きすぎて開けません（幅 20000 × 高さ 25000）"}}) {
        Bytes file = encodeJpeg(flat(8, 8, {1, 2, 3}), 90);
        std::size_t sof = 2;
        while (!(file[sof] == 0xFF && file[sof + 1] == 0xC0)) ++sof;
        file[sof + 5] = static_cast<std::uint8_t>(c.height >> 8);
        file[sof + 6] = static_cast<std::uint8_t>(c.height);
        file[sof + 7] = static_cast<std::uint8_t>(c.width >> 8);
        file[sof + 8] = static_cast<std::uint8_t>(c.width);
        EXPECT_EQ(decodeFailure(file), c.message);
    }
}

}  // namespace
}  // namespace veltrane
