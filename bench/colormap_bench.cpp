// The colour mapping windows: previews on the 128 × 128 letterbox and final passes on the
// 12-MP picture's planes beside the nearest OpenCV operations. One thread throughout.

#include <exception>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "bench_ratios.h"
#include "colormap/gradation_map.h"
#include "colormap/gradient_catalogue.h"
#include "fresh_planes.h"
#include "image/letterbox.h"

namespace veltrane::bench {
namespace {

// ---- gradation map ----------------------------------------------------------------------------

// "虹色(1)" with the channels exchanged and inverted: every option of the lookup in play.
GradientTable gradationLookupForBench() {
    static const GradientTable lookup = [] {
        GradientCatalogue catalogue;
        RandomGenerator random;
        BuildGradientCatalogue(catalogue, random);
        return gradationLookup(catalogue.table(4, 1), {false, 3, true});
    }();
    return lookup;
}

// Opening the window: the letterbox of the 12-MP picture, the catalogue, and the first preview
// with its bar (the planes' allocation included).
void BM_GradationMapOpening(benchmark::State& state) {
    try {
        const ImageDocument& doc = sunsetDocument();
        RandomGenerator random;
        for (auto _ : state) {
            const LetterboxGeometry geometry = letterboxGeometry(doc.width(), doc.height(), 128);
            const ColorPlanes source = buildLetterbox(doc.current, geometry);
            ColorPlanes result(128, 128), bar(kGradationBarWidth, kGradationBarHeight);
            auto catalogue = std::make_unique<GradientCatalogue>();
            BuildGradientCatalogue(*catalogue, random);
            const GradientTable lookup = gradationLookup(catalogue->table(0, 0), {});
            renderGradationPreview(source, result, lookup);
            renderGradationBar(bar, lookup);
            benchmark::DoNotOptimize(result.R.data());
            benchmark::DoNotOptimize(bar.R.data());
            benchmark::ClobberMemory();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// One option change: the lookup folded afresh, the 128 × 128 preview and the 255 × 33 bar.
void BM_GradationMapPreviewAndBar(benchmark::State& state) {
    try {
        const ImageDocument& doc = sunsetDocument();
        const ColorPlanes source = buildLetterbox(doc.current, letterboxGeometry(doc.width(), doc.height(), 128));
        ColorPlanes result(128, 128), bar(kGradationBarWidth, kGradationBarHeight);
        GradientTable gradient = gradationLookupForBench();
        for (auto _ : state) {
            const GradientTable lookup = gradationLookup(gradient, {true, 5, false});
            renderGradationPreview(source, result, lookup);
            renderGradationBar(bar, lookup);
            benchmark::DoNotOptimize(result.R.data());
            benchmark::DoNotOptimize(bar.R.data());
            benchmark::ClobberMemory();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void BM_GradationMapFinal(benchmark::State& state) {
    const GradientTable lookup = gradationLookupForBench();
    onFreshPlanes(state, [&](ColorPlanes& p) { applyGradationMap(p, lookup); });
}

// cv::cvtColor of the interleaved picture to grey into a kept output, then cv::LUT of the grey
// through one table into each of the three planes: the library's way to the same result.
void BM_GradationMapOpenCvGreyLut(benchmark::State& state) {
    cv::setNumThreads(1);
    const GradientTable lookup = gradationLookupForBench();
    const cv::Mat lutR(1, 256, CV_8UC1, const_cast<std::uint8_t*>(lookup.R.data()));
    const cv::Mat lutG(1, 256, CV_8UC1, const_cast<std::uint8_t*>(lookup.G.data()));
    const cv::Mat lutB(1, 256, CV_8UC1, const_cast<std::uint8_t*>(lookup.B.data()));
    cv::Mat grey;
    onFreshPlanes(state, [&](ColorPlanes& p) {
        const Bitmap24& bitmap = sunsetDocument().bitmap;
        const cv::Mat src(bitmap.height(), bitmap.width(), CV_8UC3, const_cast<std::uint8_t*>(bitmap.data()),
                          bitmap.stride());
        cv::cvtColor(src, grey, cv::COLOR_BGR2GRAY);
        PlaneMats m(p);
        cv::LUT(grey, lutR, m.r);
        cv::LUT(grey, lutG, m.g);
        cv::LUT(grey, lutB, m.b);
    });
}

void openingRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(3)->ReportAggregatesOnly(true);
}
void previewRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->MinTime(0.2)->Repetitions(3)->ReportAggregatesOnly(true);
}

[[maybe_unused]] const bool kGradationRatios =
    addRatio("BM_GradationMapFinal", "BM_GradationMapOpenCvGreyLut", 1.0);

BENCHMARK(BM_GradationMapOpening)->Apply(openingRun);
BENCHMARK(BM_GradationMapPreviewAndBar)->Apply(previewRun);
BENCHMARK(BM_GradationMapFinal)->Apply(freshRun);
BENCHMARK(BM_GradationMapOpenCvGreyLut)->Apply(freshRun);

}  // namespace
}  // namespace veltrane::bench
