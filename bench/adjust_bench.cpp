// The seven adjustments of the image-adjustment dialog: each preview routine on the 192 × 192
// letterboxed preview of the 12-MP picture (ResetPreview included, as a slider movement runs
// it), and each final pass on the full 12-MP planes beside the nearest OpenCV operation where
// there is one. One thread throughout.
//
// Final passes start every iteration from a fresh copy of the picture's planes, made with the
// timer paused, so each pass sees the photograph and never its own output; OpenCV gets the same.
#include <cstring>
#include <exception>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "adjust/adjustments.h"
#include "bench_ratios.h"
#include "fresh_planes.h"
#include "image/letterbox.h"

namespace veltrane::bench {
namespace {

// ---- previews ---------------------------------------------------------------------------------

struct Preview {
    LetterboxGeometry geometry;
    PictureArea area;
    ColorPlanes source, result;
};

Preview& sunsetPreview() {
    static Preview p = [] {
        const ImageDocument& doc = sunsetDocument();
        Preview made;
        made.geometry = letterboxGeometry(doc.width(), doc.height(), 192);
        made.area = made.geometry.pictureArea();
        made.source = buildLetterbox(doc.current, made.geometry);
        made.result = made.source;
        return made;
    }();
    return p;
}

// One slider movement: ResetPreview, then the routine over the picture area.
template <class Op>
void onPreview(benchmark::State& state, Op op) {
    try {
        Preview& p = sunsetPreview();
        for (auto _ : state) {
            copyPlanes(p.source, p.result);
            op(p);
            benchmark::DoNotOptimize(p.result.R.data());
            benchmark::ClobberMemory();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void BM_AdjustPreviewBinarise(benchmark::State& state) {
    onPreview(state, [](Preview& p) { binarisePreview(p.result, p.area, 128, ChannelChoice::All); });
}
void BM_AdjustPreviewContrast(benchmark::State& state) {
    onPreview(state, [](Preview& p) { contrastPreview(p.source, p.result, p.area, 30, ChannelChoice::All); });
}
void BM_AdjustPreviewGamma(benchmark::State& state) {
    onPreview(state, [](Preview& p) { gammaPreview(p.result, p.area, 25); });
}
void BM_AdjustPreviewPosterise(benchmark::State& state) {
    onPreview(state, [](Preview& p) { posterisePreview(p.result, p.area, 5, ChannelChoice::All); });
}
void BM_AdjustPreviewRgb(benchmark::State& state) {
    onPreview(state, [](Preview& p) { rgbPreview(p.source, p.result, p.area, 40, -20, 10); });
}
void BM_AdjustPreviewHsi(benchmark::State& state) {
    onPreview(state, [](Preview& p) { hsiPreview(p.result, p.area, 60, 20, -10); });
}
void BM_AdjustPreviewNoise100(benchmark::State& state) {
    RandomGenerator random;
    onPreview(state, [&](Preview& p) { noisePreview(p.result, p.area, p.geometry.wide, 100, true, random); });
}

// ---- final passes -----------------------------------------------------------------------------


void BM_AdjustFinalBinarise(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { binariseFinal(p, 128, ChannelChoice::All); });
}
void BM_AdjustFinalBinariseRed(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { binariseFinal(p, 128, ChannelChoice::Red); });
}
// cv::threshold on each of the three planes (a per-channel threshold, where ours thresholds
// the mean of the three and writes all three).
void BM_AdjustOpenCvThreshold(benchmark::State& state) {
    cv::setNumThreads(1);
    onFreshPlanes(state, [](ColorPlanes& p) {
        PlaneMats m(p);
        for (cv::Mat* mat : {&m.r, &m.g, &m.b}) cv::threshold(*mat, *mat, 128, 255, cv::THRESH_BINARY);
    });
}

void BM_AdjustFinalGamma(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { gammaFinal(p, 25); });
}
void BM_AdjustFinalPosterise(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { posteriseFinal(p, 5, ChannelChoice::All); });
}
void BM_AdjustFinalRgb(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { rgbFinal(p, 40, -20, 10); });
}
// cv::LUT with one 256-entry table on each of the three planes: the yardstick for gamma,
// posterise and the RGB offsets, which are table look-ups per value.
void BM_AdjustOpenCvLut(benchmark::State& state) {
    cv::setNumThreads(1);
    std::uint8_t table[256];
    gammaTable(25, table);
    const cv::Mat lut(1, 256, CV_8UC1, table);
    onFreshPlanes(state, [&](ColorPlanes& p) {
        PlaneMats m(p);
        for (cv::Mat* mat : {&m.r, &m.g, &m.b}) cv::LUT(*mat, lut, *mat);
    });
}

