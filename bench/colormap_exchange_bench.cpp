// The colour mapping windows' passes on the 12-MP picture beside OpenCV, one thread, and their
// previews on the 128 × 128 letterbox.
//
// Colour exchange: our in-place pass against cv::mixChannels doing the same permutation from
// the three planes into three planes kept between iterations (it cannot permute in place).
// Colour extraction: our pass against cv::cvtColor to HSV (full hue range) on the interleaved
// bitmap plus cv::inRange for one hue range, both into outputs kept between iterations.
#include <exception>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "bench_ratios.h"
#include "colormap/color_exchange.h"
#include "colormap/color_extraction.h"
#include "fresh_planes.h"
#include "image/letterbox.h"

namespace veltrane::bench {
namespace {

// "RGB⇔GBR": every channel moves.
constexpr int kRotation = 3;
// The sunset is mostly reds and yellows: untick "赤".
constexpr SectorChoice kAllButRed = {false, true, true, true, true, true};

void BM_ColormapExchangeFinal(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { exchangeColours(p, kRotation, ChannelKeep{}); });
}
void BM_ColormapExchangeFinalBlanked(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { exchangeColours(p, 5, ChannelKeep{false, true, true}); });
}
void BM_ColormapOpenCvMixChannels(benchmark::State& state) {
    cv::setNumThreads(1);
    const ColorPlanes& source = sunsetDocument().current;
    std::vector<cv::Mat> out(3);
    for (cv::Mat& m : out) m.create(source.height, source.width, CV_8UC1);
    const int fromTo[] = {1, 0, 2, 1, 0, 2};  // output R from G, G from B, B from R
    onFreshPlanes(state, [&](ColorPlanes& p) {
        PlaneMats m(p);
        const std::vector<cv::Mat> in = {m.r, m.g, m.b};
        cv::mixChannels(in, out, fromTo, 3);
        benchmark::DoNotOptimize(out[0].data);
    });
}

void BM_ColormapExtractionFinal(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { extractColours(p, kAllButRed); });
}
void BM_ColormapOpenCvHsvInRange(benchmark::State& state) {
    cv::setNumThreads(1);
    try {
        const Bitmap24& bitmap = sunsetDocument().bitmap;
        const cv::Mat src(bitmap.height(), bitmap.width(), CV_8UC3, const_cast<std::uint8_t*>(bitmap.data()),
                          bitmap.stride());
        cv::Mat hsv, mask;
        for (auto _ : state) {
            cv::cvtColor(src, hsv, cv::COLOR_BGR2HSV_FULL);
            cv::inRange(hsv, cv::Scalar(22, 0, 0), cv::Scalar(234, 255, 255), mask);
            benchmark::DoNotOptimize(mask.data);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 3 * bitmap.width() * bitmap.height());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// ---- previews: reset, then the routine over the picture area ----------------------------------

template <class Op>
void onPreview(benchmark::State& state, Op op) {
    try {
        const ImageDocument& doc = sunsetDocument();
        const LetterboxGeometry geometry = letterboxGeometry(doc.width(), doc.height(), 128);
        const PictureArea area = geometry.pictureArea();
        const ColorPlanes source = buildLetterbox(doc.current, geometry);
        ColorPlanes result = source;
        for (auto _ : state) {
            copyPlanes(source, result);
            op(result, area);
            benchmark::DoNotOptimize(result.R.data());
            benchmark::ClobberMemory();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}
void BM_ColormapExchangePreview(benchmark::State& state) {
    onPreview(state, [](ColorPlanes& p, const PictureArea& a) { exchangeColours(p, a, kRotation, ChannelKeep{}); });
}
void BM_ColormapExtractionPreview(benchmark::State& state) {
    onPreview(state, [](ColorPlanes& p, const PictureArea& a) { extractColours(p, a, kAllButRed); });
}
[[maybe_unused]] const bool kColormapRatios =
    addRatio("BM_ColormapExchangeFinal", "BM_ColormapOpenCvMixChannels", 1.0) &&
    addRatio("BM_ColormapExchangeFinalBlanked", "BM_ColormapOpenCvMixChannels", 1.0) &&
    addRatio("BM_ColormapExtractionFinal", "BM_ColormapOpenCvHsvInRange", 1.0);

}  // namespace

BENCHMARK(BM_ColormapExchangeFinal)->Apply(freshRun);
BENCHMARK(BM_ColormapExchangeFinalBlanked)->Apply(freshRun);
BENCHMARK(BM_ColormapOpenCvMixChannels)->Apply(freshRun);
BENCHMARK(BM_ColormapExtractionFinal)->Apply(freshRun);
BENCHMARK(BM_ColormapOpenCvHsvInRange)->Apply(freshRun);
BENCHMARK(BM_ColormapExchangePreview)->Apply(previewRun);
BENCHMARK(BM_ColormapExtractionPreview)->Apply(previewRun);

}  // namespace veltrane::bench
