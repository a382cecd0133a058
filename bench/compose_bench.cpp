// Join and merge on two 12-MP bitmaps (the sunset photograph and the same picture upside
// down), beside OpenCV on CV_8UC3 headers over the same buffers. One thread throughout.
#include <algorithm>
#include <exception>

#include <opencv2/core.hpp>

#include "bench_pictures.h"
#include "bench_ratios.h"
#include "compose/join_images.h"
#include "compose/merge_images.h"

namespace veltrane::bench {
namespace {

const Bitmap24& sunsetBitmap() { return sunsetDocument().bitmap; }

// The second picture: the sunset's rows in reverse order, so every pair (m, s) differs.
const Bitmap24& upsideDownSunset() {
    static const Bitmap24 second = [] {
        const Bitmap24& first = sunsetBitmap();
        Bitmap24 flipped = Bitmap24::forOverwrite(first.width(), first.height());
        for (int y = 0; y < first.height(); ++y)
            std::copy_n(first.row(first.height() - 1 - y), first.stride(), flipped.row(y));
        return flipped;
    }();
    return second;
}

cv::Mat matOf(Bitmap24& bitmap) { return {bitmap.height(), bitmap.width(), CV_8UC3, bitmap.data(), bitmap.stride()}; }
cv::Mat matOf(const Bitmap24& bitmap) { return matOf(const_cast<Bitmap24&>(bitmap)); }

std::int64_t pixelBytes(const Bitmap24& bitmap) {
    return static_cast<std::int64_t>(bitmap.width()) * bitmap.height() * 3;
}

// Runs op(working, second) on a fresh copy of the sunset per iteration (copied with the timer
// paused); bytes counted: W × H × 3.
template <class Op>
void onFreshWorking(benchmark::State& state, Op op) {
    try {
        const Bitmap24& source = sunsetBitmap();
        const Bitmap24& second = upsideDownSunset();
        Bitmap24 working = source;
        for (auto _ : state) {
            state.PauseTiming();
            std::copy_n(source.data(), source.stride() * static_cast<std::size_t>(source.height()), working.data());
            state.ResumeTiming();
            op(working, second);
            benchmark::DoNotOptimize(working.data());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * pixelBytes(source));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void BM_Merge(benchmark::State& state, MergeRule rule, int t) {
    onFreshWorking(state, [rule, t](Bitmap24& working, const Bitmap24& second) { MergeImages(working, second, rule, t); });
}

// The OpenCV operation that does the rule's work, in place on the working picture.
void BM_OpenCvMerge(benchmark::State& state, void (*op)(cv::Mat& m, const cv::Mat& s)) {
    cv::setNumThreads(1);
    onFreshWorking(state, [op](Bitmap24& working, const Bitmap24& second) {
        cv::Mat m = matOf(working);
        op(m, matOf(second));
    });
}

void cvMax(cv::Mat& m, const cv::Mat& s) { cv::max(m, s, m); }
void cvMin(cv::Mat& m, const cv::Mat& s) { cv::min(m, s, m); }
void cvAnd(cv::Mat& m, const cv::Mat& s) { cv::bitwise_and(m, s, m); }
void cvOr(cv::Mat& m, const cv::Mat& s) { cv::bitwise_or(m, s, m); }
// "XOR1" is NOT (m AND s), "XOR2" NOT (m OR s).
void cvNand(cv::Mat& m, const cv::Mat& s) {
    cv::bitwise_and(m, s, m);
    cv::bitwise_not(m, m);
}
void cvNor(cv::Mat& m, const cv::Mat& s) {
    cv::bitwise_or(m, s, m);
    cv::bitwise_not(m, m);
}
void cvWeighted29(cv::Mat& m, const cv::Mat& s) { cv::addWeighted(m, 0.29, s, 0.71, 0.0, m); }
void cvWeighted50(cv::Mat& m, const cv::Mat& s) { cv::addWeighted(m, 0.5, s, 0.5, 0.0, m); }
void cvWeighted70(cv::Mat& m, const cv::Mat& s) { cv::addWeighted(m, 0.7, s, 0.3, 0.0, m); }

// A join of the two pictures into a new bitmap; bytes counted: the joined picture's.
void BM_Join(benchmark::State& state, JoinDirection direction) {
    try {
        const Bitmap24& current = sunsetBitmap();
        const Bitmap24& second = upsideDownSunset();
        std::int64_t bytes = 0;
        for (auto _ : state) {
            JoinResult joined = JoinImages(current, second, direction);
            benchmark::DoNotOptimize(joined.picture.data());
            benchmark::ClobberMemory();
            bytes = pixelBytes(joined.picture);
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// The same join in OpenCV: the second picture padded with white to the shared edge's length
// (copyMakeBorder), then the two concatenated. Both outputs are kept between iterations, as
// the program's released bitmap buffers are kept for the next picture of the same size, so
// neither side pays for fresh pages.
void BM_OpenCvJoin(benchmark::State& state, bool vertical) {
    cv::setNumThreads(1);
    try {
        const cv::Mat current = matOf(sunsetBitmap());
        const cv::Mat second = matOf(upsideDownSunset());
        const cv::Scalar white(255, 255, 255);
        std::int64_t bytes = 0;
        cv::Mat padded, joined;
        for (auto _ : state) {
            if (vertical) {
                cv::copyMakeBorder(second, padded, 0, 0, 0, std::max(0, current.cols - second.cols), cv::BORDER_CONSTANT,
                                   white);
                cv::vconcat(current, padded, joined);
            } else {
                cv::copyMakeBorder(second, padded, 0, std::max(0, current.rows - second.rows), 0, 0, cv::BORDER_CONSTANT,
                                   white);
                cv::hconcat(current, padded, joined);
            }
            benchmark::DoNotOptimize(joined.data);
            benchmark::ClobberMemory();
            bytes = static_cast<std::int64_t>(joined.total() * joined.elemSize());
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Merges touch every byte once with a cheap rule: a fixed 20 iterations per repetition, as for
// the other in-place passes, median of 3.
void mergeRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK_CAPTURE(BM_Merge, transparent29, MergeRule::Transparent, 29)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_Merge, transparent50, MergeRule::Transparent, 50)->Apply(mergeRun);
// t = 70 has the most places where the double formula falls below the integer one (20 runs).
BENCHMARK_CAPTURE(BM_Merge, transparent70, MergeRule::Transparent, 70)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_Merge, bright, MergeRule::Bright, 0)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_Merge, dark, MergeRule::Dark, 0)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_Merge, add, MergeRule::Add, 0)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_Merge, sub, MergeRule::Sub, 0)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_Merge, xor1, MergeRule::Xor1, 0)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_Merge, xor2, MergeRule::Xor2, 0)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, addWeighted29, cvWeighted29)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, addWeighted50, cvWeighted50)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, addWeighted70, cvWeighted70)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, max, cvMax)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, min, cvMin)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, bitwise_and, cvAnd)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, bitwise_or, cvOr)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, and_not, cvNand)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_OpenCvMerge, or_not, cvNor)->Apply(mergeRun);
BENCHMARK_CAPTURE(BM_Join, down, JoinDirection::Down)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_Join, right, JoinDirection::Right)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_OpenCvJoin, vconcat, true)->Apply(pictureRun);
BENCHMARK_CAPTURE(BM_OpenCvJoin, hconcat, false)->Apply(pictureRun);

