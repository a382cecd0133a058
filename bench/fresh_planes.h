#pragma once
// Shared frame for benchmarks of operations that work in place on the 12-MP picture's planes.
//
// Every iteration starts from a fresh copy of the picture's planes, made with the timer paused,
// so each operation (ours and OpenCV's) sees the photograph and never its own previous output,
// and the shared document is left as it was. The copy leaves the end of the planes in the cache
// for the timed pass that follows; both sides get the same treatment.
#include <benchmark/benchmark.h>

#include <cstring>
#include <exception>
#include <opencv2/core.hpp>

#include "bench_pictures.h"

namespace veltrane::bench {

inline void copyPlanes(const ColorPlanes& from, ColorPlanes& to) {
    std::memcpy(to.R.data(), from.R.data(), from.R.size());
    std::memcpy(to.G.data(), from.G.data(), from.G.size());
    std::memcpy(to.B.data(), from.B.data(), from.B.size());
}

// Runs `op` on a fresh copy of the sunset planes per iteration; bytes counted: W × H × 3.
template <class Op>
void onFreshPlanes(benchmark::State& state, Op op) {
    try {
        const ColorPlanes& source = sunsetDocument().current;
        ColorPlanes work = source;
        for (auto _ : state) {
            state.PauseTiming();
            copyPlanes(source, work);
            state.ResumeTiming();
            op(work);
            benchmark::DoNotOptimize(work.R.data());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 3 *
                                static_cast<std::int64_t>(source.R.size()));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Google Benchmark sizes its iteration count from the timed part only, so a time floor would
// add hundreds of untimed copies to a fast operation: a fixed 20 iterations per repetition
// instead, median of 3 repetitions.
inline void freshRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3)->ReportAggregatesOnly(true);
}

// The three planes as single-channel OpenCV matrices sharing their memory.
struct PlaneMats {
    explicit PlaneMats(ColorPlanes& p)
        : r(p.height, p.width, CV_8UC1, p.R.data()),
          g(p.height, p.width, CV_8UC1, p.G.data()),
          b(p.height, p.width, CV_8UC1, p.B.data()) {}
    cv::Mat r, g, b;
};

}  // namespace veltrane::bench
