// The custom filter's final pass on the 12.2-MP sunset planes beside cv::filter2D with the same
// 5 × 5 kernel and mirrored borders on each plane (one thread), and its preview on the 192 × 192
// letterbox.
#include <benchmark/benchmark.h>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "bench_ratios.h"
#include "filter/custom_filter.h"
#include "fresh_planes.h"
#include "image/letterbox.h"

namespace veltrane::bench {
namespace {

const bool kOneThread = [] {
    cv::setNumThreads(1);
    return true;
}();

// The window's starting kernel (sum 1).
constexpr FilterKernel kDesign = {-1, 0, -2, -2, -2, 0, 1, -1, -1, 0, 1, -1, 5, -1, -1, 0, -1, -1, 1, 0, 2, 2, 2, 0, 1};

void BM_CustomFilterFinal(benchmark::State& s) {
    onFreshPlanes(s, [](ColorPlanes& p) { CustomFilterPlanes(p, kDesign); });
}

// BORDER_REFLECT repeats the edge pixel ("ba|abc…yz|zy"), as the filter does.
void BM_CustomFilterOpenCvFilter2D5(benchmark::State& s) {
    (void)kOneThread;
    cv::Mat kernel(5, 5, CV_32F);
    for (int i = 0; i < 25; ++i) kernel.at<float>(i / 5, i % 5) = static_cast<float>(kDesign[static_cast<std::size_t>(i)]);
    onFreshPlanes(s, [&](ColorPlanes& p) {
        PlaneMats m(p);
        for (cv::Mat* plane : {&m.r, &m.g, &m.b})
            cv::filter2D(*plane, *plane, -1, kernel, cv::Point(-1, -1), 0, cv::BORDER_REFLECT);
    });
}

// "計算する": reset the result planes from the letterbox, then filter the whole box.
void BM_CustomFilterPreview(benchmark::State& state) {
    try {
        const ColorPlanes& source = sunsetDocument().current;
        const ColorPlanes box = buildLetterbox(source, letterboxGeometry(source.width, source.height, 192));
        ColorPlanes work = box;
        for (auto _ : state) {
            copyPlanes(box, work);
            CustomFilterPlanes(work, kDesign);
            benchmark::DoNotOptimize(work.R.data());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

}  // namespace

BENCHMARK(BM_CustomFilterFinal)->Apply(freshRun);
BENCHMARK(BM_CustomFilterOpenCvFilter2D5)->Apply(freshRun);
BENCHMARK(BM_CustomFilterPreview)->Unit(benchmark::kMillisecond)->MinTime(0.2);

[[maybe_unused]] const bool kFilterRatios = addRatio("BM_CustomFilterFinal", "BM_CustomFilterOpenCvFilter2D5", 1.0);

}  // namespace veltrane::bench
