// The colour mapping windows on the 12-MP picture, one thread, beside OpenCV in the same run.
//
// Tone colour: the final pass (the tone rule through one 256-entry table on all three planes)
// against cv::LUT with the same table on each plane; and the window's interactive work on the
// 128 × 128 preview: a press on the curve box (reset copy, new point, rule over the whole box,
// curve images, curve box) and the opening (letterbox, value bars, curve box).
#include <exception>

#include <opencv2/core.hpp>

#include "bench_ratios.h"
#include "colormap/tone_curve.h"
#include "fresh_planes.h"
#include "image/letterbox.h"

namespace veltrane::bench {
namespace {

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

void toneWindowRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->MinTime(0.2)->Repetitions(3)->ReportAggregatesOnly(true);
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
BENCHMARK(BM_ToneColorPress)->Apply(toneWindowRun);
BENCHMARK(BM_ToneColorOpening)->Apply(toneWindowRun);

}  // namespace
}  // namespace veltrane::bench
