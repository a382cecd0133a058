// The histogram and binary operations on the 12-MP picture's planes, beside the nearest OpenCV
// operations on the same planes. One thread throughout.
//
// Every iteration starts from a fresh copy of the picture's planes, made with the timer paused,
// so each operation sees the photograph (a second equalisation or dilation of its own output
// would be a different workload) and the shared document is left as it was. Both sides get the
// same copy before their timed pass.
//
// Dilation and erosion: ours reads the red plane and writes the black-and-white result into all
// three planes. BM_OpenCvDilate/BM_OpenCvErode are the bare kernel (red plane into a scratch
// plane); BM_OpenCvDilateThreePlanes/...ErodeThreePlanes do the same work as ours byte for byte
// (red plane dilated into the green plane, then copied into red and blue: one plane read, three
// written), which is the fair comparison.
#include <cstring>
#include <exception>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "bench_ratios.h"
#include "fresh_planes.h"
#include "image/histogram.h"
#include "image/morphology.h"

namespace veltrane::bench {
namespace {

const cv::Mat& squareKernel() {
    static const cv::Mat kernel = cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3));
    return kernel;
}

// Reading only: the four histograms of the picture, no copy needed.
void BM_ComputeHistograms(benchmark::State& state) {
    try {
        const ColorPlanes& source = sunsetDocument().current;
        for (auto _ : state) {
            Histograms counts = ComputeHistograms(source);
            benchmark::DoNotOptimize(counts);
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 3 *
                                static_cast<std::int64_t>(source.R.size()));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void BM_StretchChannels(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { StretchChannels(p); });
}

void BM_EqualizeChannels(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { EqualizeChannels(p); });
}

void BM_OpenCvEqualizeHist(benchmark::State& state) {
    cv::setNumThreads(1);
    onFreshPlanes(state, [](ColorPlanes& p) {
        PlaneMats m(p);
        cv::equalizeHist(m.r, m.r);
        cv::equalizeHist(m.g, m.g);
        cv::equalizeHist(m.b, m.b);
    });
}

void BM_ThresholdBinarize(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { ThresholdBinarize(p); });
}

void BM_Dilate(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { Dilate(p); });
}

void BM_Erode(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { Erode(p); });
}

void BM_OpenCvDilate(benchmark::State& state) {
    cv::setNumThreads(1);
    try {
        const ColorPlanes& source = sunsetDocument().current;
        cv::Mat scratch(source.height, source.width, CV_8UC1, cv::Scalar(0));  // mapped before timing
        onFreshPlanes(state, [&](ColorPlanes& p) { cv::dilate(PlaneMats(p).r, scratch, squareKernel()); });
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void BM_OpenCvErode(benchmark::State& state) {
    cv::setNumThreads(1);
    try {
        const ColorPlanes& source = sunsetDocument().current;
        cv::Mat scratch(source.height, source.width, CV_8UC1, cv::Scalar(0));  // mapped before timing
        onFreshPlanes(state, [&](ColorPlanes& p) { cv::erode(PlaneMats(p).r, scratch, squareKernel()); });
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void BM_OpenCvDilateThreePlanes(benchmark::State& state) {
    cv::setNumThreads(1);
    onFreshPlanes(state, [](ColorPlanes& p) {
        PlaneMats m(p);
        cv::dilate(m.r, m.g, squareKernel());
        m.g.copyTo(m.r);
        m.g.copyTo(m.b);
    });
}

void BM_OpenCvErodeThreePlanes(benchmark::State& state) {
    cv::setNumThreads(1);
    onFreshPlanes(state, [](ColorPlanes& p) {
        PlaneMats m(p);
        cv::erode(m.r, m.g, squareKernel());
        m.g.copyTo(m.r);
        m.g.copyTo(m.b);
    });
}

void BM_MonoTint(benchmark::State& state) {
    onFreshPlanes(state, [](ColorPlanes& p) { MonoTint(p, 255, 128, 0); });
}

// Dilation and erosion against the bare OpenCV kernel (the stricter comparison, see README.md).
[[maybe_unused]] const bool kHistogramMorphologyRatios = addRatio("BM_EqualizeChannels", "BM_OpenCvEqualizeHist") &&
                                                         addRatio("BM_Dilate", "BM_OpenCvDilate") &&
                                                         addRatio("BM_Erode", "BM_OpenCvErode");

BENCHMARK(BM_ComputeHistograms)->Apply(pictureRun);
BENCHMARK(BM_StretchChannels)->Apply(freshRun);
BENCHMARK(BM_EqualizeChannels)->Apply(freshRun);
BENCHMARK(BM_OpenCvEqualizeHist)->Apply(freshRun);
BENCHMARK(BM_ThresholdBinarize)->Apply(freshRun);
BENCHMARK(BM_Dilate)->Apply(freshRun);
BENCHMARK(BM_OpenCvDilate)->Apply(freshRun);
BENCHMARK(BM_OpenCvDilateThreePlanes)->Apply(freshRun);
BENCHMARK(BM_Erode)->Apply(freshRun);
BENCHMARK(BM_OpenCvErode)->Apply(freshRun);
BENCHMARK(BM_OpenCvErodeThreePlanes)->Apply(freshRun);
BENCHMARK(BM_MonoTint)->Apply(freshRun);

}  // namespace
}  // namespace veltrane::bench
