// The geometric operations of the "画像変形" menu on the 12-MP picture's planes, beside
// cv::flip on the same three planes. One thread throughout.
#include <cstring>
#include <exception>

#include <opencv2/core.hpp>

#include "bench_ratios.h"
#include "fresh_planes.h"
#include "image/transforms.h"

namespace veltrane::bench {
namespace {

void BM_FlipVertical(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { FlipVertical(p); });
}

void BM_OpenCvFlipVertical(benchmark::State& state) {
    cv::setNumThreads(1);
    onFreshPlanes(state, [](ColorPlanes& p) {
        PlaneMats m(p);
        cv::flip(m.r, m.r, 0);
        cv::flip(m.g, m.g, 0);
        cv::flip(m.b, m.b, 0);
    });
}

void BM_FlipHorizontal(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { FlipHorizontal(p); });
}

void BM_OpenCvFlipHorizontal(benchmark::State& state) {
    cv::setNumThreads(1);
    onFreshPlanes(state, [](ColorPlanes& p) {
        PlaneMats m(p);
        cv::flip(m.r, m.r, 1);
        cv::flip(m.g, m.g, 1);
        cv::flip(m.b, m.b, 1);
    });
}

void BM_InterleaveVertical(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { InterleaveVertical(p); });
}

void BM_InterleaveHorizontal(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { InterleaveHorizontal(p); });
}

void BM_MirrorLeftToRight(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { MirrorLeftToRight(p); });
}

void BM_MirrorTopToBottom(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { MirrorTopToBottom(p); });
}

void BM_BevelFrame(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { BevelFrame(p); });
}

[[maybe_unused]] const bool kFlipRatios = addRatio("BM_FlipVertical", "BM_OpenCvFlipVertical") &&
                                          addRatio("BM_FlipHorizontal", "BM_OpenCvFlipHorizontal");

BENCHMARK(BM_FlipVertical)->Apply(freshRun);
BENCHMARK(BM_OpenCvFlipVertical)->Apply(freshRun);
BENCHMARK(BM_FlipHorizontal)->Apply(freshRun);
BENCHMARK(BM_OpenCvFlipHorizontal)->Apply(freshRun);
BENCHMARK(BM_InterleaveVertical)->Apply(freshRun);
BENCHMARK(BM_InterleaveHorizontal)->Apply(freshRun);
BENCHMARK(BM_MirrorLeftToRight)->Apply(freshRun);
BENCHMARK(BM_MirrorTopToBottom)->Apply(freshRun);
BENCHMARK(BM_BevelFrame)->Apply(freshRun);

}  // namespace
}  // namespace veltrane::bench
