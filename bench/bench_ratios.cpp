#include "bench_ratios.h"

#include <cstdio>
#include <vector>

#include <benchmark/benchmark.h>

namespace veltrane::bench {
namespace {

struct Ratio {
    std::string ours, yardstick;
    double goal;
};

std::vector<Ratio>& ratios() {
    static std::vector<Ratio> registered;
    return registered;
}

}  // namespace

bool addRatio(const char* ours, const char* yardstick, double goal) {
    ratios().push_back({ours, yardstick, goal});
    return true;
}

void printRatios(const std::map<std::string, double>& medianSeconds) {
    const std::vector<double>& load = benchmark::CPUInfo::Get().load_avg;
    std::printf("\nRatios of CPU-time medians in this run");
    if (load.size() == 3) std::printf(" (load average %.2f, %.2f, %.2f)", load[0], load[1], load[2]);
    std::printf(":\n");
    int unmeasured = 0;
    for (const Ratio& r : ratios()) {
        const auto ours = medianSeconds.find(r.ours);
        const auto yardstick = medianSeconds.find(r.yardstick);
        if (ours == medianSeconds.end() || yardstick == medianSeconds.end() || yardstick->second <= 0) {
            ++unmeasured;
            continue;
        }
        const double ratio = ours->second / yardstick->second;
        std::printf("  %-40s / %-40s %6.2f", r.ours.c_str(), r.yardstick.c_str(), ratio);
        if (r.goal > 0) std::printf("   goal <= %.2f: %s", r.goal, ratio <= r.goal ? "met" : "NOT MET");
        std::printf("\n");
    }
    if (unmeasured > 0) std::printf("  (%d pairs not measured in this run)\n", unmeasured);
}

}  // namespace veltrane::bench
