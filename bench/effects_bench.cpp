// The effects of the effects dialog on the 12.2-MP sunset planes, each beside its OpenCV
// yardstick on the same three planes (one thread), and the previews on the 192 × 192 letterbox.
#include <benchmark/benchmark.h>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "bench_ratios.h"
#include "effects/effect_catalogue.h"
#include "effects/effect_dispatch.h"
#include "fresh_planes.h"
#include "image/letterbox.h"

namespace veltrane::bench {
namespace {

const bool kOneThread = [] {
    cv::setNumThreads(1);
    return true;
}();

// One effect code applied to fresh planes, as apply runs it (option button 1 checked).
void effect(benchmark::State& state, int code, int checked = 1) {
    RandomGenerator random;
    onFreshPlanes(state, [&](ColorPlanes& p) { RunEffect(code, p, checked, random); });
}

// An OpenCV operation on each of the three planes.
template <class Op>
void openCv(benchmark::State& state, Op op) {
    (void)kOneThread;
    onFreshPlanes(state, [&](ColorPlanes& p) {
        PlaneMats m(p);
        for (cv::Mat* plane : {&m.r, &m.g, &m.b}) op(*plane);
    });
}

void BM_EffectNegate(benchmark::State& s) { effect(s, 13); }
void BM_EffectXorMask(benchmark::State& s) { effect(s, 47); }
void BM_EffectSepia(benchmark::State& s) { effect(s, 10); }
void BM_EffectGrey(benchmark::State& s) { effect(s, 0); }
void BM_EffectBayerGrey(benchmark::State& s) { effect(s, 60); }
void BM_EffectLowPass(benchmark::State& s) { effect(s, 20); }
void BM_EffectHighPass(benchmark::State& s) { effect(s, 21); }
void BM_EffectEdges(benchmark::State& s) { effect(s, 22); }
void BM_EffectColourEdges(benchmark::State& s) { effect(s, 23); }
void BM_EffectEmboss(benchmark::State& s) { effect(s, 81); }
void BM_EffectSobel(benchmark::State& s) { effect(s, 24); }
void BM_EffectAverage(benchmark::State& s) { effect(s, 28); }
void BM_EffectMax(benchmark::State& s) { effect(s, 25); }
void BM_EffectMin(benchmark::State& s) { effect(s, 26); }
void BM_EffectMedian(benchmark::State& s) { effect(s, 27); }
void BM_EffectShake(benchmark::State& s) { effect(s, 80); }
void BM_EffectFloyd(benchmark::State& s) { effect(s, 29, 1); }
void BM_EffectJarvis(benchmark::State& s) { effect(s, 29, 2); }
void BM_EffectPainting78(benchmark::State& s) { effect(s, 84, 6); }
void BM_EffectMeko(benchmark::State& s) { effect(s, 45); }

void BM_EffectsOpenCvBitwiseNot(benchmark::State& s) {
    openCv(s, [](cv::Mat& m) { cv::bitwise_not(m, m); });
}
void BM_EffectsOpenCvLut(benchmark::State& s) {
    cv::Mat table(1, 256, CV_8U);
    for (int i = 0; i < 256; ++i) table.at<std::uint8_t>(i) = static_cast<std::uint8_t>(255 - i);
    openCv(s, [&](cv::Mat& m) { cv::LUT(m, table, m); });
}
void BM_EffectsOpenCvFilter2D3(benchmark::State& s) {
    const cv::Mat kernel = (cv::Mat_<float>(3, 3) << 1, 2, 1, 2, 4, 2, 1, 2, 1) / 16.0f;
    openCv(s, [&](cv::Mat& m) { cv::filter2D(m, m, -1, kernel); });
}
void BM_EffectsOpenCvSobel(benchmark::State& s) {
    cv::Mat dx, dy;
    openCv(s, [&](cv::Mat& m) {
        cv::Sobel(m, dx, CV_16S, 1, 0);
        cv::Sobel(m, dy, CV_16S, 0, 1);
    });
}
void BM_EffectsOpenCvBlur(benchmark::State& s) {
    openCv(s, [](cv::Mat& m) { cv::blur(m, m, cv::Size(3, 3)); });
}
void BM_EffectsOpenCvDilate(benchmark::State& s) {
    openCv(s, [](cv::Mat& m) { cv::dilate(m, m, cv::Mat()); });
}
void BM_EffectsOpenCvErode(benchmark::State& s) {
    openCv(s, [](cv::Mat& m) { cv::erode(m, m, cv::Mat()); });
}
void BM_EffectsOpenCvMedian(benchmark::State& s) {
    openCv(s, [](cv::Mat& m) { cv::medianBlur(m, m, 3); });
}
void BM_EffectsOpenCvFilter2D5(benchmark::State& s) {
    cv::Mat kernel = cv::Mat::zeros(5, 5, CV_32F);
    kernel.at<float>(0, 0) = kernel.at<float>(2, 2) = kernel.at<float>(4, 4) = 1.0f / 3;
    openCv(s, [&](cv::Mat& m) { cv::filter2D(m, m, -1, kernel); });
}

// Every preview: reset plus the step or steps of one click, on the letterbox of the sunset.
void BM_EffectPreviews(benchmark::State& state) {
    try {
        const ColorPlanes& source = sunsetDocument().current;
        const ColorPlanes box = buildLetterbox(source, letterboxGeometry(source.width, source.height, 192));
        ColorPlanes work = box;
        RandomGenerator random;
        const int code = static_cast<int>(state.range(0));
        for (auto _ : state) {
            copyPlanes(box, work);
            RunEffect(code, work, 1, random);
            benchmark::DoNotOptimize(work.R.data());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void allPreviews(benchmark::internal::Benchmark* b) {
    for (int code = 0; code < 100; ++code)
        if (!effectItemName(code).empty()) b->Arg(code);
    b->Unit(benchmark::kMillisecond)->MinTime(0.05);
}

}  // namespace

BENCHMARK(BM_EffectNegate)->Apply(freshRun);
BENCHMARK(BM_EffectXorMask)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvBitwiseNot)->Apply(freshRun);
BENCHMARK(BM_EffectSepia)->Apply(freshRun);
BENCHMARK(BM_EffectGrey)->Apply(freshRun);
BENCHMARK(BM_EffectBayerGrey)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvLut)->Apply(freshRun);
BENCHMARK(BM_EffectLowPass)->Apply(freshRun);
BENCHMARK(BM_EffectHighPass)->Apply(freshRun);
BENCHMARK(BM_EffectEdges)->Apply(freshRun);
BENCHMARK(BM_EffectColourEdges)->Apply(freshRun);
BENCHMARK(BM_EffectEmboss)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvFilter2D3)->Apply(freshRun);
BENCHMARK(BM_EffectSobel)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvSobel)->Apply(freshRun);
BENCHMARK(BM_EffectAverage)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvBlur)->Apply(freshRun);
BENCHMARK(BM_EffectMax)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvDilate)->Apply(freshRun);
BENCHMARK(BM_EffectMin)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvErode)->Apply(freshRun);
BENCHMARK(BM_EffectMedian)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvMedian)->Apply(freshRun);
BENCHMARK(BM_EffectShake)->Apply(freshRun);
BENCHMARK(BM_EffectsOpenCvFilter2D5)->Apply(freshRun);
BENCHMARK(BM_EffectFloyd)->Apply(freshRun);
BENCHMARK(BM_EffectJarvis)->Apply(freshRun);
BENCHMARK(BM_EffectPainting78)->Apply(freshRun);
BENCHMARK(BM_EffectMeko)->Apply(freshRun);
BENCHMARK(BM_EffectPreviews)->Apply(allPreviews);