[[maybe_unused]] const bool kMergeRatios =
    addRatio("BM_Merge/transparent29", "BM_OpenCvMerge/addWeighted29", 1.5) &&
    addRatio("BM_Merge/transparent50", "BM_OpenCvMerge/addWeighted50", 1.5) &&
    addRatio("BM_Merge/transparent70", "BM_OpenCvMerge/addWeighted70", 1.5) &&
    addRatio("BM_Merge/bright", "BM_OpenCvMerge/max", 1.0) && addRatio("BM_Merge/dark", "BM_OpenCvMerge/min", 1.0) &&
    addRatio("BM_Merge/add", "BM_OpenCvMerge/bitwise_and", 1.0) &&
    addRatio("BM_Merge/sub", "BM_OpenCvMerge/bitwise_or", 1.0) &&
    addRatio("BM_Merge/xor1", "BM_OpenCvMerge/and_not", 1.0) && addRatio("BM_Merge/xor2", "BM_OpenCvMerge/or_not", 1.0);
[[maybe_unused]] const bool kJoinRatios = addRatio("BM_Join/down", "BM_OpenCvJoin/vconcat", 1.0) &&
                                          addRatio("BM_Join/right", "BM_OpenCvJoin/hconcat", 1.0);

}  // namespace
}  // namespace veltrane::bench
