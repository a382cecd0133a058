// The colour mapping windows on the 12-MP picture, one thread, beside OpenCV in the same run:
// previews on the 128 × 128 letterbox and final passes on the picture's planes.
//
// Gradation map: the opening (letterbox, catalogue, first preview and bar), one option change
// (lookup, preview, bar) and the final pass against cv::cvtColor to grey + cv::LUT per plane.
// Tone colour: the final pass (the tone rule through one 256-entry table on all three planes)
// against cv::LUT with the same table on each plane; and the window's interactive work on the
// 128 × 128 preview: a press on the curve box (reset copy, new point, rule over the whole box,
// curve images, curve box) and the opening (letterbox, value bars, curve box).
#include <exception>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "bench_ratios.h"
#include "colormap/gradation_map.h"
#include "colormap/gradient_catalogue.h"
#include "colormap/tone_curve.h"
#include "fresh_planes.h"
#include "image/letterbox.h"

namespace veltrane::bench {
namespace {

void openingRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(3)->ReportAggregatesOnly(true);
}

// The curve after a press at the top of column 128: the table every tone benchmark applies.
ToneCurve pressedToneCurve() {
    ToneCurve curve;
    curve.AddPressedPoint(128, 0);
    return curve;
}

void BM_ToneColorFinal(benchmark::State& state) {
    const ToneCurve curve = pressedToneCurve();
    onFreshPlanes(state, [&](ColorPlanes& p) { applyToneRule(p, curve, ToneChannel::All, [](int) {}); });
}

void BM_ToneColorOpenCvLut(benchmark::State& state) {
    cv::setNumThreads(1);
    const ByteTable table = pressedToneCurve().outputTable();
    const cv::Mat lut(1, 256, CV_8UC1, const_cast<std::uint8_t*>(table.data()));
    onFreshPlanes(state, [&](ColorPlanes& p) {
        PlaneMats m(p);
        for (cv::Mat* mat : {&m.r, &m.g, &m.b}) cv::LUT(*mat, lut, *mat);
    });
}

// One press on the curve box, as the window runs it.
void BM_ToneColorPress(benchmark::State& state) {
    try {
        const ImageDocument& doc = sunsetDocument();
        const ColorPlanes source = buildLetterbox(doc.current, letterboxGeometry(doc.width(), doc.height(), 128));
        ColorPlanes result = source;
        ToneCurve curve;
        ToneCurveImages images;
        int x = 0;
        for (auto _ : state) {
            copyPlanes(source, result);
            curve.AddPressedPoint(x, 255 - x);
            x = (x + 37) % 255;
            applyToneRule(result, curve, ToneChannel::All);
            drawToneCurve(curve, ToneChannel::All, images);
            const Bitmap24 box = toneCurveBox(images);
            benchmark::DoNotOptimize(box.data());
            benchmark::DoNotOptimize(result.R.data());
            benchmark::ClobberMemory();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// The opening: the reduced copy of the 12-MP picture, both value bars, the corner points and
// the curve box.
void BM_ToneColorOpening(benchmark::State& state) {
    try {
        const ImageDocument& doc = sunsetDocument();
        for (auto _ : state) {
            const ColorPlanes preview = buildLetterbox(doc.current, letterboxGeometry(doc.width(), doc.height(), 128));
            const Bitmap24 across = horizontalValueBar(ToneChannel::All);
            const Bitmap24 up = verticalValueBar(ToneChannel::All);
            ToneCurve curve;
            ToneCurveImages images;
            drawToneCurve(curve, ToneChannel::All, images);
            const Bitmap24 box = toneCurveBox(images);
            benchmark::DoNotOptimize(preview.R.data());
            benchmark::DoNotOptimize(across.data());
            benchmark::DoNotOptimize(up.data());
            benchmark::DoNotOptimize(box.data());
            benchmark::ClobberMemory();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

[[maybe_unused]] const bool kToneColorRatio = addRatio("BM_ToneColorFinal", "BM_ToneColorOpenCvLut", 1.0);

BENCHMARK(BM_ToneColorFinal)->Apply(freshRun);
BENCHMARK(BM_ToneColorOpenCvLut)->Apply(freshRun);
BENCHMARK(BM_ToneColorPress)->Apply(previewRun);
BENCHMARK(BM_ToneColorOpening)->Apply(previewRun);

// ---- gradation map ---------------------------------------------------------------------------------

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

[[maybe_unused]] const bool kGradationRatios =
    addRatio("BM_GradationMapFinal", "BM_GradationMapOpenCvGreyLut", 1.0);

BENCHMARK(BM_GradationMapOpening)->Apply(openingRun);
BENCHMARK(BM_GradationMapPreviewAndBar)->Apply(previewRun);
BENCHMARK(BM_GradationMapFinal)->Apply(freshRun);
BENCHMARK(BM_GradationMapOpenCvGreyLut)->Apply(freshRun);

}  // namespace
}  // namespace veltrane::bench
