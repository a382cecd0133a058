// The frame-processing window's HSI range extraction, one thread: on the 12-MP picture beside
// cv::cvtColor(BGR2HSV) + cv::inRange + copyTo in the same run (goal: at most 1.5 ×), and the
// work "HSIで抽出(&S)" and "反映" do on the 280 × 210 preview (goal: under 1 ms each).
#include <exception>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "bench_pictures.h"
#include "bench_ratios.h"
#include "frames/extraction_preview.h"
#include "frames/hsi_range.h"
#include "image/image_document.h"

namespace veltrane::bench {
namespace {

// The bars' start positions: hue 0..0.65, saturation 0.15..0.75, intensity 0.26..0.90.
const HsiRange kStart = hsiRangeFromPositions(0, 65, 15, 75, 26, 90);

void BM_HsiRangeExtract(benchmark::State& state) {
    try {
        const Bitmap24& picture = sunsetDocument().bitmap;
        Bitmap24 result = Bitmap24::forOverwrite(picture.width(), picture.height());
        for (auto _ : state) {
            extractHsiRange(picture, result, kStart);
            benchmark::DoNotOptimize(result.data());
        }
        state.SetBytesProcessed(state.iterations() * picture.width() * picture.height() * 3);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// The same kind of work in OpenCV: HSV with 8-bit channels (hue in 2° steps), the range test
// and the masked copy over a cleared result.
void BM_HsiRangeOpenCv(benchmark::State& state) {
    try {
        cv::setNumThreads(1);
        Bitmap24& picture = sunsetDocument().bitmap;
        const cv::Mat source(picture.height(), picture.width(), CV_8UC3, picture.data(), picture.stride());
        cv::Mat hsv, mask, result(source.size(), CV_8UC3);
        const cv::Scalar lower(0, 38, 66), upper(19, 191, 230);
        for (auto _ : state) {
            cv::cvtColor(source, hsv, cv::COLOR_BGR2HSV);
            cv::inRange(hsv, lower, upper, mask);
            result.setTo(cv::Scalar::all(0));
            source.copyTo(result, mask);
            benchmark::DoNotOptimize(result.data);
        }
        state.SetBytesProcessed(state.iterations() * picture.width() * picture.height() * 3);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// "HSIで抽出(&S)": the preview of the 12-MP picture and its bitmap.
void BM_ExtractionPreviewBuild(benchmark::State& state) {
    try {
        const ColorPlanes& current = sunsetDocument().current;
        Bitmap24 bitmap(kExtractionPreviewWidth, kExtractionPreviewHeight);
        for (auto _ : state) {
            const ColorPlanes preview = buildExtractionPreview(current);
            writePlanes(preview, bitmap);
            benchmark::DoNotOptimize(bitmap.data());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// "反映": the preview planes into the bitmap and the extraction over it.
void BM_ExtractionOnPreview(benchmark::State& state) {
    try {
        const ColorPlanes preview = buildExtractionPreview(sunsetDocument().current);
        Bitmap24 bitmap(kExtractionPreviewWidth, kExtractionPreviewHeight);
        for (auto _ : state) {
            writePlanes(preview, bitmap);
            extractHsiRange(bitmap, bitmap, kStart);
            benchmark::DoNotOptimize(bitmap.data());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

[[maybe_unused]] const bool kHsiRangeRatio = addRatio("BM_HsiRangeExtract", "BM_HsiRangeOpenCv", 1.5);

}  // namespace

BENCHMARK(BM_HsiRangeExtract)->Apply(pictureRun);
BENCHMARK(BM_HsiRangeOpenCv)->Apply(pictureRun);
BENCHMARK(BM_ExtractionPreviewBuild)->Apply(previewRun);
BENCHMARK(BM_ExtractionOnPreview)->Apply(previewRun);

}  // namespace veltrane::bench