void BM_AdjustFinalContrast(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { contrastFinal(p, 30, ChannelChoice::All); });
}
void BM_AdjustFinalContrastRed(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { contrastFinal(p, 30, ChannelChoice::Red); });
}
// cv::transform with a 3 × 3 float matrix on the interleaved bitmap (the nearest OpenCV operation
// to a per-pixel weighted sum of the three channels; OpenCV has no planar form of it). It cannot
// work in place: called with the same matrix as input and output it makes a new 36-MB output
// each time, whose first touch of fresh pages costs several times the arithmetic on a virtual
// machine. The in-place call is the like-for-like yardstick (our pass works in place); the call
// into an output kept from one iteration to the next shows OpenCV's arithmetic alone.
void openCvTransform(benchmark::State& state, bool keptOutput) {
    cv::setNumThreads(1);
    try {
        const Bitmap24& bitmap = sunsetDocument().bitmap;
        const cv::Mat src(bitmap.height(), bitmap.width(), CV_8UC3, const_cast<std::uint8_t*>(bitmap.data()),
                          bitmap.stride());
        cv::Mat work = src.clone();
        cv::Mat out = src.clone();
        const float a = 10.0f / 7, b = 1.0f / 7;
        const cv::Matx33f m(a, b, b, b, a, b, b, b, a);
        for (auto _ : state) {
            state.PauseTiming();
            src.copyTo(work);
            state.ResumeTiming();
            cv::Mat& target = keptOutput ? out : work;
            cv::transform(work, target, m);
            benchmark::DoNotOptimize(target.data);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 3 * bitmap.width() * bitmap.height());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}
void BM_AdjustOpenCvTransform(benchmark::State& state) { openCvTransform(state, false); }
void BM_AdjustOpenCvTransformKeptOutput(benchmark::State& state) { openCvTransform(state, true); }

void BM_AdjustFinalHsi(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { hsiFinal(p, 60, 20, -10); });
}
// cv::cvtColor to HSV and back on the interleaved bitmap: not the same model, but the nearest
// library round trip through a hue–saturation space.
void BM_AdjustOpenCvHsvRoundTrip(benchmark::State& state) {
    cv::setNumThreads(1);
    try {
        const Bitmap24& bitmap = sunsetDocument().bitmap;
        const cv::Mat src(bitmap.height(), bitmap.width(), CV_8UC3, const_cast<std::uint8_t*>(bitmap.data()),
                          bitmap.stride());
        cv::Mat hsv, back;
        for (auto _ : state) {
            cv::cvtColor(src, hsv, cv::COLOR_BGR2HSV_FULL);
            cv::cvtColor(hsv, back, cv::COLOR_HSV2BGR_FULL);
            benchmark::DoNotOptimize(back.data);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 3 * bitmap.width() * bitmap.height());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void BM_AdjustFinalNoise10(benchmark::State& state) {
    RandomGenerator random;
    onFreshPlanes(state, [&](ColorPlanes& p) { noiseFinal(p, 10, true, random); });
}
void BM_AdjustFinalNoise100(benchmark::State& state) {
    RandomGenerator random;
    onFreshPlanes(state, [&](ColorPlanes& p) { noiseFinal(p, 100, true, random); });
}

// Final passes against their OpenCV yardsticks; the contrast and HSI goals are 1.2 (contrast
// against OpenCV's arithmetic alone, the stricter and steadier of its two yardsticks).
[[maybe_unused]] const bool kAdjustRatios =
    addRatio("BM_AdjustFinalBinarise", "BM_AdjustOpenCvThreshold") &&
    addRatio("BM_AdjustFinalGamma", "BM_AdjustOpenCvLut") && addRatio("BM_AdjustFinalPosterise", "BM_AdjustOpenCvLut") &&
    addRatio("BM_AdjustFinalRgb", "BM_AdjustOpenCvLut") &&
    addRatio("BM_AdjustFinalContrast", "BM_AdjustOpenCvTransform") &&
    addRatio("BM_AdjustFinalContrast", "BM_AdjustOpenCvTransformKeptOutput", 1.2) &&
    addRatio("BM_AdjustFinalHsi", "BM_AdjustOpenCvHsvRoundTrip", 1.2);

BENCHMARK(BM_AdjustPreviewBinarise)->Apply(previewRun);
BENCHMARK(BM_AdjustPreviewContrast)->Apply(previewRun);
BENCHMARK(BM_AdjustPreviewGamma)->Apply(previewRun);
BENCHMARK(BM_AdjustPreviewPosterise)->Apply(previewRun);
BENCHMARK(BM_AdjustPreviewRgb)->Apply(previewRun);
BENCHMARK(BM_AdjustPreviewHsi)->Apply(previewRun);
BENCHMARK(BM_AdjustPreviewNoise100)->Apply(previewRun);

BENCHMARK(BM_AdjustFinalBinarise)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalBinariseRed)->Apply(freshRun);
BENCHMARK(BM_AdjustOpenCvThreshold)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalGamma)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalPosterise)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalRgb)->Apply(freshRun);
BENCHMARK(BM_AdjustOpenCvLut)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalContrast)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalContrastRed)->Apply(freshRun);
BENCHMARK(BM_AdjustOpenCvTransform)->Apply(freshRun);
BENCHMARK(BM_AdjustOpenCvTransformKeptOutput)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalHsi)->Apply(freshRun);
BENCHMARK(BM_AdjustOpenCvHsvRoundTrip)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalNoise10)->Apply(freshRun);
BENCHMARK(BM_AdjustFinalNoise100)->Apply(freshRun);

}  // namespace
}  // namespace veltrane::bench
