// The benchmark executable's entry point: the usual Google Benchmark run, a clear message when
// the photographs are missing, and the ratio summary (bench_ratios.h) at the end.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_pictures.h"
#include "bench_ratios.h"

namespace veltrane::bench {
namespace {

// The console report, keeping the CPU-time median of every benchmark in seconds.
class MedianRecorder : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || run.error_occurred) continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            medians_[name] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    const std::map<std::string, double>& medians() const { return medians_; }

private:
    std::map<std::string, double> medians_;
};

}  // namespace
}  // namespace veltrane::bench

int main(int argc, char** argv) {
    using namespace veltrane::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const std::vector<std::string> missing = missingPictures();
    for (const std::string& path : missing)
        std::fprintf(stderr, "Benchmark photograph not found: %s\n", path.c_str());
    if (!missing.empty())
        std::fprintf(stderr,
                     "Set VELTRANE_BENCH_DIR to the folder holding them (see bench/README.md); the benchmarks "
                     "that need them are skipped.\n");
    MedianRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter.medians());
    benchmark::Shutdown();
    return 0;
}
