// Opening a picture against decoding it with plain libjpeg-turbo: the difference is what the
// program adds on top of the decoder (reading the file, the zeroed bitmap, both plane sets).
#include <csetjmp>
#include <cstdio>
#include <exception>
#include <memory>

#include <jpeglib.h>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "bench_pictures.h"
#include "bench_ratios.h"
#include "image/image_document.h"
#include "image/image_file.h"
#include "image/jpeg_codec.h"

namespace veltrane::bench {
namespace {

struct JumpOnError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void jumpOnError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JumpOnError*>(cinfo->err)->jump, 1); }

// The reference: memory source, packed B, G, R rows, nothing else, into a buffer the caller
// keeps from one iteration to the next, so the figure is the decoder's work alone (no first
// touch of fresh memory). Returns false on a decode error. Kept free of objects with
// destructors because of the longjmp.
bool decodePacked(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& pixels, int& width,
                  int& height) {
    jpeg_decompress_struct cinfo;
    JumpOnError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = jumpOnError;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    width = static_cast<int>(cinfo.output_width);
    height = static_cast<int>(cinfo.output_height);
    const std::size_t stride = std::size_t{cinfo.output_width} * 3;
    pixels.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + std::size_t{cinfo.output_scanline} * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

void setPixelBytes(benchmark::State& state, int width, int height) {
    // Bytes of decoded pixels (W × H × 3) per iteration, so the report shows a throughput.
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * width * height * 3);
    state.counters["MP"] = static_cast<double>(width) * height / 1e6;
}

void BM_PlainLibjpegDecode(benchmark::State& state, const char* name) {
    int width = 0, height = 0;
    try {
        const std::vector<std::uint8_t>& bytes = pictureBytes(name);
        std::vector<std::uint8_t> pixels;
        for (auto _ : state) {
            if (!decodePacked(bytes, pixels, width, height)) {
                state.SkipWithError("libjpeg could not decode the picture");
                return;
            }
            benchmark::DoNotOptimize(pixels.data());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    setPixelBytes(state, width, height);
}

// The program's own decoder over the same bytes in memory: the reference's work plus what
// decodeJpeg adds (error handling, the zeroed and padded working bitmap).
void BM_DecodeJpeg(benchmark::State& state, const char* name) {
    int width = 0, height = 0;
    try {
        const std::vector<std::uint8_t>& bytes = pictureBytes(name);
        for (auto _ : state) {
            DecodedImage decoded = decodeJpeg(bytes.data(), bytes.size());
            width = decoded.bitmap.width();
            height = decoded.bitmap.height();
            benchmark::DoNotOptimize(decoded.bitmap.data());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    setPixelBytes(state, width, height);
}

// What opening a picture costs the program: read the file, decode it into the working bitmap,
// take the bitmap into a document and build the current and original planes.
void BM_OpenIntoDocument(benchmark::State& state, const char* name) {
    int width = 0, height = 0;
    try {
        const std::string path = picturePath(name);
        for (auto _ : state) {
            ImageDocument document;
            document.bitmap = loadImageFile(path, FileKind::Jpeg).bitmap;
            document.buildPlanes();
            document.imageLoaded = true;
            width = document.width();
            height = document.height();
            benchmark::DoNotOptimize(document.current.R.data());
            benchmark::ClobberMemory();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    setPixelBytes(state, width, height);
}

// OpenCV's decoder over the same bytes (it uses libjpeg-turbo too), for later comparisons.
void BM_OpenCvImdecode(benchmark::State& state, const char* name) {
    cv::setNumThreads(1);
    int width = 0, height = 0;
    try {
        const std::vector<std::uint8_t>& bytes = pictureBytes(name);
        const cv::Mat encoded(1, static_cast<int>(bytes.size()), CV_8UC1, const_cast<std::uint8_t*>(bytes.data()));
        for (auto _ : state) {
            cv::Mat decoded = cv::imdecode(encoded, cv::IMREAD_COLOR);
            if (decoded.empty()) {
                state.SkipWithError("OpenCV could not decode the picture");
                return;
            }
            width = decoded.cols;
            height = decoded.rows;
            benchmark::DoNotOptimize(decoded.data);
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    setPixelBytes(state, width, height);
}

// Opening against the plain decode, goal 1.15; our decoder alone against it.
[[maybe_unused]] const bool kOpenRatios =
    addRatio("BM_OpenIntoDocument/sunset_12MP", "BM_PlainLibjpegDecode/sunset_12MP", 1.15) &&
    addRatio("BM_OpenIntoDocument/kleiber_20MP", "BM_PlainLibjpegDecode/kleiber_20MP", 1.15) &&
    addRatio("BM_DecodeJpeg/sunset_12MP", "BM_PlainLibjpegDecode/sunset_12MP") &&
    addRatio("BM_DecodeJpeg/kleiber_20MP", "BM_PlainLibjpegDecode/kleiber_20MP");

BENCHMARK_CAPTURE(BM_PlainLibjpegDecode, sunset_12MP, kSunset12MP)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_DecodeJpeg, sunset_12MP, kSunset12MP)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_OpenIntoDocument, sunset_12MP, kSunset12MP)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_OpenCvImdecode, sunset_12MP, kSunset12MP)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_PlainLibjpegDecode, kleiber_20MP, kKleiber20MP)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_DecodeJpeg, kleiber_20MP, kKleiber20MP)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_OpenIntoDocument, kleiber_20MP, kKleiber20MP)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_OpenCvImdecode, kleiber_20MP, kKleiber20MP)->Apply(pictureRun);

}  // namespace
}  // namespace veltrane::bench