[[maybe_unused]] const bool kEffectRatios =
    addRatio("BM_EffectNegate", "BM_EffectsOpenCvBitwiseNot", 1.0) && addRatio("BM_EffectXorMask", "BM_EffectsOpenCvBitwiseNot", 1.0) &&
    addRatio("BM_EffectSepia", "BM_EffectsOpenCvLut", 1.0) && addRatio("BM_EffectGrey", "BM_EffectsOpenCvLut", 1.0) &&
    addRatio("BM_EffectBayerGrey", "BM_EffectsOpenCvLut", 1.0) && addRatio("BM_EffectLowPass", "BM_EffectsOpenCvFilter2D3", 1.0) &&
    addRatio("BM_EffectHighPass", "BM_EffectsOpenCvFilter2D3", 1.0) && addRatio("BM_EffectEdges", "BM_EffectsOpenCvFilter2D3", 1.0) &&
    addRatio("BM_EffectColourEdges", "BM_EffectsOpenCvFilter2D3", 1.0) && addRatio("BM_EffectEmboss", "BM_EffectsOpenCvFilter2D3", 1.0) &&
    addRatio("BM_EffectSobel", "BM_EffectsOpenCvSobel", 1.0) && addRatio("BM_EffectAverage", "BM_EffectsOpenCvBlur", 1.0) &&
    addRatio("BM_EffectMax", "BM_EffectsOpenCvDilate", 2.0) && addRatio("BM_EffectMin", "BM_EffectsOpenCvErode", 2.0) &&
    addRatio("BM_EffectMedian", "BM_EffectsOpenCvMedian", 2.0) && addRatio("BM_EffectShake", "BM_EffectsOpenCvFilter2D5", 1.0);

}  // namespace veltrane::bench
